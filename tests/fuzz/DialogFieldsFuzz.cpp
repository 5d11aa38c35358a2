// The texts typed into the dialogs, read as the dialogs read them: the location fields (height,
// degrees, minutes, seconds and decimals of the new-location dialog) and the zone, the start of
// the time window and of a request read as a date and moved by a span, and a radio channel
// frequency shown and shifted by a range rate.

#include "FuzzSupport.h"

#include "core/DateValue.h"
#include "dialogs/LocationRules.h"
#include "tracking/ProgramClock.h"
#include "tracking/TickTexts.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <cstdlib>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t choice = input.byte();
    const double rate = input.number();
    const std::string_view typed = input.text();
    const QString text = QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size()));
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::Italian),
                                      QLocale(QLocale::Arabic)};
    const QLocale& locale = locales[choice % std::size(locales)];

    // Location and new-location fields. The degree fields of the new-location dialog take
    // only values within a place's range (checked before any conversion); the height field
    // and the zone any text.
    const double number = location::fieldNumber(text);
    (void)location::heightMetres(text);
    (void)location::zoneChoice(static_cast<float>(number));
    if (std::abs(number) <= 360) {
        (void)location::decimalDegreesText(number);
        (void)location::sexagesimalText(std::abs(number));
        (void)location::roundedCoordinate(number);
        (void)location::globePoint(number, -number);
        (void)location::globeView(number);
    }
    (void)location::zoneHours(choice % 2, static_cast<int>(choice) - 128, choice % 5);
    // The decimals of a degree, typed into the fraction field or behind a mark in the degrees.
    if (const std::optional<double> decimals = location::fractionValue(text)) {
        if (*decimals < 0 || *decimals >= 1)
            std::abort();
        (void)location::fractionText(*decimals);
    }
    if (const std::optional<location::DegreesAtMark> split = location::splitAtDecimalMark(text))
        (void)location::fractionValue(split->decimals);

    // The start of the time window and of a request, as the date-time fields read a typed
    // text, and the span added to it.
    for (const QString& format : {QStringLiteral("dd MMM yyyy  HH:mm:ss"),
                                  QStringLiteral("dd/MM/yyyy HH:mm")}) {
        QDateTime start = locale.toDateTime(text, format);
        start.setTimeSpec(Qt::UTC);
        if (!start.isValid())
            continue;
        const double value = dateValueOf(start);
        (void)wallClockOf(value);
        const QDate day = start.date();
        const QTime time = start.time();
        const double begin = DateValue::fromDateTime(day.year(), day.month(), day.day(),
                                                     time.hour(), time.minute(), time.second());
        const double count = 1 + choice % 60;
        (void)DateValue::addMinutes(begin, count);
        (void)DateValue::addHours(begin, count);
        (void)DateValue::addDays(begin, count);
        (void)DateValue::addSeconds(begin, count);
    }

    // A channel frequency of frequen.dat and its shift by the range rate.
    (void)dopplerText(std::string(typed), rate, choice % 2 ? 1 : -1, locale);
    (void)dopplerText(std::string(input.rest()), rate, -1, locale);
    return 0;
}

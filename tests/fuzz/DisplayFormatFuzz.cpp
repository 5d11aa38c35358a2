// Number and date patterns from the input, applied to values from the input.

#include "FuzzSupport.h"

#include "core/DateValue.h"
#include "services/DisplayFormat.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const double value = input.number();
    DateValue::Parts date;
    date.year = static_cast<int>(input.byte()) * 40;
    date.month = input.byte() % 14;
    date.day = input.byte() % 33;
    date.hour = input.byte() % 25;
    date.minute = input.byte() % 61;
    date.second = input.byte() % 61;
    date.weekday = input.byte() % 9;
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::Italian),
                                      QLocale(QLocale::German), QLocale(QLocale::Arabic)};
    const QLocale& locale = locales[static_cast<std::size_t>(input.byte()) % std::size(locales)];
    const std::string_view text = input.text();
    const std::string_view pattern = input.rest();
    const QString patternText =
        QString::fromUtf8(pattern.data(), static_cast<qsizetype>(pattern.size()));
    // Instants the program shows: within a few thousand years of now [s since 1970].
    constexpr double kLatestSeconds = 1e11;
    const qint64 seconds =
        value > -kLatestSeconds && value < kLatestSeconds ? static_cast<qint64>(value) : 0;

    (void)formatNumber(value, patternText, locale);
    (void)formatNumberText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                           patternText, locale);
    (void)formatDate(date, patternText, locale);
    (void)formatDate(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC), patternText, locale);
    return 0;
}

// Display patterns for numbers, dates and times, as the windows write them.

#include "services/DisplayFormat.h"
#include "support/ScopedLocale.h"

#include <QDateTime>
#include <QSet>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

struct NumberCase
{
    double value;
    const char* pattern;
    const char* expected;
};

void expectNumbers(const QLocale& locale, std::initializer_list<NumberCase> cases)
{
    for (const NumberCase& c : cases) {
        EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.pattern), locale),
                  QString::fromUtf8(c.expected))
            << "value " << c.value << " pattern \"" << c.pattern << "\" locale "
            << locale.name().toStdString();
    }
}

TEST(FormatNumber, DigitPlaceholdersAndLiterals)
{
    expectNumbers(QLocale::c(),
                  {
                      {5, "00", "05"},
                      {12345.6, "00", "12346"}, // more digits than the pattern: all shown
                      {7, "#0h", "7h"},
                      {7, "00m ", "07m "},
                      {0.25, "#0.0", "0.3"},
                      {0, "#0", "0"},
                      {0, "###", ""}, // only "#": zero shows nothing
                      {37.6, "###", "38"},
                      {123.456, "000.0", "123.5"},
                      {9.87, "000.0", "009.9"},
                      {12.3456, "##0.000#", "12.3456"}, // "#" decimals only when significant
                      {12.3, "##0.000#", "12.300"},
                      {1.23456, "#0.000#\xC2\xB0", "1.2346\xC2\xB0"},
                      {45, "#00\xC2\xB0 ", "45\xC2\xB0 "},
                      {23.5, "00''", "24''"},
                      {3.14159, "\"pi=\"0.00", "pi=3.14"},
                      {5, "\\#0", "#5"},
                      {0.123, ".00", ".12"}, // no integer placeholder: no leading zero
                      {5.5, ".00", "5.50"},
                      {88.5, "#0.00 UA", "88.50 UA"},
                      {1.5, "0.0s", "1.5s"},
                  });
}

TEST(FormatNumber, RoundsHalvesAwayFromZeroOnTheDecimalDigits)
{
    expectNumbers(QLocale::c(),
                  {
                      {0.5, "00", "01"},
                      {59.5, "00", "60"}, // the callers carry a rounded 60 into the next field
                      {59.49, "00", "59"},
                      {2.5, "0", "3"},
                      {-2.5, "0", "-3"},
                      {2.675, "0.00", "2.68"}, // 2.67499999... in binary, 2.675 as written
                      {1.005, "0.00", "1.01"},
                      {0.0005, "0.000", "0.001"},
                      {0.00049, "0.000", "0.000"},
                      {9.9996, "0.000", "10.000"},
                      {99.95, "#0.0", "100.0"},
                      {-12.34, "#0.0", "-12.3"},
                      {-0.04, "0.0", "0.0"}, // rounds to zero: no sign
                      {-0.4, "#0", "0"},
                      {1e20, "0", "100000000000000000000"},
                      {123456789.123456789, "0.000", "123456789.123"},
                  });
}

TEST(FormatNumber, PercentMultipliesByAHundred)
{
    expectNumbers(QLocale::c(), {
                                    {0.256, "#0%", "26%"},
                                    {0.5, " #0%", " 50%"},
                                    {1.0, "#0%", "100%"},
                                    {0.004, "#0%", "0%"},
                                });
}

TEST(FormatNumber, SeparatorsFollowTheLocale)
{
    expectNumbers(QLocale::c(), {
                                    {149597870.7, "000,000,000 km", "149,597,871 km"},
                                    {384400, "000,000", "384,400"},
                                    {12345, "000,000", "012,345"},
                                    {1234567, "#,##0", "1,234,567"},
                                });
    expectNumbers(QLocale(QLocale::Italian, QLocale::Italy),
                  {
                      {1234.5, "#0.0", "1234,5"},
                      {149597870.7, "000,000,000 km", "149.597.871 km"},
                      {-45.123, "##0.00\xC2\xB0", "-45,12\xC2\xB0"},
                  });
}

TEST(FormatNumber, DigitsDoNotFollowTheCLibraryLocale)
{
    // The program runs with the C library in the user's locale; only the pattern's locale
    // decides the marks shown.
    const ScopedLocale locale(kCommaLocale);
    if (!locale.available())
        GTEST_SKIP() << kCommaLocale << " is not installed";
    EXPECT_EQ(formatNumber(45.47, u"0.000"), QStringLiteral("45,470"));
    EXPECT_EQ(formatNumber(45.47, u"0.000", QLocale::c()), QStringLiteral("45.470"));
    EXPECT_EQ(formatNumber(-12.25, u"#0.0", QLocale::c()), QStringLiteral("-12.3"));
    EXPECT_EQ(formatNumber(1234.56, u"###0.0"), QStringLiteral("1234,6"));
    EXPECT_EQ(formatNumber(0.5, u"00"), QStringLiteral("01"));
    EXPECT_EQ(formatNumberText(QStringLiteral("5.25"), u"0.0"), QStringLiteral("5,3"));
}

TEST(FormatNumberText, FormatsNumbersAndPassesOtherTextsThrough)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(formatNumberText(QStringLiteral("3.5"), u"#0.0", c), QStringLiteral("3.5"));
    EXPECT_EQ(formatNumberText(QStringLiteral(" 4.25 "), u"#0.0", c), QStringLiteral("4.3"));
    EXPECT_EQ(formatNumberText(QStringLiteral("-1"), u"#0.0", c), QStringLiteral("-1.0"));
    EXPECT_EQ(formatNumberText(QStringLiteral("???"), u"#0.0", c), QStringLiteral("???"));
    EXPECT_EQ(formatNumberText(QString(), u"#0.0", c), QString());
    // Data texts use "." whatever the user's locale.
    EXPECT_EQ(formatNumberText(QStringLiteral("3.5"), u"#0.0", QLocale(QLocale::Italian)),
              QStringLiteral("3,5"));
}

TEST(FormatDate, PatternsWithTheLocaleNames)
{
    const DateValue::Parts date{2024, 3, 5, 7, 8, 9, 3, 65}; // a Tuesday
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const struct
    {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"dd mmm yyyy", "05 Mar 2024"},
        {"dd mmm yyyy  hh:mm:ss", "05 Mar 2024  07:08:09"},
        {"hh:mm:ss", "07:08:09"},
        {"HH:MM:SS", "07:08:09"},
        {"hh:mm", "07:08"},
        {"dd/mm/yyyy", "05/03/2024"},
        {"d/m/yy", "5/3/24"},
        {"ddd", "Tue"},
        {"dddd d mmmm", "Tuesday 5 March"},
        {"mm:ss", "08:09"}, // before seconds: minutes
        {"h.nn", "7.08"},
        {"\"at\" hh", "at 07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDate(date, QString::fromUtf8(c.pattern), english),
                  QString::fromUtf8(c.expected))
            << "pattern \"" << c.pattern << "\"";
    }
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(formatDate(date, u"dd mmm yyyy", italian), QStringLiteral("05 mar 2024"));
    EXPECT_EQ(formatDate(date, u"dddd", italian), QString::fromUtf8("marted\xC3\xAC"));
}

TEST(FormatDate, FixedWidthPadsNamesToTheLocalesLongest)
{
    // German and French short months run from three letters ("Mai", "mai") to five ("Sept.",
    // "janv."), and French weekdays are four ("lun.").
    for (const char* name : {"de_DE", "fr_FR", "C"}) {
        const QLocale locale{QString::fromLatin1(name)};
        SCOPED_TRACE(name);
        QSet<qsizetype> widths;
        for (int month = 1; month <= 12; ++month) {
            const DateValue::Parts date{2024, month, 1 + month, 9, 8, 7, 1 + month % 7, 1};
            const QString text = formatDateFixedWidth(date, u"ddd dd mmm yyyy hh:mm:ss", locale);
            widths.insert(text.size());
            EXPECT_TRUE(text.contains(locale.monthName(month, QLocale::ShortFormat) + u' '));
            EXPECT_TRUE(text.endsWith(QStringLiteral(" 2024 09:08:07"))) << text.toStdString();
            EXPECT_EQ(formatDate(date, u"mmm", locale),
                      locale.monthName(month, QLocale::ShortFormat)) << "formatDate pads nothing";
        }
        EXPECT_EQ(widths.size(), 1);
    }
    EXPECT_EQ(longestMonthName(QLocale(QStringLiteral("de_DE")), QLocale::ShortFormat), 5);
    EXPECT_EQ(formatDateFixedWidth({2024, 5, 1, 0, 0, 0, 4, 1}, u"dd mmm yyyy",
                                   QLocale(QStringLiteral("de_DE"))),
              QStringLiteral("01 Mai   2024"));
}

TEST(FormatDate, GivenWeekdayIsUsedAsItIs)
{
    const DateValue::Parts date{1899, 12, 30, 0, 0, 0, 7}; // day 0 of the date values: a Saturday
    EXPECT_EQ(formatDate(date, u"ddd dd/mm/yyyy", QLocale::c()), QStringLiteral("Sat 30/12/1899"));
}

TEST(FormatDate, DateTimeIsRoundedToTheNearestSecond)
{
    const QDateTime lastMoment(QDate(2024, 12, 31), QTime(23, 59, 59, 600), QTimeZone::utc());
    EXPECT_EQ(formatDate(lastMoment, u"dd/mm/yyyy hh:mm:ss", QLocale::c()),
              QStringLiteral("01/01/2025 00:00:00"));
    const QDateTime justBefore(QDate(2024, 12, 31), QTime(23, 59, 59, 400), QTimeZone::utc());
    EXPECT_EQ(formatDate(justBefore, u"hh:mm:ss", QLocale::c()), QStringLiteral("23:59:59"));
}

} // namespace

// Every test program starts as the program does: the C library takes its locale from the
// environment (QApplication does the same when it starts), so a run under a comma-decimal
// locale catches any number that still goes through the C library's or the streams' locale.
// Texts shown to the user follow QLocale's default; it is pinned to the C locale here so that
// the expected texts do not depend on the machine, and tests of a locale's own marks set the
// locale they check.

#include <clocale>

#if __has_include(<QLocale>)
#include <QLocale>
#define QUORVANEL_TEST_PINS_QLOCALE 1
#endif

#include <gtest/gtest.h>

namespace {

class TestLocale : public ::testing::Environment
{
public:
    void SetUp() override
    {
        std::setlocale(LC_ALL, "");
#ifdef QUORVANEL_TEST_PINS_QLOCALE
        QLocale::setDefault(QLocale::c());
#endif
    }
};

[[maybe_unused]] ::testing::Environment* const kTestLocale =
    ::testing::AddGlobalTestEnvironment(new TestLocale);

} // namespace

#include "WidgetTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Widgets need one QApplication for the whole run; the offscreen platform keeps the tests
// off any display when they are started by hand rather than through CTest.
class WidgetTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "controls_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment
    = ::testing::AddGlobalTestEnvironment(new WidgetTestEnvironment);

} // namespace

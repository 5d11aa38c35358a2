// One QApplication for a whole widget test program, made before the first test and destroyed
// after the last (gtest_main owns main()). Widget tests run on the offscreen platform, also
// when the program is started by hand rather than through CTest.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtTestApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "quorvanel_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kQtTestApplication =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

} // namespace

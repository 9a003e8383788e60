#include "support/QtTestSupport.h"

#include <QCoreApplication>
#ifdef ORLAN_TEST_WITH_WIDGETS
#include <QApplication>
#endif
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

namespace orlan::test {

namespace {

// One QCoreApplication per process; gtest_main owns main(). The settings
// store goes to a test location instead of the user's configuration.
class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        // The configuration history (and whatever else goes to the user's
        // data folder) of this process and the programs it starts stays in
        // a folder of the run.
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
#ifdef ORLAN_TEST_WITH_WIDGETS
        // Windows are drawn offscreen whatever the machine has (or lacks): no
        // display needed, and nothing depends on the user's desktop platform.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = new QApplication(m_argc, m_argv);
#else
        m_app = new QCoreApplication(m_argc, m_argv);
#endif
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    int m_argc = 1;
    char m_name[11] = "orlan_test";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication* m_app = nullptr;
    QTemporaryDir m_data;
};

[[maybe_unused]] ::testing::Environment* const g_qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace orlan::test

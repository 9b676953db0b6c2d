// The viewer's tests run in one wxWidgets application per process, in a real X display. Each
// test has a time limit, toolkit assertions fail the test, and a modal dialog that no test
// expects is answered with Cancel and fails the test, so nothing waits for a person.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include <wx/app.h>
#include <wx/log.h>

#include "tests/support/temporary_folder.h"
#include "tests/viewer/gui_support.h"

namespace {

constexpr auto timeLimit = std::chrono::seconds(60);

// Ends the whole process when a test runs past its time limit.
class Watchdog : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& test) override
    {
        std::string name = std::string(test.test_suite_name()) + "." + test.name();
        {
            std::lock_guard lock(mutex_);
            running_ = true;
        }
        thread_ = std::thread([this, name] {
            std::unique_lock lock(mutex_);
            if (!ended_.wait_for(lock, timeLimit, [this] { return !running_; })) {
                std::fprintf(stderr, "%s ran longer than %lld s: stopped\n", name.c_str(),
                             static_cast<long long>(timeLimit.count()));
                std::_Exit(2);
            }
        });
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        {
            std::lock_guard lock(mutex_);
            running_ = false;
        }
        ended_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool running_ = false;
    std::thread thread_;
};

void failOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit assertion in " << function.utf8_str() << ": "
                                          << condition.utf8_str() << " " << message.utf8_str();
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "The viewer's tests need an X display: run them under xvfb-run.\n");
        return 1;
    }
    TemporaryFolder settings;
    setenv("XDG_CONFIG_HOME", settings.path().c_str(), 1);
    setenv("HOME", settings.path().c_str(), 1);
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);

    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "The toolkit did not start.\n");
        return 1;
    }
    wxSetAssertHandler(failOnAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    int status = 0;
    {
        DialogHook hook;
        status = RUN_ALL_TESTS();
    }
    wxEntryCleanup();
    return status;
}

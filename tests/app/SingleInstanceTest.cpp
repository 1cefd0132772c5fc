// Starts the start-up helper as real processes and watches the single-instance guard.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qm {
namespace {

namespace fs = std::filesystem;

constexpr auto kPoll = std::chrono::milliseconds(10);
constexpr int kPatienceMs = 30000; // generous: the machine may be busy

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qm-single-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        // Each test has its own lock folder and ini folder, so parallel runs never meet.
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("QUILLMARK_HOME", dir_.c_str(), 1);
    }
    void TearDown() override {
        for (pid_t pid : started_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        fs::remove_all(dir_);
    }

    pid_t Start(const std::string& program, const std::string& tag) {
        std::string folder = dir_;
        std::string name = tag;
        std::string path = program;
        char* argv[] = {path.data(), folder.data(), name.data(), nullptr};
        pid_t pid = 0;
        EXPECT_EQ(::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ), 0);
        started_.push_back(pid);
        return pid;
    }
    // Waits until the process ends; its exit code, or -1 when it did not end in time or was
    // killed by a signal.
    int WaitExit(pid_t pid) {
        for (int waited = 0; waited < kPatienceMs; waited += 10) {
            int status = 0;
            const pid_t done = ::waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                Forget(pid);
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(kPoll);
        }
        return -1;
    }
    // Waits until the window of the process with this tag runs; false if the process ended or
    // the time ran out first.
    bool WaitReady(pid_t pid, const std::string& tag) {
        for (int waited = 0; waited < kPatienceMs; waited += 10) {
            if (fs::exists(dir_ + "/" + tag + ".ready")) {
                return true;
            }
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                Forget(pid);
                return false;
            }
            std::this_thread::sleep_for(kPoll);
        }
        return false;
    }
    void Quit(const std::string& tag) { std::ofstream(dir_ + "/" + tag + ".quit") << "quit\n"; }
    bool Shown(const std::string& tag) const { return fs::exists(dir_ + "/" + tag + ".ready"); }
    void Forget(pid_t pid) { std::erase(started_, pid); }

    std::string dir_;
    std::vector<pid_t> started_;
    const std::string helper_ = QM_STARTUP_HELPER;
};

TEST_F(SingleInstanceTest, SecondProcessEndsWithTenWhileTheFirstRunsAndStartsAfterItEnds) {
    const pid_t first = Start(helper_, "first");
    ASSERT_TRUE(WaitReady(first, "first"));

    const pid_t second = Start(helper_, "second");
    EXPECT_EQ(WaitExit(second), 10);
    EXPECT_FALSE(Shown("second")); // no window was built

    Quit("first");
    EXPECT_EQ(WaitExit(first), 0);

    const pid_t third = Start(helper_, "third");
    ASSERT_TRUE(WaitReady(third, "third"));
    Quit("third");
    EXPECT_EQ(WaitExit(third), 0);
}

TEST_F(SingleInstanceTest, AKilledFirstInstanceDoesNotBlockTheNextStart) {
    const pid_t first = Start(helper_, "first");
    ASSERT_TRUE(WaitReady(first, "first"));
    ASSERT_EQ(::kill(first, SIGKILL), 0);
    EXPECT_EQ(WaitExit(first), -1);

    const pid_t next = Start(helper_, "next");
    ASSERT_TRUE(WaitReady(next, "next"));
    Quit("next");
    EXPECT_EQ(WaitExit(next), 0);
}

TEST_F(SingleInstanceTest, TheGuardIsKeyedOnTheExecutableName) {
    // The same program under another file name is another application.
    const std::string renamed = dir_ + "/other_label_tool";
    fs::copy_file(helper_, renamed);
    fs::permissions(renamed, fs::perms::owner_all);

    const pid_t first = Start(helper_, "first");
    ASSERT_TRUE(WaitReady(first, "first"));
    const pid_t other = Start(renamed, "other");
    ASSERT_TRUE(WaitReady(other, "other"));
    // ... and it guards itself under its own name.
    const pid_t otherAgain = Start(renamed, "otherAgain");
    EXPECT_EQ(WaitExit(otherAgain), 10);

    Quit("first");
    Quit("other");
    EXPECT_EQ(WaitExit(first), 0);
    EXPECT_EQ(WaitExit(other), 0);
}

} // namespace
} // namespace qm

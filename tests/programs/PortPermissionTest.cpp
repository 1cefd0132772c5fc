// quillmark-cli run as an ordinary user against device files it may not open: besides the
// numbered message it says which device and which group would help. Running the program as
// another user needs root (as on CI); elsewhere the test is skipped.
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <unistd.h>

namespace qm::test {
namespace {

namespace fs = std::filesystem;

// The account ordinary tests run as ("nobody"/"nogroup" on Debian).
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

class CliPortPermission : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root to run quillmark-cli as another user";
        }
        if (RunCommand("command -v setpriv").status != 0 || ::getgrnam("dialout") == nullptr ||
            ::getgrnam("lp") == nullptr) {
            GTEST_SKIP() << "setpriv or the groups dialout and lp are missing";
        }
        std::string pattern = (fs::temp_directory_path() / "qm-perm-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::create_directories(dir_ + "/dev");
        fs::create_directories(dir_ + "/run");
        // Everything the other user needs to reach: the folders and a copy of the program.
        fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(dir_ + "/dev",
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(dir_ + "/run", fs::perms::all);
        fs::copy_file(QM_CLI_PATH, dir_ + "/quillmark-cli");
        fs::permissions(dir_ + "/quillmark-cli",
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override {
        if (!dir_.empty()) {
            fs::remove_all(dir_);
        }
    }
    // A device file of root and the group, read and write for both.
    void Device(const std::string& name, const char* group) const {
        const std::string path = dir_ + "/dev/" + name;
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << "";
        ASSERT_EQ(::chown(path.c_str(), 0, ::getgrnam(group)->gr_gid), 0);
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::group_write);
    }
    ProgramRun RunAsNobody(const std::string& arguments) const {
        return RunCommand(
            "setpriv --reuid=" + std::to_string(kNobody) + " --regid=" + std::to_string(kNoGroup) +
            " --clear-groups env QUILLMARK_DEV_ROOT=" + dir_ + "/dev XDG_RUNTIME_DIR=" + dir_ +
            "/run " + dir_ + "/quillmark-cli " + arguments);
    }
    std::string dir_;
};

TEST_F(CliPortPermission, SerialAndParallelPortsNameTheDeviceAndItsGroup) {
    Device("ttyS0", "dialout");
    ProgramRun run = RunAsNobody("receive --com COM1 --scope easy");
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(run.out, "");
    // The numbered message first, as the window shows it, then the plain words.
    const size_t message = run.err.find("code : 30\r\nOpen port error.\n");
    const size_t hint = run.err.find(
        "quillmark-cli: permission denied opening " + dir_ +
        "/dev/ttyS0 (group \"dialout\", mode 0660): add yourself to the group \"dialout\" (sudo "
        "adduser \"$USER\" dialout), then log out and in again\n");
    ASSERT_NE(message, std::string::npos) << run.err;
    ASSERT_NE(hint, std::string::npos) << run.err;
    EXPECT_LT(message, hint);

    Device("lp0", "lp");
    std::ofstream(dir_ + "/run/settings.prn")
        << "~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\nPRINT SPEED\t:\t6 IPS\r\nEND\r\n";
    fs::permissions(dir_ + "/run/settings.prn", fs::perms::all);
    run = RunAsNobody("send " + dir_ + "/run/settings.prn --lpt LPT1");
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find("Open port error."), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("/dev/lp0 (group \"lp\", mode 0660): add yourself to the group \"lp\""),
              std::string::npos)
        << run.err;
}

TEST_F(CliPortPermission, AMissingDeviceGetsNoPermissionLine) {
    const ProgramRun run = RunAsNobody("receive --com COM2 --scope easy");
    EXPECT_EQ(run.status, 3) << run.err;
    // No permission line: only what failed, after the numbered message.
    EXPECT_EQ(
        run.err.rfind("code : 30\r\nOpen port error.\nquillmark-cli receive: no such device ", 0),
        0u)
        << run.err;
    EXPECT_EQ(run.err.find("group"), std::string::npos) << run.err;
}

} // namespace
} // namespace qm::test

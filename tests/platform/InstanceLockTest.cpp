#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qm-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_RUNTIME_DIR");
        fs::remove_all(dir_);
    }
    std::string dir_;
};

TEST_F(InstanceLockTest, SecondHolderIsRefusedUntilTheFirstReleases) {
    InstanceLock first("mtx_recv_config");
    InstanceLock second("mtx_recv_config");
    EXPECT_EQ(first.Path(), dir_ + "/mtx_recv_config.lock");
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_TRUE(first.TryAcquire()); // already held by this object
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_EQ(second.Error(), EWOULDBLOCK);
    EXPECT_FALSE(second.Held());

    // Another name is another lock.
    InstanceLock other("quillmark");
    EXPECT_TRUE(other.TryAcquire());

    first.Release();
    EXPECT_TRUE(second.TryAcquire());
    EXPECT_TRUE(fs::exists(second.Path()));
}

TEST_F(InstanceLockTest, NamesAreMadeSafeAndTmpIsPerUser) {
    InstanceLock odd("../evil/name");
    EXPECT_EQ(odd.Path(), dir_ + "/.._evil_name.lock");
    EXPECT_TRUE(odd.TryAcquire());

    ::setenv("XDG_RUNTIME_DIR", "", 1);
    ::unsetenv("TMPDIR");
    const std::string own = "/quillmark-" + std::to_string(::getuid());
    EXPECT_EQ(InstanceLock::Directory(), "/tmp" + own);
    ::setenv("TMPDIR", dir_.c_str(), 1);
    InstanceLock shared("quillmark");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(shared.Path(), dir_ + own + "/quillmark.lock");
    ASSERT_TRUE(shared.TryAcquire());
    struct stat st {};
    ASSERT_EQ(::stat((dir_ + own).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
}

// Without $XDG_RUNTIME_DIR the locks live in a shared folder: one that others can enter or
// that another user made first, and a lock file another user made, are never taken.
TEST_F(InstanceLockTest, FoldersAndLockFilesOfOthersAreRefused) {
    ::setenv("XDG_RUNTIME_DIR", "", 1);
    ::setenv("TMPDIR", dir_.c_str(), 1);
    const std::string own = dir_ + "/quillmark-" + std::to_string(::getuid());
    ASSERT_EQ(::mkdir(own.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
    InstanceLock open("mtx_recv_config");
    EXPECT_FALSE(open.TryAcquire());
    EXPECT_EQ(open.Error(), EPERM);
    EXPECT_FALSE(fs::exists(open.Path()));
    ::unsetenv("TMPDIR");
    if (::geteuid() != 0) {
        GTEST_SKIP() << "another user's files can be made only as root";
    }
    ASSERT_EQ(::chmod(own.c_str(), 0700), 0);
    ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
    ::setenv("TMPDIR", dir_.c_str(), 1);
    EXPECT_FALSE(InstanceLock("mtx_recv_config").TryAcquire());
    ::unsetenv("TMPDIR");

    // In the runtime folder: a lock file planted by another user.
    ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    InstanceLock planted("mtx_recv_config");
    ASSERT_EQ(::close(::open(planted.Path().c_str(), O_CREAT | O_RDWR, 0666)), 0);
    ASSERT_EQ(::chown(planted.Path().c_str(), 65534, 65534), 0);
    EXPECT_FALSE(planted.TryAcquire());
    EXPECT_EQ(planted.Error(), EPERM);
}

TEST_F(InstanceLockTest, UnusableFolderIsAnErrorOtherThanBusy) {
    ::setenv("XDG_RUNTIME_DIR", (dir_ + "/no-such-folder").c_str(), 1);
    InstanceLock lock("quillmark");
    EXPECT_FALSE(lock.TryAcquire());
    EXPECT_EQ(lock.Error(), ENOENT);
}

} // namespace
} // namespace qm

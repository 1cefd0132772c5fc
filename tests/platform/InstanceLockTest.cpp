#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
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
    EXPECT_EQ(InstanceLock::Directory(), "/tmp");
    InstanceLock shared("quillmark");
    EXPECT_EQ(shared.Path(), "/tmp/quillmark-" + std::to_string(::getuid()) + ".lock");
}

TEST_F(InstanceLockTest, UnusableFolderIsAnErrorOtherThanBusy) {
    ::setenv("XDG_RUNTIME_DIR", (dir_ + "/no-such-folder").c_str(), 1);
    InstanceLock lock("quillmark");
    EXPECT_FALSE(lock.TryAcquire());
    EXPECT_EQ(lock.Error(), ENOENT);
}

} // namespace
} // namespace qm

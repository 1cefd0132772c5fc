#pragma once

// A command test with a folder of its own that is also the receive lock's folder
// (XDG_RUNTIME_DIR), so a receive running elsewhere never turns a command away.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qm::test {

class CliFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/qm-cli-XXXXXX";
        dir_ = ::mkdtemp(folder);
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    // Writes `bytes` to the file `path` (a full path); false when it could not be written.
    static bool WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return static_cast<bool>(out.flush());
    }

    std::string dir_;
};

} // namespace qm::test

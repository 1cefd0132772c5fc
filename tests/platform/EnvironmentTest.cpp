#include "platform/Environment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

class ModuleDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qm-env-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        inputs_.xdgConfigHome = dir_ + "/xdg";
        inputs_.userHome = dir_ + "/home";
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string dir_;
    ModuleDirectoryInputs inputs_;
};

TEST_F(ModuleDirectoryTest, BuildTreeProgramKeepsItsFilesBesideItself) {
    fs::create_directories(dir_ + "/build/src/qt");
    inputs_.executable = dir_ + "/build/src/qt/quillmark";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/build/src/qt/");

    // QUILLMARK_HOME overrides every other rule, with or without its trailing slash.
    inputs_.quillmarkHome = dir_ + "/portable";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/portable/");
    inputs_.quillmarkHome = dir_ + "/portable/";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/portable/");
}

TEST_F(ModuleDirectoryTest, InstalledProgramUsesTheConfigurationFolder) {
    // A writable bin folder still counts as installed: root may write /usr/bin, and a copy
    // installed under ~/.local/bin belongs to the user's configuration just the same.
    fs::create_directories(dir_ + "/usr/bin");
    inputs_.executable = dir_ + "/usr/bin/quillmark";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/xdg/quillmark/");
    inputs_.executable = "/usr/bin/quillmark";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/xdg/quillmark/");

    // A folder the program may not write (here: one that does not exist) counts the same.
    inputs_.executable = dir_ + "/gone/quillmark";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/xdg/quillmark/");
    // So does an unknown executable path.
    inputs_.executable.clear();
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/xdg/quillmark/");
}

TEST_F(ModuleDirectoryTest, ConfigurationFolderFollowsXdgRules) {
    inputs_.executable = "/usr/bin/quillmark";
    // Unset, or relative (which would depend on the working folder): ~/.config.
    inputs_.xdgConfigHome.clear();
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/home/.config/quillmark/");
    inputs_.xdgConfigHome = "relative/config";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/home/.config/quillmark/");
    inputs_.userHome = dir_ + "/home//";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/home/.config/quillmark/");
    inputs_.xdgConfigHome = dir_ + "/xdg/";
    EXPECT_EQ(ChooseModuleDirectory(inputs_), dir_ + "/xdg/quillmark/");
}

TEST_F(ModuleDirectoryTest, CreateFolderMakesMissingParentsPrivately) {
    const std::string folder = dir_ + "/home/.config/quillmark/";
    EXPECT_EQ(CreateFolder(folder), 0);
    ASSERT_TRUE(fs::is_directory(folder));
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((dir_ + "/home/.config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // An existing folder is fine and keeps its mode.
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(CreateFolder(folder), 0);
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0750u);
}

TEST_F(ModuleDirectoryTest, CreateFolderReportsAPathThatCannotBeAFolder) {
    // A file in the way cannot be worked around, not even by root.
    std::ofstream(dir_ + "/home") << "a file\n";
    EXPECT_EQ(CreateFolder(dir_ + "/home/.config/quillmark/"), ENOTDIR);
    EXPECT_EQ(CreateFolder(dir_ + "/home"), ENOTDIR);
    EXPECT_TRUE(fs::is_regular_file(dir_ + "/home"));
}

} // namespace
} // namespace qm

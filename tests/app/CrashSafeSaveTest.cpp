// A process that saves its files in a loop is killed with SIGKILL at random moments: every file
// it saves is afterwards either the old or the new version, never empty, cut or a mix.

#include "helper/SaveVersions.h"

#include "operations/SettingsFileOperation.h"
#include "platform/Encoding.h"
#include "platform/IniFile.h"
#include "settings/Frame.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 200;
constexpr unsigned kLongestRunUs = 40000;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

fs::path TempFolder(const char* tag) {
    std::string pattern = (fs::temp_directory_path() / (std::string("qm-") + tag + "-XXXXXX"));
    EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
    return pattern;
}

// The bytes of Quillmark.ini after saving one version, then the other.
std::pair<std::string, std::string> ExpectedPreferences() {
    const fs::path folder = TempFolder("ini-expected");
    IniFile ini((folder / "Quillmark.ini").string());
    WritePreferences(ini, test::SaveVersion(false), test::kEveryPreference);
    const std::string first = Bytes(folder / "Quillmark.ini");
    WritePreferences(ini, test::SaveVersion(true), test::kEveryPreference);
    const std::string second = Bytes(folder / "Quillmark.ini");
    fs::remove_all(folder);
    return {first, second};
}

std::string RecentBytes(bool second) {
    return std::string(kLeadIn) + WideToAnsi(test::RecentVersion(second));
}

TEST(CrashSafeSave, KilledSavesLeaveTheOldOrTheNewFile) {
    const auto [first, second] = ExpectedPreferences();
    ASSERT_NE(first, second);
    const fs::path folder = TempFolder("kill");
    const fs::path ini = folder / "Quillmark.ini";
    const fs::path recent = folder / SettingsFileOperation::kRecentFileName;
    IniFile start(ini.string());
    ASSERT_TRUE(WritePreferences(start, test::SaveVersion(false), test::kEveryPreference));
    ASSERT_TRUE(SettingsFileOperation::SaveRecent(recent.string(), test::RecentVersion(false)));
    int recentFirst = 0;
    int recentSecond = 0;

    std::mt19937 random(20261209);
    int sawFirst = 0;
    int sawSecond = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::dup2(ready[1], STDOUT_FILENO);
            ::close(ready[0]);
            ::close(ready[1]);
            ::execl(QM_SAVE_LOOP, QM_SAVE_LOOP, folder.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ready[1]);
        // The kill is timed from a loop that has made its first round of saves.
        char byte = 0;
        const ssize_t got = ::read(ready[0], &byte, 1);
        ::close(ready[0]);
        EXPECT_EQ(got, 1) << "the save loop did not start";
        ::usleep(random() % kLongestRunUs);
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop ended by itself";

        const std::string now = Bytes(ini);
        ASSERT_TRUE(now == first || now == second)
            << "kill " << kill << ": Quillmark.ini is neither version (" << now.size() << " bytes)";
        (now == first ? sawFirst : sawSecond)++;
        const std::string recentNow = Bytes(recent);
        ASSERT_TRUE(recentNow == RecentBytes(false) || recentNow == RecentBytes(true))
            << "kill " << kill << ": Recent.dat is neither version (" << recentNow.size()
            << " bytes)";
        (recentNow == RecentBytes(false) ? recentFirst : recentSecond)++;
    }
    // The kills landed while saves were being made, not only before the first one.
    EXPECT_GT(sawSecond, 0);
    EXPECT_GT(recentSecond, 0);
    std::cout << "Quillmark.ini: " << sawFirst << " kills left the first version, " << sawSecond
              << " the second; Recent.dat: " << recentFirst << " and " << recentSecond << "\n";
    fs::remove_all(folder);
}

} // namespace
} // namespace qm

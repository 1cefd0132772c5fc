// Saves the preferences (Quillmark.ini) and the recent file (Recent.dat) in a loop, as the
// program does at exit, the two versions in turn, until it is killed. After the first round it
// writes one byte to standard output, so that a test can time its kill from a running loop
// rather than from the program's start (which a sanitizer build makes slow).
//
//   qm_save_loop <folder>

#include "SaveVersions.h"

#include "operations/SettingsFileOperation.h"
#include "platform/IniFile.h"

#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string folder = argv[1];
    qm::IniFile ini(folder + "/Quillmark.ini");
    const std::string recent =
        folder + "/" + std::string(qm::SettingsFileOperation::kRecentFileName);
    bool announced = false;
    for (bool second = true;; second = !second) {
        qm::WritePreferences(ini, qm::test::SaveVersion(second), qm::test::kEveryPreference);
        qm::SettingsFileOperation::SaveRecent(recent, qm::test::RecentVersion(second));
        if (!announced) {
            announced = ::write(STDOUT_FILENO, "R", 1) == 1;
        }
    }
}

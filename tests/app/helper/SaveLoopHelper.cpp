// Saves the preferences (Quillmark.ini) in a loop, the two versions in turn, until it is killed.
//
//   qm_save_loop <folder>

#include "SaveVersions.h"

#include "platform/IniFile.h"

#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    qm::IniFile ini(std::string(argv[1]) + "/Quillmark.ini");
    for (bool second = true;; second = !second) {
        qm::WritePreferences(ini, qm::test::SaveVersion(second), qm::test::kEveryPreference);
    }
}

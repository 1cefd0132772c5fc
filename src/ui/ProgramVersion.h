#pragma once

#include <string>

namespace qm::ui {

// The program's file version as four numbers (major, minor, patch, build) from the project
// version the build was configured with.
struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
    int build = 0;
};

ProgramVersion GetProgramVersion();

// "%d.%d.%d.%d", e.g. "1.0.0.0": what the main window's title shows after "Quillmark ".
std::u16string ProgramVersionText();

} // namespace qm::ui

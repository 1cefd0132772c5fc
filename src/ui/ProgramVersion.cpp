#include "ui/ProgramVersion.h"

#include <string>

#ifndef QM_VERSION_MAJOR
#error "the build passes the project version"
#endif

namespace qm::ui {

ProgramVersion GetProgramVersion() {
    return ProgramVersion{QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_PATCH, QM_VERSION_TWEAK};
}

std::u16string ProgramVersionText() {
    const ProgramVersion v = GetProgramVersion();
    const std::string text = std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                             std::to_string(v.patch) + "." + std::to_string(v.build);
    return std::u16string(text.begin(), text.end());
}

} // namespace qm::ui

#pragma once

#include "operations/MachineIdentity.h"

#include <string_view>

namespace qm {

// Which of the 38 models a printer is, from its machine information: the family whose base name
// the printer reports as its "Model Number" (ASCII case and surrounding blanks ignored) and, of
// that family's variants, the one of the command language on its "Emulation" line ("CODE_ZEBRA",
// "CODE_EPL", "CODE_KORVANE", as the self print tells the languages apart). A language the family
// has no variant for, or no language at all, gives the family's native model.
class ModelDetection {
public:
    static constexpr int kNoModel = -1;

    // The model index 0-37, or kNoModel when the name is empty or names no family.
    static int FromIdentity(const MachineIdentity& identity);
    // The same for a reported name and language.
    static int FromNameAndLanguage(std::string_view name, std::string_view language);
};

} // namespace qm

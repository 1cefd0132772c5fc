#include "settings/SettingsOptions.h"

#include "settings/ModelTable.h"

namespace qm {

SettingsOptions SettingsOptions::For(int model, bool japaneseInterface, bool advancedUnlocked) {
    SettingsOptions options;
    options.japaneseInterface = japaneseInterface;
    options.fixReflectKeys = ModelTable::UsesFixReflectKeys(model, japaneseInterface);
    options.ttColdHeatrateLimit = ModelTable::HasWideTtColdHeatrate(model) ? 20 : 10;
    options.advancedUnlocked = advancedUnlocked;
    return options;
}

} // namespace qm

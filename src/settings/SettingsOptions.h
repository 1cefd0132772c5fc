#pragma once

namespace qm {

// The inputs of the parser and the writer that do not come from the record itself: the
// interface language, the Advanced page's state and the advanced-settings unlock. The
// application holds one and hands it to both; nothing here is read from globals.
struct SettingsOptions {
    // Japanese interface: "PRINT SPEED" on models 24/25 is limited to 6 IPS.
    bool japaneseInterface = false;
    // Entries 117/128 are written and read under the keys "FIX REFLECT SENSOR POSITION" and
    // "FIX REFLECT SENSOR" (see ModelTable::UsesFixReflectKeys).
    bool fixReflectKeys = false;
    // "TT COLD HEATRATE ADJUST" accepted range, in tenths: -limit..limit. The Advanced page
    // sets 20 on models with the wide range, 10 otherwise.
    int ttColdHeatrateLimit = 10;
    // Advanced settings unlocked: the writer writes entries 0-178 instead of 0-113. Once set
    // by the application it is never cleared while the program runs.
    bool advancedUnlocked = false;

    // The options for a model and language, as the main window derives them when the model
    // or the language changes (the unlock stays as given).
    static SettingsOptions For(int model, bool japaneseInterface, bool advancedUnlocked = false);
};

} // namespace qm

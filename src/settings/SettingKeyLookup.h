#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// A setting key as a person types it, found in the record's entry table: upper or lower case,
// "-" or "_" for a blank ("print-speed" is "PRINT SPEED"). Besides the entry keys it knows
// the printer's own spellings of the RFID keys ("RFID WRITE POWER"), "LCD STANDBY" (the
// standby key of some models) and "SERIAL NUMBER" (the number that goes with "USB SERIAL
// NUMBER").
class SettingKeyLookup {
public:
    // What a key names.
    struct Match {
        int entry = -1;  // the record's entry; -1 for an unknown key
        std::string key; // the key as the printer spells it ("RFID WRITE POWER")
    };

    // The key's entry for a model. Where two entries share a key, both read the same reply
    // line and write the same configuration line, so the first is taken; only "VERTICAL
    // IMAGE SHIFT" differs by model (a length on the native models, a whole number of dots
    // on the others).
    static Match Find(std::string_view typed, int model);

    // Up to `count` known keys nearest to an unknown one: keys holding it as a part first,
    // then by the number of letters to change (at most a third of the key's length).
    static std::vector<std::string> Nearest(std::string_view typed, size_t count = 3);

    // Every key Find knows, in entry order, each once.
    static const std::vector<std::string>& Keys();

    // A key as it is typed most easily on a command line: lower case, "-" for a blank
    // ("print-speed").
    static std::string Typed(std::string_view key);

    // Upper case, "-" and "_" as blanks: the form in which typed and known keys are compared.
    static std::string Comparable(std::string_view text);
};

} // namespace qm

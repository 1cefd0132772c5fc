#pragma once

#include "MenuTable.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qm::sim {

// Which menu reply is asked for.
enum class MenuRequest { kStandard, kAdvanced, kAll };

// The printer's settings as key/value text, one model's keys with their factory defaults.
// Not thread-safe; the Printer guards it.
class PrinterState {
public:
    // kKept: an empty value for a wireless key or password. The printer never reports what a
    // host could send back for these (a host forgets them after a receive), so it keeps the
    // stored key rather than clearing it or refusing the line.
    enum class ApplyResult { kApplied, kKept, kRejected, kUnknownKey };

    explicit PrinterState(int model);

    int Model() const { return model_; }
    // The stored value of a key (by its menu name), empty when the model lacks the key.
    std::string Get(std::string_view key) const;
    // Applies one "KEY\t:\tVALUE[\tUNIT]" line; `stored` receives the value as stored.
    ApplyResult ApplyLine(std::string_view line, std::string* stored = nullptr);
    // The reply lines (without line ends) of a menu request, in menu order.
    std::vector<std::string> MenuLines(MenuRequest request) const;
    // True when lengths are reported in inches.
    bool Inch() const { return Get("METRIC/INCH") == "INCH"; }
    // "CODE_KORVANE", "CODE_ZEBRA" or "CODE_EPL".
    std::string Emulation() const { return Get("MACHINE EMULATION CODE"); }

    // The whole state as text (one "KEY\t:\tVALUE" line per key) and back. Load applies every
    // line it knows and returns the number of lines it could not apply.
    std::string Serialise() const;
    int Load(std::string_view text);

    // Splits "KEY\t:\tVALUE\tUNIT" into the key and the value tokens; false without a colon.
    static bool SplitLine(std::string_view line, std::string& key,
                          std::vector<std::string>& tokens);

private:
    int model_;
    std::map<std::string, std::string, std::less<>> values_;
};

} // namespace qm::sim

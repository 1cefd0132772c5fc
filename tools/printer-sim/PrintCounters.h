#pragma once

#include <string>
#include <string_view>

namespace qm::sim {

// The printer's counters and the one place where printing moves them: every label printed adds
// its length to the print distance and to the distance since the last service, and a label
// cut by the cutter adds one cut.
class PrintCounters {
public:
    // Tenths of a metre.
    long PrintTenthsM() const { return static_cast<long>(printTenthsMm_ / kTenthsMmPerTenthM); }
    long ServiceTenthsM() const { return static_cast<long>(serviceTenthsMm_ / kTenthsMmPerTenthM); }
    long Cuts() const { return cuts_; }

    // One print of `labels` labels of `labelTenthsMm` each; with `cutEach` every label is cut.
    void CountPrint(long labels, long labelTenthsMm, bool cutEach);

    // How many labels a print makes: one for a self test and a sample; for print data, the
    // label formats it ends in the language the printer runs ("^XZ" for zebra, each "P<n>"
    // line n labels (one without n) for eltron, each "E" line for native).
    static long LabelsOf(std::string_view kind, std::string_view language, std::string_view data);

private:
    static constexpr long long kTenthsMmPerTenthM = 1000;

    long long printTenthsMm_ = 12345 * kTenthsMmPerTenthM; // 1234.5 m when new
    long long serviceTenthsMm_ = 5678 * kTenthsMmPerTenthM;
    long cuts_ = 89;
};

} // namespace qm::sim

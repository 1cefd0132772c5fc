#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace qm::sim {

// How a setting's value is written in a reply and checked when a configuration sets it.
enum class ValueForm : uint8_t {
    kChoice,  // a choice text ("6 IPS")
    kInt,     // a whole number ("-12")
    kDec1,    // one decimal ("1.5")
    kVolt1,   // one decimal followed by TAB "V" ("1.7\tV")
    kVolt2,   // two decimals followed by TAB "V" ("2.30\tV")
    kLength,  // "4.00\tINCH" or "101.6\tMM", by the printer's METRIC/INCH
    kIpv4,    // four octets joined by commas ("192,168,0,1")
    kIpv6,    // sixteen bytes joined by commas
    kText,    // free text
    kDot,     // head check position: "DOT\t848"
    kCounter, // digits only
};

// Where a key appears in the menu replies.
enum class MenuScope : uint8_t {
    kStandard, // the STANDARD (and ALL) reply
    kAdvanced, // the ADVANCED (and ALL) reply
    kRfidInfo, // the RFID calibration lines at the end of every menu reply
    kHidden,   // accepted in a configuration, never reported
};

// A set of model indices (bit m for model m).
using ModelSet = uint64_t;

constexpr ModelSet ModelRange(int first, int last) {
    ModelSet set = 0;
    for (int m = first; m <= last; ++m) {
        set |= ModelSet{1} << m;
    }
    return set;
}

constexpr ModelSet ModelList(std::initializer_list<int> models) {
    ModelSet set = 0;
    for (int m : models) {
        set |= ModelSet{1} << m;
    }
    return set;
}

// One key of the printer's menu, in menu order.
struct MenuKey {
    std::string_view key;   // the key as this printer reports it
    ValueForm form;         //
    MenuScope scope;        //
    ModelSet models;        // the models whose printers have the key
    std::string_view value; // factory default (lengths in millimetres)
    std::string_view alias; // another spelling accepted in a configuration, or empty
};

// The whole menu in reply order.
std::span<const MenuKey> MenuKeys();
// The key row for a key text or alias as sent in a configuration on this model, or nullptr.
const MenuKey* FindMenuKey(std::string_view key, int model);
// True when the model has this key.
bool ModelHasKey(int model, const MenuKey& row);
// The key text the printer uses for a row on a model ("LCD STANDBY" for STANDBY MODE on 24, 25).
std::string_view ReportedKey(const MenuKey& row, int model);
// The factory default of a row on a model (some defaults depend on the model).
std::string_view DefaultValue(const MenuKey& row, int model);

// 0 native, 1 Zebra emulation, 2 Eltron emulation.
int ModelVariant(int model);
// True when the model can run the Eltron emulation (accepts CODE_EPL).
bool ModelOffersEltron(int model);
// Model name reported in the machine information ("Vexa Gorse").
std::string_view ModelName(int model);

constexpr int kModelCount = 38;

} // namespace qm::sim

#pragma once

// The settings `get` and `set` print: one aligned line per setting (key, value, unit) in the
// readable output, one object per setting in the JSON.

#include "cli/AlignedTable.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace qm::cli {

// What is known of one setting.
enum class SettingState {
    kReported,    // the value is known
    kNotReported, // the printer's reply did not carry it
    kNotShown,    // a wireless key or password: never printed
    kInvalid,     // the printer reported a value the model does not take
};

struct SettingLine {
    std::string key; // as the printer spells it
    SettingState state = SettingState::kReported;
    std::string value; // as a person writes it (IPv4 dotted); empty unless reported
    std::string unit;  // "MM" / "INCH" for lengths, else empty
};

// The line of `entry` of a record whose items are ticked where they are known; `key` is the
// key it is shown under ("SERIAL NUMBER" shows the number that goes with entry 155, "USB
// SERIAL NUMBER" its ON/OFF).
SettingLine LineOf(const SettingsRecord& record, const SettingsOptions& options, int entry,
                   const std::string& key);

// One row per setting (key, value, unit) in the readable output's table.
void AddSettingLines(AlignedTable& table, const std::vector<SettingLine>& lines);

// "; did you mean A, B?" after the line about an unknown key; empty without a nearest key.
std::string NearestKeysHint(const std::vector<std::string>& nearest);

// [{"key", "state": "reported" | "not reported" | "not shown" | "invalid", "value", "unit"}]
nlohmann::ordered_json SettingLinesJson(const std::vector<SettingLine>& lines);

} // namespace qm::cli

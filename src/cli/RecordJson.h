#pragma once

// The JSON form of a settings record that `inspect` and `receive` both print.

#include "settings/SettingsRecord.h"

#include <nlohmann/json.hpp>

#include <string>

namespace qm::cli {

// An address value in the notation people read and write: IPv4 dotted ("192.168.0.1"), IPv6
// as eight groups of four lower-case hex digits. The record may hold either its comma form
// (what the printer reads) or the display form; a value that is no address stays as it is.
std::u16string UsualNotation(int entry, const std::u16string& value);

// Every entry of the record in entry order: entry, key, ticked, value, second, error, choice,
// metric. Address values appear in their usual notation: IPv4 dotted, IPv6 as eight groups of
// four lower-case hex digits (the configuration text keeps the comma forms the printer reads).
nlohmann::ordered_json ItemsAsJson(const SettingsRecord& record);

} // namespace qm::cli

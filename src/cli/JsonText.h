#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace qm::cli {

// The one way every command writes JSON: two-space indents, and a byte that is not part of
// valid UTF-8 (a printer's reply or a file may hold any) becomes U+FFFD instead of aborting the
// output, so one odd answer never costs the whole result.
inline std::string JsonText(const nlohmann::ordered_json& value) {
    return value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

} // namespace qm::cli

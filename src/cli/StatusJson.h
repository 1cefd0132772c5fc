#pragma once

// The JSON forms of a decoded printer status and of the counters that `status` prints.

#include "settings/SettingsParser.h"
#include "settings/StatusDecoder.h"
#include "text/UiLanguage.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace qm::cli {

// form; paperError, ribbonError, printing, pause, waitingForPeeling ("Yes", "No" or "");
// errorCode and message (error-code form; "" otherwise), the message in the language the
// Information page would show it in.
nlohmann::ordered_json StatusAsJson(int form, const PrinterStatus& status, UiLanguage language);

// Adds the counters reply's serialNumber, printCounter, serviceCounter and cutCounter to `out`,
// in that order, as `status` and `receive` print them.
void AddCountersJson(nlohmann::ordered_json& out, const MachineInfo& counters);

// "en", "ja", "zh", "ko"; nothing for any other text.
std::optional<UiLanguage> LanguageFromArgument(const std::string& text);

} // namespace qm::cli

#include "PrinterState.h"

#include "ValueCodec.h"

namespace qm::sim {

namespace {

bool InRequest(MenuScope scope, MenuRequest request) {
    switch (scope) {
    case MenuScope::kStandard:
        return request != MenuRequest::kAdvanced;
    case MenuScope::kAdvanced:
        return request != MenuRequest::kStandard;
    default:
        return false;
    }
}

std::string_view TrimLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace

PrinterState::PrinterState(int model) : model_(model) {
    for (const MenuKey& row : MenuKeys()) {
        if (ModelHasKey(model_, row)) {
            values_[std::string(row.key)] = std::string(DefaultValue(row, model_));
        }
    }
}

std::string PrinterState::Get(std::string_view key) const {
    auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

bool PrinterState::SplitLine(std::string_view line, std::string& key,
                             std::vector<std::string>& tokens) {
    line = TrimLineEnd(line);
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    std::string_view left = line.substr(0, colon);
    std::string_view right = line.substr(colon + 1);
    while (!left.empty() && left.back() == '\t') {
        left.remove_suffix(1);
    }
    while (!right.empty() && right.front() == '\t') {
        right.remove_prefix(1);
    }
    key = std::string(left);
    tokens = Split(right, '\t');
    return true;
}

PrinterState::ApplyResult PrinterState::ApplyLine(std::string_view line, std::string* stored) {
    std::string key;
    std::vector<std::string> tokens;
    if (!SplitLine(line, key, tokens)) {
        return ApplyResult::kUnknownKey;
    }
    const MenuKey* row = FindMenuKey(key, model_);
    if (row == nullptr) {
        return ApplyResult::kUnknownKey;
    }
    const bool secret = row->key == "WLAN WEP KEY 1" || row->key == "WLAN WEP KEY 2" ||
                        row->key == "WLAN WEP KEY 3" || row->key == "WLAN WEP KEY 4" ||
                        row->key == "WLAN PSK" || row->key == "EAP PASSWORD";
    if (secret && (tokens.empty() || tokens[0].empty())) {
        return ApplyResult::kKept;
    }
    std::optional<std::string> value = NormaliseValue(*row, tokens);
    if (!value) {
        return ApplyResult::kRejected;
    }
    if (row->key == "MACHINE EMULATION CODE") {
        bool known = *value == "CODE_KORVANE" || *value == "CODE_ZEBRA" ||
                     (*value == "CODE_EPL" && ModelOffersEltron(model_));
        if (!known) {
            return ApplyResult::kRejected;
        }
    }
    if (row->key == "METRIC/INCH" && *value != "MM" && *value != "INCH") {
        return ApplyResult::kRejected;
    }
    std::string& current = values_[std::string(row->key)];
    // A length sent back as it was reported (e.g. 10.0 mm reported as 0.39 in) keeps the
    // stored value, so that switching METRIC/INCH in the same configuration does not drift it.
    const bool inchSent = value->ends_with("\tINCH");
    if (row->form != ValueForm::kLength || current.empty() ||
        RenderValue(*row, current, inchSent) != RenderValue(*row, *value, inchSent)) {
        current = *value;
    }
    *value = current;
    if (stored != nullptr) {
        *stored = *value;
    }
    return ApplyResult::kApplied;
}

std::vector<std::string> PrinterState::MenuLines(MenuRequest request) const {
    std::vector<std::string> lines;
    std::vector<std::string> rfidInfo;
    const bool inch = Inch();
    const bool native = Emulation() == "CODE_KORVANE";
    const bool usbSerial = Get("USB SERIAL NUMBER") == "ON";
    for (const MenuKey& row : MenuKeys()) {
        if (!ModelHasKey(model_, row)) {
            continue;
        }
        // The native command language's own emulation choice exists only while it runs.
        if (row.key == "EMULATION SELECT" && !native) {
            continue;
        }
        if (row.key == "SERIAL NUMBER" && !usbSerial) {
            continue;
        }
        std::string line =
            std::string(ReportedKey(row, model_)) + "\t:\t" + RenderValue(row, Get(row.key), inch);
        if (row.scope == MenuScope::kRfidInfo) {
            rfidInfo.push_back(line);
        } else if (InRequest(row.scope, request)) {
            lines.push_back(line);
        }
    }
    lines.insert(lines.end(), rfidInfo.begin(), rfidInfo.end());
    return lines;
}

std::string PrinterState::Serialise() const {
    std::string out;
    for (const MenuKey& row : MenuKeys()) {
        if (ModelHasKey(model_, row)) {
            out += std::string(ReportedKey(row, model_)) + "\t:\t" + Get(row.key) + "\n";
        }
    }
    return out;
}

int PrinterState::Load(std::string_view text) {
    int failures = 0;
    for (const std::string& line : Split(text, '\n')) {
        std::string_view trimmed = TrimLineEnd(line);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        if (ApplyLine(trimmed) != ApplyResult::kApplied) {
            ++failures;
        }
    }
    return failures;
}

} // namespace qm::sim

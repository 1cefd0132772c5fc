#include "operations/SettingAssignmentOperation.h"

#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"
#include "settings/SettingKeyLookup.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsParser.h"

#include <algorithm>

namespace qm {
namespace {

constexpr std::string_view kSeparator = "\t:\t";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEndLine = "END\r\n";
constexpr std::string_view kMetricUnit = "MM";
constexpr std::string_view kInchUnit = "INCH";
constexpr std::string_view kDotToken = "DOT";
constexpr std::string_view kSerialNumberKey = "SERIAL NUMBER";
constexpr std::string_view kUsbSerialOn = "ON";
constexpr std::string_view kMask = "********";

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// The value as a configuration line carries it; false with the problem when it cannot be.
bool ValueForLine(int entryIndex, std::string_view value, std::string& out,
                  AssignmentProblem& problem) {
    switch (DisplayLists::FormOf(entryIndex)) {
    case EntryForm::kLength: {
        // A length names its unit: a bare number would be read as millimetres, which is
        // rarely what a person who thinks in inches meant.
        const std::string_view trimmed = Trimmed(value);
        const size_t blank = trimmed.rfind(' ');
        const std::string unit =
            blank == std::string_view::npos ? std::string() : Upper(trimmed.substr(blank + 1));
        if (unit != kMetricUnit && unit != kInchUnit) {
            problem = AssignmentProblem::kNeedsUnit;
            return false;
        }
        out = std::string(Trimmed(trimmed.substr(0, blank))) + "\t" + unit;
        return true;
    }
    case EntryForm::kIpv4:
        out = Utf16ToUtf8(DisplayLists::Ipv4ForSending(Utf8ToUtf16(value)));
        return true;
    case EntryForm::kIpv6:
        out = Utf16ToUtf8(DisplayLists::Ipv6ForSending(Utf8ToUtf16(value)));
        return true;
    default:
        break;
    }
    if ((entryIndex == entry::kHeadCheckStartPos || entryIndex == entry::kHeadCheckStopPos) &&
        !Upper(value).starts_with(kDotToken)) {
        // The head check positions are written "DOT", TAB, the number.
        out = std::string(kDotToken) + "\t" + std::string(value);
        return true;
    }
    out = std::string(value);
    return true;
}

// A given setting that passed the first checks.
struct Pending {
    std::string typedKey;
    std::string key; // as the printer spells it
    std::string value;
    int entry;
};

void Refuse(AssignedSettings& out, const std::string& key, AssignmentProblem problem) {
    out.refused.push_back({key, problem, {}});
}

// The checks that need no parser: the key, the unlock, repetition, the value's characters and
// form. The lines of the settings that pass go to `lines`.
std::vector<Pending> CheckGiven(const std::vector<SettingAssignment>& assignments, int model,
                                bool advancedUnlocked, AssignedSettings& out, std::string& lines) {
    std::vector<Pending> pending;
    std::vector<std::string> seen;
    bool usbSerialOn = false;
    bool serialNumber = false;
    for (const SettingAssignment& a : assignments) {
        const SettingKeyLookup::Match match = SettingKeyLookup::Find(a.key, model);
        if (match.entry < 0) {
            out.refused.push_back(
                {a.key, AssignmentProblem::kUnknownKey, SettingKeyLookup::Nearest(a.key)});
            continue;
        }
        if (match.entry >= SettingsRecord::kWritableEntryCount) {
            Refuse(out, a.key, AssignmentProblem::kNotSettable);
            continue;
        }
        if (match.entry >= SettingsRecord::kStandardEntryCount && !advancedUnlocked) {
            Refuse(out, a.key, AssignmentProblem::kAdvanced);
            continue;
        }
        if (std::find(seen.begin(), seen.end(), match.key) != seen.end()) {
            Refuse(out, a.key, AssignmentProblem::kGivenTwice);
            continue;
        }
        seen.push_back(match.key);
        if (HasControlCharacter(a.value)) {
            Refuse(out, a.key, AssignmentProblem::kControlCharacter);
            continue;
        }
        std::string value;
        AssignmentProblem problem = AssignmentProblem::kInvalidValue;
        if (!ValueForLine(match.entry, a.value, value, problem)) {
            Refuse(out, a.key, problem);
            continue;
        }
        const std::string line = match.key + std::string(kSeparator) + value;
        if (line.size() > SettingsParser::kMaxLineLength) {
            Refuse(out, a.key, AssignmentProblem::kLineTooLong);
            continue;
        }
        if (match.key == kSerialNumberKey) {
            serialNumber = true;
        } else if (match.entry == entry::kUsbSerialNumber) {
            usbSerialOn = Upper(Trimmed(a.value)) == kUsbSerialOn;
        }
        lines += line;
        lines += kLineEnd;
        pending.push_back({a.key, match.key, a.value, match.entry});
    }
    if (serialNumber && !usbSerialOn) {
        // Alone, the number would go out with "USB SERIAL NUMBER : OFF" and be dropped.
        for (const Pending& p : pending) {
            if (p.key == kSerialNumberKey) {
                Refuse(out, p.typedKey, AssignmentProblem::kSerialWithoutOn);
            }
        }
    }
    return pending;
}

bool ArrivesAsGiven(int entryIndex, const SettingValue& item, const Pending& given) {
    if (DisplayLists::FormOf(entryIndex) != EntryForm::kText) {
        return true;
    }
    return Upper(Utf16ToUtf8(item.value)) == Upper(given.value);
}

} // namespace

AssignedSettings
SettingAssignmentOperation::Build(const std::vector<SettingAssignment>& assignments, int model,
                                  bool advancedUnlocked) {
    AssignedSettings out;
    out.options = SettingsOptions::For(model, false, advancedUnlocked);
    std::string lines;
    // The settings that passed the first checks are read even when others did not, so that
    // every refusal is named at once.
    const std::vector<Pending> pending =
        CheckGiven(assignments, model, advancedUnlocked, out, lines);

    // Read as Import reads a file: the frame's lead-in, the lines, "END".
    const ImportedText imported =
        SettingsFile::ImportBytes(std::string(kLeadIn) + lines + std::string(kEndLine));
    if (imported.result != FileResult::kOk) {
        Refuse(out, {}, AssignmentProblem::kTooLarge);
        return out;
    }
    SettingsRecord& record = out.given;
    record.modelIndex = model;
    record.text = imported.text;
    SettingsParser parser(out.options);
    parser.ParseSettings(record, 1);

    for (const Pending& p : pending) {
        const SettingValue& item = record.Item(p.entry);
        if (!item.ticked) {
            Refuse(out, p.typedKey, AssignmentProblem::kNotRead);
        } else if (item.error) {
            Refuse(out, p.typedKey, AssignmentProblem::kInvalidValue);
        } else if (p.key != kSerialNumberKey && !ArrivesAsGiven(p.entry, item, p)) {
            Refuse(out, p.typedKey, AssignmentProblem::kNotCarried);
        }
        out.entries.push_back(p.entry);
    }
    if (!out.Ok()) {
        return out;
    }
    // A key two entries share ticks both; one line each is what was asked for.
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        if (std::find(out.entries.begin(), out.entries.end(), e) == out.entries.end()) {
            record.Item(e).ticked = 0;
        }
    }

    // As Send Configuration: the send-ready items written with the printer's keys and parsed
    // back, so that a value the model refuses once it is written is caught too.
    out.ready = record;
    DisplayLists::MakeSendReady(out.ready, out.options);
    const ConfigurationWriter writer(out.options);
    BuiltConfiguration built =
        SendOperation(out.ready, writer, parser).Build(ConfigurationUse::kPrinter);
    if (built.code == kCodeInvalidItems) {
        for (const Pending& p : pending) {
            if (out.ready.Item(p.entry).error) {
                Refuse(out, p.typedKey, AssignmentProblem::kInvalidValue);
            }
        }
        return out;
    }
    if (FrameForSending(built.text).result != FrameResult::kOk) {
        Refuse(out, {}, AssignmentProblem::kTooLarge);
        return out;
    }
    out.text = std::move(built.text);
    return out;
}

AssignmentSendResult SettingAssignmentOperation::Send(AssignedSettings& built,
                                                      PrinterConnection& connection,
                                                      const InterfaceSettingsSource& settings) {
    AssignmentSendResult result;
    std::u16string text = built.text;
    if (SendOperation::CountTickedRfidItems(built.ready) > 0) {
        const RfidCheckedConfiguration checked =
            SendOperation::BuildForPrinter(built.ready, built.options, connection, settings);
        if (checked.rfid.code != kOperationOk) {
            result.code = checked.rfid.code;
            return result;
        }
        result.rfidRemoved = checked.removed;
        if (checked.removed) {
            SendOperation::UntickRfidItems(built.given);
        }
        if (checked.built.code != kOperationOk) {
            result.code = checked.built.code;
            return result;
        }
        text = checked.built.text;
    }
    result.sent = SendOperation::Send(text, connection, settings);
    result.code = result.sent.code;
    return result;
}

std::string SettingAssignmentOperation::MaskSecrets(std::string_view bytes) {
    std::string out;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::string_view line = bytes.substr(start, end - start);
        const size_t separator = line.find(kSeparator);
        if (separator != std::string_view::npos && entry::IsSecretKey(line.substr(0, separator))) {
            out += line.substr(0, separator + kSeparator.size());
            out += kMask;
            out += line.ends_with(kLineEnd) ? kLineEnd : std::string_view();
        } else {
            out += line;
        }
        start = end;
    }
    return out;
}

} // namespace qm

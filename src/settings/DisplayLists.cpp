#include "settings/DisplayLists.h"

#include "platform/Encoding.h"
#include "platform/TextFields.h"
#include "settings/EntrySource.h"
#include "settings/ModelTable.h"
#include "settings/SettingCatalogue.h"

#include <algorithm>
#include <cstdio>

namespace qm {
namespace {

using Table = EntrySource::Table;

const int kKeyboardLockRow = SettingCatalogue::FindValueRow("KEYBOARD LOCK");
const int kSymbolSetRow = SettingCatalogue::FindValueRow("SYMBOL SET");
const int kSensorLevelRow = SettingCatalogue::FindValueRow("SENSOR LEVEL");

constexpr int kFunctionSelectWithoutRewind = 4; // OFF, TEAR, PEEL ON, CUT ON
constexpr int kBuzzerWithoutOnOff = 5;

// A row's choices in page order: by code (every page list follows the codes).
std::vector<std::u16string> ByCode(const SettingItem& row, size_t limit = SIZE_MAX) {
    std::vector<Choice> choices(row.choices.choices.begin(), row.choices.choices.end());
    std::stable_sort(choices.begin(), choices.end(),
                     [](const Choice& a, const Choice& b) { return a.code < b.code; });
    std::vector<std::u16string> out;
    for (const Choice& c : choices) {
        if (out.size() >= limit) {
            break;
        }
        out.push_back(AnsiToWide(c.text));
    }
    return out;
}

const SettingItem& EnumRow(std::string_view key) {
    return SettingCatalogue::EnumeratedRows()[static_cast<size_t>(
        SettingCatalogue::FindEnumeratedRow(key))];
}

// Reads a field of 1 to maxDigits digits of the base (10 or 16); false for anything else.
bool ReadField(std::u16string_view field, int base, size_t maxDigits, unsigned& value) {
    if (field.empty() || field.size() > maxDigits) {
        return false;
    }
    value = 0;
    for (char16_t c : field) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (base == 16 && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (base == 16 && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        }
        if (digit < 0) {
            return false;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    return true;
}

// Exactly `count` decimal fields 0..255 joined by `separator`; false for anything else.
bool ReadBytes(std::u16string_view text, char16_t separator, size_t count,
               std::vector<unsigned>& bytes) {
    const auto parts = SplitFields(text, std::u16string_view(&separator, 1));
    if (parts.size() != count) {
        return false;
    }
    bytes.clear();
    for (std::u16string_view part : parts) {
        unsigned value = 0;
        if (!ReadField(part, 10, 3, value) || value > 255) {
            return false;
        }
        bytes.push_back(value);
    }
    return true;
}

// Up to eight groups of 1-4 hex digits joined by ':'; true when all were read.
bool ReadGroups(std::u16string_view text, std::vector<unsigned>& groups) {
    if (text.empty()) {
        return true;
    }
    for (std::u16string_view part : SplitFields(text, u":")) {
        unsigned value = 0;
        if (!ReadField(part, 16, 4, value)) {
            return false;
        }
        groups.push_back(value);
    }
    return groups.size() <= 8;
}

// An IPv6 address in hex groups, full ("fe80:0:0:0:0:0:0:1") or with one "::" standing for
// one or more zero groups ("fe80::1"), as sixteen bytes; false when it is not such an address.
bool ReadIpv6Groups(std::u16string_view text, std::vector<unsigned>& bytes) {
    std::vector<unsigned> head, tail;
    const size_t gap = text.find(u"::");
    if (gap == std::u16string_view::npos) {
        if (!ReadGroups(text, head) || head.size() != 8) {
            return false;
        }
    } else {
        if (text.find(u"::", gap + 1) != std::u16string_view::npos ||
            !ReadGroups(text.substr(0, gap), head) || !ReadGroups(text.substr(gap + 2), tail) ||
            head.size() + tail.size() > 7) {
            return false;
        }
        head.resize(8 - tail.size(), 0);
        head.insert(head.end(), tail.begin(), tail.end());
    }
    bytes.clear();
    for (unsigned group : head) {
        bytes.push_back(group >> 8);
        bytes.push_back(group & 0xFFu);
    }
    return true;
}

std::u16string JoinBytes(const std::vector<unsigned>& bytes) {
    std::u16string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += u',';
        }
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%u", bytes[i] & 0xFFu);
        out += AnsiToWide(buffer);
    }
    return out;
}

} // namespace

EntryForm DisplayLists::FormOf(int e) {
    if (e == entry::kUsbSerialNumber) {
        return EntryForm::kUsbSerial;
    }
    if (e == entry::kHeadCheckStartPos || e == entry::kHeadCheckStopPos ||
        e == entry::kHeadCheckPatternWidth) {
        return EntryForm::kHeadCheck;
    }
    if (e == entry::kVerticalImageShiftDots) {
        return EntryForm::kNumber;
    }
    const EntrySource source = EntrySource::Of(e, false);
    switch (source.table) {
    case Table::kEnumerated:
        return EntryForm::kList;
    case Table::kRfidCalibration:
        return EntryForm::kInformation;
    case Table::kNone:
        return EntryForm::kText;
    case Table::kValue:
        break;
    }
    if (source.row == kKeyboardLockRow || source.row == kSymbolSetRow) {
        return EntryForm::kList;
    }
    const ValueItem& row = SettingCatalogue::ValueRows()[static_cast<size_t>(source.row)];
    switch (row.convert) {
    case ConvertKind::kLength:
        return source.row == kSensorLevelRow ? EntryForm::kNumber : EntryForm::kLength;
    case ConvertKind::kIpv4:
        return EntryForm::kIpv4;
    case ConvertKind::kIpv6:
        return EntryForm::kIpv6;
    case ConvertKind::kText:
        return EntryForm::kText;
    default:
        return EntryForm::kNumber;
    }
}

std::vector<std::u16string> DisplayLists::ForEntry(int e, int model, const SettingsOptions& options,
                                                   int printMethodIndex) {
    switch (e) {
    case entry::kPrintSpeed: {
        int method = printMethodIndex;
        if (!ModelTable::PrintSpeedFollowsPrintMethod(model) || method < 0) {
            method = 0; // the model's own list: on 10-14 "2 IPS" to "4 IPS"
        }
        const int highest = ModelTable::MaxPrintSpeedCode(model, method, options.japaneseInterface);
        return ByCode(EnumRow("PRINT SPEED"), static_cast<size_t>(highest + 1));
    }
    case entry::kEmulationSelect: {
        std::vector<std::u16string> list;
        if (ModelTable::OffersEltronEmulation(model)) {
            list.push_back(u"EPI2");
        }
        list.push_back(u"ZPI2");
        for (auto& text : ByCode(EnumRow("EMULATION SELECT"))) {
            list.push_back(std::move(text));
        }
        return list;
    }
    case entry::kFunctionSelect:
        return ByCode(EnumRow("FUNCTION SELECT"),
                      ModelTable::AllowsRewind(model) ? SIZE_MAX : kFunctionSelectWithoutRewind);
    case entry::kBuzzerSelect:
        return ByCode(EnumRow("BUZZER SELECT"),
                      ModelTable::OffersBuzzerOnOff(model) ? SIZE_MAX : kBuzzerWithoutOnOff);
    case entry::kRibbonEndDetection: {
        auto list = ByCode(EnumRow("RIBBON END DETECTION"));
        if (ModelTable::RibbonEndRuleFor(model) == RibbonEndRule::kQuickIsBad) {
            list.erase(list.begin()); // NORMAL, SLOW
        }
        return list;
    }
    default:
        break;
    }
    const EntrySource source = EntrySource::Of(e, options.fixReflectKeys);
    if (source.table == Table::kEnumerated) {
        return ByCode(SettingCatalogue::EnumeratedRows()[static_cast<size_t>(source.row)]);
    }
    if (source.table == Table::kValue && source.row == kKeyboardLockRow) {
        return {u"OFF", u"ON"};
    }
    if (source.table == Table::kValue && source.row == kSymbolSetRow) {
        std::vector<std::u16string> list;
        for (int code = 0; code < SettingCatalogue::kSymbolSetCount; ++code) {
            list.push_back(AnsiToWide(SettingCatalogue::SymbolSetText(code)));
        }
        return list;
    }
    return {};
}

std::vector<std::u16string> DisplayLists::UnitList() {
    return {u"INCH", u"MM"};
}

std::u16string DisplayLists::ChoiceText(int e, int choice, int model,
                                        const SettingsOptions& options, int printMethodIndex) {
    const auto list = ForEntry(e, model, options, printMethodIndex);
    if (choice < 0 || static_cast<size_t>(choice) >= list.size()) {
        return {};
    }
    return list[static_cast<size_t>(choice)];
}

std::u16string DisplayLists::Ipv4ForSending(std::u16string_view value) {
    const char16_t separator = value.find(u',') != std::u16string_view::npos ? u',' : u'.';
    std::vector<unsigned> bytes;
    if (!ReadBytes(value, separator, 4, bytes)) {
        // Not four octets 0..255: kept as written, so the check before sending refuses it
        // instead of sending some other address.
        return std::u16string(value);
    }
    return JoinBytes(bytes);
}

std::u16string DisplayLists::Ipv6ForSending(std::u16string_view value) {
    std::vector<unsigned> bytes;
    const bool read = value.find(u':') == std::u16string_view::npos
                          ? ReadBytes(value, u',', 16, bytes) // already the comma form
                          : ReadIpv6Groups(value, bytes);
    if (!read) {
        return std::u16string(value); // refused by the check before sending
    }
    return JoinBytes(bytes);
}

std::u16string DisplayLists::Ipv6ForDisplay(std::u16string_view commaForm) {
    std::vector<unsigned> bytes;
    if (!ReadBytes(commaForm, u',', 16, bytes)) {
        return std::u16string(commaForm);
    }
    std::u16string out;
    for (size_t i = 0; i < 16; i += 2) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%02x%02x", bytes[i], bytes[i + 1]);
        if (i > 0) {
            out += u':';
        }
        out += AnsiToWide(buffer);
    }
    return out;
}

int DisplayLists::MakeSendReady(SettingsRecord& record, const SettingsOptions& options) {
    const int model = record.modelIndex;
    const SettingValue& method = record.Item(entry::kPrintMethod);
    const int printMethodIndex = method.ticked && !method.error ? method.choice : -1;
    int changed = 0;
    for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
        SettingValue& item = record.Item(e);
        if (!item.ticked || item.error) {
            continue;
        }
        const SettingValue before = item;
        switch (FormOf(e)) {
        case EntryForm::kList: {
            std::u16string text = ChoiceText(e, item.choice, model, options, printMethodIndex);
            if (!text.empty()) {
                item.value = std::move(text);
            }
            break;
        }
        case EntryForm::kUsbSerial: {
            std::u16string text = ChoiceText(e, item.choice, model, options);
            if (!text.empty()) {
                item.second = std::move(text);
            }
            break;
        }
        case EntryForm::kLength:
            item.second = item.metric ? u"MM" : u"INCH";
            break;
        case EntryForm::kIpv4:
            item.value = Ipv4ForSending(item.value);
            break;
        case EntryForm::kIpv6:
            item.value = Ipv6ForSending(item.value);
            break;
        default:
            break;
        }
        if (!(item == before)) {
            ++changed;
        }
    }
    return changed;
}

} // namespace qm

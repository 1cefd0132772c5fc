#include "settings/RecordComparison.h"

#include "platform/Encoding.h"
#include "settings/DisplayLists.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qm {
namespace {

// The wireless keys, the pre-shared key and the EAP password: a receive forgets them.
bool IsForgottenOnReceive(int entryIndex) {
    return (entryIndex >= entry::kWlanWepKey1 && entryIndex <= entry::kWlanPsk) ||
           entryIndex == entry::kEapPassword;
}

// The value as a configuration line carries it: value, then the unit (lengths) or the ON/OFF
// choice (USB SERIAL NUMBER) after a blank.
std::string Shown(const SettingValue& item) {
    std::string text = Utf16ToUtf8(item.value);
    if (!item.second.empty()) {
        text += (text.empty() ? "" : " ") + Utf16ToUtf8(item.second);
    }
    return item.error ? "(refused) " + text : text;
}

constexpr double kMillimetresPerInch = 25.4;
constexpr double kMetricSteps = 10.0; // lengths in millimetres carry one decimal
constexpr double kInchSteps = 100.0;  // lengths in inches carry two

bool ReadNumber(const std::u16string& text, double& number) {
    const std::string narrow = Utf16ToUtf8(text);
    char* end = nullptr;
    number = std::strtod(narrow.c_str(), &end);
    return !narrow.empty() && end == narrow.c_str() + narrow.size();
}

// A length the printer reports in the other unit ("0.00 INCH" for a file's "0.0 MM") is the
// same setting when it comes to the same steps of the file's unit.
bool SameLength(const SettingValue& file, const SettingValue& printer) {
    const bool fileMetric = file.second == u"MM";
    if ((!fileMetric && file.second != u"INCH") ||
        (printer.second != u"MM" && printer.second != u"INCH") || file.error || printer.error) {
        return false;
    }
    double mine = 0.0;
    double theirs = 0.0;
    if (!ReadNumber(file.value, mine) || !ReadNumber(printer.value, theirs)) {
        return false;
    }
    if (printer.second != file.second) {
        theirs = fileMetric ? theirs * kMillimetresPerInch : theirs / kMillimetresPerInch;
    }
    const double steps = fileMetric ? kMetricSteps : kInchSteps;
    return std::lround(mine * steps) == std::lround(theirs * steps);
}

} // namespace

bool RecordComparison::Agree() const {
    return std::none_of(items.begin(), items.end(), [](const ItemComparison& item) {
        return item.outcome != ComparisonOutcome::kNotCompared;
    });
}

int RecordComparison::Count(ComparisonOutcome outcome) const {
    return static_cast<int>(std::count_if(
        items.begin(), items.end(), [&](const auto& item) { return item.outcome == outcome; }));
}

RecordComparison RecordComparison::Compare(const SettingsRecord& file,
                                           const SettingsRecord& printer,
                                           const SettingsOptions& options) {
    SettingsRecord fileForm = file;
    SettingsRecord printerForm = printer;
    DisplayLists::MakeSendReady(fileForm, options);
    DisplayLists::MakeSendReady(printerForm, options);
    RecordComparison result;
    for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
        const SettingValue& mine = fileForm.Item(e);
        if (!mine.ticked) {
            continue;
        }
        ItemComparison item;
        item.entry = e;
        item.key = std::string(SettingsRecord::EntryKey(e));
        const SettingValue& theirs = printerForm.Item(e);
        if (IsForgottenOnReceive(e)) {
            // A key or password is named, never shown.
            item.outcome = ComparisonOutcome::kNotCompared;
            result.items.push_back(std::move(item));
            continue;
        }
        item.fileValue = Shown(mine);
        if (!theirs.ticked) {
            item.outcome = ComparisonOutcome::kNotReported;
            result.items.push_back(std::move(item));
            continue;
        }
        ++result.compared;
        item.printerValue = Shown(theirs);
        const bool same =
            item.printerValue == item.fileValue ||
            (DisplayLists::FormOf(e) == EntryForm::kLength && SameLength(mine, theirs));
        if (!same) {
            item.outcome = ComparisonOutcome::kDiffers;
            result.items.push_back(std::move(item));
        }
    }
    return result;
}

} // namespace qm

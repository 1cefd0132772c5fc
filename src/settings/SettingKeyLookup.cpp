#include "settings/SettingKeyLookup.h"

#include "settings/ModelTable.h"
#include "settings/SettingsRecord.h"

#include <algorithm>
#include <numeric>

namespace qm {
namespace {

// Keys the printer uses beside the entry keys, and the entry each one sets.
struct OtherKey {
    std::string_view key;
    int entry;
};
constexpr OtherKey kOtherKeys[] = {
    {"RFID CALIB Y POSITION", entry::kFirstRfid + 1},
    {"RFID Y POSITION", entry::kFirstRfid + 2},
    {"RFID WRITE POWER", entry::kFirstRfid + 3},
    {"RFID NGMARK POSITION", entry::kFirstRfid + 4},
    {"RFID NGMARK WIDTH", entry::kFirstRfid + 5},
    {"RFID NGMARK HEIGHT", entry::kFirstRfid + 6},
    {"RFID NGMARK THICKNESS", entry::kLastRfid},
    {"LCD STANDBY", entry::kStandbyMode},
    {"SERIAL NUMBER", entry::kUsbSerialNumber},
};

constexpr std::string_view kLcdStandby = "LCD STANDBY";
constexpr std::string_view kStandbyMode = "STANDBY MODE";

// A known key and the first entry it names.
struct KnownKey {
    std::string key;
    std::string comparable;
    int entry;
};

const std::vector<KnownKey>& KnownKeys() {
    static const std::vector<KnownKey> keys = [] {
        std::vector<KnownKey> list;
        auto add = [&list](std::string_view key, int entryIndex) {
            const std::string comparable = SettingKeyLookup::Comparable(key);
            const bool seen = std::any_of(list.begin(), list.end(), [&](const KnownKey& k) {
                return k.comparable == comparable;
            });
            if (!seen) {
                list.push_back({std::string(key), comparable, entryIndex});
            }
        };
        for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
            add(SettingsRecord::EntryKey(e), e);
        }
        for (const OtherKey& other : kOtherKeys) {
            add(other.key, other.entry);
        }
        return list;
    }();
    return keys;
}

size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), size_t{0});
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                               diagonal + (a[i - 1] == b[j - 1] ? size_t{0} : size_t{1})});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string SettingKeyLookup::Comparable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '-' || c == '_') {
            c = ' ';
        } else if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        out += c;
    }
    return out;
}

std::string SettingKeyLookup::Typed(std::string_view key) {
    std::string out(key);
    for (char& c : out) {
        if (c == ' ') {
            c = '-';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

SettingKeyLookup::Match SettingKeyLookup::Find(std::string_view typed, int model) {
    const std::string comparable = Comparable(typed);
    for (const KnownKey& known : KnownKeys()) {
        if (known.comparable != comparable) {
            continue;
        }
        Match match{known.entry, known.key};
        if (known.entry == entry::kVerticalImageShiftLength &&
            !ModelTable::HasLengthVerticalImageShift(model)) {
            match.entry = entry::kVerticalImageShiftDots;
        }
        if (known.entry == entry::kStandbyMode) {
            // The printer reads its own spelling only.
            match.key = ModelTable::UsesLcdStandbyKey(model) ? kLcdStandby : kStandbyMode;
        }
        return match;
    }
    return {};
}

std::vector<std::string> SettingKeyLookup::Nearest(std::string_view typed, size_t count) {
    const std::string comparable = Comparable(typed);
    constexpr size_t kShortestPart = 3; // a shorter text is part of too many keys
    struct Candidate {
        bool part;
        size_t distance;
        size_t order;
    };
    std::vector<Candidate> candidates;
    const std::vector<KnownKey>& keys = KnownKeys();
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& key = keys[i].comparable;
        const bool part =
            comparable.size() >= kShortestPart && key.find(comparable) != std::string::npos;
        const size_t distance = EditDistance(comparable, key);
        if (part || distance * 3 <= key.size()) {
            candidates.push_back({part, distance, i});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) {
                         return a.part != b.part ? a.part : a.distance < b.distance;
                     });
    std::vector<std::string> nearest;
    for (size_t i = 0; i < candidates.size() && i < count; ++i) {
        nearest.push_back(keys[candidates[i].order].key);
    }
    return nearest;
}

const std::vector<std::string>& SettingKeyLookup::Keys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> list;
        for (const KnownKey& known : KnownKeys()) {
            list.push_back(known.key);
        }
        return list;
    }();
    return keys;
}

} // namespace qm

#include "text/TextTable.h"

#include "text/TextData.h"

#include <array>
#include <string>

namespace qm {
namespace {

TextGroup& GroupOf(TextEntry& entry, TextPart part) {
    switch (part) {
    case TextPart::kChoice:
        return entry.choice;
    case TextPart::kUnit:
        return entry.unit;
    case TextPart::kCaption:
        break;
    }
    return entry.caption;
}

TextGroup GroupOf(const TextEntry& entry, TextPart part) {
    switch (part) {
    case TextPart::kChoice:
        return entry.choice;
    case TextPart::kUnit:
        return entry.unit;
    case TextPart::kCaption:
        break;
    }
    return entry.caption;
}

bool IsTextId(TextId id) {
    const int value = static_cast<int>(id);
    return value >= 0 && value < kTextIdCount;
}

// The short-row block (every file's rows joined in block order), the directory built from it,
// and the long rows by id.
struct Tables {
    std::vector<ShortRow> shortRows;
    std::array<TextEntry, kTextIdCount> directory{};
    std::vector<LongRow> longRows;
};

Tables BuildTables() {
    Tables tables;
    for (const auto* file : text_data::kShortRowFiles) {
        for (const auto& row : *file) {
            if (!IsTextId(row.id)) {
                continue;
            }
            TextGroup& group =
                GroupOf(tables.directory[static_cast<std::size_t>(row.id)], row.part);
            if (group.count == 0) {
                group.first = static_cast<int>(tables.shortRows.size());
            }
            ++group.count;
            tables.shortRows.push_back(row.row);
        }
    }
    tables.longRows.resize(static_cast<std::size_t>(kLongTextIdCount));
    for (const auto& entry : text_data::kLongEntries) {
        const int id = static_cast<int>(entry.id);
        if (id >= 0 && id < kLongTextIdCount) {
            tables.longRows[static_cast<std::size_t>(id)] = entry.row;
        }
    }
    return tables;
}

const Tables& GetTables() {
    static const Tables tables = BuildTables();
    return tables;
}

} // namespace

std::span<const ShortRow> TextTable::ShortRows() {
    return GetTables().shortRows;
}

TextEntry TextTable::Entry(TextId id) {
    if (!IsTextId(id)) {
        return {};
    }
    return GetTables().directory[static_cast<std::size_t>(id)];
}

std::span<const ShortRow> TextTable::Rows(TextId id, TextPart part) {
    const TextGroup group = GroupOf(Entry(id), part);
    if (group.count <= 0) {
        return {};
    }
    return ShortRows().subspan(static_cast<std::size_t>(group.first),
                               static_cast<std::size_t>(group.count));
}

std::u16string_view TextTable::Text(TextId id, TextPart part, int index, UiLanguage language) {
    const auto rows = Rows(id, part);
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
        return {};
    }
    return rows[static_cast<std::size_t>(index)].Text(language);
}

std::vector<std::u16string> TextTable::List(TextId id, TextPart part, UiLanguage language) {
    std::vector<std::u16string> list;
    for (const auto& row : Rows(id, part)) {
        list.emplace_back(row.Text(language));
    }
    return list;
}

std::span<const LongRow> TextTable::LongRows() {
    return GetTables().longRows;
}

std::u16string_view TextTable::Long(LongTextId id, UiLanguage language) {
    const int index = static_cast<int>(id);
    const auto rows = LongRows();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
        return {};
    }
    return rows[static_cast<std::size_t>(index)].Text(language);
}

std::span<const LongRow> TextTable::MessageRows() {
    return text_data::kMessageRows;
}

std::u16string_view TextTable::Message(int index, UiLanguage language) {
    const auto rows = MessageRows();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
        return {};
    }
    return rows[static_cast<std::size_t>(index)].Text(language);
}

std::vector<FileFilter> TextTable::FileFilters(UiLanguage language) {
    const auto rows = LongRows();
    const auto index = static_cast<std::size_t>(LongTextId::kFileFilter);
    std::vector<FileFilter> filters;
    if (index >= rows.size()) {
        return filters;
    }
    const std::u16string_view cell = rows[index].Cell(language);
    std::size_t pos = 0;
    // Reads the next NUL-terminated string; a string that runs to the end of the cell without
    // its NUL ends the list.
    auto next = [&](std::u16string_view& out) {
        const std::size_t end = cell.find(u'\0', pos);
        if (end == std::u16string_view::npos) {
            return false;
        }
        out = cell.substr(pos, end - pos);
        pos = end + 1;
        return true;
    };
    std::u16string_view description;
    std::u16string_view pattern;
    while (next(description) && !description.empty() && next(pattern) && !pattern.empty()) {
        filters.push_back({std::u16string(description), std::u16string(pattern)});
    }
    return filters;
}

std::u16string TextTable::Translate(std::span<const ShortRow> rows, int target,
                                    std::u16string_view text) {
    return Translate(rows.data(), rows.size(), target, text);
}

std::u16string TextTable::Translate(const ShortRow* rows, std::size_t count, int target,
                                    std::u16string_view text) {
    std::u16string result(text);
    if (rows == nullptr || !IsLanguageIndex(target)) {
        return result;
    }
    const UiLanguage to = UiLanguageFromIndex(target);
    for (std::size_t i = 0; i < count; ++i) {
        for (int language = 0; language < kUiLanguageCount; ++language) {
            if (rows[i].Text(UiLanguageFromIndex(language)) == text) {
                result = rows[i].Text(to);
                break;
            }
        }
    }
    return result;
}

namespace text_data {

std::vector<std::string> CheckTextData() {
    std::vector<std::string> faults;
    // Every group must be one run of rows: once a group's run has ended, no later row may
    // belong to it again.
    std::array<std::array<bool, 3>, kTextIdCount> ended{};
    std::array<bool, kTextIdCount> seen{};
    int lastId = -1;
    int lastPart = -1;
    for (const auto* file : kShortRowFiles) {
        for (const auto& row : *file) {
            const int id = static_cast<int>(row.id);
            const int part = static_cast<int>(row.part);
            if (id < 0 || id >= kTextIdCount || part < 0 || part > 2) {
                faults.push_back("row with an unknown entry or group");
                continue;
            }
            const auto uid = static_cast<std::size_t>(id);
            const auto upart = static_cast<std::size_t>(part);
            if (id != lastId || part != lastPart) {
                if (lastId >= 0) {
                    ended[static_cast<std::size_t>(lastId)][static_cast<std::size_t>(lastPart)] =
                        true;
                }
                if (ended[uid][upart]) {
                    faults.push_back("entry " + std::to_string(id) + " group " +
                                     std::to_string(part) + " is split");
                }
            }
            seen[uid] = true;
            lastId = id;
            lastPart = part;
        }
    }
    for (int id = 0; id < kTextIdCount; ++id) {
        if (!seen[static_cast<std::size_t>(id)]) {
            faults.push_back("entry " + std::to_string(id) + " has no rows");
        }
    }
    int expected = 0;
    for (const auto& entry : kLongEntries) {
        if (static_cast<int>(entry.id) != expected) {
            faults.push_back("long row " + std::to_string(expected) + " out of order");
        }
        ++expected;
    }
    return faults;
}

} // namespace text_data
} // namespace qm

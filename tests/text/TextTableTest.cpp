#include "text/TextTable.h"
#include "text/TextData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qm {
namespace {

constexpr UiLanguage kAll[] = {UiLanguage::kEnglish, UiLanguage::kJapanese, UiLanguage::kChinese,
                               UiLanguage::kKorean};

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

// A cell holds a non-empty text, its NUL inside the cell, and zeros after it (the file filter
// cell holds several strings, so only its end is checked there).
template <std::size_t N>
void ExpectCellsSound(const FixedTextRow<N>& row, const std::string& where, bool multiString) {
    for (int language = 0; language < kUiLanguageCount; ++language) {
        const auto& cell = row.cells[static_cast<std::size_t>(language)];
        const auto text = row.Text(UiLanguageFromIndex(language));
        EXPECT_FALSE(text.empty()) << where << " language " << language;
        ASSERT_LE(text.size(), N - 1) << where << " language " << language;
        if (multiString) {
            EXPECT_EQ(cell[N - 1], u'\0') << where;
            EXPECT_EQ(cell[N - 2], u'\0') << where;
            continue;
        }
        EXPECT_TRUE(std::all_of(cell.begin() + static_cast<std::ptrdiff_t>(text.size()), cell.end(),
                                [](char16_t c) { return c == u'\0'; }))
            << where << " language " << language;
    }
}

TEST(TextTable, EveryCellFitsItsWidthAndNoRowLacksALanguage) {
    ASSERT_FALSE(TextTable::ShortRows().empty());
    for (std::size_t i = 0; i < TextTable::ShortRows().size(); ++i) {
        ExpectCellsSound(TextTable::ShortRows()[i], "short row " + std::to_string(i), false);
    }
    ASSERT_EQ(TextTable::MessageRows().size(), static_cast<std::size_t>(kMessageCount));
    for (std::size_t i = 0; i < TextTable::MessageRows().size(); ++i) {
        ExpectCellsSound(TextTable::MessageRows()[i], "message " + std::to_string(i), false);
    }
    ASSERT_EQ(TextTable::LongRows().size(), static_cast<std::size_t>(kLongTextIdCount));
    for (std::size_t i = 0; i < TextTable::LongRows().size(); ++i) {
        ExpectCellsSound(TextTable::LongRows()[i], "long row " + std::to_string(i),
                         i == static_cast<std::size_t>(LongTextId::kFileFilter));
    }
}

TEST(TextTable, DirectoryGroupsAreWholeAndEveryEntryHasRows) {
    const auto faults = text_data::CheckTextData();
    for (const auto& fault : faults) {
        ADD_FAILURE() << fault;
    }
    // The groups cover the whole block without overlap.
    std::size_t total = 0;
    for (int id = 0; id < kTextIdCount; ++id) {
        const TextEntry entry = TextTable::Entry(static_cast<TextId>(id));
        total +=
            static_cast<std::size_t>(entry.caption.count + entry.choice.count + entry.unit.count);
    }
    EXPECT_EQ(total, TextTable::ShortRows().size());
    // The main window comes first.
    EXPECT_EQ(TextTable::Entry(TextId::kMainTabs).caption.first, 0);
    EXPECT_EQ(TextTable::Caption(TextId::kMainTabs, UiLanguage::kEnglish, 0), u"Easy");
}

TEST(TextTable, OutOfRangeLookupsGiveEmptyTextOrEnglish) {
    EXPECT_TRUE(TextTable::Choice(TextId::kMainReceive, 5, UiLanguage::kEnglish).empty());
    EXPECT_TRUE(TextTable::Choice(TextId::kMainReceive, -1, UiLanguage::kEnglish).empty());
    EXPECT_TRUE(TextTable::Rows(TextId::kCount, TextPart::kCaption).empty());
    EXPECT_TRUE(TextTable::Rows(static_cast<TextId>(-3), TextPart::kChoice).empty());
    EXPECT_TRUE(TextTable::Message(kMessageCount, UiLanguage::kEnglish).empty());
    EXPECT_TRUE(TextTable::Message(-1, UiLanguage::kEnglish).empty());
    EXPECT_TRUE(TextTable::Long(LongTextId::kCount, UiLanguage::kEnglish).empty());
    // A language value outside 0..3 reads the English cell, never past the row.
    EXPECT_EQ(TextTable::Choice(TextId::kMainReceive, 4, static_cast<UiLanguage>(9)), u"ALL");
    EXPECT_EQ(TextTable::Message(12, static_cast<UiLanguage>(-1)), u"Exit program?");
}

// Page code maps its row numbers to entries; the rows the description names must land there.
TEST(TextTable, PageRowsMapToTheirEntries) {
    const struct {
        int row;
        const char16_t* caption;
    } standard[] = {
        {0, u"Config Set"},         {1, u"Print Speed"},      {10, u"Vertical Image Shift"},
        {13, u"Media Sensor"},      {38, u"Function Select"}, {45, u"Paper Position"},
        {66, u"RS-232C Baud Rate"}, {100, u"RFID Settings"},  {107, u"RFID NG Mark Thickness"},
        {113, u"USB Host"}};
    for (const auto& check : standard) {
        EXPECT_EQ(TextTable::Caption(StandardRowText(check.row), UiLanguage::kEnglish),
                  check.caption)
            << "Standard row " << check.row;
    }
    const struct {
        int row;
        const char16_t* caption;
    } advanced[] = {{0, u"Through Sensor Position"},
                    {19, u"Fix Reflect Sensitivity"},
                    {36, u"Head Check Start Position"},
                    {51, u"Head Check Pattern Wid"},
                    {64, u"RFID Reverse Media Length"}};
    for (const auto& check : advanced) {
        EXPECT_EQ(TextTable::Caption(AdvancedRowText(check.row), UiLanguage::kEnglish),
                  check.caption)
            << "Advanced row " << check.row;
    }
    for (int row = 0; row < kStandardRowCount; ++row) {
        const int captions = TextTable::Entry(StandardRowText(row)).caption.count;
        EXPECT_EQ(captions, row == 28 ? 2 : 1) << "Standard row " << row;
    }
    for (int row = 0; row < kAdvancedRowCount; ++row) {
        EXPECT_EQ(TextTable::Entry(AdvancedRowText(row)).caption.count, 1)
            << "Advanced row " << row;
    }
    // The list lengths the pages cut from.
    EXPECT_EQ(TextTable::Choices(TextId::kStdPrintSpeed).size(), 9u);
    EXPECT_EQ(TextTable::Choice(TextId::kStdPrintSpeed, 8, UiLanguage::kKorean), u"10 IPS");
    EXPECT_EQ(TextTable::Choices(TextId::kStdSymbolSet).size(), 88u);
    EXPECT_EQ(TextTable::Choice(TextId::kStdSymbolSet, 55, UiLanguage::kEnglish), u"u1");
    EXPECT_EQ(TextTable::Choice(TextId::kStdSymbolSet, 87, UiLanguage::kEnglish), u"ZZ");
    EXPECT_EQ(TextTable::Choices(TextId::kStdBuzzerSelect).size(), 7u);
    EXPECT_EQ(TextTable::Choice(TextId::kStdFunctionSelect, 4, UiLanguage::kEnglish), u"REWIND");
    EXPECT_EQ(TextTable::Choice(TextId::kStdEmulationSelect, 4, UiLanguage::kEnglish), u"EPI2");
    EXPECT_EQ(TextTable::Choice(TextId::kEasyPostPrint, 4, UiLanguage::kEnglish), u"REWIND");
}

// The Standard and Advanced pages send the selected list text and unit text as the value, so
// every value and unit there must read as the printer spells it, whatever the language; every
// unit list holds INCH at 0 and MM at 1.
TEST(TextTable, PrinterSpelledValuesAreTheSameInEveryLanguage) {
    auto check = [](TextId id) {
        for (TextPart part : {TextPart::kChoice, TextPart::kUnit}) {
            for (const auto& row : TextTable::Rows(id, part)) {
                for (UiLanguage language : kAll) {
                    EXPECT_EQ(row.Text(language), row.Text(UiLanguage::kEnglish))
                        << "entry " << static_cast<int>(id) << ": "
                        << Narrow(row.Text(UiLanguage::kEnglish));
                }
            }
        }
        const auto units = TextTable::Units(id);
        if (units.size() == 2) {
            EXPECT_EQ(units[0].Text(UiLanguage::kJapanese), u"INCH");
            EXPECT_EQ(units[1].Text(UiLanguage::kJapanese), u"MM");
        }
    };
    check(TextId::kConfigSet);
    for (int row = 1; row < kStandardRowCount; ++row) {
        check(StandardRowText(row));
    }
    for (int row = 0; row < kAdvancedRowCount; ++row) {
        check(AdvancedRowText(row));
    }
}

// A displayed text carried from any language to any other and back comes home unchanged: no
// two rows of one group may share a text in any language, or a page would jump to another
// entry when the language changes.
TEST(TextTable, EveryGroupTranslatesBothWaysWithoutAmbiguity) {
    for (int id = 0; id < kTextIdCount; ++id) {
        for (TextPart part : {TextPart::kCaption, TextPart::kChoice, TextPart::kUnit}) {
            const auto rows = TextTable::Rows(static_cast<TextId>(id), part);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                for (UiLanguage from : kAll) {
                    for (UiLanguage to : kAll) {
                        EXPECT_EQ(TextTable::Translate(rows, LanguageIndex(to), rows[i].Text(from)),
                                  rows[i].Text(to))
                            << "entry " << id << " group " << static_cast<int>(part) << " row "
                            << i;
                    }
                }
            }
        }
    }
}

TEST(TextTable, TranslateRules) {
    const auto scope = TextTable::Choices(TextId::kMainReceive);
    EXPECT_EQ(TextTable::Translate(scope, 0, u"全て"), u"ALL");
    EXPECT_EQ(TextTable::Translate(scope, 3, u"INFORMATION"), u"정보");
    // No match, a target of 4 or more, a negative target, or no table: unchanged.
    EXPECT_EQ(TextTable::Translate(scope, 1, u"EVERYTHING"), u"EVERYTHING");
    EXPECT_EQ(TextTable::Translate(scope, 4, u"ALL"), u"ALL");
    EXPECT_EQ(TextTable::Translate(scope, -1, u"ALL"), u"ALL");
    EXPECT_EQ(TextTable::Translate(nullptr, 5, 1, u"ALL"), u"ALL");
    EXPECT_EQ(TextTable::Translate(scope.first(0), 1, u"ALL"), u"ALL");
    // The last matching row wins.
    constexpr ShortRow block[] = {Short(u"A", u"x", u"y", u"z"), Short(u"B", u"x", u"q", u"r"),
                                  Short(u"C", u"k", u"l", u"m")};
    EXPECT_EQ(TextTable::Translate(block, 0, u"x"), u"B");
    EXPECT_EQ(TextTable::Translate(block, 3, u"C"), u"m");
    // Within an entry's group.
    EXPECT_EQ(TextTable::Translate(TextId::kEasyPostPrint, TextPart::kChoice, 0, u"ティアオフ"),
              u"TEAR");
    EXPECT_EQ(TextTable::Translate(TextId::kComParity, TextPart::kChoice, 1, u"None"), u"なし");
}

// Switching the main window to Korean and back restores every caption, and the scope choice
// carried through both changes keeps its entry.
TEST(TextTable, LanguageRoundTripOfTheMainWindow) {
    const TextId captioned[] = {
        TextId::kMainTabs,       TextId::kMainCheckAll, TextId::kMainPrinterModel,
        TextId::kMainDriverName, TextId::kMainDetail,   TextId::kMainIpAddress,
        TextId::kMainPortNumber, TextId::kMainSend,     TextId::kMainImport,
        TextId::kMainExport,     TextId::kMainReceive,  TextId::kMainRestoreDefaults,
        TextId::kMainExit};
    for (TextId id : captioned) {
        const auto rows = TextTable::Captions(id);
        ASSERT_FALSE(rows.empty());
        for (const auto& row : rows) {
            const std::u16string english(row.Text(UiLanguage::kEnglish));
            const std::u16string korean = TextTable::Translate(rows, 3, english);
            EXPECT_EQ(korean, row.Text(UiLanguage::kKorean));
            EXPECT_NE(korean, english);
            EXPECT_EQ(TextTable::Translate(rows, 0, korean), english);
        }
    }
    const auto scope = TextTable::ChoiceList(TextId::kMainReceive, UiLanguage::kKorean);
    ASSERT_EQ(scope.size(), 5u);
    EXPECT_EQ(scope[1], u"기본");
    const std::u16string back =
        TextTable::Translate(TextTable::Choices(TextId::kMainReceive), 0, scope[1]);
    EXPECT_EQ(back, u"STANDARD");
}

TEST(TextTable, FileFiltersPerLanguage) {
    const auto english = TextTable::FileFilters(UiLanguage::kEnglish);
    ASSERT_EQ(english.size(), 2u);
    EXPECT_EQ(english[0].description, u"PRN Files (*.prn)");
    EXPECT_EQ(english[0].pattern, u"*.prn");
    EXPECT_EQ(english[1].description, u"All Files (*.*)");
    EXPECT_EQ(english[1].pattern, u"*.*");
    for (UiLanguage language : kAll) {
        const auto filters = TextTable::FileFilters(language);
        ASSERT_EQ(filters.size(), 2u);
        EXPECT_EQ(filters[0].pattern, u"*.prn");
        EXPECT_EQ(filters[1].pattern, u"*.*");
        EXPECT_NE(filters[0].description.find(u"(*.prn)"), std::u16string::npos);
    }
    EXPECT_NE(TextTable::FileFilters(UiLanguage::kJapanese)[1].description, u"All Files (*.*)");
}

TEST(TextTable, MessageCodePrefixesMatchInEveryLanguage) {
    for (int index = 0; index < kMessageCount; ++index) {
        const auto english = TextTable::Message(index, UiLanguage::kEnglish);
        if (english.substr(0, 7) != u"code : ") {
            continue;
        }
        const auto prefix = english.substr(0, english.find(u"\r\n") + 2);
        ASSERT_EQ(prefix.size(), 11u) << index;
        for (UiLanguage language : kAll) {
            const auto text = TextTable::Message(index, language);
            EXPECT_EQ(text.substr(0, prefix.size()), prefix) << index;
            EXPECT_GT(text.size(), prefix.size()) << index;
        }
    }
}

TEST(UiLanguage, IndexAndLanguageIdRules) {
    EXPECT_EQ(UiLanguageFromIndex(2), UiLanguage::kChinese);
    EXPECT_EQ(UiLanguageFromIndex(4), UiLanguage::kEnglish);
    EXPECT_EQ(UiLanguageFromIndex(255), UiLanguage::kEnglish);
    EXPECT_EQ(UiLanguageFromIndex(-1), UiLanguage::kEnglish);
    EXPECT_EQ(UiLanguageFromLanguageId(0x11), UiLanguage::kJapanese);
    EXPECT_EQ(UiLanguageFromLanguageId(0x04), UiLanguage::kChinese);
    EXPECT_EQ(UiLanguageFromLanguageId(0x12), UiLanguage::kKorean);
    EXPECT_EQ(UiLanguageFromLanguageId(0x09), UiLanguage::kEnglish);
    // The language combo's entries are each language's own name, in every language.
    for (UiLanguage shown : kAll) {
        for (UiLanguage entry : kAll) {
            EXPECT_EQ(TextTable::Choice(TextId::kMainLanguage, LanguageIndex(entry), shown),
                      LanguageName(entry));
        }
    }
    EXPECT_EQ(LanguageName(UiLanguage::kKorean), u"한국어");
}

} // namespace
} // namespace qm

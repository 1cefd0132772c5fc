#include "SettingsTestSupport.h"
#include "settings/EntrySource.h"
#include "settings/SettingCatalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace qm {
namespace {

using test::Parse;

// Every entry that the writer can write must be read back by some catalogue row: a key typed
// differently in the entry table and the catalogue would silently lose that setting.
TEST(Catalogue, EveryWritableEntryKeyHasACatalogueRow) {
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        for (bool fix : {false, true}) {
            EXPECT_NE(EntrySource::Of(e, fix).table, EntrySource::Table::kNone)
                << "entry " << e << " " << SettingsRecord::EntryKey(e);
        }
    }
    EXPECT_EQ(EntrySource::Of(179, false).table, EntrySource::Table::kRfidCalibration);
}

// Each choice text of every enumerated row parses back to its own code; no two choices of a
// row share a text or a code.
TEST(Catalogue, EveryChoiceParsesToItsCode) {
    SettingsParser parser;
    for (const SettingItem& row : SettingCatalogue::EnumeratedRows()) {
        std::set<std::string_view> texts;
        std::set<int> codes;
        for (const Choice& choice : row.choices.choices) {
            EXPECT_TRUE(texts.insert(choice.text).second) << row.key;
            EXPECT_TRUE(codes.insert(choice.code).second) << row.key;
            SettingsRecord record;
            record.modelIndex = 15; // a model without speed, buzzer or rewind limits
            record.text = test::Reply({std::string(row.key) + "\t:\t" + std::string(choice.text)});
            parser.ParseSettings(record, 1);
            const int r = SettingCatalogue::FindEnumeratedRow(row.key);
            EXPECT_EQ(parser.Image().codes[static_cast<size_t>(r)], choice.code)
                << row.key << " " << choice.text;
            EXPECT_FALSE(parser.Flags().enumerated[static_cast<size_t>(r)].bad);
        }
    }
}

TEST(Catalogue, CodesThatDifferFromTheirPosition) {
    const SettingItem& method = SettingCatalogue::EnumeratedRows()[static_cast<size_t>(
        SettingCatalogue::FindEnumeratedRow("PRINT METHOD"))];
    EXPECT_EQ(SettingCatalogue::ChoiceText(method, 0), "TT");
    EXPECT_EQ(SettingCatalogue::ChoiceText(method, 1), "DT");

    // 19200 is code 5 and list index 3; codes 0, 4, 6 do not exist.
    auto record = Parse({"RS-232C BAUD\t:\t19200"});
    EXPECT_EQ(record.Item(entry::kRs232cBaud).choice, 3);
    record = Parse({"RS-232C BAUD\t:\t115200"});
    EXPECT_EQ(record.Item(entry::kRs232cBaud).choice, 6);

    // ON = 0 / OFF = 1 rows against the usual OFF = 0 / ON = 1.
    record = Parse({"IEEE1284\t:\tOFF", "SETTINGS LOCK\t:\tOFF"});
    EXPECT_EQ(record.Item(71).choice, 1);
    EXPECT_EQ(record.Item(26).choice, 0);
}

TEST(Catalogue, SymbolSetLookupIsExactAndComplete) {
    EXPECT_EQ(SettingCatalogue::SymbolSetCode("CP"), 0);
    EXPECT_EQ(SettingCatalogue::SymbolSetCode("u1"), 55);
    EXPECT_EQ(SettingCatalogue::SymbolSetCode("U1"), -1);
    EXPECT_EQ(SettingCatalogue::SymbolSetCode("KS"), 61);
    EXPECT_EQ(SettingCatalogue::SymbolSetCode("ZA"), 62);
    EXPECT_EQ(SettingCatalogue::SymbolSetCode("ZZ"), 87);
    std::set<std::string_view> all;
    for (int code = 0; code < SettingCatalogue::kSymbolSetCount; ++code) {
        const auto text = SettingCatalogue::SymbolSetText(code);
        EXPECT_EQ(text.size(), 2u);
        EXPECT_EQ(SettingCatalogue::SymbolSetCode(text), code);
        all.insert(text);
    }
    EXPECT_EQ(all.size(), 88u);

    auto record = Parse({"SYMBOL SET\t:\tu1"});
    EXPECT_EQ(record.Item(18).choice, 55);
    EXPECT_EQ(test::Value(record, 18), "u1");
    record = Parse({"SYMBOL SET\t:\tU1"});
    EXPECT_EQ(record.Item(18).error, 1);
}

TEST(Catalogue, ModelDependentRanges) {
    EXPECT_EQ(Parse({"PRINT DARKNESS\t:\t20"}, 0).Item(entry::kPrintDarkness).error, 0);
    EXPECT_EQ(Parse({"PRINT DARKNESS\t:\t20"}, 4).Item(entry::kPrintDarkness).error, 1);
    EXPECT_EQ(Parse({"PRINT DARKNESS\t:\t15"}, 4).Item(entry::kPrintDarkness).error, 0);
    EXPECT_EQ(Parse({"STANDBY TIMER\t:\t1440"}, 1).Item(29).error, 0);
    EXPECT_EQ(Parse({"STANDBY TIMER\t:\t100"}, 2).Item(29).error, 1);
    EXPECT_EQ(Parse({"PAPER END LEVEL\t:\t3.30\tV"}, 24).Item(20).error, 0);
    EXPECT_EQ(Parse({"PAPER END LEVEL\t:\t3.30\tV"}, 23).Item(20).error, 1);
}

} // namespace
} // namespace qm

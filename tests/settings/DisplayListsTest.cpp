#include "settings/DisplayLists.h"
#include "SettingsTestSupport.h"
#include "settings/ConfigurationWriter.h"
#include "settings/ModelTable.h"
#include "settings/SettingCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

bool ShownAsList(int e) {
    const EntryForm form = DisplayLists::FormOf(e);
    return form == EntryForm::kList || form == EntryForm::kUsbSerial;
}

// Sends a record the way Send Configuration does (send-ready step, writer) and reads the
// text back as a printer reply would be read.
SettingsRecord SendAndReadBack(SettingsRecord record, const SettingsOptions& options) {
    DisplayLists::MakeSendReady(record, options);
    record.text.clear();
    ConfigurationWriter(options).WriteConfiguration(record, 0);
    SettingsRecord back;
    back.modelIndex = record.modelIndex;
    back.text = u"~!!\r\n\x02\x1b~A\r\n" + record.text;
    SettingsParser(options).ParseSettings(back, 1);
    return back;
}

// Every entry of every list a page offers, on every model, in either language and with either
// print method, goes out as a text that the parser reads back into the same list position:
// the page lists and the parser's code-to-index rules (baud rates, emulation, ribbon end,
// print speed, buzzer, rewind) must agree entry for entry.
TEST(DisplayLists, EveryListEntryReadsBackToItsOwnPosition) {
    constexpr int kPositions = 10; // the longest list apart from the symbol sets
    for (int model = 0; model < kModelCount; ++model) {
        for (bool japanese : {false, true}) {
            const SettingsOptions options = SettingsOptions::For(model, japanese, true);
            for (int method : {0, 1}) {
                for (int i = 0; i < kPositions; ++i) {
                    SettingsRecord record;
                    record.modelIndex = model;
                    record.Item(entry::kPrintMethod).ticked = 1;
                    record.Item(entry::kPrintMethod).choice = method;
                    std::vector<int> sent;
                    for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
                        if (e == entry::kPrintMethod || !ShownAsList(e)) {
                            continue;
                        }
                        const auto list = DisplayLists::ForEntry(e, model, options, method);
                        if (e != entry::kUsbSerialNumber && static_cast<int>(list.size()) <= i) {
                            continue;
                        }
                        if (e == entry::kUsbSerialNumber && i >= 2) {
                            continue;
                        }
                        record.Item(e).ticked = 1;
                        record.Item(e).choice = i;
                        sent.push_back(e);
                    }
                    const SettingsRecord back = SendAndReadBack(record, options);
                    EXPECT_EQ(back.Item(entry::kPrintMethod).choice, method);
                    for (int e : sent) {
                        SCOPED_TRACE("model " + std::to_string(model) + " japanese " +
                                     std::to_string(japanese) + " method " +
                                     std::to_string(method) + " entry " + std::to_string(e));
                        EXPECT_EQ(back.Item(e).ticked, 1);
                        EXPECT_EQ(back.Item(e).error, 0);
                        EXPECT_EQ(back.Item(e).choice, i);
                    }
                }
            }
        }
    }
    // The symbol sets do not change with the model: all 88 once.
    const SettingsOptions options;
    for (int i = 0; i < SettingCatalogue::kSymbolSetCount; ++i) {
        SettingsRecord record;
        record.Item(18).ticked = 1;
        record.Item(18).choice = i;
        const SettingsRecord back = SendAndReadBack(record, options);
        EXPECT_EQ(back.Item(18).error, 0) << i;
        EXPECT_EQ(back.Item(18).choice, i);
    }
}

TEST(DisplayLists, ListsFollowTheModel) {
    const SettingsOptions en;
    SettingsOptions ja;
    ja.japaneseInterface = true;
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 0, en).size(), 5u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 17, en).back(), u"10 IPS");
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 24, ja).size(), 5u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 24, en).size(), 7u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 12, en, 1).size(), 5u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 12, en, 0).size(), 3u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kPrintSpeed, 12, en).size(), 3u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kEmulationSelect, 0, en),
              (std::vector<std::u16string>{u"ZPI2", u"DM4", u"DMI", u"DPP"}));
    EXPECT_EQ(DisplayLists::ForEntry(entry::kEmulationSelect, 26, en).front(), u"EPI2");
    EXPECT_EQ(DisplayLists::ForEntry(entry::kFunctionSelect, 15, en).back(), u"REWIND");
    EXPECT_EQ(DisplayLists::ForEntry(entry::kFunctionSelect, 14, en).back(), u"CUT ON");
    EXPECT_EQ(DisplayLists::ForEntry(entry::kBuzzerSelect, 26, en).size(), 5u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kBuzzerSelect, 25, en).size(), 7u);
    EXPECT_EQ(DisplayLists::ForEntry(entry::kRibbonEndDetection, 16, en),
              (std::vector<std::u16string>{u"NORMAL", u"SLOW"}));
    EXPECT_EQ(DisplayLists::ForEntry(entry::kRibbonEndDetection, 20, en).size(), 3u);
    EXPECT_EQ(DisplayLists::ForEntry(24, 0, en), (std::vector<std::u16string>{u"MM", u"INCH"}));
    EXPECT_EQ(DisplayLists::ForEntry(40, 0, en),
              (std::vector<std::u16string>{u"THROUGH", u"BACKFEED"}));
    EXPECT_EQ(DisplayLists::ForEntry(66, 0, en).at(3), u"19200");
    EXPECT_EQ(DisplayLists::ForEntry(18, 0, en).at(55), u"u1");
    EXPECT_EQ(DisplayLists::UnitList(), (std::vector<std::u16string>{u"INCH", u"MM"}));
    EXPECT_TRUE(DisplayLists::ForEntry(entry::kContinuousMediaLength, 0, en).empty());
}

TEST(DisplayLists, SendReadyForms) {
    EXPECT_EQ(DisplayLists::Ipv4ForSending(u"192.168.0.1"), u"192,168,0,1");
    EXPECT_EQ(DisplayLists::Ipv4ForSending(u"10,0,0,7"), u"10,0,0,7");
    std::u16string zeros15one = u"0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1";
    EXPECT_EQ(DisplayLists::Ipv6ForDisplay(zeros15one), u"0000:0000:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(DisplayLists::Ipv6ForSending(u"fe80:0000:0000:0000:0000:0000:0000:0001"),
              u"254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1");
    // "::" stands for the zero groups between its sides, not for zeros at the end.
    EXPECT_EQ(DisplayLists::Ipv6ForSending(u"fe80::1"), u"254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1");
    EXPECT_EQ(DisplayLists::Ipv6ForSending(u"::"), u"0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(DisplayLists::Ipv6ForSending(u"1:2:3:4:5:6:7::"), u"0,1,0,2,0,3,0,4,0,5,0,6,0,7,0,0");

    // What is not an address stays as it is, never turning into another address: an octet
    // above 255 is not wrapped, a missing or unreadable part is not made 0.
    for (std::u16string_view bad : {u"256.0.0.1", u"10,0,0", u"10.0.0.x", u"", u"1.2.3.4.5"}) {
        EXPECT_EQ(DisplayLists::Ipv4ForSending(bad), bad);
    }
    for (std::u16string_view bad :
         {u"0,0,1", u"fe80::1::2", u"10000::1", u"1:2:3:4:5:6:7:8:9", u"1:2:3", u"g::1"}) {
        EXPECT_EQ(DisplayLists::Ipv6ForSending(bad), bad);
    }
    EXPECT_EQ(DisplayLists::Ipv6ForDisplay(u"256,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"),
              u"256,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");

    // ... so the check before sending marks such an item instead of passing it on.
    SettingsRecord typed;
    typed.modelIndex = 2;
    typed.Item(52).ticked = 1;
    typed.Item(52).value = u"192.168.0.256";
    typed.Item(63).ticked = 1;
    typed.Item(63).value = u"fe80::1";
    DisplayLists::MakeSendReady(typed, {});
    ConfigurationWriter(SettingsOptions{}).WriteConfiguration(typed, 0);
    SettingsParser(SettingsOptions{}).ParseSettings(typed, 0);
    EXPECT_EQ(typed.Item(52).error, 1);
    EXPECT_EQ(typed.Item(63).error, 0);
    EXPECT_EQ(typed.Item(63).value, u"254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1");

    auto record = test::Parse({"PRINT SPEED\t:\t5 IPS", "MAX MEDIA LENGTH\t:\t254.0\tMM",
                               "IPV4 ADDRESS\t:\t10,1,2,3", "USB SERIAL NUMBER\t:\tON",
                               "PRINT DARKNESS\t:\t99"},
                              2);
    DisplayLists::MakeSendReady(record, {});
    EXPECT_EQ(record.Item(entry::kPrintSpeed).value, u"5 IPS");
    EXPECT_EQ(record.Item(25).second, u"MM");
    EXPECT_EQ(record.Item(52).value, u"10,1,2,3");
    EXPECT_EQ(record.Item(entry::kUsbSerialNumber).second, u"ON");
    EXPECT_EQ(record.Item(entry::kPrintDarkness).value, u"0"); // rejected: left as shown
}

} // namespace
} // namespace qm

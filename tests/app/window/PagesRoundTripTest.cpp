// Every model through the window: the simulator's full menu reply fills the Standard and
// Advanced pages, Check All ticks every row, the pages collect, the writer builds the
// configuration, and reading that configuration back gives every reported value of every row
// the model shows, unchanged; a row the printer did not report goes out with the row's own
// default for the model (what the operator saw), and nothing goes out for a row the model does
// not show.

#include "WindowTestSupport.h"

#include "printer-sim/SimHarness.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"
#include "settings/ReplyStart.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsParser.h"

#include <map>
#include <set>

namespace qm {
namespace {

using namespace res;
using testing::WindowTest;

// The rows the pages show on the current model, by entry.
void AddShownRows(const SettingsPage& page, std::map<int, const PageItem*>& rows) {
    for (const PageItem& item : page.Items()) {
        if (item.tickBox != 0 && page.Item(item.tickBox).IsEnabled() && item.data->entry >= 0) {
            rows[item.data->entry] = &item;
        }
    }
}

std::string Describe(int e, const SettingValue& v) {
    return std::to_string(e) + " " + std::string(SettingsRecord::EntryKey(e)) + " ticked " +
           std::to_string(v.ticked) + " error " + std::to_string(v.error) + " value \"" +
           Utf16ToUtf8(v.value) + "\" choice " + std::to_string(v.choice) + " metric " +
           std::to_string(v.metric);
}

// The items that hold the same setting: value, and the index or unit where the form has one.
bool SameSetting(int e, const SettingValue& a, const SettingValue& b) {
    switch (DisplayLists::FormOf(e)) {
    case EntryForm::kList: // the reply gives the list index
        return a.choice == b.choice;
    case EntryForm::kLength:
        return a.value == b.value && a.metric == b.metric;
    default:
        return a.value == b.value;
    }
}

// The row's own default on the model: its list index, else its text.
bool IsRowDefault(const PageItem& item, int model, const SettingValue& v) {
    const size_t m = static_cast<size_t>(model);
    if (item.valueList != 0 && item.textField == 0) {
        return v.choice == item.defaultIndex[m];
    }
    if (item.addressField != 0) {
        return v.value == u"0.0.0.0";
    }
    return v.value == item.defaultText[m];
}

class PagesRoundTripTest : public WindowTest {
protected:
    // The faults of one model's round trip, one line each.
    std::vector<std::string> RoundTrip(int model) {
        simtest::SimProcess sim({"--tcp", "127.0.0.1:0", "--model", std::to_string(model)});
        if (!sim.Ready()) {
            return {"the simulator did not start"};
        }
        const std::string reply =
            simtest::Exchange(sim.TcpPort(), simtest::LeadIn() + "SEND CONFIG\t:\tALL\r\nEXIT\r\n")
                .bytes;

        COstrellDlg& w = *window;
        w.UserSelect(kIdModel, model);
        SettingsRecord& record = app->Settings();

        // Receive ALL as the window does it: reset, read, forget the secrets, fill.
        ConfigurationWriter::ResetItems(record, ResetMode::kAllButEasy);
        const ReplyStartResult start = CheckReplyStart(reply);
        if (!start.accepted) {
            return {"the reply was refused"};
        }
        record.text = AnsiToWide(start.text);
        if (!SettingsParser(w.Options()).ParseSettings(record, 1)) {
            return {"the reply did not parse"};
        }
        ConfigurationWriter::ResetItems(record, ResetMode::kWirelessKeys);
        const SettingsRecord received = record;
        w.Standard().UntickAll();
        w.Advanced().UntickAll();
        EXPECT_TRUE(w.Standard().FillFromSettings());
        EXPECT_TRUE(w.Advanced().FillFromSettings());

        // Check All; Send Configuration starts from an empty record, collects, writes.
        w.UserClick(kIdCheckAll);
        record.Clear();
        EXPECT_TRUE(w.Standard().CollectTicked());
        EXPECT_TRUE(w.Advanced().CollectTicked());
        EXPECT_TRUE(w.Standard().ValidateTicked());
        EXPECT_TRUE(w.Advanced().ValidateTicked());
        record.text.clear();
        ConfigurationWriter(w.Options()).WriteConfiguration(record, 0);

        // Read the written bytes back as an import does.
        const Frame frame = FrameForSending(record.text);
        if (frame.result != FrameResult::kOk) {
            return {"the configuration does not fit the send buffer: " +
                    std::to_string(frame.neededBytes) + " bytes"};
        }
        const ImportedText imported = SettingsFile::ImportBytes(frame.bytes);
        SettingsRecord back;
        back.modelIndex = model;
        back.text = imported.text;
        if (imported.result != FileResult::kOk ||
            !SettingsParser(w.Options()).ParseSettings(back, 1)) {
            return {"the written configuration does not read back"};
        }

        std::map<int, const PageItem*> shown;
        AddShownRows(w.Standard(), shown);
        AddShownRows(w.Advanced(), shown);
        std::set<std::string_view> shownKeys;
        for (const auto& row : shown) {
            shownKeys.insert(SettingsRecord::EntryKey(row.first));
        }
        std::vector<std::string> faults;
        for (int e = 0; e < SettingsRecord::kWritableEntryCount; ++e) {
            const SettingValue& was = received.Item(e);
            const SettingValue& now = back.Item(e);
            const bool reported = was.ticked == 1 && was.error == 0;
            if (shown.count(e) == 0) {
                // A key the record holds twice comes back in both entries.
                if (now.ticked == 1 && shownKeys.count(SettingsRecord::EntryKey(e)) == 0) {
                    faults.push_back("written but not shown: " + Describe(e, now));
                }
                continue;
            }
            if (now.error == 1) {
                faults.push_back("written value refused: " + Describe(e, now));
            } else if (reported && (now.ticked != 1 || !SameSetting(e, was, now))) {
                faults.push_back("reported " + Describe(e, was) + "\n  came back " +
                                 Describe(e, now));
            } else if (!reported && (now.ticked != 1 || !IsRowDefault(*shown[e], model, now))) {
                faults.push_back("not reported, yet not the row's default: " + Describe(e, now));
            }
        }
        return faults;
    }
};

TEST_F(PagesRoundTripTest, EveryModelKeepsWhatThePrinterReported) {
    Start();
    host.AnswerMessageBox(kIdYes); // the Advanced warning: the advanced entries are written
    window->UserSelectTab(kIdTab, 2);
    ASSERT_TRUE(window->AdvancedUnlocked());
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        const std::vector<std::string> faults = RoundTrip(model);
        std::string text;
        for (const std::string& f : faults) {
            text += f + "\n";
        }
        EXPECT_TRUE(faults.empty()) << text;
    }
}

TEST_F(PagesRoundTripTest, LanguageRoundTripKeepsBothPages) {
    COstrellDlg& w = Start();
    w.UserSelect(kIdModel, 24);
    host.AnswerMessageBox(kIdYes);
    w.UserSelectTab(kIdTab, 2);
    CDlgTabStandard& standard = w.Standard();
    CDlgTabAdvanced& advanced = w.Advanced();
    const int port = StandardRow(TextId::kStdPortNumber);
    const int speed = StandardRow(TextId::kStdPrintSpeed);
    const int autoCal = AdvancedRow(TextId::kAdvAutoCalMode);
    const int clean = AdvancedRow(TextId::kAdvHeadCleanMessage);
    standard.UserClick(TickId(port));
    standard.UserEdit(FieldId(port), u"9200");
    standard.UserSelect(ListId(speed), 6); // "8 IPS"
    advanced.UserClick(TickId(autoCal));
    advanced.UserSelect(ListId(autoCal), 1);
    advanced.UserEdit(FieldId(clean), u"5000");

    w.UserSelect(kIdLanguage, 1); // Japanese
    EXPECT_EQ(advanced.GetItemText(TickId(autoCal)),
              TextTable::Caption(TextId::kAdvAutoCalMode, UiLanguage::kJapanese));
    EXPECT_EQ(advanced.GetItemText(AdvancedPageTable::kGroupId),
              TextTable::Caption(TextId::kAdvFactoryMode, UiLanguage::kJapanese));
    EXPECT_EQ(standard.GetItemText(TickId(speed)),
              TextTable::Caption(TextId::kStdPrintSpeed, UiLanguage::kJapanese));
    EXPECT_EQ(standard.Item(ListId(speed)).Count(), 5); // at most 6 IPS in Japanese on 24
    EXPECT_EQ(standard.Item(TickId(port)).Check(), 1);
    EXPECT_EQ(standard.GetItemText(FieldId(port)), u"9200");
    EXPECT_EQ(advanced.Item(TickId(autoCal)).Check(), 1);
    EXPECT_EQ(advanced.GetItemText(ListId(autoCal)), u"ON");

    w.UserSelect(kIdLanguage, 0);
    EXPECT_EQ(advanced.GetItemText(TickId(autoCal)), u"AutoCal Mode");
    EXPECT_EQ(standard.GetItemText(TickId(speed)), u"Print Speed");
    EXPECT_EQ(standard.Item(ListId(speed)).Count(), 7);
    EXPECT_EQ(standard.Item(TickId(port)).Check(), 1);
    EXPECT_EQ(standard.GetItemText(FieldId(port)), u"9200");
    EXPECT_EQ(advanced.Item(TickId(autoCal)).Check(), 1);
    EXPECT_EQ(advanced.GetItemText(ListId(autoCal)), u"ON");
    EXPECT_EQ(advanced.GetItemText(FieldId(clean)), u"5000");

    // A model change still resets both pages.
    w.UserSelect(kIdModel, 25);
    EXPECT_EQ(standard.Item(TickId(port)).Check(), 0);
    EXPECT_EQ(advanced.GetItemText(FieldId(clean)), u"0");
}

} // namespace
} // namespace qm

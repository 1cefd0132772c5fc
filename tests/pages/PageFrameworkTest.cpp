#include "TestPage.h"

#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace qm::testing;

class PageFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InstallGTestFailures(host);
        window.SetHost(&host);
        window.Create(nullptr);
        page.SetOwner(&owner);
        ASSERT_TRUE(page.Create(&window));
        page.ApplyModel(2);
    }

    ui::Control& C(int id) { return page.Item(id); }
    SettingValue& State(int entryIndex) { return record.Item(entryIndex); }
    void Tick(int row) { C(TickId(row)).SetCheck(1); }

    ui::ScriptedHost host;
    ui::Dialog window{kTestPageTemplate};
    SettingsRecord record;
    FakeOwner owner;
    TestPage page{record};
};

TEST_F(PageFrameworkTest, InitialisationBindsRowsSetsLimitsAndFillsLists) {
    ASSERT_EQ(page.Items().size(), static_cast<size_t>(kRowCount));
    const PageItem& darkness = page.Items()[kDarkness];
    EXPECT_EQ(darkness.textField, FieldId(kDarkness));
    EXPECT_EQ(darkness.valueList, 0); // missing control: empty field
    EXPECT_EQ(darkness.state, &record.Item(entry::kPrintDarkness));
    EXPECT_EQ(page.Items()[kNoTick].tickBox, 0);
    EXPECT_EQ(C(FieldId(kDarkness)).Limit(), 2);
    EXPECT_EQ(C(FieldId(kIpv6)).Limit(), 39);
    EXPECT_EQ(C(SpinId(kDarkness)).Buddy(), FieldId(kDarkness));
    // Catalogue lists for the model; unit lists INCH, MM.
    EXPECT_EQ(C(ListId(kSpeed)).Count(), 7); // model 2: 2..8 IPS
    EXPECT_EQ(C(ListId(kSensor)).ItemText(2), u"NONE");
    EXPECT_EQ(C(UnitId(kLength)).ItemText(0), u"INCH");
    EXPECT_EQ(C(UnitId(kLength)).ItemText(1), u"MM");
    // Typing more than the limit keeps the first characters; a comma is refused on the PIN row.
    page.UserEdit(FieldId(kDarkness), u"123");
    EXPECT_EQ(C(FieldId(kDarkness)).Text(), u"12");
    page.UserEdit(FieldId(kPin), u"12,34");
    EXPECT_EQ(C(FieldId(kPin)).Text(), u"1234");
    // Live copy of every edit.
    EXPECT_EQ(page.FieldText(FieldId(kPin)), u"1234");
    page.UserSpin(SpinId(kDarkness), +1);
    EXPECT_EQ(page.FieldText(FieldId(kDarkness)), u"13");
}

TEST_F(PageFrameworkTest, TickAllAndUntickAllIgnoreAvailability) {
    page.ApplyModel(10); // IPv4 row unavailable on model 10
    ASSERT_FALSE(C(TickId(kIpv4)).IsEnabled());
    EXPECT_EQ(page.CountTickedRfid(), 0);
    page.TickAll();
    for (const PageItem& item : page.Items()) {
        if (item.tickBox != 0) {
            EXPECT_EQ(C(item.tickBox).Check(), 1);
        }
    }
    // The RFID count takes every ticked RFID row, enabled or not, and no other row.
    EXPECT_EQ(page.CountTickedRfid(), 2);
    page.UntickAll();
    for (const PageItem& item : page.Items()) {
        if (item.tickBox != 0) {
            EXPECT_EQ(C(item.tickBox).Check(), 0);
        }
    }
    EXPECT_EQ(page.CountTickedRfid(), 0);
    page.UserClick(TickId(kPin));
    EXPECT_EQ(page.CountTickedRfid(), 1);
}

TEST_F(PageFrameworkTest, ApplyModelAvailabilityAndLanguageRule) {
    // Model 0, English: the Japanese-only row is off, the not-in-Japanese row on.
    page.ApplyModel(0);
    EXPECT_FALSE(C(TickId(kTopForm)).IsEnabled());
    EXPECT_FALSE(C(ListId(kTopForm)).IsEnabled());
    EXPECT_TRUE(C(TickId(kWeb)).IsEnabled());
    EXPECT_FALSE(C(AddressId(kIpv4)).IsEnabled());
    // Japanese interface: the other way round.
    page.SetLanguage(UiLanguage::kJapanese);
    page.ApplyModel(0);
    EXPECT_TRUE(C(TickId(kTopForm)).IsEnabled());
    EXPECT_FALSE(C(TickId(kWeb)).IsEnabled());
    // Model 24 is not among the models the language rule applies to: availability alone.
    page.ApplyModel(24);
    EXPECT_TRUE(C(TickId(kWeb)).IsEnabled());
    EXPECT_TRUE(C(TickId(kIpv4)).IsEnabled());
    EXPECT_TRUE(C(AddressId(kIpv4)).IsEnabled());
    EXPECT_FALSE(C(TickId(kTopForm)).IsEnabled());
    // Model 26: the not-in-Japanese row is simply not available.
    page.ApplyModel(26);
    EXPECT_FALSE(C(TickId(kWeb)).IsEnabled());
}

TEST_F(PageFrameworkTest, RestoreDefaultsFollowsTheModel) {
    page.TickAll();
    page.UserEdit(FieldId(kPin), u"9876");
    C(AddressId(kIpv4)).SetAddress(10, 1, 2, 3);
    C(UnitId(kLength)).SetCurSel(1);
    page.ApplyModel(37); // runs RestoreDefaults
    EXPECT_EQ(C(TickId(kSpeed)).Check(), 0);
    EXPECT_EQ(C(TickId(kPin)).Check(), 0);
    EXPECT_EQ(C(FieldId(kPin)).Text(), u"4444");
    EXPECT_EQ(C(ListId(kSensor)).CurSel(), 1); // per-model default index
    EXPECT_EQ(C(ListId(kSpeed)).CurSel(), 2);
    EXPECT_EQ(C(UnitId(kLength)).CurSel(), 0);
    EXPECT_EQ(C(UnitId(kVertical)).CurSel(), 1); // default unit MM on this row
    EXPECT_EQ(C(FieldId(kVertical)).Text(), u"0.0");
    EXPECT_EQ(C(AddressId(kIpv4)).Text(), u"0.0.0.0");
    EXPECT_EQ(C(SpinId(kDarkness)).RangeMin(), 0);
    EXPECT_EQ(C(SpinId(kDarkness)).RangeMax(), 30);
    page.ApplyModel(24);
    EXPECT_EQ(C(FieldId(kPin)).Text(), u"3333");
    EXPECT_EQ(C(ListId(kSensor)).CurSel(), 0);
}

TEST_F(PageFrameworkTest, FillFromSettingsShowsTickedItemsAndMarksErrors) {
    page.UserEdit(FieldId(kPin), u"5555"); // an unticked item keeps what it shows
    SettingValue& speed = State(entry::kPrintSpeed);
    speed.ticked = 1;
    speed.choice = 4;
    SettingValue& length = State(entry::kContinuousMediaLength);
    length.ticked = 1;
    length.value = u"101.6";
    length.metric = 1;
    SettingValue& ipv4 = State(52);
    ipv4.ticked = 1;
    ipv4.value = u"192.168.1.20";
    SettingValue& ipv6 = State(63);
    ipv6.ticked = 1;
    ipv6.value = u"0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1";
    EXPECT_TRUE(page.FillFromSettings());
    EXPECT_EQ(C(TickId(kSpeed)).Check(), 1);
    EXPECT_EQ(C(ListId(kSpeed)).Text(), u"6 IPS");
    EXPECT_EQ(C(FieldId(kLength)).Text(), u"101.6");
    EXPECT_EQ(C(UnitId(kLength)).Text(), u"MM");
    EXPECT_EQ(C(AddressId(kIpv4)).Text(), u"192.168.1.20");
    EXPECT_EQ(C(FieldId(kIpv6)).Text(), u"0000:0000:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(C(FieldId(kPin)).Text(), u"5555");
    EXPECT_EQ(C(TickId(kPin)).Check(), 0);

    // A value the parser rejected: empty field, red caption, false.
    SettingValue& darkness = State(entry::kPrintDarkness);
    darkness.ticked = 1;
    darkness.value = u"0";
    darkness.error = 1;
    const int repaints = page.RepaintCount();
    EXPECT_FALSE(page.FillFromSettings());
    EXPECT_GT(page.RepaintCount(), repaints);
    EXPECT_EQ(C(FieldId(kDarkness)).Text(), u"");
    EXPECT_EQ(page.RequestColours(TickId(kDarkness)).textColour, ui::kRed);
    EXPECT_FALSE(page.RequestColours(TickId(kSpeed)).textColour.has_value());
    EXPECT_FALSE(page.RequestColours(FieldId(kDarkness)).textColour.has_value());
    EXPECT_EQ(darkness.error, 1); // a page never changes the error mark
}

TEST_F(PageFrameworkTest, CollectTickedWithNothingTickedChangesNothing) {
    State(entry::kPrintSpeed).ticked = 1; // left by a receive
    State(63).ticked = 0;
    EXPECT_FALSE(page.CollectTicked());
    EXPECT_EQ(State(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(State(63).ticked, 0);
    EXPECT_TRUE(State(entry::kPrintSpeed).value.empty());
}

TEST_F(PageFrameworkTest, CollectTickedWritesTheRecordForms) {
    page.ApplyModel(3);
    Tick(kSpeed);
    page.UserSelect(ListId(kSpeed), 5);
    Tick(kLength);
    page.UserSelect(UnitId(kLength), 1);
    page.UserEdit(FieldId(kLength), u"120.5");
    Tick(kIpv4);
    page.UserEdit(AddressId(kIpv4), u"10.0.0.254");
    Tick(kIpv6);
    page.UserEdit(FieldId(kIpv6), u"fe80:0000:0000:0000:0211:22ff:fe33:4455");
    Tick(kDarkness);
    page.UserEdit(FieldId(kDarkness), u"12");
    ASSERT_TRUE(page.CollectTicked());
    EXPECT_EQ(State(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(State(entry::kPrintSpeed).value, u"7 IPS");
    EXPECT_EQ(State(entry::kPrintSpeed).choice, 5);
    EXPECT_EQ(State(entry::kContinuousMediaLength).value, u"120.5");
    EXPECT_EQ(State(entry::kContinuousMediaLength).second, u"MM");
    EXPECT_EQ(State(entry::kContinuousMediaLength).metric, 1);
    EXPECT_EQ(State(52).value, u"10,0,0,254");
    EXPECT_EQ(State(63).value, u"254,128,0,0,0,0,0,0,2,17,34,255,254,51,68,85");
    EXPECT_EQ(State(entry::kPrintDarkness).value, u"12");
    // Unticked rows are untouched.
    EXPECT_EQ(State(entry::kMediaSensor).ticked, 0);
    EXPECT_TRUE(State(entry::kMediaSensor).value.empty());

    // ShowIncluded ticks and shows what went out; the IPv6 value is kept in display form.
    page.UntickAll();
    page.ShowIncluded();
    EXPECT_EQ(C(TickId(kIpv6)).Check(), 1);
    EXPECT_EQ(C(FieldId(kIpv6)).Text(), u"fe80:0000:0000:0000:0211:22ff:fe33:4455");
    EXPECT_EQ(State(63).value, u"fe80:0000:0000:0000:0211:22ff:fe33:4455");
    EXPECT_EQ(C(TickId(kSensor)).Check(), 0);
}

TEST_F(PageFrameworkTest, DisabledRowsAreNeitherCollectedNorValidated) {
    page.ApplyModel(10); // IPv4 unavailable
    Tick(kIpv4);
    SettingValue& ipv4 = State(52);
    ipv4.ticked = 1;
    ipv4.error = 1;
    ipv4.value = u"1.2.3.4";
    EXPECT_FALSE(page.CollectTicked());
    EXPECT_EQ(ipv4.value, u"1.2.3.4");
    EXPECT_TRUE(page.ValidateTicked());
    EXPECT_EQ(C(TickId(kIpv4)).Check(), 1); // a disabled row keeps its tick

    // An available ticked row with an error mark refuses; unticking it in the record lets go.
    SettingValue& speed = State(entry::kPrintSpeed);
    speed.ticked = 1;
    speed.error = 1;
    EXPECT_FALSE(page.ValidateTicked());
    speed.ticked = 0;
    EXPECT_TRUE(page.ValidateTicked());
}

TEST_F(PageFrameworkTest, UnitListsResetTheTextNotConvert) {
    page.UserEdit(FieldId(kLength), u"7.25");
    page.UserSelect(UnitId(kLength), 1);
    EXPECT_EQ(C(FieldId(kLength)).Text(), u"101.6");
    page.UserSelect(UnitId(kLength), 0);
    EXPECT_EQ(C(FieldId(kLength)).Text(), u"4.00");
    EXPECT_EQ(page.FieldText(FieldId(kLength)), u"4.00");
    // A row without special reset texts uses "0.00" and "0.0".
    page.UserEdit(FieldId(kVertical), u"0.5");
    page.UserSelect(UnitId(kVertical), 0);
    EXPECT_EQ(C(FieldId(kVertical)).Text(), u"0.00");
    page.UserSelect(UnitId(kVertical), 1);
    EXPECT_EQ(C(FieldId(kVertical)).Text(), u"0.0");
}

TEST_F(PageFrameworkTest, EscapeAndEnter) {
    page.Show(true);
    page.UserEscape();
    EXPECT_TRUE(page.IsVisible());
    EXPECT_FALSE(page.IsEnded());
    page.UserEnter();
    EXPECT_EQ(owner.sends, 1);
    EXPECT_EQ(owner.prints, 0);

    // A page that hands Esc on (the Information page) stays shown in its tab; the window that
    // holds it gets the Esc.
    struct HoldingWindow : ui::Dialog {
        HoldingWindow() : ui::Dialog(kTestPageTemplate) {}
        int cancels = 0;
        bool OnNotify(ui::Notification& n) override {
            cancels += n.event == ui::Event::Cancel ? 1 : 0;
            return n.event == ui::Event::Cancel;
        }
    } holder;
    holder.Create(nullptr);
    PageBehaviour handsOn;
    handsOn.escapeToOwner = true;
    TestPage info(record, handsOn);
    info.Create(&holder);
    info.Show(true);
    info.UserEscape();
    EXPECT_TRUE(info.IsVisible());
    EXPECT_FALSE(info.IsEnded());
    EXPECT_EQ(holder.cancels, 1);
    EXPECT_FALSE(holder.IsEnded());
}

TEST(PageScrolling, ScrollBarWheelAndFocus) {
    ui::Dialog window{kTestPageTemplate};
    window.Create(nullptr);
    SettingsRecord record;
    PageBehaviour behaviour;
    behaviour.scrollMax = 1660;
    behaviour.wheel = true;
    behaviour.focusOnClick = true;
    TestPage page(record, behaviour);
    page.Create(&window);
    EXPECT_EQ(page.VScroll().max, 1660);
    EXPECT_EQ(page.VScroll().page, 300);
    const int top = page.Item(TickId(kSpeed)).GetRect().y;

    // Wheel at the top: nothing moves, nothing is repainted.
    const int repaints = page.RepaintCount();
    page.UserWheel(ui::kWheelDelta);
    EXPECT_EQ(page.RepaintCount(), repaints);
    EXPECT_EQ(page.VScroll().pos, 0);

    page.UserWheel(-ui::kWheelDelta * 3); // one message: 50 units
    EXPECT_EQ(page.VScroll().pos, 50);
    EXPECT_EQ(page.Item(TickId(kSpeed)).GetRect().y, top - 50);
    EXPECT_GT(page.RepaintCount(), repaints);

    page.UserScroll(ui::kSbLineDown);
    page.UserScroll(ui::kSbPageDown);
    EXPECT_EQ(page.VScroll().pos, 220);
    page.UserScroll(ui::kSbThumbTrack, 1000);
    EXPECT_EQ(page.VScroll().pos, 1000);
    page.UserScroll(ui::kSbThumbPosition, 10);
    EXPECT_EQ(page.VScroll().pos, 1000);
    page.UserScroll(ui::kSbBottom);
    EXPECT_EQ(page.VScroll().pos, 1361);
    EXPECT_EQ(page.Item(TickId(kSpeed)).GetRect().y, top - 1361);
    page.UserScroll(ui::kSbTop);
    EXPECT_EQ(page.VScroll().pos, 0);
    EXPECT_EQ(page.Item(TickId(kSpeed)).GetRect().y, top);

    EXPECT_FALSE(page.HasKeyboardFocus());
    page.UserMouseActivate();
    EXPECT_TRUE(page.HasKeyboardFocus());

    // A page without scrolling ignores the bar and the wheel.
    TestPage flat(record);
    flat.Create(&window);
    const int y = flat.Item(TickId(kSpeed)).GetRect().y;
    flat.UserWheel(-ui::kWheelDelta);
    flat.UserScroll(ui::kSbPageDown);
    EXPECT_EQ(flat.Item(TickId(kSpeed)).GetRect().y, y);
    flat.UserMouseActivate();
    EXPECT_FALSE(flat.HasKeyboardFocus());
}

} // namespace
} // namespace qm

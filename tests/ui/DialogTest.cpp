#include "TestDialogs.h"

#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

using namespace qm;
using namespace qm::ui;
using namespace qm::ui::test;

namespace {

int CountEvents(const std::vector<Notification>& seen, Event event, int id = -1) {
    int count = 0;
    for (const auto& n : seen) {
        if (n.event == event && (id < 0 || n.id == id)) {
            ++count;
        }
    }
    return count;
}

} // namespace

TEST(Dialog, CreateBuildsControlsFromTemplateInPixels) {
    SampleDialog d;
    EXPECT_EQ(d.Find(12), nullptr); // nothing before Create
    ASSERT_TRUE(d.Create(nullptr));
    EXPECT_EQ(d.Controls().size(), std::size(kSampleRows));
    EXPECT_EQ(d.Title(), u"Sample");
    EXPECT_EQ(d.WindowRect(), (Rect{0, 0, 420, 332})); // 240 * 7/4, 190 * 14/8
    const Control& tab = d.Item(70);
    EXPECT_EQ(tab.GetRect(), (Rect{7, 175, 350, 140}));
    EXPECT_EQ(tab.TemplateRect(), (Rect{4, 100, 200, 80}));
    EXPECT_EQ(d.Item(10).Text(), u"Label:");
    EXPECT_FALSE(d.Item(13).IsVisible());
    EXPECT_FALSE(d.Item(80).IsEnabled());
    EXPECT_EQ(d.Item(40).Limit(), 5);
    EXPECT_EQ(d.Item(60).Picture(), 103);
    EXPECT_EQ(d.Item(42).Buddy(), 41); // the control before it
    EXPECT_EQ(d.Find(999), nullptr);
    EXPECT_EQ(d.GetItemText(999), u"");
    EXPECT_EQ(d.initCount, 1);

    // A second Create starts from the template again.
    d.Item(10).SetText(u"changed");
    d.Create(nullptr);
    EXPECT_EQ(d.Item(10).Text(), u"Label:");
    EXPECT_EQ(d.Item(31).Count(), 2);
    EXPECT_EQ(d.initCount, 2);
}

TEST(Dialog, ListsSortSelectAndFind) {
    SampleDialog d;
    d.Create(nullptr);
    Control& sorted = d.Item(30);
    EXPECT_EQ(sorted.AddString(u"COM3:"), 0);
    EXPECT_EQ(sorted.AddString(u"COM1:"), 0);
    EXPECT_EQ(sorted.AddString(u"com2:"), 1);
    EXPECT_EQ(sorted.AddString(u"LPT1:"), 3);
    EXPECT_EQ(sorted.ItemText(0), u"COM1:");
    EXPECT_EQ(sorted.ItemText(1), u"com2:");
    EXPECT_EQ(sorted.ItemText(9), u"");
    // Insert at an index ignores the sort order.
    EXPECT_EQ(sorted.InsertString(0, u"ZZZ"), 0);
    EXPECT_EQ(sorted.InsertString(9, u"bad"), -1);

    EXPECT_EQ(sorted.FindStringExact(-1, u"COM2:"), 2);
    EXPECT_EQ(sorted.FindStringExact(-1, u"COM2"), -1);
    EXPECT_EQ(sorted.FindString(-1, u"com"), 1);
    EXPECT_EQ(sorted.FindString(1, u"com"), 2); // search starts after index 1
    EXPECT_EQ(sorted.FindString(3, u"zz"), 0);  // and wraps round
    EXPECT_EQ(sorted.SetCurSel(3), 3);
    EXPECT_EQ(sorted.Text(), u"COM3:");
    // Deleting an entry before the selection keeps the same entry selected.
    EXPECT_EQ(sorted.DeleteString(0), 4);
    EXPECT_EQ(sorted.CurSel(), 2);
    EXPECT_EQ(sorted.Text(), u"COM3:");
    // Deleting the selected one leaves nothing selected.
    sorted.DeleteString(2);
    EXPECT_EQ(sorted.CurSel(), -1);
    EXPECT_EQ(sorted.Text(), u"");
    EXPECT_EQ(sorted.DeleteString(7), -1);
    EXPECT_EQ(sorted.SetCurSel(7), -1);
    EXPECT_EQ(sorted.CurSel(), -1);
    sorted.SetItemData(0, 42);
    EXPECT_EQ(sorted.ItemData(0), 42);
    // SetText on a list selects the equal entry.
    sorted.SetText(u"lpt1:");
    EXPECT_EQ(sorted.Text(), u"LPT1:");
    sorted.ResetContent();
    EXPECT_EQ(sorted.Count(), 0);
    EXPECT_EQ(sorted.CurSel(), -1);
    EXPECT_EQ(sorted.FindStringExact(-1, u"x"), -1);
    // No notification came from any of this.
    EXPECT_TRUE(d.seen.empty());
}

TEST(Dialog, UserClicksToggleChecksAndRadioGroups) {
    SampleDialog d;
    d.Create(nullptr);
    EXPECT_TRUE(d.UserClick(14));
    EXPECT_EQ(d.IsButtonChecked(14), 1);
    d.UserClick(14);
    EXPECT_EQ(d.IsButtonChecked(14), 0);
    EXPECT_EQ(CountEvents(d.seen, Event::Clicked, 14), 2);

    d.CheckButton(23, 1);
    d.UserClick(21);
    EXPECT_EQ(d.IsButtonChecked(21), 1);
    d.UserClick(22);
    EXPECT_EQ(d.IsButtonChecked(21), 0);
    EXPECT_EQ(d.IsButtonChecked(22), 1);
    EXPECT_EQ(d.IsButtonChecked(23), 1); // another group
    d.CheckRadioButton(20, 22, 20);
    EXPECT_EQ(d.IsButtonChecked(20), 1);
    EXPECT_EQ(d.IsButtonChecked(22), 0);

    // Disabled or hidden controls take no clicks.
    d.seen.clear();
    d.EnableItem(12, false);
    EXPECT_FALSE(d.UserClick(12));
    EXPECT_FALSE(d.UserClick(13));
    EXPECT_FALSE(d.UserClick(999));
    EXPECT_TRUE(d.seen.empty());
}

TEST(Dialog, EditsFilterWhatTheUserTypes) {
    SampleDialog d;
    d.Create(nullptr);
    EXPECT_TRUE(d.UserEdit(40, u"91a00-77"));
    EXPECT_EQ(d.GetItemText(40), u"91007"); // digits only, at most 5
    EXPECT_EQ(CountEvents(d.seen, Event::EditChange, 40), 1);
    d.UserEdit(40, u"91007"); // unchanged: no notification
    EXPECT_EQ(CountEvents(d.seen, Event::EditChange, 40), 1);

    d.Item(41).SetRefusedChars(u",");
    d.UserEdit(41, u"a,b,c\r\n");
    EXPECT_EQ(d.GetItemText(41), u"abc");
    // The program's own SetText is not cut to the limit, and notifies like the edit control.
    d.SetItemText(41, u"1234567890");
    EXPECT_EQ(d.GetItemText(41), u"1234567890");
    EXPECT_EQ(CountEvents(d.seen, Event::EditChange, 41), 2);

    EXPECT_FALSE(d.UserEdit(43, u"x")); // read-only
    EXPECT_EQ(d.GetItemText(43), u"fixed");
    EXPECT_FALSE(d.UserEdit(80, u"x")); // disabled
    EXPECT_FALSE(d.UserEdit(12, u"x")); // not an edit
}

TEST(Dialog, UpDownMovesItsBuddyWithinRange) {
    SampleDialog d;
    d.Create(nullptr);
    d.SetItemText(41, u"14");
    d.seen.clear();
    EXPECT_TRUE(d.UserSpin(42, +1));
    EXPECT_EQ(d.GetItemText(41), u"15");
    d.UserSpin(42, +1);
    EXPECT_EQ(d.GetItemText(41), u"15"); // top of 0..15
    EXPECT_EQ(d.Item(42).Pos(), 15);
    d.SetItemText(41, u"abc"); // not a number: the arrows go on from the last position
    d.UserSpin(42, -1);
    EXPECT_EQ(d.GetItemText(41), u"14");
    d.SetItemText(41, u"-5");
    d.UserSpin(42, -1);
    EXPECT_EQ(d.GetItemText(41), u"0");
    EXPECT_EQ(CountEvents(d.seen, Event::Spin, 42), 4);
    EXPECT_EQ(d.seen.back().value, 0);
    d.Item(42).SetRange(3, 9);
    EXPECT_EQ(d.Item(42).Pos(), 3);
}

TEST(Dialog, IpAddressReadsDottedText) {
    SampleDialog d;
    d.Create(nullptr);
    Control& ip = d.Item(50);
    EXPECT_TRUE(ip.IsBlank());
    EXPECT_EQ(ip.Text(), u"0.0.0.0");
    ip.SetAddress(192, 168, 0, 1);
    EXPECT_EQ(ip.Text(), u"192.168.0.1");
    EXPECT_FALSE(ip.IsBlank());
    EXPECT_TRUE(ip.SetAddressText(u"10.300..7"));
    EXPECT_EQ(ip.Text(), u"10.255.0.7");
    EXPECT_FALSE(ip.SetAddressText(u"1.2.3.4.5"));
    EXPECT_FALSE(ip.SetAddressText(u"host"));
    EXPECT_FALSE(ip.SetAddressText(u""));
    EXPECT_EQ(ip.Text(), u"10.255.0.7");
    EXPECT_TRUE(d.UserEdit(50, u"127.0.0.1"));
    EXPECT_EQ(ip.Address()[0], 127);
    EXPECT_EQ(CountEvents(d.seen, Event::EditChange, 50), 1);
    ip.ClearAddress();
    EXPECT_TRUE(ip.IsBlank());
    EXPECT_EQ(ip.Text(), u"0.0.0.0");
}

TEST(Dialog, EnterEscapeAndCloseFollowTheDialogRules) {
    SampleDialog d;
    d.Create(nullptr);
    // Enter presses the default button.
    d.UserEnter();
    EXPECT_EQ(CountEvents(d.seen, Event::Clicked, 12), 1);
    EXPECT_FALSE(d.IsEnded());
    // Without an enabled default button Enter is OK, which ends the dialog unless handled.
    d.EnableItem(12, false);
    d.UserEnter();
    EXPECT_EQ(CountEvents(d.seen, Event::Ok), 1);
    EXPECT_TRUE(d.IsEnded());
    EXPECT_EQ(d.Result(), kIdOk);

    SampleDialog e;
    e.Create(nullptr);
    e.handleCancel = true;
    e.UserEscape();
    e.UserClose(); // close becomes Cancel, which is swallowed here too
    EXPECT_FALSE(e.IsEnded());
    EXPECT_EQ(CountEvents(e.seen, Event::Close), 1);
    EXPECT_EQ(CountEvents(e.seen, Event::Cancel), 2);
    e.handleCancel = false;
    e.UserClose();
    EXPECT_TRUE(e.IsEnded());
    EXPECT_EQ(e.Result(), kIdCancel);
}

TEST(Dialog, TabsSelectionAndResizeNotify) {
    SampleDialog d;
    d.Create(nullptr);
    Control& tab = d.Item(70);
    for (const char16_t* name : {u"Easy", u"Standard", u"Advanced"}) {
        tab.InsertString(-1, name);
    }
    tab.SetCurSel(1);
    EXPECT_TRUE(d.seen.empty());
    EXPECT_TRUE(d.UserSelectTab(70, 2));
    EXPECT_EQ(CountEvents(d.seen, Event::TabChange, 70), 1);
    EXPECT_TRUE(d.UserSelectTab(70, 2)); // same tab: nothing new
    EXPECT_EQ(CountEvents(d.seen, Event::TabChange, 70), 1);
    EXPECT_FALSE(d.UserSelectTab(70, 3));
    EXPECT_TRUE(tab.SetItemText(0, u"かんたん"));
    EXPECT_EQ(tab.ItemText(0), u"かんたん");

    EXPECT_TRUE(d.UserSelect(31, 1));
    EXPECT_EQ(CountEvents(d.seen, Event::SelChange, 31), 1);
    EXPECT_FALSE(d.UserSelect(31, 2));

    d.UserResize(500, 400);
    EXPECT_EQ(d.seen.back().event, Event::Size);
    EXPECT_EQ(d.seen.back().code, 500);
    EXPECT_EQ(d.seen.back().value, 400);
    EXPECT_EQ(d.ClientRect(), (Rect{0, 0, 500, 400}));
}

TEST(Dialog, ColourRequestsReachTheDialog) {
    SampleDialog d;
    d.Create(nullptr);
    Notification n = d.RequestColours(10);
    EXPECT_FALSE(n.textColour.has_value());
    d.redText = true;
    n = d.RequestColours(10);
    ASSERT_TRUE(n.textColour.has_value());
    EXPECT_EQ(*n.textColour, kRed);
    EXPECT_FALSE(n.backColour.has_value());
}

TEST(Dialog, ChildPagesScrollAndHide) {
    ScriptedHost host;
    InstallGTestFailures(host);
    SampleDialog main;
    PageDialog page;
    host.AnswerModal([&](Dialog& d) {
        page.Create(&d);
        EXPECT_EQ(page.Parent(), &d);
        EXPECT_EQ(page.GetHost(), &host);
        EXPECT_FALSE(page.IsVisible());
        EXPECT_EQ(d.Children().size(), 1u);
        page.SetWindowRect(Rect{10, 60, 600, 455});
        page.Show(true);

        page.SetScrollInfo(ScrollInfo{0, 1660, 300, 5000});
        EXPECT_EQ(page.VScroll().pos, 1361); // clamped to max - page + 1
        page.SetScrollPos(-4);
        EXPECT_EQ(page.VScroll().pos, 0);
        const int before = page.RepaintCount();
        page.ScrollWindow(0, -160);
        EXPECT_EQ(page.Item(100).GetRect().y, 7 - 160);
        EXPECT_EQ(page.RepaintCount(), before + 1);
        page.UserScroll(kSbLineDown);
        page.UserWheel(-kWheelDelta);
        EXPECT_EQ(page.seen.at(0).event, Event::VScroll);
        EXPECT_EQ(page.seen.at(0).code, kSbLineDown);
        EXPECT_EQ(page.seen.at(1).event, Event::MouseWheel);
        EXPECT_EQ(page.seen.at(1).code, -120);

        // Scrolling the main window moves its pages too.
        d.ScrollWindow(0, 5);
        EXPECT_EQ(page.WindowRect().y, 65);

        // An unhandled Esc on a page hides it; the main window stays open.
        page.UserEscape();
        EXPECT_FALSE(page.IsVisible());
        EXPECT_FALSE(d.IsEnded());
        d.EndDialog(77);
        return 0;
    });
    EXPECT_EQ(main.DoModal(host), 77);
    EXPECT_FALSE(page.IsCreated()); // its window went with the main window's
    EXPECT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(host.Dialogs()[0].templateId, 900);
    EXPECT_EQ(host.Dialogs()[0].result, 77);
}

TEST(Dialog, ChildDestroyedBeforeParentLeavesNoDanglingChild) {
    SampleDialog main;
    main.Create(nullptr);
    {
        PageDialog page;
        page.Create(&main);
        EXPECT_EQ(main.Children().size(), 1u);
    }
    EXPECT_TRUE(main.Children().empty());
    main.ScrollWindow(0, 10); // would touch the page if it were still listed
}

#include "TestDialogs.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace qm::ui;
using namespace qm::ui::test;

namespace {

struct Recorder : DialogObserver {
    std::vector<std::pair<int, ControlChange>> controls;
    std::vector<DialogChange> dialogs;
    int repaints = 0;
    std::vector<Dialog*> children;
    std::vector<Dialog*> destroyed;
    void OnControlChanged(Dialog&, Control& c, ControlChange what) override {
        controls.emplace_back(c.Id(), what);
    }
    void OnDialogChanged(Dialog&, DialogChange what) override { dialogs.push_back(what); }
    void OnRepaint(Dialog&, Control*) override { ++repaints; }
    void OnChildCreated(Dialog&, Dialog& child) override { children.push_back(&child); }
    void OnDialogDestroyed(Dialog& d) override { destroyed.push_back(&d); }
};

} // namespace

TEST(Observer, FollowsEveryRealChangeOnce) {
    Recorder r;
    SampleDialog d;
    d.Create(nullptr);
    d.SetObserver(&r);
    d.SetItemText(10, u"New");
    d.SetItemText(10, u"New"); // no change, no report
    d.Item(30).AddString(u"a");
    d.Item(30).SetCurSel(0);
    d.Item(30).SetCurSel(0);
    d.CheckButton(14, 1);
    d.EnableItem(41, false);
    d.ShowItem(13, true);
    d.Item(41).SetLimitText(3);
    d.Item(42).SetRange(0, 5);
    d.Item(60).SetPicture(104);
    d.Item(30).SetTooltip(u"tip");
    d.Item(41).Move(0, 3);
    const std::vector<std::pair<int, ControlChange>> expected{
        {10, ControlChange::Text},       {30, ControlChange::Items},
        {30, ControlChange::Selection},  {14, ControlChange::Check},
        {41, ControlChange::Enabled},    {13, ControlChange::Visible},
        {41, ControlChange::Attributes}, {42, ControlChange::Range},
        {60, ControlChange::Picture},    {30, ControlChange::Tooltip},
        {41, ControlChange::Rect}};
    EXPECT_EQ(r.controls, expected);

    d.SetTitle(u"Quillmark 1.0.0.0");
    d.SetFocus(12);
    d.SetScrollInfo(ScrollInfo{0, 100, 30, 0});
    d.Show(true);
    d.Invalidate();
    d.Item(10).Invalidate();
    EXPECT_EQ(r.dialogs, (std::vector<DialogChange>{DialogChange::Title, DialogChange::Focus,
                                                    DialogChange::Scroll, DialogChange::Visible}));
    EXPECT_EQ(r.repaints, 2);

    PageDialog page;
    page.Create(&d);
    EXPECT_EQ(page.Observer(), &r);
    EXPECT_EQ(r.children, std::vector<Dialog*>{&page});
    d.Create(nullptr); // a new window: the old one and its page go
    EXPECT_EQ(r.destroyed, (std::vector<Dialog*>{&page, &d}));
}

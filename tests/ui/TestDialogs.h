#pragma once

#include "ui/Dialog.h"

#include <vector>

namespace qm::ui::test {

// A dialog with one control of every kind; records every notification it receives.
inline constexpr ControlTemplate kSampleRows[] = {
    {10, ControlKind::Static, u"Label:", {4, 4, 40, 8}},
    {11, ControlKind::GroupBox, u"Group", {2, 14, 100, 60}},
    {12, ControlKind::PushButton, u"&Send", {4, 80, 50, 14}, kStyleDefault | kStyleGroup},
    {13, ControlKind::PushButton, u"Hidden", {60, 80, 30, 14}, kStyleHidden},
    {14, ControlKind::CheckBox, u"Tick", {4, 20, 60, 10}, kStyleGroup},
    {20, ControlKind::Radio, u"One", {4, 32, 40, 10}, kStyleGroup},
    {21, ControlKind::Radio, u"Two", {4, 42, 40, 10}},
    {22, ControlKind::Radio, u"Three", {4, 52, 40, 10}},
    {23, ControlKind::Radio, u"Other group", {50, 32, 40, 10}, kStyleGroup},
    {30, ControlKind::DropDownList, u"", {120, 4, 60, 80}, kStyleSorted},
    {31, ControlKind::DropDownList, u"", {120, 20, 60, 80}},
    {40, ControlKind::Edit, u"", {120, 40, 40, 12}, kStyleDigitsOnly, 5},
    {41, ControlKind::Edit, u"", {120, 56, 40, 12}, kStyleNone, 6},
    {42, ControlKind::UpDown, u"", {160, 56, 10, 12}},
    {43, ControlKind::Edit, u"fixed", {120, 72, 40, 12}, kStyleReadOnly},
    {50, ControlKind::IpAddress, u"", {120, 90, 60, 12}},
    {60, ControlKind::Picture, u"", {190, 4, 30, 30}, kStyleNone, 0, 103},
    {70, ControlKind::Tab, u"", {4, 100, 200, 80}},
    {80, ControlKind::Edit, u"", {120, 120, 40, 12}, kStyleDisabled},
};
inline constexpr DialogTemplate kSampleTemplate{900, u"Sample",        240,
                                                190, kDialogResizable, kSampleRows};

inline constexpr ControlTemplate kPageRows[] = {
    {100, ControlKind::CheckBox, u"Item", {4, 4, 60, 10}},
    {101, ControlKind::Edit, u"", {70, 4, 40, 12}},
};
inline constexpr DialogTemplate kPageTemplate{901,      u"", 200, 60, kDialogChild | kDialogVScroll,
                                              kPageRows};

class SampleDialog : public Dialog {
public:
    SampleDialog() : Dialog(kSampleTemplate) {}
    std::vector<Notification> seen;
    bool handleCancel = false;
    bool redText = false;
    int initCount = 0;

protected:
    bool OnInitDialog() override {
        ++initCount;
        Item(31).AddString(u"first");
        Item(31).AddString(u"second");
        Item(42).SetRange(0, 15);
        return true;
    }
    bool OnNotify(Notification& n) override {
        seen.push_back(n);
        if (n.event == Event::Cancel && handleCancel) {
            return true;
        }
        if (n.event == Event::ColourRequest && n.id == 10 && redText) {
            n.textColour = kRed;
            return true;
        }
        return false;
    }
};

class PageDialog : public Dialog {
public:
    PageDialog() : Dialog(kPageTemplate) {}
    std::vector<Notification> seen;

protected:
    bool OnNotify(Notification& n) override {
        seen.push_back(n);
        return false;
    }
};

} // namespace qm::ui::test

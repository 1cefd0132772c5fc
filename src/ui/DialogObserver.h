#pragma once

#include "ui/Control.h"

#include <cstdint>

namespace qm::ui {

class Dialog;

// What changed in a dialog as a whole.
enum class DialogChange : uint8_t {
    Title,   // window title
    Visible, // shown / hidden
    Rect,    // position or client size
    Scroll,  // the dialog's own scroll bar (range, page or position)
    Focus,   // the control holding the keyboard focus
    Limits,  // minimum / maximum tracking size
    Ended,   // EndDialog was called (a modal loop ends; a child dialog hides)
};

// The renderer follows every model change through this interface. One observer serves a
// dialog and all the child dialogs created inside it.
class DialogObserver {
public:
    virtual ~DialogObserver() = default;
    virtual void OnControlChanged(Dialog& dialog, Control& control, ControlChange what) = 0;
    virtual void OnDialogChanged(Dialog& dialog, DialogChange what) = 0;
    // The dialog (or one control of it, when control is not null) should be drawn again;
    // colours are asked anew through ColourRequest notifications.
    virtual void OnRepaint(Dialog& dialog, Control* control) = 0;
    // A child dialog was created inside parent (after its OnInitDialog ran).
    virtual void OnChildCreated(Dialog& parent, Dialog& child) = 0;
    // The dialog's window goes away (destroyed, or rebuilt by a new Create).
    virtual void OnDialogDestroyed(Dialog& dialog) = 0;
};

} // namespace qm::ui

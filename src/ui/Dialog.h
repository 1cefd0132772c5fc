#pragma once

#include "ui/Control.h"
#include "ui/DialogObserver.h"
#include "ui/DialogTemplate.h"
#include "ui/Notification.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::ui {

class Host;

// The dialog's own vertical scroll bar: range min..max, page size and position.
struct ScrollInfo {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
    bool operator==(const ScrollInfo&) const = default;
};

// Minimum and maximum tracking size of a resizable window in pixels (0 = no limit).
struct TrackingLimits {
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
};

// A dialog built from a template: its controls by numeric id, child dialogs (pages), its own
// scroll bar, and one notification dispatch (OnNotify) in which a derived class handles what
// the user did, like a message map:
//
//   bool CComSettingsDlg::OnNotify(ui::Notification& n) {
//       if (n.event == ui::Event::Clicked && n.id == 170) { OnOK(); return true; }
//       return false;
//   }
//
// Every user action arrives through the User... functions (the Qt renderer calls them; tests
// call them to act as the user): each changes the model as the control would, then sends the
// notification. Actions on a disabled or hidden control, or on a dialog that is not created,
// are ignored and return false.
class Dialog {
public:
    explicit Dialog(const DialogTemplate& dialogTemplate);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // ---------------- life ----------------
    // Builds the controls from the template (a new window: old controls are dropped), then
    // runs OnInitDialog. A child dialog (parent not null) is added to the parent's children,
    // takes the parent's host and observer, and starts hidden unless its template row says
    // otherwise. Returns OnInitDialog's result.
    bool Create(Dialog* parent);
    // Creates the dialog as a top-level window and runs it modally through the host until
    // EndDialog; returns the EndDialog result. The controls keep their state afterwards.
    int DoModal(Host& host);
    // Modal dialog: ends its loop with result. Child dialog: hides it (as the system did).
    void EndDialog(int result);
    bool IsCreated() const { return created_; }
    bool IsEnded() const { return ended_; }
    int Result() const { return result_; }
    bool IsModal() const { return modal_; }

    const DialogTemplate& Template() const { return template_; }
    int TemplateId() const { return template_.id; }
    // The host that runs this dialog (a child's parent's host); null before DoModal/Create.
    Host* GetHost() const { return host_; }
    void SetHost(Host* host) { host_ = host; }

    // ---------------- controls ----------------
    // The control with this id, or null.
    Control* Find(int id);
    const Control* Find(int id) const;
    // The control with this id; a missing id is a programming fault: the process stops with
    // a message naming the template and the id.
    Control& Item(int id);
    const Control& Item(int id) const;
    // Every control in template order.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    // Shorthands in the classic style; a missing id is ignored (getters give empty/0).
    std::u16string GetItemText(int id) const;
    void SetItemText(int id, std::u16string_view text);
    int IsButtonChecked(int id) const;
    void CheckButton(int id, int check);
    // Checks id and clears every other radio button first..last.
    void CheckRadioButton(int first, int last, int id);
    void EnableItem(int id, bool enable);
    void ShowItem(int id, bool show);

    // ---------------- window ----------------
    const std::u16string& Title() const { return title_; }
    void SetTitle(std::u16string_view title);
    // Pixels; a child's rectangle is in its parent's client coordinates. Set from the
    // template size at Create (x = y = 0).
    const Rect& WindowRect() const { return rect_; }
    void SetWindowRect(const Rect& rect);
    Rect ClientRect() const { return Rect{0, 0, rect_.width, rect_.height}; }
    bool IsVisible() const { return visible_; }
    void Show(bool show);
    Dialog* Parent() const { return parent_; }
    const std::vector<Dialog*>& Children() const { return children_; }
    const TrackingLimits& Limits() const { return limits_; }
    void SetTrackingLimits(const TrackingLimits& limits);
    // Keyboard focus (0 = none). SetFocus is the program moving the focus: no notification.
    int FocusId() const { return focusId_; }
    void SetFocus(int id);

    // ---------------- own scroll bar ----------------
    const ScrollInfo& VScroll() const { return scroll_; }
    // Sets range, page and position (the position is clamped to min..max-page+1).
    void SetScrollInfo(const ScrollInfo& info);
    void SetScrollPos(int pos);
    // Moves every control and every child dialog by (dx, dy) and repaints the dialog: the
    // contents scroll, the uncovered area is drawn anew.
    void ScrollWindow(int dx, int dy);

    // ---------------- repaint ----------------
    // Asks for the whole dialog to be drawn again; colours are asked anew.
    void Invalidate();
    // How often a repaint was asked for (dialog and its controls); tests read it.
    int RepaintCount() const { return repaints_; }

    // ---------------- notifications ----------------
    // Sends n to OnNotify and applies the default behaviour of unhandled OK/Cancel/Close.
    // Returns true when OnNotify handled it.
    bool Dispatch(Notification& n);
    // Asks the dialog for the colours of one control (a ColourRequest notification).
    Notification RequestColours(int id);

    // ---------------- the user ----------------
    // Button, check box (toggles) or radio (checks it, clears its group): Clicked.
    bool UserClick(int id);
    // Drop-down list entry chosen: SelChange (only when the selection changes).
    bool UserSelect(int id, int index);
    // Text typed into an edit (filtered by its limit, digits-only and refused characters) or an
    // IP address: EditChange when the text changed. Read-only edits refuse.
    bool UserEdit(int id, std::u16string_view text);
    // Tab chosen: TabChange (only when it changes).
    bool UserSelectTab(int id, int index);
    // Up-down arrow (+1 up / -1 down): reads the buddy's number, moves within the range,
    // writes the buddy (EditChange) and sends Spin.
    bool UserSpin(int id, int delta);
    // The dialog's own scroll bar: VScroll with the request code (and track position).
    bool UserScroll(int request, int trackPos = 0);
    // Mouse wheel over the dialog: MouseWheel with the delta.
    bool UserWheel(int delta);
    // Enter: clicks the enabled default push button if there is one, else sends Ok.
    bool UserEnter();
    // Esc: Cancel.
    bool UserEscape();
    // Close box: Close.
    bool UserClose();
    // New client size in pixels: Size.
    bool UserResize(int width, int height);
    // Mouse pressed inside the dialog: MouseActivate.
    bool UserMouseActivate();
    // The user moved the focus to a control: FocusChange.
    bool UserFocus(int id);

    // ---------------- renderer ----------------
    DialogObserver* Observer() const { return observer_; }
    // Sets the observer of this dialog and all its children (children created later take it).
    void SetObserver(DialogObserver* observer);
    // Called by Control when its state changes.
    void ControlChanged(Control& control, ControlChange what);
    void ControlRepaint(Control& control);
    // The default push button (enabled and visible), or null.
    Control* DefaultButton();

protected:
    // Runs once the controls exist. Return value is Create's result.
    virtual bool OnInitDialog() { return true; }
    // The one dispatch: return true when handled.
    virtual bool OnNotify(Notification& n);

private:
    void Destroy();
    void DialogChanged(DialogChange what);
    bool Usable(const Control* c) const;
    void ClickRadio(Control& radio);

    const DialogTemplate& template_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<Dialog*> children_;
    Dialog* parent_ = nullptr;
    Host* host_ = nullptr;
    DialogObserver* observer_ = nullptr;
    std::u16string title_;
    Rect rect_;
    TrackingLimits limits_;
    ScrollInfo scroll_;
    int focusId_ = 0;
    int repaints_ = 0;
    int result_ = 0;
    bool visible_ = false;
    bool created_ = false;
    bool ended_ = false;
    bool modal_ = false;
};

} // namespace qm::ui

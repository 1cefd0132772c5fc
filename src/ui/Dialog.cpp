#include "ui/Dialog.h"

#include "ui/Host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qm::ui {

Dialog::Dialog(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

Dialog::~Dialog() {
    Destroy();
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    for (Dialog* child : children_) {
        child->parent_ = nullptr;
    }
    Host::ForgetDialog(*this);
}

void Dialog::Destroy() {
    if (!created_) {
        return;
    }
    for (Dialog* child : children_) {
        child->Destroy();
    }
    if (observer_ != nullptr) {
        observer_->OnDialogDestroyed(*this);
    }
    created_ = false;
    visible_ = false;
}

bool Dialog::Create(Dialog* parent) {
    Destroy();
    if (parent_ != nullptr && parent_ != parent) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        host_ = parent_->host_;
        observer_ = parent_->observer_;
        if (std::find(parent_->children_.begin(), parent_->children_.end(), this) ==
            parent_->children_.end()) {
            parent_->children_.push_back(this);
        }
    }
    children_.clear();
    controls_.clear();
    controls_.reserve(template_.controls.size());
    const ControlTemplate* previous = nullptr;
    for (const ControlTemplate& row : template_.controls) {
        auto control = std::make_unique<Control>(*this, row);
        if (row.kind == ControlKind::UpDown && control->Buddy() == 0 && previous != nullptr) {
            control->SetBuddy(previous->id);
        }
        controls_.push_back(std::move(control));
        previous = &row;
    }
    title_.assign(template_.caption);
    rect_ =
        Rect{0, 0, DialogUnitsToPixelsX(template_.width), DialogUnitsToPixelsY(template_.height)};
    scroll_ = ScrollInfo{};
    focusId_ = 0;
    ended_ = false;
    result_ = 0;
    if (parent_ != nullptr) {
        modal_ = false;
    }
    visible_ = false;
    created_ = true;
    const bool ok = OnInitDialog();
    if (parent_ != nullptr && parent_->observer_ != nullptr && parent_->created_) {
        parent_->observer_->OnChildCreated(*parent_, *this);
    }
    return ok;
}

int Dialog::DoModal(Host& host) {
    host_ = &host;
    modal_ = true; // already during OnInitDialog: an EndDialog there ends the modal run
    Create(nullptr);
    visible_ = !ended_;
    const int result = host.RunModal(*this);
    if (!ended_) {
        ended_ = true;
        result_ = result;
    }
    Destroy();
    modal_ = false;
    return result_;
}

void Dialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    if (!modal_) {
        Show(false);
    }
    DialogChanged(DialogChange::Ended);
}

Control* Dialog::Find(int id) {
    for (auto& c : controls_) {
        if (c->Id() == id) {
            return c.get();
        }
    }
    return nullptr;
}

const Control* Dialog::Find(int id) const {
    return const_cast<Dialog*>(this)->Find(id);
}

Control& Dialog::Item(int id) {
    Control* c = Find(id);
    if (c == nullptr) {
        std::fprintf(stderr, "dialog %d has no control %d%s\n", template_.id, id,
                     created_ ? "" : " (dialog not created)");
        std::abort();
    }
    return *c;
}

const Control& Dialog::Item(int id) const {
    return const_cast<Dialog*>(this)->Item(id);
}

std::u16string Dialog::GetItemText(int id) const {
    const Control* c = Find(id);
    return c != nullptr ? c->Text() : std::u16string();
}

void Dialog::SetItemText(int id, std::u16string_view text) {
    if (Control* c = Find(id)) {
        c->SetText(text);
    }
}

int Dialog::IsButtonChecked(int id) const {
    const Control* c = Find(id);
    return c != nullptr ? c->Check() : 0;
}

void Dialog::CheckButton(int id, int check) {
    if (Control* c = Find(id)) {
        c->SetCheck(check);
    }
}

void Dialog::CheckRadioButton(int first, int last, int id) {
    for (auto& c : controls_) {
        if (c->Id() >= first && c->Id() <= last && c->Kind() == ControlKind::Radio) {
            c->SetCheck(c->Id() == id ? 1 : 0);
        }
    }
}

void Dialog::EnableItem(int id, bool enable) {
    if (Control* c = Find(id)) {
        c->Enable(enable);
    }
}

void Dialog::ShowItem(int id, bool show) {
    if (Control* c = Find(id)) {
        c->Show(show);
    }
}

void Dialog::SetTitle(std::u16string_view title) {
    if (title_ != title) {
        title_.assign(title);
        DialogChanged(DialogChange::Title);
    }
}

void Dialog::SetWindowRect(const Rect& rect) {
    if (!(rect_ == rect)) {
        rect_ = rect;
        DialogChanged(DialogChange::Rect);
    }
}

void Dialog::Show(bool show) {
    if (visible_ != show) {
        visible_ = show;
        DialogChanged(DialogChange::Visible);
    }
}

void Dialog::SetTrackingLimits(const TrackingLimits& limits) {
    limits_ = limits;
    DialogChanged(DialogChange::Limits);
}

void Dialog::SetFocus(int id) {
    if (focusId_ != id) {
        focusId_ = id;
        DialogChanged(DialogChange::Focus);
    }
}

void Dialog::SetScrollInfo(const ScrollInfo& info) {
    ScrollInfo next = info;
    const int top = std::max(next.min, next.max - std::max(next.page, 1) + 1);
    next.pos = std::clamp(next.pos, next.min, top);
    if (!(scroll_ == next)) {
        scroll_ = next;
        DialogChanged(DialogChange::Scroll);
    }
}

void Dialog::SetScrollPos(int pos) {
    ScrollInfo next = scroll_;
    next.pos = pos;
    SetScrollInfo(next);
}

void Dialog::ScrollWindow(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    for (auto& c : controls_) {
        c->Move(dx, dy);
    }
    for (Dialog* child : children_) {
        const Rect r = child->rect_;
        child->SetWindowRect(Rect{r.x + dx, r.y + dy, r.width, r.height});
    }
    Invalidate();
}

void Dialog::Invalidate() {
    ++repaints_;
    if (observer_ != nullptr && created_) {
        observer_->OnRepaint(*this, nullptr);
    }
}

bool Dialog::OnNotify(Notification&) {
    return false;
}

bool Dialog::Dispatch(Notification& n) {
    const bool handled = OnNotify(n);
    if (handled) {
        return true;
    }
    switch (n.event) {
    case Event::Ok:
        EndDialog(kIdOk);
        break;
    case Event::Cancel:
        EndDialog(kIdCancel);
        break;
    case Event::Close: {
        // An unhandled close request is the Cancel action, as with the system's dialogs.
        Notification cancel;
        cancel.event = Event::Cancel;
        Dispatch(cancel);
        break;
    }
    default:
        break;
    }
    return false;
}

Notification Dialog::RequestColours(int id) {
    Notification n;
    n.event = Event::ColourRequest;
    n.id = id;
    OnNotify(n);
    return n;
}

bool Dialog::Usable(const Control* c) const {
    return created_ && c != nullptr && c->IsEnabled() && c->IsVisible();
}

void Dialog::ClickRadio(Control& radio) {
    // The group runs from the nearest group start at or before the radio to the control
    // before the next group start.
    auto self = std::find_if(controls_.begin(), controls_.end(),
                             [&](const auto& c) { return c.get() == &radio; });
    auto first = self;
    while (first != controls_.begin() && !(*first)->HasStyle(kStyleGroup)) {
        --first;
    }
    for (auto it = first; it != controls_.end(); ++it) {
        if (it != first && (*it)->HasStyle(kStyleGroup)) {
            break;
        }
        if ((*it)->Kind() == ControlKind::Radio) {
            (*it)->SetCheck(it == self ? 1 : 0);
        }
    }
}

bool Dialog::UserClick(int id) {
    Control* c = Find(id);
    if (!Usable(c)) {
        return false;
    }
    if (c->Kind() == ControlKind::CheckBox) {
        c->SetCheck(c->Check() != 0 ? 0 : 1);
    } else if (c->Kind() == ControlKind::Radio) {
        ClickRadio(*c);
    } else if (c->Kind() != ControlKind::PushButton && c->Kind() != ControlKind::Picture &&
               c->Kind() != ControlKind::Static) {
        return false;
    }
    Notification n;
    n.event = Event::Clicked;
    n.id = id;
    Dispatch(n);
    return true;
}

bool Dialog::UserSelect(int id, int index) {
    Control* c = Find(id);
    if (!Usable(c) || c->Kind() != ControlKind::DropDownList || index < 0 || index >= c->Count()) {
        return false;
    }
    if (c->CurSel() == index) {
        return true;
    }
    c->SetCurSel(index);
    Notification n;
    n.event = Event::SelChange;
    n.id = id;
    Dispatch(n);
    return true;
}

bool Dialog::UserEdit(int id, std::u16string_view text) {
    Control* c = Find(id);
    if (!Usable(c)) {
        return false;
    }
    if (c->Kind() == ControlKind::IpAddress) {
        const std::u16string before = c->Text();
        const bool wasBlank = c->IsBlank();
        if (text.find_first_not_of(u". ") == std::u16string_view::npos) {
            c->ClearAddress(); // the user emptied every field
        } else if (!c->SetAddressText(text)) {
            return false;
        }
        if (before != c->Text() || wasBlank != c->IsBlank()) {
            Notification n;
            n.event = Event::EditChange;
            n.id = id;
            Dispatch(n);
        }
        return true;
    }
    if (c->Kind() != ControlKind::Edit || c->IsReadOnly()) {
        return false;
    }
    // SetText sends the EditChange notification when the text changes.
    c->SetText(c->FilterUserText(text));
    return true;
}

bool Dialog::UserSelectTab(int id, int index) {
    Control* c = Find(id);
    if (!Usable(c) || c->Kind() != ControlKind::Tab || index < 0 || index >= c->Count()) {
        return false;
    }
    if (c->CurSel() == index) {
        return true;
    }
    c->SetCurSel(index);
    Notification n;
    n.event = Event::TabChange;
    n.id = id;
    Dispatch(n);
    return true;
}

bool Dialog::UserSpin(int id, int delta) {
    Control* c = Find(id);
    if (!Usable(c) || c->Kind() != ControlKind::UpDown) {
        return false;
    }
    Control* buddy = c->Buddy() != 0 ? Find(c->Buddy()) : nullptr;
    int pos = c->Pos();
    if (buddy != nullptr) {
        // The arrows start from the number the buddy shows.
        const std::u16string text = buddy->Text();
        bool number = !text.empty();
        long value = 0;
        for (size_t i = 0; i < text.size() && number; ++i) {
            const char16_t ch = text[i];
            if (ch == u'-' && i == 0 && text.size() > 1) {
                continue;
            }
            if (ch < u'0' || ch > u'9') {
                number = false;
            } else {
                value = std::min(value * 10 + (ch - u'0'), 1000000000L);
            }
        }
        if (number) {
            pos = static_cast<int>(text[0] == u'-' ? -value : value);
        }
    }
    const int lo = std::min(c->RangeMin(), c->RangeMax());
    const int hi = std::max(c->RangeMin(), c->RangeMax());
    const int step = c->RangeMin() <= c->RangeMax() ? delta : -delta;
    pos = std::clamp(pos + step, lo, hi);
    c->SetPos(pos);
    if (buddy != nullptr) {
        const std::string digits = std::to_string(pos);
        buddy->SetText(std::u16string(digits.begin(), digits.end()));
    }
    Notification n;
    n.event = Event::Spin;
    n.id = id;
    n.code = delta;
    n.value = pos;
    Dispatch(n);
    return true;
}

bool Dialog::UserScroll(int request, int trackPos) {
    if (!created_) {
        return false;
    }
    Notification n;
    n.event = Event::VScroll;
    n.code = request;
    n.value = trackPos;
    Dispatch(n);
    return true;
}

bool Dialog::UserWheel(int delta) {
    if (!created_) {
        return false;
    }
    Notification n;
    n.event = Event::MouseWheel;
    n.code = delta;
    Dispatch(n);
    return true;
}

Control* Dialog::DefaultButton() {
    for (auto& c : controls_) {
        if (c->Kind() == ControlKind::PushButton && c->HasStyle(kStyleDefault) && c->IsEnabled() &&
            c->IsVisible()) {
            return c.get();
        }
    }
    return nullptr;
}

bool Dialog::UserEnter() {
    if (!created_) {
        return false;
    }
    if (Control* button = DefaultButton()) {
        return UserClick(button->Id());
    }
    Notification n;
    n.event = Event::Ok;
    Dispatch(n);
    return true;
}

bool Dialog::UserEscape() {
    if (!created_) {
        return false;
    }
    Notification n;
    n.event = Event::Cancel;
    Dispatch(n);
    return true;
}

bool Dialog::UserClose() {
    if (!created_) {
        return false;
    }
    Notification n;
    n.event = Event::Close;
    Dispatch(n);
    return true;
}

bool Dialog::UserResize(int width, int height) {
    if (!created_) {
        return false;
    }
    const Rect r = rect_;
    rect_ = Rect{r.x, r.y, width, height};
    Notification n;
    n.event = Event::Size;
    n.code = width;
    n.value = height;
    Dispatch(n);
    return true;
}

bool Dialog::UserMouseActivate() {
    if (!created_) {
        return false;
    }
    Notification n;
    n.event = Event::MouseActivate;
    Dispatch(n);
    return true;
}

bool Dialog::UserFocus(int id) {
    Control* c = Find(id);
    if (!Usable(c)) {
        return false;
    }
    focusId_ = id;
    Notification n;
    n.event = Event::FocusChange;
    n.id = id;
    Dispatch(n);
    return true;
}

void Dialog::SetObserver(DialogObserver* observer) {
    observer_ = observer;
    for (Dialog* child : children_) {
        child->SetObserver(observer);
    }
}

void Dialog::ControlChanged(Control& control, ControlChange what) {
    if (observer_ != nullptr && created_) {
        observer_->OnControlChanged(*this, control, what);
    }
}

void Dialog::ControlRepaint(Control& control) {
    ++repaints_;
    if (observer_ != nullptr && created_) {
        observer_->OnRepaint(*this, &control);
    }
}

void Dialog::DialogChanged(DialogChange what) {
    if (observer_ != nullptr && created_) {
        observer_->OnDialogChanged(*this, what);
    }
}

} // namespace qm::ui

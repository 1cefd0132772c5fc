#include "qt/DialogWidget.h"

#include "qt/ControlFit.h"
#include "qt/Pictures.h"
#include "qt/QtText.h"
#include "qt/UpDownWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace qm::qt {

using ui::ControlChange;
using ui::ControlKind;

namespace {

// Height of a closed drop-down list: the template height is the dropped list's.
constexpr int kClosedComboHeight = 22;

// Guards against echoing model changes that the renderer itself makes.
class Applying {
public:
    explicit Applying(int& depth) : depth_(depth) { ++depth_; }
    ~Applying() { --depth_; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

private:
    int& depth_;
};

// Check boxes and radio buttons take a click anywhere in their rectangle, as the system's did
// (Qt's own only take clicks on the box and the text).
class WholeCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WholeRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QColor ToQColor(const ui::Colour& c) {
    return QColor(c.red, c.green, c.blue);
}

constexpr int kSmallestFontPixels = 6;
// The smallest font a label takes when its text finds no room at the dialog's size.
constexpr int kSmallestLabelPixels = 9;

bool TakesColours(ControlKind kind) {
    return kind == ControlKind::Static || kind == ControlKind::GroupBox ||
           kind == ControlKind::CheckBox || kind == ControlKind::Radio ||
           kind == ControlKind::Edit || kind == ControlKind::PushButton;
}

} // namespace

QString WithoutMnemonic(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
        }
        out += caption[i];
    }
    return out;
}

DialogWidget::DialogWidget(ui::Dialog& dialog, QWidget* parent)
    : QWidget(parent), dialog_(&dialog), topLevel_(dialog.Parent() == nullptr) {
    Applying guard(applying_);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    if (topLevel_) {
        setWindowTitle(ToQString(dialog.Title()));
        if ((dialog.Template().style & ui::kDialogResizable) == 0) {
            setFixedSize(dialog.WindowRect().width, dialog.WindowRect().height);
        } else {
            resize(dialog.WindowRect().width, dialog.WindowRect().height);
        }
    } else {
        const ui::Rect& r = dialog.WindowRect();
        setGeometry(r.x, r.y, r.width, r.height);
    }
    // Group boxes first so that they lie under the controls they frame.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& control : dialog.Controls()) {
            const bool group = control->Kind() == ControlKind::GroupBox;
            if ((pass == 0) != group) {
                continue;
            }
            QWidget* widget = CreateWidget(*control);
            widgets_.insert(control.get(), widget);
            controls_.insert(widget, control.get());
            ApplyAll(*control, widget);
            ConnectInput(*control, widget);
            widget->installEventFilter(this);
            if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                tabs->tabBar()->installEventFilter(this); // its row's width, once laid out
            }
        }
    }
    if ((dialog.Template().style & ui::kDialogVScroll) != 0) {
        vbar_ = new QScrollBar(Qt::Vertical, this);
        connect(vbar_, &QScrollBar::actionTriggered, this,
                [this](int action) { ScrollAction(action); });
        connect(vbar_, &QScrollBar::sliderReleased, this, [this] {
            if (dialog_ != nullptr && applying_ == 0) {
                dialog_->UserScroll(ui::kSbThumbPosition, vbar_->sliderPosition());
                dialog_->UserScroll(ui::kSbEndScroll);
            }
            SyncScrollBar();
        });
        SyncScrollBar();
        PlaceScrollBar();
    }
    ApplyDialog(ui::DialogChange::Limits);
    FitControls();
    setVisible(!topLevel_ && dialog.IsVisible());
}

DialogWidget::~DialogWidget() = default;

void DialogWidget::Detach() {
    dialog_ = nullptr;
    widgets_.clear();
    controls_.clear();
}

QWidget* DialogWidget::WidgetFor(int id) const {
    if (dialog_ == nullptr) {
        return nullptr;
    }
    const ui::Control* c = dialog_->Find(id);
    return c != nullptr ? widgets_.value(c) : nullptr;
}

ui::Control* DialogWidget::ControlOf(QObject* widget) const {
    return controls_.value(widget);
}

QWidget* DialogWidget::CreateWidget(ui::Control& control) {
    switch (control.Kind()) {
    case ControlKind::Static: {
        auto* label = new QLabel(this);
        Qt::Alignment align = Qt::AlignTop;
        if (control.HasStyle(ui::kStyleCentre)) {
            align |= Qt::AlignHCenter;
        } else if (control.HasStyle(ui::kStyleRight)) {
            align |= Qt::AlignRight;
        } else {
            align |= Qt::AlignLeft;
        }
        label->setAlignment(align);
        label->setWordWrap(true);
        if (control.HasStyle(ui::kStyleBorder)) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        return label;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(this);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);
        button->setDefault(control.HasStyle(ui::kStyleDefault)); // drawn as the default
        return button;
    }
    case ControlKind::CheckBox:
        return new WholeCheckBox(this);
    case ControlKind::Radio: {
        auto* radio = new WholeRadioButton(this);
        radio->setAutoExclusive(false); // the model keeps the groups
        return radio;
    }
    case ControlKind::DropDownList: {
        auto* combo = new QComboBox(this);
        combo->setFocusPolicy(Qt::StrongFocus);
        const int listHeight = control.GetRect().height - kClosedComboHeight;
        combo->setMaxVisibleItems(std::clamp(listHeight / 16, 5, 30));
        return combo;
    }
    case ControlKind::Edit:
        if (control.HasStyle(ui::kStyleMultiLine)) {
            auto* edit = new QPlainTextEdit(this);
            edit->setVerticalScrollBarPolicy(control.HasStyle(ui::kStyleVScrollBar)
                                                 ? Qt::ScrollBarAsNeeded
                                                 : Qt::ScrollBarAlwaysOff);
            return edit;
        } else {
            auto* edit = new QLineEdit(this);
            if (control.IsDigitsOnly()) {
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("[0-9]*")), edit));
            }
            return edit;
        }
    case ControlKind::UpDown: {
        const int id = control.Id();
        return new UpDownWidget(this, [this, id](int delta) {
            if (dialog_ != nullptr) {
                dialog_->UserSpin(id, delta);
            }
        });
    }
    case ControlKind::IpAddress: {
        auto* edit = new QLineEdit(this);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,3}(\\.[0-9]{0,3}){0,3}")), edit));
        return edit;
    }
    case ControlKind::Picture: {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Tab: {
        auto* tabs = new QTabWidget(this);
        tabs->setFocusPolicy(Qt::TabFocus);
        return tabs;
    }
    }
    return new QWidget(this);
}

void DialogWidget::ConnectInput(ui::Control& control, QWidget* widget) {
    const int id = control.Id();
    switch (control.Kind()) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this, [this, id] {
            if (dialog_ == nullptr || applying_ != 0) {
                return;
            }
            dialog_->UserClick(id);
            SyncChecks();
        });
        break;
    case ControlKind::DropDownList:
        connect(static_cast<QComboBox*>(widget), &QComboBox::activated, this,
                [this, id](int index) {
                    if (dialog_ == nullptr || applying_ != 0) {
                        return;
                    }
                    dialog_->UserSelect(id, index);
                    if (ui::Control* c = dialog_->Find(id)) {
                        ApplySelection(*c, widgets_.value(c));
                    }
                });
        break;
    case ControlKind::Edit:
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            connect(line, &QLineEdit::textEdited, this, [this, id, line](const QString& text) {
                if (dialog_ == nullptr || applying_ != 0) {
                    return;
                }
                dialog_->UserEdit(id, FromQString(text));
                ui::Control* c = dialog_->Find(id);
                if (c != nullptr && line->text() != ToQString(c->Text())) {
                    ApplyText(*c, line);
                }
            });
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
            connect(plain, &QPlainTextEdit::textChanged, this, [this, id, plain] {
                if (dialog_ == nullptr || applying_ != 0) {
                    return;
                }
                // A multi-line edit keeps its lines with CR LF, as the system's did.
                QString text = plain->toPlainText();
                text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
                dialog_->UserEdit(id, FromQString(text));
            });
        }
        break;
    case ControlKind::IpAddress: {
        auto* line = static_cast<QLineEdit*>(widget);
        connect(line, &QLineEdit::editingFinished, this, [this, id, line] {
            if (dialog_ == nullptr || applying_ != 0) {
                return;
            }
            dialog_->UserEdit(id, FromQString(line->text()));
            if (ui::Control* c = dialog_->Find(id)) {
                ApplyText(*c, line);
            }
        });
        break;
    }
    case ControlKind::Tab: {
        auto* tabs = static_cast<QTabWidget*>(widget);
        connect(tabs->tabBar(), &QTabBar::currentChanged, this, [this, id, tabs](int index) {
            if (dialog_ == nullptr || applying_ != 0 || index < 0) {
                return;
            }
            dialog_->UserSelectTab(id, index);
            // The handler may have chosen another tab (or none): show the model's choice.
            QTimer::singleShot(0, this, [this, id, tabs] {
                if (dialog_ == nullptr) {
                    return;
                }
                if (ui::Control* c = dialog_->Find(id); c != nullptr && widgets_.value(c) == tabs) {
                    ApplySelection(*c, tabs);
                }
            });
        });
        break;
    }
    default:
        break;
    }
}

void DialogWidget::ApplyAll(ui::Control& control, QWidget* widget) {
    ApplyRect(control, widget);
    ApplyItems(control, widget);
    ApplyText(control, widget);
    ApplySelection(control, widget);
    ApplyAttributes(control, widget);
    ApplyPicture(control, widget);
    ApplyControl(control, ControlChange::Check);
    ApplyControl(control, ControlChange::Range);
    widget->setEnabled(control.IsEnabled());
    widget->setToolTip(ToQString(control.Tooltip()));
    widget->setVisible(control.IsVisible());
    ApplyColours(control, widget);
}

void DialogWidget::ApplyRect(ui::Control& control, QWidget* widget) {
    const ui::Rect& r = control.GetRect();
    int height = r.height;
    if (control.Kind() == ControlKind::DropDownList) {
        height = std::min(height, kClosedComboHeight);
    }
    if (control.Kind() == ControlKind::Picture && (r.width <= 0 || r.height <= 0)) {
        widget->move(r.x, r.y);
        widget->adjustSize();
        return;
    }
    widget->setGeometry(QRect(r.x, r.y, r.width, height) + grow_.value(&control));
}

void DialogWidget::ApplyText(ui::Control& control, QWidget* widget) {
    Applying guard(applying_);
    const QString text = ToQString(control.Text());
    switch (control.Kind()) {
    case ControlKind::Static: {
        auto* label = static_cast<QLabel*>(widget);
        label->setText(WithoutMnemonic(text));
        break;
    }
    case ControlKind::GroupBox:
        static_cast<QGroupBox*>(widget)->setTitle(text);
        break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        static_cast<QAbstractButton*>(widget)->setText(text);
        break;
    case ControlKind::Edit:
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            if (line->text() != text) {
                const int cursor = line->cursorPosition();
                line->setText(text);
                line->setCursorPosition(std::min<int>(cursor, static_cast<int>(text.size())));
            }
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
            QString lines = text;
            lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            if (plain->toPlainText() != lines) {
                plain->setPlainText(lines);
            }
        }
        break;
    case ControlKind::IpAddress: {
        auto* line = static_cast<QLineEdit*>(widget);
        const QString shown = control.IsBlank() ? QString() : text;
        if (line->text() != shown) {
            line->setText(shown);
        }
        break;
    }
    default:
        break;
    }
}

void DialogWidget::ApplyItems(ui::Control& control, QWidget* widget) {
    Applying guard(applying_);
    if (control.Kind() == ControlKind::DropDownList) {
        auto* combo = static_cast<QComboBox*>(widget);
        const int count = control.Count();
        bool same = combo->count() == count;
        for (int i = 0; same && i < count; ++i) {
            same = combo->itemText(i) == ToQString(control.ItemText(i));
        }
        if (!same) {
            combo->clear();
            for (int i = 0; i < count; ++i) {
                combo->addItem(ToQString(control.ItemText(i)));
            }
        }
        ApplySelection(control, widget);
    } else if (control.Kind() == ControlKind::Tab) {
        auto* tabs = static_cast<QTabWidget*>(widget);
        const int count = control.Count();
        while (tabs->count() > count) {
            QWidget* page = tabs->widget(tabs->count() - 1);
            tabs->removeTab(tabs->count() - 1);
            delete page;
        }
        for (int i = 0; i < count; ++i) {
            const QString text = ToQString(control.ItemText(i));
            if (i < tabs->count()) {
                if (tabs->tabText(i) != text) {
                    tabs->setTabText(i, text);
                }
            } else {
                tabs->addTab(new QWidget(), text);
            }
        }
        ApplySelection(control, widget);
    }
}

void DialogWidget::ApplySelection(ui::Control& control, QWidget* widget) {
    Applying guard(applying_);
    if (control.Kind() == ControlKind::DropDownList) {
        auto* combo = static_cast<QComboBox*>(widget);
        if (combo->currentIndex() != control.CurSel()) {
            combo->setCurrentIndex(control.CurSel());
        }
    } else if (control.Kind() == ControlKind::Tab) {
        auto* tabs = static_cast<QTabWidget*>(widget);
        if (control.CurSel() >= 0 && tabs->currentIndex() != control.CurSel()) {
            tabs->setCurrentIndex(control.CurSel());
        }
    }
}

void DialogWidget::ApplyAttributes(ui::Control& control, QWidget* widget) {
    Applying guard(applying_);
    if (control.Kind() != ControlKind::Edit) {
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setMaxLength(control.Limit() > 0 ? control.Limit() : 32767);
        line->setReadOnly(control.IsReadOnly());
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        plain->setReadOnly(control.IsReadOnly());
        if (control.TabStops() > 0) {
            plain->setTabStopDistance(ui::DialogUnitsToPixelsX(control.TabStops()));
        }
    }
    ApplyFont(control, widget);
}

void DialogWidget::ApplyFont(ui::Control& control, QWidget* widget) {
    const ui::FontSpec& wanted = control.Font();
    if (wanted.height <= 0) {
        return;
    }
    QFont font = widget->font();
    // Qt knows the weights 100 (thin) to 900 (black); lighter or heavier ones take the ends.
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 100, 900)));
    // The height is that of a whole line of the font: the largest pixel size whose line fits.
    int size = wanted.height;
    font.setPixelSize(size);
    while (size > kSmallestFontPixels && QFontMetrics(font).height() > wanted.height) {
        font.setPixelSize(--size);
    }
    widget->setFont(font);
}

void DialogWidget::ApplyPicture(ui::Control& control, QWidget* widget) {
    if (control.Kind() != ControlKind::Picture) {
        return;
    }
    auto* label = static_cast<QLabel*>(widget);
    const ui::Rect& r = control.GetRect();
    const QSize size = (r.width > 0 && r.height > 0) ? QSize(r.width, r.height) : QSize();
    label->setPixmap(Pictures::Render(control.Picture(), size, devicePixelRatioF()));
    if (size.isEmpty()) {
        label->adjustSize();
    }
}

void DialogWidget::ApplyColours(ui::Control& control, QWidget* widget) {
    if (dialog_ == nullptr || !TakesColours(control.Kind())) {
        return;
    }
    const ui::Notification n = dialog_->RequestColours(control.Id());
    const bool greyed = control.Kind() == ControlKind::Edit && control.IsReadOnly();
    const Colours colours{n.textColour, n.backColour, greyed};
    const auto known = colours_.find(widget);
    if (known != colours_.end() && *known == colours) {
        return;
    }
    colours_.insert(widget, colours);
    QPalette palette = QApplication::palette(widget);
    if (colours.text) {
        const QColor c = ToQColor(*colours.text);
        palette.setColor(QPalette::WindowText, c);
        palette.setColor(QPalette::Text, c);
        palette.setColor(QPalette::ButtonText, c);
    }
    if (colours.back) {
        const QColor c = ToQColor(*colours.back);
        palette.setColor(QPalette::Window, c);
        palette.setColor(QPalette::Button, c); // buttons and check boxes fill with this role
        if (control.Kind() != ControlKind::CheckBox && control.Kind() != ControlKind::Radio) {
            palette.setColor(QPalette::Base, c); // a check box keeps its white indicator
        }
    } else if (colours.greyed) {
        // A read-only edit shows the dialog's background, as the system's did.
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    }
    widget->setAutoFillBackground(colours.back.has_value());
    widget->setPalette(palette);
}

void DialogWidget::ApplyControl(ui::Control& control, ControlChange what) {
    QWidget* widget = widgets_.value(&control);
    if (widget == nullptr) {
        return;
    }
    Applying guard(applying_);
    switch (what) {
    case ControlChange::Text:
        ApplyText(control, widget);
        ApplyColours(control, widget);
        ScheduleFit();
        break;
    case ControlChange::Items:
        ApplyItems(control, widget);
        ScheduleFit();
        break;
    case ControlChange::Selection:
        ApplySelection(control, widget);
        break;
    case ControlChange::Check:
        if (auto* button = qobject_cast<QAbstractButton*>(widget);
            button != nullptr &&
            (control.Kind() == ControlKind::CheckBox || control.Kind() == ControlKind::Radio)) {
            button->setChecked(control.Check() != 0);
        }
        break;
    case ControlChange::Enabled:
        widget->setEnabled(control.IsEnabled());
        ApplyColours(control, widget);
        break;
    case ControlChange::Visible:
        widget->setVisible(control.IsVisible());
        ScheduleFit();
        break;
    case ControlChange::Rect:
        ApplyRect(control, widget);
        ScheduleFit(); // a row moved on its own may meet other neighbours
        break;
    case ControlChange::Range:
        break; // the arrows read the model when pressed
    case ControlChange::Picture:
        ApplyPicture(control, widget);
        break;
    case ControlChange::Tooltip:
        widget->setToolTip(ToQString(control.Tooltip()));
        break;
    case ControlChange::Attributes:
        ApplyAttributes(control, widget);
        ApplyColours(control, widget);
        ScheduleFit();
        break;
    }
}

void DialogWidget::ScheduleFit() {
    if (fitPending_) {
        return;
    }
    fitPending_ = true;
    QTimer::singleShot(0, this, [this] {
        fitPending_ = false;
        FitControls();
    });
}

void DialogWidget::FitControls() {
    if (dialog_ == nullptr) {
        return;
    }
    Applying guard(applying_);
    std::vector<ui::Control*> controls;
    std::vector<ControlFit::Entry> entries;
    for (const auto& c : dialog_->Controls()) {
        QWidget* widget = widgets_.value(c.get());
        if (widget == nullptr || !c->IsVisible()) {
            continue;
        }
        const ui::Rect& r = c->GetRect();
        ControlFit::Entry e;
        e.rect = QRect(r.x, r.y, r.width, r.height);
        if (widget->testAttribute(Qt::WA_SetFont) && c->Font().height <= 0) {
            widget->setFont(QFont()); // the dialog's font again, before measuring
        }
        switch (c->Kind()) {
        case ControlKind::Static:
            e.wraps = true;
            e.textInk = true;
            e.align = c->HasStyle(ui::kStyleCentre)  ? ControlFit::Align::kCentre
                      : c->HasStyle(ui::kStyleRight) ? ControlFit::Align::kRight
                                                     : ControlFit::Align::kLeft;
            e.natural = ControlFit::NaturalSize(widget);
            break;
        case ControlKind::PushButton:
            e.align = ControlFit::Align::kCentre;
            e.natural = ControlFit::NaturalSize(widget);
            break;
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            e.natural = ControlFit::NaturalSize(widget);
            e.textInk = !e.natural.isEmpty();
            break;
        case ControlKind::DropDownList:
            e.rect.setHeight(std::min(r.height, kClosedComboHeight));
            e.natural = ControlFit::NaturalSize(widget);
            break;
        case ControlKind::GroupBox:
            e.container = true;
            break;
        case ControlKind::Tab: {
            // Only the row of tabs covers anything: the pages lie in its body.
            auto* tabs = static_cast<QTabWidget*>(widget);
            QRect row;
            for (int i = 0; i < tabs->count(); ++i) {
                row |= tabs->tabBar()->tabRect(i);
            }
            e.rect =
                row.isNull() ? QRect() : row.translated(e.rect.topLeft() + tabs->tabBar()->pos());
            e.obstacle = !row.isNull();
            break;
        }
        default:
            break;
        }
        controls.push_back(c.get());
        entries.push_back(e);
    }
    QSize room = size();
    if (vbar_ != nullptr) {
        room.setWidth(room.width() -
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    }
    auto wrapped = [&](size_t i, int width) {
        auto* label = qobject_cast<QLabel*>(widgets_.value(controls[i]));
        if (label == nullptr) {
            return 0;
        }
        const QMargins m = label->contentsMargins();
        const QRect text = QFontMetrics(label->font())
                               .boundingRect(QRect(0, 0, width - m.left() - m.right(), 100000),
                                             Qt::TextWordWrap | Qt::AlignLeft, label->text());
        return text.height() + m.top() + m.bottom();
    };
    const std::vector<QMargins> grow = ControlFit::Fit(entries, room, wrapped);
    for (size_t i = 0; i < controls.size(); ++i) {
        ui::Control* c = controls[i];
        QWidget* widget = widgets_.value(c);
        grow_.insert(c, grow[i]);
        if (c->Kind() == ControlKind::Tab) {
            continue;
        }
        ApplyRect(*c, widget);
        // A text that found no room takes a smaller font, down to the smallest still readable,
        // and shows its whole text as a tip when even that is too wide: never cut silently.
        ShrinkUntilWhole(*c, widget);
    }
}

void DialogWidget::ShrinkUntilWhole(ui::Control& control, QWidget* widget) {
    const ControlKind kind = control.Kind();
    if (kind != ControlKind::Static && kind != ControlKind::CheckBox &&
        kind != ControlKind::Radio && kind != ControlKind::PushButton &&
        kind != ControlKind::DropDownList) {
        return;
    }
    if (control.Font().height > 0) {
        return; // a control with its own font keeps it
    }
    auto* label = qobject_cast<QLabel*>(widget);
    if (label != nullptr && (label->text().isEmpty() || !label->pixmap().isNull())) {
        return;
    }
    auto fits = [&] {
        if (label != nullptr) {
            const QRect inside = label->contentsRect();
            const QRect text = QFontMetrics(label->font())
                                   .boundingRect(QRect(0, 0, inside.width(), 100000),
                                                 Qt::TextWordWrap | Qt::AlignLeft, label->text());
            return text.width() <= inside.width() && text.height() <= inside.height();
        }
        const QSize natural = ControlFit::NaturalSize(widget);
        return natural.width() <= widget->width() && natural.height() <= widget->height();
    };
    QFont font = widget->font();
    const int base = font.pixelSize() > 0 ? font.pixelSize() : 12;
    for (int px = base - 1; px >= kSmallestLabelPixels && !fits(); --px) {
        font.setPixelSize(px);
        widget->setFont(font);
    }
    QString whole;
    if (!fits()) {
        if (label != nullptr) {
            whole = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            whole = button->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            whole = combo->currentText();
        }
    }
    widget->setToolTip(whole.isEmpty() ? ToQString(control.Tooltip()) : whole);
}

void DialogWidget::SyncChecks() {
    if (dialog_ == nullptr) {
        return;
    }
    for (const auto& control : dialog_->Controls()) {
        if (control->Kind() == ControlKind::CheckBox || control->Kind() == ControlKind::Radio) {
            ApplyControl(*control, ControlChange::Check);
        }
    }
}

void DialogWidget::ApplyDialog(ui::DialogChange what) {
    if (dialog_ == nullptr) {
        return;
    }
    Applying guard(applying_);
    switch (what) {
    case ui::DialogChange::Title:
        if (topLevel_) {
            setWindowTitle(ToQString(dialog_->Title()));
        }
        break;
    case ui::DialogChange::Visible:
        if (!topLevel_) {
            setVisible(dialog_->IsVisible());
            if (dialog_->IsVisible()) {
                raise();
            }
        }
        break;
    case ui::DialogChange::Rect: {
        const ui::Rect& r = dialog_->WindowRect();
        if (topLevel_) {
            if (width() != r.width || height() != r.height) {
                resize(r.width, r.height);
            }
        } else {
            setGeometry(r.x, r.y, r.width, r.height);
        }
        break;
    }
    case ui::DialogChange::Scroll:
        SyncScrollBar();
        break;
    case ui::DialogChange::Focus:
        if (QWidget* w = WidgetFor(dialog_->FocusId())) {
            w->setFocus(Qt::OtherFocusReason);
        }
        break;
    case ui::DialogChange::Limits: {
        if (!topLevel_ || (dialog_->Template().style & ui::kDialogResizable) == 0) {
            break;
        }
        const ui::TrackingLimits& l = dialog_->Limits();
        setMinimumSize(l.minWidth, l.minHeight);
        setMaximumSize(l.maxWidth > 0 ? l.maxWidth : QWIDGETSIZE_MAX,
                       l.maxHeight > 0 ? l.maxHeight : QWIDGETSIZE_MAX);
        break;
    }
    case ui::DialogChange::Ended:
        break;
    }
}

void DialogWidget::Repaint(ui::Control* control) {
    if (dialog_ == nullptr) {
        return;
    }
    if (control != nullptr) {
        if (QWidget* w = widgets_.value(control)) {
            ApplyColours(*control, w);
            w->update();
        }
        return;
    }
    for (const auto& c : dialog_->Controls()) {
        if (QWidget* w = widgets_.value(c.get())) {
            ApplyColours(*c, w);
        }
    }
    update();
}

void DialogWidget::SyncScrollBar() {
    if (vbar_ == nullptr || dialog_ == nullptr) {
        return;
    }
    Applying guard(applying_);
    const ui::ScrollInfo& s = dialog_->VScroll();
    const int page = std::max(s.page, 1);
    const int top = std::max(s.min, s.max - page + 1);
    vbar_->setRange(s.min, top);
    vbar_->setPageStep(page);
    vbar_->setSingleStep(10);
    vbar_->setSliderPosition(s.pos);
    vbar_->setValue(s.pos);
    vbar_->setVisible(s.max - s.min + 1 > page);
    vbar_->raise();
}

void DialogWidget::PlaceScrollBar() {
    if (vbar_ == nullptr) {
        return;
    }
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    vbar_->setGeometry(width() - extent, 0, extent, height());
    vbar_->raise();
}

void DialogWidget::ScrollAction(int action) {
    if (dialog_ == nullptr || applying_ != 0) {
        return;
    }
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = ui::kSbLineDown;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = ui::kSbLineUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = ui::kSbPageDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = ui::kSbPageUp;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = ui::kSbTop;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = ui::kSbBottom;
        break;
    case QAbstractSlider::SliderMove:
        code = ui::kSbThumbTrack;
        break;
    default:
        break;
    }
    if (code < 0) {
        return;
    }
    dialog_->UserScroll(code, vbar_->sliderPosition());
    if (code != ui::kSbThumbTrack && dialog_ != nullptr) {
        dialog_->UserScroll(ui::kSbEndScroll);
    }
    if (dialog_ != nullptr) {
        // The bar shows what the dialog decided, not Qt's own step.
        vbar_->setSliderPosition(dialog_->VScroll().pos);
    }
}

void DialogWidget::Wheel(int delta) {
    if (dialog_ != nullptr && delta != 0) {
        dialog_->UserWheel(delta);
    }
}

bool DialogWidget::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Enter and Esc belong to the dialog, not to any shortcut.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            event->accept();
        }
    }
    return QWidget::event(event);
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    if (dialog_ == nullptr) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A focused push button is pressed by Enter; otherwise the default button.
        ui::Control* focused = ControlOf(QApplication::focusWidget());
        if (focused != nullptr && focused->Kind() == ControlKind::PushButton) {
            dialog_->UserClick(focused->Id());
        } else {
            dialog_->UserEnter();
        }
        event->accept();
        return;
    }
    case Qt::Key_Escape:
        dialog_->UserEscape();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DialogWidget::wheelEvent(QWheelEvent* event) {
    Wheel(event->angleDelta().y());
    event->accept();
}

void DialogWidget::mousePressEvent(QMouseEvent* event) {
    if (dialog_ != nullptr) {
        dialog_->UserMouseActivate();
    }
    QWidget::mousePressEvent(event);
}

void DialogWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceScrollBar();
    if (dialog_ != nullptr && topLevel_ && applying_ == 0) {
        const ui::Rect& r = dialog_->WindowRect();
        if (r.width != width() || r.height != height()) {
            dialog_->UserResize(width(), height());
        }
    }
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    if (dialog_ == nullptr || dialog_->IsEnded()) {
        event->accept();
        return;
    }
    event->ignore();
    dialog_->UserClose();
}

void DialogWidget::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (onFirstPaint_) {
        auto callback = std::move(onFirstPaint_);
        onFirstPaint_ = nullptr;
        callback();
    }
}

void DialogWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ScheduleFit(); // another language's font: every text is measured anew
    }
}

bool DialogWidget::eventFilter(QObject* watched, QEvent* event) {
    if (dialog_ == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    if (qobject_cast<QTabBar*>(watched) != nullptr &&
        (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)) {
        ScheduleFit();
    }
    if (event->type() == QEvent::MouseButtonPress) {
        // A click anywhere in the dialog activates it (pages take the focus this way).
        dialog_->UserMouseActivate();
    } else if (event->type() == QEvent::Wheel) {
        // The wheel scrolls the dialog wherever it turns, except in a drop-down list that has
        // the focus (it steps through its entries) and in a multi-line edit (its own lines).
        auto* combo = qobject_cast<QComboBox*>(watched);
        const bool ownUse = (combo != nullptr && combo->hasFocus()) ||
                            qobject_cast<QPlainTextEdit*>(watched) != nullptr;
        if (!ownUse) {
            Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qm::qt

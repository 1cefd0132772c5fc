#pragma once

#include "ui/Dialog.h"

#include <QHash>
#include <QMargins>
#include <QWidget>

#include <functional>
#include <optional>

class QScrollBar;

namespace qm::qt {

// The Qt window of one ui::Dialog: one widget per control, built from the model's current
// state, kept in step by the Renderer, and turning user input into the model's User...
// actions. A child dialog (a page) is a child widget placed at its model rectangle.
class DialogWidget : public QWidget {
public:
    DialogWidget(ui::Dialog& dialog, QWidget* parent);
    ~DialogWidget() override;

    // The model, or null after Detach.
    ui::Dialog* Model() const { return dialog_; }
    // The model goes away: forget it (input is ignored from now on).
    void Detach();

    QWidget* WidgetFor(const ui::Control& control) const { return widgets_.value(&control); }
    // The widget of the control with this id (null when none).
    QWidget* WidgetFor(int id) const;

    void ApplyControl(ui::Control& control, ui::ControlChange what);
    void ApplyDialog(ui::DialogChange what);
    // Asks the colours anew (all controls when control is null) and redraws.
    void Repaint(ui::Control* control);

    // Called once when a top-level dialog window is first painted (start-up measurement).
    void SetOnFirstPaint(std::function<void()> callback) { onFirstPaint_ = std::move(callback); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Colours {
        std::optional<ui::Colour> text;
        std::optional<ui::Colour> back;
        bool greyed = false; // read-only edit on the dialog's background
        bool operator==(const Colours&) const = default;
    };

    QWidget* CreateWidget(ui::Control& control);
    void ConnectInput(ui::Control& control, QWidget* widget);
    void ApplyAll(ui::Control& control, QWidget* widget);
    void ApplyText(ui::Control& control, QWidget* widget);
    void ApplyItems(ui::Control& control, QWidget* widget);
    void ApplySelection(ui::Control& control, QWidget* widget);
    void ApplyAttributes(ui::Control& control, QWidget* widget);
    void ApplyFont(ui::Control& control, QWidget* widget);
    void ApplyPicture(ui::Control& control, QWidget* widget);
    void ApplyRect(ui::Control& control, QWidget* widget);
    void ApplyColours(ui::Control& control, QWidget* widget);
    // Gives every text control the room its text needs in the current font (ControlFit), now
    // or once the current batch of model changes is applied.
    void FitControls();
    void ScheduleFit();
    void ShrinkUntilWhole(ui::Control& control, QWidget* widget);
    void SyncChecks();
    void SyncScrollBar();
    void PlaceScrollBar();
    void Wheel(int delta);
    void ScrollAction(int action);
    ui::Control* ControlOf(QObject* widget) const;

    ui::Dialog* dialog_;
    bool topLevel_;
    QHash<const ui::Control*, QWidget*> widgets_;
    QHash<const QObject*, ui::Control*> controls_;
    QHash<const QWidget*, Colours> colours_;
    QHash<const ui::Control*, QMargins> grow_; // room given beyond the model's rectangle
    bool fitPending_ = false;
    QScrollBar* vbar_ = nullptr;
    int applying_ = 0;
    std::function<void()> onFirstPaint_;
};

} // namespace qm::qt

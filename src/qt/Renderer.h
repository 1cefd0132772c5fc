#pragma once

#include "ui/DialogObserver.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QEventLoop;

namespace qm::qt {

class DialogWidget;

// Renders ui dialogs with Qt widgets and keeps them in step: it is the observer of every
// dialog it shows (and of their child dialogs), and runs the modal loops.
class Renderer : public ui::DialogObserver {
public:
    Renderer();
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Builds the window of a created top-level dialog, shows it above the current modal
    // window, runs a nested loop until the dialog ends and returns its result.
    int RunModal(ui::Dialog& dialog);
    // Builds the window of a created dialog (and its children) without running a loop: for
    // tests and demos. A top-level window is returned hidden.
    DialogWidget* Render(ui::Dialog& dialog);
    // The window of a rendered dialog (null when none).
    DialogWidget* WidgetOf(const ui::Dialog& dialog) const;
    // The innermost modal window, or null.
    QWidget* ActiveWindow() const;

    // Called once when the first top-level window has been painted.
    void SetOnFirstPaint(std::function<void()> callback) { onFirstPaint_ = std::move(callback); }

    // DialogObserver
    void OnControlChanged(ui::Dialog& dialog, ui::Control& control,
                          ui::ControlChange what) override;
    void OnDialogChanged(ui::Dialog& dialog, ui::DialogChange what) override;
    void OnRepaint(ui::Dialog& dialog, ui::Control* control) override;
    void OnChildCreated(ui::Dialog& parent, ui::Dialog& child) override;
    void OnDialogDestroyed(ui::Dialog& dialog) override;

private:
    DialogWidget* Build(ui::Dialog& dialog, QWidget* parentWidget);

    QHash<const ui::Dialog*, DialogWidget*> widgets_;
    QHash<const ui::Dialog*, QEventLoop*> loops_;
    std::vector<QPointer<QWidget>> modalStack_;
    std::function<void()> onFirstPaint_;
};

} // namespace qm::qt

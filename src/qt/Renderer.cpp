#include "qt/Renderer.h"

#include "qt/DialogWidget.h"
#include "qt/Pictures.h"
#include "ui/Dialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>

namespace qm::qt {

Renderer::Renderer() = default;

Renderer::~Renderer() {
    for (auto it = widgets_.begin(); it != widgets_.end(); ++it) {
        if (it.key()->Observer() == this) {
            const_cast<ui::Dialog*>(it.key())->SetObserver(nullptr);
        }
        it.value()->Detach();
    }
    for (auto it = widgets_.begin(); it != widgets_.end(); ++it) {
        if (it.value()->parentWidget() == nullptr) {
            delete it.value();
        }
    }
}

DialogWidget* Renderer::Build(ui::Dialog& dialog, QWidget* parentWidget) {
    auto* widget = new DialogWidget(dialog, parentWidget);
    widgets_.insert(&dialog, widget);
    for (ui::Dialog* child : dialog.Children()) {
        if (child->IsCreated()) {
            Build(*child, widget);
        }
    }
    return widget;
}

DialogWidget* Renderer::Render(ui::Dialog& dialog) {
    if (DialogWidget* known = widgets_.value(&dialog)) {
        return known;
    }
    dialog.SetObserver(this);
    QWidget* parentWidget = nullptr;
    if (dialog.Parent() != nullptr) {
        parentWidget = widgets_.value(dialog.Parent());
    }
    return Build(dialog, parentWidget);
}

DialogWidget* Renderer::WidgetOf(const ui::Dialog& dialog) const {
    return widgets_.value(&dialog);
}

QWidget* Renderer::ActiveWindow() const {
    for (auto it = modalStack_.rbegin(); it != modalStack_.rend(); ++it) {
        if (!it->isNull()) {
            return it->data();
        }
    }
    return nullptr;
}

int Renderer::RunModal(ui::Dialog& dialog) {
    QWidget* owner = ActiveWindow();
    DialogWidget* window = Render(dialog);
    if (owner != nullptr) {
        window->setParent(owner, Qt::Dialog);
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->setWindowIcon(QIcon(Pictures::Icon(64)));
    if (onFirstPaint_) {
        window->SetOnFirstPaint(std::move(onFirstPaint_));
        onFirstPaint_ = nullptr;
    }
    // Centred on the owner, or on the screen.
    const QRect area = owner != nullptr
                           ? owner->geometry()
                           : (window->screen() != nullptr ? window->screen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 800));
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    window->show();
    window->raise();
    window->activateWindow();
    modalStack_.push_back(window);
    QEventLoop loop;
    loops_.insert(&dialog, &loop);
    if (!dialog.IsEnded()) {
        loop.exec(QEventLoop::DialogExec);
    }
    loops_.remove(&dialog);
    modalStack_.pop_back();
    return dialog.Result();
}

void Renderer::OnControlChanged(ui::Dialog& dialog, ui::Control& control, ui::ControlChange what) {
    if (DialogWidget* w = widgets_.value(&dialog)) {
        w->ApplyControl(control, what);
    }
}

void Renderer::OnDialogChanged(ui::Dialog& dialog, ui::DialogChange what) {
    if (DialogWidget* w = widgets_.value(&dialog)) {
        w->ApplyDialog(what);
    }
    if (what == ui::DialogChange::Ended) {
        if (QEventLoop* loop = loops_.value(&dialog)) {
            loop->quit();
        }
    }
}

void Renderer::OnRepaint(ui::Dialog& dialog, ui::Control* control) {
    if (DialogWidget* w = widgets_.value(&dialog)) {
        w->Repaint(control);
    }
}

void Renderer::OnChildCreated(ui::Dialog& parent, ui::Dialog& child) {
    DialogWidget* parentWidget = widgets_.value(&parent);
    if (parentWidget == nullptr || widgets_.contains(&child)) {
        return;
    }
    Build(child, parentWidget);
}

void Renderer::OnDialogDestroyed(ui::Dialog& dialog) {
    DialogWidget* w = widgets_.take(&dialog);
    if (w == nullptr) {
        return;
    }
    w->Detach();
    w->hide();
    w->deleteLater();
}

} // namespace qm::qt

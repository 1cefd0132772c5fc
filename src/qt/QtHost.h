#pragma once

#include "qt/InterfaceLanguage.h"
#include "qt/Renderer.h"
#include "ui/Host.h"

#include <QObject>

namespace qm::qt {

// The Host of the GUI program: QMessageBox, QFileDialog, windows rendered by the Renderer and
// run in nested event loops, a wait that keeps painting without taking user input, and the
// wait cursor. A QApplication must exist for as long as the host is used.
class QtHost : public ui::Host {
public:
    QtHost();
    ~QtHost() override;

    int MessageBox(std::u16string_view text, std::u16string_view caption, unsigned style) override;
    bool FileDialog(const ui::FileDialogRequest& request, ui::FileDialogResult& result) override;
    int RunModal(ui::Dialog& dialog) override;
    void Sleep(uint32_t ms) override;
    uint64_t NowMs() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    // Switches the font and Qt's own translation with the program's language.
    void UseLanguage(UiLanguage language) override;

    Renderer& GetRenderer() { return renderer_; }
    // True while Sleep runs (posted messages wait until it returns).
    bool IsWaiting() const { return waiting_ > 0; }

protected:
    void OnMessagePosted() override;

private:
    void ScheduleDelivery(int delayMs);

    Renderer renderer_;
    InterfaceLanguage language_;
    QObject context_; // owns the delivery timers: none fires after the host is gone
    int waiting_ = 0;
    bool deliveryScheduled_ = false;
};

} // namespace qm::qt

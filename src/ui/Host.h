#pragma once

#include "platform/Clock.h"
#include "text/MessageBoxHost.h"
#include "ui/FileDialogRequest.h"

#include <cstdint>
#include <deque>
#include <string>

namespace qm::ui {

class Dialog;

// The private message the connection posts to the main window when it opens a USB port
// (its text is the device path, split at "#" by the window).
inline constexpr unsigned kMsgDeviceText = 0x465;

// The only way out of the dialog model: message boxes, file dialogs, modal dialogs, the posted
// message queue, the wait used inside polls and the wait cursor. The Qt program implements it
// with real windows (qt/QtHost); tests use ui::ScriptedHost.
class Host : public MessageBoxHost {
public:
    Host();
    ~Host() override;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // From MessageBoxHost: int MessageBox(text, caption, style) shows a message box with the
    // style bits 0x10 / 0x30 / 0x40 (icons) and 0x04 (Yes/No) and returns kIdOk, kIdYes or
    // kIdNo (kIdCancel or kIdNo when the box is closed without a choice).

    // Shows an open (request.save false) or save file dialog. Returns true and fills result
    // when the user chose a file; false when cancelled or when the chosen path does not fit
    // request.maxPath.
    virtual bool FileDialog(const FileDialogRequest& request, FileDialogResult& result) = 0;

    // Runs a created dialog modally until its EndDialog; returns the result. Called by
    // Dialog::DoModal, which creates the dialog first.
    virtual int RunModal(Dialog& dialog) = 0;

    // The wait used inside every poll: returns after ms milliseconds. In the GUI the windows
    // are repainted meanwhile, but no user input is taken.
    virtual void Sleep(uint32_t ms) = 0;
    // Monotonic milliseconds.
    virtual uint64_t NowMs() = 0;
    // A Clock whose NowMs and SleepMs are this host's: hand it to the connection's poll loops
    // so they repaint in the GUI (and take no time in tests).
    Clock& WaitClock() { return clock_; }

    // Wait cursor while an operation runs; calls nest. Prefer the WaitCursor guard.
    virtual void BeginWaitCursor() { ++waitCursorDepth_; }
    virtual void EndWaitCursor();
    int WaitCursorDepth() const { return waitCursorDepth_; }

    // Posted messages: queued now, delivered later to target's OnNotify as Event::Posted
    // (code = message, text) when the message loop runs (the GUI delivers them from its event
    // loop, never inside Sleep; tests call DeliverPosted). A dialog that is destroyed drops
    // its queued messages.
    void PostMessage(Dialog& target, unsigned message, std::u16string text);
    // Delivers every queued message (also those posted while delivering); returns how many.
    int DeliverPosted();
    size_t PendingPosted() const { return posted_.size(); }
    // Drops messages queued for dialog in every live host (called by Dialog's destructor).
    static void ForgetDialog(const Dialog& dialog);

protected:
    // Called after a message was queued; the GUI schedules DeliverPosted here.
    virtual void OnMessagePosted() {}

private:
    class HostClock : public Clock {
    public:
        explicit HostClock(Host& host) : host_(host) {}
        uint64_t NowMs() override { return host_.NowMs(); }
        void SleepMs(uint32_t ms) override { host_.Sleep(ms); }

    private:
        Host& host_;
    };
    struct Posted {
        Dialog* target;
        unsigned message;
        std::u16string text;
    };

    HostClock clock_;
    std::deque<Posted> posted_;
    int waitCursorDepth_ = 0;
};

} // namespace qm::ui

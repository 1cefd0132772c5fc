#pragma once

#include "platform/FakeClock.h"
#include "ui/Host.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::ui {

// A Host for tests: answers message boxes, file dialogs and modal dialogs from queues, records
// everything shown, and waits on a FakeClock (no real time passes). Anything shown without a
// queued answer is a test failure: the failure handler is called (by default it prints the
// problem and aborts; tests install gtest's ADD_FAILURE with tests/support/ScriptedHostGTest.h).
//
//   ui::ScriptedHost host;
//   ui::InstallGTestFailures(host);
//   host.AnswerMessageBox(kIdYes);                 // the next message box gets Yes
//   host.AnswerFileDialog(u"/tmp/x.prn");          // the next file dialog chooses this file
//   host.AnswerModal([](ui::Dialog& d) {           // the next modal dialog: act as the user
//       d.UserSelect(157, 1);
//       d.UserClick(170);                          // OK ends it
//       return kIdOk;                              // used only if the script did not end it
//   });
//   dlg.DoModal(host);
//   EXPECT_EQ(host.Messages().at(0).text, u"Exit program?");
class ScriptedHost : public Host {
public:
    struct ShownMessage {
        std::u16string text;
        std::u16string caption;
        unsigned style = 0;
        int answer = 0;
    };
    struct ShownFileDialog {
        FileDialogRequest request;
        std::optional<std::u16string> answer; // empty = cancelled
    };
    struct OpenedDialog {
        int templateId = 0;
        std::u16string title; // title after OnInitDialog
        int result = 0;
    };
    using ModalScript = std::function<int(Dialog&)>;
    using FailureHandler = std::function<void(const std::string&)>;

    ScriptedHost();

    // ---- answers, used in the order queued ----
    void AnswerMessageBox(int answer);
    // A message box whose text must contain expectedPart (else: failure) gets answer.
    void AnswerMessageBox(int answer, std::u16string_view expectedPart);
    // A file dialog that chooses path; std::nullopt cancels.
    void AnswerFileDialog(std::optional<std::u16string> path);
    // A modal dialog, given to script after OnInitDialog; the dialog's EndDialog result is
    // returned, or the script's value when the script did not end it. A dialog that ends itself
    // during OnInitDialog is recorded but takes no script.
    void AnswerModal(ModalScript script);
    // Unused answers left in the queues.
    size_t PendingAnswers() const;

    // ---- records ----
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    const std::vector<ShownFileDialog>& FileDialogs() const { return fileDialogs_; }
    const std::vector<OpenedDialog>& Dialogs() const { return dialogs_; }
    void ClearRecords();
    int SleepCount() const { return static_cast<int>(clock_.Sleeps().size()); }
    uint64_t SleptMs() const;
    FakeClock& FakeTime() { return clock_; }

    // ---- failures ----
    void SetFailureHandler(FailureHandler handler) { onFailure_ = std::move(handler); }
    // Failures seen so far (also passed to the handler).
    const std::vector<std::string>& Failures() const { return failures_; }

    // ---- Host ----
    int MessageBox(std::u16string_view text, std::u16string_view caption, unsigned style) override;
    bool FileDialog(const FileDialogRequest& request, FileDialogResult& result) override;
    int RunModal(Dialog& dialog) override;
    void Sleep(uint32_t ms) override { clock_.SleepMs(ms); }
    uint64_t NowMs() override { return clock_.NowMs(); }

private:
    struct MessageAnswer {
        int answer;
        std::optional<std::u16string> expectedPart;
    };
    void Fail(const std::string& what);

    std::deque<MessageAnswer> messageAnswers_;
    std::deque<std::optional<std::u16string>> fileAnswers_;
    std::deque<ModalScript> modalAnswers_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownFileDialog> fileDialogs_;
    std::vector<OpenedDialog> dialogs_;
    std::vector<std::string> failures_;
    FailureHandler onFailure_;
    FakeClock clock_;
};

} // namespace qm::ui

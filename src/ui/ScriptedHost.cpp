#include "ui/ScriptedHost.h"

#include "platform/Encoding.h"
#include "ui/Dialog.h"

#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace qm::ui {

ScriptedHost::ScriptedHost()
    : onFailure_([](const std::string& what) {
          std::fprintf(stderr, "ScriptedHost: %s\n", what.c_str());
          std::abort();
      }) {}

void ScriptedHost::AnswerMessageBox(int answer) {
    messageAnswers_.push_back(MessageAnswer{answer, std::nullopt});
}

void ScriptedHost::AnswerMessageBox(int answer, std::u16string_view expectedPart) {
    messageAnswers_.push_back(MessageAnswer{answer, std::u16string(expectedPart)});
}

void ScriptedHost::AnswerFileDialog(std::optional<std::u16string> path) {
    fileAnswers_.push_back(std::move(path));
}

void ScriptedHost::AnswerModal(ModalScript script) {
    modalAnswers_.push_back(std::move(script));
}

size_t ScriptedHost::PendingAnswers() const {
    return messageAnswers_.size() + fileAnswers_.size() + modalAnswers_.size();
}

void ScriptedHost::ClearRecords() {
    messages_.clear();
    fileDialogs_.clear();
    dialogs_.clear();
    failures_.clear();
}

uint64_t ScriptedHost::SleptMs() const {
    const auto& sleeps = clock_.Sleeps();
    return std::accumulate(sleeps.begin(), sleeps.end(), uint64_t{0});
}

void ScriptedHost::Fail(const std::string& what) {
    failures_.push_back(what);
    if (onFailure_) {
        onFailure_(what);
    }
}

int ScriptedHost::MessageBox(std::u16string_view text, std::u16string_view caption,
                             unsigned style) {
    ShownMessage shown{std::u16string(text), std::u16string(caption), style, 0};
    if (messageAnswers_.empty()) {
        // Closing an unexpected box: No for a question, OK otherwise.
        shown.answer = (style & kMbButtonMask) == kMbYesNo ? kIdNo : kIdOk;
        messages_.push_back(shown);
        Fail("unexpected message box: \"" + Utf16ToUtf8(text) + "\"");
        return shown.answer;
    }
    const MessageAnswer answer = messageAnswers_.front();
    messageAnswers_.pop_front();
    shown.answer = answer.answer;
    messages_.push_back(shown);
    if (answer.expectedPart && text.find(*answer.expectedPart) == std::u16string_view::npos) {
        Fail("message box \"" + Utf16ToUtf8(text) + "\" does not contain \"" +
             Utf16ToUtf8(*answer.expectedPart) + "\"");
    }
    return answer.answer;
}

bool ScriptedHost::FileDialog(const FileDialogRequest& request, FileDialogResult& result) {
    ShownFileDialog shown{request, std::nullopt};
    if (fileAnswers_.empty()) {
        fileDialogs_.push_back(shown);
        Fail(std::string("unexpected ") + (request.save ? "save" : "open") + " file dialog");
        return false;
    }
    shown.answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    fileDialogs_.push_back(shown);
    if (!shown.answer || shown.answer->size() + 1 > request.maxPath) {
        return false;
    }
    result.path = *shown.answer;
    result.filterIndex = request.filterIndex;
    return true;
}

int ScriptedHost::RunModal(Dialog& dialog) {
    dialogs_.push_back(OpenedDialog{dialog.TemplateId(), dialog.Title(), 0});
    const size_t record = dialogs_.size() - 1;
    int result = kIdCancel;
    if (dialog.IsEnded()) {
        // Ended during its initialisation: never shown, no answer used.
    } else if (modalAnswers_.empty()) {
        Fail("unexpected modal dialog " + std::to_string(dialog.TemplateId()));
        dialog.EndDialog(kIdCancel);
    } else {
        ModalScript script = std::move(modalAnswers_.front());
        modalAnswers_.pop_front();
        const int scripted = script(dialog);
        if (!dialog.IsEnded()) {
            dialog.EndDialog(scripted);
        }
    }
    result = dialog.Result();
    dialogs_[record].result = result;
    return result;
}

} // namespace qm::ui

#include "TestDialogs.h"

#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"
#include "ui/WaitCursor.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qm;
using namespace qm::ui;
using namespace qm::ui::test;

namespace {

// A host whose failures are collected instead of failing the test.
struct CollectingHost : ScriptedHost {
    std::vector<std::string> caught;
    CollectingHost() {
        SetFailureHandler([this](const std::string& what) { caught.push_back(what); });
    }
};

} // namespace

TEST(ScriptedHost, AnswersMessageBoxesInOrderAndRecordsThem) {
    ScriptedHost host;
    InstallGTestFailures(host);
    host.AnswerMessageBox(kIdYes, u"Exit");
    host.AnswerMessageBox(kIdOk);
    EXPECT_EQ(host.MessageBox(u"Exit program?", u"Quillmark", kMbYesNo | kMbIconQuestion), kIdYes);
    EXPECT_EQ(host.MessageBox(u"code : 30\r\nOpen port error.", u"Quillmark", kMbIconError), kIdOk);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[0].style, 0x24u);
    EXPECT_EQ(host.Messages()[1].text, u"code : 30\r\nOpen port error.");
    EXPECT_EQ(host.Messages()[1].style, 0x10u);
    EXPECT_EQ(host.PendingAnswers(), 0u);
}

TEST(ScriptedHost, UnexpectedOrWrongMessagesAreFailures) {
    CollectingHost host;
    EXPECT_EQ(host.MessageBox(u"Surprise", u"", kMbYesNo | kMbIconWarning), kIdNo);
    EXPECT_EQ(host.MessageBox(u"Surprise", u"", kMbIconInformation), kIdOk);
    host.AnswerMessageBox(kIdYes, u"restore");
    EXPECT_EQ(host.MessageBox(u"Exit program?", u"", kMbYesNo), kIdYes);
    ASSERT_EQ(host.caught.size(), 3u);
    EXPECT_NE(host.caught[0].find("unexpected message box"), std::string::npos);
    EXPECT_NE(host.caught[2].find("restore"), std::string::npos);
    EXPECT_EQ(host.Failures().size(), 3u);
    EXPECT_EQ(host.Messages().size(), 3u);

    FileDialogResult result;
    EXPECT_FALSE(host.FileDialog(FileDialogRequest{}, result));
    SampleDialog d;
    EXPECT_EQ(d.DoModal(host), kIdCancel);
    EXPECT_EQ(host.caught.size(), 5u);
}

TEST(ScriptedHost, FileDialogsAnswerCancelAndRefuseLongPaths) {
    ScriptedHost host;
    InstallGTestFailures(host);
    host.AnswerFileDialog(u"/tmp/labels/a.prn");
    host.AnswerFileDialog(std::nullopt);
    host.AnswerFileDialog(std::u16string(300, u'x'));
    FileDialogRequest request;
    request.save = true;
    request.filter = std::u16string(u"PRN Files (*.prn)\0*.prn\0All Files (*.*)\0*.*\0\0", 46);
    request.defaultExtension = u"prn";
    request.initialFolder = u"/tmp/labels/.";
    request.options = kOfnOverwritePrompt | kOfnPathMustExist | kOfnDontAddToRecent;
    FileDialogResult result;
    EXPECT_TRUE(host.FileDialog(request, result));
    EXPECT_EQ(result.path, u"/tmp/labels/a.prn");
    EXPECT_EQ(result.filterIndex, 1);
    result.path = u"kept";
    EXPECT_FALSE(host.FileDialog(request, result));
    EXPECT_FALSE(host.FileDialog(request, result)); // 300 characters do not fit 260
    EXPECT_EQ(result.path, u"kept");
    ASSERT_EQ(host.FileDialogs().size(), 3u);
    EXPECT_TRUE(host.FileDialogs()[0].request.save);
    EXPECT_EQ(host.FileDialogs()[0].request.initialFolder, u"/tmp/labels/.");
    EXPECT_FALSE(host.FileDialogs()[1].answer.has_value());
}

TEST(ScriptedHost, ModalScriptsActAsTheUserAndNest) {
    ScriptedHost host;
    InstallGTestFailures(host);
    SampleDialog inner;
    host.AnswerModal([&](Dialog& d) {
        d.UserClick(14);
        // A modal dialog opened from inside another one takes the next script.
        EXPECT_EQ(inner.DoModal(host), kIdOk);
        d.UserEnter(); // the default button: clicked, dialog stays
        return 5;      // not ended by the script: this value is the result
    });
    host.AnswerModal([](Dialog& d) {
        d.EnableItem(12, false);
        d.UserEnter(); // no default button: OK ends it
        return 99;
    });
    SampleDialog outer;
    EXPECT_EQ(outer.DoModal(host), 5);
    EXPECT_EQ(outer.IsButtonChecked(14), 1); // state is kept after the dialog closed
    ASSERT_EQ(host.Dialogs().size(), 2u);
    EXPECT_EQ(host.Dialogs()[0].result, 5);
    EXPECT_EQ(host.Dialogs()[1].result, kIdOk);
}

TEST(ScriptedHost, PostedMessagesArriveLaterAndDieWithTheirDialog) {
    ScriptedHost host;
    InstallGTestFailures(host);
    SampleDialog d;
    d.Create(nullptr);
    host.PostMessage(d, kMsgDeviceText, u"\\\\?\\USB#VID_1234&PID_0001#SER#{guid}");
    EXPECT_TRUE(d.seen.empty());
    EXPECT_EQ(host.PendingPosted(), 1u);
    EXPECT_EQ(host.DeliverPosted(), 1);
    ASSERT_EQ(d.seen.size(), 1u);
    EXPECT_EQ(d.seen[0].event, Event::Posted);
    EXPECT_EQ(d.seen[0].code, 0x465);
    EXPECT_EQ(d.seen[0].text, u"\\\\?\\USB#VID_1234&PID_0001#SER#{guid}");

    auto gone = std::make_unique<SampleDialog>();
    gone->Create(nullptr);
    host.PostMessage(*gone, kMsgDeviceText, u"x");
    gone.reset();
    EXPECT_EQ(host.PendingPosted(), 0u);
    EXPECT_EQ(host.DeliverPosted(), 0);
}

TEST(ScriptedHost, WaitsTakeNoTimeAndWaitCursorNests) {
    ScriptedHost host;
    Clock& clock = host.WaitClock();
    const uint64_t start = clock.NowMs();
    clock.SleepMs(100);
    host.Sleep(10);
    EXPECT_EQ(clock.NowMs() - start, 110u);
    EXPECT_EQ(host.SleepCount(), 2);
    EXPECT_EQ(host.SleptMs(), 110u);
    {
        WaitCursor outer(host);
        WaitCursor inner(host);
        EXPECT_EQ(host.WaitCursorDepth(), 2);
    }
    EXPECT_EQ(host.WaitCursorDepth(), 0);
    host.EndWaitCursor();
    EXPECT_EQ(host.WaitCursorDepth(), 0);
}

namespace {

class EndsAtOnce : public SampleDialog {
protected:
    bool OnInitDialog() override {
        EndDialog(3);
        return true;
    }
};

} // namespace

TEST(ScriptedHost, ADialogEndedDuringItsInitialisationIsNotShown) {
    ScriptedHost host;
    InstallGTestFailures(host); // no script queued: using one would be a failure
    EndsAtOnce d;
    EXPECT_EQ(d.DoModal(host), 3);
    ASSERT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(host.Dialogs()[0].result, 3);
    EXPECT_FALSE(d.IsVisible());
}

TEST(Dialog, EmptyingTheAddressBlanksIt) {
    SampleDialog d;
    d.Create(nullptr);
    d.Item(50).SetAddress(192, 168, 0, 1);
    EXPECT_TRUE(d.UserEdit(50, u"..."));
    EXPECT_TRUE(d.Item(50).IsBlank());
    EXPECT_EQ(d.seen.back().event, Event::EditChange);
    EXPECT_FALSE(d.UserEdit(50, u"abc"));
    EXPECT_TRUE(d.Item(50).IsBlank());
}

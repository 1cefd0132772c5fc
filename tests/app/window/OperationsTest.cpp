// The main window's printer and file operations through the scripted host, against a printer on
// a loopback TCP port (real clock) and stand-in port services for the print queues.

#include "WindowTestSupport.h"

#include "connection/ConnectionTestSupport.h"
#include "operations/ReceiveOperation.h"
#include "pages/PageItem.h"
#include "platform/InstanceLock.h"
#include "resources/InformationPageTemplate.h"
#include "resources/SelfInfoTemplate.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace qm {
namespace {

using namespace res;
using testing::WindowTest;

const std::string kMarkerA("~!!\r\n\x02\x1b~A\r\n", 11);
const std::string kMenu = "PRINT SPEED\t:\t4 IPS\r\nPRINT DARKNESS\t:\t14\r\n"
                          "MEDIA SENSOR\t:\tREFLECT\r\nWLAN PSK\t:\tsecret\r\nEND\r\n";
const std::string kCounters = "Serial Number : A1\r\nPrint Counter Length 1 m\r\n";
const std::string kStatus = "NNNNNNNN\r";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The printer's answer to each request kind.
std::string Answer(const std::string& request, const std::string& menu = kMarkerA + kMenu) {
    if (Contains(request, "SEND CONFIG")) {
        return menu;
    }
    if (Contains(request, "MACHINE INFO")) {
        return "MODEL\t:\tX1\r\nEND\r\n";
    }
    return Contains(request, "COUNTER") ? kCounters : kStatus;
}

class WindowOperations : public WindowTest {
protected:
    // The receive lock lives in this test's folder: receives of other programs running on
    // the machine at the same time never meet it.
    WindowOperations() {
        portServices = &queues;
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        savedRuntime = runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    ~WindowOperations() override {
        if (savedRuntime) {
            ::setenv("XDG_RUNTIME_DIR", savedRuntime->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }

    // A window on the NET interface to `port`, running its operations.
    testing::CountingWindow& StartNet(int port, const std::string& extra = "") {
        WriteIni("PORT_TYPE=NET\r\nPORT_NAME=127.0.0.1\r\nPORT_NUMBER=" + std::to_string(port) +
                 "\r\n" + extra);
        testing::CountingWindow& w = Start();
        w.operate = true;
        return w;
    }

    // The Standard page row of an entry.
    const PageItem& Row(int entryIndex) {
        for (const PageItem& item : window->Standard().Items()) {
            if (item.data != nullptr && item.data->entry == entryIndex) {
                return item;
            }
        }
        ADD_FAILURE() << "no Standard row for entry " << entryIndex;
        return window->Standard().Items().front();
    }
    int Ticked(int entryIndex) {
        return window->Standard().IsButtonChecked(Row(entryIndex).tickBox);
    }
    std::u16string FieldText(int entryIndex) {
        return window->Standard().GetItemText(Row(entryIndex).textField);
    }

    // Receives a scope, answering Yes and then OK to the message expected after it (if any).
    void Receive(int scope = 4, std::u16string_view message = u"") {
        C(kIdScope).SetCurSel(scope);
        host.AnswerMessageBox(kIdYes, u"Are you sure to receive");
        if (!message.empty()) {
            host.AnswerMessageBox(kIdOk, message);
        }
        window->UserClick(kIdReceive);
        EXPECT_EQ(host.PendingAnswers(), 0u);
    }

    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

    test::FakePortServices queues;
    std::optional<std::string> savedRuntime;
};

TEST_F(WindowOperations, ReceiveAllFillsThePagesAndAsksInOrder) {
    test::PrinterServer printer([](const std::string& r) { return Answer(r); });
    testing::CountingWindow& w = StartNet(printer.Port());
    C(kIdCheckAll).SetCheck(1);
    Receive();
    EXPECT_TRUE(host.Messages().size() == 1) << "only the question";
    EXPECT_EQ(w.ReceiveState(), COstrellDlg::kReceiveIdle);
    EXPECT_EQ(C(kIdCheckAll).Check(), 0);
    EXPECT_EQ(Ticked(entry::kPrintDarkness), 1);
    EXPECT_EQ(FieldText(entry::kPrintDarkness), u"14");
    EXPECT_EQ(app->Settings().Item(entry::kWlanPsk).ticked, 0); // forgotten after parsing
    const std::vector<std::string> requests = printer.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_TRUE(Contains(requests[0], "SEND CONFIG\t:\tALL"));
    EXPECT_EQ(requests[1], "\x01"
                           "A");
    EXPECT_TRUE(Contains(requests[2], "SERIAL NUMBER CHECK:"));
    // The receive lock is free again.
    InstanceLock lock(kReceiveLockName);
    EXPECT_TRUE(lock.TryAcquire());
}

TEST_F(WindowOperations, ReceiveShowsStatusAndCountersOnTheInformationPage) {
    const std::string counters = "Serial Number : A1\r\nPrint Counter Length 12 m\r\n"
                                 "Service Counter Length 34 m\r\nCut Counter 5\r\n";
    {
        test::PrinterServer printer([&](const std::string& r) {
            if (Contains(r, "COUNTER") || Contains(r, "SERIAL NUMBER CHECK")) {
                return counters;
            }
            // The flag string: its first Y or N leads, then paper error ... pause.
            return Contains(r, "SEND CONFIG") ? kMarkerA + kMenu : std::string("NYNNNYNN\r");
        });
        StartNet(printer.Port());
        Receive();
        CDlgTabInformation& info = window->Information();
        EXPECT_EQ(info.GetItemText(kIdInfoSerial), u"A1");
        EXPECT_NE(info.GetItemText(kIdInfoSerial + 1).find(u"12"), std::u16string::npos);
        EXPECT_NE(info.GetItemText(kIdInfoSerial + 3).find(u"5"), std::u16string::npos);
        EXPECT_EQ(info.GetItemText(kIdInfoPaperError), u"Yes");
        EXPECT_EQ(info.GetItemText(kIdInfoPaperError + 1), u"No");
        EXPECT_EQ(info.GetItemText(kIdInfoPaperError + 3), u"Yes");
    }

    // The next receive starts from an empty page: a printer whose counters answer holds none of
    // the four answers leaves them empty and shows "Acquisition data has an error.".
    test::PrinterServer quiet([](const std::string& r) {
        return Contains(r, "SEND CONFIG") ? kMarkerA + kMenu
               : Contains(r, "COUNTER") || Contains(r, "SERIAL NUMBER CHECK")
                   ? std::string("NOTHING\r\n")
                   : kStatus;
    });
    StartNet(quiet.Port());
    Receive(4, u"code : 32");
    EXPECT_EQ(window->Information().GetItemText(kIdInfoSerial), u"");
}

TEST_F(WindowOperations, ReceiveScopesAndTheirEdgeCases) {
    test::PrinterServer printer([](const std::string& r) { return Answer(r); });
    testing::CountingWindow& w = StartNet(printer.Port());

    // EASY keeps the Easy items only.
    Receive(0);
    EXPECT_EQ(Ticked(entry::kMediaSensor), 1);
    EXPECT_EQ(Ticked(entry::kPrintDarkness), 0);

    // INFORMATION with "Receive Printer Status only": no question, the bare status request.
    w.Information().CheckButton(kIdInfoStatusOnly, 1);
    C(kIdScope).SetCurSel(3);
    w.UserClick(kIdReceive);
    EXPECT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(printer.Requests().back(), "\x01"
                                         "A");

    // Declined: nothing is asked of the printer.
    const size_t asked = printer.Requests().size();
    C(kIdScope).SetCurSel(1);
    host.AnswerMessageBox(kIdNo, u"Are you sure to receive");
    w.UserClick(kIdReceive);
    EXPECT_EQ(printer.Requests().size(), asked);

    // Another receive is running (its lock is held): this one returns at once, silently.
    InstanceLock running(kReceiveLockName);
    ASSERT_TRUE(running.TryAcquire());
    w.UserClick(kIdReceive);
    EXPECT_EQ(printer.Requests().size(), asked);
    EXPECT_EQ(host.PendingAnswers(), 0u);
}

TEST_F(WindowOperations, ReceiveFailuresShowTheirMessages) {
    struct Case {
        const char* name;
        std::string reply; // "<close>": the printer hangs up
        std::u16string message;
    };
    const Case cases[] = {
        {"one stray byte", "x~!!\r\n" + kMenu, u""},
        {"two stray bytes", "xy~!!\r\n" + kMenu, u"code : 32"},
        {"no lead-in", kMenu, u"code : 32"},
        {"hang-up", "<close>", u"code : 32"},
        {"no terminator", kMarkerA + "PRINT SPEED\t:\t4 IPS\r\n", u"code : 32"},
        {"silent printer", "", u"code : 32"},
        {"oversize", kMarkerA + std::string(5000, 'A'), u"code : 32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::PrinterServer printer([&c](const std::string& r) { return Answer(r, c.reply); });
        testing::CountingWindow& w = StartNet(printer.Port());
        host.ClearRecords();
        Receive(1, c.message);
        EXPECT_EQ(w.ReceiveState(),
                  c.message.empty() ? COstrellDlg::kReceiveIdle : COstrellDlg::kReceiveFailed);
        EXPECT_EQ(host.Messages().size(), c.message.empty() ? 1u : 2u);
        EXPECT_FALSE(w.IsEnded());
    }
}

TEST_F(WindowOperations, ConnectionFailuresAndTheSilentCounters) {
    // Nobody listens: "Open port error." and the focus on the address.
    {
        testing::CountingWindow& w = StartNet(test::LoopbackServer().Port());
        Receive(1, u"code : 30");
        EXPECT_EQ(w.FocusId(), kIdIpAddress);
        EXPECT_EQ(w.ReceiveState(), COstrellDlg::kReceiveFailed);
    }
    // The counters request fails without a word, after the status.
    {
        test::PrinterServer printer([](const std::string& r) {
            return Contains(r, "COUNTER") ? std::string("<close>") : Answer(r);
        });
        testing::CountingWindow& w = StartNet(printer.Port());
        host.ClearRecords();
        Receive(4);
        EXPECT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(w.ReceiveState(), COstrellDlg::kReceiveFailed);
    }
    // A COM port whose device is gone: "Open port error.".
    {
        WriteIni("PORT_TYPE=COM\r\nPORT_NAME=COM3:\r\n");
        test::FakeDeviceTree tree;
        testing::CountingWindow& w = Start();
        w.operate = true;
        Receive(1, u"code : 30");
        EXPECT_EQ(w.FocusId(), kIdComList);
    }
    // A print queue whose port cannot be taken over: "Please choose the interface.".
    {
        WriteIni("PORT_TYPE=PRT\r\nPORT_NAME=Elsewhere\r\n");
        testing::CountingWindow& w = Start();
        w.operate = true;
        Receive(1, u"code : 40");
        EXPECT_EQ(w.FocusId(), kIdDriverList);
    }
}

TEST_F(WindowOperations, SendConfigurationOfTheReceivedSettings) {
    test::PrinterServer printer([](const std::string& r) { return Answer(r); });
    testing::CountingWindow& w = StartNet(printer.Port());

    // Nothing ticked: message 4, no question.
    host.AnswerMessageBox(kIdOk, u"code : 24");
    w.UserClick(kIdSend);
    EXPECT_TRUE(printer.Requests().empty());

    Receive(4);
    // Declined: nothing sent.
    host.AnswerMessageBox(kIdNo, u"Are you sure to send");
    w.UserClick(kIdSend);
    ASSERT_EQ(printer.Requests().size(), 3u);

    host.AnswerMessageBox(kIdYes, u"Are you sure to send");
    w.UserClick(kIdSend);
    ASSERT_TRUE(test::WaitUntil([&] { return printer.Requests().size() == 4; }));
    const std::string sent = printer.Requests().back();
    EXPECT_EQ(sent.substr(0, 17), test::kLeadInBytes);
    EXPECT_TRUE(Contains(sent, "PRINT DARKNESS\t:\t14\r\n"));
    EXPECT_TRUE(Contains(sent, "MEDIA SENSOR\t:\tREFLECT\r\n"));
    EXPECT_FALSE(Contains(sent, "WLAN PSK"));
    EXPECT_TRUE(sent.ends_with("END\r\n"));
}

TEST_F(WindowOperations, InvalidItemsAreRefusedInRed) {
    test::PrinterServer printer([](const std::string& r) { return Answer(r); });
    testing::CountingWindow& w = StartNet(printer.Port());
    const PageItem& darkness = Row(entry::kPrintDarkness);
    w.Standard().CheckButton(darkness.tickBox, 1);
    w.Standard().SetItemText(darkness.textField, u"999");
    host.AnswerMessageBox(kIdOk, u"code : 23");
    w.UserClick(kIdSend);
    EXPECT_EQ(app->Settings().Item(entry::kPrintDarkness).error, 1);
    EXPECT_TRUE(printer.Requests().empty());
}

TEST_F(WindowOperations, SendThroughAPrintQueueIsARawJob) {
    WriteIni("PORT_TYPE=PRT\r\nPORT_NAME=Network\r\n");
    testing::CountingWindow& w = Start();
    w.operate = true;
    w.UserClick(kIdCheckAll);
    host.AnswerMessageBox(kIdYes, u"Are you sure to send");
    w.UserClick(kIdSend);
    EXPECT_EQ(queues.rawJobPrinter, u"Network");
    EXPECT_EQ(queues.rawJobBytes.substr(0, 17), test::kLeadInBytes);
    EXPECT_EQ(w.InterfaceIndex(), 0); // no redirection: the queue's port is never opened

    for (const auto& [result, message] : {std::pair{110, u"code : 30"}, {29, u"code : 31"}}) {
        queues.rawJobResult = result;
        host.AnswerMessageBox(kIdYes, u"Are you sure to send");
        host.AnswerMessageBox(kIdOk, message);
        w.UserClick(kIdSend);
    }
    EXPECT_EQ(host.PendingAnswers(), 0u);
}

TEST_F(WindowOperations, ExportThenImportTheSameFile) {
    testing::CountingWindow& w = StartNet(9);
    const std::u16string path = Utf8ToUtf16((folder / "labels.prn").string());

    // Nothing ticked: code 24, no dialog.
    host.AnswerMessageBox(kIdOk, u"code : 24");
    w.UserClick(kIdExport);
    EXPECT_TRUE(host.FileDialogs().empty());

    w.UserClick(kIdCheckAll);
    // Cancelled: nothing written, the default folder unchanged.
    host.AnswerFileDialog(std::nullopt);
    w.UserClick(kIdExport);
    EXPECT_TRUE(Prefs().defaultFolder.empty());
    host.AnswerFileDialog(path);
    w.UserClick(kIdExport);
    const ui::FileDialogRequest& asked = host.FileDialogs().back().request;
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.defaultExtension, u"prn");
    EXPECT_TRUE(asked.initialFolder.ends_with(u"/."));
    EXPECT_EQ(Prefs().defaultFolder, Utf8ToUtf16(folder.string() + "/"));
    const std::string bytes = ReadFile(folder / "labels.prn");
    EXPECT_EQ(bytes.substr(0, 17), test::kLeadInBytes);

    // Back in, after a Restore Defaults: the same rows ticked, no message.
    host.AnswerMessageBox(kIdYes, u"restore defaults");
    w.UserClick(kIdRestoreDefaults);
    EXPECT_EQ(Ticked(entry::kPrintSpeed), 0);
    host.ClearRecords();
    host.AnswerFileDialog(path);
    w.UserClick(kIdImport);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(Ticked(entry::kPrintSpeed), 1);
    EXPECT_EQ(host.FileDialogs().back().request.initialFolder, Utf8ToUtf16(folder.string() + "/."));
    // Exported again, the file is the same.
    host.AnswerFileDialog(path + u"2");
    w.UserClick(kIdExport);
    EXPECT_EQ(ReadFile(folder / "labels.prn2"), bytes);
}

TEST_F(WindowOperations, ExportOnTheSensorAdjustmentTabWritesTheAdjustment) {
    testing::CountingWindow& w = StartNet(9);
    w.UserSelectTab(kIdTab, 4);
    host.AnswerFileDialog(Utf8ToUtf16((folder / "sensor.prn").string()));
    w.UserClick(kIdExport);
    const std::string bytes = ReadFile(folder / "sensor.prn");
    EXPECT_EQ(bytes.substr(0, 17), test::kLeadInBytes);
    EXPECT_TRUE(Contains(bytes, "MEDIA SENSOR\t:\t")) << bytes;
    EXPECT_TRUE(bytes.ends_with("AUTO CALIBRATION\r\nSAVE\r\nEND\r\n")) << bytes;
    EXPECT_EQ(C(kIdCheckAll).Check(), 0);
}

TEST_F(WindowOperations, ImportAndExportRefusals) {
    testing::CountingWindow& w = StartNet(9);
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return Utf8ToUtf16((folder / name).string());
    };
    std::string big = test::kLeadInBytes;
    while (big.size() < 5000) {
        big += "PRINT SPEED\t:\t4 IPS\r\n";
    }
    const std::u16string files[] = {
        write("plain.prn", "PRINT SPEED\t:\t4 IPS\r\nEND\r\n"), // no marker
        write("big.prn", big + "END\r\n"),                      // beyond the send buffer
        Utf8ToUtf16((folder / "missing.prn").string()),
    };
    for (const std::u16string& file : files) {
        host.AnswerFileDialog(file);
        host.AnswerMessageBox(kIdOk, u"code : 20");
        w.UserClick(kIdImport);
        EXPECT_EQ(Ticked(entry::kPrintSpeed), 0);
    }
    // Marker B alone (5 bytes) or marker C with the settings behind it import; the settings
    // need their END line, a file cut before it is refused with message 0.
    host.AnswerFileDialog(write("b.prn", "~!!\r\nEND\r\n"));
    w.UserClick(kIdImport);
    host.AnswerFileDialog(write("cut.prn", "~!!\r\nPRINT SPEED\t:\t4 IPS\r\nEN"));
    host.AnswerMessageBox(kIdOk, u"code : 20");
    w.UserClick(kIdImport);
    EXPECT_EQ(Ticked(entry::kPrintSpeed), 0);
    host.AnswerFileDialog(write("c.prn", "\x02\x1b~A\r\nPRINT SPEED\t:\t4 IPS\r\nEND\r\n"));
    w.UserClick(kIdImport);
    EXPECT_EQ(Ticked(entry::kPrintSpeed), 1);

    // A folder that does not exist: "Export error.".
    host.AnswerFileDialog(Utf8ToUtf16((folder / "none" / "x.prn").string()));
    host.AnswerMessageBox(kIdOk, u"code : 22");
    w.UserClick(kIdExport);
    EXPECT_EQ(host.PendingAnswers(), 0u);
}

TEST_F(WindowOperations, RecentFileAcrossARestart) {
    testing::CountingWindow* w = &StartNet(9);
    const std::filesystem::path recent = folder / "Recent.dat";
    EXPECT_EQ(w->RecentFilePath(), recent.string());
    const PageItem& darkness = Row(entry::kPrintDarkness);
    w->Standard().CheckButton(darkness.tickBox, 1);
    w->Standard().SetItemText(darkness.textField, u"12");

    // No: neither the preferences nor the recent file are written.
    host.AnswerMessageBox(kIdNo, u"Exit program?");
    w->UserClick(kIdExit);
    EXPECT_FALSE(std::filesystem::exists(recent));

    host.AnswerMessageBox(kIdYes, u"Exit program?");
    w->UserClick(kIdExit);
    ASSERT_TRUE(std::filesystem::exists(recent));
    EXPECT_TRUE(Contains(ReadFile(recent), "PRINT DARKNESS\t:\t12\r\n"));

    // The next run shows it, silently.
    host.ClearRecords();
    w = &Start();
    EXPECT_EQ(Ticked(entry::kPrintDarkness), 1);
    EXPECT_EQ(FieldText(entry::kPrintDarkness), u"12");
    EXPECT_TRUE(host.Messages().empty());

    // A malformed recent file is ignored without a word.
    std::ofstream(recent, std::ios::binary) << "garbage";
    w = &Start();
    EXPECT_EQ(Ticked(entry::kPrintDarkness), 0);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(WindowOperations, ARecentFileThatCannotBeSavedIsReportedOnStandardError) {
    const std::filesystem::path recent = folder / "Recent.dat";
    std::filesystem::create_directory(recent); // no user, root included, can replace it
    testing::CountingWindow& w = StartNet(9);
    host.AnswerMessageBox(kIdYes, u"Exit program?");
    ::testing::internal::CaptureStderr();
    w.UserClick(kIdExit);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("the recent settings could not be saved to " + recent.string() +
                       ": not a regular file"),
              std::string::npos)
        << err;
    EXPECT_TRUE(std::filesystem::is_directory(recent));
}

TEST_F(WindowOperations, SelfInfoReceivesMachineInformationAndSettings) {
    test::PrinterServer printer([](const std::string& r) { return Answer(r); });
    testing::CountingWindow& w = StartNet(printer.Port(), "APP_MODE=QRVT\r\n");
    std::vector<std::string> shown;
    w.SetSelfInfoPresenter([&](const std::string& machine, const std::string& settings) {
        shown = {machine, settings};
    });

    // Declined: state -2, no dialog.
    host.AnswerMessageBox(kIdNo, u"Are you sure to receive");
    w.UserClick(kIdSelfInfo);
    EXPECT_EQ(w.ReceiveState(), COstrellDlg::kReceiveFailed);
    EXPECT_TRUE(shown.empty());

    host.AnswerMessageBox(kIdYes, u"Are you sure to receive");
    w.UserClick(kIdSelfInfo);
    EXPECT_EQ(w.ReceiveState(), COstrellDlg::kReceiveIdle);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "MODEL\t:\tX1\r\nEND\r\n");
    EXPECT_EQ(shown[1], kMarkerA + kMenu);
    const std::vector<std::string> requests = printer.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(Contains(requests[0], "SEND MACHINE INFO"));
    EXPECT_TRUE(Contains(requests[1], "SEND CONFIG\t:\tSTANDARD"));

    // Without a presenter the Self Information dialog opens with the two texts.
    w.SetSelfInfoPresenter(nullptr);
    std::u16string machineText;
    host.AnswerMessageBox(kIdYes, u"Are you sure to receive");
    host.AnswerModal([&](ui::Dialog& d) {
        machineText = d.GetItemText(kIdSelfInfoMachineText);
        return kIdCancel;
    });
    w.UserClick(kIdSelfInfo);
    ASSERT_FALSE(host.Dialogs().empty());
    EXPECT_EQ(host.Dialogs().back().templateId, kSelfInfoTemplateId);
    EXPECT_NE(machineText.find(u"X1"), std::u16string::npos);

    // While another receive holds the lock the request never finishes: after 100 checks of
    // 100 ms the time-out message.
    shown.clear();
    InstanceLock running(kReceiveLockName);
    ASSERT_TRUE(running.TryAcquire());
    host.AnswerMessageBox(kIdOk, u"Error: Receive timeout occured.");
    const uint64_t before = host.SleptMs();
    w.UserClick(kIdSelfInfo);
    EXPECT_EQ(host.SleptMs() - before, 10000u);
    EXPECT_EQ(host.Messages().back().caption, u"Receive data");
    EXPECT_EQ(w.ReceiveState(), COstrellDlg::kReceiveFailed);
    EXPECT_TRUE(shown.empty());
}

TEST_F(WindowOperations, TypedPortNumberSurvivesModelChangeAndRestore) {
    testing::CountingWindow& w = StartNet(9100);
    C(kIdPortNumber).SetText(u"9200");
    w.UserSelect(kIdModel, 3);
    EXPECT_EQ(C(kIdPortNumber).Text(), u"9200");
    C(kIdPortNumber).SetText(u"9300");
    host.AnswerMessageBox(kIdYes, u"restore defaults");
    w.UserClick(kIdRestoreDefaults);
    EXPECT_EQ(C(kIdPortNumber).Text(), u"9300");
}

TEST_F(WindowOperations, TheTabControlFitsTheInitialWindow) {
    testing::CountingWindow& w = StartNet(9100);
    const ui::Rect tab = C(kIdTab).GetRect();
    EXPECT_LE(tab.y + tab.height, w.ClientRect().height);
    for (int i = 0; i < COstrellDlg::kPageCount; ++i) {
        const ui::Rect page = w.Page(i).WindowRect();
        EXPECT_LE(page.y + page.height, tab.y + tab.height);
    }
}

} // namespace
} // namespace qm

// The real program offscreen against the printer simulator: receive every scope, send back what
// was received, restore the defaults, export and import a file, exit and start again; over TCP
// and over the simulator's pseudo-terminal as a COM port.

#include "ProgramTestSupport.h"
#include "QtTestApp.h"

#include "printer-sim/SimHarness.h"
#include "resources/MainWindowTemplate.h"
#include "settings/SettingsRecord.h"

#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace {

using namespace qm::res;
using qm::qt::DialogWidget;
using qm::qt::QtHost;
using qm::qt::test::Answerer;
using qm::qt::test::Click;
using qm::qt::test::MainDialog;
using qm::qt::test::Pick;
using qm::qt::test::RunProgramWith;
using qm::qt::test::StandardTicked;
using qm::qt::test::TestApp;
using qm::simtest::SimProcess;

constexpr int kScopeAll = 4;
const QString kReceiveQuestion = QStringLiteral("Are you sure to receive the configuration?");

// The simulator's own ALL reply, asked for directly.
std::string HeldSettings(int tcpPort) {
    return qm::simtest::Exchange(tcpPort, qm::simtest::LeadIn() + "SEND CONFIG\t:\tALL\r\nEXIT\r\n")
        .bytes;
}

int CountEvents(const std::string& log, const std::string& event) {
    int count = 0;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        count += line.find(" " + event + " ") != std::string::npos ? 1 : 0;
    }
    return count;
}

class ProgramOperations : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication& app = TestApp();
        qm::qt::SetUpApplication(app);
        ASSERT_TRUE(home.isValid());
        qputenv("QUILLMARK_HOME", home.path().toUtf8());
        // The receive lock of this test's program runs stays in its own folder.
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    }
    void TearDown() override {
        qunsetenv("QUILLMARK_DEV_ROOT");
        qunsetenv("QUILLMARK_SYSFS_ROOT");
        if (hadRuntime) {
            qputenv("XDG_RUNTIME_DIR", savedRuntime);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }
    void WriteIni(const std::string& body) {
        std::ofstream out(Path("Quillmark.ini"), std::ios::binary);
        out << "[Quillmark]\r\nREGION=0\r\n" << body;
    }
    std::string Path(const std::string& name) const {
        return home.path().toStdString() + "/" + name;
    }

    // Receives every scope, then Check All and Send Configuration: the printer gets back what
    // it sent, so it holds the same settings and refuses nothing.
    void ReceiveEveryScopeAndSendBack(DialogWidget& window, Answerer& answers) {
        for (int scope = 0; scope <= kScopeAll; ++scope) {
            Pick(window, kIdScope, scope);
            Click(window, kIdReceive);
            EXPECT_EQ(MainDialog(window).ReceiveState(), qm::COstrellDlg::kReceiveIdle) << scope;
        }
        EXPECT_TRUE(StandardTicked(window, qm::entry::kPrintDarkness));
        Click(window, kIdCheckAll);
        Click(window, kIdSend);
        EXPECT_EQ(answers.texts.count(kReceiveQuestion), kScopeAll + 1);
        EXPECT_EQ(answers.texts.size(), kScopeAll + 2) << answers.texts.join("|").toStdString();
    }

    QTemporaryDir home;
    QByteArray savedRuntime;
    bool hadRuntime = false;
};

TEST_F(ProgramOperations, OverTcpReceiveSendRestoreExportImportAndRestart) {
    const std::string log = Path("sim.log");
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "0", "--log", log});
    ASSERT_TRUE(sim.Ready());
    WriteIni("PORT_TYPE=NET\r\nPORT_NAME=127.0.0.1\r\nPORT_NUMBER=" +
             std::to_string(sim.TcpPort()) + "\r\n");
    const std::string held = HeldSettings(sim.TcpPort());
    const QString exported = QString::fromStdString(Path("settings.prn"));

    QtHost host;
    Answerer answers;
    bool restoredUnticked = false;
    bool importedTicked = false;
    int messagesAfterImport = -1;
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        ReceiveEveryScopeAndSendBack(window, answers);

        Click(window, kIdRestoreDefaults);
        restoredUnticked = !StandardTicked(window, qm::entry::kPrintDarkness);

        Click(window, kIdCheckAll); // ticks everything again
        answers.NextFile(exported);
        Click(window, kIdExport);
        Click(window, kIdRestoreDefaults);
        const int before = static_cast<int>(answers.texts.size());
        answers.NextFile(exported);
        Click(window, kIdImport);
        messagesAfterImport = static_cast<int>(answers.texts.size()) - before;
        importedTicked = StandardTicked(window, qm::entry::kPrintDarkness);
        Click(window, kIdExit);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(HeldSettings(sim.TcpPort()), held);
    EXPECT_EQ(CountEvents(log, "REJECT"), 0);
    EXPECT_EQ(CountEvents(log, "configuration"), 1);
    EXPECT_TRUE(restoredUnticked);
    EXPECT_EQ(messagesAfterImport, 0);
    EXPECT_TRUE(importedTicked);
    EXPECT_EQ(qm::simtest::ReadFile(exported.toStdString()).substr(0, 17), qm::simtest::LeadIn());
    ASSERT_TRUE(std::filesystem::exists(Path("Recent.dat")));

    // The next run starts with the settings of this one.
    QtHost again;
    Answerer more;
    bool restartedTicked = false;
    RunProgramWith(again, [&](DialogWidget& window) {
        restartedTicked = StandardTicked(window, qm::entry::kPrintDarkness);
        Click(window, kIdExit);
    });
    EXPECT_TRUE(restartedTicked);
}

TEST_F(ProgramOperations, OverAPseudoTerminalAsComPort) {
    // COM1: is ttyS0 of a fake device tree, linked to the simulator's pty and shown as hardware.
    const std::string dev = Path("dev");
    const std::string sys = Path("sys");
    std::filesystem::create_directories(dev);
    std::filesystem::create_directories(sys + "/class/tty/ttyS0/device");
    std::ofstream(sys + "/class/tty/ttyS0/type") << "4\n";
    qputenv("QUILLMARK_DEV_ROOT", QByteArray::fromStdString(dev));
    qputenv("QUILLMARK_SYSFS_ROOT", QByteArray::fromStdString(sys));
    const std::string log = Path("sim.log");
    SimProcess sim(
        {"--tcp", "127.0.0.1:0", "--pty", "--link", dev + "/ttyS0", "--model", "0", "--log", log});
    ASSERT_TRUE(sim.Ready());
    WriteIni("PORT_TYPE=COM\r\nPORT_NAME=COM1:\r\n");
    const std::string held = HeldSettings(sim.TcpPort());

    QtHost host;
    Answerer answers;
    int interfaceIndex = -1;
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        interfaceIndex = MainDialog(window).InterfaceIndex();
        ReceiveEveryScopeAndSendBack(window, answers);
        Click(window, kIdExit);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(interfaceIndex, 1);
    EXPECT_EQ(HeldSettings(sim.TcpPort()), held);
    EXPECT_EQ(CountEvents(log, "REJECT"), 0);
    EXPECT_EQ(CountEvents(log, "configuration"), 1);
}

} // namespace

// The real program offscreen with a print queue of the tests' own CUPS scheduler whose device
// is the printer simulator's TCP port: a receive goes straight to the port behind the queue, a
// send goes as a raw job through the queue and reaches the printer.

#include "ProgramTestSupport.h"
#include "QtTestApp.h"

#include "discovery/daemon/CupsTestSupport.h"
#include "printer-sim/SimHarness.h"
#include "resources/MainWindowTemplate.h"
#include "settings/SettingsRecord.h"

#include <QTemporaryDir>

#include <chrono>
#include <fstream>
#include <thread>

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

// Lines of the simulator's log holding `part`, waiting up to `timeoutMs` for the first.
int WaitForLog(const std::string& log, const std::string& part, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int count = 0;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) {
            count += line.find(part) != std::string::npos ? 1 : 0;
        }
        if (count > 0 || std::chrono::steady_clock::now() > end) {
            return count;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TEST(ProgramWithQueue, ReceiveThroughTheQueuesPortAndSendAsARawJob) {
    QApplication& app = qm::qt::test::TestApp();
    qm::qt::SetUpApplication(app);
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("QUILLMARK_HOME", home.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    const std::string log = home.path().toStdString() + "/sim.log";
    qm::simtest::SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "0", "--log", log});
    ASSERT_TRUE(sim.Ready());
    const std::string queue = qm::test::UniqueQueueName("qm_window");
    ASSERT_TRUE(qm::test::AddQueue(queue, "socket://127.0.0.1:" + std::to_string(sim.TcpPort())));
    std::ofstream(home.path().toStdString() + "/Quillmark.ini", std::ios::binary)
        << "[Quillmark]\r\nREGION=0\r\nPORT_TYPE=PRT\r\nPORT_NAME=" << queue << "\r\n";

    QtHost host;
    Answerer answers;
    int indexBefore = -1;
    int indexAfter = -1;
    bool received = false;
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        indexBefore = MainDialog(window).InterfaceIndex();
        Pick(window, kIdScope, 1);
        Click(window, kIdReceive);
        received = StandardTicked(window, qm::entry::kPrintDarkness);
        indexAfter = MainDialog(window).InterfaceIndex();
        Click(window, kIdCheckAll);
        Click(window, kIdSend);
        Click(window, kIdExit);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(indexBefore, 0);
    EXPECT_EQ(indexAfter, 0); // the redirection lasted the receive only
    EXPECT_TRUE(received);
    EXPECT_EQ(answers.texts.size(), 3) << answers.texts.join("|").toStdString();
    // The receive talked to the port directly; the configuration came through the queue.
    EXPECT_EQ(WaitForLog(log, "RECV menu-standard", 0), 1);
    EXPECT_EQ(WaitForLog(log, "RECV configuration", 15000), 1);
    EXPECT_EQ(WaitForLog(log, "REJECT", 0), 0);
    qm::test::DeleteQueue(queue);
}

} // namespace

// The real program offscreen against the printer simulator: a sensor adjustment that succeeds
// and one that fails over TCP, a self print and a print file chosen in the file dialog over
// the simulator's pseudo-terminal as a COM port.

#include "ProgramTestSupport.h"
#include "QtTestApp.h"

#include "printer-sim/SimHarness.h"
#include "resources/MainWindowTemplate.h"
#include "resources/PrintPageTemplate.h"

#include <QTabWidget>
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
using qm::qt::test::RunProgramWith;
using qm::qt::test::TestApp;
using qm::simtest::SimProcess;

constexpr int kTabCalibration = 4;
constexpr int kTabPrint = 5;

std::vector<std::string> LinesWith(const std::string& log, const std::string& event) {
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (line.find(" " + event) != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

void SelectTab(DialogWidget& window, int index) {
    auto* tabs = qobject_cast<QTabWidget*>(window.WidgetFor(kIdTab));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(index);
    QTest::qWait(10);
}

class ProgramRuns : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication& app = TestApp();
        qm::qt::SetUpApplication(app);
        ASSERT_TRUE(home.isValid());
        qputenv("QUILLMARK_HOME", home.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    }
    void TearDown() override {
        qunsetenv("QUILLMARK_DEV_ROOT");
        qunsetenv("QUILLMARK_SYSFS_ROOT");
    }
    void WriteIni(const std::string& body) {
        std::ofstream out(Path("Quillmark.ini"), std::ios::binary);
        out << "[Quillmark]\r\nREGION=0\r\n" << body;
    }
    std::string Path(const std::string& name) const {
        return home.path().toStdString() + "/" + name;
    }

    QTemporaryDir home;
};

TEST_F(ProgramRuns, SensorAdjustmentSucceedsAndFailsOverTcp) {
    const std::pair<std::vector<std::string>, QString> cases[] = {
        {{}, QStringLiteral("Sensor adjustment done successfully.")},
        {{"--calibration-fails"}, QStringLiteral("Sensor adjustment failed.\nPlease try again.")},
    };
    for (const auto& [options, result] : cases) {
        SCOPED_TRACE(result.toStdString());
        const std::string log = Path("sim.log");
        std::vector<std::string> args = {"--tcp", "127.0.0.1:0", "--model", "0", "--log", log};
        args.insert(args.end(), options.begin(), options.end());
        SimProcess sim(args);
        ASSERT_TRUE(sim.Ready());
        WriteIni("PORT_TYPE=NET\r\nPORT_NAME=127.0.0.1\r\nPORT_NUMBER=" +
                 std::to_string(sim.TcpPort()) + "\r\n");
        QtHost host;
        Answerer answers;
        QString caption;
        const int code = RunProgramWith(host, [&](DialogWidget& window) {
            SelectTab(window, kTabCalibration);
            caption = qobject_cast<QAbstractButton*>(window.WidgetFor(kIdSend))->text();
            Click(window, kIdSend);
            Click(window, kIdExit);
        });
        EXPECT_EQ(code, 0);
        EXPECT_EQ(caption.remove(u'&'), QStringLiteral("Start Sensor Adjustment"));
        ASSERT_GE(answers.texts.size(), 2);
        EXPECT_EQ(answers.texts[0], QStringLiteral("Are you sure to start sensor adjustment?"));
        EXPECT_EQ(answers.texts[1], result);
        const std::vector<std::string> sent = LinesWith(log, "RECV calibration");
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_NE(sent[0].find("MEDIA SENSOR\\t:\\tSEE THROUGH\\r\\nAUTO CALIBRATION\\r\\nSAVE"),
                  std::string::npos)
            << sent[0];
    }
}

TEST_F(ProgramRuns, SelfPrintAndAFileOverAPseudoTerminal) {
    const std::string dev = Path("dev");
    const std::string sys = Path("sys");
    std::filesystem::create_directories(dev);
    std::filesystem::create_directories(sys + "/class/tty/ttyS0/device");
    std::ofstream(sys + "/class/tty/ttyS0/type") << "4\n";
    qputenv("QUILLMARK_DEV_ROOT", QByteArray::fromStdString(dev));
    qputenv("QUILLMARK_SYSFS_ROOT", QByteArray::fromStdString(sys));
    const std::string printLog = Path("print.log");
    SimProcess sim({"--tcp", "127.0.0.1:0", "--pty", "--link", dev + "/ttyS0", "--model", "0",
                    "--print-log", printLog});
    ASSERT_TRUE(sim.Ready());
    WriteIni("PORT_TYPE=COM\r\nPORT_NAME=COM1:\r\n");
    const std::string file = Path("label.prn");
    std::string data;
    for (int i = 0; data.size() < 2500; ++i) {
        data += "LINE " + std::to_string(i) + "\r\n";
    }
    data.resize(2500);
    std::ofstream(file, std::ios::binary) << data;

    QtHost host;
    Answerer answers;
    answers.NextFile(QString::fromStdString(file));
    const int code = RunProgramWith(host, [&](DialogWidget& window) {
        SelectTab(window, kTabPrint);
        Click(window, kIdSend); // self test
        MainDialog(window).Print().UserClick(kIdPrintSendFile);
        Click(window, kIdSend); // asks for the file, then prints it
        Click(window, kIdExit);
    });
    EXPECT_EQ(code, 0);
    // The print question once (the self test), then the exit question.
    EXPECT_EQ(answers.texts.count(QStringLiteral("Are you sure to print out?")), 1)
        << answers.texts.join("|").toStdString();
    std::vector<std::string> prints;
    for (int i = 0; i < 500 && prints.size() < 2; ++i) {
        prints = LinesWith(printLog, "PRINT ");
        QTest::qWait(10);
    }
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_NE(prints[0].find("kind=self-test language=native emulation=native bytes=4 "
                             "data=\"\\x02Z\\r\\n\""),
              std::string::npos)
        << prints[0];
    EXPECT_NE(prints[1].find("kind=data language=- emulation=native bytes=2500 "
                             "data=\"LINE 0\\r\\nLINE 1\\r\\n"),
              std::string::npos)
        << prints[1];
}

} // namespace

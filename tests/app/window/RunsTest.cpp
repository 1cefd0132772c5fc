// The main window's sensor adjustment and print runs through the scripted host, against the
// printer simulator over TCP; what the printer received comes from the simulator's logs.

#include "WindowTestSupport.h"

#include "operations/RunsTestSupport.h"
#include "resources/CalibrationPageTemplate.h"
#include "resources/PrintPageTemplate.h"

#include <cstdlib>
#include <fstream>
#include <optional>

namespace qm {
namespace {

using namespace res;
using test::RunSimulator;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class WindowRuns : public testing::WindowTest {
protected:
    // The window's receive lock and preferences stay in this test's folder.
    WindowRuns() {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        savedRuntime = runtime != nullptr ? std::optional<std::string>(runtime) : std::nullopt;
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    ~WindowRuns() override {
        if (savedRuntime) {
            ::setenv("XDG_RUNTIME_DIR", savedRuntime->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }

    testing::CountingWindow& StartOn(const RunSimulator& simulator, int model) {
        WriteIni("PORT_TYPE=NET\r\nPORT_NAME=127.0.0.1\r\nPORT_NUMBER=" +
                 Utf16ToUtf8(simulator.Net().portNumber) + "\r\n");
        testing::CountingWindow& w = Start();
        w.operate = true;
        w.UserSelect(kIdModel, model);
        return w;
    }

    std::u16string LastMessage() const {
        return host.Messages().empty() ? u"" : host.Messages().back().text;
    }

    std::optional<std::string> savedRuntime;
};

TEST_F(WindowRuns, SensorAdjustmentSucceedsAndFails) {
    struct Case {
        std::vector<std::string> simulatorOptions;
        std::u16string message;
        unsigned icon;
    } cases[] = {
        {{"--stray-bytes", "2"}, u"Sensor adjustment done successfully.", kMbIconInformation},
        {{"--calibration-fails"}, u"Sensor adjustment failed.\nPlease try again.", kMbIconError},
        {{"--stray-bytes", "3"}, u"code : 32\r\nAcquisition data has an error.", kMbIconError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.message));
        host.ClearRecords();
        RunSimulator simulator(17, c.simulatorOptions);
        ASSERT_TRUE(simulator.Ready());
        testing::CountingWindow& w = StartOn(simulator, 17);
        w.UserSelectTab(kIdTab, 4);
        EXPECT_EQ(C(kIdSend).Text(), u"Start Sensor Adjustment");
        w.Calibration().UserClick(kIdCalRadioMarks);
        host.AnswerMessageBox(kIdYes, u"Are you sure to start sensor adjustment?");
        host.AnswerMessageBox(kIdOk, c.message);
        w.Calibration().UserClick(kIdCalStart);
        EXPECT_EQ(host.PendingAnswers(), 0u);
        ASSERT_EQ(host.Messages().size(), 2u);
        EXPECT_EQ(host.Messages()[1].style & kMbIconMask, c.icon);
        const std::vector<std::string> received = simulator.Lines("sim.log", "RECV calibration");
        ASSERT_EQ(received.size(), 1u);
        EXPECT_TRUE(Contains(received[0], "\\r\\nMEDIA SENSOR\\t:\\tREFLECT\\r\\n"
                                          "AUTO CALIBRATION\\r\\nSAVE\\r\\nEND\\r\\n\""))
            << received[0];
    }
}

TEST_F(WindowRuns, SensorAdjustmentDeclinedSendsNothing) {
    RunSimulator simulator(0);
    ASSERT_TRUE(simulator.Ready());
    testing::CountingWindow& w = StartOn(simulator, 0);
    w.UserSelectTab(kIdTab, 4);
    host.AnswerMessageBox(kIdNo, u"Are you sure to start sensor adjustment?");
    w.UserClick(kIdSend);
    EXPECT_EQ(host.Messages().size(), 1u);
    EXPECT_TRUE(simulator.Lines("sim.log", "CONNECT", 0).empty());
}

TEST_F(WindowRuns, SelfTestAndSampleByThePrintersLanguage) {
    // Model 1 runs the Zebra language: the Send button and the hidden Print button (Execute)
    // run the same print.
    RunSimulator simulator(1);
    ASSERT_TRUE(simulator.Ready());
    testing::CountingWindow& w = StartOn(simulator, 1);
    w.UserSelectTab(kIdTab, 5);
    EXPECT_EQ(C(kIdSend).Text(), u"Send File");
    host.AnswerMessageBox(kIdYes, u"Are you sure to print out?");
    w.UserClick(kIdSend);
    w.Print().UserClick(kIdPrintSample);
    host.AnswerMessageBox(kIdYes, u"Are you sure to print out?");
    w.Print().UserClick(kIdPrintExecute);
    host.AnswerMessageBox(kIdNo, u"Are you sure to print out?");
    w.Print().UserEnter();
    EXPECT_EQ(host.PendingAnswers(), 0u);
    EXPECT_EQ(host.Messages().size(), 3u) << "the questions only";
    const std::vector<std::string> prints = simulator.Prints(2);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_TRUE(Contains(prints[0], "kind=self-test language=zebra emulation=zebra bytes=4 "
                                    "data=\"~WC\\n\""))
        << prints[0];
    EXPECT_TRUE(Contains(prints[1], "kind=sample language=zebra emulation=zebra bytes=5 "
                                    "data=\"~!Q4\\n\""))
        << prints[1];
}

TEST_F(WindowRuns, SendFileAsksForTheFileAndPrintsWithoutASecondQuestion) {
    RunSimulator simulator(0);
    ASSERT_TRUE(simulator.Ready());
    const std::string path = simulator.Path("label.prn");
    const std::string data = "^XA^FO50,50^FDQuillmark^FS^XZ\r\n";
    std::ofstream(path, std::ios::binary) << data;
    testing::CountingWindow& w = StartOn(simulator, 0);
    w.UserSelectTab(kIdTab, 5);
    w.Print().UserClick(kIdPrintSendFile);
    host.AnswerFileDialog(U16(path));
    w.UserClick(kIdSend);
    EXPECT_EQ(host.PendingAnswers(), 0u);
    EXPECT_TRUE(host.Messages().empty());
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    EXPECT_FALSE(host.FileDialogs()[0].request.save);
    EXPECT_EQ(w.Print().FilePath(), U16(path));
    EXPECT_EQ(Prefs().defaultFolder, U16(simulator.Path("")));
    const std::vector<std::string> prints = simulator.Prints();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_TRUE(Contains(
        prints[0], "kind=data language=- emulation=native bytes=" + std::to_string(data.size()) +
                       " data=\"^XA^FO50,50^FDQuillmark^FS^XZ\\r\\n\""))
        << prints[0];

    // With the path in the field the question comes instead of the dialog.
    host.ClearRecords();
    host.AnswerMessageBox(kIdYes, u"Are you sure to print out?");
    w.UserClick(kIdSend);
    EXPECT_TRUE(host.FileDialogs().empty());
    EXPECT_EQ(simulator.Prints(2).size(), 2u);

    // Cancelling the dialog prints nothing.
    host.ClearRecords();
    w.Print().SetFilePath(u"");
    host.AnswerFileDialog(std::nullopt);
    w.UserClick(kIdSend);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(WindowRuns, AMissingFileGivesTheOpenThenTheReadMessage) {
    RunSimulator simulator(0);
    ASSERT_TRUE(simulator.Ready());
    testing::CountingWindow& w = StartOn(simulator, 0);
    w.UserSelectTab(kIdTab, 5);
    w.Print().UserClick(kIdPrintSendFile);
    w.Print().UserEdit(kIdPrintPath, U16(simulator.Path("missing.prn")));
    host.AnswerMessageBox(kIdYes, u"Are you sure to print out?");
    host.AnswerMessageBox(kIdOk, u"code : 80\r\nFile Open error. Please check the file.");
    host.AnswerMessageBox(kIdOk, u"code : 81\r\nFile Read error. Please check the file.");
    w.UserClick(kIdSend);
    EXPECT_EQ(host.PendingAnswers(), 0u);
    EXPECT_EQ(host.Messages().size(), 3u);
    EXPECT_TRUE(simulator.Lines("sim.log", "CONNECT", 0).empty());
}

} // namespace
} // namespace qm

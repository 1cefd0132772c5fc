// quillmark-cli calibrate and print against the simulator, over TCP and over its pseudo-terminal
// as COM1; what the printer received comes from the simulator's logs.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

struct Printer {
    explicit Printer(int model, const std::vector<std::string>& extra = {})
        : devRoot(dir.Path("dev")), log(dir.Path("sim.log")), printLog(dir.Path("print.log")) {
        std::filesystem::create_directories(devRoot);
        std::vector<std::string> args = {
            "--tcp",   "127.0.0.1:0",         "--pty", "--link", devRoot + "/ttyS0",
            "--model", std::to_string(model), "--log", log,      "--print-log",
            printLog};
        args.insert(args.end(), extra.begin(), extra.end());
        sim = std::make_unique<SimProcess>(args);
        env = {"QUILLMARK_DEV_ROOT=" + devRoot, "XDG_RUNTIME_DIR=" + dir.Path("")};
    }
    std::string Net() const { return "127.0.0.1:" + std::to_string(sim->TcpPort()); }
    // The print log's lines, waiting (at most 5 s) for `count` of them.
    std::vector<std::string> Prints(size_t count) const {
        std::vector<std::string> lines;
        for (int i = 0; i < 500; ++i) {
            lines = LogEvents(printLog, "PRINT");
            if (lines.size() >= count) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return lines;
    }
    TempDir dir;
    std::string devRoot;
    std::string log;
    std::string printLog;
    std::unique_ptr<SimProcess> sim;
    std::vector<std::string> env;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(E2eCalibrate, ExitStatusSaysWhatThePrinterReported) {
    struct Case {
        std::vector<std::string> simulatorOptions;
        std::vector<std::string> args;
        int status;
        std::string line;
    } cases[] = {
        {{}, {"--media", "marks", "--config-set", "3"}, 0, "sensor adjustment: succeeded\n"},
        {{"--calibration-fails"},
         {},
         4,
         "sensor adjustment: failed (the printer reports failure)\n"},
        {{"--stray-bytes", "3"},
         {},
         3,
         "sensor adjustment: no answer (the exchange with the printer failed)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.simulatorOptions));
        Printer printer(2, c.simulatorOptions);
        ASSERT_TRUE(printer.sim->Ready());
        std::vector<std::string> args = {"calibrate", "--net", printer.Net(), "--model", "2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult r = RunCli(args, printer.env);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.line);
        ASSERT_EQ(LogEvents(printer.log, "CALIBRATE").size(), 1u);
        const std::string applied = Joined(LogEvents(printer.log, "APPLY"));
        EXPECT_TRUE(Contains(applied, c.args.empty() ? "MEDIA SENSOR = \"SEE THROUGH\""
                                                     : "MEDIA SENSOR = \"REFLECT\""))
            << applied;
        EXPECT_EQ(Contains(applied, "GLOBAL CONFIG = \"CONFIG SET 3\""), !c.args.empty())
            << applied;
    }
}

TEST(E2eCalibrate, OverComAndWithBadArguments) {
    Printer printer(15);
    ASSERT_TRUE(printer.sim->Ready());
    const CliResult r = RunCli({"calibrate", "--com", "COM1", "--model", "15"}, printer.env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "sensor adjustment: succeeded\n");
    EXPECT_EQ(RunCli({"calibrate", "--net", printer.Net(), "--media", "holes"}).status, 2);
    EXPECT_EQ(RunCli({"calibrate", "--net", printer.Net(), "--config-set", "4"}).status, 2);
    EXPECT_EQ(RunCli({"calibrate"}).status, 2);
    // Nothing listens there: the exchange fails.
    const CliResult closed = RunCli({"calibrate", "--net", "127.0.0.1:1", "--model", "0"});
    EXPECT_EQ(closed.status, 3);
    EXPECT_TRUE(Contains(closed.err, "code : 30")) << closed.err;
    EXPECT_EQ(closed.out, "sensor adjustment: not started (the port could not be opened)\n");
}

TEST(E2ePrint, SelfTestAndSampleOverTcpAndCom) {
    Printer printer(4); // an Eltron emulation model
    ASSERT_TRUE(printer.sim->Ready());
    CliResult r = RunCli({"print", "--self-test", "--net", printer.Net()}, printer.env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "self test sent (Eltron language)\n");
    r = RunCli({"print", "--sample", "--com", "COM1", "--model", "4"}, printer.env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "sample print sent (Eltron language)\n");
    const std::vector<std::string> prints = printer.Prints(2);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_TRUE(Contains(prints[0], "tcp PRINT kind=self-test language=eltron emulation=eltron "
                                    "bytes=2 data=\"U\\n\""))
        << prints[0];
    EXPECT_TRUE(Contains(prints[1], "pty PRINT kind=sample language=eltron emulation=eltron "
                                    "bytes=5 data=\"~!Q4\\n\""))
        << prints[1];
}

TEST(E2ePrint, FileOverComAndTheUnreadableFile) {
    Printer printer(0);
    ASSERT_TRUE(printer.sim->Ready());
    std::string data;
    for (int i = 0; data.size() < 2500; ++i) {
        data += "LABEL " + std::to_string(i) + "\n";
    }
    data.resize(2500);
    const std::string file = printer.dir.Path("label.prn");
    ASSERT_TRUE(WriteFile(file, data));
    CliResult r = RunCli({"print", "--file", file, "--com", "COM1"}, printer.env);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "sent 2500 bytes of " + file + "\n");
    const std::vector<std::string> prints = printer.Prints(1);
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_TRUE(Contains(prints[0], "pty PRINT kind=data language=- emulation=native bytes=2500 "
                                    "data=\"LABEL 0\\nLABEL 1\\n"))
        << prints[0];

    r = RunCli({"print", "--file", printer.dir.Path("missing.prn"), "--net", printer.Net()},
               printer.env);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "code : 80")) << r.err;
    EXPECT_TRUE(Contains(r.err, "No such file or directory")) << r.err;
    EXPECT_TRUE(LogEvents(printer.log, "CONNECT").empty());
    EXPECT_EQ(RunCli({"print", "--self-test", "--sample", "--net", printer.Net()}).status, 2);
    EXPECT_EQ(RunCli({"print", "--self-test", "--net", "127.0.0.1:1"}).status, 3);
}

} // namespace
} // namespace qm::e2e

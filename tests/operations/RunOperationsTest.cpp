// The sensor adjustment and the print runs against the printer simulator, over TCP and over its
// pseudo-terminal as COM1, with the real clock; the bytes the printer received come from its
// own logs.
#include "RunsTestSupport.h"

#include "connection/ConnectionTestSupport.h"

#include "discovery/SystemPortServices.h"
#include "operations/PrintRunOperation.h"
#include "operations/SensorAdjustmentOperation.h"
#include "settings/ModelTable.h"

#include <fstream>

namespace qm {
namespace {

using test::RunSimulator;

const std::string kLeadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// ---- sensor adjustment ---------------------------------------------------------------------

struct Calibration {
    SettingsRecord record;
    SettingsOptions options = SettingsOptions::For(0, false, false);
    SettingsParser parser{options};
    ConfigurationWriter writer{options};
    SensorAdjustmentOperation operation{record, writer, parser};

    SensorAdjustmentResult Run(const StaticInterfaceSettings& settings,
                               SensorChoices choices = {}) {
        SensorAdjustmentOperation::TickChoices(record, choices, options);
        const BuiltConfiguration built = operation.Build();
        EXPECT_EQ(built.code, kOperationOk);
        PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
        return operation.Run(built.text, connection, settings);
    }
};

TEST(SensorAdjustmentRun, TheCommandCarriesTheChoicesAndTheAnswerDecides) {
    struct Case {
        std::vector<std::string> simulatorOptions;
        int code;
        CalibrationOutcome outcome;
    } cases[] = {
        {{}, kOperationOk, CalibrationOutcome::kSucceeded},
        {{"--calibration-fails"}, kOperationOk, CalibrationOutcome::kFailed},
        {{"--stray-bytes", "1"}, kOperationOk, CalibrationOutcome::kSucceeded},
        {{"--stray-bytes", "2", "--calibration-fails"}, kOperationOk, CalibrationOutcome::kFailed},
        {{"--stray-bytes", "3"}, kCodeAcquisitionFailed, CalibrationOutcome::kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.simulatorOptions));
        RunSimulator simulator(0, c.simulatorOptions);
        ASSERT_TRUE(simulator.Ready());
        Calibration calibration;
        const SensorAdjustmentResult result =
            calibration.Run(simulator.Net(), SensorChoices{1, kMediaBlackMarks});
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.outcome, c.outcome);
        const std::vector<std::string> received = simulator.Lines("sim.log", "RECV calibration");
        ASSERT_EQ(received.size(), 1u);
        EXPECT_TRUE(Contains(received[0], "\"~!!\\r\\n\\x02\\x1b~A\\r\\n~\\x1b~A\\r\\n"
                                          "GLOBAL CONFIG\\t:\\tCONFIG SET 2\\r\\n"))
            << received[0];
        EXPECT_TRUE(Contains(received[0], "MEDIA SENSOR\\t:\\tREFLECT\\r\\n"
                                          "AUTO CALIBRATION\\r\\nSAVE\\r\\nEND\\r\\n\""))
            << received[0];
        // The printer works from the command now: the record starts again from its defaults.
        EXPECT_EQ(calibration.record.Item(entry::kMediaSensor).ticked, 0);
    }
}

TEST(SensorAdjustmentRun, OverThePseudoTerminalWithGaps) {
    RunSimulator simulator(17);
    ASSERT_TRUE(simulator.Ready());
    Calibration calibration;
    const SensorAdjustmentResult result = calibration.Run(RunSimulator::Com());
    EXPECT_TRUE(result.Succeeded()) << result.code << " " << result.reply;
    const std::vector<std::string> received = simulator.Lines("sim.log", "RECV calibration");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(
        Contains(received[0], "\\r\\nMEDIA SENSOR\\t:\\tSEE THROUGH\\r\\nAUTO CALIBRATION"));
    EXPECT_FALSE(Contains(received[0], "GLOBAL CONFIG"));
}

TEST(SensorAdjustmentAnswer, OnlyADefinedSuccessSucceeds) {
    struct Case {
        std::string reply;
        int code;
        CalibrationOutcome outcome;
        int errorLine;
    } cases[] = {
        {"AUTO CALIBRATION : SUCCEEDED\r\n", kOperationOk, CalibrationOutcome::kSucceeded, 0},
        {"\r\nAUTO CALIBRATION : SUCCEEDED\r\n\r\n", kOperationOk, CalibrationOutcome::kSucceeded,
         0},
        {"?\x02"
         "AUTO CALIBRATION : FAILED\r\n",
         kOperationOk, CalibrationOutcome::kFailed, 0},
        // A result word the printer does not define is no success.
        {"AUTO CALIBRATION : DONE\r\n", kOperationOk, CalibrationOutcome::kFailed, 0},
        // A second line with another key: the answer is not one this program can read.
        {"AUTO CALIBRATION : SUCCEEDED\r\nPAPER JAM\r\n", kCodeAcquisitionFailed,
         CalibrationOutcome::kNone, 2},
        // The key without its blank before the colon is another key.
        {"AUTO CALIBRATION: SUCCEEDED\r\n", kCodeAcquisitionFailed, CalibrationOutcome::kNone, 1},
        {"???AUTO CALIBRATION : SUCCEEDED\r\n", kCodeAcquisitionFailed, CalibrationOutcome::kNone,
         0},
        {"", kCodeAcquisitionFailed, CalibrationOutcome::kNone, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        SettingsRecord record;
        SettingsParser parser;
        const ConfigurationWriter writer;
        SensorAdjustmentOperation operation(record, writer, parser);
        SensorAdjustmentResult result;
        operation.Judge(SensorAdjustmentOperation::AnswerText(c.reply), result);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.errorLineNumber, c.errorLine);
    }
}

TEST(SensorAdjustmentRun, NothingTickedOrNoPortSendsNothing) {
    SettingsRecord record;
    SettingsParser parser;
    const ConfigurationWriter writer;
    SensorAdjustmentOperation operation(record, writer, parser);
    EXPECT_EQ(operation.Build().code, kCodeNothingTicked);

    record.Item(entry::kMediaSensor).ticked = 1;
    record.Item(entry::kMediaSensor).value = u"SEE THROUGH";
    record.Item(entry::kPrintDarkness).ticked = 1;
    record.Item(entry::kPrintDarkness).value = u"99";
    EXPECT_EQ(operation.Build().code, kCodeInvalidItems);

    StaticInterfaceSettings none;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    EXPECT_EQ(operation
                  .Run(u"MEDIA SENSOR\t:\tREFLECT\r\nAUTO CALIBRATION\r\nSAVE\r\nEND\r\n",
                       connection, none)
                  .code,
              kCodeNoInterface);
    // Nothing went out: the record keeps what the operator chose.
    EXPECT_EQ(record.Item(entry::kMediaSensor).ticked, 1);
}

// ---- self test and sample ------------------------------------------------------------------

// What the printer of each command language must receive.
struct LanguageCase {
    ModelVariant variant;
    std::string language; // the print log's name
    EmulationClass emulation;
    std::string selfTest;
    std::string sample;
    std::string quotedSample; // as the print log quotes it
};
const LanguageCase kLanguages[] = {
    {ModelVariant::kNative, "native", EmulationClass::kNative, std::string("\x02Z\r\n", 4),
     std::string("\x02\x1bQ4\r\n", 6), "\"\\x02\\x1bQ4\\r\\n\""},
    {ModelVariant::kZebra, "zebra", EmulationClass::kZebra, "~WC\n", "~!Q4\n", "\"~!Q4\\n\""},
    {ModelVariant::kEltron, "eltron", EmulationClass::kEltron, "U\n", "~!Q4\n", "\"~!Q4\\n\""},
};
const LanguageCase& LanguageOf(int model) {
    for (const LanguageCase& c : kLanguages) {
        if (c.variant == ModelTable::Row(model).variant) {
            return c;
        }
    }
    return kLanguages[0];
}

TEST(PrintRun, EveryModelGetsTheSelfTestOfTheLanguageItRuns) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        const LanguageCase& expected = LanguageOf(model);
        RunSimulator simulator(model);
        ASSERT_TRUE(simulator.Ready());
        SettingsRecord record;
        PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
        const StaticInterfaceSettings net = simulator.Net();
        const PrintResult result =
            PrintRunOperation(record, connection, net).PrintTest(PrintKind::kSelfTest);
        ASSERT_EQ(result.code, kOperationOk);
        EXPECT_EQ(result.emulation, expected.emulation);
        EXPECT_EQ(result.command, expected.selfTest);
        const std::vector<std::string> prints = simulator.Prints();
        ASSERT_EQ(prints.size(), 1u);
        EXPECT_TRUE(Contains(prints[0], "kind=self-test language=" + expected.language +
                                            " emulation=" + expected.language))
            << prints[0];
    }
}

TEST(PrintRun, SampleOfEachLanguageOverTcpAndThePseudoTerminal) {
    for (int model : {0, 1, 4}) {
        SCOPED_TRACE("model " + std::to_string(model));
        const LanguageCase& expected = LanguageOf(model);
        RunSimulator simulator(model);
        ASSERT_TRUE(simulator.Ready());
        SettingsRecord record;
        PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
        const StaticInterfaceSettings net = simulator.Net();
        const StaticInterfaceSettings com = RunSimulator::Com();
        EXPECT_EQ(PrintRunOperation(record, connection, net).PrintTest(PrintKind::kSample).code,
                  kOperationOk);
        EXPECT_EQ(PrintRunOperation(record, connection, com).PrintTest(PrintKind::kSample).code,
                  kOperationOk);
        const std::vector<std::string> prints = simulator.Prints(2);
        ASSERT_EQ(prints.size(), 2u);
        const std::string tail =
            "kind=sample language=" + expected.language + " emulation=" + expected.language +
            " bytes=" + std::to_string(expected.sample.size()) + " data=" + expected.quotedSample;
        for (const std::string& line : prints) {
            EXPECT_TRUE(line.size() >= tail.size() &&
                        line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
                << line << "\n wanted the end: " << tail;
        }
        EXPECT_TRUE(Contains(prints[0], " tcp PRINT ")) << prints[0];
        EXPECT_TRUE(Contains(prints[1], " pty PRINT ")) << prints[1];
    }
}

TEST(PrintRun, APrinterNamingNoLanguageGetsNothing) {
    // The simulator is asked for its settings while it is silent: no reply, nothing sent.
    RunSimulator simulator(0, {"--silent"});
    ASSERT_TRUE(simulator.Ready());
    SettingsRecord record;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const StaticInterfaceSettings net = simulator.Net();
    const PrintResult result =
        PrintRunOperation(record, connection, net).PrintTest(PrintKind::kSelfTest);
    EXPECT_EQ(result.code, kCodeAcquisitionFailed);
    EXPECT_TRUE(result.command.empty());
    EXPECT_TRUE(simulator.Lines("sim.log", "RECV print", 0).empty());
    EXPECT_TRUE(
        PrintRunOperation::PrintCommand(PrintKind::kSelfTest, EmulationClass::kUnknown).empty());
}

// The language is asked and the print command sent on one connection; the language reply
// starts as a menu reply does, so one stray byte (a NUL included) before its lead-in is
// forgiven and two are not.
TEST(PrintRun, OneConnectionAndTheMenuReplyStartRule) {
    const std::string menu = "~!!\r\nMACHINE EMULATION CODE\t:\tCODE_KORVANE\r\nEND\r\n";
    struct Case {
        std::string stray;
        int code;
    } cases[] = {
        {"", kOperationOk},
        {std::string(1, '\0'), kOperationOk},
        {"??", kCodeAcquisitionFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stray.size());
        test::PrinterServer printer([&](const std::string&) { return c.stray + menu; });
        StaticInterfaceSettings net;
        net.portType = kPortNet;
        net.portName = u"127.0.0.1";
        net.portNumber = U16(std::to_string(printer.Port()));
        SettingsRecord record;
        PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
        const PrintResult result =
            PrintRunOperation(record, connection, net).PrintTest(PrintKind::kSelfTest);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.command, c.code == kOperationOk ? std::string("\x02Z\r\n", 4) : "");
        // The print command followed the question on its connection: no second one was opened.
        EXPECT_EQ(printer.Requests().size(), 1u);
    }
}

// ---- print files ---------------------------------------------------------------------------

// Print data that is not a lead-in message: lines of letters.
std::string PrintData(size_t length) {
    std::string data;
    for (size_t i = 0; data.size() < length; ++i) {
        data += (i % 60 == 59) ? '\n' : static_cast<char>('a' + i % 26);
    }
    return data;
}

std::string WriteTemp(const RunSimulator& simulator, const std::string& bytes) {
    const std::string path = simulator.Path("label.prn");
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(PrintFile, ArrivesWholeOverThePseudoTerminalAndTcp) {
    RunSimulator simulator(0);
    ASSERT_TRUE(simulator.Ready());
    const std::string data = PrintData(2500);
    const std::string path = WriteTemp(simulator, data);
    SettingsRecord record;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const StaticInterfaceSettings com = RunSimulator::Com();
    const PrintResult overCom = PrintRunOperation(record, connection, com).SendFile(path);
    EXPECT_EQ(overCom.code, kOperationOk);
    EXPECT_EQ(overCom.bytesSent, 2500u);
    EXPECT_EQ(overCom.pieces, 3);
    std::vector<std::string> prints = simulator.Prints();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_TRUE(Contains(prints[0],
                         " pty PRINT kind=data language=- emulation=native bytes=2500 "
                         "data=\"abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefg\\n"))
        << prints[0];

    const StaticInterfaceSettings net = simulator.Net();
    EXPECT_EQ(PrintRunOperation(record, connection, net).SendFile(path).code, kOperationOk);
    prints = simulator.Prints(2);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_TRUE(Contains(prints[1], " tcp PRINT kind=data language=- emulation=native bytes=2500"));
}

TEST(PrintFile, GoesOutInPiecesOfAtMost1024Bytes) {
    test::FakeDeviceTree tree;
    test::SocketDevice device(tree.Dev("ttyS0"), SOCK_SEQPACKET);
    const std::string data = PrintData(2500);
    const std::string path = tree.Dev("label.prn");
    std::ofstream(path, std::ios::binary) << data;
    SettingsRecord record;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const StaticInterfaceSettings com = RunSimulator::Com();
    // The connection waits in the device's backlog; the packets stay until they are read.
    const PrintResult result = PrintRunOperation(record, connection, com).SendFile(path);
    device.Accept();
    EXPECT_EQ(result.code, kOperationOk);
    std::vector<size_t> sizes;
    std::string arrived;
    for (const std::string& packet : device.Packets()) {
        sizes.push_back(packet.size());
        arrived += packet;
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{1024, 1024, 452}));
    EXPECT_EQ(arrived, data);
}

TEST(PrintFile, AFileThatCannotBeReadSendsNothing) {
    RunSimulator simulator(0);
    ASSERT_TRUE(simulator.Ready());
    SettingsRecord record;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const StaticInterfaceSettings net = simulator.Net();
    PrintRunOperation run(record, connection, net);
    const PrintResult missing = run.SendFile(simulator.Path("missing.prn"));
    EXPECT_EQ(missing.code, kCodeFileOpenFailed);
    EXPECT_EQ(missing.fileError, ENOENT);
    const PrintResult folder = run.SendFile(simulator.Path(""));
    EXPECT_EQ(folder.code, kCodeFileOpenFailed);
    EXPECT_EQ(folder.fileError, EISDIR);
    EXPECT_EQ(run.SendFile("/dev/zero").code, kCodeFileOpenFailed);
    EXPECT_TRUE(simulator.Lines("sim.log", "CONNECT", 0).empty());
}

TEST(PrintFile, AQueueTakesTheFileAsOneJob) {
    test::FakePortServices services;
    PrinterConnection connection(SystemClock::Instance(), services);
    StaticInterfaceSettings queue;
    queue.portType = kPortPrt;
    queue.portName = u"Label";
    test::FakeDeviceTree tree;
    const std::string data = PrintData(5000); // more than one send buffer
    const std::string path = tree.Dev("label.prn");
    std::ofstream(path, std::ios::binary) << data;
    SettingsRecord record;
    const PrintResult result = PrintRunOperation(record, connection, queue).SendFile(path);
    EXPECT_EQ(result.code, kOperationOk);
    EXPECT_EQ(services.rawJobBytes, data);
    EXPECT_EQ(services.rawJobPrinter, u"Label");
}

} // namespace
} // namespace qm

// The fault matrix: every printer operation of the shared operations layer against every fault
// the simulator (or the system) can produce, over TCP and over a pseudo-terminal used as a COM
// port. Each cell must end within the time-outs the connection states, with the operation's
// code (the numbered message the window shows, the exit status the command line derives), and
// leave the settings record as the operation describes. The table is kept in
// docs/reliability.md.
#include "connection/ConnectionTestSupport.h"

#include "SimHarness.h"
#include "discovery/SystemPortServices.h"
#include "operations/PrintRunOperation.h"
#include "operations/ReceiveOperation.h"
#include "operations/SendOperation.h"
#include "operations/SensorAdjustmentOperation.h"
#include "platform/Encoding.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qm {
namespace {

enum class Transport { kTcp, kPty };

enum class Fault {
    kNone,
    kDelay,    // every reply 1.5 s late
    kTrickle,  // every reply in pieces of 64 bytes, 30 ms apart
    kSilent,   // never answers
    kDrop,     // the connection (or the line) ends after 40 reply bytes: over TCP the peer
               // closes; on a serial line the data just stops, so the short status reply and
               // the start of the unterminated counters reply are taken as they came
    kStray1,   // one stray byte before every reply
    kStray2,   // two stray bytes before every reply
    kNoEnd,    // terminated replies without their END line
    kOversize, // terminated replies beyond the 4096-byte buffer
    kRefused,  // TCP: nothing listens; pty: the link's terminal has closed
    kPortGone, // TCP: no host at the address; pty: no device node
};

enum class Operation {
    kReceiveEasy,
    kReceiveStandard,
    kReceiveAdvanced,
    kReceiveInformation,
    kReceiveAll,
    kSend,
    kSensorAdjustment, // SensorAdjustmentOperation::Run of the Media Sensor choice
    kSelfPrint,        // PrintRunOperation::PrintTest(kSelfTest): the STANDARD request, then
                       // the command of the language it names on the same connection
    kFileTransfer,     // PrintRunOperation::SendFile of a small file: nothing is read back
};

constexpr size_t kColumns = 9;

constexpr int kOk = kOperationOk;
constexpr int kOpen = kCodeOpenFailed;
constexpr int kData = kCodeAcquisitionFailed;

struct Row {
    Fault fault;
    const char* name;
    const char* simulatorOption; // nullptr: no simulator option
    // The code of each operation, in the order of Operation, over TCP and over the pty.
    std::array<int, kColumns> tcp;
    std::array<int, kColumns> pty;
};

// One row per fault; columns: receive EASY, STANDARD, ADVANCED, INFORMATION, ALL, send, sensor
// adjustment, self print, file transfer.
// clang-format off
const Row kRows[] = {
    {Fault::kNone, "none", nullptr, {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}, {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}},
    {Fault::kDelay, "delay", "--delay-ms=1500", {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}, {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}},
    {Fault::kTrickle, "trickle", "--trickle=64:30", {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}, {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}},
    {Fault::kSilent, "silent", "--silent", {kData, kData, kData, kData, kData, kOk, kData, kData, kOk}, {kData, kData, kData, kData, kData, kOk, kData, kData, kOk}},
    {Fault::kDrop, "drop", "--drop-after=40", {kData, kData, kData, kData, kData, kOk, kOk, kData, kOk}, {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}},
    {Fault::kStray1, "stray bytes 1", "--stray-bytes=1", {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}, {kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk, kOk}},
    {Fault::kStray2, "stray bytes 2", "--stray-bytes=2", {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}, {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}},
    {Fault::kNoEnd, "no end", "--no-end", {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}, {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}},
    {Fault::kOversize, "oversize", "--oversize", {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}, {kData, kData, kData, kOk, kData, kOk, kOk, kData, kOk}},
    {Fault::kRefused, "connection refused", nullptr, {kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen}, {kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen}},
    {Fault::kPortGone, "port gone", nullptr, {kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen}, {kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen, kOpen}},
};
// clang-format on

constexpr std::array<Operation, kColumns> kOperations = {
    Operation::kReceiveEasy,        Operation::kReceiveStandard, Operation::kReceiveAdvanced,
    Operation::kReceiveInformation, Operation::kReceiveAll,      Operation::kSend,
    Operation::kSensorAdjustment,   Operation::kSelfPrint,       Operation::kFileTransfer,
};

const char* OperationName(Operation operation) {
    switch (operation) {
    case Operation::kReceiveEasy:
        return "receive EASY";
    case Operation::kReceiveStandard:
        return "receive STANDARD";
    case Operation::kReceiveAdvanced:
        return "receive ADVANCED";
    case Operation::kReceiveInformation:
        return "receive INFORMATION";
    case Operation::kReceiveAll:
        return "receive ALL";
    case Operation::kSend:
        return "send";
    case Operation::kSensorAdjustment:
        return "sensor adjustment";
    case Operation::kSelfPrint:
        return "self print";
    case Operation::kFileTransfer:
        return "file transfer";
    }
    return "?";
}

ReceiveScope ScopeOf(Operation operation) {
    switch (operation) {
    case Operation::kReceiveEasy:
        return ReceiveScope::kEasy;
    case Operation::kReceiveStandard:
        return ReceiveScope::kStandard;
    case Operation::kReceiveAdvanced:
        return ReceiveScope::kAdvanced;
    case Operation::kReceiveInformation:
        return ReceiveScope::kInformation;
    default:
        return ReceiveScope::kAll;
    }
}

std::string SimulatorPath() {
    const char* dir = std::getenv("QM_BINARY_DIR");
    return std::string(dir != nullptr ? dir : ".") + "/tools/printer-sim/quillmark-printer-sim";
}

// The longest a cell may take, from the stated time-outs: per connection (one per request
// kind; a self print has two, a file transfer one) the echo (0.5 s), the connect (5 s), the
// drain (2 s), the write (5 s) and the read (silent: three waits of 1 s and two pauses over
// TCP, 5 s on COM; a sensor adjustment three waits of 10 s and two pauses, 10 s on COM; a
// trickle at most 10 s after its first byte), doubled for a machine under load. Never a speed
// target.
constexpr int kReadMs = 3200;
constexpr int kSensorReadMs = 30200;
std::chrono::milliseconds Bound(size_t connections, int readMs = kReadMs) {
    const int perConnectionMs = 500 + 5000 + 2000 + 5000 + readMs + 10000;
    return std::chrono::milliseconds(2 * perConnectionMs * static_cast<int>(connections));
}

using Cell = std::tuple<Transport, size_t /*row*/>;

class FaultMatrix : public ::testing::TestWithParam<Cell> {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(SimulatorPath())) {
            GTEST_SKIP() << "the printer simulator is not built";
        }
    }
};

TEST_P(FaultMatrix, EveryOperationEndsWithItsCode) {
    const auto [transport, rowIndex] = GetParam();
    const Row& row = kRows[rowIndex];
    test::FakeDeviceTree tree;
    const std::string link = tree.Dev("ttyS1"); // COM2:
    std::vector<std::string> args = {"--model", "0"};
    if (transport == Transport::kTcp) {
        args.insert(args.end(), {"--tcp", "127.0.0.1:0"});
    } else {
        args.insert(args.end(), {"--pty", "--link", link});
    }
    if (row.simulatorOption != nullptr) {
        const std::string option = row.simulatorOption;
        const size_t equals = option.find('=');
        args.push_back(option.substr(0, equals));
        if (equals != std::string::npos) {
            args.push_back(option.substr(equals + 1));
        }
    }
    auto simulator = std::make_unique<simtest::SimProcess>(args);
    ASSERT_TRUE(simulator->Ready());

    StaticInterfaceSettings settings;
    if (transport == Transport::kTcp) {
        settings.portType = kPortNet;
        settings.portName = row.fault == Fault::kPortGone ? u"192.0.2.1" : u"127.0.0.1";
        settings.portNumber = U16(std::to_string(simulator->TcpPort()));
    } else {
        settings.portType = kPortCom;
        settings.portName = u"COM2:";
    }
    if (row.fault == Fault::kRefused) {
        simulator->Stop(SIGKILL); // TCP: nothing listens; pty: the terminal is gone
        simulator.reset();
    } else if (row.fault == Fault::kPortGone && transport == Transport::kPty) {
        std::filesystem::remove(link);
    }

    // The print file of the file transfer column: a small label, the same for every cell.
    simtest::TempDir scratch;
    const std::string printFile = scratch.Path("label.prn");
    const std::string printData = "^XA^FO20,20^A0N,30,30^FDfault matrix^FS^XZ\n";
    std::ofstream(printFile, std::ios::binary) << printData;

    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    SettingsParser parser;
    const std::array<int, kColumns>& expected = transport == Transport::kTcp ? row.tcp : row.pty;
    for (size_t column = 0; column < kOperations.size(); ++column) {
        const Operation operation = kOperations[column];
        SCOPED_TRACE(std::string(row.name) + " / " + OperationName(operation) +
                     (transport == Transport::kTcp ? " / TCP" : " / pty"));
        SettingsRecord record;
        int code = kOperationOk;
        size_t connections = 1;
        int readMs = kReadMs;
        const auto start = std::chrono::steady_clock::now();
        if (operation == Operation::kSend) {
            record.Item(entry::kPrintSpeed) = {1, u"4 IPS", u"", 0, 2, 0};
            const SettingsRecord before = record;
            code =
                SendOperation::Send(u"PRINT SPEED\t:\t4 IPS\r\nEND\r\n", connection, settings).code;
            // A send changes nothing in the record, whatever happened on the way.
            EXPECT_TRUE(record.items == before.items);
        } else if (operation == Operation::kSensorAdjustment) {
            readMs = kSensorReadMs;
            const SettingsOptions options = SettingsOptions::For(0, false, false);
            SettingsParser sensorParser(options);
            const ConfigurationWriter writer(options);
            SensorAdjustmentOperation adjustment(record, writer, sensorParser);
            SensorAdjustmentOperation::TickChoices(record, SensorChoices{}, options);
            const BuiltConfiguration built = adjustment.Build();
            ASSERT_EQ(built.code, kOperationOk);
            const SensorAdjustmentResult result = adjustment.Run(built.text, connection, settings);
            code = result.code;
            // The simulator's calibration succeeds: a run that read an answer must say so.
            if (result.Ok()) {
                EXPECT_EQ(result.outcome, CalibrationOutcome::kSucceeded) << result.reply;
            }
            // The record goes back to its defaults once the command went out, and only then.
            bool anyTicked = false;
            for (const SettingValue& item : record.items) {
                anyTicked = anyTicked || item.ticked != 0;
            }
            EXPECT_EQ(anyTicked, code == kCodeOpenFailed);
        } else if (operation == Operation::kSelfPrint) {
            connections = 2;
            const PrintResult result =
                PrintRunOperation(record, connection, settings).PrintTest(PrintKind::kSelfTest);
            code = result.code;
            // Model 0 names the native language; a print command goes out only after it did.
            if (result.Ok()) {
                EXPECT_EQ(result.emulation, EmulationClass::kNative);
                EXPECT_EQ(result.bytesSent, result.command.size());
                EXPECT_FALSE(result.command.empty());
            } else {
                EXPECT_TRUE(result.command.empty() || code == kCodeTransferFailed);
                EXPECT_EQ(result.bytesSent, 0u);
            }
        } else if (operation == Operation::kFileTransfer) {
            const PrintResult result =
                PrintRunOperation(record, connection, settings).SendFile(printFile);
            code = result.code;
            EXPECT_EQ(result.fileBytes, printData.size());
            // Success means the printer accepted every byte; a failure names the bytes it did.
            if (result.Ok()) {
                EXPECT_EQ(result.bytesSent, printData.size());
            } else {
                EXPECT_LT(result.bytesSent, printData.size());
            }
        } else {
            const std::vector<RequestKind> kinds = RequestKindsForScope(ScopeOf(operation));
            connections = kinds.size();
            const ReceiveResult result =
                ReceiveOperation(record, parser, connection, settings).Run(kinds, 0);
            code = result.code;
            // The record holds the menu values of the kinds that came before a failure (all
            // of them when none failed), and nothing else.
            bool menuBefore = false;
            for (RequestKind kind : kinds) {
                if (kind == result.failedKind) {
                    break;
                }
                menuBefore = menuBefore || IsMenuRequestKind(kind);
            }
            bool anyTicked = false;
            for (const SettingValue& item : record.items) {
                anyTicked = anyTicked || item.ticked != 0;
            }
            EXPECT_EQ(anyTicked, menuBefore)
                << "failed kind " << static_cast<int>(result.failedKind.value_or(RequestKind{-1}));
            // The keys and passwords are never kept from a receive that reached them.
            EXPECT_EQ(record.Item(entry::kWlanPsk).ticked, 0);
        }
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(code, expected[column]);
        EXPECT_LE(took, Bound(connections, readMs));
        EXPECT_EQ(connection.Kind(), kPortNone); // nothing stays open after an operation
        std::printf("cell %s | %s | %s | code %d | %lld ms\n",
                    transport == Transport::kTcp ? "TCP" : "pty", row.name,
                    OperationName(operation), code,
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    }
}

std::string CellName(const ::testing::TestParamInfo<Cell>& info) {
    std::string name = std::get<0>(info.param) == Transport::kTcp ? "Tcp_" : "Pty_";
    for (const char* c = kRows[std::get<1>(info.param)].name; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix,
                         ::testing::Combine(::testing::Values(Transport::kTcp, Transport::kPty),
                                            ::testing::Range(size_t{0}, std::size(kRows))),
                         CellName);

} // namespace
} // namespace qm

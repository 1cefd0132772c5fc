// The readable output of the printer commands: settings grouped as the pages group them with
// their captions, the decoded status and counters, a printer's bytes escaped, colour and the
// progress line only on a terminal.
#include "cli/CliFolderTest.h"
#include "cli/CliRun.h"
#include "cli/ProgressLine.h"
#include "connection/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qm {
namespace {

using test::RunCli;

class ReadableOutput : public test::CliFolderTest {};

const std::string kMarker("~!!\r\n\x02\x1b~A\r\n", 11);

// A model 0 printer with a Print Speed and a network name the model does not take, and a
// serial number carrying an escape sequence that would retitle a terminal.
std::string PrinterAnswer(const std::string& request) {
    if (request.find("SEND MACHINE INFO") != std::string::npos) {
        return kMarker + "Model Number\t:\tVexa Alder\r\nEmulation\t:\tCODE_KORVANE\r\nEND\r\n";
    }
    if (request.find("SEND CONFIG\t:\tALL") != std::string::npos) {
        return kMarker + "PRINT SPEED\t:\t19 IPS\r\nPRINT DARKNESS\t:\t12\r\n"
                         "CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH\r\nFUNCTION SELECT\t:\tTEAR\r\n"
                         "WLAN SSID\t:\tlab\x1b]0;owned\x07\r\nEND\r\n";
    }
    if (request.find("SERIAL NUMBER CHECK:") != std::string::npos) {
        return "Serial Number : QM42\x1b]0;owned\x07\r\nPrint Counter Length 12.5 m\r\n"
               "Service Counter Length 3.0 m\r\nCut Counter 7\r\n";
    }
    return "NYNNNNNN\r"; // the status: paper error
}

TEST_F(ReadableOutput, ReceiveGroupsTheSettingsAndDecodesStatusAndCounters) {
    test::PrinterServer printer(PrinterAnswer);
    const std::string net = "127.0.0.1:" + std::to_string(printer.Port());
    const test::CliRun run = RunCli({"receive", "--net", net, "--language", "en"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Printer Model              Vexa Alder (model 0)\n"
                       "\n"
                       "Page Setup\n"
                       "  Print Speed              (invalid)\n"
                       "  Print Darkness           12\n"
                       "  Continuous Media Length  4.00 INCH\n"
                       "\n"
                       "After Print Setup\n"
                       "  Function Select          TEAR\n"
                       "\n"
                       "Option Interface Menu\n"
                       "  WLAN SSID                (invalid)\n"
                       "\n"
                       "DMX/ZPL Printer Status\n"
                       "  Paper Error              Yes\n"
                       "  Ribbon Error             No\n"
                       "  Printing                 No\n"
                       "  Pause                    No\n"
                       "  Waiting for peeling      No\n"
                       "\n"
                       "Printer Information\n"
                       "  Serial Number            QM42\\x1b]0;owned\\x07\n"
                       "  Print Counter            12.5 m\n"
                       "  Service Counter          3.0 m\n"
                       "  Cut Counter              7\n");

    // --all lists the model's other settings, unreported, in the same groups.
    const test::CliRun all = RunCli({"receive", "--net", net, "--language", "en", "--all"});
    EXPECT_NE(all.out.find("\n  Darkness Adjust              -\n"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("\nFactory Mode\n"), std::string::npos);

    // On a terminal the headings and the faults are coloured; the printer's bytes stay escaped.
    const test::CliRun coloured =
        RunCli({"receive", "--net", net, "--language", "en"}, cli::TerminalStyle{true, true});
    EXPECT_NE(coloured.out.find("\x1b[1mPage Setup\x1b[0m"), std::string::npos);
    EXPECT_NE(coloured.out.find("\x1b[31mYes\x1b[0m"), std::string::npos);
    EXPECT_EQ(coloured.out.find("\x1b]"), std::string::npos);
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
}

TEST_F(ReadableOutput, CaptionsInTheInterfaceLanguageKeepTheValuesInOneColumn) {
    const std::string reply = dir_ + "/status.bin";
    std::ofstream(reply) << "07\r\n";
    const test::CliRun run =
        RunCli({"status", "--decode", reply, "--form", "2", "--language", "ja"});
    ASSERT_EQ(run.status, 0) << run.err;
    // Each of the Japanese caption's characters takes two cells.
    EXPECT_EQ(run.out, "EPL プリンタステータス\n"
                       "  エラーコード  07  用紙切れ／リボン切れ\n");
}

TEST_F(ReadableOutput, InspectSaysWhichModelItAssumed) {
    const std::string file = dir_ + "/a.prn";
    std::ofstream(file, std::ios::binary) << kMarker << "PRINT SPEED\t:\t4 IPS\r\nEND\r\n";
    const test::CliRun assumed = RunCli({"inspect", file, "--language", "en"});
    ASSERT_EQ(assumed.status, 0) << assumed.err;
    EXPECT_EQ(assumed.out.substr(0, assumed.out.find('\n')),
              "Printer Model  Vexa Alder (model 0) - assumed; give --model for another");
    const test::CliRun given = RunCli({"inspect", file, "--model", "2", "--language", "en"});
    EXPECT_EQ(given.out.find("assumed"), std::string::npos) << given.out;
}

TEST(ProgressLine, DrawsOnlyOnATerminalAndWipesItselfAtTheEnd) {
    std::ostringstream pipe;
    {
        cli::ProgressLine progress(pipe, false, "send", 2);
        progress.Finished(true);
    }
    EXPECT_EQ(pipe.str(), "");

    std::ostringstream terminal;
    {
        cli::ProgressLine progress(terminal, true, "send", 2);
        progress.Finished(true);
        progress.Finished(false);
        progress.Stop();
    }
    const std::string drawn = terminal.str();
    EXPECT_EQ(drawn.rfind("\r\x1b[Ksend  0/2  ok 0  failed 0  0.0 s", 0), 0u) << drawn;
    EXPECT_TRUE(drawn.ends_with("\r\x1b[K")) << drawn; // the last thing drawn wipes the line
}

} // namespace
} // namespace qm

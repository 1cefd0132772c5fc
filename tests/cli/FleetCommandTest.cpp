// The fleet commands run in-process: they write to the streams they are given, word their
// failures as every command does, and never pass a fleet file's control characters to a
// terminal.

#include "cli/CliFolderTest.h"
#include "cli/CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qm::test {
namespace {

const std::string kLeadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);

class FleetCommand : public CliFolderTest {};

bool HasControl(const std::string& text) {
    for (unsigned char c : text) {
        if ((c < 0x20 && c != '\n') || c == 0x7F) {
            return true;
        }
    }
    return false;
}

TEST_F(FleetCommand, AMissingFleetFileIsOneLineOnTheErrorStream) {
    const CliRun run = RunCli({"fleet", "check", Path("none.toml"), "--db", Path("f.sqlite")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("quillmark-cli fleet check: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("nothing sent"), std::string::npos) << run.err;
}

// A group name with a screen clear and a bell (TOML escapes) reaches the readable report
// escaped and the JSON report as it is; the printer (nothing listens there) is unreachable.
TEST_F(FleetCommand, AFleetFilesControlCharactersAreEscapedInTheReport) {
    WriteFile(Path("base.prn"), kLeadIn + "PRINT DARKNESS\t:\t10\r\nEND\r\n");
    WriteFile(Path("fleet.toml"),
              "[fleet]\nname = \"t\"\n[[group]]\nname = \"dock\\u001b[2J\\u0007\"\n"
              "baseline = \"base.prn\"\nprinters = [\"127.26." +
                  std::to_string(1 + ::getpid() % 250) + ".9:24399\"]\n");
    const CliRun readable =
        RunCli({"fleet", "check", Path("fleet.toml"), "--db", Path("f.sqlite")});
    EXPECT_EQ(readable.status, 3) << readable.out << readable.err;
    EXPECT_NE(readable.out.find("dock\\x1b[2J\\x07"), std::string::npos) << readable.out;
    EXPECT_FALSE(HasControl(readable.out + readable.err));

    const CliRun json =
        RunCli({"fleet", "check", Path("fleet.toml"), "--db", Path("f.sqlite"), "--json"});
    EXPECT_EQ(json.status, 3);
    const nlohmann::json report = nlohmann::json::parse(json.out);
    EXPECT_EQ(report["results"][0]["group"], "dock\x1b[2J\x07");
    EXPECT_EQ(report["results"][0]["result"], "unreachable");
}

} // namespace
} // namespace qm::test

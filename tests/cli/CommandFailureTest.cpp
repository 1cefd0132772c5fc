// The printer commands word their early failures alike: one line "quillmark-cli COMMAND:
// MESSAGE" on standard error, nothing on standard output and the exit status of the failure,
// before any printer is contacted.

#include "cli/CliFolderTest.h"
#include "cli/CliRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

namespace qm::test {
namespace {

const std::string kLeadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);

class CommandFailure : public CliFolderTest {};

// An address nothing listens on: none of these runs may get as far as connecting.
const std::string kUnusedTarget = "127.0.0.1:9";

// The command line of each printer command up to its interface and model options.
struct Command {
    std::string name;
    std::vector<std::string> args; // what goes before --net and --model
};

std::vector<Command> PrinterCommands(const std::string& file) {
    return {
        {"calibrate", {"calibrate"}}, {"print", {"print", "--self-test"}},
        {"status", {"status"}},       {"selfinfo", {"selfinfo"}},
        {"diff", {"diff", file}},     {"receive", {"receive"}},
        {"send", {"send", file}},
    };
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

void ExpectFailure(const CliRun& r, int status, const std::string& line) {
    EXPECT_EQ(r.status, status) << r.err;
    EXPECT_EQ(r.err, line);
    EXPECT_TRUE(r.out.empty()) << r.out;
}

TEST_F(CommandFailure, ModelAndInterfaceFailuresNameTheCommand) {
    const std::string file = Path("good.prn");
    ASSERT_TRUE(WriteFile(file, kLeadIn + "PRINT SPEED\t:\t6 IPS\r\nEND\r\n"));
    for (const Command& c : PrinterCommands(file)) {
        SCOPED_TRACE(c.name);
        ExpectFailure(RunCli(With(c.args, {"--net", kUnusedTarget, "--model", "38"})), 2,
                      "quillmark-cli " + c.name +
                          ": unknown model \"38\" (give 0-37 or a display name)\n");
        ExpectFailure(RunCli(With(c.args, {"--net", "127.0.0.1:0", "--model", "0"})), 2,
                      "quillmark-cli " + c.name + ": --net: \"0\" is not a TCP port (1-65535)\n");
        ExpectFailure(RunCli(With(c.args, {"--com", "COM1", "--serial", "9600 8 1"})), 2,
                      "quillmark-cli " + c.name +
                          ": --serial needs five valid fields separated by single blanks: baud, "
                          "data bits, stop bits 1/1.5/2, parity N/O/E, flow H/X/N, e.g. \"9600 8 "
                          "1 N X\"\n");
    }
    // inspect reads a file and resolves the same --model.
    ExpectFailure(RunCli({"inspect", "--json", file, "--model", "Nope"}), 2,
                  "quillmark-cli inspect: unknown model \"Nope\" (give 0-37 or a display name)\n");
}

TEST_F(CommandFailure, UnreadableSettingsFilesAreRefusedAlike) {
    const std::string noLeadIn = Path("plain.prn");
    ASSERT_TRUE(WriteFile(noLeadIn, "PRINT SPEED\t:\t6 IPS\r\nEND\r\n"));
    const std::string large = Path("large.prn");
    ASSERT_TRUE(WriteFile(large, kLeadIn + std::string(5000, 'x')));
    const std::string missing = Path("missing.prn");
    for (const std::string command : {"diff", "send"}) {
        SCOPED_TRACE(command);
        const std::string lead = "quillmark-cli " + command + ": cannot read ";
        ExpectFailure(RunCli({command, noLeadIn, "--net", kUnusedTarget}), 2,
                      lead + noLeadIn +
                          ": the file does not begin with a lead-in line; not a settings file\n");
        ExpectFailure(RunCli({command, large, "--net", kUnusedTarget}), 2,
                      lead + large +
                          ": the file is too large: a settings text must fit the 4096-byte send "
                          "buffer\n");
        ExpectFailure(RunCli({command, missing, "--net", kUnusedTarget}), 2,
                      lead + missing + ": cannot open the file: No such file or directory\n");
    }
}

TEST_F(CommandFailure, AReceiveWaitsForNoOtherReceive) {
    const std::string file = Path("good.prn");
    ASSERT_TRUE(WriteFile(file, kLeadIn + "PRINT SPEED\t:\t6 IPS\r\nEND\r\n"));
    // The lock the window and every receive take, held here as another receive would hold it.
    const int fd = ::open(Path("mtx_recv_config.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    for (const Command& c : PrinterCommands(file)) {
        if (c.name != "status" && c.name != "selfinfo" && c.name != "diff" && c.name != "receive") {
            continue; // no receive
        }
        SCOPED_TRACE(c.name);
        ExpectFailure(RunCli(With(c.args, {"--net", kUnusedTarget})), 5,
                      "quillmark-cli " + c.name + ": another receive is running\n");
    }
    ::close(fd);
}

} // namespace
} // namespace qm::test

// Every program answers --help and --version, without a display, and the window refuses what
// it does not know instead of opening anyway.
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

namespace qm::test {
namespace {

// No display of any kind: a program that looked for one would fail here.
const char kNoDisplay[] = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";

struct Program {
    std::string name;
    std::string path;
};

std::vector<Program> Programs() {
    std::vector<Program> programs = {{"quillmark-cli", QM_CLI_PATH},
                                     {"quillmark-printer-sim", QM_SIM_PATH}};
#ifdef QM_WINDOW_PATH
    programs.push_back({"quillmark", QM_WINDOW_PATH});
#endif
    return programs;
}

TEST(ProgramOptions, EveryProgramAnswersVersionAndHelpWithoutADisplay) {
    for (const Program& program : Programs()) {
        const ProgramRun version =
            RunCommand(kNoDisplay + ShellQuoted(program.path) + " --version");
        EXPECT_EQ(version.status, 0) << program.name << ": " << version.err;
        EXPECT_EQ(version.out, program.name + " " QM_PROJECT_VERSION "\n");

        // -h stands for --help everywhere; the text begins with the usage line.
        for (const char* option : {" --help", " -h"}) {
            const ProgramRun help = RunCommand(kNoDisplay + ShellQuoted(program.path) + option);
            EXPECT_EQ(help.status, 0) << program.name << option << ": " << help.err;
            EXPECT_NE(help.out.find("Usage: "), std::string::npos) << program.name << option;
            EXPECT_NE(help.out.find("--version"), std::string::npos) << program.name << option;
            EXPECT_EQ(help.err, "") << program.name << option;
        }
    }
}

#ifdef QM_WINDOW_PATH
TEST(ProgramOptions, WindowRefusesArgumentsItDoesNotKnowBeforeOpening) {
    const std::string window = "QT_QPA_PLATFORM=offscreen " + ShellQuoted(QM_WINDOW_PATH);
    ProgramRun run = RunCommand(window + " --verison");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("quillmark: unknown option '--verison' (see quillmark --help)"),
              std::string::npos)
        << run.err;
    run = RunCommand(window + " settings.prn");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unexpected argument 'settings.prn'"), std::string::npos) << run.err;
    // --help wins wherever it stands, also after an argument that would be refused.
    run = RunCommand(window + " settings.prn --help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage: quillmark"), std::string::npos);
}
#endif

TEST(ProgramOptions, CliAndSimulatorRefuseUnknownOptions) {
    ProgramRun run = RunCommand(ShellQuoted(QM_CLI_PATH) + " --verison");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    run = RunCommand(ShellQuoted(QM_SIM_PATH) + " --verison");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown option '--verison'"), std::string::npos) << run.err;
}

} // namespace
} // namespace qm::test

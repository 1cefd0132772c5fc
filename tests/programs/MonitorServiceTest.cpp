// The monitor's systemd units and the documented alert rules, checked with the tools that read
// them (systemd-analyze, promtool) where they are installed.
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace qm::test {
namespace {

bool HaveTool(const std::string& tool) {
    return RunCommand("command -v " + tool).status == 0;
}

std::string Read(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Copies a unit into `dir` with its program path pointed at the built quillmark-cli.
std::string UnitCopy(const std::string& dir, const std::string& source, const std::string& from) {
    std::string text = Read(source);
    const std::string cli = QM_CLI_PATH;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), cli);
        at += cli.size();
    }
    const std::string path = dir + "/" + std::filesystem::path(source).filename().string();
    std::ofstream(path) << text;
    return path;
}

TEST(MonitorService, UnitsAndAlertRulesAreValid) {
    const std::string source = QM_SOURCE_DIR;
    if (HaveTool("systemd-analyze")) {
        const std::string dir = std::filesystem::temp_directory_path().string() + "/qm-units-" +
                                std::to_string(::getpid());
        std::filesystem::create_directories(dir);
        std::string monitor =
            UnitCopy(dir, source + "/packaging/systemd/quillmark-monitor.service.in",
                     "@QM_BINDIR@/quillmark-cli");
        std::filesystem::rename(monitor, dir + "/quillmark-monitor.service");
        const std::string check =
            UnitCopy(dir, source + "/docs/monitoring/quillmark-fleet-check.service",
                     "/usr/bin/quillmark-cli");
        const std::string timer = UnitCopy(
            dir, source + "/docs/monitoring/quillmark-fleet-check.timer", "/usr/bin/quillmark-cli");
        const ProgramRun verify = RunCommand("systemd-analyze verify --man=no " +
                                             ShellQuoted(dir + "/quillmark-monitor.service") + " " +
                                             ShellQuoted(timer) + " " + ShellQuoted(check));
        std::filesystem::remove_all(dir);
        EXPECT_EQ(verify.status, 0) << verify.out << verify.err;
        // An unknown key or section is only a warning: none may be there either.
        EXPECT_EQ(verify.out + verify.err, "");
    }
    if (!HaveTool("promtool")) {
        GTEST_SKIP() << "promtool missing (scripts/setup installs prometheus)";
    }
    const ProgramRun rules = RunCommand(
        "promtool check rules " + ShellQuoted(source + "/docs/monitoring/quillmark-alerts.yml"));
    EXPECT_EQ(rules.status, 0) << rules.out << rules.err;
    EXPECT_NE(rules.out.find("SUCCESS: 4 rules found"), std::string::npos) << rules.out;
}

} // namespace
} // namespace qm::test

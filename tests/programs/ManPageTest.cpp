// The man pages (docs/man/*.scd) against the options each program's --help shows: a new option
// or subcommand without its man page entry fails here, and so does an entry for one that went.
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace qm::test {
namespace {

using Options = std::set<std::string>;

// One "# TITLE" or "## title" section of a man page source and its lines.
struct Section {
    int level = 0;
    std::string title;
    std::vector<std::string> lines;
};

std::vector<Section> ReadSections(const std::string& program) {
    std::ifstream in(std::string(QM_SOURCE_DIR) + "/docs/man/" + program + ".1.scd");
    EXPECT_TRUE(in.good()) << "no man page source for " << program;
    std::vector<Section> sections(1);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# ", 0) == 0 || line.rfind("## ", 0) == 0) {
            const size_t level = line.find(' ');
            sections.push_back({static_cast<int>(level), line.substr(level + 1), {}});
        } else {
            sections.back().lines.push_back(line);
        }
    }
    return sections;
}

// The long options a definition line names ("*--net* _HOST_", "*-o*, *--output* _OUT_").
Options DefinedOptions(const std::vector<std::string>& lines) {
    static const std::regex option("--[a-z][a-z0-9-]*");
    Options found;
    for (const std::string& line : lines) {
        if (line.rfind("*-", 0) != 0) {
            continue;
        }
        for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it) {
            found.insert(it->str());
        }
    }
    return found;
}

// The long options a --help text lists: the leading option names of its indented lines
// ("  -o,--output TEXT  ...", "  --paper-out --ribbon-out", "  -h, --help").
Options HelpOptions(const std::string& help) {
    Options found;
    for (const std::string& line : Lines(help)) {
        std::istringstream words(line);
        if (line.find_first_not_of(' ') == 0 || line.find_first_not_of(' ') == std::string::npos) {
            continue;
        }
        for (std::string word; words >> word && word.front() == '-';) {
            std::istringstream names(word);
            for (std::string name; std::getline(names, name, ',');) {
                if (name.rfind("--", 0) == 0) {
                    found.insert(name);
                }
            }
        }
    }
    return found;
}

std::string Help(const std::string& program, const std::string& command = "") {
    const ProgramRun run =
        RunCommand(ShellQuoted(program) + (command.empty() ? "" : " " + command) + " --help");
    EXPECT_EQ(run.status, 0) << program << " " << command << " --help: " << run.err;
    return run.out;
}

std::string Joined(const Options& options) {
    std::string text;
    for (const std::string& o : options) {
        text += o + " ";
    }
    return text;
}

// The subcommand names under "Subcommands:" in quillmark-cli --help.
std::vector<std::string> CliCommands() {
    std::vector<std::string> commands;
    bool inList = false;
    for (const std::string& line : Lines(Help(QM_CLI_PATH))) {
        if (line == "Subcommands:") {
            inList = true;
        } else if (inList && line.rfind("  ", 0) == 0) {
            commands.push_back(line.substr(2, line.find(' ', 2) - 2));
        } else if (inList) {
            inList = false;
        }
    }
    return commands;
}

TEST(ManPages, CliHasOneSectionPerCommandWithExactlyItsOptions) {
    const std::vector<Section> sections = ReadSections("quillmark-cli");
    const std::vector<std::string> commands = CliCommands();
    ASSERT_GE(commands.size(), 4u);

    Options shared;
    for (const Section& s : sections) {
        if (s.level == 1 && s.title == "INTERFACE OPTIONS") {
            shared = DefinedOptions(s.lines);
        }
        if (s.level == 1 && s.title == "OPTIONS") {
            EXPECT_EQ(DefinedOptions(s.lines), HelpOptions(Help(QM_CLI_PATH)))
                << "the OPTIONS section and quillmark-cli --help differ";
        }
    }
    EXPECT_TRUE(shared.count("--net") && shared.count("--com") && shared.count("--serial"));

    Options sharedUsed;
    std::set<std::string> documented;
    for (const Section& s : sections) {
        if (s.level != 2) {
            continue;
        }
        documented.insert(s.title);
        // "fleet check": a command of a command; its first word must be one of the program's.
        const std::string command = s.title.substr(0, s.title.find(' '));
        if (std::find(commands.begin(), commands.end(), command) == commands.end()) {
            ADD_FAILURE() << "the man page documents \"" << s.title
                          << "\", which quillmark-cli does not have";
            continue;
        }
        Options help = HelpOptions(Help(QM_CLI_PATH, s.title));
        help.erase("--help");
        const Options page = DefinedOptions(s.lines);
        for (const std::string& option : help) {
            if (shared.count(option)) {
                sharedUsed.insert(option);
            } else {
                EXPECT_TRUE(page.count(option))
                    << s.title << " " << option << " is not in the man page";
            }
        }
        for (const std::string& option : page) {
            EXPECT_TRUE(help.count(option))
                << "the man page gives " << s.title << " " << option << ", which it does not take";
        }
    }
    for (const std::string& command : commands) {
        EXPECT_TRUE(documented.count(command)) << "no man page section for " << command;
    }
    EXPECT_EQ(sharedUsed, shared) << "INTERFACE OPTIONS no command takes: " << Joined(shared);
}

TEST(ManPages, SimulatorAndWindowPagesGiveExactlyTheirOptions) {
    std::vector<std::pair<std::string, std::string>> programs = {
        {"quillmark-printer-sim", QM_SIM_PATH}};
#ifdef QM_WINDOW_PATH
    programs.emplace_back("quillmark", QM_WINDOW_PATH);
#endif
    for (const auto& [name, path] : programs) {
        Options page;
        for (const Section& s : ReadSections(name)) {
            const Options defined = DefinedOptions(s.lines);
            page.insert(defined.begin(), defined.end());
        }
        const Options help = HelpOptions(Help(path));
        EXPECT_GE(help.size(), 2u) << name;
        EXPECT_EQ(Joined(page), Joined(help)) << name << ": the man page and --help differ";
    }
}

} // namespace
} // namespace qm::test

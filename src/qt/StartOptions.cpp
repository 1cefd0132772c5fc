#include "qt/StartOptions.h"

namespace qm::qt {
namespace {

constexpr int kExitUsage = 2;

} // namespace

std::string WindowUsageText() {
    return "Usage: quillmark [--help] [--version] [Qt options]\n"
           "Reads, edits and sends the settings of thermal label printers in a window.\n"
           "\n"
           "  -h, --help            show this text\n"
           "  --version             show the program's version\n"
           "  -platform NAME        Qt's window system (for example offscreen, xcb, wayland)\n"
           "Other standard Qt options (-style, -reverse, ...) are taken too.\n"
           "\n"
           "Installed, it keeps its preferences (Quillmark.ini) and last settings (Recent.dat)\n"
           "in $XDG_CONFIG_HOME/quillmark (default ~/.config/quillmark); run from its build\n"
           "folder, beside the executable; $QUILLMARK_HOME overrides both.\n"
           "See quillmark(1) for the port permissions a printer port needs.\n";
}

std::optional<StartAnswer> AnswerBeforeWindow(const std::vector<std::string>& args) {
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            return StartAnswer{0, WindowUsageText(), ""};
        }
        if (args[i] == "--version") {
            return StartAnswer{0, "quillmark " QM_PROJECT_VERSION "\n", ""};
        }
    }
    return std::nullopt;
}

std::optional<StartAnswer> RefuseLeftoverArguments(const std::vector<std::string>& leftover) {
    if (leftover.size() <= 1) {
        return std::nullopt;
    }
    const std::string& arg = leftover[1];
    const bool option = !arg.empty() && arg.front() == '-';
    return StartAnswer{kExitUsage, "",
                       std::string("quillmark: ") +
                           (option ? "unknown option '" : "unexpected argument '") + arg +
                           "' (see quillmark --help)\n"};
}

} // namespace qm::qt

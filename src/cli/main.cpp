#include "cli/CommandRegistry.h"

#include <iostream>

namespace qm::cli {

std::vector<CommandAdder>& Commands() {
    static std::vector<CommandAdder> commands;
    return commands;
}

int& ExitStatus() {
    static int status = 0;
    return status;
}

} // namespace qm::cli

int main(int argc, char** argv) {
    CLI::App app{"quillmark-cli: read, write and send thermal label printer settings"};
    app.set_version_flag("--version", "quillmark-cli " QM_PROJECT_VERSION);
    app.require_subcommand(1);
    for (auto& add : qm::cli::Commands()) {
        add(app);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        // --help, --help-all, --version: the text on standard output, status 0.
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    return qm::cli::ExitStatus();
}

#include "cli/TerminalStyle.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace qm::cli {

TerminalStyle TerminalStyle::OfStandardStreams() {
    const char* term = std::getenv("TERM");
    const bool dumb = term != nullptr && std::strcmp(term, "dumb") == 0;
    TerminalStyle style;
    style.colour = ::isatty(STDOUT_FILENO) == 1 && std::getenv("NO_COLOR") == nullptr && !dumb;
    style.progress = ::isatty(STDERR_FILENO) == 1 && !dumb;
    return style;
}

} // namespace qm::cli

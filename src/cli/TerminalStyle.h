#pragma once

// What the streams of a command run are: whether the output may carry colour and whether a
// progress line may be drawn on the error stream. Both only ever on a terminal: a pipe, a file
// or a test's string stream gets plain text and no progress.

namespace qm::cli {

struct TerminalStyle {
    bool colour = false;   // standard output is a terminal and colour is wanted
    bool progress = false; // standard error is a terminal

    // The style of this process's standard output and error: colour when standard output is
    // a terminal, NO_COLOR is not set (whatever its value) and TERM is not "dumb"; progress
    // when standard error is a terminal.
    static TerminalStyle OfStandardStreams();
};

// The escape sequences the readable output uses, each empty without colour.
class Colour {
public:
    explicit Colour(bool enabled) : enabled_(enabled) {}
    const char* Heading() const { return enabled_ ? "\x1b[1m" : ""; }
    const char* Fault() const { return enabled_ ? "\x1b[31m" : ""; }
    const char* Good() const { return enabled_ ? "\x1b[32m" : ""; }
    const char* Dim() const { return enabled_ ? "\x1b[2m" : ""; }
    const char* Reset() const { return enabled_ ? "\x1b[0m" : ""; }

private:
    bool enabled_;
};

} // namespace qm::cli

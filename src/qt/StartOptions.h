#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm::qt {

// The window's own command line. It takes no arguments besides --help and --version (and Qt's
// standard options such as -platform NAME, which QApplication takes out of the list itself).
// Both are answered before QApplication is made, so they work without a display.
struct StartAnswer {
    int exitCode = 0;
    std::string out; // text for standard output
    std::string err; // text for standard error
};

// --help or -h: the usage text; --version: "quillmark VERSION". Otherwise nothing: the program
// goes on to make its QApplication.
std::optional<StartAnswer> AnswerBeforeWindow(const std::vector<std::string>& args);

// After QApplication took its own options: nothing when no argument is left, else the error
// for the first one (exit status 2).
std::optional<StartAnswer> RefuseLeftoverArguments(const std::vector<std::string>& leftover);

// The --help text.
std::string WindowUsageText();

} // namespace qm::qt

#pragma once

// What the printer commands share before and after their exchange: the failure line
// "quillmark-cli COMMAND: MESSAGE" with the usage exit status, the --model option and its
// resolution, the interface settings, reading a settings file, the receive lock and the report
// of a failed exchange. Every message is printed here once, so the commands word them alike.

#include "cli/ReceiveSendCommon.h"
#include "connection/InterfaceSettingsSource.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace qm {
class InstanceLock;
}

namespace qm::cli {

// "quillmark-cli COMMAND: MESSAGE" on standard error.
void PrintCommandMessage(std::string_view command, std::string_view message);
// The same line; returns kExitUsage for the command to exit with.
int FailCommand(std::string_view command, std::string_view message);

// Adds --model (an index 0-37 or a display name, "0" by default) bound to `model`.
void AddModelOption(CLI::App* command, std::string& model);

// The model of --model; nullopt after the command's "unknown model" line was printed.
std::optional<int> ResolveModelOrFail(std::string_view command, const std::string& text);

// The interface settings of the options, or of the print queue `queue` when it is not empty.
// False after the command's line with BuildInterfaceSettings' message was printed.
bool BuildInterfaceOrFail(std::string_view command, const InterfaceArguments& args,
                          StaticInterfaceSettings& settings, const std::string& queue = {});

// What most printer commands begin with: the model and the interface settings.
struct PrinterTarget {
    int model = 0;
    StaticInterfaceSettings settings;
};
// Both resolved into `target`; false after the first failure was printed (exit with
// kExitUsage).
bool ResolvePrinterTarget(std::string_view command, const std::string& modelText,
                          const InterfaceArguments& args, PrinterTarget& target);

// Reads the settings file `path` into `record` (its modelIndex set beforehand) as the window's
// Import does and refuses invalid items. 0 when it was read; kExitUsage after the command's
// "cannot read" line; kExitInvalidItems after the invalid items and message 23.
int ReadSettingsFileOrFail(std::string_view command, const std::string& path,
                           SettingsRecord& record, SettingsParser& parser);

// Takes the receive lock (one receive at a time, in this program and in the window). False
// after the command's "another receive is running" line (exit with kExitReceiveBusy).
bool AcquireReceiveLockOrFail(std::string_view command, InstanceLock& lock);

// A failed exchange: the operation's message and, for a device this user may not open, the
// permission note, on standard error. Returns kExitPrinter.
int ReportPrinterFailure(int code, const InterfaceSettingsSource& settings);

// Prints a command's JSON result on standard output: two-space indents and a final line break.
// Returns 0, the exit status of a command that printed its result.
int PrintJsonResult(const nlohmann::ordered_json& result);

} // namespace qm::cli

#pragma once

// What `receive` and `send` share: the interface options, the model argument and the
// program's own operation messages on standard error.

#include "connection/InterfaceSettingsSource.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace qm::cli {

// Exit statuses of the printer commands.
inline constexpr int kExitUsage = 2;        // bad arguments or files
inline constexpr int kExitPrinter = 3;      // the exchange with the printer failed
inline constexpr int kExitInvalidItems = 4; // the settings hold invalid or no items
inline constexpr int kExitReceiveBusy = 5;  // another receive is running
// A fleet command ended by a second interrupt exits with this plus the signal's number, as the
// shell reports a program ended by the signal.
inline constexpr int kExitSignalBase = 128;

struct InterfaceArguments {
    std::string net;    // HOST[:PORT]
    std::string com;    // COM3 / COM3: / KORVANE COM3:
    std::string serial; // "9600 8 1 N X" (the stored COM_SET form)
    std::string lpt;    // LPT1 / LPT1:
    std::string usb;    // USB001 / USB_AUTO
};

// Adds --net, --com (with --serial), --lpt and --usb; exactly one interface is required. The
// group is returned so a command can offer a further interface in it (e.g. a print queue).
// With `nets`, --net may be given several times and every value lands there (a fleet).
CLI::Option_group* AddInterfaceOptions(CLI::App* command, InterfaceArguments& args,
                                       std::vector<std::string>* nets = nullptr);

// Turns the options into stored interface settings. False with a message when a value cannot
// be used (empty host, bad TCP port, --serial without five fields, ...).
bool BuildInterfaceSettings(const InterfaceArguments& args, StaticInterfaceSettings& settings,
                            std::string& error);

// Lists on standard error the keys of the ticked items the parser marked ("invalid item:
// KEY"); true when there was one.
bool ReportInvalidItems(const SettingsRecord& record);

// A model index 0-37 or a display name ("(R)" stands for the registered sign).
std::optional<int> ResolveModelArgument(const std::string& text);

// Why a settings file was refused (or could not be read or written), for standard error.
std::string SettingsFileProblem(FileResult result, int error);

// Prints the message(s) of an operation error code (30, 31, 32, 40, 24, ...) in English on
// standard error, exactly as the message boxes show them.
void PrintOperationMessage(int code);
// The same message(s) as one line of text ("code : 30 Open port error."); empty for a code
// without a message.
std::string OperationMessageText(int code);

} // namespace qm::cli

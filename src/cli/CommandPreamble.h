#pragma once

// What every printer command shares before, around and after its exchange: the interface and
// model options and their resolution, the failure line "quillmark-cli COMMAND: MESSAGE" with the
// usage exit status, reading a settings file, the receive (lock, parser, connection and the
// report of a failed exchange) and the JSON result. Every message is printed here once, on the
// command's own streams, so the commands word them alike.

#include "cli/AlignedTable.h"
#include "cli/CommandLine.h"
#include "connection/ConnectionFailure.h"
#include "connection/InterfaceSettingsSource.h"
#include "operations/ReceiveOperation.h"
#include "platform/InstanceLock.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"
#include "text/UiLanguage.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
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

// Adds --model (an index 0-37 or a display name) bound to `model`; left empty, a printer command
// asks the printer which model it is.
void AddModelOption(CLI::App* command, std::string& model);

// Turns the options into stored interface settings. False with a message when a value cannot
// be used (empty host, bad TCP port, --serial without five fields, ...).
bool BuildInterfaceSettings(const InterfaceArguments& args, StaticInterfaceSettings& settings,
                            std::string& error);

// Adds --json: the command's result as JSON instead of readable text.
void AddJsonFlag(CLI::App* command, bool& json);

// Adds --language (en, ja, zh, ko); left empty, the user's locale decides, as in the window.
void AddLanguageOption(CLI::App* command, std::string& language);

// The interface language of --language, or of the user's locale when it is empty.
UiLanguage ResolveLanguage(const std::string& language);

// A model index 0-37 or a display name ("(R)" stands for the registered sign).
std::optional<int> ResolveModelArgument(const std::string& text);

// Why a settings file was refused (or could not be read or written).
std::string SettingsFileProblem(FileResult result, int error);

// The message(s) of an operation error code as one line of text ("code : 30 Open port
// error."); empty for a code without a message.
std::string OperationMessageText(int code);

// What most printer commands begin with: the model and the interface settings.
struct PrinterTarget {
    int model = 0;
    StaticInterfaceSettings settings;
};

// What a receive brought: the record its menu replies were parsed into (for the target's model,
// every entry) and every reply.
struct ReceivedSettings {
    SettingsRecord record;
    ReceiveResult result;
};

// One command's preamble and reports, writing to the command's streams.
class CommandPreamble {
public:
    CommandPreamble(std::string_view command, CommandIo& io);

    std::ostream& Out() { return io_.out; }
    std::ostream& Err() { return io_.err; }
    const TerminalStyle& Style() const { return io_.style; }

    // "quillmark-cli COMMAND: MESSAGE" on the error stream.
    void Message(std::string_view message);
    // The same line; returns kExitUsage for the command to exit with.
    int Fail(std::string_view message);

    // The model of --model; nullopt after the "unknown model" line was printed.
    std::optional<int> ResolveModel(const std::string& text);
    // The interface settings of the options, or of the print queue `queue` when it is not
    // empty. False after the line with BuildInterfaceSettings' message was printed.
    bool BuildInterface(const InterfaceArguments& args, StaticInterfaceSettings& settings,
                        const std::string& queue = {});
    // The model the printer behind `settings` reports (one machine-information exchange).
    // nullopt after the failure was printed, with `status` set to kExitPrinter for a failed
    // exchange or kExitUsage for a reply that names no model or an unknown one.
    std::optional<int> DetectModel(const InterfaceSettingsSource& settings, int& status);
    // The model of `modelText` or, when it is empty, of the printer, and the interface settings,
    // resolved into `target`. 0, or the exit status after the first failure was printed.
    int ResolveTarget(const std::string& modelText, const InterfaceArguments& args,
                      PrinterTarget& target);

    // Reads the settings file `path` into `record` (its modelIndex set beforehand) as the
    // window's Import does and refuses invalid items. 0 when it was read; kExitUsage after the
    // "cannot read" line; kExitInvalidItems after the invalid items and message 23.
    int ReadSettingsFile(const std::string& path, SettingsRecord& record, SettingsParser& parser);

    // Checks that `path` holds a settings text (read, lead-in, end, size) before a printer is
    // asked anything; 0, or kExitUsage after the "cannot read" line.
    int CheckSettingsFile(const std::string& path);

    // Lists the keys of the ticked items the parser marked ("invalid item: KEY"); true when
    // there was one.
    bool ReportInvalidItems(const SettingsRecord& record);
    // The message(s) of an operation error code (30, 31, 32, 40, 24, ...) in English, exactly
    // as the message boxes show them.
    void PrintOperationMessage(int code);
    // A failed exchange: the operation's message, the line that says what happened on the
    // connection and, for a device this user may not open, the permission note. Returns
    // kExitPrinter.
    int ReportPrinterFailure(int code, const InterfaceSettingsSource& settings,
                             const ConnectionFailure& failure = {});

    // The receive of every command that reads from one printer: the receive lock (one receive
    // at a time, in this program and in the window), a parser for the target's model with
    // every entry, a connection of its own, and `kinds` run as the window's Receive runs them.
    // 0 with the replies in `received`; kExitReceiveBusy after the "another receive is
    // running" line; kExitPrinter after the report of a failed exchange (`received` then holds
    // what was answered before the failure). The lock is released when the exchange ends.
    int Receive(const PrinterTarget& target, const std::vector<RequestKind>& kinds, int statusClass,
                ReceivedSettings& received);

    // A readable result on the output stream, coloured when the output is a terminal.
    // Returns 0, as PrintJson does.
    int PrintTable(const AlignedTable& table);

    // The one-line outcome of a command that changes the printer (send, calibrate, print): the
    // message as a line (green or red on a terminal) or, as JSON, {"ok", "message"} and the
    // fields of `details`. Returns `status`.
    int PrintOutcome(bool json, bool ok, const std::string& message, int status,
                     const nlohmann::ordered_json& details = nlohmann::ordered_json::object());

    // A JSON result on the output stream: two-space indents and a final line break. Returns 0,
    // the exit status of a command that printed its result.
    int PrintJson(const nlohmann::ordered_json& result);

private:
    // Takes the receive lock; false after the line that says why it could not.
    bool TakeReceiveLock(InstanceLock& lock);

    std::string_view command_;
    CommandIo& io_;
};

} // namespace qm::cli

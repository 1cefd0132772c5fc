// quillmark-cli send: reads a settings file, refuses it when an item is invalid, and sends the
// configuration of its items (lead-in + text) to a printer, or to a fleet of network printers
// (several --net, a --targets list) up to --jobs at a time. No reply is read.

#include "cli/CommandPreamble.h"
#include "cli/FailureLine.h"
#include "cli/FleetReport.h"
#include "cli/FleetRunner.h"
#include "cli/FleetTargets.h"
#include "cli/InterruptFlag.h"
#include "cli/JsonText.h"
#include "cli/ProgressLine.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/ReceiveOperation.h"
#include "operations/SendOperation.h"
#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"
#include "settings/ModelTable.h"
#include "settings/RecordComparison.h"
#include "settings/SettingsParser.h"
#include "text/TextTable.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace qm::cli {
namespace {

// Measured against 256 loopback printers (bench_scale, 2 cores): 3.4 s at 8, 1.9 s at 16,
// 1.1 s at 32, 0.6 s at 64 with under a fifth of a core, and no faster at 128: the time halves
// with each doubling up to 64 and stops there.
constexpr int kDefaultJobs = 64;
constexpr int kMaxJobs = 256;

struct SendArguments {
    std::string file;
    InterfaceArguments interface;
    std::vector<std::string> nets;        // every --net
    std::vector<std::string> targetFiles; // --targets LIST
    int jobs = kDefaultJobs;
    bool jobsGiven = false;
    bool json = false;
    bool verify = false; // after the send, receive and compare (fleet)
    std::string model;
    bool advanced = false;
    std::string queue; // a print queue: the configuration goes as one raw print job
};

constexpr char kCommand[] = "send";

using SteadyClock = std::chrono::steady_clock;

double SecondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

// What goes to every target: the configuration text and, for --verify, the file's items as
// they were read (only the entries the configuration carries stay ticked).
struct PreparedConfiguration {
    std::u16string text;
    SettingsRecord file;
    SettingsRecord ready; // the send-ready items the configuration was built from
    SettingsOptions options;
};

// The configuration of the file's items, checked as Send Configuration checks it: read the
// file, refuse invalid items, build the printer's form of the ticked items and parse it back.
// 0 with the configuration, or the exit status after the message was printed.
int PrepareConfiguration(CommandPreamble& preamble, const SendArguments& args, int model,
                         PreparedConfiguration& prepared) {
    const SettingsOptions options = SettingsOptions::For(model, false, args.advanced);
    SettingsParser parser(options);
    SettingsRecord& record = prepared.file;
    record.modelIndex = model;
    prepared.options = options;
    if (const int status = preamble.ReadSettingsFile(args.file, record, parser); status != 0) {
        return status;
    }

    // The items as read, for comparing with what a printer reports after the send; the
    // advanced entries count only when they are sent.
    SettingsRecord asRead = record;
    if (!args.advanced) {
        for (int e = SettingsRecord::kStandardEntryCount; e < SettingsRecord::kEntryCount; ++e) {
            asRead.Item(e).ticked = 0;
        }
    }

    // As Send Configuration does: the printer's form of the ticked items, parsed back to
    // catch what the file's values turn into.
    DisplayLists::MakeSendReady(record, options);
    ConfigurationWriter writer(options);
    SendOperation send(record, writer, parser);
    BuiltConfiguration built = send.Build(ConfigurationUse::kPrinter);
    if (built.code == kCodeInvalidItems) {
        preamble.ReportInvalidItems(record);
        preamble.PrintOperationMessage(built.code);
        return kExitInvalidItems;
    }
    if (built.code != kOperationOk) {
        preamble.PrintOperationMessage(built.code);
        return kExitInvalidItems;
    }
    if (FrameForSending(built.text).result != FrameResult::kOk) {
        return preamble.Fail(
            "the configuration does not fit the 4096-byte send buffer; nothing sent");
    }
    prepared.text = std::move(built.text);
    prepared.ready = record;
    prepared.file = std::move(asRead);
    return 0;
}

// The configuration for one printer: as Send Configuration does, a printer asked for RFID
// items that has none gets the configuration without them (and so does the file's record that
// --verify compares with). 0, or the failing check's code (24 when nothing is left to send).
int ConfigurationForPrinter(const PreparedConfiguration& prepared, PrinterConnection& connection,
                            const InterfaceSettingsSource& settings, std::u16string& text,
                            SettingsRecord& file, bool& rfidRemoved) {
    text = prepared.text;
    file = prepared.file;
    rfidRemoved = false;
    if (SendOperation::CountTickedRfidItems(prepared.ready) == 0) {
        return kOperationOk;
    }
    const RfidCheckedConfiguration checked =
        SendOperation::BuildForPrinter(prepared.ready, prepared.options, connection, settings);
    if (checked.rfid.code != kOperationOk) {
        return checked.rfid.code;
    }
    rfidRemoved = checked.removed;
    if (checked.removed) {
        SendOperation::UntickRfidItems(file);
    }
    text = checked.built.text;
    return checked.built.code;
}

std::string RfidNotSupportedText() {
    return Utf16ToUtf8(TextTable::Long(LongTextId::kRfidNotSupported, UiLanguage::kEnglish));
}

// --verify: the printer's settings received (scope ALL's settings request) into a record and
// parser of this target's own and compared with the file. Fills `result` when they do not agree.
void VerifyTarget(const FleetTarget& target, const PreparedConfiguration& prepared,
                  PrinterConnection& connection, TargetResult& result) {
    const SettingsOptions options = SettingsOptions::For(prepared.file.modelIndex, false, true);
    SettingsParser parser(options);
    SettingsRecord printer;
    printer.modelIndex = prepared.file.modelIndex;
    const std::vector<RequestKind> kinds = {RequestKind::kAll};
    ReceiveResult received =
        ReceiveOperation(printer, parser, connection, target.settings).Run(kinds, 0);
    if (!received.Ok()) {
        result.ok = false;
        result.code = received.code;
        result.message =
            "configuration sent, but the check failed: " + OperationMessageText(received.code);
        return;
    }
    const RecordComparison comparison =
        RecordComparison::Compare(prepared.file, printer, prepared.options);
    if (!comparison.Agree()) {
        result.ok = false;
        result.code = kCodeSettingsDiffer;
        const ItemComparison& first = *std::find_if(
            comparison.items.begin(), comparison.items.end(), [](const ItemComparison& item) {
                return item.outcome != ComparisonOutcome::kNotCompared;
            });
        const std::string example = first.outcome == ComparisonOutcome::kDiffers
                                        ? first.key + ": file \"" + first.fileValue +
                                              "\", printer \"" + first.printerValue + "\""
                                        : first.key + " not reported";
        result.message = "configuration sent, but the printer reports " +
                         std::to_string(comparison.Count(ComparisonOutcome::kDiffers)) +
                         " different and " +
                         std::to_string(comparison.Count(ComparisonOutcome::kNotReported)) +
                         " missing settings (" + example + ")";
        return;
    }
    result.message =
        "configuration sent and verified (" + std::to_string(comparison.compared) + " settings)";
}

// A fleet target's message: the operation's, then what happened on the connection.
std::string WithFailureLine(const std::string& message, const PrinterConnection& connection) {
    const std::string line = FailureLine(connection.LastFailure());
    return line.empty() ? message : message + " (" + line + ")";
}

// One target of a fleet: its own connection, the whole configuration in one exchange (and,
// with --verify, one receive after it).
TargetResult SendToTarget(const FleetTarget& target, const PreparedConfiguration& prepared,
                          bool verify) {
    const auto start = SteadyClock::now();
    TargetResult result;
    result.target = target.label;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    PreparedConfiguration own;
    own.options = prepared.options;
    bool rfidRemoved = false;
    const int checked = ConfigurationForPrinter(prepared, connection, target.settings, own.text,
                                                own.file, rfidRemoved);
    if (checked != kOperationOk) {
        result.code = checked;
        result.ok = false;
        result.message = (rfidRemoved ? RfidNotSupportedText() + " " : std::string()) +
                         WithFailureLine(OperationMessageText(checked), connection);
        result.seconds = SecondsSince(start);
        return result;
    }
    SendResult sent = SendOperation::Send(own.text, connection, target.settings);
    result.code = sent.code;
    result.ok = sent.code == kOperationOk;
    result.message = result.ok ? "configuration sent"
                               : WithFailureLine(OperationMessageText(sent.code), connection);
    if (result.ok && rfidRemoved) {
        result.message += " without its RFID items (" + RfidNotSupportedText() + ")";
    }
    if (result.ok && verify) {
        VerifyTarget(target, own, connection, result);
    }
    result.seconds = SecondsSince(start);
    return result;
}

int RunFleetSend(CommandPreamble& preamble, const SendArguments& args,
                 const PreparedConfiguration& prepared) {
    std::vector<FleetTarget> targets;
    std::string error;
    if (!ReadFleetTargets(args.nets, args.targetFiles, targets, error)) {
        return preamble.Fail(error);
    }
    InterruptFlag interrupt;
    const auto start = SteadyClock::now();
    ProgressLine progress(preamble.Err(), preamble.Style().progress, kCommand, targets.size());
    auto outcome = FleetRunner<TargetResult>::Run(
        targets.size(), args.jobs,
        [&](size_t i) {
            TargetResult result = SendToTarget(targets[i], prepared, args.verify);
            progress.Finished(result.ok);
            return result;
        },
        [] { return InterruptFlag::Raised(); }, [] { return InterruptFlag::Forced(); });
    progress.Stop();
    bool allOk = true;
    for (size_t i = 0; i < targets.size(); ++i) {
        TargetResult& r = outcome.results[i];
        if (!outcome.started[i]) {
            r.target = targets[i].label;
            r.code = kCodeNotStarted;
            r.message = "not started: interrupted";
        } else if (!outcome.finished[i]) {
            r.target = targets[i].label;
            r.code = kCodeStillRunning;
            r.message = "still running when the command was ended: the printer may have taken "
                        "the configuration";
        }
        allOk = allOk && r.ok;
    }
    PrintFleetReport(preamble.Out(), outcome.results, args.json, SecondsSince(start));
    if (outcome.abandoned) {
        // A second interrupt: the report of what is known is out; the running exchanges are
        // left to end with the process.
        preamble.Out().flush();
        std::_Exit(kExitSignalBase + InterruptFlag::LastSignal());
    }
    return allOk ? 0 : kExitPrinter;
}

// Several network printers, or options that serve only them. --json alone on a network
// printer makes a fleet of one (its report is the fleet's array); on another interface the
// single send reports in the same form.
bool IsFleet(const SendArguments& args, bool otherInterface) {
    return args.nets.size() > 1 || !args.targetFiles.empty() || (args.json && !otherInterface) ||
           args.jobsGiven || args.verify;
}

// The port or queue a single send goes to, as its report names it.
std::string SingleTarget(const SendArguments& args) {
    for (const std::string* name : {&args.queue, &args.interface.com, &args.interface.lpt,
                                    &args.interface.usb, &args.interface.net}) {
        if (!name->empty()) {
            return *name;
        }
    }
    return args.nets.empty() ? std::string() : args.nets.front();
}

int RunSend(const SendArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    std::optional<int> model;
    if (!args.model.empty()) {
        model = preamble.ResolveModel(args.model);
        if (!model) {
            return kExitUsage;
        }
    }
    const int otherInterfaces = !args.interface.com.empty() + !args.interface.lpt.empty() +
                                !args.interface.usb.empty() + !args.queue.empty();
    const bool otherInterface = otherInterfaces > 0;
    const bool fleet = IsFleet(args, otherInterface);
    if (otherInterfaces > 1) {
        return preamble.Fail("choose one interface: --com, --lpt, --usb or --queue");
    }
    if (otherInterface && (!args.nets.empty() || fleet)) {
        return preamble.Fail("--net, --targets, --jobs and --verify serve network printers only; "
                             "give them without --com, --lpt, --usb or --queue");
    }
    StaticInterfaceSettings settings;
    if (!fleet) {
        InterfaceArguments interface = args.interface;
        if (!args.nets.empty()) {
            interface.net = args.nets.front();
        }
        if (!preamble.BuildInterface(interface, settings, args.queue)) {
            return kExitUsage;
        }
    }
    if (!model) {
        // Only a single printer that answers can be asked which model it is.
        if (!args.queue.empty()) {
            return preamble.Fail("a print queue cannot be asked for its model; give --model");
        }
        // A file that is no settings text is refused before the printer is asked anything.
        if (const int status = preamble.CheckSettingsFile(args.file); status != 0) {
            return status;
        }
        if (fleet) {
            // The list's own faults first; then the model, which one configuration needs.
            std::vector<FleetTarget> targets;
            std::string error;
            if (!ReadFleetTargets(args.nets, args.targetFiles, targets, error)) {
                return preamble.Fail(error);
            }
            return preamble.Fail(
                "the configuration for several printers is built for one model: give it with "
                "--model");
        }
        int status = 0;
        model = preamble.DetectModel(settings, status);
        if (!model) {
            return status;
        }
    }
    PreparedConfiguration prepared;
    if (int status = PrepareConfiguration(preamble, args, *model, prepared); status != 0) {
        return status;
    }
    if (fleet) {
        return RunFleetSend(preamble, args, prepared);
    }
    const auto start = SteadyClock::now();
    // The single send's report: a line, or with --json the fleet report's form for one target.
    auto report = [&](bool ok, int code, const std::string& message, int status) {
        if (args.json) {
            const TargetResult result{SingleTarget(args), ok, code, message, SecondsSince(start)};
            preamble.Out() << JsonText(FleetReportJson({result})) << "\n";
        } else if (ok) {
            preamble.PrintOutcome(false, true, message, status);
        }
        return status;
    };
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    std::u16string text;
    SettingsRecord file;
    bool rfidRemoved = false;
    const int checked =
        ConfigurationForPrinter(prepared, connection, settings, text, file, rfidRemoved);
    if (rfidRemoved) {
        io.err << kCommand << ": " << RfidNotSupportedText() << " The RFID items are not sent.\n";
    }
    if (checked == kCodeNothingTicked) {
        preamble.PrintOperationMessage(checked);
        return report(false, checked, OperationMessageText(checked), kExitInvalidItems);
    }
    if (checked != kOperationOk) {
        const int status =
            preamble.ReportPrinterFailure(checked, settings, connection.LastFailure());
        return report(false, checked, OperationMessageText(checked), status);
    }
    SendResult sent = SendOperation::Send(text, connection, settings);
    if (sent.code != kOperationOk) {
        const int status =
            preamble.ReportPrinterFailure(sent.code, settings, connection.LastFailure());
        return report(false, sent.code, OperationMessageText(sent.code), status);
    }
    return report(true, kOperationOk,
                  "configuration sent to " + SingleTarget(args) + " (" +
                      Utf16ToUtf8(ModelTable::DisplayName(*model)) + ")" +
                      (rfidRemoved ? " without its RFID items" : ""),
                  0);
}

} // namespace

void AddSendCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<SendArguments>();
    CLI::App* cmd = app.add_subcommand("send", "Send a settings file's configuration to a printer");
    cmd->add_option("FILE", args->file, "settings file (*.prn)")->required();
    CLI::Option_group* interface = AddInterfaceOptions(cmd, args->interface, &args->nets);
    // A print queue is one more way the printer is attached: the configuration then goes as
    // one raw print job through the queue.
    interface->add_option("--queue", args->queue, "print queue (CUPS destination) for a raw job");
    // A fleet: more --net options and target lists (checked in RunSend: network only).
    interface->add_option("--targets", args->targetFiles,
                          "file listing one HOST[:PORT] per line (# comments); repeatable")
        ->take_all()
        ->expected(1)
        ->allow_extra_args(false);
    interface->require_option(1, 2);
    cmd->add_option("--jobs", args->jobs, "fleet: targets served at once (default 64)")
        ->check(CLI::Range(1, kMaxJobs))
        ->each([args](const std::string&) { args->jobsGiven = true; });
    cmd->add_flag("--json", args->json, "print an array of {target, ok, code, message, seconds}");
    cmd->add_flag("--verify", args->verify,
                  "network: after the send, receive each printer's settings and report a "
                  "target as failed unless it holds every sent setting");
    AddModelOption(cmd, args->model);
    cmd->add_flag("--advanced", args->advanced, "include the advanced entries (114-178)");
    cmd->callback([args, &io] { io.status = RunSend(*args, io); });
}

} // namespace qm::cli

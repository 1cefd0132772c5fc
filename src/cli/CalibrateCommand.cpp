// quillmark-cli calibrate: starts the printer's media-sensor calibration with the chosen media
// (and Config Set) and reports what the printer answered.

#include "cli/CommandPreamble.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/SensorAdjustmentOperation.h"
#include "platform/ReadableText.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsParser.h"

#include <map>
#include <memory>
#include <string_view>

namespace qm::cli {
namespace {

// Exit statuses of calibrate.
constexpr int kExitCalibrated = 0;
constexpr int kExitCalibrationFailed = 4; // the printer reports a failed adjustment

struct CalibrateArguments {
    InterfaceArguments interface;
    std::string model;
    std::string media = "gaps";
    int configSet = 0; // 1-3; 0 leaves the Config Set out
    bool json = false;
};

constexpr char kCommand[] = "calibrate";

// Which step of the exchange failed, in the words of the command's output.
std::string_view FailedStep(int code) {
    switch (code) {
    case kCodeOpenFailed:
        return "not started (the port could not be opened)";
    case kCodeTransferFailed:
        return "not started (the command could not be written to the printer)";
    case kCodeNoInterface:
        return "not started (no port to talk to the printer)";
    default:
        return "no answer (the exchange with the printer failed)";
    }
}

int RunCalibrate(const CalibrateArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    const SettingsOptions options = SettingsOptions::For(target.model, false, false);
    SettingsRecord record;
    record.modelIndex = target.model;
    SensorChoices choices;
    choices.configSet = args.configSet - 1;
    choices.media = args.media == "marks" ? kMediaBlackMarks : kMediaGaps;
    SensorAdjustmentOperation::TickChoices(record, choices, options);

    SettingsParser parser(options);
    const ConfigurationWriter writer(options);
    SensorAdjustmentOperation operation(record, writer, parser);
    const BuiltConfiguration built = operation.Build();
    if (built.code != kOperationOk) {
        preamble.PrintOperationMessage(built.code);
        return preamble.Fail("model " + std::to_string(target.model) + " refuses these choices");
    }
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const SensorAdjustmentResult result = operation.Run(built.text, connection, target.settings);
    if (!result.Ok()) {
        const int status =
            preamble.ReportPrinterFailure(result.code, target.settings, connection.LastFailure());
        if (result.errorLineNumber != 0) {
            io.err << "answer line " << result.errorLineNumber << " is not a calibration result: \""
                   << EscapeControls(result.errorLine) << "\"\n";
        }
        return preamble.PrintOutcome(args.json, false,
                                     "sensor adjustment: " + std::string(FailedStep(result.code)),
                                     status, {{"model", target.model}});
    }
    if (!result.Succeeded()) {
        return preamble.PrintOutcome(args.json, false,
                                     "sensor adjustment: failed (the printer reports failure)",
                                     kExitCalibrationFailed, {{"model", target.model}});
    }
    return preamble.PrintOutcome(args.json, true, "sensor adjustment: succeeded", kExitCalibrated,
                                 {{"model", target.model}});
}

} // namespace

void AddCalibrateCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<CalibrateArguments>();
    CLI::App* cmd = app.add_subcommand(
        "calibrate", "Start the printer's media-sensor calibration (exit 0 succeeded, 4 the "
                     "printer reports failure, 3 the exchange failed)");
    AddInterfaceOptions(cmd, args->interface);
    AddModelOption(cmd, args->model);
    cmd->add_option("--media", args->media,
                    "gaps (labels with gaps, default) or marks (black marks)")
        ->check(CLI::IsMember({"gaps", "marks"}));
    AddJsonFlag(cmd, args->json);
    cmd->add_option("--config-set", args->configSet, "configuration set 1-3 to calibrate")
        ->check(CLI::Range(1, 3));
    cmd->callback([args, &io] { io.status = RunCalibrate(*args, io); });
}

} // namespace qm::cli

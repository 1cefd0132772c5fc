// quillmark-cli print: the Print Test page's runs: the printer's self test, its sample print, or
// a print file sent as it is.

#include "cli/CommandPreamble.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/PrintRunOperation.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace qm::cli {
namespace {

struct PrintArguments {
    bool selfTest = false;
    bool sample = false;
    std::string file;
    InterfaceArguments interface;
    std::string queue;
    std::string model;
    bool json = false;
};

constexpr char kCommand[] = "print";

// The JSON fields of a print run beside its outcome.
nlohmann::ordered_json Details(const PrintResult& result) {
    return {{"bytesSent", result.bytesSent}, {"fileBytes", result.fileBytes}};
}

std::string_view LanguageName(EmulationClass emulation) {
    switch (emulation) {
    case EmulationClass::kZebra:
        return "Zebra";
    case EmulationClass::kEltron:
        return "Eltron";
    case EmulationClass::kNative:
        return "native";
    default:
        return "unknown";
    }
}

int RunPrint(const PrintArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    // The print command follows the language the printer reports, whatever its model.
    if (!args.model.empty() && !preamble.ResolveModel(args.model)) {
        return kExitUsage;
    }
    StaticInterfaceSettings settings;
    if (!preamble.BuildInterface(args.interface, settings, args.queue)) {
        return kExitUsage;
    }
    const PrintKind kind = args.selfTest ? PrintKind::kSelfTest
                           : args.sample ? PrintKind::kSample
                                         : PrintKind::kFile;
    SettingsRecord record;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    PrintRunOperation run(record, connection, settings);
    const PrintResult result =
        kind == PrintKind::kFile ? run.SendFile(args.file) : run.PrintTest(kind);
    if (result.code == kCodeFileOpenFailed || result.code == kCodeFileReadFailed) {
        preamble.PrintOperationMessage(result.code);
        const std::string why = result.fileError == EFBIG ? "larger than a print queue's job may be"
                                                          : std::strerror(result.fileError);
        return preamble.Fail(
            "cannot " + std::string(result.code == kCodeFileOpenFailed ? "open " : "read ") +
            args.file + ": " + why +
            (result.bytesSent > 0
                 ? " (after " + std::to_string(result.bytesSent) + " bytes were sent)"
                 : ""));
    }
    if (!result.Ok()) {
        const int status =
            preamble.ReportPrinterFailure(result.code, settings, connection.LastFailure());
        if (kind != PrintKind::kFile && result.code == kCodeAcquisitionFailed &&
            result.emulation == EmulationClass::kUnknown && !record.emulationCheckText.empty()) {
            io.err << "the printer names no command language it prints in; nothing sent\n";
        }
        std::string message = "not printed: the exchange with the printer failed";
        if (kind == PrintKind::kFile) {
            message += " after " + std::to_string(result.bytesSent) + " of " +
                       std::to_string(result.fileBytes) + " bytes";
        }
        return preamble.PrintOutcome(args.json, false, message, status, Details(result));
    }
    if (kind == PrintKind::kFile) {
        return preamble.PrintOutcome(
            args.json, true, "sent " + std::to_string(result.bytesSent) + " bytes of " + args.file,
            0, Details(result));
    }
    return preamble.PrintOutcome(
        args.json, true,
        std::string(kind == PrintKind::kSelfTest ? "self test" : "sample print") + " sent (" +
            std::string(LanguageName(result.emulation)) + " language)",
        0, Details(result));
}

} // namespace

void AddPrintCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<PrintArguments>();
    CLI::App* cmd = app.add_subcommand(
        "print", "Print the printer's self test or sample, or send a print file as it is (exit 0 "
                 "sent, 3 the exchange failed, 2 an unreadable file)");
    CLI::Option_group* what = cmd->add_option_group("print", "what to print");
    what->add_flag("--self-test", args->selfTest, "the printer's self test");
    what->add_flag("--sample", args->sample, "the printer's sample print");
    what->add_option("--file", args->file, "a print file, sent byte for byte");
    what->require_option(1);
    AddInterfaceOptions(cmd, args->interface);
    cmd->get_option_group("interface")
        ->add_option("--queue", args->queue, "print queue (CUPS destination): a raw job");
    AddModelOption(cmd, args->model);
    AddJsonFlag(cmd, args->json);
    cmd->callback([args, &io] { io.status = RunPrint(*args, io); });
}

} // namespace qm::cli

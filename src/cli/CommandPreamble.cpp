#include "cli/CommandPreamble.h"
#include "cli/JsonText.h"

#include "cli/PortPermissionNote.h"
#include "operations/OperationCode.h"
#include "operations/SettingsFileOperation.h"
#include "platform/Encoding.h"
#include "platform/InstanceLock.h"
#include "platform/ReadableText.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace qm::cli {

void PrintCommandMessage(std::string_view command, std::string_view message) {
    // A message may quote a file name or a printer's text: no control character reaches the
    // terminal.
    std::cerr << "quillmark-cli " << command << ": " << EscapeControls(message) << "\n";
}

int FailCommand(std::string_view command, std::string_view message) {
    PrintCommandMessage(command, message);
    return kExitUsage;
}

void AddModelOption(CLI::App* command, std::string& model) {
    command->add_option("--model", model, "model index 0-37 or display name (default 0)");
}

std::optional<int> ResolveModelOrFail(std::string_view command, const std::string& text) {
    const std::optional<int> model = ResolveModelArgument(text);
    if (!model) {
        FailCommand(command, "unknown model \"" + text + "\" (give 0-37 or a display name)");
    }
    return model;
}

bool BuildInterfaceOrFail(std::string_view command, const InterfaceArguments& args,
                          StaticInterfaceSettings& settings, const std::string& queue) {
    if (!queue.empty()) {
        settings = StaticInterfaceSettings{};
        settings.portType = kPortPrt;
        settings.portName = Utf8ToUtf16(queue);
        return true;
    }
    std::string error;
    if (!BuildInterfaceSettings(args, settings, error)) {
        FailCommand(command, error);
        return false;
    }
    return true;
}

bool ResolvePrinterTarget(std::string_view command, const std::string& modelText,
                          const InterfaceArguments& args, PrinterTarget& target) {
    const std::optional<int> model = ResolveModelOrFail(command, modelText);
    if (!model) {
        return false;
    }
    target.model = *model;
    return BuildInterfaceOrFail(command, args, target.settings);
}

int ReadSettingsFileOrFail(std::string_view command, const std::string& path,
                           SettingsRecord& record, SettingsParser& parser) {
    const FileOutcome read = SettingsFileOperation(record, parser).Import(path);
    if (read.code != kOperationOk) {
        return FailCommand(command, "cannot read " + path + ": " +
                                        SettingsFileProblem(read.result, read.error));
    }
    if (ReportInvalidItems(record)) {
        PrintOperationMessage(kCodeInvalidItems);
        return kExitInvalidItems;
    }
    return 0;
}

bool AcquireReceiveLockOrFail(std::string_view command, InstanceLock& lock) {
    if (!lock.TryAcquire()) {
        if (lock.Error() == EWOULDBLOCK) {
            PrintCommandMessage(command, "another receive is running");
        } else {
            PrintCommandMessage(command, "cannot take the receive lock " + lock.Path() + ": " +
                                             (lock.Error() == EPERM
                                                  ? std::string("it or its folder belongs to "
                                                                "another user or is open to others")
                                                  : std::string(std::strerror(lock.Error()))));
        }
        return false;
    }
    return true;
}

int ReportPrinterFailure(int code, const InterfaceSettingsSource& settings) {
    PrintOperationMessage(code);
    ExplainOpenFailure(code, settings);
    return kExitPrinter;
}

int PrintJsonResult(const nlohmann::ordered_json& result) {
    std::cout << JsonText(result) << "\n";
    return 0;
}

} // namespace qm::cli

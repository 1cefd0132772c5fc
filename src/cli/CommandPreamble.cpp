#include "cli/CommandPreamble.h"

#include "cli/FailureLine.h"
#include "cli/JsonText.h"
#include "cli/PortPermissionNote.h"
#include "cli/StatusJson.h"
#include "connection/NetAddress.h"
#include "connection/PrinterConnection.h"
#include "connection/SerialSettings.h"
#include "discovery/SystemPortServices.h"
#include "operations/MachineIdentity.h"
#include "operations/ModelDetection.h"
#include "operations/OperationCode.h"
#include "operations/SettingsFileOperation.h"
#include "platform/AtomicFile.h"
#include "platform/Encoding.h"
#include "platform/InstanceLock.h"
#include "platform/Locale.h"
#include "platform/ReadableText.h"
#include "settings/ModelTable.h"
#include "settings/SettingsOptions.h"
#include "text/Messages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qm::cli {
namespace {

// The primary language of a language id is its low ten bits.
constexpr uint16_t kPrimaryLanguageMask = 0x3ff;

// Message boxes become lines on a stream.
class StreamMessageHost : public MessageBoxHost {
public:
    explicit StreamMessageHost(std::ostream& stream) : stream_(stream) {}
    int MessageBox(std::u16string_view text, std::u16string_view, unsigned) override {
        stream_ << EscapeControlsKeepingLines(Utf16ToUtf8(text)) << "\n";
        return kIdOk;
    }

private:
    std::ostream& stream_;
};

// "COM3" -> "COM3:": the stored port names carry the colon.
std::u16string WithColon(const std::string& name) {
    std::u16string port = Utf8ToUtf16(name);
    if (!port.empty() && port.back() != u':') {
        port += u':';
    }
    return port;
}

// Message boxes become one line of text.
class TextMessageHost : public MessageBoxHost {
public:
    int MessageBox(std::u16string_view text, std::u16string_view, unsigned) override {
        std::string line = Utf16ToUtf8(text);
        for (char& c : line) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        std::string squeezed;
        for (char c : line) {
            if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' ')) {
                squeezed += c;
            }
        }
        text_ += (text_.empty() ? "" : " ") + squeezed;
        return kIdOk;
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

} // namespace

void AddJsonFlag(CLI::App* command, bool& json) {
    command->add_flag("--json", json, "print the result as JSON instead of readable text");
}

void AddLanguageOption(CLI::App* command, std::string& language) {
    command->add_option("--language", language, "interface language (default: the locale's)")
        ->check(CLI::IsMember({"en", "ja", "zh", "ko"}));
}

UiLanguage ResolveLanguage(const std::string& language) {
    if (const std::optional<UiLanguage> given = LanguageFromArgument(language)) {
        return *given;
    }
    return UiLanguageFromLanguageId(UserDefaultLanguageId() & kPrimaryLanguageMask);
}

CLI::Option_group* AddInterfaceOptions(CLI::App* command, InterfaceArguments& args,
                                       std::vector<std::string>* nets) {
    CLI::Option_group* group =
        command->add_option_group("interface", "how the printer is attached");
    if (nets != nullptr) {
        group
            ->add_option("--net", *nets,
                         "TCP/IP printer: HOST[:PORT] (port 9100 by default); "
                         "repeat for a fleet")
            ->take_all()
            ->expected(1)
            ->allow_extra_args(false);
    } else {
        group->add_option("--net", args.net, "TCP/IP printer: HOST[:PORT] (port 9100 by default)");
    }
    CLI::Option* com = group->add_option("--com", args.com, "serial port: COM3, KORVANE COM5");
    group->add_option("--lpt", args.lpt, "parallel port: LPT1");
    group->add_option("--usb", args.usb, "USB printer port: USB001 or USB_AUTO");
    group->require_option(1);
    command->add_option("--serial", args.serial, "serial line settings, e.g. \"9600 8 1 N X\"")
        ->needs(com);
    return group;
}

bool BuildInterfaceSettings(const InterfaceArguments& args, StaticInterfaceSettings& settings,
                            std::string& error) {
    settings = StaticInterfaceSettings{};
    if (!args.net.empty()) {
        // The printers' network interface speaks IPv4 only: an IPv6 literal ("::1",
        // "[fe80::1]:9100") is named as such instead of failing later as an unknown host.
        if (args.net.front() == '[' || std::count(args.net.begin(), args.net.end(), ':') > 1) {
            error = "--net: \"" + args.net +
                    "\" is an IPv6 address; only IPv4 addresses and host names are supported";
            return false;
        }
        std::string host = args.net;
        std::string port = "9100";
        size_t colon = host.rfind(':');
        if (colon != std::string::npos) {
            port = host.substr(colon + 1);
            host.resize(colon);
        }
        if (host.empty()) {
            error = "--net needs a host name or address";
            return false;
        }
        if (port.empty() || port.size() > 5 ||
            port.find_first_not_of("0123456789") != std::string::npos ||
            PortNumberFromText(Utf8ToUtf16(port)) == 0) {
            error = "--net: \"" + port + "\" is not a TCP port (1-65535)";
            return false;
        }
        settings.portType = kPortNet;
        settings.portName = Utf8ToUtf16(host);
        settings.portNumber = Utf8ToUtf16(port);
        return true;
    }
    if (!args.com.empty()) {
        settings.portType = kPortCom;
        settings.portName = WithColon(args.com);
        if (!args.serial.empty()) {
            // The stored form's rules leave a field unchanged when its token is not valid; on
            // the command line such a token is refused (read over two different starting
            // values, a valid token gives the same field both times).
            std::u16string text = Utf8ToUtf16(args.serial);
            SerialSettings other{0, 0, 1, 1, u"?"};
            if (!ReadComSet(text, settings.serial) || !ReadComSet(text, other) ||
                !(other == settings.serial)) {
                error = "--serial needs five valid fields separated by single blanks: baud, data "
                        "bits, stop bits 1/1.5/2, parity N/O/E, flow H/X/N, e.g. \"9600 8 1 N X\"";
                return false;
            }
        }
        return true;
    }
    if (!args.lpt.empty()) {
        settings.portType = kPortLpt;
        settings.portName = WithColon(args.lpt);
        return true;
    }
    if (!args.usb.empty()) {
        settings.portType = kPortUsb;
        settings.portName = Utf8ToUtf16(args.usb);
        return true;
    }
    error = "choose the interface: --net, --com, --lpt or --usb";
    return false;
}

std::optional<int> ResolveModelArgument(const std::string& text) {
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
        if (text.size() > 2) {
            return std::nullopt;
        }
        int model = std::stoi(text);
        return ModelTable::IsValid(model) ? std::optional<int>(model) : std::nullopt;
    }
    std::string name = text;
    if (size_t at = name.find("(R)"); at != std::string::npos) {
        name.replace(at, 3, "\xC2\xAE");
    }
    int model = ModelTable::FindByDisplayName(Utf8ToUtf16(name));
    return model >= 0 ? std::optional<int>(model) : std::nullopt;
}

std::string SettingsFileProblem(FileResult result, int error) {
    switch (result) {
    case FileResult::kCannotOpen:
        return std::string("cannot open the file: ") + std::strerror(error);
    case FileResult::kReadError:
        if (error == ETIMEDOUT) {
            return "cannot read the file: it did not end within " +
                   std::to_string(SettingsFile::kReadBoundMs / 1000) +
                   " s (a FIFO or device still held open by its writer)";
        }
        return std::string("cannot read the file: ") + std::strerror(error);
    case FileResult::kNoLeadIn:
        return "the file does not begin with a lead-in line; not a settings file";
    case FileResult::kNoEnd:
        return "the settings do not end with an \"END\" or \"EXIT\" line; the file is cut short";
    case FileResult::kNulByte:
        return "the file holds a NUL byte; not a settings file";
    case FileResult::kTooLarge:
        return "the file is too large: a settings text must fit the 4096-byte send buffer";
    case FileResult::kWriteError:
        return "cannot write the file: " + FileErrorText(error);
    case FileResult::kOk:
        break;
    }
    return "unknown failure";
}

std::string OperationMessageText(int code) {
    TextMessageHost host;
    Messages messages(host, UiLanguage::kEnglish);
    messages.ShowErrorCode(code);
    return host.Text();
}

void AddModelOption(CLI::App* command, std::string& model) {
    command->add_option("--model", model,
                        "model index 0-37 or display name (default: asked from the printer)");
}

CommandPreamble::CommandPreamble(std::string_view command, CommandIo& io)
    : command_(command), io_(io) {}

void CommandPreamble::Message(std::string_view message) {
    // A message may quote a file name or a printer's text: no control character reaches the
    // terminal.
    io_.err << "quillmark-cli " << command_ << ": " << EscapeControls(message) << "\n";
}

int CommandPreamble::Fail(std::string_view message) {
    Message(message);
    return kExitUsage;
}

std::optional<int> CommandPreamble::ResolveModel(const std::string& text) {
    const std::optional<int> model = ResolveModelArgument(text);
    if (!model) {
        Fail("unknown model \"" + text + "\" (give 0-37 or a display name)");
    }
    return model;
}

bool CommandPreamble::BuildInterface(const InterfaceArguments& args,
                                     StaticInterfaceSettings& settings, const std::string& queue) {
    if (!queue.empty()) {
        settings = StaticInterfaceSettings{};
        settings.portType = kPortPrt;
        settings.portName = Utf8ToUtf16(queue);
        return true;
    }
    std::string error;
    if (!BuildInterfaceSettings(args, settings, error)) {
        Fail(error);
        return false;
    }
    return true;
}

std::optional<int> CommandPreamble::DetectModel(const InterfaceSettingsSource& settings,
                                                int& status) {
    // A command that receives asks under the receive lock, as its receive will be: one at a
    // time, in this program and the window, and turned away before anything is sent. A command
    // that only sends (send, calibrate, print) asks without it, as discover does: the question
    // has its own record and connection and shares nothing the lock protects, and a send must
    // not be turned away while the window receives.
    InstanceLock receiveLock(kReceiveLockName);
    const bool receives = command_ == "receive" || command_ == "status" || command_ == "selfinfo" ||
                          command_ == "diff" || command_ == "get";
    if (receives && !TakeReceiveLock(receiveLock)) {
        status = kExitReceiveBusy;
        return std::nullopt;
    }
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const MachineIdentity identity = MachineIdentity::Ask(connection, settings);
    receiveLock.Release();
    // A reply without the model line is an answer, not a failed exchange.
    const bool answered = identity.Ok() || !identity.reply.empty();
    if (!answered) {
        status = ReportPrinterFailure(identity.code, settings, connection.LastFailure());
        return std::nullopt;
    }
    const int model = ModelDetection::FromIdentity(identity);
    if (model != ModelDetection::kNoModel) {
        return model;
    }
    status = kExitUsage;
    if (identity.model.empty()) {
        Message("the printer reported no model name; give its model with --model");
    } else {
        Message("the printer reported the model \"" + identity.model +
                "\", which is none of the 38 models; give its model with --model");
    }
    return std::nullopt;
}

int CommandPreamble::ResolveTarget(const std::string& modelText, const InterfaceArguments& args,
                                   PrinterTarget& target) {
    if (!modelText.empty()) {
        const std::optional<int> model = ResolveModel(modelText);
        if (!model) {
            return kExitUsage;
        }
        target.model = *model;
    }
    if (!BuildInterface(args, target.settings)) {
        return kExitUsage;
    }
    if (modelText.empty()) {
        int status = 0;
        const std::optional<int> model = DetectModel(target.settings, status);
        if (!model) {
            return status;
        }
        target.model = *model;
    }
    return 0;
}

int CommandPreamble::ReadSettingsFile(const std::string& path, SettingsRecord& record,
                                      SettingsParser& parser) {
    const FileOutcome read = SettingsFileOperation(record, parser).Import(path);
    if (read.code != kOperationOk) {
        return Fail("cannot read " + path + ": " + SettingsFileProblem(read.result, read.error));
    }
    if (ReportInvalidItems(record)) {
        PrintOperationMessage(kCodeInvalidItems);
        return kExitInvalidItems;
    }
    return 0;
}

int CommandPreamble::CheckSettingsFile(const std::string& path) {
    const ImportedText read = SettingsFile::Read(path);
    if (read.result != FileResult::kOk) {
        return Fail("cannot read " + path + ": " + SettingsFileProblem(read.result, read.error));
    }
    return 0;
}

bool CommandPreamble::ReportInvalidItems(const SettingsRecord& record) {
    bool any = false;
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        if (record.Item(e).ticked && record.Item(e).error) {
            io_.err << "invalid item: " << SettingsRecord::EntryKey(e) << "\n";
            any = true;
        }
    }
    return any;
}

void CommandPreamble::PrintOperationMessage(int code) {
    StreamMessageHost host(io_.err);
    Messages messages(host, UiLanguage::kEnglish);
    messages.ShowErrorCode(code);
}

int CommandPreamble::ReportPrinterFailure(int code, const InterfaceSettingsSource& settings,
                                          const ConnectionFailure& failure) {
    PrintOperationMessage(code);
    if (const std::string line = FailureLine(failure); !line.empty()) {
        Message(line);
    }
    ExplainOpenFailure(io_.err, code, settings);
    return kExitPrinter;
}

bool CommandPreamble::TakeReceiveLock(InstanceLock& lock) {
    if (lock.TryAcquire()) {
        return true;
    }
    if (lock.Error() == EWOULDBLOCK) {
        Message("another receive is running");
    } else {
        Message("cannot take the receive lock " + lock.Path() + ": " +
                (lock.Error() == EPERM
                     ? std::string("it or its folder belongs to another user or is open to "
                                   "others")
                     : std::string(std::strerror(lock.Error()))));
    }
    return false;
}

int CommandPreamble::Receive(const PrinterTarget& target, const std::vector<RequestKind>& kinds,
                             int statusClass, ReceivedSettings& received) {
    InstanceLock receiveLock(kReceiveLockName);
    if (!TakeReceiveLock(receiveLock)) {
        return kExitReceiveBusy;
    }
    SettingsParser parser(SettingsOptions::For(target.model, false, true));
    received.record = SettingsRecord{};
    received.record.modelIndex = target.model;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    received.result = ReceiveOperation(received.record, parser, connection, target.settings)
                          .Run(kinds, statusClass);
    receiveLock.Release();
    if (!received.result.Ok()) {
        // The window stops silently when only the counters fail; here the exit status needs
        // its reason (and a port the user may not open says which group would help).
        return ReportPrinterFailure(received.result.code, target.settings,
                                    connection.LastFailure());
    }
    return 0;
}

int CommandPreamble::PrintTable(const AlignedTable& table) {
    table.Print(io_.out, Colour(io_.style.colour));
    return 0;
}

int CommandPreamble::PrintOutcome(bool json, bool ok, const std::string& message, int status,
                                  const nlohmann::ordered_json& details) {
    if (json) {
        nlohmann::ordered_json out = {{"ok", ok}, {"message", message}};
        for (const auto& [key, value] : details.items()) {
            out[key] = value;
        }
        PrintJson(out);
        return status;
    }
    const Colour colour(io_.style.colour);
    io_.out << (ok ? colour.Good() : colour.Fault()) << EscapeControls(message) << colour.Reset()
            << "\n";
    return status;
}

int CommandPreamble::PrintJson(const nlohmann::ordered_json& result) {
    io_.out << JsonText(result) << "\n";
    return 0;
}

} // namespace qm::cli

#include "operations/PrintRunOperation.h"

#include "operations/Exchange.h"
#include "platform/Encoding.h"
#include "platform/UniqueFd.h"
#include "settings/ConfigurationWriter.h"
#include "settings/ReplyStart.h"
#include "settings/SettingsParser.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

// The print commands by kind and language, sent without lead-in.
struct PrintCommandRow {
    PrintKind kind;
    EmulationClass emulation;
    std::string_view bytes;
};
constexpr PrintCommandRow kPrintCommands[] = {
    {PrintKind::kSelfTest, EmulationClass::kZebra, "~WC\n"},
    {PrintKind::kSelfTest, EmulationClass::kEltron, "U\n"},
    {PrintKind::kSelfTest, EmulationClass::kNative, {"\x02Z\r\n", 4}},
    {PrintKind::kSample, EmulationClass::kZebra, "~!Q4\n"},
    {PrintKind::kSample, EmulationClass::kEltron, "~!Q4\n"},
    {PrintKind::kSample, EmulationClass::kNative, {"\x02\x1bQ4\r\n", 6}},
};

// Reads up to `length` bytes, retrying interrupted reads: the count, 0 at the end, -1 on error.
ssize_t ReadSome(int fd, char* data, size_t length) {
    for (;;) {
        const ssize_t n = ::read(fd, data, length);
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
}

} // namespace

PrintRunOperation::PrintRunOperation(SettingsRecord& record, PrinterConnection& connection,
                                     const InterfaceSettingsSource& settings)
    : record_(record), connection_(connection), settings_(settings) {}

std::string_view PrintRunOperation::PrintCommand(PrintKind kind, EmulationClass emulation) {
    for (const PrintCommandRow& row : kPrintCommands) {
        if (row.kind == kind && row.emulation == emulation) {
            return row.bytes;
        }
    }
    return {};
}

PrintResult PrintRunOperation::PrintTest(PrintKind kind) {
    PrintResult result;
    SettingsRecord request;
    ConfigurationWriter::WriteRequest(request, RequestKind::kStandard);
    Exchange exchange(connection_, settings_);
    // One connection for the question and the print command: one open, one drain, one parking
    // of a print queue.
    const ExchangeResult asked =
        exchange.Request(request.text, true, RequestKind::kStandard, kPurposeSend, true);
    if (asked.code != kOperationOk) {
        result.code = asked.code;
        result.error = asked.error;
        return result;
    }
    // The reply starts as a menu reply does: one stray byte before its lead-in is forgiven.
    const ReplyStartResult start = CheckReplyStart(asked.reply);
    record_.emulationCheckText = AnsiToWide(start.accepted ? start.text : asked.reply);
    if (start.accepted) {
        result.emulation =
            static_cast<EmulationClass>(DetectEmulationCode(record_.emulationCheckText));
    }
    const std::string_view command = PrintCommand(kind, result.emulation);
    if (command.empty()) {
        // The printer did not name a language it prints in: nothing is sent.
        exchange.Close();
        result.code = kCodeAcquisitionFailed;
        return result;
    }
    result.command.assign(command);
    const ExchangeResult sent = exchange.WritePiece(command);
    result.code = sent.code;
    result.error = sent.error;
    if (sent.code == kOperationOk) {
        exchange.Close();
        result.bytesSent = command.size();
    }
    return result;
}

PrintResult PrintRunOperation::SendFile(const std::string& path) {
    PrintResult result;
    // Without O_NONBLOCK a named pipe would hold the open until a writer came.
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) {
        result.code = kCodeFileOpenFailed;
        result.fileError = errno;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        // A directory, a device or a pipe is not a print file (a device could stream forever).
        result.code = kCodeFileOpenFailed;
        result.fileError = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return result;
    }
    result.fileBytes = static_cast<uint64_t>(info.st_size);
    if (settings_.StoredPortType() == kPortPrt) {
        return SendFileToQueue(file.Get(), result);
    }

    Exchange exchange(connection_, settings_);
    if (const ExchangeResult opened = exchange.Open(kPurposeSend); opened.code != kOperationOk) {
        result.code = opened.code;
        result.error = opened.error;
        return result;
    }
    std::array<char, kFilePieceBytes> piece{};
    for (;;) {
        const ssize_t n = ReadSome(file.Get(), piece.data(), piece.size());
        if (n < 0) {
            result.fileError = errno;
            result.code = kCodeFileReadFailed;
            exchange.Close();
            return result;
        }
        if (n == 0) {
            break;
        }
        const ExchangeResult written =
            exchange.WritePiece(std::string_view(piece.data(), static_cast<size_t>(n)));
        ++result.pieces;
        if (written.code != kOperationOk) {
            result.code = written.code;
            result.error = written.error;
            return result;
        }
        result.bytesSent += static_cast<uint64_t>(n);
    }
    exchange.Close();
    return result;
}

PrintResult PrintRunOperation::SendFileToQueue(int fd, PrintResult result) {
    if (result.fileBytes > kMaxQueueJobBytes) {
        result.code = kCodeFileReadFailed;
        result.fileError = EFBIG;
        return result;
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(result.fileBytes));
    std::array<char, kFilePieceBytes> piece{};
    for (;;) {
        const ssize_t n = ReadSome(fd, piece.data(), piece.size());
        if (n < 0) {
            result.code = kCodeFileReadFailed;
            result.fileError = errno;
            return result;
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + static_cast<size_t>(n) > kMaxQueueJobBytes) {
            // The file grew while it was read.
            result.code = kCodeFileReadFailed;
            result.fileError = EFBIG;
            return result;
        }
        bytes.append(piece.data(), static_cast<size_t>(n));
    }
    if (bytes.empty()) {
        return result; // nothing to print
    }
    const ExchangeResult sent = Exchange(connection_, settings_).SendJob(bytes);
    result.code = sent.code;
    result.error = sent.error;
    result.pieces = 1;
    if (sent.code == kOperationOk) {
        result.bytesSent = bytes.size();
    }
    return result;
}

} // namespace qm

#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/OperationCode.h"
#include "settings/SettingsRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The Print Test page's print kinds.
enum class PrintKind : int {
    kSelfTest = 0,
    kSample = 1,
    kFile = 2,
};

// The command languages the printer names in "MACHINE EMULATION CODE" (DetectEmulationCode).
enum class EmulationClass : int {
    kUnknown = 0,
    kZebra = 1,  // "CODE_ZEBRA"
    kEltron = 2, // "CODE_EPL"
    kNative = 3, // "CODE_KORVANE"
};

// How a print run ended.
struct PrintResult {
    int code = kOperationOk; // 0; 30, 31, 32, 40 as in a receive; 80 the file cannot be opened,
                             // 81 it cannot be read (also: too large for a print queue's job)
    uint32_t error = 0;      // the connection's result code, or the raw job's 110 / 29
    int fileError = 0;       // errno when the file was refused
    EmulationClass emulation = EmulationClass::kUnknown; // self test and sample
    std::string command;    // the print command sent (self test and sample)
    uint64_t bytesSent = 0; // bytes the printer accepted
    uint64_t fileBytes = 0; // the file's length when it was opened
    int pieces = 0;         // writes made (file)

    bool Ok() const { return code == kOperationOk; }
};

// The print runs of the Print Test page, once for every front end.
//
// Self test and sample: on one connection the printer is asked for its STANDARD settings
// (lead-in and the kind 1 request), its "MACHINE EMULATION CODE" names the command language,
// and the command of that language goes out without lead-in. The reply must start as a menu
// reply does (one stray byte before its lead-in is forgiven). A printer whose answer is unreadable
// or names no known language gets nothing, and the run ends with 32 instead of pretending to have
// printed.
//
// File: the file is read raw, a piece of at most kFilePieceBytes at a time, and every piece is
// written as it is read, so a file of any size passes through a fixed buffer. A print queue
// takes the file as one raw job, which the program holds whole; files above
// kMaxQueueJobBytes are refused (81) before anything is sent.
//
// The object holds references only and no state of its own.
class PrintRunOperation {
public:
    static constexpr size_t kFilePieceBytes = 1024;
    static constexpr uint64_t kMaxQueueJobBytes = 64ull * 1024 * 1024;

    PrintRunOperation(SettingsRecord& record, PrinterConnection& connection,
                      const InterfaceSettingsSource& settings);

    // Self test or sample print. The language reply is kept in record.emulationCheckText.
    PrintResult PrintTest(PrintKind kind);
    // Sends a print file as it is.
    PrintResult SendFile(const std::string& path);

    // The print command of a kind in a language; empty for an unknown language or kind.
    static std::string_view PrintCommand(PrintKind kind, EmulationClass emulation);

private:
    PrintResult SendFileToQueue(int fd, PrintResult result);

    SettingsRecord& record_;
    PrinterConnection& connection_;
    const InterfaceSettingsSource& settings_;
};

} // namespace qm

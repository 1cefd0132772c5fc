#pragma once

#include "platform/Clock.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

enum class FileResult {
    kOk,
    kCannotOpen, // the file cannot be opened (errno in the result)
    kReadError,  // reading failed
    kNoLeadIn,   // the file does not begin with a lead-in line: refused
    kNoEnd,      // no "END" or "EXIT" line ends the settings (a cut file): refused
    kNulByte,    // the file holds a NUL byte, which would hide every item after it: refused
    kTooLarge,   // the text does not fit the 4096-byte buffer: nothing written or loaded
    kWriteError, // creating or writing the file failed (errno in the result)
};

struct ImportedText {
    FileResult result = FileResult::kOk;
    int error = 0;       // errno for kCannotOpen / kReadError
    std::u16string text; // the text to parse (two lines precede the settings)
    int lineOffset = 0;  // 1 when CR LF was put in front: line numbers in messages are
                         // one less than the parser's
};

// Settings files ("*.prn"): the lead-in and then the configuration text, byte for byte as
// Send Configuration would put it on the wire.
class SettingsFile {
public:
    // Far more than any settings file or reply: what is read beyond this is refused.
    static constexpr size_t kMaxFileBytes = 1024 * 1024;
    // The longest a read waits for more bytes or the end of the file, all waits together: a
    // FIFO whose writer stays open, or a device that never ends, is refused after it.
    static constexpr uint32_t kReadBoundMs = 2000;

    // Import rules on a file's bytes: lines end at LF (a CR before it is dropped) and each is
    // followed by CR LF; the text must begin with marker A (used as is), or marker B / C
    // (CR LF put in front); anything else is refused (kNoLeadIn, empty text). A text larger
    // than the 4096-byte send buffer is refused whole (kTooLarge), so is a file holding a NUL
    // byte (kNulByte) and one with no "END" or "EXIT" line after the lead-in (kNoEnd): a file cut
    // short must not pass for a complete one with its last value changed.
    static ImportedText ImportBytes(std::string_view bytes);
    // Reads a file's bytes as they are. Returns kOk, kCannotOpen or kReadError (a directory
    // or a device that fails to read), with errno in *error, or kTooLarge for a file longer
    // than kMaxFileBytes (an endless device such as /dev/zero ends there); bytes is emptied
    // on failure. A file that neither ends nor sends more within kReadBoundMs (measured with
    // clock) is kReadError with ETIMEDOUT.
    static FileResult ReadBytes(const std::string& path, std::string& bytes, int* error = nullptr,
                                Clock& clock = SystemClock::Instance());
    // Reads a file and applies ImportBytes.
    static ImportedText Read(const std::string& path);

    // The whole import: clears the record, reads the file and parses it with fromOutside = 1
    // for record.modelIndex. On any failure the record is left cleared.
    static FileResult Import(const std::string& path, SettingsRecord& record,
                             SettingsParser& parser, int* error = nullptr);

    // The text without the lines of the wireless keys, the pre-shared key and the EAP password
    // (every other line kept as it is): what may be kept on disk beyond a send.
    static std::u16string WithoutSecrets(std::u16string_view text);

    // Writes bytes to a new file beside the old one and renames it over it (ReplaceFileAtomically):
    // a failed write leaves an earlier file whole, and only a regular file is replaced. Returns
    // kOk or kWriteError (errno in *error).
    static FileResult Write(const std::string& path, std::string_view bytes, int* error = nullptr);

    // The whole export of the ticked items already in the record: empties record.text,
    // WriteConfiguration(forPrinter = 0), ParseSettings(fromOutside = 0) to set error marks,
    // frames it (refusing more than 4096 bytes with kTooLarge) and writes the file.
    static FileResult Export(const std::string& path, SettingsRecord& record,
                             const ConfigurationWriter& writer, SettingsParser& parser,
                             int* error = nullptr);
};

} // namespace qm

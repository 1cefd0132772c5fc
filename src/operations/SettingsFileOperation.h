#pragma once

#include "operations/OperationCode.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <string_view>

namespace qm {

// The outcome of reading or writing a settings file.
struct FileOutcome {
    int code = kOperationOk;             // 0; 20 import refused; 22 export failed
    FileResult result = FileResult::kOk; // why, in detail
    int error = 0;                       // errno when the system refused
};

// Settings files and the recent file, once for every front end. A file holds the bytes Send
// Configuration would send: the 17-byte lead-in and the configuration text. Reading takes it
// through the 4096-byte send buffer and wants one of the lead-in markers at its start; a file
// that does not fit is refused whole instead of being cut.
class SettingsFileOperation {
public:
    // The recent file's name, in the program's folder.
    static constexpr std::string_view kRecentFileName = "Recent.dat";

    SettingsFileOperation(SettingsRecord& record, SettingsParser& parser);

    // Import: the record is reset (record.modelIndex stays), the file read and parsed as
    // coming from outside. 20 when the file cannot be opened or read, does not begin with a
    // marker, or does not fit the send buffer; the record then stays reset.
    FileOutcome Import(const std::string& path);

    // Export of an already built text (SendOperation::Build with ConfigurationUse::kFile):
    // the file is created or truncated and gets the lead-in and the text. 22 when it cannot be
    // written or the frame does not fit the send buffer (nothing is written then).
    static FileOutcome Export(const std::string& path, std::u16string_view text);

    // The text to export of a record read from a printer or from a file: the record is made
    // send-ready as the pages show it, then the configuration of its ticked items is written,
    // without the items the parser rejected (the pages refuse to send them) and without the
    // wireless keys and passwords.
    static std::u16string ExportText(SettingsRecord& record, const SettingsOptions& options);

    // The recent file at start-up: as Import, but a missing, unreadable or malformed file
    // changes nothing but the reset. True when settings were loaded.
    bool LoadRecent(const std::string& path);

    // The recent file at exit: the full settings text, written to a temporary file beside the
    // old one, flushed and renamed over it, so that a crash or a full disk never leaves a
    // half-written file in its place. The lines of the wireless keys, the pre-shared key and the
    // EAP password are left out. False (the old file kept) on any failure, with the errno in
    // *error (0 when the text does not fit the send buffer).
    static bool SaveRecent(const std::string& path, std::u16string_view text, int* error = nullptr);

private:
    SettingsRecord& record_;
    SettingsParser& parser_;
};

} // namespace qm

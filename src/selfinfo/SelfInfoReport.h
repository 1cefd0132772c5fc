#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace qm {

// How a save of the Self Information report ended.
enum class ReportOutcome {
    kSaved,
    kFolderError, // the date folder could not be created
    kNoModel,     // the machine text holds no "Model Number"
    kNoSerial,    // the machine text holds no "\r\nSerial Number"
    kOpenError,   // the file could not be created (or put in place)
    kWriteError,  // the content could not be written; nothing was put in place
};

struct ReportResult {
    ReportOutcome outcome = ReportOutcome::kSaved;
    std::string path; // the file: date folder and name, under the base folder when one is given
    int error = 0;    // errno of the failing call (0 when none)
};

// The Self Information report: a comma-separated file of the machine text and the menu text,
// saved as <date>/<model>_<serial>_<date>_<time>_.csv, the date folder "%Y%m%d" and the time
// "%H%M%S" taken once, from the same local time.
class SelfInfoReport {
public:
    // At most this many characters after "Serial Number" and its "\t:\t" make the serial.
    static constexpr size_t kSerialWindow = 22;

    // The model: what follows "Model Number" and its "\t:\t", up to the "\r\n" before "Serial
    // Number". The serial: at most 22 characters after "Serial Number" and its "\t:\t", ended by
    // its line end, trailing blanks removed. False with the outcome when either is missing.
    static bool ModelAndSerial(std::u16string_view machineText, std::u16string& model,
                               std::u16string& serial, ReportOutcome& failure);
    // A text made fit for a file name: "/", NUL and control characters become "_", so the
    // name cannot reach outside its folder.
    static std::u16string FileNamePart(std::u16string_view text);
    // "%Y%m%d".
    static std::string DateFolder(const std::tm& time);
    // "<model>_<serial>_%Y%m%d_%H%M%S_.csv" with both parts made fit for a file name and
    // shortened (the model first, never inside a character) so the name fits NAME_MAX bytes.
    static std::string FileName(std::u16string_view model, std::u16string_view serial,
                                const std::tm& time);
    // machineText, "\r\n", menuText; every "," becomes ".", then every "\t:\t" becomes ",";
    // in the narrow code page, whole. Each cell is then made harmless for a spreadsheet: one
    // that begins with "=", "+", "-" or "@" (a plain number excepted) gets a leading "'", and
    // control characters (a tab inside a cell excepted; a lone CR included) become "\xNN".
    static std::string Content(std::u16string_view machineText, std::u16string_view menuText);

    // Saves the report under baseFolder (empty: the current folder): creates the date folder
    // when it does not exist (one that is not this user's own, or that others may write to
    // without the sticky bit, is refused: kFolderError with EPERM), checks the model and
    // serial, writes the content to a new file of a fresh name beside the final one (created
    // exclusively) and then renames it into place, replacing an older report (or whatever
    // stands at that name) without writing through a link. A failed write leaves no partial
    // file and an older report untouched.
    static ReportResult Save(const std::string& baseFolder, std::u16string_view machineText,
                             std::u16string_view menuText, const std::tm& time);
};

} // namespace qm

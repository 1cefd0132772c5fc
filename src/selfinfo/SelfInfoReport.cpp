#include "selfinfo/SelfInfoReport.h"

#include "platform/Encoding.h"
#include "platform/TextFields.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qm {
namespace {

constexpr std::u16string_view kModelKey = u"Model Number";
constexpr std::u16string_view kSerialKey = u"\r\nSerial Number";
constexpr size_t kSeparatorLength = 3; // "\t:\t"
constexpr mode_t kFolderMode = 0777;   // less the umask
constexpr mode_t kFileMode = 0666;     // less the umask

std::string Formatted(const char* format, const std::tm& time) {
    char text[32] = {};
    const size_t length = std::strftime(text, sizeof text, format, &time);
    return std::string(text, length);
}

bool IsTrailingBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string ReplaceAll(std::u16string text, std::u16string_view what, std::u16string_view with) {
    for (size_t at = text.find(what); at != std::u16string::npos;
         at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
    return text;
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

// True when others cannot put or swap files in the folder: it belongs to this user and is
// writable by nobody else, unless it has the sticky bit (as /tmp has).
bool IsOwnFolder(const struct stat& st) {
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        return false;
    }
    const bool othersWrite =
        (st.st_mode & S_IWOTH) != 0 || ((st.st_mode & S_IWGRP) != 0 && st.st_gid != ::getegid());
    return !othersWrite || (st.st_mode & S_ISVTX) != 0;
}

// Creates the folder unless a folder of that name is there already. A folder made first by
// another user (or a link of another user's) is refused with EPERM: in a shared base folder it
// could lead the report elsewhere.
bool MakeFolder(const std::string& path, int& error) {
    if (::mkdir(path.c_str(), kFolderMode) != 0 && errno != EEXIST) {
        error = errno;
        return false;
    }
    struct stat link {};
    struct stat st {};
    if (::lstat(path.c_str(), &link) != 0 || ::stat(path.c_str(), &st) != 0) {
        error = errno;
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        error = EEXIST;
        return false;
    }
    if ((S_ISLNK(link.st_mode) && link.st_uid != ::geteuid()) || !IsOwnFolder(st)) {
        error = EPERM;
        return false;
    }
    error = 0;
    return true;
}

// The longest file name the folder takes, in bytes.
constexpr size_t kMaxNameBytes = NAME_MAX;

// The first at most maxBytes bytes of a UTF-8 text, not cutting a character.
std::string Shortened(std::string text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

// A cell a spreadsheet would take for a formula: it begins with one of these.
bool StartsLikeAFormula(std::u16string_view cell) {
    return !cell.empty() && std::u16string_view(u"=+-@").find(cell.front()) != std::u16string::npos;
}

// A plain number ("-12", "+3.5") is shown as a number, never run: it is kept as it is.
bool IsPlainNumber(std::u16string_view cell) {
    size_t at = cell.empty() || (cell.front() != u'-' && cell.front() != u'+') ? 0 : 1;
    bool digit = false;
    bool point = false;
    for (; at < cell.size(); ++at) {
        if (cell[at] >= u'0' && cell[at] <= u'9') {
            digit = true;
        } else if (cell[at] == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// One cell made safe for a spreadsheet: control characters (a tab inside the cell excepted, as
// the menu text puts one between a value and its unit) are written as "\xNN", and a cell that
// would start a formula gets a leading apostrophe.
std::u16string NeutralisedCell(std::u16string_view cell) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    std::u16string out;
    if (StartsLikeAFormula(cell) && !IsPlainNumber(cell)) {
        out.push_back(u'\'');
    }
    for (size_t at = 0; at < cell.size(); ++at) {
        const char16_t c = cell[at];
        const bool control = c < u' ' || c == u'\x7f' || (c >= 0x80 && c <= 0x9f);
        if (control && !(c == u'\t' && at > 0)) {
            out += u"\\x";
            out.push_back(kHex[(c >> 4) & 0x0F]);
            out.push_back(kHex[c & 0x0F]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool SelfInfoReport::ModelAndSerial(std::u16string_view machineText, std::u16string& model,
                                    std::u16string& serial, ReportOutcome& failure) {
    const size_t modelAt = machineText.find(kModelKey);
    if (modelAt == std::u16string_view::npos) {
        failure = ReportOutcome::kNoModel;
        return false;
    }
    const size_t serialAt = machineText.find(kSerialKey);
    if (serialAt == std::u16string_view::npos) {
        failure = ReportOutcome::kNoSerial;
        return false;
    }
    const size_t modelFrom = modelAt + kModelKey.size() + kSeparatorLength;
    model = modelFrom < serialAt
                ? std::u16string(machineText.substr(modelFrom, serialAt - modelFrom))
                : std::u16string();

    const size_t serialFrom = serialAt + kSerialKey.size() + kSeparatorLength;
    serial = serialFrom < machineText.size()
                 ? std::u16string(machineText.substr(serialFrom, kSerialWindow))
                 : std::u16string();
    // The serial ends with its line: the next line's characters are not part of it.
    if (const size_t end = serial.find_first_of(u"\r\n"); end != std::u16string::npos) {
        serial.erase(end);
    }
    while (!serial.empty() && IsTrailingBlank(serial.back())) {
        serial.pop_back();
    }
    return true;
}

std::u16string SelfInfoReport::FileNamePart(std::u16string_view text) {
    std::u16string part(text);
    for (char16_t& c : part) {
        if (c == u'/' || c < u' ' || c == u'\x7f') {
            c = u'_';
        }
    }
    return part;
}

std::string SelfInfoReport::DateFolder(const std::tm& time) {
    return Formatted("%Y%m%d", time);
}

std::string SelfInfoReport::FileName(std::u16string_view model, std::u16string_view serial,
                                     const std::tm& time) {
    const std::string tail = Formatted("_%Y%m%d_%H%M%S_", time) + ".csv";
    // A printer's model name may be longer than a file name may be: the serial is kept whole
    // (it is short) and the model shortened to what is left.
    const size_t room = kMaxNameBytes - tail.size() - 1;
    const std::string serialPart = Shortened(WideToAnsi(FileNamePart(serial)), room / 2);
    const std::string modelPart =
        Shortened(WideToAnsi(FileNamePart(model)), room - serialPart.size());
    return modelPart + "_" + serialPart + tail;
}

std::string SelfInfoReport::Content(std::u16string_view machineText, std::u16string_view menuText) {
    std::u16string content = std::u16string(machineText) + u"\r\n" + std::u16string(menuText);
    content = ReplaceAll(std::move(content), u",", u".");
    content = ReplaceAll(std::move(content), u"\t:\t", u",");
    // The texts come from the printer: each cell is made harmless for a spreadsheet, the lines
    // (CR LF) and cells (",") stay as they are.
    std::u16string safe;
    safe.reserve(content.size());
    const std::vector<std::u16string_view> lines = SplitFields(content, u"\r\n");
    for (size_t line = 0; line < lines.size(); ++line) {
        if (line > 0) {
            safe += u"\r\n";
        }
        const std::vector<std::u16string_view> cells = SplitFields(lines[line], u",");
        for (size_t cell = 0; cell < cells.size(); ++cell) {
            if (cell > 0) {
                safe += u',';
            }
            safe += NeutralisedCell(cells[cell]);
        }
    }
    return WideToAnsi(safe);
}

ReportResult SelfInfoReport::Save(const std::string& baseFolder, std::u16string_view machineText,
                                  std::u16string_view menuText, const std::tm& time) {
    ReportResult result;
    const std::string folder = Joined(baseFolder, DateFolder(time));
    if (!MakeFolder(folder, result.error)) {
        result.outcome = ReportOutcome::kFolderError;
        return result;
    }
    std::u16string model;
    std::u16string serial;
    if (!ModelAndSerial(machineText, model, serial, result.outcome)) {
        return result;
    }
    result.path = Joined(folder, FileName(model, serial, time));
    const std::string content = Content(machineText, menuText);

    // Written beside the final file and then put in place in one step. The temporary file gets
    // a new name of its own (created exclusively, so a link planted in the folder is never
    // followed); the rename replaces whatever stands at the final name, a link included,
    // without writing through it.
    std::string temp = Joined(folder, ".selfinfo-XXXXXX");
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        result.error = errno;
        result.outcome = ReportOutcome::kOpenError;
        return result;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const bool written =
        ::fchmod(fd, kFileMode & ~mask) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        result.error = written ? errno : writeError;
        ::unlink(temp.c_str());
        result.outcome = ReportOutcome::kWriteError;
        return result;
    }
    if (::rename(temp.c_str(), result.path.c_str()) != 0) {
        result.error = errno;
        ::unlink(temp.c_str());
        result.outcome = ReportOutcome::kOpenError;
        return result;
    }
    result.outcome = ReportOutcome::kSaved;
    return result;
}

} // namespace qm

#include "selfinfo/SelfInfoReport.h"

#include "platform/Encoding.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Creates the folder unless a folder of that name is there already.
bool MakeFolder(const std::string& path, int& error) {
    if (::mkdir(path.c_str(), kFolderMode) == 0) {
        return true;
    }
    error = errno;
    struct stat st {};
    if (error == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = 0;
        return true;
    }
    return false;
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
    return WideToAnsi(FileNamePart(model)) + "_" + WideToAnsi(FileNamePart(serial)) +
           Formatted("_%Y%m%d_%H%M%S_", time) + ".csv";
}

std::string SelfInfoReport::Content(std::u16string_view machineText, std::u16string_view menuText) {
    std::u16string content = std::u16string(machineText) + u"\r\n" + std::u16string(menuText);
    content = ReplaceAll(std::move(content), u",", u".");
    content = ReplaceAll(std::move(content), u"\t:\t", u",");
    return WideToAnsi(content);
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

    // Written beside the final file and then put in place in one step.
    const std::string temp = Joined(folder, ".selfinfo-" + std::to_string(::getpid()) + ".part");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        result.error = errno;
        result.outcome = ReportOutcome::kOpenError;
        return result;
    }
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
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

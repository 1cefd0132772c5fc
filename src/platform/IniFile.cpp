#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/BoundedRead.h"

#include "platform/Encoding.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace qm {
namespace {

enum class FileEncoding { Utf16Le, Utf16Be, Utf8, Utf8Bom };

// One line of the file: its exact bytes (without the line end), its decoded text and the bytes
// of its line end ("\r\n", "\n" or nothing for a last line without one).
struct Line {
    std::string raw;
    std::u16string text;
    std::string end;
};

struct Document {
    FileEncoding encoding = FileEncoding::Utf16Le;
    std::string bom;
    std::vector<Line> lines;
    std::string newline = "\r\n"; // encoded line end used for added lines
    // The last byte of a UTF-16 file with an odd byte count: it belongs to no character, so it
    // stays the file's last byte whatever is written before it.
    std::string oddByte;
};

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == u'\r')) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t LowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// A section header line "[name]": true and the trimmed name.
bool SectionName(std::u16string_view line, std::u16string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != u'[') {
        return false;
    }
    const size_t close = line.find(u']');
    if (close == std::u16string_view::npos) {
        return false;
    }
    name = Trim(line.substr(1, close - 1));
    return true;
}

// A "key=value" line: true, the trimmed key and the raw value part.
bool KeyLine(std::u16string_view line, std::u16string_view& key, std::u16string_view& value) {
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
        return false;
    }
    key = Trim(line.substr(0, equals));
    value = line.substr(equals + 1);
    return true;
}

std::u16string CleanValue(std::u16string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

std::string EncodeText(std::u16string_view text, FileEncoding encoding) {
    if (encoding == FileEncoding::Utf8 || encoding == FileEncoding::Utf8Bom) {
        return Utf16ToUtf8(text);
    }
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        const char lo = static_cast<char>(c & 0xFF);
        const char hi = static_cast<char>(c >> 8);
        if (encoding == FileEncoding::Utf16Le) {
            out.push_back(lo);
            out.push_back(hi);
        } else {
            out.push_back(hi);
            out.push_back(lo);
        }
    }
    return out;
}

// The preferences file is small: a name that leads to an endless device or to a FIFO whose
// writer stays open is refused after these bounds instead of filling the memory or hanging.
constexpr size_t kMaxIniBytes = 1024 * 1024;
constexpr uint32_t kIniReadBoundMs = 2000;

bool ReadAll(const std::string& path, std::string& bytes, bool& missing) {
    // Only a regular file holds preferences; anything else is refused at once, so that each of
    // the many reads at start-up does not wait for a FIFO or a device.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        missing = false;
        bytes.clear();
        errno = kNotRegularFileError;
        return false;
    }
    int error = 0;
    const BoundedReadResult result =
        ReadFileBounded(path, kMaxIniBytes, kIniReadBoundMs, bytes, &error);
    missing = result == BoundedReadResult::kCannotOpen && error == ENOENT;
    if (result == BoundedReadResult::kTooLarge) {
        error = EFBIG;
    }
    errno = error;
    return result == BoundedReadResult::kOk;
}

Document Parse(const std::string& bytes) {
    Document doc;
    size_t start = 0;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        doc.encoding = FileEncoding::Utf16Le;
        start = 2;
    } else if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        doc.encoding = FileEncoding::Utf16Be;
        start = 2;
    } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        doc.encoding = FileEncoding::Utf8Bom;
        start = 3;
    } else {
        doc.encoding = FileEncoding::Utf8;
    }
    doc.bom = bytes.substr(0, start);

    const bool wide =
        doc.encoding == FileEncoding::Utf16Le || doc.encoding == FileEncoding::Utf16Be;
    const size_t unit = wide ? 2 : 1;
    // Decode to code units while remembering where each unit starts in the byte string.
    std::u16string units;
    if (wide) {
        for (size_t i = start; i + 1 < bytes.size(); i += 2) {
            const auto b0 = static_cast<unsigned char>(bytes[i]);
            const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(doc.encoding == FileEncoding::Utf16Le
                                ? static_cast<char16_t>(b0 | (b1 << 8))
                                : static_cast<char16_t>((b0 << 8) | b1));
        }
    }
    // A trailing odd byte of a UTF-16 file is kept apart, after every line.
    const size_t end = wide ? start + units.size() * 2 : bytes.size();
    doc.oddByte = bytes.substr(end);

    bool sawCrLf = false;
    bool sawLf = false;
    size_t lineStart = start;
    auto unitAt = [&](size_t byteIndex) -> char16_t {
        return wide ? units[(byteIndex - start) / 2] : static_cast<char16_t>(bytes[byteIndex]);
    };
    for (size_t i = start; i < end; i += unit) {
        if (unitAt(i) != u'\n') {
            continue;
        }
        size_t contentEnd = i;
        if (contentEnd > lineStart && unitAt(contentEnd - unit) == u'\r') {
            contentEnd -= unit;
            sawCrLf = true;
        } else {
            sawLf = true;
        }
        Line line;
        line.raw = bytes.substr(lineStart, contentEnd - lineStart);
        line.end = bytes.substr(contentEnd, i + unit - contentEnd);
        doc.lines.push_back(std::move(line));
        lineStart = i + unit;
    }
    if (lineStart < end) {
        Line line;
        line.raw = bytes.substr(lineStart, end - lineStart);
        doc.lines.push_back(std::move(line));
    }
    for (Line& line : doc.lines) {
        if (wide) {
            const size_t count = line.raw.size() / 2;
            line.text.reserve(count);
            for (size_t k = 0; k < count; ++k) {
                const auto b0 = static_cast<unsigned char>(line.raw[2 * k]);
                const auto b1 = static_cast<unsigned char>(line.raw[2 * k + 1]);
                line.text.push_back(doc.encoding == FileEncoding::Utf16Le
                                        ? static_cast<char16_t>(b0 | (b1 << 8))
                                        : static_cast<char16_t>((b0 << 8) | b1));
            }
        } else {
            line.text = Utf8ToUtf16(line.raw);
        }
    }
    // New lines follow the file's own style; CR LF unless the file uses bare LF only.
    doc.newline = EncodeText((sawLf && !sawCrLf) ? u"\n" : u"\r\n", doc.encoding);
    return doc;
}

std::string Serialise(const Document& doc) {
    std::string out = doc.bom;
    for (const Line& line : doc.lines) {
        out += line.raw;
        out += line.end;
    }
    out += doc.oddByte;
    return out;
}

Line MakeLine(std::u16string text, const Document& doc) {
    Line line;
    line.raw = EncodeText(text, doc.encoding);
    line.text = std::move(text);
    line.end = doc.newline;
    return line;
}

bool HasLineBreakOrNul(std::u16string_view text) {
    return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

bool IniFile::Exists() const {
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IniFile::Read(std::u16string_view section, std::u16string_view key,
                   std::u16string& value) const {
    // The names are checked and trimmed as Write does it, so a key written reads back under the
    // same name and a name Write refuses finds nothing.
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key)) {
        return false;
    }
    section = Trim(section);
    key = Trim(key);
    std::string bytes;
    bool missing = false;
    if (!ReadAll(path_, bytes, missing)) {
        return false;
    }
    const Document doc = Parse(bytes);
    bool inSection = false;
    bool seenSection = false;
    for (const Line& line : doc.lines) {
        std::u16string_view name;
        if (SectionName(line.text, name)) {
            if (inSection) {
                return false; // only the first matching section counts
            }
            inSection = !seenSection && EqualNoCase(name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        std::u16string_view lineKey;
        std::u16string_view lineValue;
        if (inSection && KeyLine(line.text, lineKey, lineValue) && EqualNoCase(lineKey, key)) {
            value = CleanValue(lineValue);
            return true;
        }
    }
    return false;
}

std::u16string IniFile::ReadString(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view fallback) const {
    std::u16string value;
    if (Read(section, key, value)) {
        return value;
    }
    return std::u16string(fallback);
}

int IniFile::ReadInt(std::u16string_view section, std::u16string_view key, int fallback) const {
    std::u16string value;
    if (!Read(section, key, value) || value.empty()) {
        return fallback;
    }
    size_t i = 0;
    bool negative = false;
    if (value[0] == u'+' || value[0] == u'-') {
        negative = value[0] == u'-';
        i = 1;
    }
    if (i == value.size()) {
        return fallback;
    }
    long long number = 0;
    for (; i < value.size(); ++i) {
        if (value[i] < u'0' || value[i] > u'9') {
            return fallback;
        }
        number = number * 10 + (value[i] - u'0');
        if (number > static_cast<long long>(INT_MAX) + 1) {
            return fallback;
        }
    }
    if (negative) {
        number = -number;
    }
    if (number > INT_MAX || number < INT_MIN) {
        return fallback;
    }
    return static_cast<int>(number);
}

namespace {

// The names and value of one write as they are stored: false when the write must be refused.
bool CheckedNames(std::u16string_view& section, std::u16string_view& key,
                  std::u16string_view value) {
    // Line breaks are refused before trimming: a name ending in CR is not another name.
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
        return false;
    }
    section = Trim(section);
    key = Trim(key);
    return !section.empty() && !key.empty() && key.find(u'=') == std::u16string_view::npos &&
           key.front() != u'[' && section.find(u']') == std::u16string_view::npos;
}

// The file as it is, or an empty UTF-16LE document for a file that does not exist yet; false
// when the file exists but cannot be read.
bool LoadForWriting(const std::string& path, Document& doc) {
    std::string bytes;
    bool missing = false;
    if (ReadAll(path, bytes, missing)) {
        doc = Parse(bytes);
        return true;
    }
    if (!missing) {
        return false;
    }
    doc.bom = "\xFF\xFE";
    doc.encoding = FileEncoding::Utf16Le;
    doc.newline = EncodeText(u"\r\n", doc.encoding);
    return true;
}

// Sets key in section in the document (names already checked and trimmed).
void SetKey(Document& doc, std::u16string_view section, std::u16string_view key,
            std::u16string_view value) {
    // The stored value: quoted when reading it back would otherwise change it.
    std::u16string stored(value);
    const bool needsQuotes =
        !value.empty() &&
        (IsBlank(value.front()) || IsBlank(value.back()) ||
         (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
          value.back() == value.front()));
    if (needsQuotes) {
        stored = u"\"" + stored + u"\"";
    }
    std::u16string newLine = std::u16string(key) + u"=" + stored;

    // Find the first matching section, its last non-blank line and the key's line in it.
    size_t sectionLine = doc.lines.size();
    size_t lastContent = doc.lines.size();
    for (size_t i = 0; i < doc.lines.size(); ++i) {
        std::u16string_view name;
        const bool isSection = SectionName(doc.lines[i].text, name);
        if (sectionLine == doc.lines.size()) {
            if (isSection && EqualNoCase(name, section)) {
                sectionLine = i;
                lastContent = i;
            }
            continue;
        }
        if (isSection) {
            break;
        }
        std::u16string_view lineKey;
        std::u16string_view lineValue;
        if (KeyLine(doc.lines[i].text, lineKey, lineValue) && EqualNoCase(lineKey, key)) {
            Line replaced = MakeLine(std::move(newLine), doc);
            replaced.end = doc.lines[i].end;
            doc.lines[i] = std::move(replaced);
            return;
        }
        if (!Trim(doc.lines[i].text).empty()) {
            lastContent = i;
        }
    }

    // Every line that gets a line after it must end with a line break.
    auto ensureEnd = [&doc](size_t index) {
        if (index < doc.lines.size() && doc.lines[index].end.empty()) {
            doc.lines[index].end = doc.newline;
        }
    };
    if (sectionLine == doc.lines.size()) {
        if (!doc.lines.empty()) {
            ensureEnd(doc.lines.size() - 1);
        }
        doc.lines.push_back(MakeLine(u"[" + std::u16string(section) + u"]", doc));
        doc.lines.push_back(MakeLine(std::move(newLine), doc));
    } else {
        ensureEnd(lastContent);
        doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(lastContent) + 1,
                         MakeLine(std::move(newLine), doc));
    }
}

} // namespace

bool IniFile::Write(std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) {
    Document doc;
    if (!CheckedNames(section, key, value) || !LoadForWriting(path_, doc)) {
        return false;
    }
    SetKey(doc, section, key, value);
    return ReplaceFileAtomically(path_, Serialise(doc));
}

bool IniFile::WriteKeys(std::u16string_view section, std::span<const KeyValue> keys) {
    Document doc;
    if (!LoadForWriting(path_, doc)) {
        return false;
    }
    bool all = true;
    bool any = false;
    for (const KeyValue& entry : keys) {
        std::u16string_view name = section;
        std::u16string_view key = entry.key;
        if (!CheckedNames(name, key, entry.value)) {
            all = false;
            continue;
        }
        SetKey(doc, name, key, entry.value);
        any = true;
    }
    if (any && !ReplaceFileAtomically(path_, Serialise(doc))) {
        return false;
    }
    return all;
}

bool IniFile::CreateUnicode(std::u16string_view section) {
    if (Exists()) {
        return true;
    }
    const std::string bytes =
        "\xFF\xFE" + EncodeText(u"[" + std::u16string(section) + u"]\r\n", FileEncoding::Utf16Le);
    const std::string target = ResolveLinkTarget(path_);
    std::string pattern = target + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return false;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = WriteAllToFd(fd, bytes) && ::fchmod(fd, 0666 & ~mask) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    // link() fails when the name exists, so a file created meanwhile is kept as it is. Where the
    // file system has no hard links, a rename is used when the name is still free.
    if (ok && ::link(pattern.c_str(), target.c_str()) != 0 && errno != EEXIST) {
        struct stat st {};
        ok = ::lstat(target.c_str(), &st) != 0 && errno == ENOENT &&
             ::rename(pattern.c_str(), target.c_str()) == 0;
    }
    ::unlink(pattern.c_str());
    return ok && Exists();
}

} // namespace qm

#include "settings/SettingsFile.h"

#include "platform/AtomicFile.h"
#include "platform/BoundedRead.h"
#include "platform/Encoding.h"
#include "settings/Frame.h"
#include "settings/ReplyReader.h"
#include "settings/ReplyStart.h"

#include <cerrno>

namespace qm {
namespace {

// True when one of the text's lines after the first two (the lead-in lines) is exactly "END"
// or exactly "EXIT": the parser ends the settings at either.
bool HasEndLine(std::string_view text) {
    // The line up to its line end: a lone CR ends a line for the parser as CR LF does.
    constexpr std::string_view kEndLines[] = {"\r\nEND\r", "\r\nEXIT\r"};
    constexpr int kLeadInLines = 2;
    size_t at = 0;
    for (int line = 0; line < kLeadInLines; ++line) {
        at = text.find("\r\n", at);
        if (at == std::string_view::npos) {
            return false;
        }
        at += 2;
    }
    // Back up to the CR LF that ends the second line so that a third line "END" is found too.
    for (const std::string_view endLine : kEndLines) {
        if (text.find(endLine, at - 2) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

void SetError(int* error, int value) {
    if (error != nullptr) {
        *error = value;
    }
}

} // namespace

ImportedText SettingsFile::ImportBytes(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) {
        ImportedText refused;
        refused.result = FileResult::kNulByte;
        return refused;
    }
    // Lines end at LF, a CR before the LF is dropped; each line is followed by CR LF.
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16 + 2);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const bool hasLf = end != std::string_view::npos;
        if (!hasLf) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (hasLf && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        text += line;
        text += "\r\n";
        start = hasLf ? end + 1 : end;
    }

    ImportedText result;
    // The text is taken through the 4096-byte send buffer as the record holds it: converted to
    // UTF-16 and back, where a byte that is not UTF-8 becomes a three-byte replacement
    // character. A text larger than the buffer is refused whole.
    if (text.size() > kMaxFrameBytes || WideToAnsi(AnsiToWide(text)).size() > kMaxFrameBytes) {
        result.result = FileResult::kTooLarge;
        return result;
    }
    switch (ClassifyLeadIn(text)) {
    case LeadInStart::kMarkerA:
        break;
    case LeadInStart::kMarkerB:
    case LeadInStart::kMarkerC:
        // Exactly two lines must precede the settings.
        text.insert(0, "\r\n");
        result.lineOffset = 1;
        break;
    case LeadInStart::kNone:
        result.result = FileResult::kNoLeadIn;
        return result;
    }
    if (!HasEndLine(text)) {
        result = ImportedText{};
        result.result = FileResult::kNoEnd;
        return result;
    }
    result.text = AnsiToWide(text);
    return result;
}

FileResult SettingsFile::ReadBytes(const std::string& path, std::string& bytes, int* error,
                                   Clock& clock) {
    switch (ReadFileBounded(path, kMaxFileBytes, kReadBoundMs, bytes, error, clock)) {
    case BoundedReadResult::kOk:
        return FileResult::kOk;
    case BoundedReadResult::kCannotOpen:
        return FileResult::kCannotOpen;
    case BoundedReadResult::kReadError:
        return FileResult::kReadError;
    case BoundedReadResult::kTooLarge:
        break;
    }
    return FileResult::kTooLarge;
}

ImportedText SettingsFile::Read(const std::string& path) {
    std::string bytes;
    int error = 0;
    if (const FileResult read = ReadBytes(path, bytes, &error); read != FileResult::kOk) {
        ImportedText result;
        result.result = read;
        result.error = error;
        return result;
    }
    return ImportBytes(bytes);
}

FileResult SettingsFile::Import(const std::string& path, SettingsRecord& record,
                                SettingsParser& parser, int* error) {
    record.Clear();
    ImportedText imported = Read(path);
    SetError(error, imported.error);
    if (imported.result != FileResult::kOk) {
        return imported.result;
    }
    record.text = std::move(imported.text);
    parser.ParseSettings(record, 1);
    return FileResult::kOk;
}

FileResult SettingsFile::Write(const std::string& path, std::string_view bytes, int* error) {
    // A new file beside the old one, renamed over it once complete: a full disk or a size limit
    // leaves an earlier export whole.
    int failure = 0;
    if (!ReplaceFileAtomically(path, bytes, &failure)) {
        SetError(error, failure);
        return FileResult::kWriteError;
    }
    SetError(error, 0);
    return FileResult::kOk;
}

FileResult SettingsFile::Export(const std::string& path, SettingsRecord& record,
                                const ConfigurationWriter& writer, SettingsParser& parser,
                                int* error) {
    SetError(error, 0);
    record.text.clear();
    writer.WriteConfiguration(record, 0);
    parser.ParseSettings(record, 0);
    const Frame frame = FrameForSending(record.text);
    if (frame.result != FrameResult::kOk) {
        return FileResult::kTooLarge;
    }
    return Write(path, frame.bytes, error);
}

std::u16string SettingsFile::WithoutSecrets(std::u16string_view text) {
    std::u16string kept;
    kept.reserve(text.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        end = end == std::u16string_view::npos ? text.size() : end + 1;
        const std::u16string_view line = text.substr(start, end - start);
        if (!entry::IsSecretKey(LineTokens::Tokenise(WideToAnsi(line)).Upper(0))) {
            kept += line;
        }
        start = end;
    }
    return kept;
}

} // namespace qm

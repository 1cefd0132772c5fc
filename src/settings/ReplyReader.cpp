#include "settings/ReplyReader.h"

#include "platform/Encoding.h"

namespace qm {
namespace {

constexpr std::string_view kEndSuffix = "\nEND\r\n";

bool IsDelimiter(char c) {
    return c == ',' || c == ':' || c == '\t' || c == '\r' || c == '\n';
}

char UpperByte(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

LineTokens LineTokens::Tokenise(std::string_view line) {
    LineTokens t;
    t.line = std::string(line.substr(0, ReplyReader::kMaxLineLength));
    size_t i = 0;
    const std::string_view text = t.line;
    while (i < text.size() && t.count < kMaxTokens) {
        while (i < text.size() && IsDelimiter(text[i])) {
            ++i;
        }
        if (i >= text.size() || text[i] == ';') {
            break;
        }
        size_t end = i;
        while (end < text.size() && !IsDelimiter(text[end])) {
            ++end;
        }
        std::string token(text.substr(i, end - i));
        std::string up = token;
        for (char& c : up) {
            c = UpperByte(c);
        }
        t.original[static_cast<size_t>(t.count)] = std::move(token);
        t.upper[static_cast<size_t>(t.count)] = std::move(up);
        if (t.count == 1) {
            t.valueBegin = i;
        }
        if (t.count >= 1) {
            t.valueEnd = end;
        }
        ++t.count;
        i = end;
    }
    // Stopped at the token limit: the value still runs to the end of the line (short of a
    // comment).
    if (t.count == kMaxTokens) {
        while (i < text.size() && IsDelimiter(text[i])) {
            ++i;
        }
        if (i < text.size() && text[i] != ';') {
            t.moreTokens = true;
            size_t end = text.size();
            while (end > i && IsDelimiter(text[end - 1])) {
                --end;
            }
            t.valueEnd = end;
        }
    }
    return t;
}

std::string LineTokens::WholeValue(bool upperCase) const {
    if (count < 2 || valueEnd <= valueBegin) {
        return std::string();
    }
    std::string value = line.substr(valueBegin, valueEnd - valueBegin);
    if (upperCase) {
        for (char& c : value) {
            c = UpperByte(c);
        }
    }
    return value;
}

ReplyReader::ReplyReader(std::u16string_view text, bool appendEnd) {
    bytes_ = WideToAnsi(text);
    const size_t nul = bytes_.find('\0');
    if (nul != std::string::npos) {
        bytes_.resize(nul);
    }
    // The buffer keeps one byte for its terminator, and room for the end marker when asked.
    const size_t room = kBufferSize - 1 - (appendEnd ? kEndSuffix.size() : 0);
    if (bytes_.size() > room) {
        bytes_.resize(room);
    }
    if (appendEnd) {
        bytes_ += kEndSuffix;
    }
}

bool ReplyReader::ReadLine(std::string& line) {
    line.clear();
    if (pos_ >= bytes_.size()) {
        return false;
    }
    while (pos_ < bytes_.size()) {
        const char c = bytes_[pos_];
        if (c == '\r' || c == '\n') {
            ++pos_;
            if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') {
                ++pos_;
            }
            break;
        }
        line.push_back(c);
        ++pos_;
        if (line.size() == kMaxLineLength) {
            // The rest of a longer physical line is read as the next line; a line of exactly
            // 99 bytes takes its own line end so that no empty line appears after it.
            if (pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n')) {
                const char end = bytes_[pos_++];
                if (end == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') {
                    ++pos_;
                }
            }
            break;
        }
    }
    ++linesRead_;
    return true;
}

} // namespace qm

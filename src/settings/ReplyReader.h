#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// One line cut into tokens: token 0 the key, 1 the value, 2 the unit, further tokens further
// value parts (address octets).
struct LineTokens {
    static constexpr int kMaxTokens = 17;
    static constexpr size_t kMaxTokenLength = 99; // a slot of 100 bytes with its terminator

    std::string line;
    int count = 0;
    bool moreTokens = false;                      // the line held further tokens after the 17th
    std::array<std::string, kMaxTokens> upper;    // byte-wise upper case
    std::array<std::string, kMaxTokens> original; // as written

    // Where the value starts in `line` (token 1) and where the last token ends: a text value
    // may itself hold "," or ":" ("CAFE,GUEST"), which split it into several tokens.
    size_t valueBegin = 0;
    size_t valueEnd = 0;

    // Empty when the line has fewer tokens.
    const std::string& Upper(int i) const { return upper[static_cast<size_t>(i)]; }
    const std::string& Original(int i) const { return original[static_cast<size_t>(i)]; }
    // Everything from token 1 to the end of the last token, as written or upper-cased; empty when
    // the line has no value token.
    std::string WholeValue(bool upperCase) const;

    // Splits a line at runs of ",", ":", TAB, CR, LF (blanks stay inside tokens); stops at the
    // first token that begins with ";" (a comment) or after 17 tokens (moreTokens tells that
    // tokens were left over).
    static LineTokens Tokenise(std::string_view line);
};

// The reply buffer of the parser: the text in the ANSI code page, at most 8191 bytes (the
// rest is not read), a read position and a line counter.
class ReplyReader {
public:
    static constexpr size_t kBufferSize = 8192;
    static constexpr size_t kMaxLineLength = 99;

    // Converts text to the ANSI code page and keeps what fits the buffer; a NUL ends the text.
    // appendEnd reserves room for and appends "\nEND\r\n" so that a scan always meets "END".
    explicit ReplyReader(std::u16string_view text, bool appendEnd = false);

    // Copies the next line (up to CR, LF or CR LF, at most 99 bytes). Returns false when the
    // text is used up. A line of exactly 99 bytes takes its line end with it.
    bool ReadLine(std::string& line);
    int LinesRead() const { return linesRead_; }
    bool AtEnd() const { return pos_ >= bytes_.size(); }

private:
    std::string bytes_;
    size_t pos_ = 0;
    int linesRead_ = 0;
};

} // namespace qm

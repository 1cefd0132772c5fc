#include "platform/ReadableText.h"

#include <cstdint>

namespace qm {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendByteEscape(std::string& out, unsigned char byte) {
    out += "\\x";
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
}

void AppendCodePointEscape(std::string& out, char32_t c) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out.push_back(kHex[(c >> shift) & 0x0F]);
    }
}

// Characters that move the cursor, change the reading order or end a line on some terminal.
bool IsShownEscaped(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E ||
           c == 0x200F || c == 0x061C;
}

// The length of the valid UTF-8 sequence at text[at] (with its code point), or 0.
size_t DecodeOne(std::string_view text, size_t at, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        char32_t c = 0;
        const size_t length = DecodeOne(text, at, c);
        if (length == 0) {
            AppendByteEscape(out, static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        if (c < 0x80 && IsShownEscaped(c)) {
            AppendByteEscape(out, static_cast<unsigned char>(c));
        } else if (IsShownEscaped(c)) {
            AppendCodePointEscape(out, c);
        } else {
            out.append(text.substr(at, length));
        }
        at += length;
    }
    return out;
}

std::string EscapeControlsKeepingLines(std::string_view text) {
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        std::string_view line = text.substr(start, (last ? text.size() : end) - start);
        const bool crlf = !last && line.ends_with('\r');
        if (crlf) {
            line.remove_suffix(1);
        }
        out += EscapeControls(line);
        if (last) {
            break;
        }
        // The line end as it came: the program's own messages end their lines with CR LF.
        out += crlf ? "\r\n" : "\n";
        start = end + 1;
    }
    return out;
}

} // namespace qm

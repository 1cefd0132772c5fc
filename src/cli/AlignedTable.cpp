#include "cli/AlignedTable.h"

#include "platform/ReadableText.h"

#include <algorithm>
#include <span>

namespace qm::cli {
namespace {

constexpr std::string_view kIndent = "  ";
constexpr size_t kGap = 2; // cells between the widest caption and the values

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Characters two cells wide: Hangul Jamo, the CJK blocks, Hangul syllables, compatibility
// ideographs, vertical and fullwidth forms, and the supplementary ideographic planes.
constexpr CodeRange kWide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF}, {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD},
};

// Marks drawn on the character before them.
constexpr CodeRange kZeroWidth[] = {
    {0x0300, 0x036F},
    {0x200B, 0x200F},
    {0x3099, 0x309A},
    {0xFE00, 0xFE0F},
};

bool In(std::span<const CodeRange> ranges, char32_t c) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [c](const CodeRange& r) { return c >= r.first && c <= r.last; });
}

// Page captions end in " : " (the Information page's) or ":"; the table draws its own gap.
std::string WithoutColon(std::string caption) {
    while (!caption.empty() && (caption.back() == ' ' || caption.back() == ':')) {
        caption.pop_back();
    }
    return caption;
}

const char* MarkColour(ValueMark mark, const Colour& colour) {
    switch (mark) {
    case ValueMark::kFault:
        return colour.Fault();
    case ValueMark::kGood:
        return colour.Good();
    case ValueMark::kDim:
        return colour.Dim();
    case ValueMark::kPlain:
        break;
    }
    return "";
}

} // namespace

size_t DisplayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        char32_t c = lead;
        if (lead >= 0xF0) {
            length = 4;
            c = lead & 0x07U;
        } else if (lead >= 0xE0) {
            length = 3;
            c = lead & 0x0FU;
        } else if (lead >= 0xC0) {
            length = 2;
            c = lead & 0x1FU;
        }
        for (size_t k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6U) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        }
        i += length;
        if (In(kZeroWidth, c)) {
            continue;
        }
        width += In(kWide, c) ? 2 : 1;
    }
    return width;
}

void AlignedTable::Heading(std::string text) {
    Line line;
    line.heading = true;
    line.caption = EscapeControls(text);
    lines_.push_back(std::move(line));
}

void AlignedTable::Row(std::string caption, std::string value, std::string unit, ValueMark mark) {
    Line line;
    line.caption = EscapeControls(WithoutColon(std::move(caption)));
    line.value = EscapeControls(value);
    line.unit = EscapeControls(unit);
    line.mark = mark;
    lines_.push_back(std::move(line));
}

void AlignedTable::Append(const AlignedTable& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
}

void AlignedTable::Print(std::ostream& out, const Colour& colour) const {
    // Rows under a heading are indented; the values of all rows share one column.
    size_t captionWidth = 0;
    bool inSection = false;
    for (const Line& line : lines_) {
        inSection = inSection || line.heading;
        if (!line.heading) {
            captionWidth = std::max(captionWidth,
                                    DisplayWidth(line.caption) + (inSection ? kIndent.size() : 0));
        }
    }
    bool first = true;
    inSection = false;
    for (const Line& line : lines_) {
        if (line.heading) {
            // A blank line before each section.
            out << (first ? "" : "\n") << colour.Heading() << line.caption << colour.Reset()
                << "\n";
            first = false;
            inSection = true;
            continue;
        }
        first = false;
        std::string text = line.value;
        if (!line.unit.empty()) {
            text += (text.empty() ? "" : " ") + line.unit;
        }
        const std::string_view indent = inSection ? kIndent : "";
        out << indent << line.caption;
        if (!text.empty()) {
            out << std::string(captionWidth - DisplayWidth(line.caption) - indent.size() + kGap,
                               ' ');
            const char* start = MarkColour(line.mark, colour);
            out << start << text << (*start != '\0' ? colour.Reset() : "");
        }
        out << "\n";
    }
}

} // namespace qm::cli

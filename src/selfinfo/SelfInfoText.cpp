#include "selfinfo/SelfInfoText.h"

#include <array>

namespace qm {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kEnd = u"END\r\n";

// The menu headings that get an empty line before them, in the order they are looked for.
constexpr std::array<std::u16string_view, 4> kMenuBreaks = {
    u"PRINT SPEED",
    u"SENSOR LEVEL",
    u"AUTOCONFIGURE",
    u"USB DEVICE CLASS",
};

// The menu lines repeated under the machine information, in this order.
constexpr std::array<std::u16string_view, 4> kMenuLinesForMachine = {
    u"PRINT SPEED",
    u"PRINT METHOD",
    u"MEDIA SENSOR",
    u"FUNCTION SELECT",
};

constexpr std::u16string_view kHeadCheck = u"Head Check";
constexpr std::array<std::u16string_view, 2> kHeadCheckLines = {
    u"Head Check\t:\tOK\r\n",
    u"Head Check\t:\tNG\r\n",
};

// The text from the first `marker` on; all of it when there is none.
std::u16string FromFirst(std::u16string_view text, std::u16string_view marker) {
    const size_t at = text.find(marker);
    return std::u16string(at == std::u16string_view::npos ? text : text.substr(at));
}

// Cuts the text before its first "END\r\n".
void CutAtEnd(std::u16string& text) {
    const size_t at = text.find(kEnd);
    if (at != std::u16string::npos) {
        text.erase(at);
    }
}

// An empty line before the first `marker`, or at the very start when there is none.
void BreakBefore(std::u16string& text, std::u16string_view marker) {
    const size_t at = text.find(marker);
    text.insert(at == std::u16string::npos ? 0 : at, kLineEnd);
}

void RemoveAll(std::u16string& text, std::u16string_view what) {
    for (size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, at)) {
        text.erase(at, what.size());
    }
}

// The line that begins at `from`, with its line end ("\r\n" added when the text ends first).
std::u16string LineAt(std::u16string_view text, size_t from) {
    const size_t end = text.find(kLineEnd, from);
    if (end == std::u16string_view::npos) {
        return std::u16string(text.substr(from)) + std::u16string(kLineEnd);
    }
    return std::u16string(text.substr(from, end + kLineEnd.size() - from));
}

} // namespace

std::u16string SelfInfoText::BuildMenuText(std::u16string_view menuSettingsText) {
    std::u16string text = FromFirst(menuSettingsText, u"GLOBAL CONFIG");
    for (std::u16string_view heading : kMenuBreaks) {
        BreakBefore(text, heading);
    }
    CutAtEnd(text);
    return text;
}

std::u16string SelfInfoText::BuildMachineText(std::u16string_view machineInfoText,
                                              std::u16string_view menuText) {
    std::u16string text = FromFirst(machineInfoText, u"Model Number");
    CutAtEnd(text);
    BreakBefore(text, u"Boot Version");

    std::u16string headCheckLine;
    if (const size_t at = text.find(kHeadCheck); at != std::u16string::npos) {
        const size_t end = text.find(kLineEnd, at);
        headCheckLine =
            text.substr(at, end == std::u16string::npos ? std::u16string::npos : end - at);
        headCheckLine += kLineEnd;
        for (std::u16string_view line : kHeadCheckLines) {
            RemoveAll(text, line);
        }
    }

    BreakBefore(text, u"Print Counter");
    text += kLineEnd;
    for (std::u16string_view heading : kMenuLinesForMachine) {
        const size_t at = menuText.find(heading);
        if (at == std::u16string_view::npos || at == 0) {
            continue; // missing, or at the very first character
        }
        text += LineAt(menuText, at);
    }
    text += headCheckLine;
    return text;
}

} // namespace qm

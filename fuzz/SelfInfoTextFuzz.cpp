// The Self Information text building: the menu text is the reply's own text, in order, with
// only line breaks added (nothing invented, reordered or cut inside); the machine text is made
// of the two replies' characters only.

#include "FuzzSupport.h"

#include "selfinfo/SelfInfoText.h"

#include <algorithm>

using namespace qm;

namespace {

std::u16string WithoutLineBreaks(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c != u'\r' && c != u'\n') {
            out.push_back(c);
        }
    }
    return out;
}

// How often each character occurs.
bool MadeOf(std::u16string_view made, std::u16string_view from) {
    std::u16string a(made);
    std::u16string b(from);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return std::includes(b.begin(), b.end(), a.begin(), a.end());
}

size_t Count(std::u16string_view text, std::u16string_view part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::u16string_view::npos;
         at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const size_t split = in.Byte() * 16u;
    const std::u16string machine = AnsiToWide(in.Take(split));
    const std::u16string menu = AnsiToWide(in.Rest());

    const std::u16string menuText = SelfInfoText::BuildMenuText(menu);
    fuzz::Check(WithoutLineBreaks(menu).find(WithoutLineBreaks(menuText)) != std::u16string::npos,
                "the menu text is a stretch of the reply with line breaks added");
    fuzz::Check(menuText == SelfInfoText::BuildMenuText(menu),
                "the menu text is built the same twice");

    const std::u16string machineText = SelfInfoText::BuildMachineText(machine, menuText);
    // The head check line moves to the end only in its two forms (OK, NG) the printer sends;
    // any other form stays where it is and is repeated at the end.
    if (Count(machine, u"Head Check") !=
        Count(machine, u"Head Check\t:\tOK\r\n") + Count(machine, u"Head Check\t:\tNG\r\n")) {
        return 0;
    }
    fuzz::Check(MadeOf(WithoutLineBreaks(machineText),
                       WithoutLineBreaks(machine) + WithoutLineBreaks(menuText)),
                "the machine text holds only characters of the two replies");
    return 0;
}

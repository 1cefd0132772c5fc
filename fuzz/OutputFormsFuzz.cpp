// Any bytes a printer may send, in every form the program shows them: the readable form (a
// terminal line, a message of several lines, the fleet report) is valid UTF-8 without a control
// character but its line ends; the JSON form never aborts, is valid UTF-8 and reads back; the
// Self Information report holds no cell a spreadsheet would run and no control character but
// its line ends and the tabs inside cells. The fleet report's lines are not padded to a long
// target name.

#include "FuzzSupport.h"

#include "cli/FleetReport.h"
#include "cli/JsonText.h"
#include "platform/ReadableText.h"
#include "selfinfo/SelfInfoReport.h"

#include <sstream>
#include <vector>

using namespace qm;

namespace {

// True when text is valid UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        size_t length = 1;
        uint32_t c = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
        } else if (lead >= 0x80) {
            return false;
        }
        if (at + length > text.size()) {
            return false;
        }
        for (size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        at += length;
    }
    return true;
}

// True when no byte of text is a C0 control or DEL, but the ones allowed, and no C1 control
// (U+0080-U+009F, "\xC2\x80"-"\xC2\x9F") is in it.
bool WithoutControls(std::string_view text, std::string_view allowed = {}) {
    for (size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if ((c < 0x20 || c == 0x7F) && allowed.find(static_cast<char>(c)) == std::string::npos) {
            return false;
        }
        if (c == 0xC2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            return false;
        }
    }
    return true;
}

std::string Shown(std::string_view text) {
    return std::string(text.substr(0, 200));
}

void CheckReadable(const std::string& out, std::string_view allowed, const char* form,
                   std::string_view input) {
    fuzz::Check(IsValidUtf8(out), form, Shown(input));
    fuzz::Check(WithoutControls(out, allowed), form, Shown(input));
}

// Every cell of the report: no formula start (a plain number excepted), and no control
// character but a tab inside a cell; lines end with CR LF only.
void CheckReport(const std::string& csv, std::string_view input) {
    fuzz::Check(WithoutControls(csv, "\t\r\n"), "the report holds no control character",
                Shown(input));
    size_t start = 0;
    while (start <= csv.size()) {
        size_t end = csv.find("\r\n", start);
        const std::string_view line = std::string_view(csv).substr(
            start, (end == std::string::npos ? csv.size() : end) - start);
        fuzz::Check(line.find_first_of("\r\n") == std::string::npos,
                    "a report line ends only with CR LF", Shown(input));
        size_t cellStart = 0;
        while (cellStart <= line.size()) {
            size_t cellEnd = line.find(',', cellStart);
            const std::string_view cell = line.substr(
                cellStart, (cellEnd == std::string::npos ? line.size() : cellEnd) - cellStart);
            if (!cell.empty() && std::string_view("=+-@").find(cell.front()) != std::string::npos) {
                const bool number = cell.find_first_not_of("0123456789.", 1) == std::string::npos &&
                                    cell.find_first_of("0123456789", 1) != std::string::npos;
                fuzz::Check(number, "no report cell starts a formula", Shown(input));
            }
            fuzz::Check(cell.empty() || cell.front() != '\t', "no report cell starts with a tab",
                        Shown(input));
            if (cellEnd == std::string::npos) {
                break;
            }
            cellStart = cellEnd + 1;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const size_t split = in.Byte();
    const std::string first(in.Take(split));
    const std::string second(in.Rest());

    CheckReadable(EscapeControls(first), {}, "a terminal line holds no control character", first);
    // A message keeps its line ends ("\n" or "\r\n") and nothing else: a CR only before a LF.
    std::string message = EscapeControlsKeepingLines(first);
    for (size_t at = message.find("\r\n"); at != std::string::npos; at = message.find("\r\n", at)) {
        message.erase(at, 1);
    }
    CheckReadable(message, "\n", "a message keeps only its line ends", first);

    const nlohmann::ordered_json value = {{"model", first}, {"serial", second}};
    const std::string json = cli::JsonText(value);
    fuzz::Check(IsValidUtf8(json), "JSON output is valid UTF-8", Shown(first));
    fuzz::Check(nlohmann::json::accept(json), "JSON output reads back", Shown(first));

    // The fleet report: a target's name and message in both forms.
    cli::TargetResult result;
    result.target = first;
    result.message = second;
    cli::TargetResult shortName;
    shortName.target = "t";
    std::ostringstream text;
    cli::PrintFleetReport(text, {result, shortName}, false, 0.0);
    CheckReadable(text.str(), "\n", "the fleet report holds no control character", first);
    // A long name is not padded into every other line.
    constexpr size_t kLineOverhead = 200;
    fuzz::Check(text.str().size() <= EscapeControls(first).size() + EscapeControls(second).size() +
                                         3 * kLineOverhead,
                "the fleet report grows with its texts, not with their square", Shown(first));
    std::ostringstream asJson;
    cli::PrintFleetReport(asJson, {result}, true, 0.0);
    fuzz::Check(nlohmann::json::accept(asJson.str()), "the fleet report's JSON reads back",
                Shown(first));

    CheckReport(SelfInfoReport::Content(AnsiToWide(first), AnsiToWide(second)), first);
    return 0;
}

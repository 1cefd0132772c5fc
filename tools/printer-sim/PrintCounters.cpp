#include "PrintCounters.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qm::sim {
namespace {

std::vector<std::string_view> DataLines(std::string_view data) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start <= data.size()) {
        const size_t end = data.find_first_of("\r\n", start);
        lines.push_back(data.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

size_t Occurrences(std::string_view data, std::string_view what) {
    size_t count = 0;
    for (size_t at = data.find(what); at != std::string_view::npos;
         at = data.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

// "P" or "P<n>[,...]": the label sets the line prints; -1 when it is not a print line.
long EltronPrintLine(std::string_view line) {
    if (line.empty() || line[0] != 'P') {
        return -1;
    }
    long n = 0;
    size_t i = 1;
    for (; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])) != 0; ++i) {
        n = n * 10 + (line[i] - '0');
        if (n > 99999) {
            return -1; // no printer takes that many at once
        }
    }
    if (i < line.size() && line[i] != ',') {
        return -1; // another command that starts with P
    }
    return i == 1 ? 1 : n;
}

} // namespace

void PrintCounters::CountPrint(long labels, long labelTenthsMm, bool cutEach) {
    if (labels <= 0 || labelTenthsMm < 0) {
        return;
    }
    const long long distance = static_cast<long long>(labels) * labelTenthsMm;
    printTenthsMm_ += distance;
    serviceTenthsMm_ += distance;
    if (cutEach) {
        cuts_ += labels;
    }
}

long PrintCounters::LabelsOf(std::string_view kind, std::string_view language,
                             std::string_view data) {
    if (kind == "self-test" || kind == "sample") {
        return 1;
    }
    if (language == "zebra") {
        return static_cast<long>(Occurrences(data, "^XZ") + Occurrences(data, "^xz"));
    }
    long labels = 0;
    for (std::string_view line : DataLines(data)) {
        if (language == "eltron") {
            labels += std::max(EltronPrintLine(line), 0L);
        } else if (line == "E") {
            ++labels;
        }
    }
    return labels;
}

} // namespace qm::sim

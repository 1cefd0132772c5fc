#include "cli/FleetTargets.h"

#include "cli/CommandPreamble.h"
#include "platform/BoundedRead.h"

#include <cerrno>
#include <cstring>
#include <sstream>

namespace qm::cli {
namespace {

constexpr char kDefaultPort[] = "9100";

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool AddTarget(const std::string& text, std::vector<FleetTarget>& targets, std::string& error) {
    FleetTarget target;
    if (!NetTargetSettings(text, target.settings, error)) {
        return false;
    }
    target.label = text.rfind(':') == std::string::npos ? text + ":" + kDefaultPort : text;
    targets.push_back(std::move(target));
    return true;
}

// A targets list is a few lines per printer: what is longer, or a FIFO or device that never
// ends, is refused.
constexpr size_t kMaxTargetsFileBytes = 1024 * 1024;
constexpr uint32_t kTargetsReadBoundMs = 2000;

std::string TargetsReadProblem(BoundedReadResult result, int error) {
    if (result == BoundedReadResult::kTooLarge) {
        return "the file is larger than " + std::to_string(kMaxTargetsFileBytes / 1024) + " KiB";
    }
    if (error == ETIMEDOUT) {
        return "it did not end within " + std::to_string(kTargetsReadBoundMs / 1000) +
               " s (a FIFO or device still held open by its writer)";
    }
    return std::strerror(error);
}

} // namespace

bool NetTargetSettings(const std::string& text, StaticInterfaceSettings& settings,
                       std::string& error) {
    InterfaceArguments args;
    args.net = text;
    return BuildInterfaceSettings(args, settings, error);
}

bool ReadFleetTargets(const std::vector<std::string>& nets, const std::vector<std::string>& files,
                      std::vector<FleetTarget>& targets, std::string& error) {
    targets.clear();
    for (const std::string& net : nets) {
        if (!AddTarget(net, targets, error)) {
            targets.clear();
            return false;
        }
    }
    for (const std::string& file : files) {
        std::string bytes;
        int readError = 0;
        const BoundedReadResult read =
            ReadFileBounded(file, kMaxTargetsFileBytes, kTargetsReadBoundMs, bytes, &readError);
        if (read != BoundedReadResult::kOk) {
            error = "cannot read " + file + ": " + TargetsReadProblem(read, readError);
            targets.clear();
            return false;
        }
        std::istringstream in(bytes);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (size_t comment = line.find(" #"); comment != std::string::npos) {
                line.resize(comment);
            }
            std::string text = Trimmed(line);
            if (text.empty() || text[0] == '#') {
                continue;
            }
            if (!AddTarget(text, targets, error)) {
                error = file + ":" + std::to_string(number) + ": " + error;
                targets.clear();
                return false;
            }
        }
    }
    if (targets.empty()) {
        error = "no targets: give --net HOST[:PORT] or a --targets file that lists some";
        return false;
    }
    return true;
}

} // namespace qm::cli

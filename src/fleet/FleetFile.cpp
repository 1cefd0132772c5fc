#include "fleet/FleetFile.h"

#include "fleet/Baseline.h"
#include "platform/Encoding.h"
#include "settings/ModelTable.h"
#include "settings/SettingsFile.h"

#include <toml++/toml.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <set>

namespace qm::fleet {
namespace {

constexpr char kRegisteredWord[] = "(R)";
constexpr char kRegisteredSign[] = "\xC2\xAE";
constexpr int kMaxPort = 65535;
constexpr unsigned char kLastControl = 0x20; // blanks and control characters end a host
constexpr unsigned char kDelete = 0x7F;

// The keys each table may hold.
const std::set<std::string> kTopKeys = {"fleet", "group"};
const std::set<std::string> kFleetKeys = {"name", "jobs"};
const std::set<std::string> kGroupKeys = {"name", "baseline", "model", "printers"};

FilePlace PlaceOf(const toml::source_region& region) {
    return {static_cast<int>(region.begin.line), static_cast<int>(region.begin.column)};
}

// Collects the first mistake with its place.
class Problems {
public:
    explicit Problems(std::string file) : file_(std::move(file)) {}

    bool Report(FilePlace place, const std::string& message) {
        if (message_.empty()) {
            message_ = file_ + ":" + std::to_string(place.line) + ":" +
                       std::to_string(place.column) + ": " + message;
        }
        return false;
    }
    const std::string& Message() const { return message_; }

private:
    std::string file_;
    std::string message_;
};

bool OnlyKnownKeys(const toml::table& table, const std::set<std::string>& known,
                   const std::string& where, Problems& problems) {
    for (const auto& [key, node] : table) {
        if (known.count(std::string(key.str())) == 0) {
            return problems.Report(PlaceOf(key.source()),
                                   "unknown key \"" + std::string(key.str()) + "\" in " + where);
        }
    }
    return true;
}

bool ReadFleetTable(const toml::node* node, FleetFile& fleet, Problems& problems) {
    if (node == nullptr) {
        return true;
    }
    const toml::table* table = node->as_table();
    if (table == nullptr) {
        return problems.Report(PlaceOf(node->source()), "\"fleet\" must be a table");
    }
    if (!OnlyKnownKeys(*table, kFleetKeys, "[fleet]", problems)) {
        return false;
    }
    if (const toml::node* name = table->get("name")) {
        if (!name->is_string()) {
            return problems.Report(PlaceOf(name->source()), "\"name\" must be a string");
        }
        fleet.name = **name->as_string();
    }
    if (const toml::node* jobs = table->get("jobs")) {
        const auto* value = jobs->as_integer();
        if (value == nullptr || **value < 1 || **value > FleetFile::kMaxJobs) {
            return problems.Report(PlaceOf(jobs->source()),
                                   "\"jobs\" must be a whole number 1-" +
                                       std::to_string(FleetFile::kMaxJobs));
        }
        fleet.jobs = static_cast<int>(**value);
    }
    return true;
}

const toml::node* RequiredString(const toml::table& table, const char* key, FilePlace tablePlace,
                                 Problems& problems) {
    const toml::node* node = table.get(key);
    if (node == nullptr) {
        problems.Report(tablePlace, std::string("the group has no \"") + key + "\"");
        return nullptr;
    }
    if (!node->is_string() || (**node->as_string()).empty()) {
        problems.Report(PlaceOf(node->source()),
                        std::string("\"") + key + "\" must be a non-empty string");
        return nullptr;
    }
    return node;
}

bool ReadModel(const toml::node& node, FleetGroup& group, Problems& problems) {
    std::optional<int> model;
    if (const auto* number = node.as_integer()) {
        if (ModelTable::IsValid(static_cast<int>(**number)) && **number >= 0) {
            model = static_cast<int>(**number);
        }
    } else if (const auto* text = node.as_string()) {
        model = ModelFromText(**text);
    }
    if (!model) {
        return problems.Report(PlaceOf(node.source()),
                               "\"model\" must be a model name or a number 0-37");
    }
    group.model = model;
    return true;
}

bool ReadPrinters(const toml::node& node, FleetGroup& group,
                  std::map<std::string, std::string>& seen, Problems& problems) {
    const toml::array* list = node.as_array();
    if (list == nullptr) {
        return problems.Report(PlaceOf(node.source()),
                               "\"printers\" must be a list of \"HOST[:PORT]\" strings");
    }
    for (const toml::node& item : *list) {
        const FilePlace place = PlaceOf(item.source());
        if (!item.is_string()) {
            return problems.Report(place, "a printer must be a \"HOST[:PORT]\" string");
        }
        FleetPrinter printer;
        printer.place = place;
        std::string error;
        if (!ParsePrinterAddress(**item.as_string(), printer, error)) {
            return problems.Report(place, error);
        }
        auto [at, fresh] = seen.emplace(printer.address, group.name);
        if (!fresh) {
            return problems.Report(place, "printer " + printer.address + " is already in group \"" +
                                              at->second + "\"");
        }
        group.printers.push_back(std::move(printer));
    }
    return true;
}

bool ReadGroup(const toml::node& node, const std::filesystem::path& folder, FleetFile& fleet,
               std::map<std::string, std::string>& seenPrinters, Problems& problems) {
    const toml::table* table = node.as_table();
    const FilePlace place = PlaceOf(node.source());
    if (table == nullptr) {
        return problems.Report(place, "each [[group]] must be a table");
    }
    if (!OnlyKnownKeys(*table, kGroupKeys, "[[group]]", problems)) {
        return false;
    }
    FleetGroup group;
    const toml::node* name = RequiredString(*table, "name", place, problems);
    if (name == nullptr) {
        return false;
    }
    group.name = **name->as_string();
    for (const FleetGroup& other : fleet.groups) {
        if (other.name == group.name) {
            return problems.Report(PlaceOf(name->source()),
                                   "group \"" + group.name + "\" is named twice");
        }
    }
    const toml::node* baseline = RequiredString(*table, "baseline", place, problems);
    if (baseline == nullptr) {
        return false;
    }
    group.baselinePlace = PlaceOf(baseline->source());
    const std::filesystem::path given(**baseline->as_string());
    group.baseline = (given.is_absolute() ? given : folder / given).lexically_normal().string();
    if (const toml::node* model = table->get("model")) {
        if (!ReadModel(*model, group, problems)) {
            return false;
        }
    }
    const toml::node* printers = table->get("printers");
    if (printers == nullptr) {
        return problems.Report(place, "the group has no \"printers\"");
    }
    if (!ReadPrinters(*printers, group, seenPrinters, problems)) {
        return false;
    }
    // The baseline must read; when the group names its model, it must also hold only values
    // that model takes (otherwise each printer's own model is checked when it answers).
    const Baseline loaded = Baseline::Load(group.baseline, group.model.value_or(0));
    if (!loaded.Ok() &&
        (group.model || loaded.problem.rfind("the baseline holds values", 0) != 0)) {
        return problems.Report(group.baselinePlace, loaded.problem + " (" + group.baseline + ")");
    }
    fleet.groups.push_back(std::move(group));
    return true;
}

} // namespace

std::optional<int> ModelFromText(const std::string& text) {
    if (!text.empty() && text.size() <= 2 &&
        text.find_first_not_of("0123456789") == std::string::npos) {
        const int model = std::stoi(text);
        return ModelTable::IsValid(model) ? std::optional<int>(model) : std::nullopt;
    }
    std::string name = text;
    if (size_t at = name.find(kRegisteredWord); at != std::string::npos) {
        name.replace(at, std::string(kRegisteredWord).size(), kRegisteredSign);
    }
    const int model = ModelTable::FindByDisplayName(Utf8ToUtf16(name));
    return model >= 0 ? std::optional<int>(model) : std::nullopt;
}

bool ParsePrinterAddress(const std::string& text, FleetPrinter& printer, std::string& error) {
    std::string host = text;
    std::string port = std::to_string(FleetFile::kDefaultPort);
    if (const size_t colon = host.rfind(':'); colon != std::string::npos) {
        port = host.substr(colon + 1);
        host.resize(colon);
    }
    bool hostOk = !host.empty();
    for (const unsigned char c : host) {
        hostOk = hostOk && c > kLastControl && c != kDelete && c != '/' && c != ':';
    }
    if (!hostOk) {
        error = "\"" + text + "\" is not HOST[:PORT]";
        return false;
    }
    if (port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos || std::stoi(port) < 1 ||
        std::stoi(port) > kMaxPort) {
        error = "\"" + text + "\": the port must be 1-65535";
        return false;
    }
    printer.address = host + ":" + std::to_string(std::stoi(port));
    printer.settings = StaticInterfaceSettings{};
    printer.settings.portType = kPortNet;
    printer.settings.portName = Utf8ToUtf16(host);
    printer.settings.portNumber = Utf8ToUtf16(std::to_string(std::stoi(port)));
    return true;
}

bool FleetFile::Parse(const std::string& text, const std::string& filePath, FleetFile& fleet,
                      std::string& error) {
    fleet = FleetFile{};
    fleet.path = filePath;
    Problems problems(filePath);
    toml::table document;
    try {
        document = toml::parse(text, filePath);
    } catch (const toml::parse_error& failure) {
        problems.Report(PlaceOf(failure.source()), std::string(failure.description()));
        error = problems.Message();
        return false;
    }
    const std::filesystem::path folder = std::filesystem::path(filePath).parent_path();
    bool ok = OnlyKnownKeys(document, kTopKeys, "the fleet file", problems) &&
              ReadFleetTable(document.get("fleet"), fleet, problems);
    std::map<std::string, std::string> seenPrinters;
    if (ok) {
        const toml::node* groups = document.get("group");
        const toml::array* list = groups != nullptr ? groups->as_array() : nullptr;
        if (groups != nullptr && list == nullptr) {
            ok = problems.Report(PlaceOf(groups->source()), "groups are written as [[group]]");
        } else if (list == nullptr || list->empty()) {
            ok = problems.Report({1, 1}, "the fleet file has no [[group]]");
        } else {
            for (const toml::node& group : *list) {
                if (!ReadGroup(group, folder, fleet, seenPrinters, problems)) {
                    ok = false;
                    break;
                }
            }
        }
    }
    if (!ok) {
        error = problems.Message();
        fleet.groups.clear();
    }
    return ok;
}

bool FleetFile::Load(const std::string& filePath, FleetFile& fleet, std::string& error) {
    std::string bytes;
    int readError = 0;
    const FileResult read = SettingsFile::ReadBytes(filePath, bytes, &readError);
    if (read != FileResult::kOk || bytes.size() > kMaxFileBytes) {
        error = filePath + ": " +
                (read == FileResult::kTooLarge || bytes.size() > kMaxFileBytes
                     ? std::string("the fleet file is too large")
                     : std::string("cannot read the fleet file: ") + std::strerror(readError));
        return false;
    }
    return Parse(bytes, filePath, fleet, error);
}

bool FleetFile::Select(const std::string& group, std::vector<const FleetGroup*>& selected) const {
    selected.clear();
    for (const FleetGroup& g : groups) {
        if (group.empty() || g.name == group) {
            selected.push_back(&g);
        }
    }
    return !selected.empty();
}

} // namespace qm::fleet

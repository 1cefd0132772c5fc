#include "E2eSupport.h"

#include "printer-sim/SimHarness.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qm::e2e {
namespace {

// The printer's spelling of the RFID keys and the key the program's record uses for them.
const std::map<std::string, std::string>& RfidSpellings() {
    static const std::map<std::string, std::string> spellings = {
        {"RFID CALIB Y POSITION", "RFID CALIB BASE POSITION"},
        {"RFID Y POSITION", "RFID FIXED POSITION"},
        {"RFID WRITE POWER", "RFID FIXED POWER"},
        {"RFID NGMARK POSITION", "RFID NG MARK POSITION"},
        {"RFID NGMARK WIDTH", "RFID NG MARK WIDTH"},
        {"RFID NGMARK HEIGHT", "RFID NG MARK HEIGHT"},
        {"RFID NGMARK THICKNESS", "RFID NG MARK THICKNESS"},
    };
    return spellings;
}

// A value as words: tabs become blanks, a voltage's "V" goes.
std::string Normalised(std::string value) {
    std::replace(value.begin(), value.end(), '\t', ' ');
    if (value.size() > 2 && value.compare(value.size() - 2, 2, " V") == 0) {
        value.resize(value.size() - 2);
    }
    return value;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    return simtest::CrLfLines(text);
}

} // namespace

int FreePortOn(const std::string& address) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in bound{};
    bound.sin_family = AF_INET;
    ::inet_pton(AF_INET, address.c_str(), &bound.sin_addr);
    socklen_t length = sizeof bound;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&bound), sizeof bound) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) == 0) {
        port = ntohs(bound.sin_port);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return port;
}

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env,
                 int timeoutMs, const std::function<bool()>& interruptWhen,
                 const std::vector<int>& signals) {
    std::vector<std::string> argv = {QM_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::RunProgram(argv, {env, timeoutMs, interruptWhen, signals});
}

std::vector<ReplyLine> SettingLines(const std::string& reply) {
    std::vector<ReplyLine> lines;
    for (const std::string& line : SplitCrLf(reply)) {
        size_t at = line.find("\t:\t");
        if (at == std::string::npos) {
            continue;
        }
        lines.push_back({line.substr(0, at), line.substr(at + 3)});
    }
    return lines;
}

std::string RawAllReply(int tcpPort) {
    return simtest::Exchange(tcpPort, simtest::LeadIn() + "SEND CONFIG\t:\tALL\r\nEXIT\r\n").bytes;
}

std::multimap<std::string, nlohmann::json> ItemsByKey(const nlohmann::json& document) {
    std::multimap<std::string, nlohmann::json> items;
    if (document.contains("items")) {
        for (const nlohmann::json& item : document["items"]) {
            items.emplace(item.value("key", ""), item);
        }
    }
    return items;
}

std::vector<std::string> MissingValues(const std::string& reply, const nlohmann::json& document) {
    std::vector<std::string> faults;
    if (!document.contains("items") || !document.contains("configuration")) {
        return {"the receive printed no items or no configuration"};
    }
    std::vector<std::string> configLines = SplitCrLf(document["configuration"].get<std::string>());
    std::set<std::string> configuration(configLines.begin(), configLines.end());
    std::multimap<std::string, nlohmann::json> items = ItemsByKey(document);

    // The wireless keys and passwords (entries 83-87 and 90) are forgotten after a receive.
    std::set<std::string> forgotten;
    for (const nlohmann::json& item : document["items"]) {
        int entry = item.value("entry", -1);
        if ((entry >= 83 && entry <= 87) || entry == 90) {
            forgotten.insert(item.value("key", ""));
        }
    }

    std::vector<ReplyLine> lines = SettingLines(reply);
    if (lines.size() < 50) {
        faults.push_back("the simulator's reply holds only " + std::to_string(lines.size()) +
                         " settings");
    }
    for (const ReplyLine& line : lines) {
        std::string value = line.value;
        if (value.size() > 2 && value.compare(value.size() - 2, 2, "\tV") == 0) {
            value.resize(value.size() - 2);
        }
        if (configuration.count(line.key + "\t:\t" + value) != 0) {
            continue;
        }
        auto spelling = RfidSpellings().find(line.key);
        const std::string key = spelling != RfidSpellings().end() ? spelling->second : line.key;
        auto [first, last] = items.equal_range(key);
        bool found = false;
        for (auto it = first; it != last && !found; ++it) {
            const nlohmann::json& item = it->second;
            if (forgotten.count(key) != 0) {
                found = item.value("ticked", 1) == 0 && item.value("value", "x").empty();
                continue;
            }
            std::string got = item.value("value", "");
            std::string second = item.value("second", "");
            if (!second.empty()) {
                got += " " + second;
            }
            found = item.value("error", 1) == 0 && Normalised(got) == Normalised(line.value);
        }
        if (!found) {
            faults.push_back(line.key + "\t:\t" + line.value + " did not arrive" +
                             (first == last ? " (no item with key " + key + ")" : ""));
        }
    }
    return faults;
}

std::vector<std::string> RedItems(const nlohmann::json& document) {
    std::vector<std::string> red;
    if (!document.contains("items")) {
        return red;
    }
    for (const nlohmann::json& item : document["items"]) {
        if (item.value("error", 0) != 0) {
            red.push_back(std::to_string(item.value("entry", -1)) + " " + item.value("key", "") +
                          "=" + item.value("value", ""));
        }
    }
    return red;
}

bool ReplaceValue(std::string& text, const std::string& key, const std::string& value) {
    const std::string head = key + "\t:\t";
    size_t at = text.find("\n" + head);
    if (at == std::string::npos) {
        return false;
    }
    at += 1 + head.size();
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
        return false;
    }
    text.replace(at, end - at, value);
    return true;
}

std::string ValueOf(const std::string& reply, const std::string& key) {
    for (const ReplyLine& line : SettingLines(reply)) {
        if (line.key == key) {
            return line.value;
        }
    }
    return "";
}

std::string ReadFile(const std::string& path) {
    return simtest::ReadFile(path);
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

std::vector<std::string> LogEvents(const std::string& logPath, const std::string& event) {
    std::vector<std::string> lines;
    std::istringstream log(ReadFile(logPath));
    std::string line;
    while (std::getline(log, line)) {
        std::istringstream fields(line);
        std::string time;
        std::string transport;
        std::string name;
        fields >> time >> transport >> name;
        if (name == event) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "  " + line + "\n";
    }
    return text;
}

} // namespace qm::e2e

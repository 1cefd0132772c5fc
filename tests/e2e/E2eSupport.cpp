#include "E2eSupport.h"

#include "printer-sim/SimHarness.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace qm::e2e {
namespace {

using SteadyClock = std::chrono::steady_clock;

long Since(SteadyClock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count());
}

// The environment of the child: the test's own, with `extra` replacing same-named entries.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        bool replaced = std::any_of(extra.begin(), extra.end(), [&](const std::string& e) {
            return e.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (!replaced) {
            env.push_back(text);
        }
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

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

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& env,
                 int timeoutMs, const std::function<bool()>& interruptWhen,
                 const std::vector<int>& signals) {
    constexpr useconds_t kSignalGapUs = 100 * 1000;
    CliResult result;
    int out[2];
    int err[2];
    if (::pipe(out) != 0) {
        return result;
    }
    if (::pipe(err) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    std::vector<std::string> argv = {QM_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envp = ChildEnvironment(env);
    std::vector<char*> argvPointers;
    for (std::string& a : argv) {
        argvPointers.push_back(a.data());
    }
    argvPointers.push_back(nullptr);
    std::vector<char*> envPointers;
    for (std::string& e : envp) {
        envPointers.push_back(e.data());
    }
    envPointers.push_back(nullptr);

    auto start = SteadyClock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        ::execve(argvPointers[0], argvPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    bool open[2] = {true, true};
    int fds[2] = {out[0], err[0]};
    bool interrupted = false;
    while ((open[0] || open[1]) && Since(start) < timeoutMs) {
        if (interruptWhen && !interrupted && interruptWhen()) {
            for (size_t i = 0; i < signals.size(); ++i) {
                if (i > 0) {
                    ::usleep(kSignalGapUs); // each one taken on its own
                }
                ::kill(pid, signals[i]);
            }
            interrupted = true;
        }
        pollfd p[2] = {{open[0] ? fds[0] : -1, POLLIN, 0}, {open[1] ? fds[1] : -1, POLLIN, 0}};
        if (::poll(p, 2, 50) <= 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (p[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            if (n <= 0) {
                open[i] = false;
            } else {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
            }
        }
    }
    int status = 0;
    while (true) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            result.status = WIFEXITED(status) ? WEXITSTATUS(status)
                                              : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
            break;
        }
        if (done < 0) {
            break;
        }
        if (Since(start) >= timeoutMs) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.elapsedMs = Since(start);
    ::close(fds[0]);
    ::close(fds[1]);
    return result;
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

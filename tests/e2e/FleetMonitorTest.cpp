// fleet monitor against simulated printers on loopback addresses of this test process (a block
// 127.25.B.0/24, one ephemeral port for all): metrics and events for printers in each state,
// one event per change (paper out on and off, a printer killed and restarted, drift made by a
// send and removed by fleet apply), a silent printer that does not hold up the others, the
// token, the hook, a restart that reports nothing again, and the page in a headless browser.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;
using Clock = std::chrono::steady_clock;

constexpr char kChromium[] = "/usr/bin/chromium";

std::string Host(int host) {
    return "127.25." + std::to_string(1 + ::getpid() % 250) + "." + std::to_string(host);
}

int FreePort() {
    return FreePortOn(Host(1));
}

// An HTTP/1.0 GET: the status code and the body; status 0 when nothing answered.
struct HttpReply {
    int status = 0;
    std::string body;
};
HttpReply Get(const std::string& host, int port, const std::string& path,
              const std::string& token = "") {
    HttpReply reply;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    ::inet_pton(AF_INET, host.c_str(), &address.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return reply;
    }
    std::string request = "GET " + path + " HTTP/1.0\r\nHost: " + host + "\r\n";
    if (!token.empty()) {
        request += "Authorization: Bearer " + token + "\r\n";
    }
    request += "\r\n";
    (void)!::write(fd, request.data(), request.size());
    std::string bytes;
    char buffer[65536];
    pollfd waiting{fd, POLLIN, 0};
    while (::poll(&waiting, 1, 5000) > 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    const size_t space = bytes.find(' ');
    const size_t bodyAt = bytes.find("\r\n\r\n");
    if (space != std::string::npos && bodyAt != std::string::npos) {
        reply.status = std::atoi(bytes.c_str() + space + 1);
        reply.body = bytes.substr(bodyAt + 4);
    }
    return reply;
}

// A running `quillmark-cli fleet monitor`, its standard output collected line by line.
class Monitor {
public:
    explicit Monitor(const std::vector<std::string>& args) {
        int out[2];
        EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            std::vector<std::string> all = {QM_CLI, "fleet", "monitor"};
            all.insert(all.end(), args.begin(), args.end());
            std::vector<char*> argv;
            for (std::string& arg : all) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        reader_ = std::thread([this, fd = out[0]] {
            char buffer[4096];
            ssize_t got = 0;
            while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
                std::lock_guard lock(mutex_);
                out_.append(buffer, static_cast<size_t>(got));
            }
            ::close(fd);
        });
        const std::string announce = WaitFor("listening on ", 10000) ? Out() : "";
        const size_t at = announce.find("listening on ");
        if (at != std::string::npos) {
            port_ = std::atoi(announce.c_str() + announce.find(':', at) + 1);
        }
    }
    ~Monitor() { Stop(); }

    int Port() const { return port_; }
    void Signal(int signal) { ::kill(pid_, signal); }
    std::string Out() {
        std::lock_guard lock(mutex_);
        return out_;
    }
    // Waits until the output holds `text`.
    bool WaitFor(const std::string& text, int timeoutMs = 8000) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < end) {
            if (Out().find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    // SIGTERM; the exit status, or -1 when it did not end within 10 s.
    int Stop() {
        if (pid_ <= 0) {
            return status_;
        }
        ::kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 1000 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (::waitpid(pid_, &status, WNOHANG) == 0 && !WIFEXITED(status)) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            status = -1;
        }
        pid_ = -1;
        reader_.join();
        status_ = status < 0 ? -1 : (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        return status_;
    }

private:
    pid_t pid_ = -1;
    int port_ = 0;
    int status_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::string out_;
};

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class E2eFleetMonitor : public ::testing::Test {
protected:
    void StartPrinter(int host, const std::string& serial,
                      const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"--tcp",    Address(host),
                                         "--serial", serial,
                                         "--state",  dir_.Path("state" + std::to_string(host))};
        args.insert(args.end(), extra.begin(), extra.end());
        sims_[host] = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sims_[host]->Ready());
    }
    void StopPrinter(int host) { sims_.erase(host); }
    std::string Address(int host) const { return Host(host) + ":" + std::to_string(port_); }

    // Group "a" holds host 1, group "b" the others; both with host 1's settings as the
    // baseline (taken by fleet backup while host 1 runs).
    std::string WriteFleet(const std::vector<int>& others) {
        const std::string path = dir_.Path("fleet.toml");
        std::string text = "[fleet]\nname = \"Test\"\njobs = 2\n"
                           "[[group]]\nname = \"a\"\nbaseline = \"dock.prn\"\nmodel = 0\n"
                           "printers = [\"" +
                           Address(1) + "\"]\n";
        WriteFile(dir_.Path("dock.prn"),
                  ReadFile(std::string(QM_SOURCE_DIR) + "/examples/model0-standard.prn"));
        WriteFile(path, text);
        EXPECT_EQ(Fleet({"backup", path, "--dir", dir_.Path("bk")}).status, 0);
        WriteFile(dir_.Path("dock.prn"), ReadFile(dir_.Path("bk/QM1.prn")));
        text += "[[group]]\nname = \"b\"\nbaseline = \"dock.prn\"\nprinters = [";
        for (int host : others) {
            text += "\"" + Address(host) + "\", ";
        }
        WriteFile(path, text + "]\n");
        return path;
    }
    CliResult Fleet(std::vector<std::string> args) {
        args.insert(args.begin(), "fleet");
        args.insert(args.end(), {"--db", dir_.Path("fleet.sqlite")});
        return RunCli(args, {"XDG_RUNTIME_DIR=" + dir_.Path("")});
    }

    TempDir dir_;
    int port_ = FreePort();
    std::map<int, std::unique_ptr<SimProcess>> sims_;
};

TEST_F(E2eFleetMonitor, ReportsEachChangeOnceServesMetricsAndKeepsPollingPastASilentPrinter) {
    StartPrinter(1, "QM1");
    StartPrinter(2, "QM2", {"--paper-out"});
    StartPrinter(3, "QM3", {"--silent"});
    StartPrinter(4, "QM4", {"--silent"});
    // Two exchanges at once: the silent printers may hold only one of them.
    const std::string fleet = WriteFleet({2, 3, 4, 5}); // host 5: nothing there
    const std::string token = dir_.Path("token");
    WriteFile(token, "t0ken\n");
    ::chmod(token.c_str(), 0600);
    const std::string hookLog = dir_.Path("hook.log");
    const std::vector<std::string> args = {
        fleet,
        "--db",
        dir_.Path("fleet.sqlite"),
        "--listen",
        Host(1) + ":0",
        "--interval",
        "1",
        "--drift-interval",
        "1",
        "--token-file",
        token,
        "--on-event",
        "printf '%s %s %s %s\\n' \"$QUILLMARK_PRINTER\" \"$QUILLMARK_EVENT\" "
        "\"$QUILLMARK_STATE\" \"$QUILLMARK_SERIAL\" >> " +
            hookLog};
    const std::string a1 = Address(1);
    const std::string a2 = Address(2);
    {
        Monitor monitor(args);
        ASSERT_GT(monitor.Port(), 0) << monitor.Out();
        ASSERT_TRUE(monitor.WaitFor(Address(3) + " reachability no answer")) << monitor.Out();
        ASSERT_TRUE(monitor.WaitFor(Address(5) + " reachability down")) << monitor.Out();
        ASSERT_TRUE(monitor.WaitFor(a2 + " paper_error on serial QM2")) << monitor.Out();
        // Host 1 holds the baseline: no drift event, but its drift is known with its first poll.
        ASSERT_TRUE(monitor.WaitFor(a1 + " reachability up")) << monitor.Out();

        // Every path needs the token.
        EXPECT_EQ(Get(Host(1), monitor.Port(), "/metrics").status, 401);
        EXPECT_EQ(Get(Host(1), monitor.Port(), "/api/printers", "wrong").status, 401);
        const HttpReply metrics = Get(Host(1), monitor.Port(), "/metrics", "t0ken");
        ASSERT_EQ(metrics.status, 200);
        EXPECT_NE(metrics.body.find("quillmark_printer_paper_error{printer=\"" + a2 +
                                    "\",group=\"b\",model=\"Vexa Alder\",serial=\"QM2\"} 1\n"),
                  std::string::npos)
            << metrics.body;
        EXPECT_NE(metrics.body.find("quillmark_printer_up{printer=\"" + Address(5) +
                                    "\",group=\"b\",model=\"\",serial=\"\"} 0\n"),
                  std::string::npos);
        EXPECT_NE(metrics.body.find("quillmark_printer_drifted_settings{printer=\"" + a1 +
                                    "\",group=\"a\",model=\"Vexa Alder\",serial=\"QM1\"} 0\n"),
                  std::string::npos);

        // A silent printer holds an exchange for its time-out; host 1 is still polled.
        auto lastPoll = [&](const std::string& address) {
            const HttpReply api = Get(Host(1), monitor.Port(), "/api/printers", "t0ken");
            const nlohmann::json list = nlohmann::json::parse(api.body);
            for (const auto& p : list["printers"]) {
                if (p["printer"] == address && p["lastPoll"].is_number()) {
                    return p["lastPoll"].get<double>();
                }
            }
            return 0.0;
        };
        const double before = lastPoll(a1);
        std::this_thread::sleep_for(std::chrono::milliseconds(3000));
        EXPECT_GE(lastPoll(a1) - before, 1)
            << Get(Host(1), monitor.Port(), "/api/printers", "t0ken").body;

        // Paper back in; a printer killed and started again; drift made and undone.
        StopPrinter(2);
        StartPrinter(2, "QM2");
        ASSERT_TRUE(monitor.WaitFor(a2 + " paper_error off")) << monitor.Out();
        StopPrinter(1);
        ASSERT_TRUE(monitor.WaitFor(a1 + " reachability down")) << monitor.Out();
        StartPrinter(1, "QM1");
        ASSERT_TRUE(monitor.WaitFor(a1 + " reachability up serial QM1 group a\n", 12000))
            << monitor.Out();
        WriteFile(dir_.Path("drift.prn"), simtest::LeadIn() + "PRINT DARKNESS\t:\t3\r\nEND\r\n");
        ASSERT_EQ(RunCli({"send", dir_.Path("drift.prn"), "--net", a1}).status, 0);
        ASSERT_TRUE(monitor.WaitFor(a1 + " drift on")) << monitor.Out();
        ASSERT_EQ(Fleet({"apply", fleet, "--group", "a"}).status, 0);
        ASSERT_TRUE(monitor.WaitFor(a1 + " drift off", 8000)) << monitor.Out();
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        EXPECT_EQ(monitor.Stop(), 0);

        const std::string out = monitor.Out();
        EXPECT_EQ(Count(out, a2 + " paper_error on"), 1) << out;
        EXPECT_EQ(Count(out, a2 + " paper_error off"), 1) << out;
        EXPECT_EQ(Count(out, a1 + " reachability down"), 1) << out;
        EXPECT_EQ(Count(out, a1 + " reachability up"), 2) << out;
        EXPECT_EQ(Count(out, a1 + " drift on"), 1) << out;
        EXPECT_EQ(Count(out, a1 + " drift off"), 1) << out;
        EXPECT_EQ(Count(out, Address(3) + " reachability"), 1) << out;
        // The hook ran once per event line, with the event in its environment.
        const std::string hook = ReadFile(hookLog);
        EXPECT_EQ(Count(hook, "\n"), Count(out, "\n") - 1) << hook;
        EXPECT_EQ(Count(hook, a2 + " paper_error on QM2\n"), 1) << hook;
    }
    // A new monitor does not say again what was reported.
    const int lines = Count(ReadFile(hookLog), "\n");
    Monitor again(args);
    ASSERT_GT(again.Port(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_EQ(again.Stop(), 0);
    EXPECT_EQ(again.Out().find(" reachability "), std::string::npos) << again.Out();
    EXPECT_EQ(Count(ReadFile(hookLog), "\n"), lines);
}

// Runs Debian's chromium headless on `url` with `action` ("--dump-dom" or
// "--screenshot=FILE"); what it printed on standard output.
std::string Chromium(const std::string& profile, const std::string& action,
                     const std::string& url) {
    std::filesystem::create_directories(profile);
    const std::string command =
        std::string(kChromium) +
        " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
        " --disable-background-networking --disable-component-update --disable-sync"
        " --window-size=412,915 --user-data-dir=" +
        profile + " " + action + " '" + url + "' 2>/dev/null";
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, got);
    }
    ::pclose(pipe);
    return out;
}

TEST_F(E2eFleetMonitor, ThePageShowsEachPrinterInABrowser) {
    if (::access(kChromium, X_OK) != 0) {
        GTEST_SKIP() << "chromium is not installed";
    }
    StartPrinter(1, "QM1");
    StartPrinter(2, "QM2", {"--paper-out"});
    const std::string fleet = WriteFleet({2, 3}); // host 3: nothing there
    Monitor monitor(
        {fleet, "--db", dir_.Path("fleet.sqlite"), "--listen", Host(1) + ":0", "--interval", "30"});
    ASSERT_GT(monitor.Port(), 0) << monitor.Out();
    ASSERT_TRUE(monitor.WaitFor(Address(3) + " reachability down")) << monitor.Out();
    ASSERT_TRUE(monitor.WaitFor(Address(1) + " reachability up")) << monitor.Out();
    ASSERT_TRUE(monitor.WaitFor(Address(2) + " reachability up")) << monitor.Out();

    const std::string url = "http://" + Host(1) + ":" + std::to_string(monitor.Port());
    const std::string dom = Chromium(dir_.Path("profile1"), "--dump-dom", url + "/?sort=state");
    // Sorted by state: the paper error (red), the printer that is not there (grey), the
    // healthy one; the summary counts them.
    const size_t error = dom.find("<tr class=\"error\" data-printer=\"" + Address(2) + "\">");
    const size_t down = dom.find("<tr class=\"unreachable\" data-printer=\"" + Address(3) + "\">");
    const size_t ok = dom.find("<tr class=\"ok\" data-printer=\"" + Address(1) + "\">");
    ASSERT_NE(error, std::string::npos) << dom;
    ASSERT_NE(down, std::string::npos) << dom;
    ASSERT_NE(ok, std::string::npos) << dom;
    EXPECT_LT(error, down);
    EXPECT_LT(down, ok);
    EXPECT_NE(dom.find("3 printers: 1 up, 1 in error, 1 unreachable, 0 drifted."),
              std::string::npos);
    EXPECT_NE(dom.find("error<span class=\"problem\">paper error</span>"), std::string::npos);
    EXPECT_NE(dom.find("<td class=\"num\">1234.5</td>"), std::string::npos);

    // Kept beside the test's build folder for a person to look at.
    const std::string shot = std::filesystem::current_path().string() + "/fleet-monitor-page.png";
    std::filesystem::remove(shot);
    Chromium(dir_.Path("profile2"), "--screenshot=" + shot, url + "/?sort=state");
    EXPECT_GT(std::filesystem::exists(shot) ? std::filesystem::file_size(shot) : 0u, 1000u);
}

TEST_F(E2eFleetMonitor, SighupReadsTheFleetFileAgainAndKeepsTheOldOneWhenItIsBroken) {
    StartPrinter(1, "QM1");
    StartPrinter(2, "QM2");
    const std::string fleet = WriteFleet({});
    Monitor monitor(
        {fleet, "--db", dir_.Path("fleet.sqlite"), "--listen", Host(1) + ":0", "--interval", "30"});
    ASSERT_TRUE(monitor.WaitFor(Address(1) + " reachability up")) << monitor.Out();
    const std::string good = ReadFile(fleet);
    WriteFile(fleet, good + "[[group]]\nname = \"c\"\nbogus = 1\n");
    monitor.Signal(SIGHUP);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    WriteFile(fleet, good + "[[group]]\nname = \"c\"\nbaseline = \"dock.prn\"\nprinters = [\"" +
                         Address(2) + "\"]\n");
    monitor.Signal(SIGHUP);
    ASSERT_TRUE(monitor.WaitFor(Address(2) + " reachability up serial QM2 group c"))
        << monitor.Out();
    EXPECT_EQ(monitor.Stop(), 0);
    // The broken file was not taken; host 1 was watched throughout and reported once.
    EXPECT_EQ(Count(monitor.Out(), "reloaded"), 1) << monitor.Out();
    EXPECT_EQ(Count(monitor.Out(), Address(1) + " reachability"), 1) << monitor.Out();
}

TEST_F(E2eFleetMonitor, AnAddressOtherThanLoopbackNeedsAToken) {
    WriteFile(dir_.Path("dock.prn"),
              ReadFile(std::string(QM_SOURCE_DIR) + "/examples/model0-standard.prn"));
    WriteFile(dir_.Path("fleet.toml"), "[[group]]\nname = \"a\"\nbaseline = \"dock.prn\"\n"
                                       "printers = [\"" +
                                           Address(1) + "\"]\n");
    const CliResult open = RunCli({"fleet", "monitor", dir_.Path("fleet.toml"), "--db",
                                   dir_.Path("fleet.sqlite"), "--listen", "0.0.0.0:0"});
    EXPECT_EQ(open.status, 2);
    EXPECT_NE(open.err.find("listening on 0.0.0.0 needs --token-file"), std::string::npos)
        << open.err;
    EXPECT_EQ(open.out, "");
}

} // namespace
} // namespace qm::e2e

#pragma once

// The sensor-adjustment and print-run tests: the printer simulator with its logs in a scratch
// folder, the stored settings that reach it over TCP or over its pseudo-terminal as COM1, and
// bounded waits for what it logged.

#include "connection/ConnectionTestSupport.h"
#include "connection/InterfaceSettingsSource.h"
#include "platform/Encoding.h"
#include "printer-sim/SimHarness.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace qm::test {

// A simulator of one model; extra options (faults, --calibration-fails) are appended.
class RunSimulator {
public:
    explicit RunSimulator(int model, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"--tcp",
                                         "127.0.0.1:0",
                                         "--pty",
                                         "--link",
                                         tree_.Dev("ttyS0"),
                                         "--model",
                                         std::to_string(model),
                                         "--log",
                                         dir_.Path("sim.log"),
                                         "--print-log",
                                         dir_.Path("print.log")};
        args.insert(args.end(), extra.begin(), extra.end());
        process_ = std::make_unique<simtest::SimProcess>(args);
    }
    bool Ready() const { return process_->Ready(); }

    StaticInterfaceSettings Net() const {
        StaticInterfaceSettings settings;
        settings.portType = kPortNet;
        settings.portName = u"127.0.0.1";
        settings.portNumber = U16(std::to_string(process_->TcpPort()));
        return settings;
    }
    static StaticInterfaceSettings Com() {
        StaticInterfaceSettings settings;
        settings.portType = kPortCom;
        settings.portName = u"COM1:";
        return settings;
    }
    std::string Path(const std::string& name) const { return dir_.Path(name); }

    // The lines of a log holding `event`, waiting (at most 5 s) until there are `count`.
    std::vector<std::string> Lines(const std::string& log, const std::string& event,
                                   size_t count = 1) const {
        std::vector<std::string> found;
        for (int i = 0; i < 500; ++i) {
            found.clear();
            for (const std::string& line : Split(simtest::ReadFile(dir_.Path(log)))) {
                if (line.find(" " + event) != std::string::npos) {
                    found.push_back(line);
                }
            }
            if (found.size() >= count) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return found;
    }
    // The print log's lines (one per print).
    std::vector<std::string> Prints(size_t count = 1) const {
        return Lines("print.log", "PRINT ", count);
    }

private:
    static std::vector<std::string> Split(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    FakeDeviceTree tree_;
    simtest::TempDir dir_;
    std::unique_ptr<simtest::SimProcess> process_;
};

} // namespace qm::test

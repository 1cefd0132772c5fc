// quillmark-cli get and set, run in-process against a printer on a loopback port that keeps
// the settings a configuration sets (except those it is told to ignore).
#include "cli/CliFolderTest.h"
#include "cli/CliRun.h"
#include "connection/ConnectionTestSupport.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <set>

namespace qm {
namespace {

using test::RunCli;

const std::string kMarkerA("~!!\r\n\x02\x1b~A\r\n", 11);

// A model 0 printer ("Vexa Alder") holding a few settings.
class FakePrinter {
public:
    explicit FakePrinter(std::set<std::string> ignored = {})
        : ignored_(std::move(ignored)),
          server_([this](const std::string& request) { return Answer(request); }) {}

    std::string Net() const { return "127.0.0.1:" + std::to_string(server_.Port()); }
    std::vector<std::string> Requests() { return server_.Requests(); }
    // The configurations it was sent (requests that are no question).
    std::vector<std::string> Configurations() {
        std::vector<std::string> sent;
        for (const std::string& request : server_.Requests()) {
            if (request.find("EXIT\r\n") == std::string::npos) {
                sent.push_back(request);
            }
        }
        return sent;
    }

private:
    // A configuration's KEY\t:\tVALUE lines, kept (it ends on the connection's close, so it is
    // applied when the settings are next asked for).
    void Apply(const std::string& configuration, std::map<std::string, std::string>& settings) {
        size_t at = 0;
        while ((at = configuration.find("\r\n", at)) != std::string::npos) {
            at += 2;
            const size_t end = configuration.find("\r\n", at);
            const size_t separator = configuration.find("\t:\t", at);
            if (end == std::string::npos || separator == std::string::npos || separator > end) {
                continue;
            }
            const std::string key = configuration.substr(at, separator - at);
            if (ignored_.count(key) == 0) {
                settings[key] = configuration.substr(separator + 3, end - separator - 3);
            }
        }
    }

    std::string Answer(const std::string& request) {
        if (request.find("SEND MACHINE INFO") != std::string::npos) {
            return kMarkerA +
                   "Model Number\t:\tVexa Alder\r\nEmulation\t:\tCODE_KORVANE\r\nEND\r\n";
        }
        std::map<std::string, std::string> settings = settings_;
        for (const std::string& configuration : Configurations()) {
            Apply(configuration, settings);
        }
        std::string reply = kMarkerA;
        for (const auto& [key, value] : settings) {
            reply += key + "\t:\t" + value + "\r\n";
        }
        return reply + "END\r\n";
    }

    std::set<std::string> ignored_;
    std::map<std::string, std::string> settings_ = {
        {"PRINT SPEED", "6 IPS"},     {"CONTINUOUS MEDIA LENGTH", "4.00\tINCH"},
        {"IPV4 ADDRESS", "10,0,0,7"}, {"HOST NAME", "desk\x1b]0;owned\x07"},
        {"WLAN PSK", "hunter2"},
    };
    test::PrinterServer server_;
};

class CliGetSet : public test::CliFolderTest {};

TEST_F(CliGetSet, GetPrintsReportedValuesAndExitsByWhatWasMissing) {
    FakePrinter printer;
    test::CliRun run = RunCli({"get", "print-speed", "Continuous_Media_Length", "IPV4 ADDRESS",
                               "host-name", "wlan-psk", "--net", printer.Net()});
    ASSERT_EQ(run.status, 0) << run.err;
    // Aligned columns; the model asked from the printer; a host name the model does not take
    // (it holds an escape sequence) and the password are never printed.
    EXPECT_EQ(run.out, "PRINT SPEED              6 IPS\n"
                       "CONTINUOUS MEDIA LENGTH  4.00 INCH\n"
                       "IPV4 ADDRESS             10.0.0.7\n"
                       "HOST NAME                (a value this model does not take)\n"
                       "WLAN PSK                 (not shown: wireless keys and passwords are "
                       "never printed)\n");
    EXPECT_EQ(run.out.find("hunter2"), std::string::npos);
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(printer.Requests().front().find("SEND MACHINE INFO"), 17u);

    // A known setting the printer did not report: exit 1, in the JSON too.
    run = RunCli(
        {"get", "print-speed", "print-darkness", "--net", printer.Net(), "--model", "0", "--json"});
    EXPECT_EQ(run.status, 1) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["settings"][0]["value"], "6 IPS");
    EXPECT_EQ(json["settings"][1]["state"], "not reported");
    EXPECT_FALSE(json["settings"][1].contains("value"));

    // An unknown key: exit 2 with the nearest keys, and the printer is not asked at all.
    const size_t asked = printer.Requests().size();
    run = RunCli({"get", "print-sped", "--net", printer.Net(), "--model", "0"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "quillmark-cli get: unknown setting \"print-sped\"; did you mean PRINT SPEED?\n");
    EXPECT_EQ(printer.Requests().size(), asked);
}

TEST_F(CliGetSet, SetRefusesWithoutSendingAnything) {
    FakePrinter printer;
    const test::CliRun run =
        RunCli({"set", "print-speed=99 IPS", "continuous-media-length=4.00",
                "through-sensor-position=3", "host-name=a\tb", "prnt-method=DT", "wlan-psk=;secret",
                "--net", printer.Net(), "--model", "0"});
    EXPECT_EQ(run.status, 4);
    for (const char* reason :
         {"continuous-media-length: give the unit, e.g. 4.00 INCH or 101.6 MM",
          "through-sensor-position: an Advanced (Factory Mode) setting; give --advanced",
          "host-name: the value holds a control character",
          "prnt-method: unknown setting; did you mean PRINT METHOD?",
          "print-speed: \"99 IPS\" is not a valid value for model 0",
          "wlan-psk: \"********\" would not arrive as given", "set: nothing sent"}) {
        EXPECT_NE(run.err.find(reason), std::string::npos) << reason << "\n" << run.err;
    }
    EXPECT_EQ(run.err.find("secret"), std::string::npos) << run.err;
    EXPECT_TRUE(printer.Requests().empty());

    // --dry-run shows the frame escaped, the password masked, and sends nothing.
    const test::CliRun dry =
        RunCli({"set", "continuous-media-length=101.6 mm", "ipv4-address=10.0.0.9",
                "wlan-psk=hunter3", "reflect-sensor-position=-2", "--advanced", "--dry-run",
                "--net", printer.Net(), "--model", "0"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "~!!\\x0d\\x0a\n"
                       "\\x02\\x1b~A\\x0d\\x0a\n"
                       "~\\x1b~A\\x0d\\x0a\n"
                       "CONTINUOUS MEDIA LENGTH\\x09:\\x09101.6\\x09MM\\x0d\\x0a\n"
                       "IPV4 ADDRESS\\x09:\\x0910,0,0,9\\x0d\\x0a\n"
                       "WLAN PSK\\x09:\\x09********\\x0d\\x0a\n"
                       "REFLECT SENSOR POSITION\\x09:\\x09-2\\x0d\\x0a\n"
                       "END\\x0d\\x0a\n");
    EXPECT_TRUE(printer.Requests().empty());
}

TEST_F(CliGetSet, SetSendsExactlyTheGivenSettingsAndVerifyCatchesAnIgnoredOne) {
    FakePrinter printer({"PRINT SPEED"});
    test::CliRun run = RunCli({"set", "print-speed=4 ips", "continuous-media-length=50.8 MM",
                               "--net", printer.Net(), "--model", "0", "--verify"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err,
              "quillmark-cli set: the printer reports PRINT SPEED as \"6 IPS\", not \"4 IPS\"\n");
    EXPECT_EQ(run.out, "PRINT SPEED              4 IPS\n"
                       "CONTINUOUS MEDIA LENGTH  50.8 MM\n");
    ASSERT_EQ(printer.Configurations().size(), 1u);
    EXPECT_EQ(printer.Configurations()[0], test::kLeadInBytes +
                                               "PRINT SPEED\t:\t4 IPS\r\n"
                                               "CONTINUOUS MEDIA LENGTH\t:\t50.8\tMM\r\nEND\r\n");

    // The length the printer now reports in millimetres agrees; the key is never printed.
    run = RunCli({"set", "continuous-media-length=2.00 inch", "wlan-psk=hunter3", "--net",
                  printer.Net(), "--model", "0", "--verify", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["verified"], true);
    EXPECT_EQ(json["sent"][1]["state"], "not shown");
    EXPECT_EQ(run.out.find("hunter3"), std::string::npos);

    // A printer that cannot be reached: exit 3.
    int port = 0;
    {
        test::LoopbackServer gone;
        port = gone.Port();
    }
    run = RunCli(
        {"set", "print-speed=4 IPS", "--net", "127.0.0.1:" + std::to_string(port), "--model", "0"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err.rfind("code : 30", 0), 0u) << run.err;
}

} // namespace
} // namespace qm

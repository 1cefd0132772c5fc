// inspect, run in-process on settings files and replies (and send's refusal of the same files).

#include "cli/CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace qm {
namespace {

using test::CliRun;

CliRun Inspect(std::vector<std::string> args) {
    args.insert(args.begin(), {"inspect", "--json"});
    return test::RunCli(args);
}

class InspectCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("qm-inspect-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const char* name, const std::string& bytes) {
        const auto path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
};

const std::string kLeadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);

TEST_F(InspectCommand, PrintsEveryEntryAndTheConfiguration) {
    const std::string file = Write(
        "a.prn", kLeadIn + "PRINT SPEED\t:\t8 IPS\r\nHOST NAME\t:\tLabel 1\r\n"
                           "THROUGH SENSOR POSITION\t:\t-3\r\nPRINT DARKNESS\t:\t77\r\nEND\r\n");
    const CliRun run = Inspect({file, "--model", "Vexa Alder Plus (Eltron(R) Emulation)",
                                "--export", (dir_ / "out.prn").string()});
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["model"], 4);
    ASSERT_EQ(json["items"].size(), 182u);
    EXPECT_EQ(json["items"][1]["value"], "8 IPS");
    EXPECT_EQ(json["items"][1]["choice"], 6);
    EXPECT_EQ(json["items"][2]["error"], 1);
    EXPECT_EQ(json["items"][114]["ticked"], 1);
    // Rejected items and (without --advanced) advanced items are not in the configuration.
    EXPECT_EQ(json["configuration"], "PRINT SPEED\t:\t8 IPS\r\nHOST NAME\t:\tLabel 1\r\nEND\r\n");
    std::ifstream exported(dir_ / "out.prn", std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(exported)), {}),
              kLeadIn + "PRINT SPEED\t:\t8 IPS\r\nHOST NAME\t:\tLabel 1\r\nEND\r\n");

    const CliRun advanced = Inspect({file, "--model", "4", "--advanced"});
    EXPECT_NE(nlohmann::json::parse(advanced.out)["configuration"].get<std::string>().find(
                  "THROUGH SENSOR POSITION\t:\t-3\r\n"),
              std::string::npos);
}

TEST_F(InspectCommand, RepliesAndRefusals) {
    const std::string reply = Write("r.bin", "\x06~!!\r\nPRINT SPEED\t:\t3 IPS\r\nEND\r\n");
    const CliRun ok = Inspect({reply, "--reply"});
    ASSERT_EQ(ok.status, 0);
    EXPECT_EQ(nlohmann::json::parse(ok.out)["configuration"], "PRINT SPEED\t:\t3 IPS\r\nEND\r\n");

    const std::string plain = Write("p.prn", "PRINT SPEED\t:\t3 IPS\r\nEND\r\n");
    const std::string out = (dir_ / "never.prn").string();
    const std::vector<std::vector<std::string>> refusals = {{plain, "--export", out},
                                                            {reply, "--model", "38"},
                                                            {reply, "--model", "Nobody"},
                                                            {(dir_ / "missing").string()},
                                                            {plain, "--reply"},
                                                            {reply, "--language", "de"},
                                                            {dir_.string()},
                                                            {dir_.string(), "--reply"},
                                                            {"/dev/zero", "--reply"}};
    for (const std::vector<std::string>& args : refusals) {
        const CliRun refused = Inspect(args);
        EXPECT_EQ(refused.status, 2) << args.front() << " " << args.back();
        EXPECT_TRUE(refused.out.empty()) << args.front() << " " << args.back();
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The command line prints no wireless key, pre-shared key or EAP password, and its exports hold
// none: only a send of a file puts them on the wire.
TEST_F(InspectCommand, SecretsAreNeverPrintedOrExported) {
    const std::string file =
        Write("s.prn", kLeadIn + "HOST NAME\t:\tLabel 1\r\nWLAN WEP KEY 2\t:\tABCDE\r\n"
                                 "WLAN PSK\t:\tHUNTER22\r\nEAP PASSWORD\t:\tpw-7781\r\nEND\r\n");
    const std::string exported = (dir_ / "out.prn").string();
    const CliRun run = Inspect({file, "--model", "2", "--export", exported});
    ASSERT_EQ(run.status, 0);
    std::ifstream in(exported, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    for (const std::string& output : {run.out, written}) {
        EXPECT_NE(output.find("Label 1"), std::string::npos);
        for (const char* secret : {"ABCDE", "HUNTER22", "pw-7781"}) {
            EXPECT_EQ(output.find(secret), std::string::npos) << secret;
        }
    }
}

// A file cut inside its settings, or holding a NUL byte, is neither shown nor sent: exit 2
// before any connection is tried (3 would mean the printer was asked).
TEST_F(InspectCommand, CutAndNulFilesAreRefusedBeforeSending) {
    const std::string body = "PRINT SPEED\t:\t4 IPS\r\nPRINT DARKNESS\t:\t10\r\nEND\r\n";
    const std::string cut = Write("cut.prn", kLeadIn + body.substr(0, body.find("10") + 1));
    std::string withNul = kLeadIn + body;
    withNul.insert(kLeadIn.size() + 5, 1, '\0');
    const std::string nul = Write("nul.prn", withNul);
    for (const std::string& file : {cut, nul}) {
        const CliRun inspect = Inspect({file});
        EXPECT_EQ(inspect.status, 2) << file;
        EXPECT_TRUE(inspect.out.empty()) << file;
        EXPECT_EQ(test::RunCli({"send", file, "--net", "127.0.0.1:1"}).status, 2) << file;
    }
    EXPECT_EQ(Inspect({Write("whole.prn", kLeadIn + body)}).status, 0);
}

} // namespace
} // namespace qm

// Runs the built quillmark-cli (when the build has it) on settings files and replies.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace qm {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

std::string CliPath() {
    const char* dir = std::getenv("QM_BINARY_DIR");
    return dir == nullptr ? std::string() : std::string(dir) + "/src/cli/quillmark-cli";
}

CliRun Cli(const std::string& arguments) {
    CliRun run;
    const std::string command = CliPath() + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

CliRun Inspect(const std::string& arguments) {
    return Cli("inspect " + arguments);
}

class InspectCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (CliPath().empty() || !std::filesystem::exists(CliPath())) {
            GTEST_SKIP() << "quillmark-cli is not built in this tree";
        }
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
    const CliRun run =
        Inspect(file + " --model \"Vexa Alder Plus (Eltron(R) Emulation)\" --export " +
                (dir_ / "out.prn").string());
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

    const CliRun advanced = Inspect(file + " --model 4 --advanced");
    EXPECT_NE(nlohmann::json::parse(advanced.out)["configuration"].get<std::string>().find(
                  "THROUGH SENSOR POSITION\t:\t-3\r\n"),
              std::string::npos);
}

TEST_F(InspectCommand, RepliesAndRefusals) {
    const std::string reply = Write("r.bin", "\x06~!!\r\nPRINT SPEED\t:\t3 IPS\r\nEND\r\n");
    const CliRun ok = Inspect(reply + " --reply");
    ASSERT_EQ(ok.status, 0);
    EXPECT_EQ(nlohmann::json::parse(ok.out)["configuration"], "PRINT SPEED\t:\t3 IPS\r\nEND\r\n");

    const std::string plain = Write("p.prn", "PRINT SPEED\t:\t3 IPS\r\nEND\r\n");
    const std::string out = (dir_ / "never.prn").string();
    for (const std::string& args :
         {plain + " --export " + out, reply + " --model 38", reply + " --model Nobody",
          (dir_ / "missing").string(), plain + " --reply", reply + " --language de", dir_.string(),
          dir_.string() + " --reply", std::string("/dev/zero --reply")}) {
        const CliRun refused = Inspect(args);
        EXPECT_EQ(refused.status, 2) << args;
        EXPECT_TRUE(refused.out.empty()) << args;
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
    const CliRun run = Inspect(file + " --model 2 --export " + exported);
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
        const CliRun inspect = Inspect(file);
        EXPECT_EQ(inspect.status, 2) << file;
        EXPECT_TRUE(inspect.out.empty()) << file;
        EXPECT_EQ(Cli("send " + file + " --net 127.0.0.1:1").status, 2) << file;
    }
    EXPECT_EQ(Inspect(Write("whole.prn", kLeadIn + body)).status, 0);
}

} // namespace
} // namespace qm

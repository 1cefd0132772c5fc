// quillmark-cli status and selfinfo: a printer's status and counters, the Self Information
// report, and saved status replies decoded for support.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

namespace qm::e2e {
namespace {

using simtest::TempDir;

nlohmann::json Parsed(const CliResult& r) {
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    EXPECT_FALSE(doc.is_discarded()) << r.out << r.err;
    return doc;
}

TEST(E2eStatus, DecodesSavedReplies) {
    TempDir dir;
    struct Case {
        std::string reply;
        int form;
        std::string language;
        nlohmann::json expected;
    };
    const Case cases[] = {
        {"NNNYNNNNN",
         0,
         "en",
         {{"form", 0},
          {"paperError", "No"},
          {"ribbonError", "No"},
          {"printing", "Yes"},
          {"pause", "No"},
          {"waitingForPeeling", "No"},
          {"errorCode", ""},
          {"message", ""}}},
        {"\x02"
         "030,1,0,10400,000,0,0,0,000,0,0,0\x03\r\n\x02"
         "000,0,0,1,0,0,0,1,00000000,1,000\x03\r\n",
         1,
         "en",
         {{"form", 1},
          {"paperError", "Yes"},
          {"ribbonError", "Yes"},
          {"printing", "No"},
          {"pause", "No"},
          {"waitingForPeeling", "Yes"},
          {"errorCode", ""},
          {"message", ""}}},
        {"11\r\n",
         2,
         "ja",
         {{"form", 2},
          {"paperError", ""},
          {"ribbonError", ""},
          {"printing", ""},
          {"pause", ""},
          {"waitingForPeeling", ""},
          {"errorCode", "11"},
          {"message", "ヘッドアップ"}}},
        {"\xff\xfe",
         2,
         "ko",
         {{"form", 2},
          {"paperError", ""},
          {"ribbonError", ""},
          {"printing", ""},
          {"pause", ""},
          {"waitingForPeeling", ""},
          {"errorCode", "\xef\xbf\xbd\xef\xbf\xbd"},
          {"message", "Other error"}}},
    };
    for (const Case& c : cases) {
        const std::string path = dir.Path("reply.bin");
        ASSERT_TRUE(WriteFile(path, c.reply));
        CliResult r = RunCli({"status", "--decode", path, "--form", std::to_string(c.form),
                              "--language", c.language});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Parsed(r), c.expected) << c.reply;
    }
}

TEST(E2eStatus, RefusesWhatItCannotDecode) {
    TempDir dir;
    const std::string path = dir.Path("reply.bin");
    ASSERT_TRUE(WriteFile(path, std::string(4097, 'N')));
    CliResult big = RunCli({"status", "--decode", path, "--form", "0"});
    EXPECT_EQ(big.status, 2);
    EXPECT_NE(big.err.find("4096-byte receive buffer"), std::string::npos) << big.err;
    EXPECT_TRUE(big.out.empty());

    ASSERT_TRUE(WriteFile(path, "00\r\n"));
    EXPECT_EQ(RunCli({"status", "--decode", path}).status, 2);                // no form
    EXPECT_EQ(RunCli({"status", "--decode", path, "--form", "3"}).status, 2); // no such form
    EXPECT_EQ(RunCli({"status", "--decode", dir.Path("missing"), "--form", "2"}).status, 2);
    EXPECT_EQ(RunCli({"status", "--decode", path, "--form", "2", "--language", "fr"}).status, 2);
    EXPECT_EQ(RunCli({"status", "--net", "127.0.0.1:1", "--decode", path, "--form", "2"}).status,
              2); // one source only
}

} // namespace
} // namespace qm::e2e

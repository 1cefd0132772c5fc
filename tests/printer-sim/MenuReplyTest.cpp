// Menu-settings replies: framing, scopes, order, value forms and per-model keys.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qm::simtest {
namespace {

std::string MenuRequest(const std::string& scope) {
    return LeadIn() + "SEND CONFIG\t:\t" + scope + "\r\nEXIT\r\n";
}

// The setting lines of a terminated reply: without marker A (two lines) and "END".
std::vector<std::string> Body(const std::string& reply) {
    std::vector<std::string> lines = CrLfLines(reply.substr(MarkerA().size()));
    if (!lines.empty() && lines.back() == "END") {
        lines.pop_back();
    }
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasKey(const std::vector<std::string>& lines, const std::string& key) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(key + "\t:\t", 0) == 0; });
}

TEST(SimMenuReply, Model24ScopesFormsAndOrder) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24"});
    ASSERT_TRUE(sim.Ready());
    Reply standard = Exchange(sim.TcpPort(), MenuRequest("STANDARD"));
    Reply advanced = Exchange(sim.TcpPort(), MenuRequest("ADVANCED"));
    Reply all = Exchange(sim.TcpPort(), MenuRequest("ALL"));
    for (const Reply* r : {&standard, &advanced, &all}) {
        ASSERT_EQ(r->bytes.substr(0, MarkerA().size()), MarkerA());
        ASSERT_GE(r->bytes.size(), 5u);
        EXPECT_EQ(r->bytes.substr(r->bytes.size() - 5), "END\r\n");
    }
    std::vector<std::string> s = Body(standard.bytes);
    std::vector<std::string> a = Body(advanced.bytes);
    std::vector<std::string> both = Body(all.bytes);

    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.front(), "GLOBAL CONFIG\t:\tCONFIG SET 1");
    EXPECT_TRUE(Has(s, "CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH"));
    EXPECT_TRUE(Has(s, "SENSOR LEVEL\t:\t1.7\tV"));
    EXPECT_TRUE(Has(s, "IPV4 ADDRESS\t:\t192,168,0,1"));
    EXPECT_TRUE(Has(s, "IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1"));
    EXPECT_TRUE(Has(s, "MACHINE EMULATION CODE\t:\tCODE_KORVANE"));
    EXPECT_TRUE(Has(s, "LCD STANDBY\t:\tOFF"));
    EXPECT_FALSE(HasKey(s, "STANDBY MODE"));
    EXPECT_FALSE(HasKey(s, "HEAD CHECK START POS"));

    EXPECT_TRUE(Has(a, "HEAD CHECK START POS\t:\tDOT\t1"));
    EXPECT_TRUE(Has(a, "HEAD CHECK STOP POS\t:\tDOT\t848"));
    EXPECT_TRUE(Has(a, "ADJ THROUGH CAL LEVEL\t:\t2.30\tV"));
    EXPECT_FALSE(HasKey(a, "FIX THROUGH CAL LEVEL"));
    EXPECT_FALSE(HasKey(a, "PRINT SPEED"));

    // ALL is STANDARD followed by ADVANCED, in the same order.
    std::vector<std::string> joined = s;
    joined.insert(joined.end(), a.begin(), a.end());
    EXPECT_EQ(both, joined);
    // Menu order of a few neighbours.
    auto at = [&](const std::string& key) {
        return std::find_if(both.begin(), both.end(),
                            [&](const std::string& l) { return l.rfind(key + "\t:\t", 0) == 0; }) -
               both.begin();
    };
    EXPECT_LT(at("PRINT SPEED"), at("PRINT DARKNESS"));
    EXPECT_LT(at("MACHINE EMULATION CODE"), at("EMULATION SELECT"));
    EXPECT_LT(at("EMULATION SELECT"), at("FUNCTION SELECT"));
    EXPECT_LT(at("BT DEVICE NAME"), at("THROUGH SENSOR POSITION"));
}

TEST(SimMenuReply, EveryModelFitsTheReceiveBufferAndIsWellFormed) {
    for (int model = 0; model < 38; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        SimProcess sim({"--tcp", "127.0.0.1:0", "--model", std::to_string(model)});
        ASSERT_TRUE(sim.Ready());
        Reply all = Exchange(sim.TcpPort(), MenuRequest("ALL"));
        // The program reads replies into 4096 bytes.
        EXPECT_LT(all.bytes.size(), 4096u);
        std::vector<std::string> lines = Body(all.bytes);
        ASSERT_GT(lines.size(), 60u);
        for (const std::string& line : lines) {
            size_t colon = line.find("\t:\t");
            ASSERT_NE(colon, std::string::npos) << line;
            EXPECT_GT(colon, 0u) << line;
            EXPECT_GT(line.size(), colon + 3) << "empty value: " << line;
            EXPECT_LE(line.size(), 99u) << line;
        }
        int variant = (model < 20   ? std::vector<int>{0, 1, 0, 1, 2, 0, 1, 0, 1, 2,
                                                       0, 1, 0, 1, 2, 0, 1, 0, 1, 2}[model]
                       : model < 26 ? (model % 2)
                                    : (model - 26) % 3);
        const char* code[] = {"CODE_KORVANE", "CODE_ZEBRA", "CODE_EPL"};
        EXPECT_TRUE(Has(lines, std::string("MACHINE EMULATION CODE\t:\t") + code[variant]));
        EXPECT_EQ(HasKey(lines, "EMULATION SELECT"), variant == 0);
        // VERTICAL IMAGE SHIFT is a length on the native variants, a whole number otherwise.
        EXPECT_EQ(Has(lines, "VERTICAL IMAGE SHIFT\t:\t0"), variant != 0);
        EXPECT_EQ(Has(lines, "VERTICAL IMAGE SHIFT\t:\t0.00\tINCH"), variant == 0);
        bool rfid = model == 32 || model == 35;
        EXPECT_EQ(HasKey(lines, "RFID SETTINGS"), rfid);
        if (rfid) {
            ASSERT_GE(lines.size(), 3u);
            EXPECT_EQ(lines[lines.size() - 3].substr(0, 19), "RFID CALIB EXECUTED");
            EXPECT_EQ(lines.back().substr(0, 16), "RFID CALIB POWER");
        }
        std::string stop = model == 20 || model == 21   ? "1344"
                           : model == 22 || model == 23 ? "1984"
                           : model >= 32                ? "832"
                                                        : "848";
        const bool headCheck = model <= 25 || model >= 32;
        EXPECT_EQ(Has(lines, "HEAD CHECK STOP POS\t:\tDOT\t" + stop), headCheck);
    }
}

} // namespace
} // namespace qm::simtest

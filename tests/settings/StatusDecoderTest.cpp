#include "settings/StatusDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace qm {
namespace {

using enum StatusFlag;

// The five flags in page order: paper error, ribbon error, printing, pause, waiting.
std::array<StatusFlag, 5> Flags(const PrinterStatus& s) {
    return {s.paperError, s.ribbonError, s.printing, s.pause, s.waitingForPeeling};
}

constexpr std::array<StatusFlag, 5> kNothing = {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown};

// A host status reply as the printer sends it: two status strings (and a third), each STX ...
// ETX CR LF. `first` and `second` are the strings' fields without STX.
std::string HostStatus(const std::string& first, const std::string& second) {
    return "\x02" + first + "\x03\r\n\x02" + second + "\x03\r\n\x02" + "1234,0\x03\r\n";
}
const std::string kFirstClear = "030,0,0,0813,000,0,0,0,000,0,0,0";
const std::string kSecondClear = "000,0,0,0,0,0,0,0,00000000,1,000";

// Sets one character of a host status field string (offset counted from the STX).
std::string With(std::string fields, size_t offsetFromStx, char c) {
    fields.at(offsetFromStx - 1) = c;
    return fields;
}

TEST(StatusDecoder, FlagFormReadsFromTheFirstYOrN) {
    // Nine letters, all N but the fourth: printing.
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "NNNYNNNNN")), (std::array{kNo, kNo, kYes, kNo, kNo}));
    // The printer's answer: interface, paper, ribbon, batch, busy, pause, waiting, head up.
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "NYNNYYYN\r")),
              (std::array{kYes, kNo, kYes, kYes, kYes}));
    // Bytes before the first flag move every position with it.
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "\x01"
                                             "A12NNYNNNN\r")),
              (std::array{kNo, kYes, kNo, kNo, kNo}));
    // A byte that is neither Y nor N shows nothing for its flag; printing needs both of its
    // bytes to be N to say No.
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "NN?N?NX")),
              (std::array{kNo, kUnknown, kUnknown, kNo, kUnknown}));
    // A short reply: what it does not hold stays empty.
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "NY")),
              (std::array{kYes, kUnknown, kUnknown, kUnknown, kUnknown}));
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "")), kNothing);
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, "\r\n0123")), kNothing);
    EXPECT_EQ(StatusDecoder::Decode(0, "NNNNNNN").message, StatusMessage::kNone);
}

TEST(StatusDecoder, FlagFormWindowEnds) {
    const std::string flags = "NYNNNNNN";
    // A first flag at 119 is read (its flags end inside the 128-byte window) ...
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, std::string(119, '0') + flags)),
              (std::array{kYes, kNo, kNo, kNo, kNo}));
    // ... one at 120 or later is not, nor one past the window.
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, std::string(120, '0') + flags)), kNothing);
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, std::string(127, '0') + "Y")), kNothing);
    EXPECT_EQ(Flags(StatusDecoder::Decode(0, std::string(130, '0') + flags)), kNothing);
}

TEST(StatusDecoder, HostStatusFields) {
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, HostStatus(kFirstClear, kSecondClear))),
              (std::array{kNo, kNo, kNo, kNo, kNo}));

    struct Case {
        const char* what;
        std::string reply;
        std::array<StatusFlag, 5> flags;
    };
    const Case cases[] = {
        {"paper out",
         HostStatus(With(kFirstClear, 5, '1'), kSecondClear),
         {kYes, kNo, kNo, kNo, kNo}},
        {"head up counts as a paper error",
         HostStatus(kFirstClear, With(kSecondClear, 7, '1')),
         {kYes, kNo, kNo, kNo, kNo}},
        {"pause", HostStatus(With(kFirstClear, 7, '1'), kSecondClear), {kNo, kNo, kNo, kYes, kNo}},
        {"ribbon out",
         HostStatus(kFirstClear, With(kSecondClear, 9, '1')),
         {kNo, kYes, kNo, kNo, kNo}},
        {"label waiting",
         HostStatus(kFirstClear, With(kSecondClear, 17, '1')),
         {kNo, kNo, kNo, kNo, kYes}},
        {"formats waiting",
         HostStatus(With(kFirstClear, 16, '2'), kSecondClear),
         {kNo, kNo, kYes, kNo, kNo}},
        {"buffer full",
         HostStatus(With(kFirstClear, 18, '1'), kSecondClear),
         {kNo, kNo, kYes, kNo, kNo}},
        {"labels left in the batch",
         HostStatus(kFirstClear, With(kSecondClear, 26, '3')),
         {kNo, kNo, kYes, kNo, kNo}},
        {"the first STX need not be the first byte",
         "\r\n" + HostStatus(With(kFirstClear, 5, '1'), kSecondClear),
         {kYes, kNo, kNo, kNo, kNo}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Flags(StatusDecoder::Decode(1, c.reply)), c.flags) << c.what;
    }
}

TEST(StatusDecoder, HostStatusWithFiveDigitLabelLength) {
    // No comma at +13: the formats are at +15..17 and the buffer-full flag at +19.
    const std::string clear = "030,0,0,10400,000,0,0,0,000,0,0,0";
    EXPECT_EQ(StatusDecoder::Decode(1, HostStatus(clear, kSecondClear)).printing, kNo);
    EXPECT_EQ(StatusDecoder::Decode(1, HostStatus(With(clear, 17, '1'), kSecondClear)).printing,
              kYes);
    EXPECT_EQ(StatusDecoder::Decode(1, HostStatus(With(clear, 19, '1'), kSecondClear)).printing,
              kYes);
}

TEST(StatusDecoder, HostStatusThatIsShortOrWithoutItsStrings) {
    // Without two STX strings in the 256-byte window nothing is shown.
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, "")), kNothing);
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, kFirstClear + "\r\n" + kSecondClear)), kNothing);
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, "\x02" + kFirstClear + "\x03\r\n")), kNothing);
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, std::string(250, ' ') +
                                                 HostStatus(kFirstClear, kSecondClear))),
              kNothing);
    // A reply cut off inside its second string: what it holds is read, what it lacks is not
    // taken for a set flag (the missing batch count does not make it "printing").
    const std::string cut = "\x02" + kFirstClear + "\x03\r\n\x02" + "000,0,1,0";
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, cut)), (std::array{kYes, kNo, kNo, kNo, kNo}));
    EXPECT_EQ(Flags(StatusDecoder::Decode(1, "\x02\x02")), (std::array{kNo, kNo, kNo, kNo, kNo}));
}

TEST(StatusDecoder, ErrorCodeForm) {
    struct Case {
        std::string reply;
        std::string code;
        StatusMessage message;
        bool clear;
    };
    const Case cases[] = {
        {"00\r\n", "00", StatusMessage::kNoError, true},
        {"11\r\n", "11", StatusMessage::kHeadUp, false},
        {"07\r\n", "07", StatusMessage::kPaperOrRibbonEnd, false},
        {"12\r\n", "12", StatusMessage::kPauseOrWaiting, false},
        {"17\r\n", "17", StatusMessage::kBusy, false},
        {"93\r\n", "93", StatusMessage::kOtherError, false},
        // Several codes: the message is that of the first code in table order, the code
        // field shows the reply's first two characters.
        {"11\r\n07\r\n", "11", StatusMessage::kPaperOrRibbonEnd, false},
        {"17,12\r\n", "17", StatusMessage::kPauseOrWaiting, false},
        // None of the table's codes, or nothing at all.
        {"99\r\n", "99", StatusMessage::kOtherError, false},
        {"", "", StatusMessage::kOtherError, false},
        {"7", "7", StatusMessage::kOtherError, false},
        {std::string("\0"
                     "5",
                     2),
         "", StatusMessage::kOtherError, false},
    };
    for (const Case& c : cases) {
        const PrinterStatus status = StatusDecoder::Decode(2, c.reply);
        EXPECT_EQ(status.errorCode, c.code) << c.reply;
        EXPECT_EQ(status.message, c.message) << c.reply;
        EXPECT_EQ(status.ErrorCodeClear(), c.clear) << c.reply;
        EXPECT_EQ(Flags(status), kNothing);
    }
}

TEST(StatusDecoder, UnknownFormSaysNothing) {
    const PrinterStatus status = StatusDecoder::Decode(3, "NNNN00");
    EXPECT_EQ(Flags(status), kNothing);
    EXPECT_EQ(status.message, StatusMessage::kNone);
    EXPECT_TRUE(status.errorCode.empty());
}

} // namespace
} // namespace qm

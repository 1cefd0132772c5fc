#include "operations/SettingAssignmentOperation.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SettingAssignment, TheLinesAreWrittenAsTheModelsPrinterReadsThem) {
    // Model 24: "LCD STANDBY", a head check position after "DOT", the printer's RFID key, an
    // IPv6 address in its byte form, a key two entries share written once.
    AssignedSettings built = SettingAssignmentOperation::Build({{"standby-mode", "on"},
                                                                {"head-check-start-pos", "12"},
                                                                {"rfid-fixed-power", "500"},
                                                                {"ipv6-address", "fe80::1"},
                                                                {"reflect-sensor", "1.5"}},
                                                               24, true);
    ASSERT_TRUE(built.Ok()) << static_cast<int>(built.refused.front().problem);
    EXPECT_EQ(Utf16ToUtf8(built.text), "LCD STANDBY\t:\tON\r\n"
                                       "IPV6 ADDRESS\t:\t254,128,0,0,0,0,0,0,0,0,0,0,0,0,0,1\r\n"
                                       "RFID WRITE POWER\t:\t500\r\n"
                                       "REFLECT SENSOR\t:\t1.5\r\n"
                                       "HEAD CHECK START POS\t:\tDOT\t12\r\n"
                                       "END\r\n");

    // The whole-number vertical image shift of an emulation model needs no unit.
    built = SettingAssignmentOperation::Build({{"vertical-image-shift", "-5"}}, 1, false);
    ASSERT_TRUE(built.Ok());
    EXPECT_EQ(Utf16ToUtf8(built.text), "VERTICAL IMAGE SHIFT\t:\t-5\r\nEND\r\n");
}

TEST(SettingAssignment, RefusalsNameEverySettingAndBuildNothing) {
    const AssignedSettings built =
        SettingAssignmentOperation::Build({{"serial-number", "QM1"},
                                           {"usb-serial-number", "OFF"},
                                           {"print-speed", "4 IPS"},
                                           {"PRINT_SPEED", "5 IPS"},
                                           {"bt-device-name", std::string(90, 'x')}},
                                          0, true);
    ASSERT_EQ(built.refused.size(), 3u);
    EXPECT_EQ(built.refused[0].key, "PRINT_SPEED");
    EXPECT_EQ(built.refused[0].problem, AssignmentProblem::kGivenTwice);
    EXPECT_EQ(built.refused[1].problem, AssignmentProblem::kLineTooLong);
    EXPECT_EQ(built.refused[2].key, "serial-number");
    EXPECT_EQ(built.refused[2].problem, AssignmentProblem::kSerialWithoutOn);
    EXPECT_TRUE(built.text.empty());
}

TEST(SettingAssignment, MaskSecretsHidesKeysAndPasswordsOnly) {
    EXPECT_EQ(SettingAssignmentOperation::MaskSecrets("HOST NAME\t:\tdesk\r\nWLAN WEP KEY 2\t:\t"
                                                      "abc\r\nEAP PASSWORD\t:\tpw"),
              "HOST NAME\t:\tdesk\r\nWLAN WEP KEY 2\t:\t********\r\nEAP PASSWORD\t:\t********");
}

} // namespace
} // namespace qm

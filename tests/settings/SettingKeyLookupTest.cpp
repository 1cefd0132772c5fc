#include "settings/SettingKeyLookup.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SettingKeyLookup, TypedKeysFindTheEntryTheModelReadsAndWrites) {
    // Any case, "-" or "_" for a blank, also inside the printer's own "-".
    EXPECT_EQ(SettingKeyLookup::Find("print-speed", 0).entry, entry::kPrintSpeed);
    EXPECT_EQ(SettingKeyLookup::Find("Print_Speed", 0).key, "PRINT SPEED");
    EXPECT_EQ(SettingKeyLookup::Find("rs-232c-baud", 0).entry, entry::kRs232cBaud);
    EXPECT_EQ(SettingKeyLookup::Find(SettingKeyLookup::Typed("RS-232C BAUD"), 0).entry,
              entry::kRs232cBaud);
    // A length on the native models, a number of dots on the emulation ones.
    EXPECT_EQ(SettingKeyLookup::Find("vertical image shift", 0).entry,
              entry::kVerticalImageShiftLength);
    EXPECT_EQ(SettingKeyLookup::Find("vertical image shift", 1).entry,
              entry::kVerticalImageShiftDots);
    // The printer's own spellings: the standby key of models 24 and 25, the RFID keys.
    EXPECT_EQ(SettingKeyLookup::Find("standby-mode", 24).key, "LCD STANDBY");
    EXPECT_EQ(SettingKeyLookup::Find("lcd-standby", 0).key, "STANDBY MODE");
    EXPECT_EQ(SettingKeyLookup::Find("rfid-write-power", 0).entry,
              SettingKeyLookup::Find("RFID FIXED POWER", 0).entry);
    EXPECT_EQ(SettingKeyLookup::Find("print speed ", 0).entry, -1);

    // Keys holding the typed text first, then the ones a few letters away.
    EXPECT_EQ(SettingKeyLookup::Nearest("prnt-darknes"),
              (std::vector<std::string>{"PRINT DARKNESS"}));
    const std::vector<std::string> speed = SettingKeyLookup::Nearest("speed");
    ASSERT_FALSE(speed.empty());
    EXPECT_EQ(speed.front(), "PRINT SPEED");
    EXPECT_TRUE(SettingKeyLookup::Nearest("zz").empty());
}

} // namespace
} // namespace qm

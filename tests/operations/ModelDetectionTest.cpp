#include "operations/ModelDetection.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ModelDetection, TheReportedLanguageChoosesTheFamilysVariant) {
    const MachineIdentity juniper = MachineIdentity::FromReply(
        "Model Number\t:\tVexa Juniper\r\nSerial Number\t:\tQ1\r\nEmulation\t:\tCODE_EPL\r\n"
        "END\r\n");
    EXPECT_EQ(juniper.emulation, "CODE_EPL");
    EXPECT_EQ(ModelDetection::FromIdentity(juniper), 31);
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa Juniper", "CODE_KORVANE"), 29);
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa Juniper", "CODE_ZEBRA"), 30);
    // "Vexa Alder" is not "Vexa Alder Plus", whatever the order of the table.
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa Alder Plus", "CODE_ZEBRA"), 3);
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("vexa alder ", "CODE_ZEBRA"), 1);
}

TEST(ModelDetection, AMissingOrForeignLanguageGivesTheNativeModel) {
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa Elm", "CODE_EPL"), 20);
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa Maple", ""), 35);
}

TEST(ModelDetection, NoNameOrAnUnknownNameIsNoModel) {
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("", "CODE_ZEBRA"), ModelDetection::kNoModel);
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa", ""), ModelDetection::kNoModel);
    EXPECT_EQ(ModelDetection::FromNameAndLanguage("Vexa Alder (Zebra", ""),
              ModelDetection::kNoModel);
}

} // namespace
} // namespace qm

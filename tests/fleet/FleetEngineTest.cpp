// What the engine decides from what a printer says: its model from the reported name, and a
// file name from its serial number (both untrusted).

#include "fleet/FleetEngine.h"

#include <gtest/gtest.h>

namespace qm::fleet {
namespace {

TEST(FleetEngineTest, AReportedModelNameMapsToOneOfTheModelsOrToNone) {
    EXPECT_EQ(ModelFromReportedName("Vexa Alder"), 0);
    EXPECT_EQ(ModelFromReportedName("Vexa Alder Plus"), 2); // the family's native model
    EXPECT_EQ(ModelFromReportedName("Vexa Maple"), 35);
    EXPECT_EQ(ModelFromReportedName("Vexa Alder (Zebra\xC2\xAE Emulation)"), 1);
    EXPECT_EQ(ModelFromReportedName("Vexa Alder (Zebra"), std::nullopt); // a stem is no name
    EXPECT_EQ(ModelFromReportedName("Vexa Oak"), std::nullopt);
    EXPECT_EQ(ModelFromReportedName(""), std::nullopt);
}

TEST(FleetEngineTest, ASerialNumberBecomesAPlainFileName) {
    EXPECT_EQ(SerialFileName("QM2400042"), "QM2400042");
    EXPECT_EQ(SerialFileName("../../etc/passwd"), ".._.._etc_passwd");
    EXPECT_EQ(SerialFileName("A B\t\x01\xC3\xA9"), "A_B____");
    EXPECT_EQ(SerialFileName(""), "_");
    EXPECT_EQ(SerialFileName(".."), "_..");
    EXPECT_EQ(SerialFileName("."), "_.");
}

} // namespace
} // namespace qm::fleet

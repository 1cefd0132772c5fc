#include "settings/ModelTable.h"

#include <gtest/gtest.h>

#include <set>

namespace qm {
namespace {

TEST(ModelTable, DisplayNamesCarryTheRegisteredSignAndAreUnique) {
    EXPECT_EQ(ModelTable::DisplayName(0), u"Vexa Alder");
    EXPECT_EQ(ModelTable::DisplayName(1), u"Vexa Alder (Zebra\u00AE Emulation)");
    EXPECT_EQ(ModelTable::DisplayName(37), u"Vexa Maple (Eltron\u00AE Emulation)");
    std::set<std::u16string> names;
    for (int m = 0; m < kModelCount; ++m) {
        EXPECT_EQ(ModelTable::Row(m).index, m);
        EXPECT_TRUE(names.insert(ModelTable::DisplayName(m)).second);
        EXPECT_EQ(ModelTable::FindByDisplayName(ModelTable::DisplayName(m)), m);
    }
    EXPECT_EQ(ModelTable::FindByDisplayName(u"Vexa Alder (Zebra Emulation)"), -1);
    EXPECT_EQ(ModelTable::PrintServerName(28), u"Vexa Hawthorn Eltron Print Server");
    EXPECT_EQ(ModelTable::PrintServerName(5), u"");
}

TEST(ModelTable, PrintSpeedLimits) {
    constexpr int k4 = 2, k6 = 4, k8 = 6, k10 = 8;
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(0, 0, false), k6);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(9, 0, false), k6);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(21, 0, false), k6);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(12, 1, false), k6);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(12, 0, false), k4);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(23, 1, false), k4);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(24, 0, true), k6);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(25, 0, false), k8);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(3, 0, false), k8);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(37, 0, false), k8);
    EXPECT_EQ(ModelTable::MaxPrintSpeedCode(17, 0, false), k10);
}

TEST(ModelTable, FamilyProperties) {
    const std::set<int> eltronCapable = {2,  3,  4,  7,  8,  9,  12, 13, 14, 17, 18, 19,
                                         26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37};
    const std::set<int> lengthShift = {0, 2, 5, 7, 10, 12, 15, 17, 20, 22, 24, 26, 29, 32, 35};
    const std::set<int> eltronVariant = {4, 9, 14, 19, 28, 31, 34, 37};
    for (int m = 0; m < kModelCount; ++m) {
        EXPECT_EQ(ModelTable::OffersEltronEmulation(m), eltronCapable.count(m) == 1) << m;
        EXPECT_EQ(ModelTable::HasLengthVerticalImageShift(m), lengthShift.count(m) == 1) << m;
        EXPECT_EQ(ModelTable::IsEltronVariant(m), eltronVariant.count(m) == 1) << m;
        EXPECT_EQ(ModelTable::UsesLcdStandbyKey(m), m == 24 || m == 25) << m;
        EXPECT_EQ(ModelTable::HasLongStandbyTimer(m), m <= 1) << m;
    }
    EXPECT_FALSE(ModelTable::OffersEltronEmulation(-1));
    EXPECT_FALSE(ModelTable::IsValid(38));
}

} // namespace
} // namespace qm

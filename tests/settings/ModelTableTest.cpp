#include "settings/ModelTable.h"
#include "settings/SettingsOptions.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <utility>

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

// The model ranges the other rules are keyed on, checked over all 38 models so that a rule
// cannot reach a model next to its range.
TEST(ModelTable, RulesCoverExactlyTheirModels) {
    auto in = [](int m, std::initializer_list<std::pair<int, int>> ranges) {
        for (auto [first, last] : ranges) {
            if (m >= first && m <= last) {
                return true;
            }
        }
        return false;
    };
    for (int m = 0; m < kModelCount; ++m) {
        SCOPED_TRACE("model " + std::to_string(m));
        EXPECT_EQ(ModelTable::HasHighPaperEndLevel(m), in(m, {{24, 37}}));
        EXPECT_EQ(ModelTable::AllowsRewind(m), in(m, {{15, 19}}));
        EXPECT_EQ(ModelTable::OffersBuzzerOnOff(m), !in(m, {{26, 37}}));
        EXPECT_EQ(ModelTable::PrintSpeedFollowsPrintMethod(m), in(m, {{10, 14}}));
        EXPECT_EQ(ModelTable::RibbonEndOffersQuick(m), in(m, {{10, 14}, {20, 23}}));
        EXPECT_EQ(ModelTable::HasWideTtColdHeatrate(m), in(m, {{29, 31}, {35, 37}}));
        EXPECT_EQ(ModelTable::FollowsLanguageRule(m),
                  in(m, {{0, 6}, {10, 11}, {15, 16}, {20, 23}}));
        const RibbonEndRule ribbon = in(m, {{10, 14}, {20, 23}}) ? RibbonEndRule::kIndexIsCode
                                     : in(m, {{15, 37}})         ? RibbonEndRule::kQuickIsBad
                                                                 : RibbonEndRule::kSlowShowsAsFirst;
        EXPECT_EQ(ModelTable::RibbonEndRuleFor(m), ribbon);
        const HeadCheckRanges head = ModelTable::HeadCheckRangesFor(m);
        const int firstMax = in(m, {{20, 23}}) ? 1344 : in(m, {{32, 37}}) ? 832 : 848;
        const int secondMax = in(m, {{20, 23}}) ? 1984 : in(m, {{32, 37}}) ? 1240 : 1264;
        EXPECT_EQ(head.firstMin, 1);
        EXPECT_EQ(head.firstMax, firstMax);
        EXPECT_EQ(head.secondMin, in(m, {{20, 23}}) ? 1345 : 1);
        EXPECT_EQ(head.secondMax, secondMax);
        for (bool japanese : {false, true}) {
            EXPECT_EQ(ModelTable::UsesFixReflectKeys(m, japanese), m == 0 && japanese);
            const SettingsOptions options = SettingsOptions::For(m, japanese);
            EXPECT_EQ(options.ttColdHeatrateLimit, in(m, {{29, 31}, {35, 37}}) ? 20 : 10);
            EXPECT_EQ(options.fixReflectKeys, m == 0 && japanese);
        }
    }
}

} // namespace
} // namespace qm

#include "SettingsTestSupport.h"

#include "settings/RecordComparison.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::Parse;

const SettingsOptions kAllEntries = SettingsOptions::For(0, false, true);

RecordComparison Compare(std::initializer_list<std::string_view> file,
                         std::initializer_list<std::string_view> printer) {
    return RecordComparison::Compare(Parse(file, 0, kAllEntries), Parse(printer, 0, kAllEntries),
                                     kAllEntries);
}

TEST(RecordComparison, ValuesThatDifferAndSettingsThePrinterDidNotReport) {
    RecordComparison c = Compare({"PRINT SPEED\t:\t6 IPS", "PRINT DARKNESS\t:\t12",
                                  "IPV4 ADDRESS\t:\t10,0,0,7", "BUZZER SELECT\t:\tOFF"},
                                 {"PRINT SPEED\t:\t4 IPS", "PRINT DARKNESS\t:\t12",
                                  "IPV4 ADDRESS\t:\t10,0,0,7", "PRINT METHOD\t:\tDT"});
    EXPECT_FALSE(c.Agree());
    EXPECT_EQ(c.compared, 3); // speed, darkness, address; the buzzer was not reported
    ASSERT_EQ(c.items.size(), 2u);
    EXPECT_EQ(c.items[0].key, "PRINT SPEED");
    EXPECT_EQ(c.items[0].outcome, ComparisonOutcome::kDiffers);
    EXPECT_EQ(c.items[0].fileValue, "6 IPS");
    EXPECT_EQ(c.items[0].printerValue, "4 IPS");
    EXPECT_EQ(c.items[1].key, "BUZZER SELECT");
    EXPECT_EQ(c.items[1].outcome, ComparisonOutcome::kNotReported);
    EXPECT_EQ(c.items[1].fileValue, "OFF");
    EXPECT_EQ(c.Count(ComparisonOutcome::kNotReported), 1);
}

TEST(RecordComparison, PrinterSettingsTheFileDoesNotSetAreNoDifference) {
    RecordComparison c =
        Compare({"PRINT SPEED\t:\t6 IPS"}, {"PRINT SPEED\t:\t6 IPS", "PRINT DARKNESS\t:\t3"});
    EXPECT_TRUE(c.Agree());
    EXPECT_EQ(c.compared, 1);
    EXPECT_TRUE(c.items.empty());
}

TEST(RecordComparison, LengthsInTheOtherUnitAgreeOnlyAtTheSameStep) {
    // 4.00 inch is 101.6 mm; 101.7 mm is one step (0.1 mm) away.
    EXPECT_TRUE(Compare({"CONTINUOUS MEDIA LENGTH\t:\t101.6\tMM"},
                        {"CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH"})
                    .Agree());
    EXPECT_TRUE(Compare({"CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH"},
                        {"CONTINUOUS MEDIA LENGTH\t:\t101.6\tMM"})
                    .Agree());
    RecordComparison off = Compare({"CONTINUOUS MEDIA LENGTH\t:\t101.7\tMM"},
                                   {"CONTINUOUS MEDIA LENGTH\t:\t4.00\tINCH"});
    ASSERT_EQ(off.items.size(), 1u);
    EXPECT_EQ(off.items[0].fileValue, "101.7 MM");
    EXPECT_EQ(off.items[0].printerValue, "4.00 INCH");
}

TEST(RecordComparison, ARefusedPrinterValueNeverAgrees) {
    // The printer reports a speed the parser refuses: it is shown as refused and differs, even
    // though the refused item reads as the list's first entry.
    RecordComparison c = Compare({"PRINT SPEED\t:\t2 IPS"}, {"PRINT SPEED\t:\t99 IPS"});
    ASSERT_EQ(c.items.size(), 1u);
    EXPECT_EQ(c.items[0].outcome, ComparisonOutcome::kDiffers);
    EXPECT_EQ(c.items[0].printerValue.rfind("(refused)", 0), 0u) << c.items[0].printerValue;
}

TEST(RecordComparison, ReceivedKeysAndPasswordsAreNotCompared) {
    // The printer's reply carried no usable key: a receive forgets it.
    RecordComparison c = RecordComparison::Compare(
        Parse({"WLAN PSK\t:\tsecret", "PRINT SPEED\t:\t6 IPS"}, 0, kAllEntries),
        Parse({"PRINT SPEED\t:\t6 IPS"}, 0, kAllEntries), kAllEntries);
    EXPECT_TRUE(c.Agree());
    ASSERT_EQ(c.items.size(), 1u);
    EXPECT_EQ(c.items[0].key, "WLAN PSK");
    EXPECT_EQ(c.items[0].outcome, ComparisonOutcome::kNotCompared);
    EXPECT_EQ(c.items[0].fileValue, ""); // named, never shown
    EXPECT_EQ(c.compared, 1);
}

} // namespace
} // namespace qm

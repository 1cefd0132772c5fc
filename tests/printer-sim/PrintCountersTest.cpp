// How many labels a print makes, by the language the printer runs.

#include "PrintCounters.h"

#include <gtest/gtest.h>

namespace qm::sim {
namespace {

TEST(SimPrintCounters, LabelsOfEachLanguage) {
    EXPECT_EQ(PrintCounters::LabelsOf("self-test", "native", "\x02Z\r\n"), 1);
    EXPECT_EQ(PrintCounters::LabelsOf("sample", "zebra", "~!Q4\n"), 1);
    EXPECT_EQ(PrintCounters::LabelsOf("data", "zebra", "^XA^FDa^FS^XZ^XA^FDb^FS^xz"), 2);
    EXPECT_EQ(PrintCounters::LabelsOf("data", "zebra", "^XA^FDa^FS"), 0);
    // Eltron: "P" prints one set, "P3" or "P3,2" three; PA, PW... are other commands.
    EXPECT_EQ(PrintCounters::LabelsOf("data", "eltron", "N\r\nA10,10,0,1,1,1,N,\"x\"\r\nP\r\n"), 1);
    EXPECT_EQ(PrintCounters::LabelsOf("data", "eltron", "N\nP3,2\nN\nP2\nPA1\nPW400\n"), 5);
    // Native: each format ends with a line "E".
    EXPECT_EQ(PrintCounters::LabelsOf("data", "native", "\x02L\r\n1911A0001000100X\r\nE\r\n"), 1);
    EXPECT_EQ(PrintCounters::LabelsOf("data", "native", "\x02L\rE\r\x02L\rE"), 2);
}

TEST(SimPrintCounters, CountPrintAddsLengthAndCuts) {
    PrintCounters counters;
    counters.CountPrint(3, 500, false); // 150 mm: 1.5 tenths of a metre
    EXPECT_EQ(counters.PrintTenthsM(), 12346);
    counters.CountPrint(1, 500, true);
    EXPECT_EQ(counters.PrintTenthsM(), 12347); // 200 mm in all
    EXPECT_EQ(counters.ServiceTenthsM(), 5680);
    EXPECT_EQ(counters.Cuts(), 90);
    counters.CountPrint(0, 500, true);
    counters.CountPrint(2, -5, true);
    EXPECT_EQ(counters.Cuts(), 90);
}

} // namespace
} // namespace qm::sim

// The fleet file: what a good file turns into, and every mistake refused with its place before
// anything could be sent.

#include "fleet/FleetFile.h"

#include "FleetTestFiles.h"

#include <gtest/gtest.h>

namespace qm::fleet {
namespace {

using test::ScratchDir;

class FleetFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.Write("dock.prn", test::ExampleBaseline());
        std::string dark = test::ExampleBaseline();
        const std::string from = "PRINT DARKNESS\t:\t10";
        dark.replace(dark.find(from), from.size(), "PRINT DARKNESS\t:\t25");
        dir_.Write("dark.prn", dark);
    }

    bool Load(const std::string& text, FleetFile& fleet, std::string& error) {
        return FleetFile::Load(dir_.Write("fleet.toml", text), fleet, error);
    }

    // The message of a refused file, without the file name in front.
    std::string Refusal(const std::string& text) {
        FleetFile fleet;
        std::string error;
        EXPECT_FALSE(Load(text, fleet, error)) << text;
        EXPECT_TRUE(fleet.groups.empty());
        const std::string prefix = dir_.Path("fleet.toml") + ":";
        return error.rfind(prefix, 0) == 0 ? error.substr(prefix.size()) : error;
    }

    ScratchDir dir_;
};

TEST_F(FleetFileTest, ReadsGroupsPrintersAndDefaults) {
    FleetFile fleet;
    std::string error;
    ASSERT_TRUE(Load(R"(
[fleet]
name = "Warehouse 3"
jobs = 16

[[group]]
name = "dock"
baseline = "dock.prn"
model = "Vexa Alder"
printers = ["10.0.1.20", "10.0.1.21:9101", "dock-3.example:9100"]

[[group]]
name = "office"
baseline = "dark.prn"
model = 5
printers = []

[[group]]
name = "asked"
baseline = "dock.prn"
printers = ["10.0.2.1"]
)",
                     fleet, error))
        << error;
    EXPECT_EQ(fleet.name, "Warehouse 3");
    EXPECT_EQ(fleet.jobs, 16);
    ASSERT_EQ(fleet.groups.size(), 3u);
    const FleetGroup& dock = fleet.groups[0];
    EXPECT_EQ(dock.model, 0);
    EXPECT_EQ(dock.baseline, dir_.Path("dock.prn"));
    ASSERT_EQ(dock.printers.size(), 3u);
    EXPECT_EQ(dock.printers[0].address, "10.0.1.20:9100");
    EXPECT_EQ(dock.printers[1].address, "10.0.1.21:9101");
    EXPECT_EQ(dock.printers[1].settings.portNumber, u"9101");
    EXPECT_EQ(dock.printers[2].settings.portName, u"dock-3.example");
    EXPECT_EQ(dock.printers[2].place.line, 10);
    EXPECT_EQ(fleet.groups[1].model, 5);
    EXPECT_FALSE(fleet.groups[2].model.has_value());

    std::vector<const FleetGroup*> selected;
    EXPECT_TRUE(fleet.Select("office", selected));
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0]->name, "office");
    EXPECT_FALSE(fleet.Select("nowhere", selected));
}

TEST_F(FleetFileTest, DefaultsWithoutFleetTable) {
    FleetFile fleet;
    std::string error;
    ASSERT_TRUE(Load("[[group]]\nname = \"a\"\nbaseline = \"dock.prn\"\nprinters = [\"h\"]\n",
                     fleet, error))
        << error;
    EXPECT_EQ(fleet.jobs, FleetFile::kDefaultJobs);
}

TEST_F(FleetFileTest, RefusesEveryMistakeWithItsPlace) {
    const std::string group = "[[group]]\nname = \"a\"\nbaseline = \"dock.prn\"\n";
    // TOML itself.
    EXPECT_EQ(Refusal("[fleet\n").substr(0, 4), "1:7:");
    // Unknown keys, at each level.
    EXPECT_EQ(Refusal("[fleet]\nname = \"x\"\njob = 3\n" + group + "printers = []\n"),
              "3:1: unknown key \"job\" in [fleet]");
    EXPECT_EQ(Refusal(group + "printers = []\n  modle = 3\n"),
              "5:3: unknown key \"modle\" in [[group]]");
    EXPECT_EQ(Refusal("fleets = 1\n" + group + "printers = []\n"),
              "1:1: unknown key \"fleets\" in the fleet file");
    // A printer in two groups (also when written with and without the default port).
    EXPECT_EQ(Refusal(group + "printers = [\"10.0.0.1\"]\n[[group]]\nname = \"b\"\n"
                              "baseline = \"dock.prn\"\nprinters = [\"x\", \"10.0.0.1:9100\"]\n"),
              "8:18: printer 10.0.0.1:9100 is already in group \"a\"");
    EXPECT_EQ(Refusal(group + "printers = [\"h:0\"]\n"), "4:13: \"h:0\": the port must be 1-65535");
    EXPECT_EQ(Refusal(group + "printers = [\"h\"]\n[[group]]\nname = \"a\"\nbaseline = "
                              "\"dock.prn\"\nprinters = []\n"),
              "6:8: group \"a\" is named twice");
    // Values of the wrong kind or range.
    EXPECT_EQ(Refusal("[fleet]\njobs = 0\n" + group + "printers = []\n"),
              "2:8: \"jobs\" must be a whole number 1-1024");
    EXPECT_EQ(Refusal(group + "model = \"Vexa Nothing\"\nprinters = []\n"),
              "4:9: \"model\" must be a model name or a number 0-37");
    EXPECT_EQ(Refusal("[[group]]\nname = \"a\"\nprinters = []\n"),
              "1:1: the group has no \"baseline\"");
    EXPECT_EQ(Refusal("[fleet]\nname = \"x\"\n"), "1:1: the fleet file has no [[group]]");
}

TEST_F(FleetFileTest, RefusesABaselineThatDoesNotReadOrThatTheModelRefuses) {
    const std::string missing =
        Refusal("[[group]]\nname = \"a\"\nbaseline = \"missing.prn\"\nprinters = []\n");
    EXPECT_EQ(missing.rfind("3:12: cannot open the baseline", 0), 0u) << missing;

    dir_.Write("cut.prn", test::ExampleBaseline().substr(0, 400));
    const std::string cut =
        Refusal("[[group]]\nname = \"a\"\nbaseline = \"cut.prn\"\nprinters = []\n");
    EXPECT_NE(cut.find("cut short"), std::string::npos) << cut;

    // Darkness 25 is good for model 0 but beyond the Eltron variants' 0-15.
    const std::string refused =
        Refusal("[[group]]\nname = \"a\"\nbaseline = \"dark.prn\"\nmodel = 4\nprinters = []\n");
    EXPECT_EQ(
        refused.rfind("3:12: the baseline holds values this model refuses: PRINT DARKNESS", 0), 0u)
        << refused;
}

} // namespace
} // namespace qm::fleet

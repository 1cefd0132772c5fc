// Each simulated model reports exactly the settings the program's Standard and Advanced pages
// give that model: a key the pages do not show for a model would be received into greyed rows,
// and a row without its key would keep its default after a receive.

#include "PrinterState.h"

#include "pages/AdvancedPageTable.h"
#include "pages/StandardPageTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qm::simtest {
namespace {

// The keys of the page rows available on a model (both interface languages).
std::set<std::string> PageKeys(int model) {
    std::set<std::string> keys;
    for (const auto rows : {StandardPageTable::Rows(), AdvancedPageTable::Rows()}) {
        for (const PageRow& row : rows) {
            if ((row.models & (ModelSet{1} << model)) != 0) {
                keys.insert(std::string(row.key));
            }
        }
    }
    return keys;
}

// The keys of a model's ALL reply, spelt as the pages spell them.
std::set<std::string> ReplyKeys(int model) {
    std::set<std::string> keys;
    for (const std::string& line : sim::PrinterState(model).MenuLines(sim::MenuRequest::kAll)) {
        std::string key = line.substr(0, line.find("\t:\t"));
        for (const sim::MenuKey& row : sim::MenuKeys()) {
            if (row.key == key && !row.alias.empty() && row.key.starts_with("RFID")) {
                key = std::string(row.alias); // the printer's own RFID spelling
            }
        }
        keys.insert(key == "LCD STANDBY" ? "STANDBY MODE" : key);
    }
    return keys;
}

TEST(SimModelKeys, EveryModelReportsThePagesKeysAndNoOthers) {
    for (int model = 0; model < sim::kModelCount; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        std::set<std::string> expected = PageKeys(model);
        std::set<std::string> reported = ReplyKeys(model);
        // Not page rows: the command language, the USB serial number beside its switch (while
        // it is on), and the RFID calibration result lines of the RFID models.
        reported.erase("MACHINE EMULATION CODE");
        reported.erase("SERIAL NUMBER");
        const bool rfid = expected.contains("RFID SETTINGS");
        for (const char* result :
             {"RFID CALIB EXECUTED", "RFID CALIB POSITION OFFSET", "RFID CALIB POWER"}) {
            EXPECT_EQ(reported.erase(result), rfid ? 1u : 0u) << result;
        }
        // The native language's emulation choice is reported only while the native language
        // runs.
        if (sim::ModelVariant(model) != 0) {
            expected.erase("EMULATION SELECT");
        }
        for (const std::string& key : reported) {
            EXPECT_TRUE(expected.contains(key)) << "reported, not on the pages: " << key;
        }
        for (const std::string& key : expected) {
            EXPECT_TRUE(reported.contains(key)) << "on the pages, not reported: " << key;
        }
    }
}

} // namespace
} // namespace qm::simtest

// Settings files that must be refused rather than half read: cut short, holding a NUL byte.

#include "SettingsTestSupport.h"
#include "settings/Frame.h"
#include "settings/ReplyStart.h"
#include "settings/SettingsFile.h"

#include "platform/FakeClock.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace qm {
namespace {

std::string ExampleFile() {
    std::ifstream in(std::string(QM_SOURCE_DIR) + "/examples/model0-standard.prn",
                     std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Every cut of a complete file before its "END" line is refused: no cut passes for a complete
// file with its last value changed (PRINT DARKNESS 10 read as 1, "0.00 INCH" as "0.0").
TEST(SettingsFileRefusal, EveryCutBeforeTheEndLineIsRefused) {
    const std::string file = ExampleFile();
    ASSERT_GT(file.size(), kLeadIn.size());
    const size_t endLine = file.rfind("\r\nEND\r\n");
    ASSERT_NE(endLine, std::string::npos);
    const size_t endComplete = endLine + 2 + 3; // "END" itself
    for (size_t cut = 0; cut < file.size(); ++cut) {
        const ImportedText imported = SettingsFile::ImportBytes(file.substr(0, cut));
        if (cut < endComplete) {
            EXPECT_NE(imported.result, FileResult::kOk) << "cut at " << cut;
            EXPECT_TRUE(imported.text.empty());
            if (cut >= kLeadIn.size()) {
                EXPECT_EQ(imported.result, FileResult::kNoEnd) << "cut at " << cut;
            }
        } else {
            // "END", "END" CR and "END" CR LF are all the end line.
            EXPECT_EQ(imported.result, FileResult::kOk) << "cut at " << cut;
        }
    }
    EXPECT_EQ(SettingsFile::ImportBytes(file).result, FileResult::kOk);
    // The lead-in lines themselves never count as the settings' end.
    EXPECT_EQ(SettingsFile::ImportBytes("~!!\r\nEND\r\n").result, FileResult::kOk);
    EXPECT_EQ(SettingsFile::ImportBytes("END\r\n~!!\r\n").result, FileResult::kNoLeadIn);
    EXPECT_EQ(SettingsFile::ImportBytes(std::string(kMarkerA) + "PRINT SPEED\t:\t3 IPS\r\nENDX\r\n")
                  .result,
              FileResult::kNoEnd);
    // A line "EXIT" ends the settings as "END" does; only a line that is exactly one of them.
    const std::string speed = std::string(kMarkerA) + "PRINT SPEED\t:\t3 IPS\r\n";
    EXPECT_EQ(SettingsFile::ImportBytes(speed + "EXIT\r\n").result, FileResult::kOk);
    EXPECT_EQ(SettingsFile::ImportBytes(speed + "EXIT").result, FileResult::kOk);
    EXPECT_EQ(SettingsFile::ImportBytes(speed + "EXITS\r\n").result, FileResult::kNoEnd);
}

TEST(SettingsFileRefusal, NulByteAnywhereIsRefused) {
    const std::string file = ExampleFile();
    for (const size_t at : {size_t{0}, kLeadIn.size(), file.size() / 2, file.size() - 1}) {
        std::string damaged = file;
        damaged.insert(at, 1, '\0');
        const ImportedText imported = SettingsFile::ImportBytes(damaged);
        EXPECT_EQ(imported.result, FileResult::kNulByte) << "NUL at " << at;
        EXPECT_TRUE(imported.text.empty());
    }
}

// Import through the file system leaves the record cleared when it refuses.
TEST(SettingsFileRefusal, RefusedImportLeavesTheRecordCleared) {
    const std::string path = ::testing::TempDir() + "qm-cut.prn";
    const std::string file = ExampleFile();
    std::ofstream(path, std::ios::binary) << file.substr(0, file.find("PRINT DARKNESS\t:\t1") + 18);
    SettingsRecord record;
    record.Item(entry::kPrintSpeed).ticked = 1;
    SettingsParser parser;
    EXPECT_EQ(SettingsFile::Import(path, record, parser), FileResult::kNoEnd);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
    EXPECT_EQ(record.Item(entry::kPrintDarkness).ticked, 0);
    std::remove(path.c_str());
}

// A FIFO whose writer stays open (and has sent only part of a file) ends the read after the
// bound instead of holding the caller for ever.
TEST(SettingsFileRefusal, FifoWithAnOpenWriterEndsAfterTheReadBound) {
    const std::string path = ::testing::TempDir() + "qm-fifo-" + std::to_string(::getpid());
    ::unlink(path.c_str());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const int writer = ::open(path.c_str(), O_RDWR | O_NONBLOCK); // keeps a writer open
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "~!!\r\n", 5), 5);
    FakeClock clock;
    const uint64_t start = clock.NowMs();
    std::string bytes = "left over";
    int error = 0;
    auto read = std::async(std::launch::async,
                           [&] { return SettingsFile::ReadBytes(path, bytes, &error, clock); });
    // Only a watchdog for a read that never ends: the fake clock makes the bound pass at once.
    const bool ended = read.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    ::close(writer); // lets a hanging read see the end of the FIFO
    ASSERT_TRUE(ended) << "the read of the FIFO did not end";
    EXPECT_EQ(read.get(), FileResult::kReadError);
    EXPECT_EQ(error, ETIMEDOUT);
    EXPECT_TRUE(bytes.empty());
    EXPECT_GE(clock.NowMs() - start, SettingsFile::kReadBoundMs);
    ::unlink(path.c_str());
}

} // namespace
} // namespace qm

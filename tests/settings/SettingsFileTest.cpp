#include "settings/SettingsFile.h"
#include "SettingsTestSupport.h"
#include "settings/Frame.h"
#include "settings/ReplyStart.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace qm {
namespace {

const std::string kA(kMarkerA);
const std::string kB(kMarkerB);
const std::string kC(kMarkerC);

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/qm-settings-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(SettingsFile, LeadInRules) {
    const std::string body = "GLOBAL CONFIG\t:\tCONFIG SET 2\r\nPRINT SPEED\t:\t3 IPS\r\nEND\r\n";
    auto a = SettingsFile::ImportBytes(std::string(kLeadIn) + body);
    ASSERT_EQ(a.result, FileResult::kOk);
    EXPECT_EQ(a.lineOffset, 0);
    EXPECT_EQ(a.text, U16(std::string(kLeadIn) + body));

    for (const std::string& start : {kB, kC}) {
        auto imported = SettingsFile::ImportBytes(start + body);
        ASSERT_EQ(imported.result, FileResult::kOk);
        EXPECT_EQ(imported.lineOffset, 1);
        SettingsRecord record;
        record.text = imported.text;
        SettingsParser().ParseSettings(record, 1);
        // The first setting is not taken for a lead-in line.
        EXPECT_EQ(record.Item(entry::kGlobalConfig).choice, 1);
        EXPECT_EQ(record.Item(entry::kPrintSpeed).choice, 1);
    }
    EXPECT_EQ(SettingsFile::ImportBytes(body).result, FileResult::kNoLeadIn);
    EXPECT_EQ(SettingsFile::ImportBytes("").result, FileResult::kNoLeadIn);
    EXPECT_EQ(SettingsFile::ImportBytes("x" + kB + body).result, FileResult::kNoLeadIn);
}

TEST(SettingsFile, LineEndsAndEmptyLines) {
    // LF-only files load like CR LF files.
    const std::string lf =
        "~!!\n\x02\x1b~A\n~\x1b~A\nPRINT SPEED\t:\t5 IPS\nDARKNESS ADJUST\t:\t2\nEND";
    auto imported = SettingsFile::ImportBytes(lf);
    ASSERT_EQ(imported.result, FileResult::kOk);
    EXPECT_EQ(imported.text,
              U16(kA + "~\x1b~A\r\nPRINT SPEED\t:\t5 IPS\r\nDARKNESS ADJUST\t:\t2\r\nEND\r\n"));

    // An empty line ends the import there.
    SettingsRecord record;
    record.text = SettingsFile::ImportBytes(
                      kA + "PRINT SPEED\t:\t5 IPS\r\n\r\nDARKNESS ADJUST\t:\t2\r\nEND\r\n")
                      .text;
    SettingsParser().ParseSettings(record, 1);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(record.Item(3).ticked, 0);

    // A file that does not fit the send buffer is refused, not cut.
    EXPECT_EQ(SettingsFile::ImportBytes(kA + std::string(5000, 'x')).result, FileResult::kTooLarge);
    // Measured as the record holds it: bytes that are not UTF-8 grow to three bytes each.
    const std::string notUtf8 = kA + "HOST NAME\t:\t" + std::string(1400, '\xFF') + "\r\nEND\r\n";
    ASSERT_LT(notUtf8.size(), kMaxFrameBytes);
    EXPECT_EQ(SettingsFile::ImportBytes(notUtf8).result, FileResult::kTooLarge);
}

TEST(SettingsFile, ImportExportThroughTheFileSystem) {
    TempDir dir;
    SettingsRecord record;
    record.modelIndex = 3;
    record.Item(entry::kPrintSpeed) = {1, u"7 IPS", u"", 0, 5, 0};
    record.Item(entry::kContinuousMediaLength) = {1, u"101.6", u"MM", 0, 0, 1};
    record.Item(103) = {1, u"12", u"", 0, 0, 0};
    SettingsParser parser;
    ConfigurationWriter writer;
    int error = -1;
    ASSERT_EQ(SettingsFile::Export(dir.File("a.prn"), record, writer, parser, &error),
              FileResult::kOk);
    std::ifstream in(dir.File("a.prn"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, std::string(kLeadIn) +
                         "PRINT SPEED\t:\t7 IPS\r\nCONTINUOUS MEDIA LENGTH\t:\t101.6\tMM\r\n"
                         "RFID FIXED POWER\t:\t12\r\nEND\r\n");

    SettingsRecord back;
    back.modelIndex = 3;
    back.Item(5).ticked = 1; // cleared by the import
    ASSERT_EQ(SettingsFile::Import(dir.File("a.prn"), back, parser), FileResult::kOk);
    EXPECT_EQ(back.Item(entry::kPrintSpeed).choice, 5);
    EXPECT_EQ(back.Item(entry::kContinuousMediaLength).value, u"101.6");
    EXPECT_EQ(back.Item(103).value, u"12");
    EXPECT_EQ(back.Item(5).ticked, 0);

    EXPECT_EQ(SettingsFile::Import(dir.File("missing.prn"), back, parser, &error),
              FileResult::kCannotOpen);
    EXPECT_EQ(error, ENOENT);
    std::string bytes2 = "left over";
    EXPECT_EQ(SettingsFile::ReadBytes(dir.File(""), bytes2, &error), FileResult::kReadError);
    EXPECT_EQ(error, EISDIR);
    EXPECT_TRUE(bytes2.empty());
    // An endless device stops at the size limit instead of filling the memory.
    EXPECT_EQ(SettingsFile::ReadBytes("/dev/zero", bytes2, &error), FileResult::kTooLarge);
    EXPECT_TRUE(bytes2.empty());
    // A FIFO nobody writes to or reads from neither blocks the reader nor the writer.
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(SettingsFile::Read(dir.File("fifo")).result, FileResult::kNoLeadIn);
    EXPECT_EQ(SettingsFile::Write(dir.File("fifo"), "x", &error), FileResult::kWriteError);
    WriteBytes(dir.File("plain.txt"), "PRINT SPEED\t:\t3 IPS\r\n");
    EXPECT_EQ(SettingsFile::Import(dir.File("plain.txt"), back, parser), FileResult::kNoLeadIn);
    EXPECT_EQ(back.Item(entry::kPrintSpeed).ticked, 0);
    EXPECT_EQ(SettingsFile::Write(dir.File("no/such/dir.prn"), "x", &error),
              FileResult::kWriteError);

    // An export too large for the send buffer writes nothing, not even a cut file.
    SettingsRecord huge;
    huge.Item(56) = {1, std::u16string(5000, u'h'), u"", 0, 0, 0};
    EXPECT_EQ(SettingsFile::Export(dir.File("huge.prn"), huge, writer, parser),
              FileResult::kTooLarge);
    EXPECT_FALSE(std::filesystem::exists(dir.File("huge.prn")));
}

// A write that fails half-way (here at the file size limit, as on a full disk) must leave the
// earlier export whole: the new content goes to a file beside it first.
TEST(SettingsFileTest, AFailedWriteLeavesTheEarlierFileWhole) {
    TempDir dir;
    const std::string earlier = "earlier export\r\n";
    ASSERT_EQ(SettingsFile::Write(dir.File("a.prn"), earlier), FileResult::kOk);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 8;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    int error = 0;
    const FileResult result = SettingsFile::Write(dir.File("a.prn"), std::string(100, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, FileResult::kWriteError);
    EXPECT_EQ(error, EFBIG);
    std::ifstream in(dir.File("a.prn"), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), earlier);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST(ReplyStart, MarkersAndOneStrayByte) {
    const std::string body = "PRINT SPEED\t:\t3 IPS\r\nEND\r\n";
    auto a = CheckReplyStart(kA + body);
    EXPECT_TRUE(a.accepted);
    EXPECT_EQ(a.text, kA + body);
    auto b = CheckReplyStart(kB + body);
    EXPECT_EQ(b.text, "\r\n" + kB + body);
    auto c = CheckReplyStart(kC + body);
    EXPECT_EQ(c.text, "\r\n" + kC + body);
    auto stray = CheckReplyStart("\x06" + kB + body);
    EXPECT_TRUE(stray.accepted);
    EXPECT_EQ(stray.droppedBytes, 1);
    EXPECT_EQ(stray.text, "\r\n" + kB + body);
    EXPECT_FALSE(CheckReplyStart("\x06\x06" + kB + body).accepted);
    EXPECT_FALSE(CheckReplyStart("").accepted);
    EXPECT_FALSE(CheckReplyStart("~").accepted);
    EXPECT_FALSE(CheckReplyStart(body).accepted);
}

// Random and truncated input never crashes the parser, the scans or the file reader.
TEST(SettingsFile, RandomAndTruncatedInputIsSafe) {
    std::mt19937 random(12345);
    const std::string sample =
        std::string(kLeadIn) +
        "PRINT SPEED\t:\t6 IPS\r\nIPV6 ADDRESS\t:\t1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n"
        "HEAD CHECK STOP POS\t:\tDOT\t900\r\nSYMBOL SET\t:\tu1\r\nHOST NAME\t:\tabc\r\n"
        "PAPER POSITION\t:\t-1.00\tINCH\r\nAUTO CALIBRATION : FAILED\r\nEND\r\n";
    const std::string alphabet = "\t:,;\r\n .-0123456789AZaz\x01\x02\x1b~!\xC3\xA9\xFF";
    SettingsParser parser;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            bytes = sample.substr(0, random() % (sample.size() + 1));
            for (int flips = random() % 4; flips > 0 && !bytes.empty(); --flips) {
                bytes[random() % bytes.size()] = alphabet[random() % alphabet.size()];
            }
        } else {
            const size_t length = random() % (round % 10 == 1 ? 12000 : 300);
            for (size_t i = 0; i < length; ++i) {
                bytes.push_back(alphabet[random() % alphabet.size()]);
            }
        }
        SettingsRecord record;
        record.modelIndex = static_cast<int>(random() % 38);
        record.text = Utf8ToUtf16(bytes);
        parser.ParseSettings(record, static_cast<int>(round % 2));
        parser.ParseCalibrationAnswer(record);
        DetectEmulationCode(record.text);
        HasRfidSection(record.text);
        ParseMachineInfo(record.text);
        ParseRfidCalibrationInfo(record.text);
        const ImportedText imported = SettingsFile::ImportBytes(bytes);
        if (imported.result == FileResult::kOk) {
            record.text = imported.text;
            parser.ParseSettings(record, 1);
        }
        CheckReplyStart(bytes);
    }
}

} // namespace
} // namespace qm

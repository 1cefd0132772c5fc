#include "operations/SettingsFileOperation.h"
#include "operations/SendOperation.h"
#include "platform/AtomicFile.h"
#include "settings/DisplayLists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace qm {
namespace {

const std::string kLeadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);

class SettingsFiles : public ::testing::Test {
protected:
    SettingsFiles() {
        char pattern[] = "/tmp/qm-files-XXXXXX";
        folder_ = ::mkdtemp(pattern);
    }
    ~SettingsFiles() override { std::filesystem::remove_all(folder_); }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string folder_;
    SettingsRecord record;
    SettingsParser parser;
    ConfigurationWriter writer;
};

TEST_F(SettingsFiles, ExportThenImportGivesTheSameTickedValues) {
    record.Item(entry::kPrintSpeed).ticked = 1;
    record.Item(entry::kPrintSpeed).value = u"6 IPS";
    BuiltConfiguration built = SendOperation(record, writer, parser).Build(ConfigurationUse::kFile);
    ASSERT_EQ(built.code, kOperationOk);
    ASSERT_EQ(SettingsFileOperation::Export(Path("a.prn"), built.text).code, kOperationOk);
    EXPECT_EQ(Read(Path("a.prn")).substr(0, 17), kLeadIn);

    SettingsRecord again;
    ASSERT_EQ(SettingsFileOperation(again, parser).Import(Path("a.prn")).code, kOperationOk);
    EXPECT_EQ(again.Item(entry::kPrintSpeed).ticked, 1);
    EXPECT_EQ(again.Item(entry::kPrintSpeed).error, 0);
    // The imported record, made send-ready as the pages do, builds the same file again.
    DisplayLists::MakeSendReady(again, writer.Options());
    BuiltConfiguration rebuilt =
        SendOperation(again, writer, parser).Build(ConfigurationUse::kFile);
    EXPECT_EQ(rebuilt.text, built.text);
}

TEST_F(SettingsFiles, BuildRefusesNothingTickedAndInvalidItems) {
    SendOperation send(record, writer, parser);
    EXPECT_EQ(send.Build(ConfigurationUse::kPrinter).code, kCodeNothingTicked);
    record.Item(entry::kPrintSpeed).ticked = 1;
    record.Item(entry::kPrintSpeed).value = u"99 IPS";
    BuiltConfiguration built = send.Build(ConfigurationUse::kPrinter);
    EXPECT_EQ(built.code, kCodeInvalidItems);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).error, 1);
}

TEST_F(SettingsFiles, ImportRefusals) {
    SettingsFileOperation files(record, parser);
    EXPECT_EQ(files.Import(Path("missing.prn")).code, kCodeImportFailed);
    Write(Path("nolead.prn"), "PRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    EXPECT_EQ(files.Import(Path("nolead.prn")).result, FileResult::kNoLeadIn);
    // Larger than the send buffer: refused whole, not cut at 4096 bytes.
    std::string big = kLeadIn;
    while (big.size() < 5000) {
        big += "PRINT SPEED\t:\t6 IPS\r\n";
    }
    Write(Path("big.prn"), big + "END\r\n");
    FileOutcome refused = files.Import(Path("big.prn"));
    EXPECT_EQ(refused.code, kCodeImportFailed);
    EXPECT_EQ(refused.result, FileResult::kTooLarge);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
    // Marker B alone (5 bytes) is a file start; the settings still need their END line.
    Write(Path("b.prn"), "~!!\r\nPRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    EXPECT_EQ(files.Import(Path("b.prn")).code, kOperationOk);
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);
    Write(Path("cut.prn"), "~!!\r\nPRINT SPEED\t:\t6 IPS\r\nEN");
    EXPECT_EQ(files.Import(Path("cut.prn")).result, FileResult::kNoEnd);
    EXPECT_FALSE(files.LoadRecent(Path("cut.prn")));
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 0);
}

// The recent file never keeps the wireless keys, the pre-shared key or the EAP password.
TEST_F(SettingsFiles, RecentFileLeavesOutTheSecrets) {
    const std::u16string text =
        u"HOST NAME\t:\tLabel 1\r\nWLAN WEP KEY 1\t:\tABCDE\r\n"
        u"WLAN WEP KEY 4\t:\tEDCBA\r\nWLAN PSK\t:\tHUNTER22\r\n"
        u"EAP USER NAME\t:\toperator\r\nEAP PASSWORD\t:\tpw-7781\r\nEND\r\n";
    ASSERT_TRUE(SettingsFileOperation::SaveRecent(Path("Recent.dat"), text));
    EXPECT_EQ(Read(Path("Recent.dat")), kLeadIn + "HOST NAME\t:\tLabel 1\r\n"
                                                  "EAP USER NAME\t:\toperator\r\nEND\r\n");
    EXPECT_TRUE(SettingsFileOperation(record, parser).LoadRecent(Path("Recent.dat")));
    EXPECT_EQ(record.Item(entry::kWlanPsk).ticked, 0);
    EXPECT_EQ(record.Item(89).value, u"operator");
}

TEST_F(SettingsFiles, ExportFailuresWriteNothing) {
    EXPECT_EQ(SettingsFileOperation::Export(folder_ + "/no/such/folder/a.prn", u"END\r\n").code,
              kCodeExportFailed);
    std::u16string huge(5000, u'A');
    FileOutcome tooLarge = SettingsFileOperation::Export(Path("huge.prn"), huge);
    EXPECT_EQ(tooLarge.code, kCodeExportFailed);
    EXPECT_FALSE(std::filesystem::exists(Path("huge.prn")));
}

TEST_F(SettingsFiles, RecentFileIsReplacedWholeOrNotAtAll) {
    const std::string recent = Path("Recent.dat");
    ASSERT_TRUE(SettingsFileOperation::SaveRecent(recent, u"PRINT SPEED\t:\t6 IPS\r\nEND\r\n"));
    EXPECT_EQ(Read(recent), kLeadIn + "PRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    EXPECT_TRUE(SettingsFileOperation(record, parser).LoadRecent(recent));
    EXPECT_EQ(record.Item(entry::kPrintSpeed).ticked, 1);

    // A folder that refuses new files: the old content stays, no temporary file is left.
    ::chmod(folder_.c_str(), 0500);
    const bool refused = !SettingsFileOperation::SaveRecent(recent, u"END\r\n");
    ::chmod(folder_.c_str(), 0700);
    if (::geteuid() != 0) {
        EXPECT_TRUE(refused);
        EXPECT_EQ(Read(recent), kLeadIn + "PRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);

    // Missing or malformed: nothing loaded.
    SettingsFileOperation files(record, parser);
    EXPECT_FALSE(files.LoadRecent(Path("none.dat")));
    Write(Path("bad.dat"), "garbage");
    EXPECT_FALSE(files.LoadRecent(Path("bad.dat")));
}

TEST_F(SettingsFiles, AtomicReplaceFollowsALinkAndKeepsPermissions) {
    const std::string target = Path("target");
    Write(target, "old");
    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink("target", Path("link"));
    ASSERT_TRUE(ReplaceFileAtomically(Path("link"), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link")));
    EXPECT_EQ(Read(target), "new");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

} // namespace
} // namespace qm

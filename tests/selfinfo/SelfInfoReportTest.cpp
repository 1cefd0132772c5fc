#include "SelfInfoTestSupport.h"

#include "selfinfo/SelfInfoReport.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <sys/resource.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadWhole;
using test::SomeTime;

const std::u16string kMachine = u"Model Number\t:\tVexa Gorse\r\n"
                                u"Serial Number\t:\tGX4-123456\r\n"
                                u"\r\nBoot Version\t:\t1.02\r\n"
                                u"\r\nPrint Counter\t:\t1,234.5 m\r\n";
const std::u16string kMenu = u"GLOBAL CONFIG\t:\tCONFIG SET 1\r\n\r\nPRINT SPEED\t:\t6 IPS\r\n";

struct Names {
    std::u16string model;
    std::u16string serial;
    ReportOutcome failure = ReportOutcome::kSaved;
    bool ok = false;
};
Names Read(std::u16string_view text) {
    Names n;
    n.ok = SelfInfoReport::ModelAndSerial(text, n.model, n.serial, n.failure);
    return n;
}

TEST(SelfInfoReport, ModelAndSerial) {
    Names n = Read(kMachine);
    ASSERT_TRUE(n.ok);
    EXPECT_EQ(n.model, u"Vexa Gorse");
    // A serial shorter than its 22-character window stops at its line end.
    EXPECT_EQ(n.serial, u"GX4-123456");
    // A longer one is cut to the window; trailing blanks go.
    EXPECT_EQ(Read(u"Model Number\t:\tM\r\nSerial Number\t:\t1234567890123456789012345\r\n").serial,
              u"1234567890123456789012");
    EXPECT_EQ(Read(u"Model Number\t:\tM\r\nSerial Number\t:\tAB12   \r\n").serial, u"AB12");
    EXPECT_EQ(Read(u"Model Number\t:\tM\r\nSerial Number\t:\t").serial, u"");
    // The separator missing after "Model Number" leaves an empty model, not a broken one.
    EXPECT_EQ(Read(u"Model Number\r\nSerial Number\t:\tS\r\n").model, u"");

    EXPECT_EQ(Read(u"Serial Number\t:\tS\r\n").failure, ReportOutcome::kNoModel);
    EXPECT_EQ(Read(u"Model Number\t:\tM\r\nSerial No\t:\tS\r\n").failure, ReportOutcome::kNoSerial);
}

TEST(SelfInfoReport, FileNameAndContent) {
    EXPECT_EQ(SelfInfoReport::DateFolder(SomeTime()), "20261209");
    EXPECT_EQ(SelfInfoReport::FileName(u"Vexa Gorse", u"GX4-123456", SomeTime()),
              "Vexa Gorse_GX4-123456_20261209_030405_.csv");
    // Nothing that would leave the folder or break the name.
    EXPECT_EQ(SelfInfoReport::FileName(u"../../etc/x", u"a/b\tc", SomeTime()),
              ".._.._etc_x_a_b_c_20261209_030405_.csv");
    EXPECT_EQ(SelfInfoReport::FileName(u"ラベル", u"S", SomeTime()),
              "ラベル_S_20261209_030405_.csv");

    EXPECT_EQ(SelfInfoReport::Content(u"Print Counter\t:\t1,234.5 m\r\n", u"A\t:\tB,C\r\n"),
              "Print Counter,1.234.5 m\r\n\r\nA,B.C\r\n");
}

TEST(SelfInfoReport, CellsAPrinterSendsCannotBecomeFormulas) {
    // Formula starts get an apostrophe, plain numbers stay numbers, control characters and a
    // lone CR are escaped, a tab between a value and its unit stays.
    EXPECT_EQ(SelfInfoReport::Content(u"Boot Version\t:\t=cmd|' /C calc'!A0\r\n"
                                      u"HOST NAME\t:\t@SUM(A1)\r\n"
                                      u"+x\t:\t-y\r\n",
                                      u"OFFSET\t:\t-12\r\nLENGTH\t:\t101.6\tMM\r\n"
                                      u"NAME\t:\ta\rb\x1b[2J\r\n\tLEAD\t:\t1\r\n"),
              "Boot Version,'=cmd|' /C calc'!A0\r\n"
              "HOST NAME,'@SUM(A1)\r\n"
              "'+x,'-y\r\n"
              "\r\n"
              "OFFSET,-12\r\nLENGTH,101.6\tMM\r\n"
              "NAME,a\\x0db\\x1b[2J\r\n\\x09LEAD,1\r\n");
}

TEST(SelfInfoReport, ALongModelNameIsShortenedToFitAFileName) {
    const std::string name =
        SelfInfoReport::FileName(std::u16string(400, u'ラ'), u"S1", SomeTime());
    EXPECT_LE(name.size(), static_cast<size_t>(NAME_MAX));
    EXPECT_TRUE(name.ends_with("_S1_20261209_030405_.csv")) << name;
    EXPECT_TRUE(name.starts_with("ララ")) << name;
    EXPECT_EQ((name.size() - 24) % 3, 0u); // no character cut in two
}

class SelfInfoSave : public ::testing::Test {
protected:
    fs::path DateFolder() const { return fs::path(scratch.Path()) / "20261209"; }
    test::ScratchFolder scratch;
};

TEST_F(SelfInfoSave, WritesTheReportInItsDateFolderAndOverwritesInTheSameSecond) {
    ReportResult first = SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime());
    ASSERT_EQ(first.outcome, ReportOutcome::kSaved);
    EXPECT_EQ(first.path, (DateFolder() / "Vexa Gorse_GX4-123456_20261209_030405_.csv").string());
    EXPECT_EQ(ReadWhole(first.path), SelfInfoReport::Content(kMachine, kMenu));

    ReportResult second =
        SelfInfoReport::Save(scratch.Path(), kMachine, u"CHANGED\t:\t1", SomeTime());
    ASSERT_EQ(second.outcome, ReportOutcome::kSaved);
    EXPECT_EQ(second.path, first.path);
    EXPECT_EQ(ReadWhole(second.path), SelfInfoReport::Content(kMachine, u"CHANGED\t:\t1"));
    EXPECT_EQ(std::distance(fs::directory_iterator(DateFolder()), fs::directory_iterator()), 1);
}

TEST_F(SelfInfoSave, ATextBeyondFourKilobytesIsSavedWhole) {
    std::u16string menu;
    while (menu.size() < 20000) {
        menu += u"RESERVED\t:\t" + std::u16string(40, u'7') + u"\r\n";
    }
    ReportResult result = SelfInfoReport::Save(scratch.Path(), kMachine, menu, SomeTime());
    ASSERT_EQ(result.outcome, ReportOutcome::kSaved);
    const std::string saved = ReadWhole(result.path);
    EXPECT_EQ(saved, SelfInfoReport::Content(kMachine, menu));
    EXPECT_GT(saved.size(), 4u * 4096u);
}

TEST_F(SelfInfoSave, FailuresAreReportedAndLeaveNothingBehind) {
    // The base folder is missing: the date folder cannot be made.
    EXPECT_EQ(
        SelfInfoReport::Save(scratch.Path() + "/missing", kMachine, kMenu, SomeTime()).outcome,
        ReportOutcome::kFolderError);
    // A file stands where the date folder should be.
    {
        std::FILE* f = std::fopen(DateFolder().c_str(), "w");
        std::fclose(f);
    }
    EXPECT_EQ(SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime()).outcome,
              ReportOutcome::kFolderError);
    fs::remove(DateFolder());

    // No model or serial: the date folder is made, but no file.
    EXPECT_EQ(
        SelfInfoReport::Save(scratch.Path(), u"Serial Number\t:\tS", kMenu, SomeTime()).outcome,
        ReportOutcome::kNoModel);
    EXPECT_TRUE(fs::is_empty(DateFolder()));

    // A folder stands where the file should be: it stays, and nothing else is left.
    const fs::path target = DateFolder() / "Vexa Gorse_GX4-123456_20261209_030405_.csv";
    fs::create_directory(target);
    EXPECT_EQ(SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime()).outcome,
              ReportOutcome::kOpenError);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(std::distance(fs::directory_iterator(DateFolder()), fs::directory_iterator()), 1);
    fs::remove(target);
}

TEST_F(SelfInfoSave, PlantedLinksAreNeverWrittenThrough) {
    const fs::path victim = fs::path(scratch.Path()) / "victim";
    std::FILE* f = std::fopen(victim.c_str(), "w");
    std::fputs("precious", f);
    std::fclose(f);
    fs::create_directory(DateFolder());
    // Links at the temporary names a process could be given, and at the final name.
    for (int pid = ::getpid(); pid < ::getpid() + 3; ++pid) {
        fs::create_symlink(victim, DateFolder() / (".selfinfo-" + std::to_string(pid) + ".part"));
    }
    const fs::path target = DateFolder() / "Vexa Gorse_GX4-123456_20261209_030405_.csv";
    fs::create_symlink(victim, target);

    ReportResult result = SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime());
    ASSERT_EQ(result.outcome, ReportOutcome::kSaved);
    EXPECT_EQ(ReadWhole(victim.string()), "precious");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadWhole(target.string()), SelfInfoReport::Content(kMachine, kMenu));
}

TEST_F(SelfInfoSave, ADateFolderOthersCanWriteOrOwnIsRefused) {
    fs::create_directory(DateFolder());
    ASSERT_EQ(::chmod(DateFolder().c_str(), 0777), 0);
    ReportResult open = SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime());
    EXPECT_EQ(open.outcome, ReportOutcome::kFolderError);
    EXPECT_EQ(open.error, EPERM);
    EXPECT_TRUE(fs::is_empty(DateFolder()));

    // With the sticky bit others cannot swap this user's files: taken.
    ASSERT_EQ(::chmod(DateFolder().c_str(), 01777), 0);
    EXPECT_EQ(SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime()).outcome,
              ReportOutcome::kSaved);
    fs::remove_all(DateFolder());

    // A link to a folder, planted by another user.
    const fs::path elsewhere = fs::path(scratch.Path()) / "elsewhere";
    fs::create_directory(elsewhere);
    fs::create_symlink(elsewhere, DateFolder());
    if (::geteuid() == 0) {
        ASSERT_EQ(::lchown(DateFolder().c_str(), 65534, 65534), 0);
        EXPECT_EQ(SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime()).outcome,
                  ReportOutcome::kFolderError);
        EXPECT_TRUE(fs::is_empty(elsewhere));
        // A folder another user made first.
        fs::remove(DateFolder());
        fs::create_directory(DateFolder());
        ASSERT_EQ(::chown(DateFolder().c_str(), 65534, 65534), 0);
        EXPECT_EQ(SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime()).outcome,
                  ReportOutcome::kFolderError);
        EXPECT_TRUE(fs::is_empty(DateFolder()));
    } else {
        // This user's own link is followed.
        EXPECT_EQ(SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime()).outcome,
                  ReportOutcome::kSaved);
    }
}

TEST_F(SelfInfoSave, AFailedWriteKeepsTheOlderReport) {
    ReportResult older = SelfInfoReport::Save(scratch.Path(), kMachine, kMenu, SomeTime());
    ASSERT_EQ(older.outcome, ReportOutcome::kSaved);

    // Files may grow to 16 bytes only: the write fails part-way.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ReportResult failed = SelfInfoReport::Save(scratch.Path(), kMachine, u"NEW", SomeTime());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(failed.outcome, ReportOutcome::kWriteError);
    EXPECT_NE(failed.error, 0);
    EXPECT_EQ(ReadWhole(older.path), SelfInfoReport::Content(kMachine, kMenu));
    EXPECT_EQ(std::distance(fs::directory_iterator(DateFolder()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace qm

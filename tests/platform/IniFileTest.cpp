#include "platform/IniFile.h"
#include "platform/AtomicFile.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qm {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qm-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "Quillmark.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Put(const std::string& bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static std::string Utf16Le(std::u16string_view text) {
        std::string out;
        for (char16_t c : text) {
            out.push_back(static_cast<char>(c & 0xFF));
            out.push_back(static_cast<char>(c >> 8));
        }
        return out;
    }
    size_t FilesInDir() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(IniFileTest, MissingFileReadsNothingAndIsCreatedAsUtf16WithOnlyTheSection) {
    IniFile ini(path_);
    std::u16string value = u"untouched";
    EXPECT_FALSE(ini.Read(u"Quillmark", u"PORT_TYPE", value));
    EXPECT_EQ(value, u"untouched");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"PORT_TYPE", u"fallback"), u"fallback");
    EXPECT_EQ(ini.ReadInt(u"Quillmark", u"REGION", 255), 255);
    EXPECT_FALSE(ini.Exists());

    ASSERT_TRUE(ini.CreateUnicode(u"Quillmark"));
    EXPECT_EQ(Bytes(), "\xFF\xFE" + Utf16Le(u"[Quillmark]\r\n"));
    // An existing file is never replaced by the creation.
    Put("[Other]\nA=1\n");
    EXPECT_TRUE(ini.CreateUnicode(u"Quillmark"));
    EXPECT_EQ(Bytes(), "[Other]\nA=1\n");
}

TEST_F(IniFileTest, WriteToMissingFileMakesUtf16FileThatReadsBack) {
    IniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"Quillmark", u"PRINTER_MODEL", u"Vexa Alder (Zebra\u00AE Emulation)"));
    EXPECT_EQ(Bytes(),
              "\xFF\xFE" + Utf16Le(u"[Quillmark]\r\n"
                                   u"PRINTER_MODEL=Vexa Alder (Zebra\u00AE Emulation)\r\n"));
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"PRINTER_MODEL", u""),
              u"Vexa Alder (Zebra\u00AE Emulation)");
}

TEST_F(IniFileTest, Utf16FileKeepsEveryOtherByteWhenOneKeyChanges) {
    const std::u16string before = u"; \u8A2D\u5B9A\r\n"
                                  u"[Other]\r\n"
                                  u"PORT_TYPE=LPT\r\n"
                                  u"\r\n"
                                  u"[Quillmark]\r\n"
                                  u"PORT_TYPE=COM\r\n"
                                  u"  port_name = COM3: \r\n"
                                  u"\r\n"
                                  u"[Tail]\r\n"
                                  u"X=\u65E5\u672C\r\n";
    Put("\xFF\xFE" + Utf16Le(before));
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"PORT_NAME", u""), u"COM3:");
    EXPECT_EQ(ini.ReadString(u"quillmark", u"port_type", u""), u"COM");
    EXPECT_EQ(ini.ReadString(u"Other", u"PORT_TYPE", u""), u"LPT");

    // Replacing a key rewrites only its own line.
    ASSERT_TRUE(ini.Write(u"Quillmark", u"PORT_NAME", u"\u30D7\u30EA\u30F3\u30BF"));
    std::u16string expected = before;
    expected.replace(expected.find(u"  port_name = COM3: "), 20,
                     u"PORT_NAME=\u30D7\u30EA\u30F3\u30BF");
    EXPECT_EQ(Bytes(), "\xFF\xFE" + Utf16Le(expected));

    // A new key goes after the section's last line, before the blank line and the next section.
    ASSERT_TRUE(ini.Write(u"Quillmark", u"REGION", u"1"));
    expected.insert(expected.find(u"\r\n\r\n[Tail]") + 2, u"REGION=1\r\n");
    EXPECT_EQ(Bytes(), "\xFF\xFE" + Utf16Le(expected));
    EXPECT_EQ(ini.ReadInt(u"Quillmark", u"REGION", 255), 1);
    EXPECT_EQ(ini.ReadString(u"Tail", u"X", u""), u"\u65E5\u672C");
    EXPECT_EQ(ini.ReadString(u"Other", u"PORT_TYPE", u""), u"LPT");
    // Nothing is left behind by the replacements.
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(IniFileTest, Utf8FileStaysUtf8WithItsLineEndsAndUntouchedForeignBytes) {
    // Bare LF line ends, no byte-order mark, and a line that is not valid UTF-8.
    const std::string before = "[Other]\n"
                               "BLOB=\xFF\xFE\x80 raw\n"
                               "[Quillmark]\n"
                               "DEFAULT_FOLDER=/home/\xE5\xB1\xB1\xE7\x94\xB0/labels\n"
                               "APP_MODE=QRVT"; // no line end at the very end
    Put(before);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"DEFAULT_FOLDER", u""), u"/home/\u5C71\u7530/labels");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"APP_MODE", u""), u"QRVT");

    ASSERT_TRUE(ini.Write(u"Quillmark", u"REGION", u"2"));
    EXPECT_EQ(Bytes(), before + "\nREGION=2\n");
    ASSERT_TRUE(ini.Write(u"Quillmark", u"PORT_NAME", u"\u00C9tiquettes"));
    EXPECT_EQ(Bytes(), before + "\nREGION=2\nPORT_NAME=\xC3\x89tiquettes\n");

    // A missing section is appended at the end.
    ASSERT_TRUE(ini.Write(u"New", u"K", u"v"));
    EXPECT_EQ(Bytes(), before + "\nREGION=2\nPORT_NAME=\xC3\x89tiquettes\n[New]\nK=v\n");

    // A UTF-8 byte-order mark is recognised and kept.
    Put("\xEF\xBB\xBF[Quillmark]\r\nPORT_TYPE=NET\r\n");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"PORT_TYPE", u""), u"NET");
    ASSERT_TRUE(ini.Write(u"Quillmark", u"PORT_TYPE", u"USB"));
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[Quillmark]\r\nPORT_TYPE=USB\r\n");
}

TEST_F(IniFileTest, ValuesAreTrimmedUnquotedAndFirstMatchWins) {
    Put("[Quillmark]\n"
        "A =  spaced value \t\n"
        "B=\"  quoted  \"\n"
        "C='x'\n"
        "D=\"half\n"
        "A=second\n"
        "E=\n"
        "[Quillmark]\n"
        "F=later section\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"A", u"-"), u"spaced value");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"B", u"-"), u"  quoted  ");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"C", u"-"), u"x");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"D", u"-"), u"\"half");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"E", u"-"), u"");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"F", u"-"), u"-");

    // Values that would not read back as written are quoted.
    ASSERT_TRUE(ini.Write(u"Quillmark", u"G", u" /folder with edge blanks/ "));
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"G", u"-"), u" /folder with edge blanks/ ");
    ASSERT_TRUE(ini.Write(u"Quillmark", u"H", u"'quoted'"));
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"H", u"-"), u"'quoted'");
}

TEST_F(IniFileTest, IntegersMustBeWholeNumbers) {
    Put("[S]\nA=3\nB= -2 \nC=7abc\nD=\nE=99999999999\nF=+4\nG=-\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInt(u"S", u"A", 255), 3);
    EXPECT_EQ(ini.ReadInt(u"S", u"B", 255), -2);
    EXPECT_EQ(ini.ReadInt(u"S", u"C", 255), 255);
    EXPECT_EQ(ini.ReadInt(u"S", u"D", 255), 255);
    EXPECT_EQ(ini.ReadInt(u"S", u"E", 255), 255);
    EXPECT_EQ(ini.ReadInt(u"S", u"F", 255), 4);
    EXPECT_EQ(ini.ReadInt(u"S", u"G", 255), 255);
    EXPECT_EQ(ini.ReadInt(u"S", u"missing", 255), 255);
}

// A UTF-16 file with an odd number of bytes (cut inside a character): a write reads back, the
// other keys keep their values, and the odd byte is kept at the very end.
TEST_F(IniFileTest, OddByteOfAUtf16FileDoesNotShiftAWrite) {
    const std::string odd =
        std::string("\xFF\xFE") + Utf16Le(u"[Quillmark]\r\nPORT_NAME=COM1:\r\nREGION=2") + "\x33";
    for (const std::u16string_view key : {u"PORT_TYPE", u"REGION", u"PORT_NAME"}) {
        Put(odd);
        IniFile ini(path_);
        ASSERT_TRUE(ini.Write(u"Quillmark", key, u"NET")) << Utf16ToUtf8(key);
        EXPECT_EQ(ini.ReadString(u"Quillmark", key, u"?"), u"NET");
        for (const auto& [other, value] :
             {std::pair{u"PORT_NAME", u"COM1:"}, std::pair{u"REGION", u"2"}}) {
            if (other != key) {
                EXPECT_EQ(ini.ReadString(u"Quillmark", other, u"?"), value) << Utf16ToUtf8(key);
            }
        }
        EXPECT_EQ(Bytes().size() % 2, 1u);
        EXPECT_EQ(Bytes().back(), '\x33');
    }
}

// Names are trimmed alike when writing and reading, so a written key reads back by its name.
TEST_F(IniFileTest, NamesWithBlanksReadBackAsTheyWereWritten) {
    IniFile ini(path_);
    ASSERT_TRUE(ini.Write(u" Quillmark ", u" REGION\t", u"2"));
    EXPECT_EQ(ini.ReadString(u" Quillmark ", u" REGION\t", u"?"), u"2");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"REGION", u"?"), u"2");
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"REGION\r", u"?"), u"?");
}

TEST_F(IniFileTest, SeveralKeysGoInWithOneReplacement) {
    Put("[Quillmark]\r\nREGION=1\r\n");
    IniFile ini(path_);
    const std::vector<IniFile::KeyValue> keys = {
        {u"PORT_TYPE", u"NET"}, {u"BAD\r", u"x"}, {u"REGION", u"3"}};
    EXPECT_FALSE(ini.WriteKeys(u"Quillmark", keys)); // the refused key is reported
    EXPECT_EQ(Bytes(), "[Quillmark]\r\nREGION=3\r\nPORT_TYPE=NET\r\n");
    EXPECT_EQ(FilesInDir(), 1u);
    EXPECT_TRUE(ini.WriteKeys(u"Quillmark", std::vector<IniFile::KeyValue>{{u"REGION", u"0"}}));
    EXPECT_EQ(ini.ReadString(u"Quillmark", u"REGION", u"?"), u"0");
}

TEST_F(IniFileTest, UnsafeWritesAreRefusedAndChangeNothing) {
    const std::string before = "[Quillmark]\nPORT_NAME=COM1:\n";
    Put(before);
    IniFile ini(path_);
    // A line break in a value would plant further keys in the file.
    EXPECT_FALSE(ini.Write(u"Quillmark", u"DEFAULT_FOLDER", u"/tmp/x\nPORT_TYPE=NET"));
    EXPECT_FALSE(ini.Write(u"Quillmark", u"DEFAULT_FOLDER", u"/tmp/x\rY"));
    EXPECT_FALSE(ini.Write(u"Quillmark", u"DEFAULT_FOLDER", std::u16string(u"a\0b", 3)));
    EXPECT_FALSE(ini.Write(u"Quillmark", u"A=B", u"1"));
    // A name ending in a line break is refused, not trimmed and stored.
    EXPECT_FALSE(ini.Write(u"Quillmark", u"PORT_TYPE\r", u"NET"));
    EXPECT_FALSE(ini.Write(u"Quillmark", u"PORT_TYPE\n", u"NET"));
    EXPECT_FALSE(ini.Write(u"Quillmark\r", u"PORT_TYPE", u"NET"));
    EXPECT_FALSE(ini.Write(u"Quillmark", u"[X", u"1"));
    EXPECT_FALSE(ini.Write(u"Quillmark", u"", u"1"));
    EXPECT_FALSE(ini.Write(u"", u"K", u"1"));
    EXPECT_FALSE(ini.Write(u"Bad]Section", u"K", u"1"));
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(FilesInDir(), 1u);

    // A path that cannot be read as a file fails without creating anything.
    IniFile folder(dir_.string());
    EXPECT_FALSE(folder.Write(u"Quillmark", u"K", u"1"));
    IniFile nowhere((dir_ / "missing-folder" / "Quillmark.ini").string());
    EXPECT_FALSE(nowhere.Write(u"Quillmark", u"K", u"1"));
    EXPECT_FALSE(nowhere.CreateUnicode(u"Quillmark"));
}

TEST_F(IniFileTest, ReplacementKeepsPermissionsAndFollowsLinks) {
    Put("[Quillmark]\nREGION=0\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    const std::string link = (dir_ / "link.ini").string();
    fs::create_symlink("Quillmark.ini", link);

    IniFile viaLink(link);
    ASSERT_TRUE(viaLink.Write(u"Quillmark", u"REGION", u"3"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Bytes(), "[Quillmark]\nREGION=3\n");
    struct stat st {};
    ASSERT_EQ(::stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(FilesInDir(), 2u);
}

// A link planted at the preferences' name must not turn what it points at into a file: a FIFO
// stands in for a device node such as /dev/null.
TEST_F(IniFileTest, ReplaceRefusesALinkToSomethingOtherThanARegularFile) {
    const std::string fifo = (dir_ / "device").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    fs::create_symlink("device", path_);

    IniFile ini(path_);
    errno = 0;
    EXPECT_FALSE(ini.Write(u"Quillmark", u"REGION", u"3"));
    EXPECT_EQ(errno, kNotRegularFileError);
    EXPECT_EQ(FileErrorText(errno), "not a regular file");
    int error = 0;
    EXPECT_FALSE(ReplaceFileAtomically(path_, "[Quillmark]\n", &error)); // the Recent.dat path
    EXPECT_EQ(error, kNotRegularFileError);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(FilesInDir(), 2u);
}

// A preferences file linked to an endless device or to a FIFO whose writer stays open gives the
// defaults at once; a child process runs the reads so that a fault ends it rather than the test.
TEST_F(IniFileTest, EndlessOrSilentFilesGiveTheDefaults) {
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(10);
        const int writer = ::open(fifo.c_str(), O_RDWR); // holds the FIFO open for writing
        fs::create_symlink("/dev/zero", path_);
        const bool zeroRefused = IniFile(path_).ReadInt(u"Quillmark", u"REGION", 7) == 7;
        fs::remove(path_);
        fs::create_symlink(fifo, path_);
        const bool fifoRefused = IniFile(path_).ReadInt(u"Quillmark", u"REGION", 7) == 7 &&
                                 !IniFile(path_).Write(u"Quillmark", u"REGION", u"1");
        ::close(writer);
        ::_exit(zeroRefused && fifoRefused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(IniFileTest, Utf16BigEndianIsReadAndKept) {
    std::string bytes = "\xFE\xFF";
    for (char16_t c : std::u16string_view(u"[Quillmark]\r\nREGION=1\r\n")) {
        bytes.push_back(static_cast<char>(c >> 8));
        bytes.push_back(static_cast<char>(c & 0xFF));
    }
    Put(bytes);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInt(u"Quillmark", u"REGION", 255), 1);
    ASSERT_TRUE(ini.Write(u"Quillmark", u"REGION", u"2"));
    bytes.replace(bytes.size() - 6, 2,
                  std::string("\0"
                              "2",
                              2));
    EXPECT_EQ(Bytes(), bytes);
}

TEST_F(IniFileTest, ReadersNeverSeeAHalfWrittenFile) {
    IniFile ini(path_);
    const std::u16string longValue(3000, u'L');
    ASSERT_TRUE(ini.Write(u"Quillmark", u"K", u"short"));
    ASSERT_TRUE(ini.Write(u"Other", u"KEEP", u"1"));

    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        IniFile mine(path_);
        for (int i = 0; i < 100; ++i) {
            if (!mine.Write(u"Quillmark", u"K",
                            (i % 2) ? std::u16string_view(longValue) : u"short")) {
                ::_exit(1);
            }
        }
        ::_exit(0);
    }
    int bad = 0;
    for (int i = 0; i < 100; ++i) {
        std::u16string value;
        std::u16string keep;
        if (!ini.Read(u"Quillmark", u"K", value) || (value != u"short" && value != longValue) ||
            !ini.Read(u"Other", u"KEEP", keep) || keep != u"1") {
            ++bad;
        }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(FilesInDir(), 1u);
}

} // namespace
} // namespace qm

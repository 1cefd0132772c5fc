#include "app/Preferences.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qm {
namespace {

namespace fs = std::filesystem;

constexpr uint16_t kJapanese = 0x11;
constexpr uint16_t kKorean = 0x12;
constexpr uint16_t kEnglish = 0x09;

const std::vector<std::u16string> kModels = {u"Vexa Alder", u"Vexa Alder (Zebra\u00AE Emulation)",
                                             u"Vexa Birch"};

class PreferencesFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qm-prefs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "Quillmark.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes a UTF-8 ini file with the given lines inside [Quillmark].
    void Ini(const std::string& lines) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << "[Quillmark]\r\n" << lines;
    }
    Preferences Load(uint16_t language = kEnglish) const {
        return ReadPreferences(IniFile(path_), kModels, language);
    }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(PreferencesFileTest, MissingFileGivesTheDefaults) {
    const Preferences prefs = Load(kJapanese);
    EXPECT_EQ(prefs.portType, kPortNone);
    EXPECT_EQ(prefs.portName, u"");
    EXPECT_EQ(prefs.defaultFolder, u"");
    EXPECT_EQ(prefs.defaultFileName, u"");
    EXPECT_EQ(prefs.printerModel, u"Vexa Alder");
    EXPECT_EQ(prefs.serial, SerialSettings{});
    EXPECT_EQ(prefs.serial.baudRate, 9600u);
    EXPECT_EQ(prefs.serial.flow, u"X");
    EXPECT_EQ(prefs.portNumber, u"");
    EXPECT_EQ(prefs.region, 1);
    EXPECT_EQ(prefs.appMode, u"STANDARD");
    EXPECT_FALSE(fs::exists(path_)); // reading never creates the file
}

TEST_F(PreferencesFileTest, RegionIsTakenOnlyWhenZeroToThree) {
    Ini("REGION=7\r\n");
    EXPECT_EQ(Load(kKorean).region, 3);
    Ini("REGION=0\r\n");
    EXPECT_EQ(Load(kKorean).region, 0);
    Ini("REGION=2\r\n");
    EXPECT_EQ(Load(kJapanese).region, 2);
    Ini("REGION=-1\r\n");
    EXPECT_EQ(Load(kJapanese).region, 1);
    // Not a number: the user's language decides (not English by accident).
    Ini("REGION=abc\r\n");
    EXPECT_EQ(Load(kJapanese).region, 1);
    Ini("REGION=\r\n");
    EXPECT_EQ(Load(0x04).region, 2);
    EXPECT_EQ(Load(0x07).region, 0); // another language: English
}

TEST_F(PreferencesFileTest, ComSetIsReadTokenByToken) {
    Ini("COM_SET=19200 7 2 e x\r\n");
    SerialSettings serial = Load().serial;
    EXPECT_EQ(serial.baudRate, 19200u);
    EXPECT_EQ(serial.dataBits, 7);
    EXPECT_EQ(serial.stopBits, 2);
    EXPECT_EQ(serial.parity, 2);
    EXPECT_EQ(serial.flow, u"X");

    // Four tokens, or a doubled blank that makes six, change nothing.
    Ini("COM_SET=19200 7 2 E\r\n");
    EXPECT_EQ(Load().serial, SerialSettings{});
    Ini("COM_SET=19200  7 2 E H\r\n");
    EXPECT_EQ(Load().serial, SerialSettings{});

    // One bad token keeps only its own field.
    Ini("COM_SET=38400 7 3 O H\r\n");
    serial = Load().serial;
    EXPECT_EQ(serial.baudRate, 38400u);
    EXPECT_EQ(serial.dataBits, 7);
    EXPECT_EQ(serial.stopBits, 0);
    EXPECT_EQ(serial.parity, 1);
    EXPECT_EQ(serial.flow, u"H");

    // Full-width stop, parity and flow tokens are mapped to half-width; the baud rate is not.
    Ini("COM_SET=\xEF\xBC\x91\xEF\xBC\x99\xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x90 8 "
        "\xEF\xBC\x91\xEF\xBC\x8E\xEF\xBC\x95 \xEF\xBD\x85 \xEF\xBD\x8E\r\n");
    serial = Load().serial;
    EXPECT_EQ(serial.baudRate, 9600u);
    EXPECT_EQ(serial.stopBits, 1);
    EXPECT_EQ(serial.parity, 2);
    EXPECT_EQ(serial.flow, u"N");

    Ini("COM_SET=19200a 8 1.5 Q Z\r\n");
    serial = Load().serial;
    EXPECT_EQ(serial.baudRate, 9600u);
    EXPECT_EQ(serial.stopBits, 1);
    EXPECT_EQ(serial.parity, 0);
    EXPECT_EQ(serial.flow, u"X");
}

TEST_F(PreferencesFileTest, PortNumberModelAndPortTypeRules) {
    Ini("PORT_NUMBER=123456\r\nPRINTER_MODEL=vexa birch\r\nPORT_TYPE=net\r\n");
    Preferences prefs = Load();
    EXPECT_EQ(prefs.portNumber, u"");
    EXPECT_EQ(prefs.printerModel, u"Vexa Alder");
    EXPECT_EQ(prefs.portType, kPortNone);

    Ini("PORT_NUMBER=91a0\r\nPRINTER_MODEL=Vexa Birch \r\nPORT_TYPE=XYZ\r\n");
    prefs = Load();
    EXPECT_EQ(prefs.portNumber, u"");
    EXPECT_EQ(prefs.printerModel, u"Vexa Birch"); // surrounding blanks are not part of a value
    EXPECT_EQ(prefs.portType, kPortNone);

    Ini("PORT_NUMBER=9100\r\nPRINTER_MODEL=Vexa Alder (Zebra\xC2\xAE Emulation)\r\n"
        "PORT_TYPE=NET\r\nPORT_NAME=printer.example\r\nDEFAULT_FOLDER=/srv/labels\r\n"
        "APP_MODE=QRVT\r\n");
    prefs = Load();
    EXPECT_EQ(prefs.portNumber, u"9100");
    EXPECT_EQ(prefs.printerModel, u"Vexa Alder (Zebra\u00AE Emulation)");
    EXPECT_EQ(prefs.portType, kPortNet);
    EXPECT_EQ(prefs.portName, u"printer.example");
    EXPECT_EQ(prefs.defaultFolder, u"/srv/labels");
    EXPECT_EQ(prefs.appMode, u"QRVT");

    // Empty keys keep the defaults.
    Ini("PORT_NUMBER=\r\nAPP_MODE=\r\nPORT_NAME=\r\n");
    prefs = Load();
    EXPECT_EQ(prefs.appMode, u"STANDARD");
    EXPECT_EQ(prefs.portName, u"");
}

// A resolver that knows one name.
bool TestResolver(std::u16string_view name, std::u16string& dotted) {
    if (name == u"printer.example") {
        dotted = u"10.1.2.3";
        return true;
    }
    return false;
}

Preferences Base(int portType) {
    Preferences p;
    p.portType = portType;
    p.region = 0;
    p.printerModel = u"Vexa Alder";
    return p;
}

TEST(PreferencesChangeMask, NothingChangedIsZero) {
    for (int type = kPortNone; type <= kPortNet; ++type) {
        Preferences loaded = Base(type);
        if (type == kPortNet) {
            loaded.portName = u"10.0.0.5";
            loaded.portNumber = u"9100";
        }
        EXPECT_EQ(PreferencesChangeMask(loaded, loaded, TestResolver), 0u) << type;
    }
}

TEST(PreferencesChangeMask, PortNameAndComSettingsFollowTheCurrentPortType) {
    for (int type : {kPortPrt, kPortLpt, kPortUsb}) {
        Preferences loaded = Base(type);
        Preferences current = loaded;
        current.serial.baudRate = 19200; // not this interface's business
        EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), 0u) << type;
        current.portName = u"USB001";
        EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangePortName) << type;
    }

    Preferences loaded = Base(kPortCom);
    loaded.portName = u"COM1:";
    Preferences current = loaded;
    current.serial.flow = u"H";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangeComSet);
    current.portName = u"KORVANE COM5:";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver),
              kChangeComSet | kChangePortName);

    // Switching from COM to LPT writes the type and the name, not the COM settings.
    current.portType = kPortLpt;
    current.portName = u"LPT1:";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver),
              kChangePortType | kChangePortName);

    // Port type none adds nothing but the type itself.
    current.portType = kPortNone;
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangePortType);
}

TEST(PreferencesChangeMask, NetworkNamesAndPortNumbers) {
    Preferences loaded = Base(kPortNet);
    Preferences current = loaded;

    // Loaded empty name and port: the window's defaults count as unchanged.
    current.portName = u"192.168.0.1";
    current.portNumber = u"9100";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), 0u);
    current.portName = u"192.168.0.2";
    current.portNumber = u"9101";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver),
              kChangePortName | kChangePortNumber);

    // A loaded dotted quad compares as text.
    loaded.portName = u"10.0.0.5";
    loaded.portNumber = u"9101";
    current.portName = u"10.0.0.5";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), 0u);
    current.portName = u"10.0.0.50";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangePortName);

    // A loaded host name compares in its resolved form; one that does not resolve is rewritten.
    loaded.portName = u"printer.example";
    current.portName = u"10.1.2.3";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), 0u);
    current.portName = u"10.1.2.4";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangePortName);
    loaded.portName = u"unknown.example";
    current.portName = u"192.168.0.1";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangePortName);
    // "192.168.0.256" is not a dotted quad: it is treated as a host name.
    loaded.portName = u"192.168.0.256";
    current.portName = u"192.168.0.256";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangePortName);
}

TEST(PreferencesChangeMask, FolderModelAndRegion) {
    Preferences loaded = Base(kPortUsb);
    loaded.defaultFolder = u"/home/op/labels";
    Preferences current = loaded;
    current.defaultFolder = u"/home/op/labels/";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), 0u);
    current.defaultFolder = u"";
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver), kChangeDefaultFolder);
    current = loaded;
    current.printerModel = u"vexa alder";
    current.region = 3;
    EXPECT_EQ(PreferencesChangeMask(loaded, current, TestResolver),
              kChangePrinterModel | kChangeRegion);

    EXPECT_EQ(NormaliseFolder(u""), u"");
    EXPECT_EQ(NormaliseFolder(u"/"), u"/");
    EXPECT_EQ(NormaliseFolder(u"/a/b"), u"/a/b/");
}

TEST_F(PreferencesFileTest, WritingNothingLeavesNoFile) {
    IniFile ini(path_);
    Preferences current = Base(kPortCom);
    EXPECT_TRUE(WritePreferences(ini, current, 0));
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(PreferencesFileTest, WrittenKeysReadBackAndOtherKeysStay) {
    // An existing UTF-8 file with a foreign section and a key this program does not write.
    {
        std::ofstream out(path_, std::ios::binary);
        out << "[Quillmark]\r\nAPP_MODE=QRVT\r\nPORT_TYPE=USB\r\n[Vendor]\r\nPORT_TYPE=keep\r\n";
    }
    IniFile ini(path_);
    Preferences current = Base(kPortCom);
    current.portName = u"COM3:";
    current.serial = SerialSettings{19200, 7, 2, 1, u"H"};
    current.portNumber = u"9200";
    current.defaultFolder = u"/home/\u5C71\u7530";
    current.printerModel = u"Vexa Birch";
    current.region = 1;
    const unsigned all = kChangePortType | kChangePortName | kChangeComSet | kChangePortNumber |
                         kChangeDefaultFolder | kChangePrinterModel | kChangeRegion;
    ASSERT_TRUE(WritePreferences(ini, current, all));
    EXPECT_EQ(Bytes(), "[Quillmark]\r\nAPP_MODE=QRVT\r\nPORT_TYPE=COM\r\nPORT_NAME=COM3:\r\n"
                       "COM_SET=19200 7 2 O H\r\nPORT_NUMBER=9200\r\n"
                       "DEFAULT_FOLDER=/home/\xE5\xB1\xB1\xE7\x94\xB0\r\n"
                       "PRINTER_MODEL=Vexa Birch\r\nREGION=1\r\n"
                       "[Vendor]\r\nPORT_TYPE=keep\r\n");

    Preferences back = ReadPreferences(ini, kModels, kEnglish);
    current.appMode = u"QRVT";
    EXPECT_EQ(back, current);
}

TEST_F(PreferencesFileTest, OnlyMaskedKeysAreWrittenIntoANewUnicodeFile) {
    IniFile ini(path_);
    Preferences current = Base(kPortNet);
    current.portName = u"192.168.0.1";
    current.region = 2;
    ASSERT_TRUE(WritePreferences(ini, current, kChangePortType | kChangeRegion));
    std::string expected = "\xFF\xFE";
    for (char16_t c : std::u16string_view(u"[Quillmark]\r\nPORT_TYPE=NET\r\nREGION=2\r\n")) {
        expected.push_back(static_cast<char>(c & 0xFF));
        expected.push_back(static_cast<char>(c >> 8));
    }
    EXPECT_EQ(Bytes(), expected);
}

} // namespace
} // namespace qm

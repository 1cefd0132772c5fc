#include "connection/SerialSettings.h"
#include "connection/InterfaceSettingsSource.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ComSetText, DefaultsAndRoundTrip) {
    SerialSettings defaults;
    EXPECT_EQ(FormatComSet(defaults), u"9600 8 1 N X");

    SerialSettings odd{115200, 7, 1, 1, u"H"};
    EXPECT_EQ(FormatComSet(odd), u"115200 7 1.5 O H");
    SerialSettings back;
    EXPECT_EQ(ReadComSet(FormatComSet(odd), back), 1);
    EXPECT_EQ(back, odd);

    // Mark and Space keep five fields and come back.
    for (uint8_t parity : {3, 4}) {
        SerialSettings stick{9600, 8, 2, parity, u"N"};
        SerialSettings read;
        EXPECT_EQ(ReadComSet(FormatComSet(stick), read), 1);
        EXPECT_EQ(read.parity, parity);
    }
}

TEST(ComSetText, TokenRules) {
    SerialSettings s;
    EXPECT_EQ(ReadComSet(u"19200 7 2 e x", s), 1);
    EXPECT_EQ(s, (SerialSettings{19200, 7, 2, 2, u"X"}));

    // Four tokens, or a double blank (an empty token), change nothing.
    SerialSettings untouched{38400, 7, 2, 1, u"H"};
    SerialSettings t = untouched;
    EXPECT_EQ(ReadComSet(u"9600 8 1 N", t), 0);
    EXPECT_EQ(ReadComSet(u"9600  8 1 N X", t), 0);
    EXPECT_EQ(ReadComSet(u"", t), 0);
    EXPECT_EQ(t, untouched);

    // An invalid token leaves only its own field.
    SerialSettings u;
    EXPECT_EQ(ReadComSet(u"57600 7 3 O H", u), 1);
    EXPECT_EQ(u, (SerialSettings{57600, 7, 0, 1, u"H"}));
    SerialSettings v{1200, 7, 2, 2, u"H"};
    EXPECT_EQ(ReadComSet(u"96x0 8a 1 Q Z", v), 1);
    EXPECT_EQ(v, (SerialSettings{1200, 7, 0, 2, u"H"}));

    // Tokens 3 to 5 are taken in full-width form too (mapped to half-width, then upper-cased);
    // tokens 1 and 2 are not mapped.
    SerialSettings w;
    EXPECT_EQ(ReadComSet(u"19200 7 \uFF11\uFF0E\uFF15 \uFF45 \uFF48", w), 1);
    EXPECT_EQ(w, (SerialSettings{19200, 7, 1, 2, u"H"}));
    SerialSettings x;
    EXPECT_EQ(ReadComSet(u"\uFF11\uFF19\uFF12\uFF10\uFF10 8 1 N X", x), 1);
    EXPECT_EQ(x.baudRate, 9600u);
}

TEST(SerialDescription, FormsAndParse) {
    SerialSettings none{9600, 8, 0, 0, u"N"};
    EXPECT_EQ(FormatSerialDescription(u"COM1:", none), u"COM1, 9600, 8, 1, None, None");
    EXPECT_EQ(FormatSerialFields(SerialSettings{}), u"9600, 8, 1, None, Xon/Xoff");
    EXPECT_EQ(FormatSerialDescription(u"KORVANE COM5:", SerialSettings{57600, 7, 1, 3, u"H"}),
              u"KORVANE COM5, 57600, 7, 1.5, Mark, Hardware");

    SerialSettings s;
    EXPECT_EQ(ParseSerialSettings(u"19200, 7, 2, Even, Hardware", s), 1);
    EXPECT_EQ(s, (SerialSettings{19200, 7, 2, 2, u"H"}));
    EXPECT_EQ(ParseSerialSettings(u"4800, 8, 1.5, Mark, Xon/Xoff", s), 1);
    EXPECT_EQ(s, (SerialSettings{4800, 8, 1, 3, u"X"}));
    // Unknown words fall to the last choice of each field.
    EXPECT_EQ(ParseSerialSettings(u"9600, 8, 3, Weird, Other", s), 1);
    EXPECT_EQ(s, (SerialSettings{9600, 8, 2, 4, u"N"}));

    SerialSettings kept = s;
    EXPECT_EQ(ParseSerialSettings(u"COM1, 9600, 8, 1, None, None", s), 0);
    EXPECT_EQ(ParseSerialSettings(u"9600,8,1,None,None", s), 0);
    EXPECT_EQ(s, kept);

    // What the description shows is parsed back to the same settings.
    SerialSettings round{38400, 7, 2, 1, u"X"};
    SerialSettings parsed;
    EXPECT_EQ(ParseSerialSettings(FormatSerialFields(round), parsed), 1);
    EXPECT_EQ(parsed, round);
}

TEST(ComSettingsDialogRules, SelectionOnOpen) {
    ComDialogSelection sel = ComSelectionFromSettings(SerialSettings{4800, 7, 1, 3, u"Q"});
    EXPECT_EQ(sel.baud, 4); // "115200"
    EXPECT_EQ(sel.dataBits, 0);
    EXPECT_EQ(sel.stopBits, 1); // one and a half shows as "2"
    EXPECT_EQ(sel.parity, 0);   // Mark shows as "None"
    EXPECT_EQ(sel.flow, 2);
    ComDialogSelection def = ComSelectionFromSettings(SerialSettings{});
    EXPECT_EQ(def.baud, 0);
    EXPECT_EQ(def.dataBits, 1);
    EXPECT_EQ(def.stopBits, 0);
    EXPECT_EQ(def.flow, 0);
    EXPECT_EQ(ComSelectionFromSettings(SerialSettings{57600, 8, 0, 2, u"H"}).baud, 3);
    EXPECT_EQ(ComSelectionFromSettings(SerialSettings{57600, 8, 0, 2, u"H"}).parity, 2);
    EXPECT_EQ(ComSelectionFromSettings(SerialSettings{57600, 8, 0, 2, u"H"}).flow, 1);
}

TEST(ComSettingsDialogRules, OkConversion) {
    // A stored 4800 opens as "115200" and OK stores what the lists show.
    ComDialogSelection sel = ComSelectionFromSettings(SerialSettings{4800, 8, 1, 4, u"X"});
    ComDialogTexts texts{std::u16string(kComBaudChoices[static_cast<size_t>(sel.baud)]),
                         std::u16string(kComDataBitsChoices[static_cast<size_t>(sel.dataBits)]),
                         std::u16string(kComStopBitsChoices[static_cast<size_t>(sel.stopBits)]),
                         std::u16string(kComParityChoices[static_cast<size_t>(sel.parity)]),
                         std::u16string(kComFlowChoices[static_cast<size_t>(sel.flow)])};
    SerialSettings stored = ComSettingsFromDialog(texts, ComDialogWords{});
    EXPECT_EQ(stored, (SerialSettings{115200, 8, 2, 0, u"X"}));

    // The words are compared in the current language.
    ComDialogWords german{u"Keine", u"Ungerade", u"Hardware-Fluss", u"Xon/Xoff"};
    SerialSettings s =
        ComSettingsFromDialog({u"19200", u"7", u"1", u"Ungerade", u"Hardware-Fluss"}, german);
    EXPECT_EQ(s, (SerialSettings{19200, 7, 0, 1, u"H"}));
    s = ComSettingsFromDialog({u"9600", u"8", u"2", u"Gerade", u"Keine"}, german);
    EXPECT_EQ(s, (SerialSettings{9600, 8, 2, 2, u"N"}));
    // English "None" is not the German word: it counts as Even.
    EXPECT_EQ(ComSettingsFromDialog({u"9600", u"8", u"1", u"None", u"None"}, german).parity, 2);
}

TEST(ConnectionPortTypeText, ExactMatchOnly) {
    EXPECT_EQ(PortTypeFromText(u"NET"), kPortNet);
    EXPECT_EQ(PortTypeFromText(u"PRT"), kPortPrt);
    EXPECT_EQ(PortTypeFromText(u"net"), kPortNone);
    EXPECT_EQ(PortTypeFromText(u""), kPortNone);
    EXPECT_EQ(PortTypeText(kPortCom), u"COM");
    EXPECT_TRUE(PortTypeText(7).empty());
    EXPECT_TRUE(PortTypeText(kPortNone).empty());
}

} // namespace
} // namespace qm

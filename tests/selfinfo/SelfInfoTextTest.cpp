#include "SelfInfoTestSupport.h"

#include "selfinfo/SelfInfoText.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using test::kMachineInfo;
using test::kMenuSettings;

const std::u16string kMenuText = u"GLOBAL CONFIG\t:\tCONFIG SET 1\r\n"
                                 u"\r\nPRINT SPEED\t:\t6 IPS\r\n"
                                 u"PRINT DARKNESS\t:\t10\r\n"
                                 u"PRINT METHOD\t:\tTT\r\n"
                                 u"MEDIA SENSOR\t:\tGAP\r\n"
                                 u"\r\nSENSOR LEVEL\t:\t1.5\tV\r\n"
                                 u"\r\nAUTOCONFIGURE\t:\tOFF\r\n"
                                 u"FUNCTION SELECT\t:\tTEAR\r\n"
                                 u"\r\nUSB DEVICE CLASS\t:\tPRINTER\r\n";

TEST(SelfInfoText, MenuTextFromAStandardReply) {
    EXPECT_EQ(SelfInfoText::BuildMenuText(kMenuSettings), kMenuText);
    // Without "GLOBAL CONFIG" the whole text is kept; a missing heading puts its empty line at
    // the very start; without "END" nothing is cut.
    EXPECT_EQ(SelfInfoText::BuildMenuText(u"X\r\nPRINT SPEED\t:\t6 IPS\r\nAUTOCONFIGURE\t:\tON\r\n"
                                          u"USB DEVICE CLASS\t:\tVCOM\r\n"),
              u"\r\nX\r\n\r\nPRINT SPEED\t:\t6 IPS\r\n\r\nAUTOCONFIGURE\t:\tON\r\n"
              u"\r\nUSB DEVICE CLASS\t:\tVCOM\r\n");
}

TEST(SelfInfoText, MachineTextFromAMachineInformationReply) {
    EXPECT_EQ(SelfInfoText::BuildMachineText(kMachineInfo, kMenuText),
              u"Model Number\t:\tVexa Gorse\r\n"
              u"Serial Number\t:\tGX4-123456\r\n"
              u"\r\nBoot Version\t:\t1.02\r\n"
              u"Main Version\t:\t2.10\r\n"
              u"Emulation\t:\tCODE_KORVANE\r\n"
              u"\r\nPrint Counter\t:\t1,234.5 m\r\n"
              u"Service Counter\t:\t567.8 m\r\n"
              u"Cut Counter\t:\t89\r\n"
              u"\r\n"
              u"PRINT SPEED\t:\t6 IPS\r\n"
              u"PRINT METHOD\t:\tTT\r\n"
              u"MEDIA SENSOR\t:\tGAP\r\n"
              u"FUNCTION SELECT\t:\tTEAR\r\n"
              u"Head Check\t:\tOK\r\n");
}

TEST(SelfInfoText, MachineTextWithoutItsMarkers) {
    // No "Boot Version": the empty line goes to the very start. No "Head Check": nothing is
    // moved to the end. No "END": nothing is cut. No "Print Counter": its empty line goes to
    // the start as well.
    EXPECT_EQ(SelfInfoText::BuildMachineText(u"Model Number\t:\tM\r\nSerial Number\t:\tS\r\n"
                                             u"Trailer\t:\tafter the end\r\n",
                                             u""),
              u"\r\n\r\nModel Number\t:\tM\r\nSerial Number\t:\tS\r\n"
              u"Trailer\t:\tafter the end\r\n\r\n");
    // "NG" is moved like "OK"; a head-check line of another form is copied and stays.
    EXPECT_EQ(SelfInfoText::BuildMachineText(u"Model Number\t:\tM\r\nBoot Version\t:\t1\r\n"
                                             u"Head Check\t:\tNG\r\nPrint Counter\t:\t5\r\n"
                                             u"END\r\nHead Check\t:\tOK\r\n",
                                             u""),
              u"Model Number\t:\tM\r\n\r\nBoot Version\t:\t1\r\n\r\nPrint Counter\t:\t5\r\n"
              u"\r\nHead Check\t:\tNG\r\n");
    EXPECT_EQ(SelfInfoText::BuildMachineText(u"Model Number\t:\tM\r\nHead Check\t:\tNG 3\r\n", u""),
              u"\r\n\r\nModel Number\t:\tM\r\nHead Check\t:\tNG 3\r\n\r\nHead Check\t:\tNG 3\r\n");
}

TEST(SelfInfoText, MenuLinesUnderTheMachineInformation) {
    // A heading that is missing or at the very first character is skipped; the last line is
    // taken with a line end even when the text ends without one.
    EXPECT_EQ(SelfInfoText::BuildMachineText(u"Model Number\t:\tM\r\nBoot Version\t:\t1\r\n"
                                             u"Print Counter\t:\t5\r\n",
                                             u"PRINT SPEED\t:\t4 IPS\r\nFUNCTION SELECT\t:\tCUT"),
              u"Model Number\t:\tM\r\n\r\nBoot Version\t:\t1\r\n\r\nPrint Counter\t:\t5\r\n"
              u"\r\nFUNCTION SELECT\t:\tCUT\r\n");
}

TEST(SelfInfoText, LongTextsAreNotCut) {
    std::u16string machine = u"Model Number\t:\tM\r\nSerial Number\t:\tS\r\n";
    for (int i = 0; i < 400; ++i) {
        machine +=
            u"Line " + std::u16string(20, u'x') + u"\t:\t" + std::u16string(20, u'y') + u"\r\n";
    }
    const std::u16string text = SelfInfoText::BuildMachineText(machine + u"END\r\n", u"");
    EXPECT_GT(text.size(), 8192u);
    EXPECT_EQ(text.substr(text.size() - 27), u"\t:\t" + std::u16string(20, u'y') + u"\r\n\r\n");
}

} // namespace
} // namespace qm

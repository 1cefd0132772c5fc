#include "operations/MachineIdentity.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

const std::string kMarkerA("~!!\r\n\x02\x1b~A\r\n", 11);

TEST(MachineIdentity, ReadsModelAndSerialFromTheReply) {
    MachineIdentity id = MachineIdentity::FromReply(
        kMarkerA + "Model Number\t:\tVexa Gorse\r\nSerial Number\t:\tQM2400042\r\nBoot "
                   "Version\t:\t1.02\r\nEND\r\n");
    EXPECT_TRUE(id.Ok());
    EXPECT_EQ(id.model, "Vexa Gorse");
    EXPECT_EQ(id.serial, "QM2400042");
}

TEST(MachineIdentity, BlanksAroundTheColonAndLoneLineEnds) {
    MachineIdentity id =
        MachineIdentity::FromReply("Serial Number : A1  \nModel Number:Vexa Alder\rEND\r\n");
    EXPECT_TRUE(id.Ok());
    EXPECT_EQ(id.serial, "A1");
    EXPECT_EQ(id.model, "Vexa Alder");
}

TEST(MachineIdentity, AReplyWithoutEitherLineIsNoPrinter) {
    // A service on the port that answers something else, or lines after END only.
    EXPECT_EQ(MachineIdentity::FromReply("HTTP/1.0 400 Bad Request\r\n\r\n").code,
              kCodeAcquisitionFailed);
    EXPECT_EQ(MachineIdentity::FromReply("END\r\nModel Number\t:\tX\r\n").code,
              kCodeAcquisitionFailed);
    // "Serial Numbers" is another key, not the serial number.
    EXPECT_EQ(MachineIdentity::FromReply("Serial Numbers\t:\t7\r\nEND\r\n").code,
              kCodeAcquisitionFailed);
}

} // namespace
} // namespace qm

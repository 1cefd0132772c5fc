#include "discovery/LocalPorts.h"

#include "discovery/FakeDeviceTree.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qm {
namespace {

using test::FakeDeviceTree;
using List = std::vector<std::u16string>;

TEST(FillLocalPortLists, ListsParallelUsbAndSerialPortsOfTheTree) {
    FakeDeviceTree tree;
    tree.AddParallelNode(1);
    tree.AddParallelNode(0);
    tree.AddParallelNode(10);
    tree.AddUsbPrinter(1, "04b8", "0202", "B", false); // listed although unplugged
    tree.AddUsbPrinter(0, "04b8", "0202", "A", true);
    tree.AddSerialPort("ttyS0");
    tree.AddSerialPort("ttyUSB1");
    // Near misses that are not parallel ports.
    std::filesystem::create_directories(tree.Dev("lpx"));
    std::ofstream(tree.Dev("lp")) << "";

    List lpt{u"stale"}, usb{u"stale"}, com{u"stale"};
    FillLocalPortLists(lpt, usb, com);
    EXPECT_EQ(lpt, (List{u"LPT1:", u"LPT2:", u"LPT11:"}));
    EXPECT_EQ(usb, (List{u"USB001", u"USB002", u"USB_AUTO"}));
    EXPECT_EQ(com, (List{u"COM1:", u"COM34:"}));
}

TEST(FillLocalPortLists, EmptyTreeStillOffersUsbAuto) {
    FakeDeviceTree tree;
    List lpt, usb, com;
    FillLocalPortLists(lpt, usb, com);
    EXPECT_TRUE(lpt.empty());
    EXPECT_EQ(usb, (List{u"USB_AUTO"}));
    EXPECT_TRUE(com.empty());
}

TEST(LptDevicePath, MapsLptNamesToParallelNodes) {
    FakeDeviceTree tree;
    EXPECT_EQ(LptDevicePath(u"LPT1:"), tree.Dev("lp0"));
    EXPECT_EQ(LptDevicePath(u"LPT12:"), tree.Dev("lp11"));
    for (const char16_t* bad :
         {u"LPT0:", u"LPT1", u"lpt1:", u"LPT:", u"LPTa:", u"LPT01:", u"COM1:", u"LPT1000:"}) {
        EXPECT_EQ(LptDevicePath(bad), "") << Utf16ToUtf8(bad);
    }
}

} // namespace
} // namespace qm

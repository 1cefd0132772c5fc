#include "discovery/UsbPorts.h"

#include "discovery/FakeDeviceTree.h"
#include "platform/Encoding.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qm {
namespace {

using test::FakeDeviceTree;

TEST(UsbDevicePath, InterfaceNameMarkerBecomesDevicePrefix) {
    EXPECT_EQ(InterfaceNameToDevicePath(
                  u"##?#USB#VID_1234&PID_5678#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"),
              u"\\\\?\\USB#VID_1234&PID_5678#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
    // Every occurrence is replaced, nothing else is touched.
    EXPECT_EQ(InterfaceNameToDevicePath(u"a##?#b##?#"), u"a\\\\?\\b\\\\?\\");
    EXPECT_EQ(InterfaceNameToDevicePath(u"##?USB#x"), u"##?USB#x");
    EXPECT_EQ(InterfaceNameToDevicePath(u""), u"");
}

TEST(EnumerateUsbPrinters, ReadsPrinterInterfacesInPortOrder) {
    FakeDeviceTree tree;
    tree.AddUsbPrinter(10, "0a5f", "00d1", "late", true);
    tree.AddUsbPrinter(0, "04b8", "0202", "SER01", true);
    tree.AddUsbPrinter(1, "04b8", "0e28", "", false);           // no serial, unplugged node
    tree.AddUsbPrinter(2, "046d", "c52b", "mouse", true, "03"); // not a printer interface
    tree.AddUsbPrinter(3, "1234", "5678", "A#B\\C D", true);    // separators in the serial

    std::vector<UsbDeviceRecord> records;
    ASSERT_EQ(EnumerateUsbPrinters(records), 1);
    ASSERT_EQ(records.size(), 4u);

    EXPECT_EQ(records[0].deviceInstanceId, u"USB\\VID_04B8&PID_0202\\SER01");
    EXPECT_EQ(records[0].devicePath,
              u"\\\\?\\USB#VID_04B8&PID_0202#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
    EXPECT_EQ(records[0].nodePath, tree.Dev("usb/lp0"));
    EXPECT_EQ(records[0].portNumber, 1u);
    EXPECT_EQ(records[0].present, 1);
    EXPECT_EQ(records[0].serial, "SER01");
    EXPECT_EQ(records[0].portDescription, u"Label Printer 0");

    // Without a serial number the device's bus position names it; no node means not present.
    EXPECT_EQ(records[1].deviceInstanceId, u"USB\\VID_04B8&PID_0E28\\1-2");
    EXPECT_EQ(records[1].portNumber, 2u);
    EXPECT_EQ(records[1].present, 0);

    // "#" and "\" would break the four "#"-separated fields of the path.
    EXPECT_EQ(records[2].deviceInstanceId, u"USB\\VID_1234&PID_5678\\A_B_C_D");
    EXPECT_EQ(records[2].portNumber, 4u);

    // lp10 sorts after lp3 (numeric, not text order).
    EXPECT_EQ(records[3].portNumber, 11u);
}

TEST(EnumerateUsbPrinters, NoUsbmiscClassMeansNoRecords) {
    FakeDeviceTree tree;
    std::filesystem::remove_all(tree.Sys("class/usbmisc"));
    std::vector<UsbDeviceRecord> records{UsbDeviceRecord{}};
    EXPECT_EQ(EnumerateUsbPrinters(records), 0);
    EXPECT_TRUE(records.empty());
    std::u16string label = u"old", path, name = u"USB_AUTO";
    std::string node;
    EXPECT_EQ(ResolveUsbPort(label, path, node, name), 0);
    EXPECT_TRUE(label.empty());
    EXPECT_EQ(name, u"USB_AUTO");
}

TEST(ResolveUsbPort, NamedPortNeedsItsNumberAndThePresentFlag) {
    FakeDeviceTree tree;
    tree.AddUsbPrinter(0, "04b8", "0202", "ONE", true);
    tree.AddUsbPrinter(1, "04b8", "0202", "TWO", false); // port 2 exists but is not present
    tree.AddUsbPrinter(2, "04b8", "0202", "THREE", true);

    std::u16string label, path;
    std::string node;
    std::u16string name = u"USB003";
    ASSERT_EQ(ResolveUsbPort(label, path, node, name), 1);
    EXPECT_EQ(label, u"USB003");
    EXPECT_EQ(name, u"USB003");
    EXPECT_EQ(node, tree.Dev("usb/lp2"));
    EXPECT_EQ(path, u"\\\\?\\USB#VID_04B8&PID_0202#THREE#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");

    name = u"USB002";
    EXPECT_EQ(ResolveUsbPort(label, path, node, name), 0);
    EXPECT_TRUE(label.empty());
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(node.empty());

    // Only the length and the last three characters count.
    name = u"XYZ001";
    EXPECT_EQ(ResolveUsbPort(label, path, node, name), 1);
    EXPECT_EQ(label, u"USB001");
}

TEST(ResolveUsbPort, OddNamesNeverResolve) {
    FakeDeviceTree tree;
    tree.AddUsbPrinter(0, "04b8", "0202", "ONE", true);
    std::u16string label = u"USB009", path;
    std::string node;
    for (const char16_t* text : {u"USB1", u"USB0001", u"", u"usb_auto", u"USBabc", u"USB0x1"}) {
        std::u16string name = text;
        EXPECT_EQ(ResolveUsbPort(label, path, node, name), 0) << Utf16ToUtf8(text);
        EXPECT_EQ(name, text);
    }
    // "USB 01" reads " 01" as port 1 (the conversion skips leading blanks).
    std::u16string name = u"USB 01";
    EXPECT_EQ(ResolveUsbPort(label, path, node, name), 1);
}

TEST(ResolveUsbPort, AutoPicksTheFirstPresentRecordAndRenamesThePort) {
    FakeDeviceTree tree;
    tree.AddUsbPrinter(0, "04b8", "0202", "GONE", false);
    tree.AddUsbPrinter(2, "04b8", "0202", "FIRST", true);
    tree.AddUsbPrinter(5, "04b8", "0202", "SECOND", true);

    std::u16string label, path;
    std::string node;
    std::u16string name = u"USB_AUTO";
    ASSERT_EQ(ResolveUsbPort(label, path, node, name), 1);
    EXPECT_EQ(name, u"USB003");
    EXPECT_EQ(label, u"USB003");
    EXPECT_EQ(node, tree.Dev("usb/lp2"));

    // Resolving the new name again (as the open does to refresh the label) finds the same port.
    std::u16string again = label;
    ASSERT_EQ(ResolveUsbPort(label, path, node, again), 1);
    EXPECT_EQ(node, tree.Dev("usb/lp2"));
}

TEST(ResolveUsbPort, AutoWithNothingPresentFails) {
    FakeDeviceTree tree;
    tree.AddUsbPrinter(0, "04b8", "0202", "GONE", false);
    std::u16string label, path;
    std::string node;
    std::u16string name = u"USB_AUTO";
    EXPECT_EQ(ResolveUsbPort(label, path, node, name), 0);
    EXPECT_EQ(name, u"USB_AUTO");
}

} // namespace
} // namespace qm

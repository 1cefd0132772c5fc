#include "WindowTestSupport.h"

namespace qm {
namespace {

using namespace res;
using testing::WindowTest;

TEST_F(WindowTest, RadioClicksStoreTheInterface) {
    COstrellDlg& w = Start();

    w.UserClick(kIdRadioCom);
    EXPECT_EQ(w.InterfaceIndex(), 1);
    EXPECT_EQ(Prefs().portType, kPortCom);
    EXPECT_EQ(Prefs().portName, u"COM1:");
    EXPECT_EQ(w.FocusId(), kIdComList);
    EXPECT_TRUE(C(kIdComList).IsEnabled());
    EXPECT_TRUE(C(kIdDetail).IsEnabled());
    EXPECT_FALSE(C(kIdDriverList).IsEnabled());
    EXPECT_FALSE(C(kIdDriverPort).IsEnabled());
    w.UserSelect(kIdComList, 1);
    EXPECT_EQ(C(kIdComList).Tooltip(), u"COM3:  /dev/ttyS2");
    EXPECT_EQ(Prefs().portName, u"COM1:"); // taken at the next apply
    w.ApplyInterfaceSelection();
    EXPECT_EQ(Prefs().portName, u"COM3:");

    w.UserClick(kIdRadioLpt);
    EXPECT_EQ(Prefs().portType, kPortLpt);
    EXPECT_EQ(Prefs().portName, u"LPT1:");
    EXPECT_EQ(w.FocusId(), kIdLptList);
    EXPECT_FALSE(C(kIdComList).IsEnabled());
    EXPECT_FALSE(C(kIdDetail).IsEnabled());

    w.UserClick(kIdRadioUsb);
    EXPECT_EQ(Prefs().portType, kPortUsb);
    EXPECT_EQ(Prefs().portName, u"USB001");
    EXPECT_EQ(w.FocusId(), kIdUsbList);

    w.UserClick(kIdRadioNet);
    EXPECT_EQ(Prefs().portType, kPortNet);
    EXPECT_EQ(Prefs().portName, u"192.168.0.1");
    EXPECT_EQ(Prefs().portNumber, u"9100");
    EXPECT_EQ(w.FocusId(), kIdIpAddress);
    // The port number takes digits only, at most five.
    w.UserEdit(kIdPortNumber, u"91a0123");
    EXPECT_EQ(C(kIdPortNumber).Text(), u"91012");
    w.UserEdit(kIdIpAddress, u"172.16.5.4");
    w.ApplyInterfaceSelection();
    EXPECT_EQ(Prefs().portName, u"172.16.5.4");
    EXPECT_EQ(Prefs().portNumber, u"91012");
    // Clicking another radio keeps what was typed in the port number.
    w.UserClick(kIdRadioLpt);
    w.UserClick(kIdRadioNet);
    EXPECT_EQ(C(kIdPortNumber).Text(), u"91012");

    w.UserClick(kIdRadioDriver);
    EXPECT_EQ(Prefs().portType, kPortPrt);
    EXPECT_EQ(Prefs().portName, u"Korvane Label");
    EXPECT_EQ(w.FocusId(), kIdDriverList);
    for (int radio = kIdRadioDriver; radio <= kIdRadioNet; ++radio) {
        EXPECT_EQ(C(radio).Check(), radio == kIdRadioDriver ? 1 : 0);
    }
}

TEST_F(WindowTest, DriverSelectionShowsThePortBehindTheQueue) {
    COstrellDlg& w = Start();
    const int network = C(kIdDriverList).FindStringExact(-1, u"Network");
    w.UserSelect(kIdDriverList, network);
    EXPECT_EQ(C(kIdDriverPort).Text(), u"10.1.2.3, 9101");
    EXPECT_EQ(C(kIdDriverList).Tooltip(), u"Network");
    w.ApplyInterfaceSelection();
    EXPECT_EQ(Prefs().portName, u"Network");
    EXPECT_EQ(app->DriverPortKind(), 5);
    EXPECT_EQ(app->DriverPortAddress(), u"10.1.2.3");
    EXPECT_EQ(app->DriverPortNumber(), u"9101");
}

TEST_F(WindowTest, RedirectionForEveryQueueKind) {
    COstrellDlg& w = Start();
    auto select = [&](std::u16string_view queue) {
        const int at = C(kIdDriverList).FindStringExact(-1, queue);
        ASSERT_GE(at, 0);
        w.UserSelect(kIdDriverList, at);
    };

    select(u"Office"); // COM1 at 19200 7 2 Even Hardware
    ASSERT_TRUE(w.RedirectDriverSelection());
    EXPECT_EQ(w.InterfaceIndex(), 1);
    EXPECT_EQ(C(kIdComList).Text(), u"COM1:");
    EXPECT_EQ(Prefs().portType, kPortCom);
    EXPECT_EQ(Prefs().portName, u"COM1:");
    EXPECT_EQ(Prefs().serial.baudRate, 19200u);
    EXPECT_EQ(Prefs().serial.flow, u"H");
    w.EndRedirection();
    EXPECT_EQ(w.InterfaceIndex(), 0);
    EXPECT_EQ(Prefs().portType, kPortPrt);
    EXPECT_EQ(Prefs().portName, u"Office");
    EXPECT_EQ(w.FocusId(), kIdDriverList);

    select(u"Korvane Label");
    ASSERT_TRUE(w.RedirectDriverSelection());
    EXPECT_EQ(Prefs().portType, kPortLpt);
    EXPECT_EQ(Prefs().portName, u"LPT2:");
    w.EndRedirection();

    select(u"Shipping");
    ASSERT_TRUE(w.RedirectDriverSelection());
    EXPECT_EQ(Prefs().portType, kPortUsb);
    EXPECT_EQ(Prefs().portName, u"USB002");
    w.EndRedirection();

    select(u"Network");
    ASSERT_TRUE(w.RedirectDriverSelection());
    EXPECT_EQ(Prefs().portType, kPortNet);
    EXPECT_EQ(Prefs().portName, u"10.1.2.3");
    EXPECT_EQ(Prefs().portNumber, u"9101");
    EXPECT_EQ(C(kIdPortNumber).Text(), u"9101");
    w.EndRedirection();
    EXPECT_EQ(Prefs().portName, u"Network");

    // A queue on a port the program cannot use directly: nothing changes.
    select(u"Elsewhere");
    EXPECT_FALSE(w.RedirectDriverSelection());
    EXPECT_EQ(w.InterfaceIndex(), 0);
    EXPECT_EQ(Prefs().portType, kPortPrt);
    EXPECT_EQ(Prefs().portName, u"Network"); // a selection is taken at the next apply
    w.ApplyInterfaceSelection();
    EXPECT_EQ(Prefs().portName, u"Elsewhere");
    EXPECT_EQ(app->DriverPortKind(), 0);
    EXPECT_EQ(app->DriverPortAddress(), u"ipp://x");
}

TEST_F(WindowTest, DeviceTextFromTheUsbOpen) {
    WriteIni("PORT_TYPE=USB\r\nPORT_NAME=USB002\r\n");
    COstrellDlg& w = Start();
    host.PostMessage(w, ui::kMsgDeviceText,
                     u"\\\\?\\USB#VID_1234&PID_5678#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
    EXPECT_EQ(host.DeliverPosted(), 1);
    EXPECT_EQ(C(kIdDeviceText).Text(), u""); // four fields: nothing

    host.PostMessage(w, ui::kMsgDeviceText,
                     u"\\\\?\\USB#VID_1234&PID_5678#SER01#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"
                     u"#USB002");
    host.DeliverPosted();
    EXPECT_EQ(C(kIdDeviceText).Text(), u"USB002");
    EXPECT_EQ(w.DeviceText(), u"USB002");

    // Choosing another USB port clears it.
    w.UserSelect(kIdUsbList, 0);
    EXPECT_EQ(C(kIdDeviceText).Text(), u"");
}

TEST_F(WindowTest, DetailOpensTheComDialogInTheCurrentLanguage) {
    WriteIni("PORT_TYPE=COM\r\nPORT_NAME=COM1:\r\nCOM_SET=4800 7 1 N X\r\nREGION=1\r\n");
    COstrellDlg& w = Start();
    host.AnswerModal([](ui::Dialog& d) {
        EXPECT_EQ(d.TemplateId(), 150);
        EXPECT_EQ(d.Title(), u"COM設定");
        EXPECT_EQ(d.GetItemText(157), u"115200");
        EXPECT_EQ(d.GetItemText(158), u"7");
        EXPECT_EQ(d.GetItemText(160), u"なし");
        d.UserSelect(161, 1); // ハードウェア
        d.UserClick(170);
        return kIdOk;
    });
    w.UserClick(kIdDetail);
    ASSERT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(Prefs().serial.baudRate, 115200u);
    EXPECT_EQ(Prefs().serial.dataBits, 7);
    EXPECT_EQ(Prefs().serial.parity, 0);
    EXPECT_EQ(Prefs().serial.flow, u"H");
}

TEST_F(WindowTest, ModelChangeReachesThePages) {
    COstrellDlg& w = Start();
    w.UserClick(kIdCheckAll);
    ASSERT_EQ(C(kIdCheckAll).Check(), 1);
    EXPECT_EQ(w.Standard().Item(res::TickId(0)).Check(), 1);
    EXPECT_TRUE(w.Calibration().ItemBox());

    w.UserSelect(kIdModel, 4); // an Eltron variant
    EXPECT_EQ(app->Settings().modelIndex, 4);
    EXPECT_EQ(Prefs().printerModel, C(kIdModel).ItemText(4));
    EXPECT_EQ(C(kIdModel).Tooltip(), C(kIdModel).ItemText(4));
    EXPECT_EQ(C(kIdCheckAll).Check(), 0);
    // The pages reverted to the model's defaults and are unticked.
    EXPECT_EQ(w.Standard().Item(res::TickId(0)).Check(), 0);
    EXPECT_EQ(w.Standard().GetItemText(res::FieldId(2)), u"7"); // Print Darkness default
    EXPECT_EQ(w.Standard().Item(res::SpinId(2)).RangeMax(), 15);
    EXPECT_FALSE(w.Calibration().ItemBox());
    // The Standard page's emulation (EPI2) selects the EPL status form.
    EXPECT_EQ(w.Standard().EmulationClass(), 2);
    EXPECT_EQ(w.Information().StatusFamily(), 2);
    w.UserSelect(kIdModel, 1); // a Zebra variant
    EXPECT_EQ(w.Information().StatusFamily(), 1);
}

TEST_F(WindowTest, RestoreDefaultsAsksFirst) {
    COstrellDlg& w = Start();
    w.Standard().UserEdit(res::FieldId(2), u"25");
    host.AnswerMessageBox(kIdNo, u"Are you sure to restore defaults?");
    w.UserClick(kIdRestoreDefaults);
    EXPECT_EQ(w.Standard().GetItemText(res::FieldId(2)), u"25");
    host.AnswerMessageBox(kIdYes);
    w.UserClick(kIdRestoreDefaults);
    EXPECT_EQ(w.Standard().GetItemText(res::FieldId(2)), u"10");
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[1].style, kMbYesNo | kMbIconWarning);
}

} // namespace
} // namespace qm

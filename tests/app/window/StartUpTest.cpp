#include "WindowTestSupport.h"

#include "settings/ModelTable.h"

namespace qm {
namespace {

using namespace res;
using testing::WindowTest;

TEST_F(WindowTest, StartUpWithoutPreferences) {
    COstrellDlg& w = Start();
    EXPECT_EQ(w.Title(), u"Quillmark " + COstrellDlg::VersionText());
    EXPECT_EQ(w.Limits().minWidth, 350);
    EXPECT_EQ(w.Limits().minHeight, 300);
    EXPECT_EQ(w.Limits().maxWidth, 840);

    EXPECT_EQ(C(kIdLanguage).Count(), 4);
    EXPECT_EQ(C(kIdLanguage).ItemText(3), u"한국어");
    EXPECT_EQ(C(kIdLanguage).CurSel(), 0);

    // Six pages inside the tab control, the Standard tab selected and its page alone shown.
    EXPECT_EQ(C(kIdTab).Count(), 6);
    EXPECT_EQ(C(kIdTab).ItemText(4), u"Sensor Adjustment");
    EXPECT_EQ(C(kIdTab).CurSel(), 1);
    EXPECT_EQ(w.VisiblePage(), 1);
    for (int i = 0; i < COstrellDlg::kPageCount; ++i) {
        EXPECT_EQ(w.Page(i).IsVisible(), i == 1) << i;
        EXPECT_EQ(w.Page(i).Parent(), &w);
        EXPECT_EQ(w.Page(i).WindowRect(), (ui::Rect{10, 60, 600, 455}));
    }
    EXPECT_EQ(w.Page(0).TemplateId(), 102);
    EXPECT_EQ(w.Page(1).TemplateId(), 1000);
    EXPECT_EQ(w.Page(2).TemplateId(), 2000);
    EXPECT_EQ(w.Page(3).TemplateId(), 3000);
    EXPECT_EQ(w.Page(4).TemplateId(), 114);
    EXPECT_EQ(w.Page(5).TemplateId(), 3025);

    // Model list in model-table order, first model selected, its name as the tooltip.
    EXPECT_EQ(C(kIdModel).Count(), kModelCount);
    EXPECT_EQ(C(kIdModel).CurSel(), 0);
    EXPECT_EQ(C(kIdModel).ItemText(3), ModelTable::DisplayName(3));
    EXPECT_EQ(C(kIdModel).Tooltip(), ModelTable::DisplayName(0));

    EXPECT_FALSE(C(kIdSelfInfo).IsVisible());
    EXPECT_FALSE(C(kIdPrint).IsVisible());
    EXPECT_EQ(C(kIdIpAddress).Text(), u"192.168.0.1");
    EXPECT_EQ(C(kIdPortNumber).Text(), u"9100");
    EXPECT_EQ(w.ReceiveState(), -1);

    // English captions; the scope combo holds its five entries with ALL selected.
    EXPECT_EQ(C(kIdSend).Text(), u"Send Configuration");
    EXPECT_EQ(C(kIdRadioDriver).Text(), u"Driver Name");
    EXPECT_EQ(C(kIdRadioCom).Text(), u"COM / VCOM:"); // not in the tables: template text
    EXPECT_EQ(C(kIdScope).Count(), 5);
    EXPECT_EQ(C(kIdScope).Text(), u"ALL");

    // No stored port and no queue named after the maker would pick the default printer; here a
    // maker queue exists, so it wins.
    EXPECT_EQ(w.InterfaceIndex(), 0);
    EXPECT_EQ(C(kIdRadioDriver).Check(), 1);
    EXPECT_EQ(C(kIdDriverList).Text(), u"Korvane Label");
    EXPECT_EQ(C(kIdDriverPort).Text(), u"LPT2:");
    EXPECT_EQ(Prefs().portType, kPortPrt);
    EXPECT_EQ(Prefs().portName, u"Korvane Label");
    EXPECT_EQ(app->DriverPortKind(), 3);
    EXPECT_EQ(app->DriverPortAddress(), u"LPT2:");
    EXPECT_TRUE(C(kIdDriverList).IsEnabled());
    EXPECT_FALSE(C(kIdComList).IsEnabled());
    EXPECT_FALSE(C(kIdPortNumber).IsEnabled());
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(WindowTest, DefaultPrinterWithoutMakerQueue) {
    services.queues.erase(services.queues.begin() + 1); // no "Korvane..." queue
    Start();
    EXPECT_EQ(C(kIdDriverList).Text(), u"Shipping");
    EXPECT_EQ(C(kIdDriverList).Tooltip(), u"Shipping");
    EXPECT_EQ(C(kIdDriverPort).Text(), u"USB002");
    EXPECT_EQ(Prefs().portName, u"Shipping");
    EXPECT_EQ(app->DriverPortKind(), 4);
}

TEST_F(WindowTest, StoredQueueBeatsMakerQueueAndSplitsItsSerialPort) {
    WriteIni("PORT_TYPE=PRT\r\nPORT_NAME=Office\r\n");
    Start();
    EXPECT_EQ(C(kIdDriverList).Text(), u"Office");
    EXPECT_EQ(C(kIdDriverPort).Text(), u"COM1, 19200, 7, 2, Even, Hardware");
    EXPECT_EQ(app->DriverPortKind(), 2);
    EXPECT_EQ(app->DriverPortAddress(), u"COM1:");
    const SerialSettings& serial = Prefs().serial;
    EXPECT_EQ(serial.baudRate, 19200u);
    EXPECT_EQ(serial.dataBits, 7);
    EXPECT_EQ(serial.stopBits, 2);
    EXPECT_EQ(serial.parity, 2);
    EXPECT_EQ(serial.flow, u"H");
}

TEST_F(WindowTest, StoredModelAndBadModel) {
    WriteIni("PRINTER_MODEL=" + Utf16ToUtf8(ModelTable::DisplayName(22)) + "\r\n");
    COstrellDlg& w = Start();
    EXPECT_EQ(C(kIdModel).CurSel(), 22);
    EXPECT_EQ(app->Settings().modelIndex, 22);
    EXPECT_EQ(C(kIdModel).Tooltip(), ModelTable::DisplayName(22));
    // Model 22 runs the native language: the Information page shows the DMX/ZPL status.
    EXPECT_EQ(w.Information().StatusFamily(), 0);
    window.reset();

    WriteIni("PRINTER_MODEL=vexa fir\r\n"); // differs in letter case only
    Start();
    EXPECT_EQ(C(kIdModel).CurSel(), 0);
    EXPECT_EQ(Prefs().printerModel, ModelTable::DisplayName(0));
}

TEST_F(WindowTest, StoredSerialParallelAndUsbPorts) {
    WriteIni("PORT_TYPE=COM\r\nPORT_NAME=COM3:\r\n");
    COstrellDlg& com = Start();
    EXPECT_EQ(com.InterfaceIndex(), 1);
    EXPECT_EQ(C(kIdComList).Text(), u"COM3:");
    EXPECT_EQ(C(kIdComList).Tooltip(), u"COM3:  /dev/ttyS2");
    EXPECT_TRUE(C(kIdDetail).IsEnabled());
    EXPECT_FALSE(C(kIdDriverList).IsEnabled());
    EXPECT_EQ(Prefs().portType, kPortCom);
    EXPECT_EQ(Prefs().portName, u"COM3:");
    window.reset();

    WriteIni("PORT_TYPE=LPT\r\nPORT_NAME=LPT2:\r\n");
    COstrellDlg& lpt = Start();
    EXPECT_EQ(lpt.InterfaceIndex(), 2);
    EXPECT_EQ(C(kIdLptList).Text(), u"LPT2:");
    EXPECT_EQ(Prefs().portName, u"LPT2:");
    window.reset();

    WriteIni("PORT_TYPE=USB\r\nPORT_NAME=USB_AUTO\r\n");
    COstrellDlg& usb = Start();
    EXPECT_EQ(usb.InterfaceIndex(), 3);
    EXPECT_EQ(C(kIdUsbList).Text(), u"USB_AUTO");
    EXPECT_TRUE(C(kIdUsbList).IsEnabled());
    window.reset();

    // A port that is not present leaves entry 0 selected (the lists are sorted).
    WriteIni("PORT_TYPE=COM\r\nPORT_NAME=COM9:\r\n");
    Start();
    EXPECT_EQ(C(kIdComList).CurSel(), 0);
    EXPECT_EQ(C(kIdComList).Text(), u"COM1:");
}

TEST_F(WindowTest, StoredNetworkAddressesAndHostNames) {
    WriteIni("PORT_TYPE=NET\r\nPORT_NAME=10.0.0.5\r\nPORT_NUMBER=9200\r\n");
    COstrellDlg& w = Start();
    EXPECT_EQ(w.InterfaceIndex(), 4);
    EXPECT_EQ(C(kIdIpAddress).Text(), u"10.0.0.5");
    EXPECT_EQ(C(kIdPortNumber).Text(), u"9200");
    EXPECT_TRUE(C(kIdIpAddress).IsEnabled());
    EXPECT_TRUE(C(kIdPortNumber).IsEnabled());
    EXPECT_EQ(Prefs().portName, u"10.0.0.5");
    EXPECT_EQ(Prefs().portNumber, u"9200");
    EXPECT_EQ(services.lookups, 0); // a dotted quad is never looked up
    window.reset();

    // A host name that resolves shows its address and stores it.
    WriteIni("PORT_TYPE=NET\r\nPORT_NAME=printer01\r\n");
    Start();
    EXPECT_EQ(C(kIdIpAddress).Text(), u"10.9.8.7");
    EXPECT_EQ(Prefs().portName, u"10.9.8.7");
    EXPECT_EQ(Prefs().portNumber, u"9100");
    EXPECT_EQ(C(kIdPortNumber).Text(), u"9100");
    window.reset();

    // A name that does not resolve falls back to 192.168.0.1.
    WriteIni("PORT_TYPE=NET\r\nPORT_NAME=nowhere.invalid\r\n");
    Start();
    EXPECT_EQ(C(kIdIpAddress).Text(), u"192.168.0.1");
    EXPECT_EQ(Prefs().portName, u"192.168.0.1");
}

TEST_F(WindowTest, SelfInfoOnlyInTheHiddenMode) {
    WriteIni("APP_MODE=QRVT\r\n");
    Start();
    EXPECT_TRUE(C(kIdSelfInfo).IsVisible());
    EXPECT_TRUE(C(kIdSelfInfo).IsEnabled()); // the Standard page is shown
    window.reset();
    WriteIni("APP_MODE=qrvt\r\n");
    Start();
    EXPECT_FALSE(C(kIdSelfInfo).IsVisible());
}

TEST_F(WindowTest, JapaneseUserStartsInJapanese) {
    Start(0x11);
    EXPECT_EQ(C(kIdLanguage).CurSel(), 1);
    EXPECT_EQ(C(kIdExit).Text(), u"終了");
    EXPECT_EQ(C(kIdTab).ItemText(0), u"かんたん");
    EXPECT_EQ(C(kIdScope).Text(), u"全て");
}

} // namespace
} // namespace qm

#pragma once

#include "app/MainWindow.h"
#include "app/WindowServices.h"
#include "pages/CDlgTabAdvanced.h"
#include "pages/CDlgTabCalibration.h"
#include "pages/CDlgTabEasy.h"
#include "pages/CDlgTabInformation.h"
#include "pages/CDlgTabPrint.h"
#include "pages/CDlgTabStandard.h"
#include "pages/PageOwner.h"
#include "settings/SettingsOptions.h"
#include "text/Messages.h"
#include "ui/Dialog.h"
#include "ui/Host.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace qm {

class COstrellApp;

// The main window: model and interface selection, the tab control with the six pages, the
// language combo box and the operation buttons. It stays open for the whole run.
class COstrellDlg : public ui::Dialog, public MainWindow, public PageOwner {
public:
    // Visible page index: 0 Easy, 1 Standard, 2 Advanced, 3 Information, 4 Sensor Adjustment,
    // 5 Print Test, 255 none.
    static constexpr int kNoPage = 255;
    static constexpr int kPageCount = 6;

    COstrellDlg(COstrellApp& app, ui::Host& host,
                WindowServices& services = SystemWindowServices());
    ~COstrellDlg() override;

    // ---- MainWindow ----
    int RunMainWindow() override;
    // Controls of the selected interface to the current preferences, by the current port type.
    void ApplyInterfaceSelection() override;

    // ---- PageOwner ----
    void PressSendConfiguration() override;
    void PressPrint() override;

    // ---- interface selection ----
    int InterfaceIndex() const { return interfaceIndex_; }
    // Copies the selected interface's controls into the preferences and enables its controls.
    void ApplyRadioSelection();
    // Before an operation on a driver queue: selects the interface and port behind the queue
    // (COM, LPT, USB, NET) and applies it. False (nothing changed) for any other queue kind.
    bool RedirectDriverSelection();
    // After the operation: back to the driver queue.
    void EndRedirection();
    // The control that takes the focus for interface index 0..4.
    static int InterfaceControl(int interfaceIndex);

    // ---- pages ----
    int VisiblePage() const { return visiblePage_; }
    SettingsPage& Page(int index);
    CDlgTabEasy& Easy() { return easy_; }
    CDlgTabStandard& Standard() { return standard_; }
    CDlgTabAdvanced& Advanced() { return advanced_; }
    CDlgTabInformation& Information() { return information_; }
    CDlgTabCalibration& Calibration() { return calibration_; }
    CDlgTabPrint& Print() { return print_; }
    bool AdvancedUnlocked() const { return advancedUnlocked_; }
    const SettingsOptions& Options() const { return options_; }

    // ---- state read by the operations ----
    int ReceiveState() const { return receiveState_; }
    const std::u16string& DefaultPrinter() const { return defaultPrinter_; }
    const std::u16string& DeviceText() const { return deviceText_; }
    // Port description / kind / port of a queue found at start-up ("" / 0 when unknown).
    std::u16string QueueDescription(const std::u16string& queue) const;
    int QueueKind(const std::u16string& queue) const;
    UiLanguage Language() const;

    // The title's version part, "%d.%d.%d.%d".
    static std::u16string VersionText();

protected:
    bool OnInitDialog() override;
    bool OnNotify(ui::Notification& n) override;

    // The printer operations behind the buttons (Receive, Send Configuration / Start Sensor
    // Adjustment / Send File, Import, Export, Self Info, Print) are carried out by a later
    // part of the window; these are the points they hang on.
    virtual void OnReceive() {}
    virtual void OnSendButton() {}
    virtual void OnImport() {}
    virtual void OnExport() {}
    virtual void OnSelfInfo() {}
    virtual void OnPrintButton() {}

private:
    void CreatePages();
    void FillModelCombo();
    void FillPortLists();
    void FillDriverList();
    void RestoreInterfaceSelection();
    void ApplyDriverDescription(int kind, const std::u16string& description);
    // The model-change processing; on a language change the Standard and Advanced pages keep
    // their state (keepSettingPages).
    void OnModelSelChange(bool keepSettingPages = false);
    void OnInterfaceRadio(int index);
    void OnDriverSelChange();
    void OnComSelChange();
    void OnUsbSelChange();
    void OnDetail();
    // Easy page values to the Standard page, then the Standard page's to the Sensor page.
    void CarryEasyToStandard();
    void OnTabChange();
    void ShowPage(int page);
    void OnLanguageChange();
    void ResetTexts();
    void SetSendCaption();
    void OnSize(int width, int height);
    void OnCheckAll();
    void OnRestoreDefaults();
    void OnExit(bool closeRequest);
    void OnDeviceText(const std::u16string& posted);
    void PushMembers();
    void ReadControls();
    std::u16string ComTooltip(const std::u16string& port);

    COstrellApp& app_;
    ui::Host& host_;
    WindowServices& services_;
    Messages messages_;
    SettingsOptions options_;

    int interfaceIndex_ = 0;
    std::u16string portNumberText_;
    std::u16string deviceText_;
    std::map<std::u16string, std::u16string> queueDescription_;
    std::map<std::u16string, int> queueKind_;
    std::map<std::u16string, std::u16string> queuePort_;
    std::u16string defaultPrinter_;

    CDlgTabEasy easy_;
    CDlgTabStandard standard_;
    CDlgTabAdvanced advanced_;
    CDlgTabInformation information_;
    CDlgTabCalibration calibration_;
    CDlgTabPrint print_;
    std::array<SettingsPage*, kPageCount> pages_;
    bool pagesCreated_ = false;
    int visiblePage_ = kNoPage;
    bool advancedUnlocked_ = false;
    int receiveState_ = -1;

    // Buffers of the printer exchange, zeroed before each use by the operations.
    std::array<uint8_t, 4096> sendBuffer_{};
    std::array<uint8_t, 4096> receiveBuffer_{};
};

} // namespace qm

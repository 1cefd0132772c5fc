#pragma once

#include "app/InterfaceSelection.h"
#include "app/MainWindow.h"
#include "app/WindowServices.h"
#include "operations/ReceiveOperation.h"
#include "operations/SendOperation.h"
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
#include "ui/FileDialogRequest.h"
#include "ui/Host.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace qm {

class COstrellApp;

// The main window: model and interface selection, the tab control with the six pages, the
// language combo box and the operation buttons. It stays open for the whole run.
class COstrellDlg : public ui::Dialog,
                    public MainWindow,
                    public PageOwner,
                    private ReceiveObserver {
public:
    // Receive state: idle or done, a Self Info request pending, the last receive failed or was
    // cancelled.
    enum ReceiveStage : int {
        kReceiveIdle = -1,
        kReceiveFailed = -2,
        kReceiveSelfInfoPending = 5,
    };
    // The Self Info wait: checked every 100 ms, at most 100 times.
    static constexpr uint32_t kSelfInfoPollMs = 100;
    static constexpr int kSelfInfoPolls = 100;

    // Opens the Self Information dialog with the machine-information reply and the STANDARD
    // settings reply of a Self Info receive.
    using SelfInfoPresenter =
        std::function<void(const std::string& machineInfo, const std::string& configuration)>;

    // Visible page index: 0 Easy, 1 Standard, 2 Advanced, 3 Information, 4 Sensor Adjustment,
    // 5 Print Test, 255 none.
    enum PageIndex : int {
        kPageEasy = 0,
        kPageStandard = 1,
        kPageAdvanced = 2,
        kPageInformation = 3,
        kPageCalibration = 4,
        kPagePrint = 5,
        kNoPage = 255,
    };
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

    // ---- interface selection (kept by InterfaceSelection) ----
    int InterfaceIndex() const { return interface_.Index(); }
    // The driver redirection as one operation starts and ends it (see InterfaceSelection).
    bool RedirectDriverSelection();
    void EndRedirection();

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
    ReceiveStage ReceiveState() const { return receiveState_; }
    // The two replies the last successful Self Info receive kept.
    const std::string& MachineInfoText() const { return machineInfoText_; }
    const std::string& SelfInfoConfigurationText() const { return selfInfoConfigurationText_; }
    // What opens the Self Information dialog after a successful Self Info receive (none: the
    // default: the Self Information dialog opens modally).
    void SetSelfInfoPresenter(SelfInfoPresenter presenter) {
        selfInfoPresenter_ = std::move(presenter);
    }
    // "Recent.dat" in the program's folder (the folder of the preferences file).
    const std::string& RecentFilePath() const { return recentPath_; }
    const std::u16string& DeviceText() const { return interface_.DeviceText(); }
    UiLanguage Language() const;

    // The title's version part, "%d.%d.%d.%d".
    static std::u16string VersionText();

protected:
    bool OnInitDialog() override;
    bool OnNotify(ui::Notification& n) override;

    // The buttons' operations.
    virtual void OnReceive();
    // Send Configuration; on the Sensor Adjustment tab the sensor adjustment, on the Print
    // Test tab the print run.
    virtual void OnSendButton();
    virtual void OnImport();
    virtual void OnExport();
    virtual void OnSelfInfo();
    // The sensor adjustment (Send on the Sensor Adjustment tab) and the print run (Send on the
    // Print Test tab, the hidden Print button, Execute and Enter on the Print Test page).
    virtual void OnSensorAdjustment();
    virtual void OnPrintRun();
    virtual void OnPrintButton();
    // The Information page's share of a receive: emptied before it, then the status and the
    // counters replies. They return the code for ShowErrorCode (1 shows nothing).
    virtual void ClearInformation();
    virtual int ShowStatusReply(const std::string& reply);
    virtual int ShowCountersReply(const std::string& reply);

private:
    void CreatePages();
    void FillModelCombo();
    // The model-change processing; on a language change the Standard and Advanced pages keep
    // their state (keepSettingPages).
    void OnModelSelChange(bool keepSettingPages = false);
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
    void SendConfiguration();
    // Collects the ticked items of the Standard (and the unlocked Advanced) page and builds the
    // configuration; shows message 4 or 3 and returns false when there is nothing valid to send.
    bool BuildFromPages(ConfigurationUse use, std::u16string& text);
    // The sensor-adjustment command of the page's choices (export and the run); shows message
    // 4 or 3 and returns false when there is nothing valid to send.
    bool BuildSensorAdjustment(std::u16string& text);
    // The RFID rows of the Standard and the unlocked Advanced page.
    bool RfidCheckWanted();
    void UntickRfidRows();
    bool AskYes(int message);
    // Import/Export helpers.
    ui::FileDialogRequest FileRequest(bool save);
    void TakeFolderOf(const std::u16string& path);
    void ShowLoadedSettings(bool reportInvalid);
    void LoadRecentFile();
    void SaveRecentFile();
    void CopyStandardToEasy();
    // ---- ReceiveObserver ----
    void BeforeExchange(RequestKind kind) override;
    void AfterExchange(RequestKind kind) override;
    void MenuParsed(RequestKind kind) override;
    void MenuKept(RequestKind kind) override;
    void StatusReceived(const std::string& reply) override;
    void CountersReceived(const std::string& reply) override;
    // An operation's failure, the same for every operation: a port that could not be opened, no
    // interface chosen or a print file that could not be opened puts the focus on the selected
    // interface's control; then the numbered message, unless the failure is a silent one.
    void ReportFailure(int code, bool silent = false);
    // The model chosen in the model list (the first when none is) into the record.
    void TakeSelectedModel(SettingsRecord& record);

    COstrellApp& app_;
    ui::Host& host_;
    WindowServices& services_;
    Messages messages_;
    SettingsOptions options_;

    InterfaceSelection interface_;

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
    ReceiveStage receiveState_ = kReceiveIdle;
    bool selfInfoReceive_ = false;
    std::string machineInfoText_;
    std::string selfInfoConfigurationText_;
    SelfInfoPresenter selfInfoPresenter_;
    std::string recentPath_;
};

} // namespace qm

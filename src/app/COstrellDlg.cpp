#include "app/COstrellDlg.h"

#include "platform/AtomicFile.h"
#include "ui/ProgramVersion.h"

#include "app/CComSettingsDlg.h"
#include "app/COstrellApp.h"
#include "connection/PrinterConnection.h"
#include "operations/PrintRunOperation.h"
#include "operations/SensorAdjustmentOperation.h"
#include "operations/SettingsFileOperation.h"
#include "pages/PageItem.h"
#include "platform/Encoding.h"
#include "platform/Environment.h"
#include "platform/InstanceLock.h"
#include "resources/MainWindowTemplate.h"
#include "selfinfo/CDlgSelfInfo.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"
#include "text/TextTable.h"
#include "ui/WaitCursor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace qm {

using namespace res;
using ui::Control;

namespace {

// The tab items as the template names them; the text tables replace them at once.
constexpr std::u16string_view kInitialTabNames[] = {u"Easy",        u"Standard",    u"Advanced",
                                                    u"Information", u"Calibration", u"Print"};

// Where the pages lie in the main window's client area (pixels).
constexpr ui::Rect kPageRect{10, 60, 600, 455};

// What showing a page does to the operation buttons.
struct PageShowRule {
    int sendCaption;    // 0 "Send Configuration", 1 "Start Sensor Adjustment", 2 "Send File"
    bool importReceive; // Import 174, Receive 177, scope 178
    bool exportEnabled; // Export 175
    bool selfInfo;      // Self Info 181
};
constexpr PageShowRule kPageShowRules[COstrellDlg::kPageCount] = {
    {0, true, true, false}, {0, true, true, true},   {0, true, true, false},
    {0, true, true, false}, {1, false, true, false}, {2, false, false, false},
};

} // namespace

COstrellDlg::COstrellDlg(COstrellApp& app, ui::Host& host, WindowServices& services)
    : ui::Dialog(kMainWindowTemplate), app_(app), host_(host), services_(services),
      messages_(host, [&app] { return app.Region(); }), interface_(*this, app, services),
      easy_(app.Settings()), standard_(app.Settings()), advanced_(app.Settings()),
      information_(app.Settings()), calibration_(app.Settings()),
      print_(app.Settings()), pages_{&easy_,        &standard_,    &advanced_,
                                     &information_, &calibration_, &print_} {
    SetHost(&host_);
}

COstrellDlg::~COstrellDlg() {
    app_.Connection().SetUsbOpenedHandler(nullptr);
    if (app_.GetMainWindow() == this) {
        app_.SetMainWindow(nullptr);
    }
}

int COstrellDlg::RunMainWindow() {
    app_.SetMainWindow(this);
    return DoModal(host_);
}

UiLanguage COstrellDlg::Language() const {
    return UiLanguageFromIndex(app_.Region());
}

std::u16string COstrellDlg::VersionText() {
    return ui::ProgramVersionText();
}

SettingsPage& COstrellDlg::Page(int index) {
    return *pages_[static_cast<size_t>(std::clamp(index, 0, kPageCount - 1))];
}

// ---- start-up ----------------------------------------------------------------------------

bool COstrellDlg::OnInitDialog() {
    // Title: the caption, a blank and the program's version.
    SetTitle(std::u16string(kMainWindowTemplate.caption) + u" " + VersionText());
    SetTrackingLimits(ui::TrackingLimits{350, 300, 840, 0});

    // Language combo.
    Control& language = Item(kIdLanguage);
    language.ResetContent();
    for (int i = 0; i < kUiLanguageCount; ++i) {
        language.InsertString(i, LanguageName(UiLanguageFromIndex(i)));
    }
    language.SetCurSel(app_.Region());

    CreatePages();
    FillModelCombo();

    ShowItem(kIdSelfInfo, app_.CurrentPreferences().appMode == kAppModeSelfInfo);
    receiveState_ = kReceiveIdle;
    interface_.Start();

    // All texts in the current language, then the model-change processing.
    ResetTexts();
    for (SettingsPage* page :
         {static_cast<SettingsPage*>(&standard_), static_cast<SettingsPage*>(&advanced_),
          static_cast<SettingsPage*>(&information_), static_cast<SettingsPage*>(&easy_),
          static_cast<SettingsPage*>(&calibration_), static_cast<SettingsPage*>(&print_)}) {
        page->RefreshTexts(Language());
    }
    OnModelSelChange();

    // The settings of the last run, kept beside the preferences.
    recentPath_ = (std::filesystem::path(app_.IniPath()).parent_path() /
                   std::string(SettingsFileOperation::kRecentFileName))
                      .string();
    LoadRecentFile();

    // The tab control and its pages fit the initial client area as they do after a resize
    // (the template's tab control reaches below the dialog's bottom edge).
    if (const ui::Rect client = ClientRect(); client.height > 0) {
        OnSize(client.width, client.height);
    }

    // The USB open tells the window which device it found (posted message 0x465).
    app_.Connection().SetUsbOpenedHandler(
        [this](const std::u16string& text) { host_.PostMessage(*this, ui::kMsgDeviceText, text); });
    interface_.PushToControls();
    return true;
}

void COstrellDlg::CreatePages() {
    Control& tab = Item(kIdTab);
    tab.ResetContent();
    bool ok = true;
    for (SettingsPage* page : pages_) {
        page->SetOwner(this);
        page->SetLanguage(Language());
        ok = page->Create(this) && ok;
        page->SetWindowRect(kPageRect);
        page->Show(false);
    }
    for (int i = 0; i < kPageCount; ++i) {
        ok = tab.InsertString(i, kInitialTabNames[i]) == i && ok;
    }
    pagesCreated_ = ok;
    tab.SetCurSel(kPageStandard);
    if (ok) {
        ShowPage(kPageStandard);
    }
}

void COstrellDlg::FillModelCombo() {
    Control& combo = Item(kIdModel);
    combo.ResetContent();
    for (int i = 0; i < app_.ModelCount(); ++i) {
        combo.InsertString(i, app_.ModelName(i));
    }
    const int index = app_.ModelIndexOf(app_.CurrentPreferences().printerModel);
    combo.SetCurSel(index >= 0 ? index : 0);
}

// ---- interface selection -------------------------------------------------------------------

bool COstrellDlg::RedirectDriverSelection() {
    return interface_.RedirectDriverSelection();
}

void COstrellDlg::EndRedirection() {
    interface_.EndRedirection();
}

void COstrellDlg::ApplyInterfaceSelection() {
    interface_.ApplyToPreferences();
}

void COstrellDlg::OnDetail() {
    CComSettingsDlg dialog(app_.CurrentPreferences().serial, Language());
    dialog.DoModal(host_);
}

// ---- model, tabs, language ---------------------------------------------------------------

void COstrellDlg::OnModelSelChange(bool keepSettingPages) {
    // A port number typed but not yet read must survive the push at the end.
    interface_.ReadControls();
    Control& combo = Item(kIdModel);
    const int model = std::max(combo.CurSel(), 0);
    app_.CurrentPreferences().printerModel = app_.ModelName(model);
    SettingsRecord& record = app_.Settings();
    record.modelIndex = model;
    options_ = SettingsOptions::For(model, Language() == UiLanguage::kJapanese, advancedUnlocked_);

    if (!keepSettingPages) {
        standard_.OnModelChange(model);
        advanced_.OnModelChange(model);
    }
    easy_.OnModelChange(model);
    information_.OnModelChange(model);
    calibration_.OnModelChange(model);
    print_.OnModelChange(model);

    CheckButton(kIdCheckAll, 0);
    if (combo.Count() > 0) {
        combo.SetTooltip(combo.Text());
    }
    information_.SelectStatusGroup(standard_.EmulationClass());
    interface_.PushToControls();
}

void COstrellDlg::CarryEasyToStandard() {
    EasyBlock toStandard;
    easy_.EasyToBlock(toStandard);
    standard_.BlockToStandard(toStandard);
    EasyBlock toCalibration;
    standard_.StandardToBlock(toCalibration);
    calibration_.CalibrationFromBlock(toCalibration);
}

void COstrellDlg::OnTabChange() {
    const int previous = visiblePage_;
    // Leaving the Standard or the Easy page carries the shared values over.
    if (previous == kPageStandard) {
        EasyBlock block;
        standard_.StandardToBlock(block);
        easy_.EasyFromBlock(block);
        calibration_.CalibrationFromBlock(block);
    } else if (previous == kPageEasy) {
        CarryEasyToStandard();
    }
    Control& tab = Item(kIdTab);
    const int selected = tab.CurSel();
    if (selected == kPageAdvanced && !advancedUnlocked_) {
        const int answer = messages_.ShowMessage(kMsgAdvancedWarning, kMbYesNo | kMbIconWarning);
        if (answer == kIdYes || answer == kIdOk) {
            advancedUnlocked_ = true;
            options_.advancedUnlocked = true;
            ShowPage(kPageAdvanced);
        } else {
            // The previous page stays shown.
            tab.SetCurSel(kPageStandard);
            tab.SetCurSel(previous);
        }
        return;
    }
    if (selected >= 0 && selected < kPageCount) {
        ShowPage(selected);
    }
}

void COstrellDlg::ShowPage(int page) {
    for (int i = 0; i < kPageCount; ++i) {
        pages_[static_cast<size_t>(i)]->Show(i == page);
    }
    visiblePage_ = page;
    const PageShowRule& rule = kPageShowRules[std::clamp(page, 0, kPageCount - 1)];
    SetSendCaption();
    EnableItem(kIdImport, rule.importReceive);
    EnableItem(kIdReceive, rule.importReceive);
    EnableItem(kIdScope, rule.importReceive);
    EnableItem(kIdExport, rule.exportEnabled);
    EnableItem(kIdSelfInfo, rule.selfInfo);
    if (page == kPageAdvanced) {
        advanced_.SelectHeadCheckResolution(app_.Settings().modelIndex);
    }
}

void COstrellDlg::SetSendCaption() {
    const int tab = Item(kIdTab).CurSel();
    const UiLanguage language = Language();
    if (tab == kPageCalibration) {
        SetItemText(kIdSend, TextTable::Caption(TextId::kMainSend, language, 1));
    } else if (tab == kPagePrint) {
        SetItemText(kIdSend, TextTable::Caption(TextId::kPrintSendFile, language));
    } else {
        SetItemText(kIdSend, TextTable::Caption(TextId::kMainSend, language, 0));
    }
}

void COstrellDlg::ResetTexts() {
    const UiLanguage language = Language();
    Control& tab = Item(kIdTab);
    for (int i = 0; i < kPageCount; ++i) {
        tab.SetItemText(i, TextTable::Caption(TextId::kMainTabs, language, i));
    }
    const std::pair<int, TextId> captions[] = {
        {kIdCheckAll, TextId::kMainCheckAll},      {kIdModelLabel, TextId::kMainPrinterModel},
        {kIdRadioDriver, TextId::kMainDriverName}, {kIdDetail, TextId::kMainDetail},
        {kIdRadioNet, TextId::kMainIpAddress},     {kIdPortNumberLabel, TextId::kMainPortNumber},
    };
    for (const auto& [id, text] : captions) {
        SetItemText(id, TextTable::Caption(text, language));
    }
    SetSendCaption();
    const std::pair<int, TextId> buttons[] = {
        {kIdImport, TextId::kMainImport},   {kIdExport, TextId::kMainExport},
        {kIdReceive, TextId::kMainReceive}, {kIdRestoreDefaults, TextId::kMainRestoreDefaults},
        {kIdExit, TextId::kMainExit},
    };
    for (const auto& [id, text] : buttons) {
        SetItemText(id, TextTable::Caption(text, language));
    }
    Control& scope = Item(kIdScope);
    const int previous = scope.CurSel();
    scope.ResetContent();
    for (const std::u16string& choice : TextTable::ChoiceList(TextId::kMainReceive, language)) {
        scope.AddString(choice);
    }
    scope.SetCurSel(previous >= 0 ? previous : 4);
}

void COstrellDlg::OnLanguageChange() {
    interface_.ReadControls();
    const int selected = Item(kIdLanguage).CurSel();
    if (!IsLanguageIndex(selected)) {
        return;
    }
    app_.SetRegion(selected);
    host_.UseLanguage(Language());
    ResetTexts();
    const UiLanguage language = Language();
    standard_.RefreshTexts(language);
    advanced_.RefreshTexts(language);
    information_.RefreshTexts(language);
    easy_.RefreshTexts(language);
    calibration_.RefreshTexts(language);
    print_.RefreshTexts(language);
    // The Standard and Advanced pages keep the operator's ticks and values: their captions,
    // lists and availability follow the language above.
    OnModelSelChange(/*keepSettingPages=*/true);
    Invalidate();
    interface_.PushToControls();
}

// ---- size, buttons, exit -------------------------------------------------------------------

void COstrellDlg::OnSize(int width, int height) {
    (void)width;
    Control& tab = Item(kIdTab);
    tab.SetRect(ui::Rect{7, 35, 614 - 7, std::max(0, height - 10 - 35)});
    const ui::Rect pageRect{10, 60, 600, std::max(0, height - 22 - 60)};
    for (SettingsPage* page : pages_) {
        page->SetWindowRect(pageRect);
    }
    Invalidate();
}

void COstrellDlg::OnCheckAll() {
    interface_.ReadControls();
    if (IsButtonChecked(kIdCheckAll) == 1) {
        standard_.TickAll();
        advanced_.TickAll();
        easy_.TickAll();
        calibration_.SetItemBox(true);
    } else {
        standard_.UntickAll();
        advanced_.UntickAll();
        easy_.UntickAll();
        calibration_.SetItemBox(false);
    }
    interface_.PushToControls();
}

void COstrellDlg::OnRestoreDefaults() {
    interface_.ReadControls();
    if (!AskYes(kMsgConfirmRestore)) {
        return;
    }
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    record.Clear();
    standard_.RestoreDefaults();
    advanced_.RestoreDefaults();
    easy_.RestoreDefaults();
    calibration_.Reset(record.modelIndex);
    print_.ResetPrintKind();
    CheckButton(kIdCheckAll, 0);
    interface_.PushToControls();
}

void COstrellDlg::OnExit(bool closeRequest) {
    interface_.ReadControls();
    if (Item(kIdTab).CurSel() == kPageEasy) {
        CarryEasyToStandard();
    }
    if (app_.SavePreferences() != 1) {
        return; // "Exit program?" answered No: the window stays open
    }
    // From here on the Advanced items count as unlocked (the settings kept at exit include them).
    advancedUnlocked_ = true;
    options_.advancedUnlocked = true;
    SaveRecentFile();
    if (closeRequest) {
        PrinterConnection& connection = app_.Connection();
        connection.Close();
        connection.NetClose();
        EndDialog(kIdCancel);
    } else {
        EndDialog(0);
    }
}

// ---- printer operations ------------------------------------------------------------------

bool COstrellDlg::AskYes(int message) {
    const int answer = messages_.ShowMessage(message, kMbYesNo | kMbIconWarning);
    return answer == kIdYes || answer == kIdOk;
}

void COstrellDlg::CopyStandardToEasy() {
    EasyBlock block;
    standard_.StandardToBlock(block);
    easy_.EasyFromBlock(block);
}

void COstrellDlg::OnReceive() {
    // One receive at a time, in this window and in every other program: a running one (its
    // confirmation may be open) makes this one return at once. A lock that cannot be taken for
    // another reason (a lock file of another user) does not block the window: it runs unguarded,
    // as at start-up.
    InstanceLock receiveLock(kReceiveLockName);
    if (!receiveLock.TryAcquire() && receiveLock.Error() == EWOULDBLOCK) {
        return;
    }
    interface_.ReadControls();
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    const auto scope = static_cast<ReceiveScope>(std::clamp(Item(kIdScope).CurSel(), 0, 4));
    const bool statusOnly = scope == ReceiveScope::kInformation && information_.ReceiveStatusOnly();
    selfInfoReceive_ = receiveState_ == kReceiveSelfInfoPending;
    if (!statusOnly && !AskYes(kMsgConfirmReceive)) {
        if (selfInfoReceive_) {
            receiveState_ = kReceiveFailed;
        }
        return;
    }
    ClearInformation();
    standard_.UntickAll();
    std::vector<RequestKind> kinds;
    if (selfInfoReceive_) {
        kinds = SelfInfoRequestKinds();
    } else {
        receiveState_ = kReceiveIdle;
        kinds = RequestKindsForScope(scope, statusOnly);
    }

    SettingsParser parser(options_);
    ui::WaitCursor wait(host_);
    const ReceiveResult result = ReceiveOperation(record, parser, app_.Connection(), app_)
                                     .Run(kinds, information_.StatusFamily(), *this);
    if (!result.Ok()) {
        ReportFailure(result.code, result.silent);
        receiveState_ = kReceiveFailed;
        return;
    }
    if (selfInfoReceive_) {
        machineInfoText_ = result.Reply(RequestKind::kMachineInfo);
        selfInfoConfigurationText_ = result.Reply(RequestKind::kStandard);
    }
    if (receiveState_ != kReceiveIdle) {
        messages_.ShowErrorCode(kCodeAcquisitionFailed);
        receiveState_ = kReceiveFailed;
    }
}

void COstrellDlg::BeforeExchange(RequestKind) {
    interface_.Prepare();
}

void COstrellDlg::AfterExchange(RequestKind) {
    interface_.End();
}

void COstrellDlg::MenuParsed(RequestKind) {
    // The pages start from the received record: nothing ticked until they show it.
    standard_.UntickAll();
    advanced_.UntickAll();
    easy_.UntickAll();
    CheckButton(kIdCheckAll, 0);
}

void COstrellDlg::MenuKept(RequestKind request) {
    if (request != RequestKind::kAdvanced) {
        standard_.FillFromSettings();
        CopyStandardToEasy();
        if (request == RequestKind::kStandard && selfInfoReceive_) {
            receiveState_ = kReceiveIdle;
        }
    }
    if (request == RequestKind::kAdvanced || request == RequestKind::kAll) {
        messages_.ShowErrorCode(advanced_.FillFromSettings() ? 1 : kCodeInvalidItems);
    }
}

void COstrellDlg::StatusReceived(const std::string& reply) {
    messages_.ShowErrorCode(ShowStatusReply(reply));
}

void COstrellDlg::CountersReceived(const std::string& reply) {
    messages_.ShowErrorCode(ShowCountersReply(reply));
}

void COstrellDlg::ClearInformation() {
    information_.ClearInformationForReceive();
    standard_.ClearRfidResults();
}

int COstrellDlg::ShowStatusReply(const std::string& reply) {
    return information_.ShowStatus(information_.StatusFamily(), reply, Language());
}

int COstrellDlg::ShowCountersReply(const std::string& reply) {
    // A counters reply that holds none of the four answers is an acquisition error.
    return information_.ShowCounters(AnsiToWide(reply)) == 0 ? kCodeAcquisitionFailed : 1;
}

void COstrellDlg::OnSelfInfo() {
    receiveState_ = kReceiveSelfInfoPending;
    OnReceive();
    for (int poll = 0; poll < kSelfInfoPolls && receiveState_ == kReceiveSelfInfoPending; ++poll) {
        host_.Sleep(kSelfInfoPollMs);
    }
    if (receiveState_ == kReceiveSelfInfoPending) {
        const UiLanguage language = Language();
        host_.MessageBox(TextTable::Long(LongTextId::kReceiveTimeout, language),
                         TextTable::Long(LongTextId::kReceiveDataCaption, language), kMbOk);
        receiveState_ = kReceiveFailed;
    }
    if (receiveState_ != kReceiveIdle) {
        return;
    }
    if (selfInfoPresenter_) {
        selfInfoPresenter_(machineInfoText_, selfInfoConfigurationText_);
        return;
    }
    CDlgSelfInfo dialog(AnsiToWide(machineInfoText_), AnsiToWide(selfInfoConfigurationText_),
                        Language());
    dialog.DoModal(host_);
}

void COstrellDlg::OnSendButton() {
    switch (Item(kIdTab).CurSel()) {
    case kPagePrint:
        OnPrintRun();
        return;
    case kPageCalibration:
        OnSensorAdjustment();
        return;
    default:
        SendConfiguration();
        return;
    }
}

bool COstrellDlg::BuildFromPages(ConfigurationUse use, std::u16string& text) {
    bool any = standard_.CollectTicked();
    if (advancedUnlocked_) {
        any = advanced_.CollectTicked() || any;
    }
    if (!any) {
        messages_.ShowErrorCode(kCodeNothingTicked);
        return false;
    }
    SettingsRecord& record = app_.Settings();
    SettingsParser parser(options_);
    const ConfigurationWriter writer(options_);
    SendOperation send(record, writer, parser);
    const BuiltConfiguration built = send.Build(use);
    bool valid = standard_.ValidateTicked();
    if (advancedUnlocked_) {
        valid = advanced_.ValidateTicked() && valid;
    }
    standard_.Invalidate();
    advanced_.Invalidate();
    if (built.code == kCodeNothingTicked) {
        messages_.ShowErrorCode(kCodeNothingTicked);
        return false;
    }
    if (!valid || built.code != kOperationOk) {
        messages_.ShowErrorCode(kCodeInvalidItems);
        return false;
    }
    text = built.text;
    return true;
}

bool COstrellDlg::RfidCheckWanted() {
    const PageItem* first = nullptr;
    for (const PageItem& item : standard_.Items()) {
        if (item.HasFlag(kItemRfid) && item.tickBox != 0) {
            first = &item;
            break;
        }
    }
    if (first == nullptr || !standard_.Item(first->tickBox).IsEnabled()) {
        return false;
    }
    const int ticked =
        standard_.CountTickedRfid() + (advancedUnlocked_ ? advanced_.CountTickedRfid() : 0);
    return ticked > 0;
}

void COstrellDlg::UntickRfidRows() {
    for (SettingsPage* page :
         {static_cast<SettingsPage*>(&standard_), static_cast<SettingsPage*>(&advanced_)}) {
        for (PageItem& item : page->Items()) {
            if (item.HasFlag(kItemRfid) && item.tickBox != 0) {
                page->Item(item.tickBox).SetCheck(0);
                if (item.state != nullptr) {
                    item.state->ticked = 0;
                }
            }
        }
    }
}

void COstrellDlg::SendConfiguration() {
    interface_.ReadControls();
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    record.Clear();
    if (Item(kIdTab).CurSel() == kPageEasy) {
        EasyBlock block;
        easy_.EasyToBlock(block);
        standard_.BlockToStandard(block);
    }
    std::u16string text;
    if (!BuildFromPages(ConfigurationUse::kPrinter, text)) {
        return;
    }
    if (!AskYes(kMsgConfirmSend)) {
        return;
    }
    PrinterConnection& connection = app_.Connection();
    ui::WaitCursor wait(host_);
    if (RfidCheckWanted()) {
        interface_.Prepare();
        SettingsParser parser(options_);
        const ConfigurationWriter writer(options_);
        const RfidSupport rfid =
            SendOperation(record, writer, parser).CheckRfidSupport(connection, app_);
        interface_.End();
        if (rfid.code != kOperationOk) {
            ReportFailure(rfid.code);
            return;
        }
        if (!rfid.supported) {
            UntickRfidRows();
            messages_.ShowLong(LongTextId::kRfidNotSupported, kMbIconWarning);
            record.Clear();
            if (!BuildFromPages(ConfigurationUse::kPrinter, text)) {
                return;
            }
        }
    }
    ApplyInterfaceSelection();
    interface_.ReadControls();
    const SendResult sent = SendOperation::Send(text, connection, app_);
    if (sent.code != kOperationOk) {
        ReportFailure(sent.code);
    }
}

// ---- files ---------------------------------------------------------------------------------

ui::FileDialogRequest COstrellDlg::FileRequest(bool save) {
    ui::FileDialogRequest request;
    request.save = save;
    request.owner = this;
    for (const FileFilter& filter : TextTable::FileFilters(Language())) {
        request.filter += filter.description;
        request.filter.push_back(u'\0');
        request.filter += filter.pattern;
        request.filter.push_back(u'\0');
    }
    request.filter.push_back(u'\0');
    request.filterIndex = 1;
    request.defaultExtension = u"prn";
    std::u16string folder = app_.CurrentPreferences().defaultFolder;
    if (folder.empty()) {
        folder = Utf8ToUtf16(ModuleDirectory());
        if (!folder.empty() && folder.back() != u'/') {
            folder.push_back(u'/');
        }
    }
    request.initialFolder = folder + u".";
    request.options =
        save ? ui::kOfnOverwritePrompt | ui::kOfnPathMustExist | ui::kOfnDontAddToRecent
             : ui::kOfnFileMustExist | ui::kOfnPathMustExist | ui::kOfnHideReadOnly |
                   ui::kOfnDontAddToRecent;
    return request;
}

void COstrellDlg::TakeFolderOf(const std::u16string& path) {
    const size_t slash = path.rfind(u'/');
    if (slash != std::u16string::npos) {
        app_.CurrentPreferences().defaultFolder = path.substr(0, slash + 1);
    }
}

bool COstrellDlg::BuildSensorAdjustment(std::u16string& text) {
    standard_.UntickAll();
    advanced_.UntickAll();
    easy_.UntickAll();
    CheckButton(kIdCheckAll, 0);
    // The page's choices go to the Standard rows: the Config Set when its box is ticked, and
    // the media type.
    EasyBlock block;
    block.configSetIncluded = calibration_.ItemBox() ? 1 : 0;
    block.configSetIndex = calibration_.ConfigSetIndex();
    block.mediaIncluded = 1;
    block.mediaIndex = calibration_.MediaType();
    standard_.BlockToStandard(block);
    if (!standard_.CollectTicked()) {
        messages_.ShowErrorCode(kCodeNothingTicked);
        return false;
    }
    SettingsParser parser(options_);
    const ConfigurationWriter writer(options_);
    const BuiltConfiguration built =
        SensorAdjustmentOperation(app_.Settings(), writer, parser).Build();
    const bool valid = standard_.ValidateTicked() && built.code == kOperationOk;
    standard_.Invalidate();
    if (built.code == kCodeNothingTicked) {
        messages_.ShowErrorCode(kCodeNothingTicked);
        return false;
    }
    if (!valid) {
        messages_.ShowErrorCode(kCodeInvalidItems);
        return false;
    }
    text = built.text;
    return true;
}

void COstrellDlg::OnSensorAdjustment() {
    interface_.ReadControls();
    const int answer =
        messages_.ShowLong(LongTextId::kConfirmSensorAdjustment, kMbYesNo | kMbIconWarning);
    if (answer != kIdYes && answer != kIdOk) {
        return;
    }
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    record.Clear();
    std::u16string command;
    if (!BuildSensorAdjustment(command)) {
        return;
    }
    ui::WaitCursor wait(host_);
    interface_.Prepare();
    SettingsParser parser(options_);
    const ConfigurationWriter writer(options_);
    const SensorAdjustmentResult result =
        SensorAdjustmentOperation(record, writer, parser).Run(command, app_.Connection(), app_);
    interface_.End();
    if (!result.Ok()) {
        ReportFailure(result.code);
    } else if (result.Succeeded()) {
        messages_.ShowLong(LongTextId::kSensorAdjustmentDone, kMbIconInformation);
    } else {
        messages_.ShowLong(LongTextId::kSensorAdjustmentFailed, kMbIconError);
    }
    standard_.Invalidate();
}

void COstrellDlg::OnPrintButton() {
    OnPrintRun();
}

void COstrellDlg::OnPrintRun() {
    interface_.ReadControls();
    const auto kind = static_cast<PrintKind>(std::clamp(print_.PrintKind(), 0, 2));
    if (kind == PrintKind::kFile && print_.FilePath().empty()) {
        // The file is asked for; choosing it is the operator's go-ahead.
        ui::FileDialogResult chosen;
        if (!host_.FileDialog(FileRequest(false), chosen)) {
            return;
        }
        print_.SetFilePath(chosen.path);
        TakeFolderOf(chosen.path);
    } else if (!AskYes(kMsgConfirmPrint)) {
        return;
    }
    ui::WaitCursor wait(host_);
    interface_.Prepare();
    PrintRunOperation run(app_.Settings(), app_.Connection(), app_);
    const PrintResult result = kind == PrintKind::kFile
                                   ? run.SendFile(Utf16ToUtf8(print_.FilePath()))
                                   : run.PrintTest(kind);
    interface_.End();
    if (!result.Ok()) {
        ReportFailure(result.code);
    }
}

void COstrellDlg::OnExport() {
    interface_.ReadControls();
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    record.Clear();
    std::u16string text;
    if (Item(kIdTab).CurSel() == kPageCalibration) {
        if (!BuildSensorAdjustment(text)) {
            return;
        }
    } else {
        if (Item(kIdTab).CurSel() == kPageEasy) {
            EasyBlock block;
            easy_.EasyToBlock(block);
            standard_.BlockToStandard(block);
        }
        if (!BuildFromPages(ConfigurationUse::kFile, text)) {
            return;
        }
    }
    ui::FileDialogResult chosen;
    if (!host_.FileDialog(FileRequest(true), chosen)) {
        return;
    }
    TakeFolderOf(chosen.path);
    const FileOutcome written = SettingsFileOperation::Export(Utf16ToUtf8(chosen.path), text);
    if (written.code != kOperationOk) {
        messages_.ShowErrorCode(written.code);
    }
}

void COstrellDlg::ShowLoadedSettings(bool reportInvalid) {
    standard_.UntickAll();
    advanced_.UntickAll();
    easy_.UntickAll();
    calibration_.SetItemBox(false);
    CheckButton(kIdCheckAll, 0);
    bool valid = standard_.FillFromSettings();
    CopyStandardToEasy();
    valid = advanced_.FillFromSettings() && valid;
    if (reportInvalid && !valid) {
        messages_.ShowErrorCode(kCodeInvalidItems);
    }
}

void COstrellDlg::OnImport() {
    interface_.ReadControls();
    ui::FileDialogResult chosen;
    if (!host_.FileDialog(FileRequest(false), chosen)) {
        return;
    }
    TakeFolderOf(chosen.path);
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    SettingsParser parser(options_);
    const FileOutcome read = SettingsFileOperation(record, parser).Import(Utf16ToUtf8(chosen.path));
    if (read.code != kOperationOk) {
        messages_.ShowErrorCode(read.code);
        return;
    }
    ShowLoadedSettings(true);
}

void COstrellDlg::LoadRecentFile() {
    std::error_code ignored;
    if (recentPath_.empty() || !std::filesystem::exists(recentPath_, ignored)) {
        return;
    }
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    // The recent file holds the Advanced items too.
    SettingsOptions options = options_;
    options.advancedUnlocked = true;
    SettingsParser parser(options);
    if (SettingsFileOperation(record, parser).LoadRecent(recentPath_)) {
        ShowLoadedSettings(false);
    }
}

void COstrellDlg::SaveRecentFile() {
    SettingsRecord& record = app_.Settings();
    TakeSelectedModel(record);
    record.Clear();
    standard_.CollectTicked();
    advanced_.CollectTicked();
    const ConfigurationWriter writer(options_);
    writer.WriteConfiguration(record, static_cast<int>(ConfigurationUse::kFile));
    int error = 0;
    if (!SettingsFileOperation::SaveRecent(recentPath_, record.text, &error)) {
        // As for the preferences: the run goes on, and the user learns that the settings of this
        // run will not be offered next time.
        std::fprintf(stderr, "quillmark: the recent settings could not be saved to %s%s%s\n",
                     recentPath_.c_str(), error != 0 ? ": " : "",
                     error != 0 ? FileErrorText(error).c_str() : "");
    }
}

void COstrellDlg::PressSendConfiguration() {
    OnSendButton();
}

void COstrellDlg::PressPrint() {
    OnPrintButton();
}

// ---- members and controls ------------------------------------------------------------------

void COstrellDlg::ReportFailure(int code, bool silent) {
    if (code == kCodeOpenFailed || code == kCodeNoInterface || code == kCodeFileOpenFailed) {
        interface_.FocusSelected();
    }
    if (!silent) {
        messages_.ShowErrorCode(code);
    }
}

void COstrellDlg::TakeSelectedModel(SettingsRecord& record) {
    record.modelIndex = std::max(Item(kIdModel).CurSel(), 0);
}

// ---- dispatch ------------------------------------------------------------------------------

bool COstrellDlg::OnNotify(ui::Notification& n) {
    if (interface_.OnNotify(n)) {
        return true;
    }
    switch (n.event) {
    case ui::Event::Clicked:
        switch (n.id) {
        case kIdDetail:
            OnDetail();
            return true;
        case kIdCheckAll:
            OnCheckAll();
            return true;
        case kIdRestoreDefaults:
            OnRestoreDefaults();
            return true;
        case kIdExit:
            OnExit(false);
            return true;
        case kIdSend:
            OnSendButton();
            return true;
        case kIdReceive:
            OnReceive();
            return true;
        case kIdImport:
            OnImport();
            return true;
        case kIdExport:
            OnExport();
            return true;
        case kIdSelfInfo:
            OnSelfInfo();
            return true;
        case kIdPrint:
            OnPrintButton();
            return true;
        default:
            return false;
        }
    case ui::Event::SelChange:
        switch (n.id) {
        case kIdModel:
            OnModelSelChange();
            return true;
        case kIdLanguage:
            OnLanguageChange();
            return true;
        default:
            return false;
        }
    case ui::Event::TabChange:
        if (n.id == kIdTab) {
            OnTabChange();
            return true;
        }
        return false;
    case ui::Event::Size:
        OnSize(n.code, n.value);
        return true;
    case ui::Event::Cancel:
        return true; // Esc never closes the window
    case ui::Event::Close:
        OnExit(true);
        return true;
    default:
        return false;
    }
}

} // namespace qm

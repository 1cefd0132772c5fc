#include "app/CComSettingsDlg.h"

#include "resources/ComSettingsTemplate.h"
#include "text/MessageBoxHost.h"
#include "text/TextTable.h"

#include <span>

namespace qm {

using namespace res;

namespace {

void Fill(ui::Control& list, std::span<const std::u16string_view> texts, int selection) {
    list.ResetContent();
    for (std::u16string_view text : texts) {
        list.AddString(text);
    }
    list.SetCurSel(selection);
}

} // namespace

CComSettingsDlg::CComSettingsDlg(SerialSettings& settings, UiLanguage language)
    : ui::Dialog(kComSettingsTemplate), settings_(settings), language_(language) {}

bool CComSettingsDlg::OnInitDialog() {
    // First the English rows with the selection the stored settings give ...
    const ComDialogSelection selection = ComSelectionFromSettings(settings_);
    Fill(Item(kIdComBaud), kComBaudChoices, selection.baud);
    Fill(Item(kIdComDataBits), kComDataBitsChoices, selection.dataBits);
    Fill(Item(kIdComStopBits), kComStopBitsChoices, selection.stopBits);
    Fill(Item(kIdComParity), kComParityChoices, selection.parity);
    Fill(Item(kIdComFlow), kComFlowChoices, selection.flow);
    // ... then the title, the labels and the lists in the current language.
    SetTitle(TextTable::Caption(TextId::kComSettings, language_, 0));
    SetItemText(kIdComGroup, TextTable::Caption(TextId::kComSettings, language_, 1));
    Translate(kIdComBaud, kIdComBaudLabel, static_cast<int>(TextId::kComBaudRate));
    Translate(kIdComDataBits, kIdComDataBitsLabel, static_cast<int>(TextId::kComDataBits));
    Translate(kIdComStopBits, kIdComStopBitsLabel, static_cast<int>(TextId::kComStopBits));
    Translate(kIdComParity, kIdComParityLabel, static_cast<int>(TextId::kComParity));
    Translate(kIdComFlow, kIdComFlowLabel, static_cast<int>(TextId::kComFlowControl));
    return true;
}

void CComSettingsDlg::Translate(int listId, int labelId, int textId) {
    const TextId id = static_cast<TextId>(textId);
    SetItemText(labelId, TextTable::Caption(id, language_));
    ui::Control& list = Item(listId);
    const int selection = list.CurSel();
    const std::vector<std::u16string> rows = TextTable::ChoiceList(id, language_);
    if (rows.empty()) {
        return; // no rows: the English entries stay
    }
    list.ResetContent();
    for (const std::u16string& row : rows) {
        list.AddString(row);
    }
    list.SetCurSel(selection);
}

void CComSettingsDlg::OnOK() {
    ComDialogTexts texts;
    texts.baud = GetItemText(kIdComBaud);
    texts.dataBits = GetItemText(kIdComDataBits);
    texts.stopBits = GetItemText(kIdComStopBits);
    texts.parity = GetItemText(kIdComParity);
    texts.flow = GetItemText(kIdComFlow);
    ComDialogWords words;
    words.none = TextTable::Choice(TextId::kComParity, 0, language_);
    words.odd = TextTable::Choice(TextId::kComParity, 1, language_);
    words.xonXoff = TextTable::Choice(TextId::kComFlowControl, 0, language_);
    words.hardware = TextTable::Choice(TextId::kComFlowControl, 1, language_);
    settings_ = ComSettingsFromDialog(texts, words);
    EndDialog(kIdOk);
}

bool CComSettingsDlg::OnNotify(ui::Notification& n) {
    if (n.event == ui::Event::Clicked && n.id == kIdComOk) {
        OnOK();
        return true;
    }
    if (n.event == ui::Event::Clicked && n.id == kIdComCancel) {
        EndDialog(kIdCancel);
        return true;
    }
    return false;
}

} // namespace qm

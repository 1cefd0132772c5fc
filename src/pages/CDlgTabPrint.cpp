#include "pages/CDlgTabPrint.h"

#include "resources/PrintPageTemplate.h"
#include "text/TextTable.h"
#include "ui/FileDialogRequest.h"
#include "ui/Host.h"

namespace qm {
namespace {

using namespace res;

constexpr int kKindRadios[] = {kIdPrintSelfTest, kIdPrintSample, kIdPrintSendFile};

// The filter cell of a language: description and pattern strings, each ending with a NUL, the
// list ending with an empty string.
std::u16string FilterCell(UiLanguage language) {
    std::u16string cell;
    for (const FileFilter& filter : TextTable::FileFilters(language)) {
        cell += filter.description;
        cell += u'\0';
        cell += filter.pattern;
        cell += u'\0';
    }
    cell += u'\0';
    return cell;
}

} // namespace

CDlgTabPrint::CDlgTabPrint(SettingsRecord& record)
    : SettingsPage(kPrintPageTemplate, record, {}, PageBehaviour{}) {}

void CDlgTabPrint::InitPage() {
    SettingsPage::InitPage();
    SetCaptions();
    ResetPrintKind();
}

void CDlgTabPrint::SetCaptions() {
    const UiLanguage language = Language();
    SetItemText(kIdPrintSelfTest, TextTable::Caption(TextId::kPrintSelfTest, language));
    SetItemText(kIdPrintSample, TextTable::Caption(TextId::kPrintSample, language));
    SetItemText(kIdPrintSendFile, TextTable::Caption(TextId::kPrintSendFile, language));
    SetItemText(kIdPrintBrowse, TextTable::Caption(TextId::kPrintBrowse, language));
    SetItemText(kIdPrintExecute, TextTable::Caption(TextId::kPrintExecute, language));
}

void CDlgTabPrint::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetCaptions();
}

void CDlgTabPrint::ResetPrintKind() {
    printKind_ = 0;
    CheckRadioButton(kIdPrintSelfTest, kIdPrintSendFile, kIdPrintSelfTest);
    Invalidate();
}

void CDlgTabPrint::SetFilePath(std::u16string_view path) {
    filePath_.assign(path);
    SetItemText(kIdPrintPath, filePath_);
}

bool CDlgTabPrint::Browse() {
    ui::Host* host = GetHost();
    if (host == nullptr) {
        return false;
    }
    ui::FileDialogRequest request;
    request.save = false;
    request.owner = this;
    request.filter = FilterCell(Language());
    request.filterIndex = 1;
    request.defaultExtension = u"prn";
    request.initialFolder = (printFolder_.empty() ? programFolder_ : printFolder_) + u".";
    request.options = ui::kOfnHideReadOnly | ui::kOfnPathMustExist | ui::kOfnFileMustExist |
                      ui::kOfnDontAddToRecent;
    request.maxPath = 260;
    ui::FileDialogResult result;
    if (!host->FileDialog(request, result)) {
        return false;
    }
    SetFilePath(result.path);
    const size_t slash = result.path.find_last_of(u'/');
    if (slash != std::u16string::npos) {
        printFolder_ = result.path.substr(0, slash + 1);
    }
    return true;
}

void CDlgTabPrint::OnEnterKey() {
    if (Owner() != nullptr) {
        Owner()->PressPrint();
    }
}

bool CDlgTabPrint::OnPageNotify(ui::Notification& n) {
    if (n.event == ui::Event::EditChange && n.id == kIdPrintPath) {
        filePath_ = GetItemText(kIdPrintPath);
        return true;
    }
    if (n.event != ui::Event::Clicked) {
        return false;
    }
    for (int kind = 0; kind < 3; ++kind) {
        if (n.id == kKindRadios[kind]) {
            printKind_ = kind;
            return true;
        }
    }
    if (n.id == kIdPrintBrowse) {
        Browse();
        return true;
    }
    if (n.id == kIdPrintExecute) {
        OnEnterKey();
        return true;
    }
    return false;
}

} // namespace qm

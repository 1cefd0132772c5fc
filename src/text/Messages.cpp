#include "text/Messages.h"

#include <utility>

namespace qm {

Messages::Messages(MessageBoxHost& host, std::function<int()> currentLanguage)
    : host_(host), currentLanguage_(std::move(currentLanguage)) {}

Messages::Messages(MessageBoxHost& host, UiLanguage language)
    : host_(host), currentLanguage_([language] { return LanguageIndex(language); }) {}

UiLanguage Messages::Language() const {
    return currentLanguage_ ? UiLanguageFromIndex(currentLanguage_()) : UiLanguage::kEnglish;
}

int Messages::ShowMessage(int index, unsigned style) const {
    return host_.MessageBox(TextTable::Message(index, Language()), kMessageCaption, style);
}

int Messages::ShowLong(LongTextId id, unsigned style) const {
    return host_.MessageBox(TextTable::Long(id, Language()), kMessageCaption, style);
}

int Messages::ShowErrorCode(int code) const {
    int index = -1;
    switch (code) {
    case 20:
        index = kMsgImportError;
        break;
    case 22:
        ShowMessage(kMsgExportError, kMbIconWarning);
        return 1;
    case 23:
        index = kMsgCheckRedItems;
        break;
    case 24:
        index = kMsgSelectItems;
        break;
    case 30:
        index = kMsgOpenPortError;
        break;
    case 31:
        index = kMsgDataTransferError;
        break;
    case 32:
        index = kMsgAcquisitionError;
        break;
    case 40:
        index = kMsgChooseInterface;
        break;
    case 80:
        ShowMessage(kMsgFileOpenError, kMbIconError);
        ShowMessage(kMsgFileReadError, kMbIconError);
        return 2;
    case 81:
        index = kMsgFileReadError;
        break;
    default:
        return 0;
    }
    ShowMessage(index, kMbIconError);
    return 1;
}

} // namespace qm

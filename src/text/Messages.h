#pragma once

#include "text/MessageBoxHost.h"
#include "text/TextTable.h"
#include "text/UiLanguage.h"

#include <functional>
#include <string_view>

namespace qm {

// Indices of the message table (17 long rows; English texts shown, CR LF as \r\n).
enum MessageIndex : int {
    kMsgImportError = 0,         // "code : 20\r\nImport error. Please check the file."
    kMsgInvalidDataContinue = 1, // "code : 21\r\nInvalid data error. Are you sure to continue..."
    kMsgExportError = 2,         // "code : 22\r\nExport error."
    kMsgCheckRedItems = 3,       // "code : 23\r\nError. Please check the item(s) in red."
    kMsgSelectItems = 4,         // "code : 24\r\nPlease select item(s) to configure."
    kMsgOpenPortError = 5,       // "code : 30\r\nOpen port error."
    kMsgDataTransferError = 6,   // "code : 31\r\nData transfer error."
    kMsgAcquisitionError = 7,    // "code : 32\r\nAcquisition data has an error."
    kMsgChooseInterface = 8,     // "code : 40\r\nPlease choose the interface."
    kMsgConfirmSend = 9,         // "Are you sure to send the configuration?"
    kMsgConfirmRestore = 10,     // "Are you sure to restore defaults?"
    kMsgAdvancedWarning = 11,    // "Advanced menu contains mechanically sensitive items. ..."
    kMsgConfirmExit = 12,        // "Exit program?"
    kMsgConfirmReceive = 13,     // "Are you sure to receive the configuration?"
    kMsgConfirmPrint = 14,       // "Are you sure to print out?"
    kMsgFileOpenError = 15,      // "code : 80\r\nFile Open error. Please check the file."
    kMsgFileReadError = 16,      // "code : 81\r\nFile Read error. Please check the file."
};

// The caption of the application's standard message box.
inline constexpr std::u16string_view kMessageCaption = u"Quillmark";

// Shows the table's messages through a message-box host in the current interface language.
// The main window keeps one, bound to its ui::Host (which is a MessageBoxHost) and to the
// region of the current preferences, so a language change takes effect at once.
class Messages {
public:
    // The language is asked for at every message (e.g. the current preferences' region); a
    // value outside 0..3 shows English.
    Messages(MessageBoxHost& host, std::function<int()> currentLanguage);
    // A fixed language.
    Messages(MessageBoxHost& host, UiLanguage language);

    // Shows message `index` (0..16) with a style (kMbIconError, kMbIconWarning | kMbYesNo, ...)
    // and returns the pressed button (kIdOk, kIdYes, kIdNo). An index outside 0..16 shows an
    // empty text.
    int ShowMessage(int index, unsigned style) const;

    // Shows one of the further long rows (sensor adjustment, RFID) with a style.
    int ShowLong(LongTextId id, unsigned style) const;

    // Shows the message(s) for a printer-operation error code:
    //   20 -> message 0, 22 -> 2 (exclamation icon), 23 -> 3, 24 -> 4, 30 -> 5, 31 -> 6,
    //   32 -> 7, 40 -> 8, 80 -> 15 and then 16 (two boxes in turn), 81 -> 16;
    // error icon for all but 22. Any other code (e.g. 1 after success) shows nothing.
    // Returns the number of boxes shown.
    int ShowErrorCode(int code) const;

    // The language messages are shown in right now.
    UiLanguage Language() const;

private:
    MessageBoxHost& host_;
    std::function<int()> currentLanguage_;
};

} // namespace qm

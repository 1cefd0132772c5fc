#pragma once

#include <string>
#include <string_view>

namespace qm {

// The three forms of a status reply; the printer's command language decides which one it sends
// (the status request of that language asks for it).
enum class StatusForm : int {
    kFlags = 0,      // SOH "A": a string of "Y"/"N" flags
    kHostStatus = 1, // "~HS": status strings that each start with STX
    kErrorCode = 2,  // "^ee": a two-digit error code
};
inline constexpr int kStatusFormCount = 3;

// One decoded status flag. kYes and kNo are the row numbers of the "Yes" and "No" texts.
enum class StatusFlag : int {
    kUnknown = -1, // the reply did not say: shown empty
    kYes = 0,
    kNo = 1,
};

// The message of an error-code reply. From kNoError on, the values are the row numbers of the
// message texts of the Information page.
enum class StatusMessage : int {
    kNone = -1, // not an error-code reply
    kNoError = 0,
    kOtherError = 1,
    kPaperOrRibbonEnd = 2,
    kHeadUp = 3,
    kPauseOrWaiting = 4,
    kBusy = 5,
};

// What a status reply says, before it is put into words.
struct PrinterStatus {
    StatusFlag paperError = StatusFlag::kUnknown;
    StatusFlag ribbonError = StatusFlag::kUnknown;
    StatusFlag printing = StatusFlag::kUnknown;
    StatusFlag pause = StatusFlag::kUnknown;
    StatusFlag waitingForPeeling = StatusFlag::kUnknown;
    std::string errorCode; // error-code form: the reply's first two bytes (up to a NUL byte)
    StatusMessage message = StatusMessage::kNone;

    // The error code and its message are drawn as "clear" (blue) when the code holds "00".
    bool ErrorCodeClear() const { return errorCode.find("00") != std::string::npos; }
};

// Decodes the printer's status replies. Pure functions over the reply bytes: no page, no
// connection, no text tables, so the Information page, the command line and the tests share
// them. Every length of reply is safe; bytes the reply does not hold never count as set.
class StatusDecoder {
public:
    static constexpr size_t kFlagWindow = 128;       // the flag form looks at this many bytes
    static constexpr size_t kFlagStartLimit = 120;   // a first flag at or after this is ignored
    static constexpr size_t kHostStatusWindow = 256; // the host-status form looks at this many

    // Whether the decoder of a form finds where a status starts in the reply: form 0 a "Y" or
    // "N" before kFlagStartLimit, form 1 two STX within kHostStatusWindow; form 2 reads its
    // code from the reply's first two bytes, which must be digits. Any other form: false.
    static bool FindsStatus(int form, std::string_view reply);

    // Decodes a reply of the given form (0, 1, 2); any other form says nothing.
    static PrinterStatus Decode(int form, std::string_view reply);

    // Flag form: f is the first "Y" or "N" in the window; paper error f+1, ribbon error f+2,
    // printing f+3 or f+4, pause f+5, waiting for peeling f+6.
    static PrinterStatus DecodeFlags(std::string_view reply);
    // Host-status form: two STX strings. First string: paper out at +5, pause at +7, the
    // formats waiting at +14..16 with the buffer-full flag at +18 (with a four-digit label
    // length, a comma at +13), else at +15..17 and +19 (five-digit label length). Second
    // string: head up at +7 (counts as a paper error), ribbon out at +9, label waiting at +17,
    // the labels left in the batch at +19..26.
    static PrinterStatus DecodeHostStatus(std::string_view reply);
    // Error-code form: the code is the first two bytes; the message is that of the first code
    // of the code table, in table order, found anywhere in the reply ("Other error" when none).
    static PrinterStatus DecodeErrorCode(std::string_view reply);
};

} // namespace qm

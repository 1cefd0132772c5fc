#pragma once

#include <string>
#include <string_view>

namespace qm {

// Reply markers: A "~!!" CR LF STX ESC "~A" CR LF (11 bytes), B "~!!" CR LF (5 bytes),
// C STX ESC "~A" CR LF (6 bytes).
inline constexpr std::string_view kMarkerA{"~!!\r\n\x02\x1b~A\r\n", 11};
inline constexpr std::string_view kMarkerB{"~!!\r\n", 5};
inline constexpr std::string_view kMarkerC{"\x02\x1b~A\r\n", 6};

enum class LeadInStart {
    kMarkerA, // the full first two lead-in lines: used as it is
    kMarkerB, // "~!!" CR LF without the second line: CR LF goes in front
    kMarkerC, // the second lead-in line alone: CR LF goes in front
    kNone,
};

// Which marker a text (ANSI bytes) begins with; A is tested before B.
LeadInStart ClassifyLeadIn(std::string_view bytes);

struct ReplyStartResult {
    bool accepted = false;
    std::string text;     // the reply to parse: as received, or with CR LF in front
    int droppedBytes = 0; // 1 when one stray leading byte was dropped
};

// The check a menu-settings reply (request kinds 0, 1, 2, 4) passes before it is parsed with
// fromOutside = 1, so that exactly two lines precede the settings: marker A is used as it is,
// marker B or C gets CR LF in front; otherwise the first byte is dropped once and the check
// repeated; a second miss refuses the reply (the caller shows "code : 32").
ReplyStartResult CheckReplyStart(std::string_view reply);

// The check a status reply passes before it is kept and decoded, judged as its form's decoder
// reads it: a flag string (form 0) needs a "Y" or "N" where the decoder looks for its first
// flag, host status strings (form 1) need the two STX the decoder looks for; bytes before them
// are kept, the decoders skip them. An error code (form 2) is read from the reply's first two
// bytes: one stray byte before the two digits is dropped, a second miss refuses the reply. The
// text is the reply as kept (nothing is put in front). An unknown form is refused.
ReplyStartResult CheckStatusReplyStart(std::string_view reply, int statusForm);

} // namespace qm

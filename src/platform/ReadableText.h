#pragma once

#include <string>
#include <string_view>

namespace qm {

// Text that came from a printer or a file, made safe to show on a terminal or in a log: every
// control character (C0, DEL, C1, the line and paragraph separators, the bidirectional
// overrides and isolates) is written as an escape ("\x1b", "\u0085", "\u202e"), and every byte
// that is not part of valid UTF-8 as "\xNN". Everything else, backslashes included, is kept as
// it is, so the result is valid UTF-8 without a control character.
std::string EscapeControls(std::string_view text);

// As EscapeControls, but a text of several lines stays so: each "\n" and each "\r\n" ends a
// line as it came; every other control character (a lone "\r" included) is escaped.
std::string EscapeControlsKeepingLines(std::string_view text);

} // namespace qm

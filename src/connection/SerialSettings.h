#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The line settings the operator chooses for a serial printer. Part of the stored interface
// settings (ini key COM_SET); applied to the port at every COM connect.
struct SerialSettings {
    uint32_t baudRate = 9600;   // 9600, 19200, 38400, 57600, 115200 (any number is carried)
    uint8_t dataBits = 8;       // 7 or 8
    uint8_t stopBits = 0;       // 0 one, 1 one and a half, 2 two
    uint8_t parity = 0;         // 0 None, 1 Odd, 2 Even, 3 Mark, 4 Space
    std::u16string flow = u"X"; // "H" hardware, "X" Xon/Xoff, anything else none

    bool operator==(const SerialSettings&) const = default;
};

// ---- Stored form (ini key COM_SET): "9600 8 1 N X" ----------------------------------------

// Builds the stored text: baud, data bits, stop bits ("1", "1.5", "2"), parity letter and the
// flow letter, separated by single blanks. Parity Mark and Space are written as "M" and "S" so
// the text always keeps its five fields (ReadComSet takes them back).
std::u16string FormatComSet(const SerialSettings& settings);

// Reads a stored COM_SET text into `settings`. The text is split at single blanks; unless that
// gives exactly five tokens nothing changes and the result is 0. Tokens 3 to 5 are mapped to
// half-width first, tokens 4 and 5 are then upper-cased. Each valid token is stored, an invalid
// one leaves its field unchanged:
//   1 baud: all decimal digits;   2 data bits: all decimal digits (kept as an 8-bit value);
//   3 stop: "1" 0, "1.5" 1, "2" 2; 4 parity: "N" 0, "O" 1, "E" 2 (and "M" 3, "S" 4);
//   5 flow: "H", "X" or "N".
// Returns 1 when the text had five tokens.
int ReadComSet(std::u16string_view text, SerialSettings& settings);

// ---- Description forms ----------------------------------------------------------------------

// "1", "1.5" or "2" for a stop-bits code (any code above 1 gives "2").
std::u16string_view StopBitsText(uint8_t code);
// "None", "Odd", "Even", "Mark" or "Space" (codes above 4 give "Space").
std::u16string_view ParityName(uint8_t code);
// "Hardware" for "H", "Xon/Xoff" for "X", else "None".
std::u16string_view FlowName(std::u16string_view flow);

// The five-field comma form: "9600, 8, 1, None, Xon/Xoff".
std::u16string FormatSerialFields(const SerialSettings& settings);

// The port description form shown for a print queue on a serial port: the port text with every
// ':' removed, then ", " and the five-field form: "COM1, 9600, 8, 1, None, None".
std::u16string FormatSerialDescription(std::u16string_view port, const SerialSettings& settings);

// Parses the five-field comma form (split at ", "). Only a text with exactly five fields is
// taken: baud and data bits as decimal numbers; stop "1" 0, "1.5" 1, anything else 2; parity
// "None" 0, "Odd" 1, "Even" 2, "Mark" 3, anything else 4; flow "Hardware" "H", "Xon/Xoff" "X",
// anything else "N". Returns 1 when taken, 0 (nothing changed) otherwise.
int ParseSerialSettings(std::u16string_view text, SerialSettings& settings);

// ---- COM Settings dialog rules ----------------------------------------------------------------

// The English rows of the dialog's five drop-down lists, in list order.
inline constexpr std::array<std::u16string_view, 5> kComBaudChoices = {u"9600", u"19200", u"38400",
                                                                       u"57600", u"115200"};
inline constexpr std::array<std::u16string_view, 2> kComDataBitsChoices = {u"7", u"8"};
inline constexpr std::array<std::u16string_view, 2> kComStopBitsChoices = {u"1", u"2"};
inline constexpr std::array<std::u16string_view, 3> kComParityChoices = {u"None", u"Odd", u"Even"};
inline constexpr std::array<std::u16string_view, 3> kComFlowChoices = {u"Xon/Xoff", u"Hardware",
                                                                       u"None"};

// Which row of each list the dialog selects when it opens.
struct ComDialogSelection {
    int baud = 0;     // 9600 0, 19200 1, 38400 2, 57600 3, any other value 4 ("115200")
    int dataBits = 1; // 7 -> 0, anything else 1 ("8")
    int stopBits = 0; // code 0 -> 0 ("1"), anything else 1 ("2")
    int parity = 0;   // 2 -> 2 ("Even"), 1 -> 1 ("Odd"), anything else 0 ("None")
    int flow = 0;     // "X" -> 0, "H" -> 1, anything else 2 ("None")
};
ComDialogSelection ComSelectionFromSettings(const SerialSettings& settings);

// The texts the five lists show when OK is pressed (in the current interface language).
struct ComDialogTexts {
    std::u16string baud;
    std::u16string dataBits;
    std::u16string stopBits;
    std::u16string parity;
    std::u16string flow;
};
// The current language's words the OK rule compares with.
struct ComDialogWords {
    std::u16string none = u"None";
    std::u16string odd = u"Odd";
    std::u16string hardware = u"Hardware";
    std::u16string xonXoff = u"Xon/Xoff";
};
// The OK rule: baud and data bits as decimal numbers (a text that is not a number gives 0, as
// the dialog's lists only hold numbers); stop 0 for "1", else 2; parity 0 for the language's
// "None", 1 for its "Odd", else 2; flow "H" for its "Hardware", "X" for its "Xon/Xoff", else
// "N". Cancel simply does not call this.
SerialSettings ComSettingsFromDialog(const ComDialogTexts& texts, const ComDialogWords& words);

} // namespace qm

#pragma once

#include <string>
#include <string_view>

namespace qm {

// The two texts the Self Information dialog shows, rearranged for reading from what the
// printer sent: its machine information and its current menu settings (lines of key, "\t:\t",
// value, "\r\n"). Pure functions; no text is cut, however long.
class SelfInfoText {
public:
    // From the first "GLOBAL CONFIG" on (the whole text when there is none), with an empty
    // line before the first "PRINT SPEED", "SENSOR LEVEL", "AUTOCONFIGURE" and "USB DEVICE
    // CLASS" (at the very start when one is missing), cut before the first "END\r\n".
    static std::u16string BuildMenuText(std::u16string_view menuSettingsText);

    // From the first "Model Number" on, cut before the first "END\r\n", with an empty line
    // before "Boot Version" and before "Print Counter" (at the very start when missing); the
    // "Head Check" line moves to the end, after the "PRINT SPEED", "PRINT METHOD", "MEDIA
    // SENSOR" and "FUNCTION SELECT" lines of menuText (built by BuildMenuText).
    static std::u16string BuildMachineText(std::u16string_view machineInfoText,
                                           std::u16string_view menuText);
};

} // namespace qm

#pragma once

#include <string>

namespace qm {

// The exchange block between the Easy page and the Standard page (and the Sensor Adjustment
// page): built for one transfer with every included flag 0 and discarded after it. A group's
// included flag is 1 when its tick box was ticked.
struct EasyBlock {
    int configSetIncluded = 0;
    int configSetIndex = 0;
    int mediaIncluded = 0;
    int mediaIndex = 0; // 0 gaps (SEE THROUGH), 1 black marks (REFLECT), 2 continuous (NONE)
    std::u16string paperLengthText;
    int paperLengthUnit = 0;
    int printMethodIncluded = 0;
    int printMethodIndex = 0; // 0 TT ("USE RIBBON"), 1 DT ("DIRECT THERMAL")
    int postPrintIncluded = 0;
    int postPrintIndex = 0; // Function Select index
    int startOffsetIncluded = 0;
    std::u16string startOffsetText;
    int startOffsetUnit = 0;
    int stopOffsetIncluded = 0;
    std::u16string stopOffsetText;
    int stopOffsetUnit = 0;
};

} // namespace qm

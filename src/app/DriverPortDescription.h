#pragma once

#include "connection/InterfaceSettingsSource.h"

#include <string>
#include <string_view>

namespace qm {

// What the main window takes from the port description of a driver queue (the text shown in
// static 121), split by the queue's port kind:
// - kPortCom (2): the address is the text before the first ", " (with ":" appended unless the
//   description begins with "KORVANE COM"); the text after it is the five-field serial settings
//   text ("9600, 8, 1, None, None");
// - kPortNet (5): a description that splits at ", " into exactly two parts gives the address and
//   the TCP port; any other description leaves both as they were;
// - any other kind: the whole description is the address.
struct DriverPortParts {
    bool hasAddress = false;
    std::u16string address;
    bool hasNumber = false;
    std::u16string number;
    bool hasSerialText = false;
    std::u16string serialText;
};

DriverPortParts SplitDriverPortDescription(int kind, std::u16string_view description);

// The part of a text before the first separator (the whole text when there is none).
std::u16string_view FieldBefore(std::u16string_view text, std::u16string_view separator);

} // namespace qm

#pragma once

#include "connection/SerialSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The parts of a CUPS device URI: "socket://192.168.1.5:9100", "serial:/dev/ttyS0?baud=9600",
// "usb://Maker/Model?serial=A1", "lpd://printer01:515/queue".
struct CupsDeviceUri {
    std::string scheme;  // lower case: "socket", "serial", ...
    std::string host;    // without the brackets of an IPv6 literal; empty without "//"
    std::string port;    // the port text as written; empty when absent
    std::string path;    // percent-decoded: "/dev/ttyS0", "/Model", "/queue"
    std::string options; // the text after "?", as written
};

// Splits a device URI; false when it has no scheme.
bool ParseCupsDeviceUri(std::string_view uri, CupsDeviceUri& parts);

// The value of one option of the "name=value" list after "?" (separated by "+" or "&"; names
// compared without case); nullopt when absent.
std::optional<std::string> CupsUriOption(std::string_view options, std::string_view name);

// The line settings the serial backend applies for the options of a "serial:" URI, taken in
// order as the backend does: baud=N; bits=7 (also even parity) or bits=8 (also no parity);
// parity=none|odd|even|mark (7 bits, 2 stop bits)|space (8 bits); stop=1|2;
// flow=none|soft|hard|rtscts|dtrdsr. Without options the port keeps its settings, which the
// description shows as 9600, 8, 1, None, None.
SerialSettings SerialSettingsFromCupsOptions(std::string_view options);

// True when two paths name the same device: equal texts, the same file after following links,
// or the same character device number.
bool SameDevice(const std::string& first, const std::string& second);

} // namespace qm

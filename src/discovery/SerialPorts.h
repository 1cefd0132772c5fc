#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The serial ports offered to the operator, as port names with their trailing colon ("COM1:",
// "COM33:"), in device-map order (COM1-32 = ttyS0-31, COM33-64 = ttyUSB0-31,
// COM65-96 = ttyACM0-31). A port is listed when its node exists below DevRoot() and the kernel
// shows it as hardware: SysfsPath("class/tty/NAME/device") exists and, for ttyS ports, the
// "type" attribute (SysfsPath("class/tty/NAME/type")) is not 0, which leaves out the
// placeholders of absent UARTs. Nothing found gives an empty list.
std::vector<std::u16string> ListSerialPorts();

// The device path a serial port opens and the window shows beside the name ("/dev/ttyS2" for
// "COM3:" or "KORVANE COM3:"); empty when the name is not a mapped COM port.
std::string SerialDevicePath(std::u16string_view portName);

// The description shown for a print queue on a serial port, from the port's current line
// settings: "COM1, 9600, 8, 1, None, None". For "KORVANE COMn:" the description starts with the
// full name (colon removed) and the port queried is "COMn"; for other names it starts with the
// name without its last character. When the port cannot be opened or read the result is only
// that start.
std::u16string DescribeSerialPort(std::u16string_view portName);

} // namespace qm

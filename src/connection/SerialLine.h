#pragma once

#include "connection/SerialSettings.h"

#include <termios.h>

namespace qm {

// Puts the settings into a termios block: speed (both directions; an unknown rate leaves the
// speed as it was), data bits (CS7/CS8), parity (PARENB, PARODD, and CMSPAR for Mark and Space
// where the system offers it; input parity checking INPCK exactly when parity is on), stop bits
// (CSTOPB for codes 1 and 2: termios has no one and a half), flow: "H" hardware (CRTSCTS on,
// IXON/IXOFF off), "X" (IXON and IXOFF on, CRTSCTS off), anything else all off. Also raw mode:
// no line editing, echo, character translation or output processing (binary), receiver on,
// modem status lines ignored (CLOCAL: no DSR/DCD sensitivity), DTR raised while the port is
// open (HUPCL), nulls and breaks kept as data (IGNBRK, IGNPAR, BRKINT off).
void MapLineSettings(const SerialSettings& settings, termios& tio);

// Reads the settings a termios block holds (the reverse of MapLineSettings): rate, data bits,
// stop bits (0 or 2), parity (0-4), flow "H" when CRTSCTS is on, else "X" when IXON and IXOFF
// are both on, else "N".
SerialSettings LineSettingsFromTermios(const termios& tio);

// At every COM connect, after the port is open: read the line settings of the open port `fd`,
// map them and write them back. 1 applied, 0 failed (no open port, a baud rate the system has
// no speed for, or the port refused). A socket standing in for the port has no line: 1.
int ApplyLineSettings(int fd, const SerialSettings& settings);

// The termios speed constant for a baud rate; B0 when the system has none for it.
speed_t BaudToSpeed(uint32_t baudRate);
// The baud rate of a termios speed constant; 0 when unknown.
uint32_t SpeedToBaud(speed_t speed);

} // namespace qm

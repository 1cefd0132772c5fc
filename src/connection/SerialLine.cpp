#include "connection/SerialLine.h"

#include <array>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

struct SpeedRow {
    uint32_t baud;
    speed_t speed;
};

constexpr std::array<SpeedRow, 24> kSpeeds = {{
    {50, B50},         {75, B75},         {110, B110},         {134, B134},
    {150, B150},       {200, B200},       {300, B300},         {600, B600},
    {1200, B1200},     {1800, B1800},     {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {2000000, B2000000},
}};

} // namespace

speed_t BaudToSpeed(uint32_t baudRate) {
    for (const SpeedRow& row : kSpeeds) {
        if (row.baud == baudRate) {
            return row.speed;
        }
    }
    return B0;
}

uint32_t SpeedToBaud(speed_t speed) {
    for (const SpeedRow& row : kSpeeds) {
        if (row.speed == speed) {
            return row.baud;
        }
    }
    return 0;
}

void MapLineSettings(const SerialSettings& settings, termios& tio) {
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXANY | IGNPAR | INPCK | IXON | IXOFF);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS
#ifdef CMSPAR
                                          | CMSPAR
#endif
    );
    tio.c_cflag |= CREAD | CLOCAL | HUPCL;
    switch (settings.dataBits) {
    case 5:
        tio.c_cflag |= CS5;
        break;
    case 6:
        tio.c_cflag |= CS6;
        break;
    case 7:
        tio.c_cflag |= CS7;
        break;
    default:
        tio.c_cflag |= CS8;
        break;
    }
    switch (settings.parity) {
    case 0:
        break;
    case 1:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        tio.c_cflag |= PARENB;
        break;
#ifdef CMSPAR
    case 3:
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    default:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
#else
    default:
        tio.c_cflag |= PARENB; // no stick parity on this system: even parity is the nearest
        break;
#endif
    }
    if (settings.parity != 0) {
        tio.c_iflag |= INPCK;
    }
    if (settings.stopBits != 0) {
        tio.c_cflag |= CSTOPB;
    }
    if (settings.flow == u"H") {
        tio.c_cflag |= CRTSCTS;
    } else if (settings.flow == u"X") {
        tio.c_iflag |= IXON | IXOFF;
    }
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    speed_t speed = BaudToSpeed(settings.baudRate);
    if (speed != B0) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
    }
}

SerialSettings LineSettingsFromTermios(const termios& tio) {
    SerialSettings settings;
    settings.baudRate = SpeedToBaud(cfgetospeed(&tio));
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        settings.dataBits = 5;
        break;
    case CS6:
        settings.dataBits = 6;
        break;
    case CS7:
        settings.dataBits = 7;
        break;
    default:
        settings.dataBits = 8;
        break;
    }
    settings.stopBits = (tio.c_cflag & CSTOPB) != 0 ? 2 : 0;
    settings.parity = 0;
    if ((tio.c_cflag & PARENB) != 0) {
        bool odd = (tio.c_cflag & PARODD) != 0;
#ifdef CMSPAR
        if ((tio.c_cflag & CMSPAR) != 0) {
            settings.parity = odd ? 3 : 4;
        } else
#endif
        {
            settings.parity = odd ? 1 : 2;
        }
    }
    if ((tio.c_cflag & CRTSCTS) != 0) {
        settings.flow = u"H";
    } else if ((tio.c_iflag & IXON) != 0 && (tio.c_iflag & IXOFF) != 0) {
        settings.flow = u"X";
    } else {
        settings.flow = u"N";
    }
    return settings;
}

int ApplyLineSettings(int fd, const SerialSettings& settings) {
    if (fd < 0) {
        return 0;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode)) {
        // A socket standing in for the port (printer simulator): no line to set.
        return 1;
    }
    if (BaudToSpeed(settings.baudRate) == B0) {
        // A rate the terminal interface cannot set would leave the line at some other speed.
        return 0;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        return 0;
    }
    MapLineSettings(settings, tio);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0 ? 1 : 0;
}

} // namespace qm

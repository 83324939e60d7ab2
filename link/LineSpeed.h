#pragma once

#include <termios.h>

namespace velmora {

// The termios constant of a line speed in bit/s; B0 for a speed the link
// does not offer.
inline speed_t TermiosSpeed(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    }
    return B0;
}

} // namespace velmora

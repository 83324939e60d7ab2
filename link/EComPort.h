#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// Codes of the link's failures; each has one fixed text (ComPortErrorText).
enum ComPortError {
    kErrOpen = 1,
    kErrWrite = 2,
    kErrRead = 3,
    kErrPurge = 5,
    kErrLineSettings = 7,
    kErrTimeouts = 8,
    kErrQueues = 9,
    kErrStatus = 10,
    kErrModemStatus = 11,
    kErrEscape = 12,
};

const char* ComPortErrorText(int code);

// A failure of the serial link. The message is the code's text, followed by
// the platform's reason in brackets when there is one, so that a user who
// may not open the device learns why ("Unable to open com port (Permission
// denied)").
class EComPort : public std::runtime_error {
public:
    EComPort(int code, int platformError);
    explicit EComPort(int code) : EComPort(code, -1) {}

    int code() const { return m_code; }
    int platformError() const { return m_platformError; }

private:
    int m_code;
    int m_platformError;
};

} // namespace velmora

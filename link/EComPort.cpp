#include "EComPort.h"

#include <cstring>

namespace velmora {

const char* ComPortErrorText(int code) {
    switch (code) {
    case kErrOpen:
        return "Unable to open com port";
    case kErrWrite:
        return "WriteFile function failed";
    case kErrRead:
        return "ReadFile function failed";
    case kErrPurge:
        return "PurgeComm function failed";
    case kErrLineSettings:
        return "SetCommState function failed";
    case kErrTimeouts:
        return "SetCommTimeouts failed";
    case kErrQueues:
        return "SetupComm function failed";
    case kErrStatus:
        return "ClearCommError function failed";
    case kErrModemStatus:
        return "GetCommModemStatus function failed";
    case kErrEscape:
        return "EscapeCommFunction function failed";
    }
    return "Unknown com port error";
}

namespace {

std::string Message(int code, int platformError) {
    std::string text = ComPortErrorText(code);
    if (platformError >= 0)
        text += std::string(" (") + std::strerror(platformError) + ")";
    return text;
}

} // namespace

EComPort::EComPort(int code, int platformError)
    : std::runtime_error(Message(code, platformError)), m_code(code), m_platformError(platformError) {}

} // namespace velmora

// The simulated phone's USSD: a few codes of an Indonesian network, answered
// as the network would, through a modem that takes text or packed septets.

#include "SimulatedPhone.h"

#include "FileIo.h"
#include "Primitives.h"
#include "Strings.h"
#include "Ussd.h"

#include <algorithm>
#include <fstream>

namespace velmora::phonesim {

namespace {

struct UssdReply {
    const char* code; // the code, or "*888#>1" for a reply in that code's menu
    int status;       // +CUSD <m>; -1: the network stays silent
    const char* text;
};

constexpr UssdReply kNetwork[] = {
    {"*123#", 0, "Sisa pulsa Anda Rp 12.500, aktif s/d 31-12-2026. Info: *123*1#"},
    {"*888#", 1, "1. Paket data\n2. Pulsa"},
    {"*888#>1", 0, "Paket data 2GB Rp 25.000 aktif 30 hari"},
    {"*888#>2", 0, "Sisa pulsa Anda Rp 12.500"},
    {"*555#", -1, ""},
};

bool IsHex(const std::string& s) {
    return !s.empty() && s.size() % 2 == 0 &&
           std::all_of(s.begin(), s.end(), [](char c) { return HexValue(c) >= 0; });
}

} // namespace

void SimulatedPhone::UssdAnswer(int status, const std::string& text, std::vector<Output>& out) {
    std::string line = "+CUSD: " + std::to_string(status);
    if (status <= 1) {
        std::string str = text;
        int dcs = 15;
        if (m_opt.ussdUcs2) {
            str.clear();
            for (char16_t u : Utf8ToUtf16(text))
                str += ByteToHex(u >> 8) + ByteToHex(u & 0xFF);
            dcs = 72;
        } else if (m_opt.ussdPacked) {
            str = PackUssd(Utf8ToUtf16(text)).value();
        }
        line += ",\"" + str + "\"," + std::to_string(dcs);
    }
    out.push_back(Output{"\r\n" + line + "\r\n", m_opt.ussdDelayMs, true});
}

void SimulatedPhone::UssdCommand(const std::string& line, std::vector<Output>& out) {
    if (!m_opt.ussdRecordFile.empty()) {
        std::ofstream record(m_opt.ussdRecordFile, std::ios::app);
        record << line << '\n';
    }
    const std::string cmd = Upper(line);
    if (cmd == "AT+CUSD?") {
        AnswerLines({"+CUSD: 1"}, "OK", out);
        return;
    }
    if (cmd == "AT+CUSD=2") {
        m_ussdMenu.clear();
        Answer("OK", out);
        return;
    }
    if (cmd == "AT+CUSD=1" || cmd == "AT+CUSD=0") {
        Answer("OK", out);
        return;
    }
    const auto open = line.find('"');
    const auto close = line.rfind('"');
    if (cmd.rfind("AT+CUSD=1,", 0) != 0 || open == std::string::npos || close == open) {
        Answer("ERROR", out);
        return;
    }
    std::string request = line.substr(open + 1, close - open - 1);
    if (m_opt.ussdPacked) {
        if (!IsHex(request)) {
            if (!m_opt.ussdGarbles) {
                Answer("+CME ERROR: 100", out);
                return;
            }
            Answer("OK", out);
            UssdAnswer(4, "", out);
            return;
        }
        request = Utf16ToUtf8(*UnpackUssd(request));
    }
    Answer("OK", out);
    const std::string key = m_ussdMenu.empty() ? request : m_ussdMenu + ">" + request;
    m_ussdMenu.clear();
    const auto found =
        std::find_if(std::begin(kNetwork), std::end(kNetwork), [&](const auto& r) { return key == r.code; });
    if (found == std::end(kNetwork)) {
        UssdAnswer(4, "", out);
        return;
    }
    if (found->status < 0)
        return;
    if (found->status == 1)
        m_ussdMenu = request;
    UssdAnswer(found->status, found->text, out);
}

} // namespace velmora::phonesim

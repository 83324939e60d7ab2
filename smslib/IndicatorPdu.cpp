#include "IndicatorPdu.h"

#include "Words.h"

#include "SmsSubmit.h"

namespace velmora {

Result<std::string> BuildVoidPDU(std::string_view number) {
    return FrameSubmit(number, false, Dcs::VoidMessage, 0, "");
}

Result<std::string> BuildIndicatorPDU(std::string_view number, int kind, bool active, bool group) {
    // Bits 7-4: 1100 discard / 1101 store; bit 3: active; bits 1-0: the kind.
    // The e-mail codes are the other way round from voicemail and fax.
    struct Codes {
        const char* inactive;
        const char* activeGroup;
        const char* activeNoGroup;
    };
    static constexpr Codes kCodes[] = {{"C0", "D8", "C8"}, {"C1", "D9", "C9"}, {"C2", "CA", "DA"}};
    if (kind < Voicemail || kind > Email)
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/IndicatorPdu",
                               "The indicator kind must be 1 (voicemail), 2 (fax) or 3 (e-mail), not %1"),
                 {std::to_string(kind)}));
    const Codes& c = kCodes[kind - 1];
    return FrameSubmit(number, false, !active ? c.inactive : group ? c.activeGroup : c.activeNoGroup, 0, "");
}

} // namespace velmora

#pragma once

// RTTTL text to the Smart Messaging ringtone bit stream (the "ringing tone
// programming" command sent to port 5505): the content BuildRingtonePDU frames.

#include "Result.h"
#include "SmsSubmit.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Beats per minute of the 5-bit tempo codes: the entry at index i has the
// code 31 - i. A tempo between two entries plays at the nearer one.
inline constexpr std::array<int, 32> kRingtoneTempos{900, 800, 715, 635, 565, 500, 450, 400, 355, 320, 285,
                                                     250, 225, 200, 180, 160, 140, 125, 112, 100, 90,  80,
                                                     70,  63,  56,  50,  45,  40,  35,  31,  28,  25};

// How many times `t` occurs in `s` without overlap; 0 for an empty `t`.
std::size_t CountOccurrences(std::string_view s, std::string_view t);

struct EncodedRingtone {
    std::string title;       // at most 15 characters, as written
    std::string titleOctets; // the title as the phone gets it: ISO-8859-1
    std::string tempoText;   // the "b=" value as written, empty when there is none
    std::string bits;        // bit text, a whole number of octets
};

// Never fails: text that is not RTTTL still gives a well-formed tune,
// possibly without notes.
EncodedRingtone EncodeRingtone(std::string_view rtttl);

// Where the encoder does not take a line as written.
struct RingtoneFault {
    std::size_t position = 0; // characters before it in the line (UTF-8 counted by character)
    std::string what;         // "\"h\" is not a note; it is left out"
};

// The first place where EncodeRingtone drops or changes what the line says
// (a token without a note, characters it passes over, a value it rounds or
// notes past the most a tune numbers), or nothing when it takes every part
// as written. The encoding itself stays as it is: this only names the place.
std::optional<RingtoneFault> FindRingtoneFault(std::string_view rtttl);
// "Character N: WHAT", counting from 1, as the RingTone tab and velmora-cli
// tone say it.
std::string RingtoneFaultText(const RingtoneFault& fault);

// The most ringtone content one message carries: the user data less the
// port header in front of it (7 octets).
inline constexpr std::size_t kMaxRingtoneOctets = kMaxUserDataOctets - 7;

// A tune measured against one message.
struct RingtoneFit {
    int notes = 0;       // notes and pauses in the tune
    int fitting = 0;     // how many of the first ones fit one message
    std::string content; // hex content of the tune cut after `fitting` notes,
                         // its instruction count saying so; the whole tune's
                         // content when every note fits
};

// Cuts at a note boundary, never inside one; the title and tempo stay.
RingtoneFit FitRingtone(std::string_view rtttl);
// Whether every note of the tune fits one message.
bool RingtoneFits(std::string_view rtttl);

struct RingtoneFile {
    std::string rtttl; // the first line of the file
    std::string title;
    std::string tempoText;
    std::string content; // hex content
};

// What a first line of RTTTL gives; ReadRingtoneFile's core.
RingtoneFile RingtoneFromLine(std::string_view line);
Result<RingtoneFile> ReadRingtoneFile(const std::string& path);

} // namespace velmora

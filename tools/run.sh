#!/bin/sh
# Sets up and builds Velmora, then shows it at work: the PDU of one message
# of each kind, as the encoder writes it for the phone.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
cli=build/release/bin/velmora-cli
n=+628569999999
show() {
    printf '%s\n' "$1"
    shift
    "$cli" pdu "$@" | sed 's/^/    /'
}
show "Text \"Hello from Velmora\":" text "$n" "Hello from Velmora"
show "Blinking flash message:" text --flash --blink "$n" "Look at me"
show "Operator logo (MCC 510, NC 10):" logo --mcc 510 --nc 10 "$n" "$(printf '%0252d' 0 | tr 0 F)"
show "Group graphic:" group "$n" "$(printf '%0252d' 0 | tr 0 A)"
show "Picture message, three parts:" picture "$n" "$(printf '%0504d' 0 | tr 0 5)"
show "Ringtone:" ringtone "$n" 024A3A
show "EMS with an animation and a sound:" ems "$n" "Hi[#ANI01] there[#SND03]"
show "Void message:" void "$n"
show "Voicemail waiting:" indicator --kind voicemail --active "$n"

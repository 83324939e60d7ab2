#!/bin/sh
# Sets up and builds Velmora, starts the simulated phone and opens the window
# on it: Velmora connects, reads the phone's identity and is ready to send.
# Closing the window stops the simulated phone. Without a display it shows
# Velmora at work from the command line instead: the phone's identity, one
# message of each kind sent, and the SIM phone book read back.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
mkdir -p build
log=build/run-build.log
echo "Building Velmora (log in $log) ..."
if ! tools/build-release.sh velmora velmora-cli velmora-phonesim >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    exit 1
fi
bin=build/release/bin

phone=$(mktemp -u "${TMPDIR:-/tmp}/velmora-phone.XXXXXX")
received=build/release/received-pdus.txt
"$bin/velmora-phonesim" --link "$phone" --phonebook tools/demo/phonebook.txt --inbox tools/demo/inbox.txt \
    --record "$received" >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null; rm -f "$phone"' EXIT
trap 'exit 130' INT TERM HUP PIPE
tries=0
until [ -e "$phone" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || { echo "the simulated phone did not start" >&2; exit 1; }
    sleep 0.1
done

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Simulated phone on $phone; Velmora connects to it as COM1."
    echo "Type a number such as 628569999999 and a text, then press Send Via SMS."
    echo "What the phone receives is kept in $received."
    echo "Communication > Inbox shows the messages on its SIM: texts, a logo, a picture, a tune."
    "$bin/velmora" --device "COM1=$phone"
    exit 0
fi

echo "No display found (DISPLAY is not set): showing Velmora from the command line."
cli="$bin/velmora-cli"
n=+628569999999
echo "Simulated phone on $phone"
echo
"$cli" identify --device "$phone"
send() {
    printf '\n%s\n' "$1"
    shift
    "$cli" pdu "$@" | sed 's/^/    PDU /'
    "$cli" send --device "$phone" "$@" | sed 's/^/    /'
}
send "Text message:" text "$n" "Hello from Velmora @ home"
send "Blinking flash message:" text --flash --blink "$n" "Look at me"
send "Operator logo (MCC 510, NC 10):" logo --mcc 510 --nc 10 "$n" "$(printf '%0252d' 0 | tr 0 F)"
send "Picture message, three parts:" picture "$n" "$(printf '%0504d' 0 | tr 0 5)"
send "Ringtone from tools/demo/velmora.rtttl:" ringtone "$n" --file tools/demo/velmora.rtttl
send "EMS with an animation and a sound:" ems "$n" "Hi[#ANI01] there[#SND03]"
send "Voicemail waiting:" indicator --kind voicemail --active "$n"
printf '\nMessages on the SIM (velmora-cli inbox), the oldest:\n'
"$cli" inbox --device "$phone" | sed -n '1,/^$/p;' | sed 's/^/    /'
printf '\nSIM phone book:\n'
"$cli" phonebook --device "$phone" | sed 's/^/    /'
printf '\nThe phone received %s PDUs (%s); the transmit log is %s.\n' \
    "$(wc -l <"$received")" "$received" "$bin/Tr_smsn.Txt"

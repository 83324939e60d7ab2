#!/bin/bash
# Prints velmorad's figures at real time, from the programs in BIN (default
# build/release/bin), each modem a velmora-phonesim on a pseudo-terminal:
#  - idle: four connected modems, nothing to send, for IDLE_SECONDS (60):
#    the share of one core it used and its resident memory;
#  - pulled: a batch of PULL_MESSAGES (30) over two modems that take 1 s a
#    message; one is pulled out mid-batch and plugged back 3 s later on
#    another pseudo-terminal behind the same link, as a by-id link stays
#    while ttyUSB1 becomes ttyUSB3: how long from its return to its next
#    message, and how many messages the phones got, none or twice;
#  - one text: a fresh velmora-cli sending one text through the centre in
#    the fast dialogue, its store committed.
# A measurement, not a test: it fails only when something did not run.
set -eu
cd "$(dirname "$0")/.."
BIN=${BIN:-build/release/bin}
BIN=$(cd "$BIN" && pwd)
IDLE_SECONDS=${IDLE_SECONDS:-60}
PULL_MESSAGES=${PULL_MESSAGES:-30}
work=$(mktemp -d)
export VELMORA_DIR=$work
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

sim() { # NAME IMEI ARGS...
    local name=$1 imei=$2
    shift 2
    "$BIN/velmora-phonesim" --link "$work/$name" --imei "$imei" "$@" >"$work/$name.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$work/$name" ] && return; sleep 0.1; done
    echo "daemon-figures: the simulated modem $name did not start" >&2
    exit 1
}
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
count() { [ -f "$1" ] && wc -l <"$1" || echo 0; }

# ---- idle
conf=$work/idle.conf
printf '[Store]\nPath=%s/idle.sqlite\n' "$work" >"$conf"
for m in 1 2 3 4; do
    sim "idle$m" "35693803564380$m"
    printf '\n[Modem idle%d]\nDevice=%s/idle%d\n' "$m" "$work" "$m" >>"$conf"
done
"$BIN/velmorad" --config "$conf" 2>"$work/idle.err" &
daemon=$!
sleep 10 # connected, the first reads done
t0=$(ticks $daemon)
sleep "$IDLE_SECONDS"
t1=$(ticks $daemon)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$daemon/status")
kill -TERM $daemon
wait $daemon
hz=$(getconf CLK_TCK)
awk -v t=$((t1 - t0)) -v hz="$hz" -v s="$IDLE_SECONDS" -v rss="$rss" 'BEGIN {
    printf "velmorad, four idle modems for %d s: %.2f%% of a core, %.1f MB resident\n", s, 100 * t / hz / s, rss / 1024 }'
for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
pids=()

# ---- pulled and plugged back
conf=$work/pull.conf
store=$work/pull.sqlite
printf '[Store]\nPath=%s\n\n[Modem a]\nDevice=%s/a\n\n[Modem b]\nDevice=%s/b\n' "$store" "$work" "$work" >"$conf"
sim a 356938035643809 --replug-link "$work/a" --network-delay 1000 --record "$work/a.pdus"
pulled=${pids[-1]}
sim b 356938035643817 --network-delay 1000 --record "$work/b.pdus"
"$BIN/velmorad" --config "$conf" 2>"$work/pull.err" &
daemon=$!
pids+=($daemon)
sleep 2
{
    echo Name,Phone
    for i in $(seq "$PULL_MESSAGES"); do printf 'P%d,081234567%03d\n' "$i" "$i"; done
} >"$work/list.csv"
"$BIN/velmora-cli" send --queue --store "$store" --to-file "$work/list.csv" text "Hi {Name}" >/dev/null
sleep 4
was=$(readlink "$work/a")
kill -USR1 "$pulled"
sleep 0.5
sim filler 356938035643833 # takes the freed pseudo-terminal: the modem comes back on another
sleep 2.5
before=$(count "$work/a.pdus")
kill -USR2 "$pulled"
start=$(date +%s%N)
back=""
for _ in $(seq 300); do
    if [ "$(count "$work/a.pdus")" -gt "$before" ]; then
        back=$((($(date +%s%N) - start) / 1000000))
        break
    fi
    sleep 0.05
done
for _ in $(seq 120); do
    "$BIN/velmora-cli" queue list --store "$store" | grep -q 'queued\|sending' || break
    sleep 1
done
a=$(count "$work/a.pdus")
b=$(count "$work/b.pdus")
twice=$(sort "$work/a.pdus" "$work/b.pdus" | uniq -d | wc -l)
uncertain=$("$BIN/velmora-cli" history --store "$store" --state uncertain --csv | tail -n +2 | wc -l)
echo "a modem pulled mid-batch and plugged back as $(readlink "$work/a") (was $was): its next message ${back:-never} ms after its return"
echo "  $PULL_MESSAGES queued: the phones got $((a + b)) ($a and $b), $twice twice; uncertain: $uncertain"
kill -TERM $daemon
wait $daemon || true

# ---- one text from a fresh velmora-cli
sim one 356938035643825
start=$(date +%s%N)
"$BIN/velmora-cli" send --fast --device "$work/one" --store "$work/one.sqlite" text 081234567890 "One text" >/dev/null
echo "one text through the centre from a fresh velmora-cli: $((($(date +%s%N) - start) / 1000000)) ms"

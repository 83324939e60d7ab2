#!/bin/sh
# Sets up, builds and prints Velmora's figures from the Release tree
# build/release on this machine, at real time: the builders' benchmarks
# (velmora_bench), the message store's on 100,000 messages (velmora_store_bench:
# a committed state change, importing a received log, a search keystroke,
# the file's size), the link's wall time beside its sleeps and the CPU cost of
# an idle connected session (link_figures), the window's start and its
# longest stalls while it connects, sends and reads the operator list
# (ui_figures) and while it reads a 250-entry phone book (ui_phonebook_figures,
# about 80 s), and while the Picture Editor's threshold slider crosses its
# range on a converted photo (ui_picture_figures), and the Messages window and
# velmora-cli history on 100,000 messages (ui_messages_figures), and while
# 1,000 typed recipients are queued (ui_batch_figures), the messages an hour
# through one simulated modem and four (velmora_centre_bench), velmorad's
# D-Bus SendText answer and StateChanged after the commit (velmora_bus_bench),
# the messages a second the HTTP gateway takes into the queue
# (velmora_http_bench), a received message's webhook on loopback
# (velmora_webhook_bench), and velmorad's
# idle cost, a pulled modem's return and one text from a fresh velmora-cli
# (tools/daemon-figures.sh). Figures are
# measurements, not tests: tools/test.sh leaves them out. The window figures
# check loose limits by default; to check the targets, set them:
#   VELMORA_START_LIMIT_MS=300 VELMORA_STALL_LIMIT_MS=16 tools/figures.sh
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build-release.sh velmora_bench velmora_store_bench link_figures ui_figures ui_phonebook_figures \
    ui_fast_figures ui_inbox_figures ui_picture_figures ui_messages_figures ui_batch_figures \
    velmora_centre_bench velmora_bus_bench velmora_http_bench velmora_webhook_bench velmora_claim_bench velmorad velmora-cli \
    velmora-phonesim
export QT_QPA_PLATFORM=offscreen
bin=build/release/bin
status=0
"$bin/velmora_bench" || status=1
"$bin/velmora_store_bench" || status=1
for program in link_figures ui_figures ui_fast_figures ui_inbox_figures ui_picture_figures ui_messages_figures \
    ui_batch_figures ui_phonebook_figures; do
    printf '\n%s\n' "$program"
    "$bin/$program" || status=1
done
printf '\nvelmora_centre_bench\n'
"$bin/velmora_centre_bench" || status=1
printf '\nvelmora_bus_bench\n'
"$bin/velmora_bus_bench" || status=1
printf '\nvelmora_http_bench\n'
"$bin/velmora_http_bench" || status=1
printf '\nvelmora_webhook_bench\n'
"$bin/velmora_webhook_bench" || status=1
# The store on a PostgreSQL server whose commits wait for the disk: a
# claim while two programs take from one batch, and HTTP intake into it.
pg=/tmp/velmora-pg-figures.$$
if url=$(VELMORA_PG_DURABLE=1 tools/pg-test-server.sh start "$pg"); then
    printf '\nvelmora_claim_bench (PostgreSQL)\n'
    VELMORA_BENCH_STORE="$url?schema=claim" "$bin/velmora_claim_bench" || status=1
    printf '\nvelmora_http_bench (PostgreSQL)\n'
    VELMORA_BENCH_STORE="$url?schema=http" "$bin/velmora_http_bench" || status=1
    tools/pg-test-server.sh stop "$pg"
else
    status=1
fi
printf '\nvelmora_claim_bench (SQLite)\n'
"$bin/velmora_claim_bench" || status=1
printf '\ndaemon-figures\n'
BIN=$bin tools/daemon-figures.sh || status=1
exit $status

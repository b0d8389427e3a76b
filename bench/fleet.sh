#!/usr/bin/env bash
# Fleet programming on 8 ports at once: radiocps-cli fleet writes one radio on each of 8 virtual radios at
# 9600 baud, 128 and then 256 blocks (no read-back, so that each port's block phase is one write). For each port: the block phase's
# elapsed time against the wire time of the bytes it exchanged (goal <= 1.05); for the whole run: the CLI's
# CPU time as a share of its elapsed time, that is of one core (goal < 20 %).
# usage: fleet.sh [SIM] [CLI] [DATA_DIR] [PORTS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/bench_lib.sh"
sim="${1:-$here/../build/bin/radiocps-sim}"
cli="${2:-$here/../build/bin/radiocps-cli}"
data="${3:-$here/../data}"
ports="${4:-8}"
config="$data/Sfc.ini"
baud=9600
require_programs "$sim" "$cli"

tmp="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
export RADIOCPS_BACKUP_DIR="$tmp/backups"

# run_fleet LABEL SAMPLE BLOCKS
run_fleet() {
  local label="$1" sample="$2" blocks="$3"
  local devices=() i dev rc=0
  rm -f "$tmp"/stats* "$tmp"/sim*.out
  for i in $(seq "$ports"); do
    "$sim" --baud "$baud" --blocks "$blocks" --stats "$tmp/stats$i" >"$tmp/sim$i.out" 2>"$tmp/sim$i.err" &
    pids+=($!)
  done
  for i in $(seq "$ports"); do
    dev="$(sim_device "$tmp/sim$i.out")"
    [ -n "$dev" ] || { echo "radiocps-sim $i printed no device" >&2; exit 1; }
    devices+=(--port "$dev")
  done
  TIMEFORMAT='%3R %3U %3S'
  { time "$cli" fleet "$sample" "${devices[@]}" --count "$ports" --no-verify --config "$config" \
      >"$tmp/cli.out" 2>"$tmp/cli.err"; } 2>"$tmp/time" || rc=$?
  for p in "${pids[@]}"; do kill -TERM "$p"; done
  for p in "${pids[@]}"; do wait "$p" || true; done
  pids=()
  if [ "$rc" -ne 0 ]; then
    echo "$label: radiocps-cli fleet failed ($rc):" >&2
    cat "$tmp/cli.err" >&2
    exit 1
  fi
  local real user sys
  read -r real user sys <"$tmp/time"
  echo "$label"
  for i in $(seq "$ports"); do
    stat_value() { sed -n "s/^$1=//p" "$tmp/stats$i"; }
    local written
    written=$(stat_value blocks_written)
    [ "$written" -eq "$blocks" ] || { echo "port $i: the radio stored $written blocks, expected $blocks" >&2; exit 1; }
    awk -v i="$i" -v e="$(stat_value block_elapsed_ns)" -v w="$(stat_value block_wire_ns)" 'BEGIN {
      ratio = e / w
      printf "  port %d  block phase %.3f x wire (%.2f s for %.2f s of wire) %s\n", i, ratio, e / 1e9, w / 1e9,
        (ratio <= 1.05 ? "ok" : "OVER 1.05")
    }'
  done
  awk -v r="$real" -v u="$user" -v s="$sys" 'BEGIN {
    cpu = 100 * (u + s) / r
    printf "  whole run %.2f s, CLI CPU %.2f s = %.2f %% of one core %s\n", r, u + s, cpu, (cpu < 20 ? "ok" : "OVER 20 %")
  }'
}

echo "radiocps fleet benchmark: $ports ports at $baud baud at once, one write on each"
echo "goals: each port's block phase <= 1.05 x its wire time, the CLI under 20 % of one core"
run_fleet "write 128 blocks on each port" "$data/samples/demo-16.qfd" 128
run_fleet "write 256 blocks on each port" "$data/samples/rc996-99.qfd" 256

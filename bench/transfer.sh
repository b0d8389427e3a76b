#!/usr/bin/env bash
# Full reads and writes of 128 and 256 blocks between radiocps-cli and radiocps-sim at 9600 baud.
# For each: the block phase's elapsed time against the wire time of the bytes it exchanged (goal <= 1.05),
# and the CLI's CPU time as a share of its elapsed time (goal <= 5 %).
# usage: transfer.sh [SIM] [CLI] [DATA_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/bench_lib.sh"
sim="${1:-$here/../build/bin/radiocps-sim}"
cli="${2:-$here/../build/bin/radiocps-cli}"
data="${3:-$here/../data}"
samples="$data/samples"
config="$data/Sfc.ini"
baud=9600
require_programs "$sim" "$cli"
[ -f "$config" ] || { echo "missing $config" >&2; exit 1; }

tmp="$(mktemp -d)"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
# Each transfer leaves a backup; the benchmark's go with the rest of its files.
export RADIOCPS_BACKUP_DIR="$tmp/backups"

stat_value() { sed -n "s/^$1=//p" "$tmp/stats"; }

# run_case LABEL BLOCKS SIM_ARGS... -- CLI_ARGS...  (DEV in CLI_ARGS is replaced by the device)
run_case() {
  local label="$1" blocks="$2"
  shift 2
  local sim_args=() cli_args=()
  while [ "$1" != "--" ]; do sim_args+=("$1"); shift; done
  shift
  cli_args=("$@")
  rm -f "$tmp/stats" "$tmp/sim.out"
  "$sim" --baud "$baud" --stats "$tmp/stats" "${sim_args[@]}" >"$tmp/sim.out" 2>"$tmp/sim.err" &
  sim_pid=$!
  local dev
  dev="$(sim_device "$tmp/sim.out")"
  [ -n "$dev" ] || { echo "$label: radiocps-sim printed no device" >&2; cat "$tmp/sim.err" >&2; exit 1; }
  local args=()
  for a in "${cli_args[@]}"; do if [ "$a" = DEV ]; then args+=("$dev"); else args+=("$a"); fi; done
  local rc=0
  TIMEFORMAT='%3R %3U %3S'
  { time "$cli" "${args[@]}" >"$tmp/cli.out" 2>"$tmp/cli.err"; } 2>"$tmp/time" || rc=$?
  kill -TERM "$sim_pid"
  wait "$sim_pid" || true
  sim_pid=""
  if [ "$rc" -ne 0 ]; then
    echo "$label: radiocps-cli failed ($rc):" >&2
    cat "$tmp/cli.err" >&2
    exit 1
  fi
  read -r real user sys <"$tmp/time"
  local served elapsed wire in out
  served=$(( $(stat_value blocks_read) + $(stat_value blocks_written) ))
  elapsed=$(stat_value block_elapsed_ns)
  wire=$(stat_value block_wire_ns)
  in=$(stat_value bytes_in)
  out=$(stat_value bytes_out)
  if [ "$served" -ne "$blocks" ]; then
    echo "$label: the radio served $served blocks, expected $blocks" >&2
    exit 1
  fi
  awk -v label="$label" -v e="$elapsed" -v w="$wire" -v r="$real" -v u="$user" -v s="$sys" \
      -v bytes="$((in + out))" -v baud="$baud" 'BEGIN {
    ratio = e / w; cpu = 100 * (u + s) / r
    printf "%-16s block phase %.3f x wire (%.2f s for %.2f s of wire) %s | whole run %.2f s, %.2f x wire | CLI CPU %.2f %% %s\n",
      label, ratio, e / 1e9, w / 1e9, (ratio <= 1.05 ? "ok" : "OVER 1.05"),
      r, r / (bytes * 10 / baud), cpu, (cpu <= 5 ? "ok" : "OVER 5 %")
  }'
}

echo "radiocps transfer benchmark, $baud baud, 10 bits a byte"
echo "goals: block phase <= 1.05 x wire time, CLI CPU <= 5 % of its elapsed time"
run_case "read 128 blocks" 128 --image "$samples/demo-16.qfd" -- \
  read --port DEV --out "$tmp/read.qfd" --config "$config"
run_case "read 256 blocks" 256 --image "$samples/rc996-99.qfd" -- \
  read --port DEV --out "$tmp/read.qfd" --config "$config"
run_case "write 128 blocks" 128 --blocks 128 -- write --port DEV "$samples/demo-16.qfd" --config "$config"
run_case "write 256 blocks" 256 --blocks 256 -- write --port DEV "$samples/rc996-99.qfd" --config "$config"

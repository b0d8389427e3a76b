#!/usr/bin/env bash
# How long a fresh clone takes to build, with ccache cold (disabled): configure + the three programs (what
# scripts/run waits for before the window opens; goal <= 3 min on a 2-core machine), then the rest of the
# build + every test (what scripts/test adds; goal for the whole of scripts/test <= 6 min).
# usage: bench/build-time.sh [REPO]   (default: this checkout's committed HEAD). Other builds on the
# machine at the same time inflate the figures.
set -euo pipefail
repo="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export CCACHE_DISABLE=1 QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

git clone --quiet "$repo" "$tmp/src"
cd "$tmp/src"
seconds() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { s = b - a; printf "%d:%04.1f", s / 60, s - 60 * int(s / 60) }'; }

t0=$(seconds)
cmake --preset default >"$tmp/configure.log"
cmake --build --preset default -j"$jobs" --target radiocps_programs >"$tmp/programs.log"
t1=$(seconds)
cmake --build --preset default -j"$jobs" >"$tmp/all.log"
t2=$(seconds)
ctest --preset default -j"$jobs" >"$tmp/ctest.log" 2>&1 || { tail -30 "$tmp/ctest.log"; exit 1; }
t3=$(seconds)

echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg) on $jobs cores"
echo "configure + programs (scripts/run):  $(elapsed "$t0" "$t1")"
echo "rest of the build:                   $(elapsed "$t1" "$t2")"
echo "ctest:                               $(elapsed "$t2" "$t3")"
echo "whole of scripts/test:               $(elapsed "$t0" "$t3")"
grep -E 'tests passed|tests failed' "$tmp/ctest.log" || true

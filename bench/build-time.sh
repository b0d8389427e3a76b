#!/usr/bin/env bash
# How long a fresh clone takes to build, with ccache cold (disabled): configure + the three programs (what
# scripts/run waits for before the window opens; goal <= 3 min on a 2-core machine), then the rest of the
# build + every test (what scripts/test adds; goal for the whole of scripts/test <= 6 min).
# Besides the elapsed time each phase prints its CPU time (user + system) divided by the cores: what the
# phase would take on a machine of its own, since other builds at the same time inflate the elapsed time.
# usage: bench/build-time.sh [REPO]   (default: this checkout's committed HEAD)
set -euo pipefail
repo="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export CCACHE_DISABLE=1 QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (package time)" >&2; exit 1; }

git clone --quiet "$repo" "$tmp/src"
cd "$tmp/src"

# phase NAME COMMAND...: runs it, output to $tmp/NAME.log, and records elapsed, user and system seconds.
phase() {
  local name="$1"
  shift
  /usr/bin/time -f "%e %U %S" -o "$tmp/$name.time" "$@" >"$tmp/$name.log" 2>&1 ||
    { tail -30 "$tmp/$name.log"; exit 1; }
}
report() { # report LABEL NAME...: the phases' sums
  local files=()
  for n in "${@:2}"; do files+=("$tmp/$n.time"); done
  cat "${files[@]}" | awk -v label="$1" -v cores="$jobs" '
    { e += $1; c += $2 + $3 }
    END { printf "%-38s %2d:%04.1f elapsed   %2d:%04.1f CPU / %d cores\n", label, e / 60, e % 60,
          c / cores / 60, (c / cores) % 60, cores }'
}

phase configure cmake --preset default
phase programs cmake --build --preset default -j"$jobs" --target radiocps_programs
phase rest cmake --build --preset default -j"$jobs"
phase ctest ctest --preset default -j"$jobs"

echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg) on $jobs cores"
report "configure + programs (scripts/run)" configure programs
report "rest of the build" rest
report "ctest" ctest
report "whole of scripts/test" configure programs rest ctest
grep -E 'tests passed|tests failed' "$tmp/ctest.log" || true

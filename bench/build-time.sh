#!/usr/bin/env bash
# How long a fresh clone takes to build, with ccache cold (disabled): configure + the three programs (what
# scripts/run waits for before the window opens; goal <= 3 min on a 2-core machine), then the rest of the
# build + every test (what scripts/test adds; goal for the whole of scripts/test <= 6 min).
# Besides the elapsed time each build phase prints its CPU time (user + system) divided by the cores: about
# what it would take on a machine of its own, since other builds at the same time inflate the elapsed time.
# The tests mostly wait on timers and pseudo-terminals, so their elapsed time is what counts.
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
phase ctest ctest --preset default -j"$((jobs * 2))" # as scripts/test runs them

echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg) on $jobs cores"
report "configure + programs (scripts/run)" configure programs
report "rest of the build" rest
report "ctest (elapsed is what counts)" ctest
report "scripts/test's build" configure programs rest
awk -v cores="$jobs" '
  FILENAME ~ /ctest/ { t += $1; next } { t += ($2 + $3) / cores }
  END { printf "whole of scripts/test, build CPU / cores + ctest elapsed: %d:%04.1f\n", t / 60, t % 60 }' \
  "$tmp/configure.time" "$tmp/programs.time" "$tmp/rest.time" "$tmp/ctest.time"
grep -E 'tests passed|tests failed' "$tmp/ctest.log" || true

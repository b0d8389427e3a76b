# Shared by the benchmark scripts (sourced, not run).

# require_programs FILE...: each must be an executable, else the script stops naming it.
require_programs() {
  local f
  for f in "$@"; do
    [ -x "$f" ] || { echo "missing $f (build the radiocps-sim and radiocps-cli targets)" >&2; exit 1; }
  done
}

# sim_device OUT: the device path a radiocps-sim prints as the first line of OUT, waited for up to 5 s;
# empty when none came.
sim_device() {
  local dev="" _
  for _ in $(seq 100); do
    dev="$(head -n1 "$1" 2>/dev/null || true)"
    [ -n "$dev" ] && break
    sleep 0.05
  done
  printf '%s' "$dev"
}

# Shared helpers of the end-to-end tests: a private Xvfb display, a scratch directory
# with a data/ folder, and checks that print what went wrong.
# Usage in a test: source common.sh "$@"   (arguments: BINARY SOURCE_DIR)
set -u
binary=$1
source_dir=$2
scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
  local fd_file=$scratch/display
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$fd_file" 2>"$scratch/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
  export DISPLAY=:$(cat "$fd_file")
}

# A working directory whose data/ is a copy of the generated data.
make_workdir() {
  local dir=$scratch/$1
  mkdir -p "$dir"
  cp -r "$source_dir/data" "$dir/data"
  echo "$dir"
}

# Waits up to $2 seconds for a window named $1; prints its id.
wait_window() {
  local id=
  for _ in $(seq $(( $2 * 10 ))); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

# Waits up to $2 seconds for process $1 (a child of this shell) to end and sets
# exit_status to its status, or to "timeout" after killing it. SIGKILL: SDL turns SIGTERM
# into a quit event, which the demo ignores, so a plain kill would leave the wait hanging.
wait_exit() {
  exit_status=timeout
  for _ in $(seq $(( $2 * 10 ))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      exit_status=$?
      return
    fi
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

# Starts the demo in a window on a fresh Xvfb display from a copy of the data, with the
# audio driver $2 (extra environment assignments may follow), and waits for its window.
# Sets pid and id; the demo's output goes to $scratch/out and $scratch/err.
launch_demo() {   # launch_demo NAME AUDIO_DRIVER [VAR=VALUE...]
  local name=$1 driver=$2
  shift 2
  start_xvfb
  cd "$(make_workdir "$name")" || fail "no work directory"
  env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER="$driver" "$@" "$binary" -w \
    > "$scratch/out" 2> "$scratch/err" &
  pid=$!
  id=$(wait_window Veskarra 20)
  [ -n "$id" ] || fail "no window named Veskarra; stderr: $(cat "$scratch/err")"
}

#!/usr/bin/env bash
# Builds the demo and its benchmarks, then prints every figure of BENCHMARKS.md: start-up,
# the frame iteration of each scene, presentation beside the memcpy floor, the replayer and
# mixer against real time, instruction counts under callgrind, and peak resident memory
# (of the benchmark's run and of the real demo under Xvfb).
# Usage: scripts/bench.sh [--quick]   (--quick: fewer repetitions, callgrind at 10 fps)
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
[ "${1:-}" = "--quick" ] && quick=1
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target veskarra veskarra-bench data > /dev/null
bench=build/bench/veskarra-bench
runs=5; count_fps=20
[ "$quick" = 1 ] && { runs=2; count_fps=10; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
$bench startup $((runs + 2))
echo
$bench scenes "$runs" 60
echo
$bench present 500
echo
$bench music "$runs"
echo

# Instruction counts: the whole demo at $count_fps fps with collection on only around each
# frame iteration, one dump per scene; then presentation, memcpy and ten seconds of music.
scratch=$(mktemp -d)
xvfb_pid=
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$scratch/cg.out" \
  $bench count "$count_fps" > "$scratch/counts" 2> "$scratch/valgrind.log"
echo "instructions (callgrind, whole demo at $count_fps fps; per frame iteration without SDL)"
for dump in "$scratch"/cg.out.*; do
  name=$(sed -n 's/^desc: Trigger: Client Request: //p' "$dump")
  total=$(sed -n 's/^totals: //p' "$dump")
  echo "$name $total"
done | awk -v counts="$scratch/counts" '
  BEGIN { while ((getline line < counts) > 0) { split(line, f, " ");
            if (f[1] == "frames") frames[f[2]] = f[3];
            if (f[1] == "seconds") seconds = f[3]; } }
  { total[$1] = $2 }
  END {
    n = split("parallax fireworks greetings rects morph model walkers closing", order, " ");
    printf "  %-10s %7s %14s\n", "scene", "frames", "instr/frame";
    for (i = 1; i <= n; i++) { s = order[i];
      printf "  %-10s %7d %14.0f\n", s, frames[s], total[s] / frames[s] }
    printf "  %-36s %14.0f\n", "swap_pixel_bytes + scale_2x", total["present_swapped"] / frames["present_swapped"];
    printf "  %-36s %14.0f\n", "scale_2x alone", total["present"] / frames["present"];
    printf "  %-36s %14.0f\n", "memcpy of 1228800 bytes", total["memcpy"] / frames["memcpy"];
    printf "  %-36s %14.0f\n", "music: per second of sound", total["music"] / seconds;
  }'
echo

# Peak resident memory of the real demo: a window under Xvfb with SDL's dummy audio
# driver, read from /proc after 8 seconds of frames (start-up allocates everything).
# Measured as the demo starts by default, and with SDL asked for its software renderer:
# by default the SDL 1.2 layer draws through OpenGL, which under Xvfb maps the software
# OpenGL driver and its compiler library, most of the figure.
demo_peak() {   # demo_peak LABEL [VAR=VALUE...]
  local label=$1; shift
  env "$@" DISPLAY=":$(cat "$scratch/display")" SDL_AUDIODRIVER=dummy "$PWD/build/veskarra" -w \
    > /dev/null 2>&1 &
  demo_pid=$!
  sleep 8
  if [ -r "/proc/$demo_pid/status" ]; then
    local hwm
    hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$demo_pid/status")
    awk -v k="$hwm" -v l="$label" 'BEGIN { printf "  %-44s %6.1f MiB\n", l, k / 1024 }'
  else
    echo "  $label: the demo did not keep running under Xvfb"
  fi
  kill "$demo_pid" 2>/dev/null; wait "$demo_pid" 2>/dev/null || true; demo_pid=
}
if command -v Xvfb > /dev/null; then
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3> "$scratch/display" 2> /dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  echo "peak resident memory of the demo (window under Xvfb, dummy audio)"
  demo_peak "as started"
  demo_peak "SDL software renderer (two SDL variables)" \
    SDL_FRAMEBUFFER_ACCELERATION=0 SDL_RENDER_DRIVER=software
fi

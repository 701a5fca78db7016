#!/usr/bin/env bash
# Start-up with files missing or unusable: the exact picture message on standard output,
# no line end, status 1, no window; silent status 1 for the model and the module.
source "$(dirname "$0")/common.sh" "$@"
unset DISPLAY   # nothing may reach for a screen before the assets are loaded

check() {   # check NAME EXPECTED_STDOUT SETUP...
  local name=$1 expected=$2; shift 2
  local dir
  dir=$(make_workdir "$name")
  (cd "$dir" && eval "$@")
  (cd "$dir" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -s KILL 20 "$binary" -w \
      > "$scratch/$name.out" 2> "$scratch/$name.err")
  local status=$?
  [ "$status" -eq 1 ] || fail "$name: status $status, expected 1"
  printf '%s' "$expected" | cmp -s - "$scratch/$name.out" ||
    fail "$name: standard output was '$(cat "$scratch/$name.out")', expected '$expected'"
  [ ! -s "$scratch/$name.err" ] || fail "$name: wrote to standard error: $(cat "$scratch/$name.err")"
  echo "ok: $name"
}

check missing_heart "Couldn't open pic: heart.png" rm data/heart.png
check missing_first "Couldn't open pic: circle32.png" rm data/circle32.png
check text_as_picture "Couldn't open pic: noise.png" "echo not a picture > data/noise.png"
check small_towers "Couldn't open pic: towers.png" \
      "/usr/bin/convert data/towers.png -crop 320x200+0+0 +repage PNG32:data/towers.png"
check small_texture "Couldn't open pic: circle34.png" \
      "/usr/bin/convert data/circle34.png -crop 340x273+0+0 +repage PNG32:data/circle34.png"
check missing_model "" rm data/gun.bare
check missing_module "" rm data/trevakul_4.mod
check model_index_out_of_range "" \
      "printf '\\0\\0\\0\\1\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\1\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\7' > data/gun.bare"
echo "all missing-file cases passed"

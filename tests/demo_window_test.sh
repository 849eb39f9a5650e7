#!/usr/bin/env bash
# The demo's window on a virtual X server: it opens with every control, its captions come from the
# settings file, and pressing each button writes its document (the message boxes are answered with
# Return). Screenshots are left in the work folder: window.png (the screen) and bare.png (the window of
# a copy of the program without its settings file).
#   demo_window_test.sh PROGRAM WORK_FOLDER
set -euo pipefail
program=$1
work=$2

skip() {
  if [ -n "${CI:-}" ]; then echo "FAIL: $1, which is required under CI"; exit 1; fi
  echo "SKIP: $1"
  exit 77
}
# Failures go to standard error, so that they show also from inside a command substitution, with what
# the programs and the X server printed.
fail() {
  {
    echo "FAIL: $1"
    for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $(basename "$log"):"; cat "$log"; }; done
  } >&2
  exit 1
}
for tool in Xvfb xdotool import convert compare qpdf gs; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

# Under the leak checker, what the system's font and X libraries keep is not the demo's.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/demo_window_leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

rm -rf "$work"
mkdir -p "$work/out" "$work/bare"
pids=()
# The server is waited for, so that its display is free again when the script ends.
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# The server picks a free display and writes its number. It does not reset when its last client leaves:
# during a reset it refuses new clients, and the second program would start in that moment.
Xvfb -displayfd 5 -screen 0 640x480x24 -nolisten tcp -noreset 5>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "the virtual X server did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"

# Waits until count windows named like pattern are visible and prints the last of them. A program
# under the sanitizers on a busy machine may take many seconds to show a window, so the wait is long,
# but it ends at once when the program that should show the window has ended.
wait_for_windows() {
  local pattern=$1 count=$2 program_pid=$3 found
  for _ in $(seq 600); do
    found=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true)
    if [ "$(printf '%s' "$found" | grep -c .)" -ge "$count" ]; then printf '%s\n' "$found" | tail -1; return 0; fi
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before a window \"$pattern\" appeared"
    sleep 0.1
  done
  fail "no window \"$pattern\" appeared within a minute (count $count)"
}

# Starts a program (its documents go to $work/out) as the windows'th form on the screen; sets
# window to the id of its window.
start() {
  TMPDIR="$work/out" "$1" >"$work/$2.log" 2>&1 &
  pids+=($!)
  window=$(wait_for_windows '^Paginor Demo$' "$3" "${pids[-1]}")
  echo "started $2"
}

# Captures a window once the program has drawn it: a visible window may still be unpainted, so the
# picture is taken again until it has more than one colour and two pictures in a row are the same.
capture() {
  local window=$1 file=$2
  import -window "$window" "$file.previous.png"
  for _ in $(seq 100); do
    sleep 0.1
    import -window "$window" "$file"
    if [ "$(convert "$file" -format %k info:)" -gt 1 ] &&
      [ "$(compare -metric AE "$file" "$file.previous.png" null: 2>&1 || true)" = "0" ]; then
      rm "$file.previous.png"
      return 0
    fi
    mv "$file" "$file.previous.png"
  done
  fail "the window $window was not drawn"
}

# The layout of the form (window coordinates): the caption column and the two buttons.
pdf_button=(180 235)
ps_button=(300 235)

# Presses a button, answers the library's "Initialize()" box and the box with the file name, and
# checks the document.
press() {
  local window=$1 x=$2 y=$3 file=$4
  xdotool mousemove --window "$window" "$x" "$y" click 1
  wait_for_windows '^Paginor$' 1 "${pids[-1]}" >/dev/null
  xdotool key Return
  wait_for_windows '^Paginor Demo$' 2 "${pids[-1]}" >/dev/null
  xdotool key Return
  for _ in $(seq 600); do [ "$(xdotool search --onlyvisible --name '^Paginor' | grep -c .)" -eq 1 ] && break; sleep 0.1; done
  [ -s "$work/out/$file" ] || fail "pressing the button wrote no $file"
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=nullpage "$work/out/$file" >"$work/gs.log" 2>&1 && [ ! -s "$work/gs.log" ] ||
    fail "Ghostscript does not accept $file: $(cat "$work/gs.log")"
  echo "pressed for $file"
}

cp "$program" "$work/bare/PaginorDemo"
start "$work/bare/PaginorDemo" bare 1
capture "$window" "$work/bare.png"
kill "${pids[-1]}"
for _ in $(seq 600); do xdotool search --onlyvisible --name '^Paginor Demo$' >/dev/null || break; sleep 0.1; done

start "$program" demo 1
capture "$window" "$work/form.png"
import -window root "$work/window.png"

# Each caption differs from the empty one of the program without settings.
for row in 0 1 2 3 4 5; do
  region="115x26+5+$((12 + 34 * row))"
  convert "$work/form.png" -crop "$region" +repage "$work/caption.png"
  convert "$work/bare.png" -crop "$region" +repage "$work/empty.png"
  differing=$(compare -metric AE "$work/caption.png" "$work/empty.png" null: 2>&1 || true)
  [ "${differing%% *}" != "0" ] || fail "caption row $row is empty"
done
echo "captions drawn"

press "$window" "${pdf_button[@]}" Test.pdf
qpdf --check "$work/out/Test.pdf" >/dev/null || fail "qpdf does not accept Test.pdf"
press "$window" "${ps_button[@]}" Test.ps

# Escape closes the form, which ends the program.
demo=${pids[-1]}
xdotool mousemove --window "$window" 20 20 key Escape
for _ in $(seq 600); do kill -0 "$demo" 2>/dev/null || break; sleep 0.1; done
kill -0 "$demo" 2>/dev/null && fail "the program did not end when its form was closed"
wait "$demo" || fail "the program ended with status $?: $(cat "$work/demo.log")"
echo "PASS"

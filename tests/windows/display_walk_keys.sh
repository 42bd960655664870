#!/usr/bin/env bash
# display_walk_keys.sh SETUP.exe SCRATCH PNG_DIR QT_TESTS.exe: the walk of display_walk.sh, run in its wine
# session on its display, while its simulator logs to SCRATCH/sim.log. Only the keyboard drives
# the wizard. With no window manager X gives the keys to the window under the pointer, so the
# pointer rests on the wizard, where a desktop would have made the new window the active one.
set -euo pipefail
setup=$1 scratch=$2 png=$3 tests=$4
here=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
log=$scratch/sim.log
fail() {
  echo "FAIL $*"
  shot failed || true
  exit 1
}
waitfor() { # waitfor SECONDS COMMAND...: true once COMMAND is
  local tries=$(($1 * 5))
  shift
  for _ in $(seq "$tries"); do "$@" 2>/dev/null && return 0; sleep 0.2; done
  return 1
}
logged() { [ "$(grep -c "\"event\":\"$1\"" "$log")" -ge "$2" ]; }
shot() { # shot NAME: the wizard's window as the screen shows it now
  sleep 0.6
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  "$here/screen_png.py" "$scratch/fb/Xvfb_screen0" "$png/walk-$1.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
}
keys() { xdotool key --delay 100 "$@"; }
typed() { xdotool type --delay 80 "$1"; }
success_green() { # the wizard's window holds the green of the success message's frame and tick
  python3 - "$here" "$scratch/fb/Xvfb_screen0" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
from screen_png import read_screen
pixels, _, _, _, _ = read_screen(sys.argv[2])
green = sum(1 for i in range(0, len(pixels), 4) if pixels[i + 1] > pixels[i + 2] + 30 and pixels[i + 1] > pixels[i] + 100)
sys.exit(0 if green > 200 else 1)
PY
}
setting() { # setting KEY: that setting of the simulator's first applied save
  python3 -c "
import json, sys
saves = [l for l in map(json.loads, open(sys.argv[1])) if l.get('event') == 'applied']
print(saves[0]['settings'][sys.argv[2]] if saves else '')" "$log" "$1"
}

rm -f "$png"/walk-*.png
"$wine" "$setup" /S
program="$WINEPREFIX/drive_c/Program Files/Camtivo/camtivo.exe"
[ -f "$program" ] || fail "the setup program installed no camtivo.exe"
(cd "$scratch" && exec "$wine" "$program" >"$scratch/wizard.out" 2>&1) &
find_window() { window=$(xdotool search --onlyvisible --name '^Camtivo$' | head -1) && [ -n "$window" ]; }
waitfor 90 find_window || fail "the wizard's window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 30))
shot 01-main

keys Return
waitfor 10 logged received 1 || fail "Return on the fresh wizard does not start the search"
echo "PASS the first key, Return, starts the search"
waitfor 20 logged sent 3 || fail "the simulator did not answer"
# The search ends once the cameras have gone quiet, a few seconds after their answers.
sleep 5
shot 02-cameras

keys Return
sleep 1.5
shot 03-login
typed admin
keys Tab
typed lens42
keys Return
sleep 1.5
shot 04-basic
keys ctrl+a
typed Hall-7
keys Return
sleep 1.5
shot 05-network
keys Return
sleep 1.5
keys Tab Tab Tab ctrl+a
typed 23
shot 06-ip
keys Return
sleep 1.5
shot 07-summary
keys Return
# The box that asks before saving offers Cancel first.
sleep 1
keys Tab Return
waitfor 30 logged applied 1 || fail "Save sent no settings the simulator applied"
waitfor 20 success_green || fail "no success message"
shot 08-success
[ "$(setting cameraName)" = Hall-7 ] || fail "the camera's name is '$(setting cameraName)', not Hall-7"
[ "$(setting ipAddress)" = 10.79.0.23 ] || fail "the camera's address is '$(setting ipAddress)', not 10.79.0.23"
echo "PASS the walk saved the new name and address and showed the success message: $(cd "$png" && echo walk-*)"

# Wine hands WINEQT_* to Windows programs as QT_*.
(cd "$(dirname "$tests")" && WINEQT_QPA_PLATFORM=windows:fontengine=freetype "$wine" "$tests" \
  --gtest_filter='Canvas.FontsFollowTheirDescription:MessageDialog.BoxSize*:LanguageWalk.*') | tr -d '\r' \
  | grep -E '^\[ *(OK|FAILED|PASSED|SKIPPED) ' || fail "the text tests under the Windows platform plugin"

#!/usr/bin/env bash
# Starts the editor on a virtual display on the sample dialogues, loads the first file of the file list with
# clicks at the controls' places, as a user would, and saves a picture of the window.
# Usage: tools/screenshot.sh [editor binary] [output folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
editor=$(realpath -m "${1:-$root/build/src/ui/dlgeditor}")
out=$(mkdir -p "${2:-$root/build/screenshots}" && cd "${2:-$root/build/screenshots}" && pwd)
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing" >&2; exit 1; }
done
[ -x "$editor" ] || { echo "screenshot: no editor at $editor" >&2; exit 1; }

# A free display number, from SCREENSHOT_DISPLAY on.
display=${SCREENSHOT_DISPLAY:-97}
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1024x800x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
editor_pid=
# The samples are shown from a neutral folder of their own, so the folder list in the picture
# names no path of the machine it was taken on; the editor's working copies go with it.
neutral=/tmp/ashgloam/dialogues
rm -rf "$neutral" && mkdir -p "$neutral" && cp "$root"/examples/*.dlg "$neutral/"
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$neutral"
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

cd "$neutral"
# Settings (the Conversation window's place) go to the neutral folder, not the user's own.
XDG_CONFIG_HOME="$neutral/.config" QT_QPA_PLATFORM=xcb "$editor" >"$out/editor.log" 2>&1 &
editor_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Ashgloam" | head -1) || true
if [ -z "$window" ] || ! kill -0 "$editor_pid" 2>/dev/null; then
  echo "screenshot: the editor did not start" >&2
  cat "$out/editor.log" >&2
  exit 1
fi
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y, WIDTH, HEIGHT

# Places in pixels (twips / 15) in the client area, which stands below the menu bar: the Browse
# frame at 8,0; in it the file list at 8,272 and "Load File" at 16,576 (65 x 25); the replies
# list at 256,448. The bar is as high as the look's font makes it.
bar=${MENU_BAR_HEIGHT:-22}
click() {
  xdotool mousemove --sync $((X + $1)) $((Y + bar + $2)) click 1
  sleep 0.5
}
click 40 282   # the first file of the list
click 48 588   # "Load File"
sleep 1
case "$(xdotool getwindowname "$window")" in
  *.dlg*) ;;
  *) echo "screenshot: the clicks did not load a file (is the menu bar ${bar} pixels high?)" >&2; exit 1 ;;
esac
click 300 466  # the second reply, to show its flags (the Responses frame is at 176,408)

shot="$out/editor.png"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
colours=$(convert "$shot" -format '%k' info:)
if ! kill -0 "$editor_pid" 2>/dev/null; then
  echo "screenshot: the editor ended before the picture was taken" >&2
  exit 1
fi
if [ "$colours" -lt 16 ]; then
  echo "screenshot: $shot looks blank ($colours colours)" >&2
  exit 1
fi
echo "screenshot: $shot (${WIDTH}x${HEIGHT}, $colours colours)"

# The Conversation window, opened by its key, beside the editor.
# Without a window manager the keys go to the window under the pointer: the editor's.
xdotool key --clearmodifiers ctrl+m
conversation=$(timeout 10 xdotool search --sync --onlyvisible --name "^Conversation - " | head -1) || true
if [ -z "$conversation" ]; then
  echo "screenshot: the Conversation window did not open" >&2
  exit 1
fi
xdotool windowsize --sync "$conversation" 1000 700 windowmove --sync "$conversation" 0 0
# Ctrl+F puts the focus in the Find box; the keys go to the window now under the pointer.
xdotool key --clearmodifiers ctrl+f type --delay 50 "silver"
sleep 3  # the map is laid out off the window's thread
eval "$(xdotool getwindowgeometry --shell "$conversation")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/conversation.png"
echo "screenshot: $out/conversation.png (${WIDTH}x${HEIGHT})"
# Find in Files: Ctrl+Shift+F puts the focus in its box; Enter searches every file of the folder.
xdotool key --clearmodifiers ctrl+shift+f type --delay 50 "pay"
xdotool key --clearmodifiers Return
sleep 2
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/find_in_files.png"
echo "screenshot: $out/find_in_files.png (${WIDTH}x${HEIGHT})"
xdotool windowmove --sync "$conversation" 1100 0  # out of the way of the clicks that follow
eval "$(xdotool getwindowgeometry --shell "$window")"

# The Flag Editor, opened by "Add Flags" beside the condition flags (at 744,304 in the window).
click 772 316
flags=$(timeout 10 xdotool search --sync --onlyvisible --name "Flag Editor" | head -1) || true
if [ -z "$flags" ]; then
  echo "screenshot: the Flag Editor did not open" >&2
  exit 1
fi
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$flags")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/flag_editor.png"
echo "screenshot: $out/flag_editor.png (${WIDTH}x${HEIGHT})"


# The Play window, on a fresh editor started on the tavern: F5 plays it from its first line; the
# keys choose replies 1 and 2, show the replies held back and make the player female; a click
# switches the condition met off.
kill "$editor_pid" 2>/dev/null || true
wait "$editor_pid" 2>/dev/null || true
XDG_CONFIG_HOME="$neutral/.config" QT_QPA_PLATFORM=xcb "$editor" tavern.dlg >"$out/editor.log" 2>&1 &
editor_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "tavern.dlg" | head -1) || true
[ -n "$window" ] || { echo "screenshot: the editor did not load tavern.dlg" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# A click on the caption "Line Number:", where nothing happens: the keys go to the editor.
xdotool mousemove --sync $((X + 230)) $((Y + 46)) click 1
sleep 0.3
xdotool key --clearmodifiers F5
play=$(timeout 10 xdotool search --sync --onlyvisible --name "^Play - tavern.dlg" | head -1) || true
[ -n "$play" ] || { echo "screenshot: the Play window did not open" >&2; exit 1; }
xdotool windowsize --sync "$play" 820 560 windowmove --sync "$play" 0 0
xdotool mousemove --sync 400 200
sleep 0.5
xdotool key --clearmodifiers 1 && sleep 0.3
xdotool key --clearmodifiers 2 && sleep 0.3
xdotool key --clearmodifiers alt+h alt+s Down && sleep 0.5
xdotool mousemove --sync 626 66 click 1 mousemove --sync 400 200  # its switch, in the list's first row
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$play")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/play.png"
colours=$(convert "$out/play.png" -format '%k' info:)
[ "$colours" -ge 16 ] || { echo "screenshot: $out/play.png looks blank ($colours colours)" >&2; exit 1; }
echo "screenshot: $out/play.png (${WIDTH}x${HEIGHT}, $colours colours)"

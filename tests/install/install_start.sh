#!/usr/bin/env bash
# Starts the installed program through its command link, from another folder, on a virtual X
# display, and accepts the terms (nothing is read before). It must read its files from the
# installed program folder: without help.rtf there start-up fails with the fatal report and the
# program ends with a failure status once it is acknowledged; with it the main window stays up.
# Neither run writes into the program folder.
#   install_start.sh <build folder>
set -euo pipefail
build="$1"
stage="$(mktemp -d)"
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb"; rm -rf "$stage"' EXIT
fail() { echo "install_start: $*" >&2; exit 1; }
for tool in Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null || fail "needs $tool (bash scripts/install-deps.sh)"
done

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
folder="$stage/usr/lib/brenlow"
mkdir "$stage/elsewhere" "$stage/config"
mkdir -m 700 "$stage/runtime"

# -displayfd picks a free display and writes its number once the server is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$stage/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$stage/display" ] && break; sleep 0.1; done
[ -s "$stage/display" ] || fail "no virtual display"
export DISPLAY=":$(cat "$stage/display")" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$stage/config" \
  XDG_RUNTIME_DIR="$stage/runtime"

# Starts the program and accepts the terms with the disclaimer's accept button (239,214,
# 97x44). Start-up runs while the disclaimer is shown; then it goes, or a report stays over it.
# A click before the window takes input is lost, so the button is pressed until one of those
# happens (it accepts only once). Leaves the windows then shown in $shown.
start_and_accept() {
  (cd "$stage/elsewhere" && exec "$stage/usr/bin/brenlow") >>"$stage/brenlow.log" 2>&1 &
  pid=$!
  disclaimer="$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)" ||
    fail "no disclaimer window"
  local last=""
  for _ in $(seq 240); do
    shown="$(xdotool search --onlyvisible --pid "$pid" || true)"
    grep -qx "$disclaimer" <<<"$shown" || return 0
    if [ "$(wc -l <<<"$shown")" -gt 1 ]; then
      [ "$shown" = "$last" ] && return 0
      last="$shown"
    else
      xdotool mousemove --window "$disclaimer" 287 236 click 1 2>/dev/null || true
    fi
    sleep 0.25
  done
  fail "the terms were neither accepted nor answered by a report in 60 s"
}

# The program folder's files, sizes and times, to see that a run leaves them as they were.
listing() { find "$folder" -mindepth 1 -printf '%P %s %T@\n' | sort; }

mv "$folder/help.rtf" "$stage/help.rtf"
before="$(listing)"
start_and_accept
box="$(grep -vx "$disclaimer" <<<"$shown" || true)"
grep -qx "$disclaimer" <<<"$shown" && [ "$(wc -w <<<"$box")" = 1 ] ||
  fail "no fatal report without lib/brenlow/help.rtf"
xdotool windowfocus --sync "$box" key Return
status=0
timeout 10 tail --pid="$pid" -f /dev/null || fail "still running after the fatal report"
wait "$pid" || status=$?
[ "$status" -ne 0 ] || fail "ended with success after the fatal report"
[ "$(listing)" = "$before" ] || fail "the failed start wrote into the program folder"

mv "$stage/help.rtf" "$folder/help.rtf"
before="$(listing)"
start_and_accept
kill -0 "$pid" || fail "ended with lib/brenlow/help.rtf in place"
[ "$(wc -w <<<"$shown")" = 1 ] && [ "$shown" != "$disclaimer" ] ||
  fail "no main window alone with lib/brenlow/help.rtf in place"
# The desktop ties the window to its menu entry by the class of WM_CLASS, matched exactly.
entry="$(sed -n 's/^StartupWMClass=//p' "$stage/usr/share/applications/example.brenlow.Brenlow.desktop")"
class="$(xprop -id "$shown" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')"
[ -n "$class" ] && [ "$class" = "$entry" ] ||
  fail "window class '$class' is not the desktop entry's StartupWMClass '$entry'"
kill -0 "$pid" || fail "ended with lib/brenlow/help.rtf in place"
kill "$pid"
wait "$pid" || true
[ "$(listing)" = "$before" ] || fail "the running program wrote into the program folder"
echo "install_start: ok"

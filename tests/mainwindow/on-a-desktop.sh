#!/usr/bin/env bash
# Starts Sovranel on a virtual X server with a window manager (openbox), as a user meets it:
# the splash must be painted on screen with its progress while the windows are made, and the
# main window must come up neither resizable nor maximisable.
#   tests/mainwindow/on-a-desktop.sh build/release/bin/Sovranel
set -euo pipefail
program=$1

if [ -z "${ON_A_DESKTOP_INSIDE:-}" ]; then
  ON_A_DESKTOP_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program"
fi

work=$(mktemp -d)
openbox_pid=""
program_pid=""
finish() {
  for pid in $program_pid $openbox_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap finish EXIT
fail() { echo "on-a-desktop: $*" >&2; exit 1; }

openbox >/dev/null 2>&1 &
openbox_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"

# A home of its own: nothing the program keeps (cache, drafts, settings) lands in the real one.
SOVRANEL_SPLASH_REPORT=1 HOME=$work XDG_CACHE_HOME=$work/cache XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config \
  "$program" 2>"$work/stderr" &
program_pid=$!

win=""
for _ in $(seq 600); do
  win=$(xdotool search --onlyvisible --name "Crie o seu curr" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.05
done
[ -n "$win" ] || fail "the main window did not show"

# Each step of the progress bar reached the screen.
for step in 25 50 75; do
  grep -qx "splash: $step" "$work/stderr" || { cat "$work/stderr" >&2; fail "the splash was not painted at $step"; }
done

# What the window manager makes of the main window.
hints=$(xprop -id "$win" WM_NORMAL_HINTS)
least=$(sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
largest=$(sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
[ -n "$least" ] && [ "$least" = "$largest" ] || fail "the main window is resizable: $hints"
actions=$(xprop -id "$win" _NET_WM_ALLOWED_ACTIONS)
for absent in _NET_WM_ACTION_MAXIMIZE_HORZ _NET_WM_ACTION_MAXIMIZE_VERT _NET_WM_ACTION_RESIZE; do
  ! grep -q "$absent" <<<"$actions" || fail "the window manager allows $absent: $actions"
done
for present in _NET_WM_ACTION_MINIMIZE _NET_WM_ACTION_CLOSE _NET_WM_ACTION_MOVE; do
  grep -q "$present" <<<"$actions" || fail "the window manager does not allow $present: $actions"
done
echo "on-a-desktop: $(grep 'on screen after' "$work/stderr"); painted at 25, 50, 75; main window $least, fixed, no maximise"

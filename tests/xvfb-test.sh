#!/usr/bin/env bash
# Runs one test program on a private Xvfb display (1920x1080, 24 bits) with Mesa's
# software renderer. The display number is chosen by Xvfb itself, so tests may run in
# parallel without racing for a number. The display ends on every exit; INT or TERM also
# ends the test program, and the script then exits with 128 + the signal's number.
set -u
command -v Xvfb >/dev/null || { echo "Xvfb is missing (apt-get install xvfb)"; exit 2; }

xvfb=""
test=""
fdfile=""
# Ends a background process of this script, if there is one still running.
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
trap 'stop "$test"; stop "$xvfb"; rm -f "$fdfile"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -s "$fdfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
display=$(head -n 1 "$fdfile")
if [ -z "$display" ]; then echo "Xvfb did not start"; exit 2; fi
export DISPLAY=":$display"
export LIBGL_ALWAYS_SOFTWARE=1

# In the background, so that a signal interrupts the wait; stdin stays the script's.
"$@" <&0 &
test=$!
wait "$test"
rc=$?
test=""
exit $rc

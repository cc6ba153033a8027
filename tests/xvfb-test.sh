#!/usr/bin/env bash
# Runs one test program on a private Xvfb display (1920x1080, 24 bits) with Mesa's
# software renderer. The display number is chosen by Xvfb itself, so tests may run in
# parallel without racing for a number.
set -u
command -v Xvfb >/dev/null || { echo "Xvfb is missing (apt-get install xvfb)"; exit 2; }
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do
  [ -s "$fdfile" ] && break
  sleep 0.05
done
display=$(head -n 1 "$fdfile")
rm -f "$fdfile"
if [ -z "$display" ]; then echo "Xvfb did not start"; kill $xvfb 2>/dev/null; exit 2; fi
export DISPLAY=":$display"
export LIBGL_ALWAYS_SOFTWARE=1
"$@"
rc=$?
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
exit $rc

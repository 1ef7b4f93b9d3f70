#!/usr/bin/env bash
# Runs a command under a private X server: scripts/xvfb.sh COMMAND [ARGS...]
# XVFB_SCREEN sets the screen (default 1280x1024x24).
# -noreset: by default the server resets whenever its last client leaves, and a
# client connecting during that reset (the next test's window, a game start in
# the same run) is turned away with "could not connect to display".
set -euo pipefail
exec xvfb-run -a -s "-screen 0 ${XVFB_SCREEN:-1280x1024x24} -noreset" "$@"

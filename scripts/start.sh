#!/usr/bin/env bash
# Installs what is missing, builds Brenlow and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
Brenlow is built (build/bin/brenlow) but there is no display to show its window on:
neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a desktop session, or on a
headless machine under a virtual display:

    xvfb-run -s "-screen 0 1280x1024x24" build/bin/brenlow
MSG
  exit 2
fi
exec build/bin/brenlow

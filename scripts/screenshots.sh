#!/usr/bin/env bash
# Takes the README's screenshots of every screen under Xvfb and stores them in docs/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
need=()
for p in xvfb xauth imagemagick poppler-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update && "${sudo[@]}" apt-get install -y --no-install-recommends "${need[@]}"
fi
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target paukomat_tour
xvfb-run -a -s '-screen 0 1280x1024x24' build/docs/paukomat_tour docs/screenshots

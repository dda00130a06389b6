#!/usr/bin/env bash
# Builds setup.exe and runs the wizard under Wine in a fresh prefix.
# With a DISPLAY it simply shows the wizard there for you to click through.
# Without one it starts Xvfb, walks the pages as a user would (Continue, the
# licence box, Continue... Close) and saves a picture of each page into
# build/win32/screens/walk/, printing their paths.
# Usage: scripts/run-wizard.sh [Windows version: win98, winxp (default), vista, win7, ...]
set -euo pipefail
cd "$(dirname "$0")/.."
version=${1:-winxp}

bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

root=$PWD
setup=$root/build/win32/setup.exe
prefixes=$root/build/win32/wine-prefixes
source tests/wine/wine-env.sh
wine_env_template "$prefixes/template"

trap 'wine_env_stop; rm -rf "$prefixes/run-wizard"' EXIT
if [ -n "${DISPLAY:-}" ]; then
    wine_env_start "$prefixes/template" "$prefixes/run-wizard"
    wine reg add 'HKCU\Software\Wine\AppDefaults\setup.exe' /v Version /d "$version" /f >/dev/null
    echo "setup.exe runs on $DISPLAY as $version; close it to finish"
    wine "$setup" || true
else
    screens=$root/build/win32/screens/walk
    rm -rf "$screens"
    wine_env_start "$prefixes/template" "$prefixes/run-wizard"
    status=0
    names=$(wine build/win32/wine-tests/wizard_walk.exe "$setup" "$screens" "$version" </dev/null) ||
        status=$?
    while IFS= read -r line; do
        line=${line%$'\r'}
        case "$line" in
        *.png) echo "$screens/$line" ;;
        *) [ -n "$line" ] && echo "$line" ;;
        esac
    done <<<"$names"
    exit $status
fi

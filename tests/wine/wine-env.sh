#!/usr/bin/env bash
# The Wine environment that setup.exe and its tests run in, sourced by the
# scripts that run Windows programs (or run as `wine-env.sh template DIR`):
#   wine_env_template DIR            makes the template prefix DIR, once
#   wine_env_start TEMPLATE PREFIX [own-display]
#                                    a fresh copy of the template at PREFIX, an
#                                    X display, one wineserver kept up for the run
#   wine_env_stop                    stops the wineserver and the Xvfb it started
# A 32-bit prefix (so "C:\Program Files" is the 32-bit folder), Wine's own
# fonts (without them dialogs come out wider than on Windows), a virtual
# desktop of 1024 x 768 (without a window manager only it draws title bars),
# and no crash dialog (a crash ends the program instead of waiting for a click).

export WINEDEBUG=-all
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

# Changing what goes into the template makes every existing one stale.
WINE_ENV_RECIPE="fonts desktop=1024x768 no-crash-dialog 1"

_wine_env_settings() {
    cat <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
}

wine_env_template() {
    local template=$1
    local stamp="$(wine --version) $WINE_ENV_RECIPE"
    mkdir -p "$(dirname "$template")"
    (
        flock 9
        if [ -f "$template/.ready" ] && [ "$(cat "$template/.ready")" = "$stamp" ]; then
            exit 0
        fi
        local building="$template.building"
        rm -rf "$building" "$template"
        echo "making the Wine prefix template $template" >&2
        WINEPREFIX=$building wineboot -i >"$template.log" 2>&1
        WINEPREFIX=$building wineserver -w
        cp /usr/share/wine/fonts/* "$building/drive_c/windows/Fonts/"
        _wine_env_settings >"$building/settings.reg"
        (cd "$building" && WINEPREFIX=$building wine regedit /S settings.reg) >>"$template.log" 2>&1
        WINEPREFIX=$building wineserver -w
        grep -q '"Desktop"="Default"' "$building/user.reg" ||
            { echo "the prefix settings did not take" >&2; exit 1; }
        echo "$stamp" >"$building/.ready"
        mv "$building" "$template"
    ) 9>"$template.lock"
}

WINE_ENV_XVFB_PID=
WINE_ENV_SERVER_UP=

_wine_env_start_xvfb() {
    local folder=$1
    rm -f "$folder/display"
    # -displayfd: Xvfb picks a free display and writes its number once it listens.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" \
        >"$folder/xvfb.log" 2>&1 &
    WINE_ENV_XVFB_PID=$!
    local tries=0
    until [ -s "$folder/display" ]; do
        if ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || [ $tries -ge 200 ]; then
            echo "Xvfb did not start:" >&2
            cat "$folder/xvfb.log" >&2
            return 1
        fi
        tries=$((tries + 1))
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$folder/display")"
}

wine_env_start() {
    local template=$1 prefix=$2 own_display=${3:-}
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    cp -a "$template" "$prefix"
    export WINEPREFIX=$prefix
    # Tests take their own display so that nothing else on the screen covers
    # the windows they photograph; a user's run shows on the user's display.
    if [ -n "$own_display" ] || [ -z "${DISPLAY:-}" ]; then
        _wine_env_start_xvfb "$prefix" || return 1
    fi
    # One server for the whole run: volatile registry keys that a test makes
    # before starting setup.exe live only as long as the server does.
    wineserver -p
    WINE_ENV_SERVER_UP=1
}

wine_env_stop() {
    if [ -n "$WINE_ENV_SERVER_UP" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        WINE_ENV_SERVER_UP=
    fi
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    case "${1:-}" in
    template) wine_env_template "$2" ;;
    *) echo "usage: $0 template DIR" >&2; exit 2 ;;
    esac
fi

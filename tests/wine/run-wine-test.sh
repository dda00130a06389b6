#!/usr/bin/env bash
# Runs one test program under Wine, in a fresh copy of the template prefix,
# on its own X display, and stops everything it started when it ends.
# Usage: run-wine-test.sh TEMPLATE PREFIX PROGRAM [ARGUMENTS...]
# The program's WINE_TEST_* variables pass through; WINE_TEST_SCREENS, when
# set, is emptied first. The prefix is removed again when the program passes.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

template=$1 prefix=$2
shift 2

wine_env_template "$template"
if [ -n "${WINE_TEST_SCREENS:-}" ]; then
    rm -rf "$WINE_TEST_SCREENS"
    mkdir -p "$WINE_TEST_SCREENS"
fi
trap wine_env_stop EXIT
wine_env_start "$template" "$prefix" own-display

status=0
wine "$@" </dev/null || status=$?

wine_env_stop
trap - EXIT
if [ $status -eq 0 ]; then
    rm -rf "$prefix"
fi
exit $status

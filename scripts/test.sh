#!/usr/bin/env bash
# Runs every test: the Windows-free code natively (unit tests under ASan and
# UBSan, the fuzz targets), then setup.exe and its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset host
cmake --build --preset host
ctest --preset host

cmake --preset win32
cmake --build --preset win32
ctest --preset win32

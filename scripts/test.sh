#!/usr/bin/env bash
# Every test: installs what is missing, builds the host tree and both Windows trees, and runs the host tests
# (unit tests, fuzzer), then the Windows ones (executable properties, end to end under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset host
cmake --build --preset host
# Building win32 also configures and builds win64: the 64-bit twin and the end-to-end helpers.
cmake --preset win32
cmake --build --preset win32

status=0
ctest --preset host || status=1
ctest --preset win32 || status=1
exit $status

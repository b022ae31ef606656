#!/usr/bin/env bash
# Builds everything with gcc's line coverage in build-coverage (the "coverage" presets), runs the
# QtTest suite on the offscreen platform and prints the line coverage of src/ with gcovr; the
# per-file table is left in build-coverage/coverage.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset coverage
cmake --build --preset coverage -j"$(nproc)"
find build-coverage -name '*.gcda' -delete
# The suite on offscreen: the xcb, Wayland and real-window runs would only repeat its lines.
ctest --preset coverage --parallel "$(nproc)" -LE 'e2e|wayland' -E 'install_tree|debian_package'
gcovr --root . --filter 'src/' --exclude 'src/app/main\.cpp' --object-directory build-coverage \
    --print-summary --output build-coverage/coverage.txt build-coverage | tail -n 3

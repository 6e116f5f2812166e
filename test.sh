#!/usr/bin/env bash
# Builds Moth Lantern with its tests and runs every test.
#   ./test.sh             normal build (warnings are errors) in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/,
#                         without the long whole-game runs (ctest label "long")
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
moth_install_packages

build_dir=build
cmake_args=(-DMOTH_WERROR=ON -DMOTH_TESTS=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    cmake_args+=(-DMOTH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
moth_build "$build_dir" "${cmake_args[@]}"

export SDL_AUDIODRIVER=dummy
ctest_cmd=(ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)")
if [ "${1:-}" = "--sanitize" ]; then
    # The whole playthroughs (label "long") run once, in the normal build.
    ctest_cmd+=(--label-exclude long)
fi
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${ctest_cmd[@]}"
else
    "${ctest_cmd[@]}"
fi

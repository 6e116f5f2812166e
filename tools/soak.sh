#!/usr/bin/env bash
# Long soak run of the playtest driver's chaos input over every state, in the
# sanitizer build: ./tools/soak.sh [FRAMES] [SEED]   (default 100000 frames).
# Prints the driver's exit status and any sanitizer finding, and the frame
# reached and resident memory every 10 seconds (a run cut short still shows
# how far it got).
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-100000}
seed=${2:-1}
source tools/setup.sh
moth_install_packages
# Only the driver is needed: the whole sanitizer build takes far longer. Soaks
# started side by side take turns at it: two configures at once break the tree.
(
    flock 9
    cmake -S . -B build-asan -G Ninja -DMOTH_WERROR=ON -DMOTH_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build-asan --target playtest
) 9>"${TMPDIR:-/tmp}/moth-lantern-soak-build.lock"
bin="$PWD/build-asan/playtest"
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
log=$(mktemp)
trace=$(mktemp)
xvfb-run -a -s "-screen 0 1280x1024x24" "$bin" --fixed-step --windowed \
    --state 18 --frames "$frames" --seed "$seed" --chaos 300 --trace "$trace" >"$log" 2>&1 &
runner=$!
while kill -0 "$runner" 2>/dev/null; do
    sleep 10
    # The full path and seed pick out this run, not another checkout's.
    pid=$(pgrep -n -f "^$bin .*--seed $seed " || true)
    [ -n "$pid" ] && echo "frame=$(wc -l <"$trace") rss_kb=$(awk '/VmRSS/ {print $2}' /proc/"$pid"/status 2>/dev/null)"
done
status=0
wait "$runner" || status=$?
echo "frames run: $(wc -l <"$trace")"
rm -f "$trace"
grep -E "ERROR: (Address|Leak)Sanitizer|runtime error" "$log" || echo "no sanitizer finding"
echo "exit status: $status (driver output: $log)"
exit "$status"

#!/usr/bin/env bash
# Many state changes in one run: the playtest driver's chaos input jumps to a
# random state every 5 frames, while the driver's resident memory (VmRSS) is
# sampled against the frame it has reached. Prints the memory at the start,
# after 100 and after 1,000 state changes and at the end, and any leak or
# sanitizer report. About half the jumps change the state (see below).
#   ./tools/state_churn.sh [BUILD_DIR] [JUMPS] [SEED]   (default build 2200 1)
# BUILD_DIR must already hold playtest; with build-asan, LeakSanitizer is on.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
jumps=${2:-2200}
seed=${3:-1}
every=5
bin="$PWD/$dir/playtest"
frames=$((jumps * every + every)) # a few frames past the last jump
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" "$bin" --fixed-step --windowed --state 18 \
    --frames "$frames" --seed "$seed" --chaos "$every" --trace "$work/trace.jsonl" \
    >"$work/log" 2>&1 &
runner=$!
# One "frame rss_kb" line per sample; the trace's line count is the frame.
while kill -0 "$runner" 2>/dev/null; do
    pid=$(pgrep -n -f "^$bin .*--trace $work/" || true)
    rss=$([ -n "$pid" ] && awk '/VmRSS/ {print $2}' /proc/"$pid"/status 2>/dev/null || true)
    [ -n "$rss" ] && echo "$(wc -l <"$work/trace.jsonl" 2>/dev/null || echo 0) $rss" >>"$work/rss"
    sleep 0.5
done
status=0
wait "$runner" || status=$?
echo "frames run: $(wc -l <"$work/trace.jsonl"), jumps requested every $every frames"
# A jump only changes the state when it names another one and the state takes
# it (the modal Load dialog holds the game until it is closed), so the samples
# are reported against the state changes seen in the trace by then.
grep -o '"state":[-0-9]*' "$work/trace.jsonl" | awk '
    NR > 1 && $0 != prev { changes++ }
    { prev = $0; print changes + 0 }' >"$work/changes"
awk 'FNR == NR { changes[FNR] = $1; next }
    { seen = $1 > 0 ? changes[$1] : 0 }
    FNR == 1 { print "rss_kb at start: " $2 }
    !at100 && seen >= 100 { print "rss_kb after " seen " changes (frame " $1 "): " $2; at100 = 1 }
    !at1000 && seen >= 1000 { print "rss_kb after " seen " changes (frame " $1 "): " $2; at1000 = 1 }
    { last = $2; lastSeen = seen; if ($2 > max) max = $2 }
    END { print "rss_kb at the end (" lastSeen " changes): " last ", peak " max }' \
    "$work/changes" "$work/rss"
grep -E "ERROR: (Address|Leak)Sanitizer|runtime error" "$work/log" || echo "no sanitizer finding"
echo "exit status: $status"
exit "$status"

# Shared by the end-to-end scripts: $PLAYTEST, a scratch folder $OUT and check().
set -euo pipefail
PLAYTEST=$1
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
check() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/png_check.py" "$@"; }
play() { timeout "${PLAY_TIMEOUT:-280}" "$PLAYTEST" --fixed-step --windowed "$@"; }
trace_check() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/trace_check.py" "$@"; }

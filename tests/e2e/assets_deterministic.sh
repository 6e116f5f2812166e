#!/usr/bin/env bash
# The asset generator is deterministic: regenerating every texture, sound and
# level file into a temporary folder gives exactly the bytes committed in
# Assets/ (and the same manifest). ctest passes the playtest driver's path as
# the first argument; this check does not need it.
set -euo pipefail
cd "$(dirname "$0")/../.."

python=/usr/bin/python3
if ! "$python" -c "import PIL" 2>/dev/null; then
    echo "SKIP: python3-pil is not installed, the asset generator cannot run"
    exit 0
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$python" tools/assets/gen_assets.py --out "$out/Assets" --manifest "$out/manifest.txt"

status=0
# Only the generator's own files: other files may sit in Assets/ beside them.
for file in "$out"/Assets/*; do
    name=$(basename "$file")
    if ! cmp -s "$file" "Assets/$name"; then
        echo "DIFFERS: Assets/$name does not match a fresh run of the generator"
        status=1
    fi
done
if ! cmp -s "$out/manifest.txt" tools/assets/manifest.txt; then
    echo "DIFFERS: tools/assets/manifest.txt does not match a fresh run of the generator"
    status=1
fi
count=$(ls "$out/Assets" | wc -l)
if [ "$status" -eq 0 ]; then
    echo "OK: $count generated assets match Assets/ byte for byte"
fi
exit "$status"

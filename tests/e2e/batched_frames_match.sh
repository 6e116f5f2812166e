# Batched quads give the very picture of one draw call per quad: Level5 with
# the torch on, a puzzle, the menu room and the pause menu over Level1, each
# shot with batching on and off (--unbatched) and compared byte for byte.
source "$(dirname "$0")/common.bash"
cat >"$OUT/torch.txt" <<'SCRIPT'
5 mouse move 700 250      # aim the torch up and to the right
150 key down esc          # the pause menu, for the last shot
151 key up esc
SCRIPT
pair() { # name, frame, playtest arguments...: both pictures, 0 when the same
    local name=$1 frame=$2
    shift 2
    play "$@" --frames $((frame + 1)) --seed 4 --shot "$frame:$OUT/$name.png"
    play "$@" --frames $((frame + 1)) --seed 4 --shot "$frame:$OUT/${name}_unbatched.png" --unbatched
    cmp -s "$OUT/$name.png" "$OUT/${name}_unbatched.png"
}
# A real pointer event (another test's window opening under the pointer on a
# shared display) can move the aim in one run: a difference must show twice.
shoot() {
    if ! pair "$@" && ! pair "$@"; then
        /usr/bin/python3 - "$OUT/$1.png" "$OUT/${1}_unbatched.png" <<'PY'
import sys
from PIL import Image, ImageChops
a, b = (Image.open(p).convert("RGB") for p in sys.argv[1:])
box = ImageChops.difference(a, b).getbbox()
print(f"{sys.argv[1]}: pixels differ from the unbatched picture within {box}")
PY
        exit 1
    fi
    echo "ok: $1 batched = unbatched"
}
shoot level5 120 --state 6 --script "$OUT/torch.txt"
shoot puzzle3 60 --state 10
shoot menu 90 --state 0 --script "$OUT/torch.txt"
shoot pause 170 --state 2 --script "$OUT/torch.txt"

"""The eight level files, kept as readable ASCII maps.

Legend (tile codes of the level format):
    #  wall (1)          .  floor (0)        S  player start (3)
    D  trap door (2)     x  spider spawn (4) ~  void (9)

Rows are listed from the top row of the file down, as the file stores them.
World position of a cell (column c, row r counted from the top, grid W x H):
    x = (c - W/2 + 0.5) * 50,   y = (H - 1 - r - H/2 + 0.5) * 50

The five story mazes were drafted with a seeded maze sketch (a backtracker
with some dead ends opened into loops, and a few small rooms), then checked
and kept by hand here. They grow in size, spider spawns and path length
from the start to the trap door.
"""

CODES = {"#": 1, ".": 0, "S": 3, "D": 2, "x": 4, "~": 9}

LEVEL1 = """
###############
#...#D........#
#.#.#.#####.###
#...#.........#
#.#########.#.#
#.#.......#...#
#.#.#.###.###.#
#...#x..#...#.#
#.#####.##....#
#.#.....#..x..#
#.#.#####.....#
#...#...#.....#
#.###.#x#.#####
#S....#.......#
###############
"""

LEVEL2 = """
###################
#...#.........#...#
#.#.#.#####x#.###.#
#x..#.#.....#.....#
#.#####.#.#######.#
#.....#.#.#...#...#
#####.#.#.....###.#
#.....#.........#.#
#.#####.##...##.#.#
#.#...#x..#...#.#.#
#.###.#.#.###.#.#.#
#...#...#.....#.#.#
###....########.#.#
#.........#.....#.#
#.##....#.#.#####.#
#.......#.#x#.....#
#.###.###.#.#.#####
#S..........#....D#
###################
"""

LEVEL3 = """
#######################
#...#...#.....#.#.....#
###.#.#.#.#.#.#.#.###.#
#.#...#.#.#.#.#...#...#
#.##....###.#.#.###.###
#.......#...#.#..D#...#
#.##.x..#.#.#.#.#####.#
#...#...#.#.#.#.#...#.#
###.#####.....###.#.#.#
#.#...............#.#.#
#.########...######.#.#
#...............x.#.#.#
#.#####.###.#####.#.#.#
#.....#.#x..#...#.#...#
###.###.#####.#.#.###.#
#...#...#.....#.#.....#
#.#.#.###.#####.###.###
#.#.#.....#...#...#...#
#.#.######....###.###.#
#.#..........x#...#...#
#.########....#.###.###
#S............#.....x.#
#######################
"""

LEVEL4 = """
###########################
#..x....#.....#...#.......#
#.#.###.#.###x#.#.#.###.#.#
#...#...#.#.....#D#...#.#.#
#####.###.#########.##....#
#...#.#...#.........#.....#
###.#.###.#.#########.....#
#...#...#...#.......x.#...#
#.#####.#####.#########.###
#.....#.......#.....#.....#
#.###.#########.#.#.#.###.#
#.#.#..x..#.....#...#.#...#
#.#.###.###.###.###.#.#.#.#
#.#...#.#.....#.#...#...#.#
#.#.###.#.###.#.#########.#
#.#...#.#.....#...#.....#.#
#.###.#.#####.###.#.###.#.#
#.#...#...#...#.#...#...#.#
#.#.###.#.#.###.#####.###.#
#.#...#...#.#.......#...#.#
#.....#.###.####....#.#.#.#
#.....#x..#.#.........#.#.#
##....###.#.#.#....####.#.#
#.#.#...#.#...#.#...#...#.#
#.#.###.#.#####.###.#.###.#
#S......#.......x...#.....#
###########################
"""

LEVEL5 = """
###############################
#......D#.....#...............#
#.#####.#.###.#####.#####.#####
#.......#...#.#...#.#...#.....#
#.#########.#x#.#.#.#.#.#####.#
#...........#.#.#.#.......#...#
#############.#.#.####...##.#.#
#.........#.#.#.#...#..x....#.#
#x#######.#.#.#.###.#....####.#
#...#.......#...#.....#.....#.#
###.#.###########.#######.#.#.#
#...#...#...#...#.........#.#.#
#.#.####....#.#.#.#.#########.#
#.#.#.........#...#.......#...#
#.###.##..x########.#####.#.###
#.....#...........#.#.....#.#.#
#.#####.#########.#.#.#####.#.#
#.......#.......#.#.#.....#.#.#
#########.#####.#....####.#.#x#
#.......#.....#...........#...#
###.###.#####.####....###.###.#
#..x#.......#...#.....#...#...#
#.###.#.###.#.#.#.#########.###
#.#...#.....#.#.#.........#.#.#
#.#.#######.#.#.#########.#.#.#
#...#.....#.#.....#.....#...#.#
#.##....###.#####.#.###.#####.#
#.......#...#...#.#.#...#.....#
#.#.....#.###.#.#x###.#.#.###.#
#S......#.....#.......#...#...#
###############################
"""

# The menu room (21 x 7). It is laid out around the fixed widgets of the menu:
#   logo at (0, 290) and start sign at (0, 175) above the room, so the trap
#   door sits right under the sign, at (0, 100);
#   the control wall (a MenuWall) stands at (100, 50): that cell is floor here;
#   the three buttons at y = -170 and the sliders below lie over and under
#   the bottom wall; the controls picture shows at the right (x 150..450).
MENU = """
#####################
#.........D.........#
#....#..............#
#.S.................#
#......#........#...#
#...................#
#####################
"""

# The puzzle room (21 x 16): rocks on the border ring only. Every box, block
# and beam of the five puzzle layouts stands inside; a rock there would
# block them. No start: the puzzle player always starts at (50, 50).
PUZZLE = "\n".join(["#" * 21] + ["#" + "." * 19 + "#"] * 14 + ["#" * 21])

# The level editor's starting grid (30 x 30): a walled room with one start
# (the palette cannot place a start) and one trap door, so an export made
# without changes is already a playable level.
def _editor():
    rows = [["#"] * 30] + [["#"] + ["."] * 28 + ["#"] for _ in range(28)] + [["#"] * 30]
    rows[16][12] = "S"   # centre (-125, -75), beside the custom player's (-100, -50)
    rows[4][25] = "D"
    return "\n".join("".join(r) for r in rows)


EDITOR = _editor()

# File name, ASCII map, expected width and height.
LEVEL_FILES = [
    ("menu.text", MENU, 21, 7),
    ("levels_edited1.text", LEVEL1, 15, 15),
    ("levels_edited2.text", LEVEL2, 19, 19),
    ("levels_edited3.text", LEVEL3, 23, 23),
    ("levels_edited4.text", LEVEL4, 27, 27),
    ("levels_edited5.text", LEVEL5, 31, 31),
    ("puzzle_map.text", PUZZLE, 21, 16),
    ("EditorTemplate.text", EDITOR, 30, 30),
]


def rows_of(ascii_map):
    return [line for line in ascii_map.strip("\n").split("\n")]


def to_text(ascii_map, width, height):
    """The level file text, exactly as the editor's export writes it:
    a comma after every value but the last, a line break after each row."""
    rows = rows_of(ascii_map)
    if len(rows) != height or any(len(r) != width for r in rows):
        raise ValueError("map is not %d x %d" % (width, height))
    lines = []
    for i, row in enumerate(rows):
        vals = [str(CODES[ch]) for ch in row]
        last = i == len(rows) - 1
        lines.append(",".join(vals) + ("" if last else ","))
    return "\n".join(lines) + "\n"


def build():
    return {name: to_text(m, w, h) for name, m, w, h in LEVEL_FILES}

# The recorded walk of Puzzle3 solves it and leads on.
source "$(dirname "$0")/puzzle_walk.bash"
solve_puzzle 3

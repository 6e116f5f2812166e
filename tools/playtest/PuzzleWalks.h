// Recorded walks that solve each light-beam puzzle from its start.
//
// A walk is a list of steps: hold a movement key for a number of frames, then
// let go for two (a wait step only lets frames pass). The player walks 200
// units a second, 10/3 units a frame at the fixed step. Every walk begins
// once the instructions have been clicked away and have faded.
#pragma once
#include <vector>

struct WalkStep {
    char key;   // 'w', 'a', 's' or 'd'; kWait lets the frames pass
    int frames; // how long the key is held (or the wait lasts)
};
constexpr char kWait = 0;

// The frame of the puzzle state at which the instructions are clicked away,
// and the one at which the walk begins.
constexpr int kInstructionClickFrame = 5;
constexpr int kWalkFirstFrame = 80;

// The walk that solves puzzle `number` (1 to 5); empty when there is none.
const std::vector<WalkStep>& PuzzleWalk(int number);
// The key a walk holds in frame `frame` of its puzzle state (kWait for none).
char WalkKeyAt(const std::vector<WalkStep>& walk, int frame);

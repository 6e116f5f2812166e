#include "PuzzleWalks.h"

#include <map>

namespace {

constexpr int kReleaseFrames = 2; // the key is let go this long between steps

// clang-format off
const std::map<int, std::vector<WalkStep>> kWalks = {
    // Puzzle1: each of the four blocks pushed off its beam, the top one first,
    // then round B2 and along the bottom to the memory in the lower left corner.
    {1,
     {
      {'w', 31}, {'a', 30}, {'w', 23}, // up past B8, push the top block up
      {'s', 55}, {'a', 30}, {'s', 26}, // push the block off B4 -> B5 down
      {'d', 60}, {'s', 27}, // push the block off B3 -> B4 down
      {'d', 16}, {'s', 14}, {'d', 23}, // push the block off B2 -> B3 right
      {'a', 24}, {'s', 37}, {'a', 130}, // round B2 and along the bottom to the memory
      {kWait, 120},
     }},
    // Puzzle2: three direction blocks lead B6's light round the danger block
    // on the far side (left, down, right into B7); the block above the danger
    // block shields it throughout. Then the five blocks on the other beams.
    {2,
     {
      {'s', 98}, {'d', 12}, {'s', 9}, {'a', 93}, // the left-pointing block down and left
      {'s', 14}, {'a', 11}, {'w', 130}, // ... up beside B7 and the danger block
      {'a', 12}, {'w', 12}, {'d', 17}, // ... and into B6 -> B7
      {'a', 2}, {'s', 124}, {'d', 98}, {'w', 32}, // the down-pointing block, from above
      {'d', 14}, {'s', 26}, {'d', 12}, {'s', 11}, {'a', 128}, // ... down and left
      {'s', 12}, {'a', 12}, {'w', 130}, // ... and up to the left wall
      {'s', 113}, {'d', 137}, {'w', 32}, {'d', 13}, {'s', 24}, // the right-pointing block
      {'d', 12}, {'s', 11}, {'a', 150}, // ... left along the bottom
      {'s', 12}, {'a', 12}, {'w', 32}, // ... and up level with B7
      {'s', 17}, {'d', 107}, {'w', 49}, {'d', 27}, // the block off B2 -> B9
      {'w', 44}, {'a', 14}, {'w', 16}, // the block off B3 -> B4
      {'d', 13}, {'s', 51}, {'a', 13}, {'w', 14}, // the block off B2 -> B3
      {'a', 14}, {'w', 67}, {'d', 27}, // the block off B4 -> B5
      {'w', 11}, {'a', 13}, {'w', 19}, // the block off B5 -> B6
      {'a', 15}, {'s', 177}, {'a', 115}, // to the memory
      {kWait, 120},
     }},
    // Puzzle3: the three direction blocks lead B10's light round the danger
    // block (right, up the far side, back left into B11); the shield block
    // stays until the chain is in place, then leaves B6 -> B7 free.
    {3,
     {
      {'d', 15}, {'s', 94}, {'d', 45}, {'w', 67}, // the left-pointing block up
      {'a', 12}, {'w', 12}, {'d', 26}, // ... right, past B6
      {'s', 12}, {'d', 12}, {'w', 63}, // ... and up level with B11
      {'s', 131}, {'a', 41}, {'w', 40}, // the up-pointing block out of the row
      {'s', 40}, {'a', 30}, {'w', 52}, {'d', 57}, // ... and right under the first
      {'a', 55}, {'s', 38}, {'d', 19}, // the right-pointing block out of the row
      {'s', 14}, {'d', 12}, {'w', 40}, // ... up beside B10's beam
      {'d', 12}, {'w', 12}, {'a', 19}, // ... and into it
      {'d', 2}, {'w', 64}, {'a', 26}, {'s', 42}, {'d', 43}, // the shield off B6 -> B7
      {'a', 15}, {'w', 49}, {'a', 90}, {'s', 19}, // the block off B4 -> B5 down
      {'w', 46}, {'d', 15}, {'s', 18}, // the block off B5 -> B6 down
      {'a', 90}, {'s', 145}, // to the memory
      {kWait, 120},
     }},
    // Puzzle4: two chains of direction blocks lead the light round both
    // danger blocks: B3's light left to the far side and up into B4, B4's
    // light up, across the top and down into B5. The block over B2 -> B3
    // keeps B3 dark until both chains stand.
    {4,
     {
      {'a', 123}, // the block off B5 -> B6 to the far left
      {'d', 75}, {'s', 60}, {'a', 41}, // the up-pointing block to the left wall
      {'s', 12}, {'a', 12}, {'w', 42}, // ... and up under B4
      {'s', 15}, {'d', 163}, {'s', 15}, {'d', 16}, // the right-pointing block out
      {'s', 12}, {'d', 16}, {'w', 137}, // ... up the right side
      {'d', 12}, {'w', 12}, {'a', 150}, // ... and along the top, left
      {'s', 122}, {'d', 76}, {'s', 15}, {'d', 46}, // the down-pointing block out
      {'s', 12}, {'d', 12}, {'w', 136}, // ... up the right side
      {'d', 12}, {'w', 12}, {'a', 23}, // ... and over B5
      {'d', 2}, {'s', 149}, {'a', 66}, {'w', 18}, // the other up-pointing block
      {'d', 12}, {'w', 12}, {'a', 76}, // ... left above the row
      {'s', 12}, {'a', 12}, {'w', 80}, // ... and up into B4 -> B5
      {'s', 85}, {'d', 87}, // the left-pointing block right
      {'s', 12}, {'d', 12}, {'w', 42}, // ... and up into B3 -> B4
      {'a', 13}, {'w', 36}, {'d', 29}, // the block off B2 -> B3
      {'a', 32}, {'s', 111}, {'a', 140}, // to the memory
      {kWait, 120},
     }},
    // Puzzle5: the light stays cut off at B1 by the block beside it until the
    // end. Three direction blocks lead B4's light round the danger block on the
    // right (right, down the right wall, left into B5); three more lead B15's
    // light round the other one (left, down, right into B16).
    {5,
     {
      {'d', 45}, {'s', 100}, // the right-pointing block down
      {'a', 12}, {'s', 12}, {'d', 75}, // ... along the bottom to the right wall
      {'s', 12}, {'d', 12}, {'w', 124}, // ... up the wall
      {'d', 12}, {'w', 12}, {'a', 57}, // ... and left under B4
      {'d', 3}, {'w', 33}, {'a', 33}, {'s', 114}, {'a', 23}, {'s', 32}, // the first down-pointing block down
      {'a', 12}, {'s', 12}, {'d', 100}, // ... to the right wall
      {'s', 12}, {'d', 12}, {'w', 123}, // ... and up beside the first
      {'s', 45}, {'a', 74}, {'s', 22}, {'a', 48}, {'s', 32}, // the first left-pointing block down
      {'d', 12}, {'s', 25}, {'a', 24}, {'w', 12}, {'d', 122}, // ... to the right wall
      {'s', 12}, {'d', 12}, {'w', 54}, // ... and up level with B5
      {'s', 2}, {'a', 74}, {'w', 72}, {'a', 78}, {'s', 58}, {'d', 29}, // the block off B10 -> B11 right
      {'s', 13}, {'d', 12}, {'w', 34}, // ... and up against B1
      {'a', 41}, {'s', 27}, {'a', 15}, {'s', 34}, // the other left-pointing block down
      {'d', 12}, {'s', 12}, {'a', 50}, // ... along the bottom, past B16
      {'s', 12}, {'a', 12}, {'w', 117}, // ... up beside the danger block
      {'a', 12}, {'w', 12}, {'d', 20}, // ... and right into B15 -> B16
      {'a', 8}, {'s', 72}, {'d', 65}, {'s', 34}, // a down-pointing block down
      {'w', 32}, {'d', 30}, {'s', 55}, {'a', 18}, {'w', 12}, {'a', 65}, // ... round B10 (nudging the last one off
                                                                          // B10 -> B11) and along the bottom
      {'s', 12}, {'a', 12}, {'w', 115}, // ... and up level with the first
      {'s', 58}, {'d', 35}, {'s', 34}, // the other right-pointing block down
      {'d', 12}, {'s', 12}, {'a', 35}, // ... along the bottom
      {'s', 12}, {'a', 12}, {'w', 17}, // ... and up level with B16
      {'s', 6}, {'d', 93}, {'w', 88}, {'a', 13}, {'w', 14}, // the block off B1 -> B2 up
      {'a', 12}, {'w', 12}, {'d', 18}, // ... and right, out of B10 -> B11
      {'a', 18}, {'w', 66}, {'d', 28}, {'s', 12}, // the block off B14 -> B15 down
      {'a', 28}, {'s', 165}, {'a', 90}, {'w', 12}, // to the memory
      {kWait, 120},
     }},
};
// clang-format on

} // namespace

const std::vector<WalkStep>& PuzzleWalk(int number) {
    static const std::vector<WalkStep> kNone;
    auto found = kWalks.find(number);
    return found == kWalks.end() ? kNone : found->second;
}

char WalkKeyAt(const std::vector<WalkStep>& walk, int frame) {
    int start = kWalkFirstFrame;
    for (const WalkStep& step : walk) {
        if (frame < start) {
            return kWait;
        }
        if (frame < start + step.frames) {
            return step.key;
        }
        start += step.frames + (step.key == kWait ? 0 : kReleaseFrames);
    }
    return kWait;
}

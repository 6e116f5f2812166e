#include "StateTable.h"

#include "StateCallbacks.h"

namespace {

// One row per state id. A null callback is skipped by the World; the story
// levels, puzzles and menu have an update that does nothing.
const StateCallbacks kCallbacks[GameState::Count] = {
    {MenuLoad, MenuInit, MenuUpdate},          // Menu
    {LoadStateLoad, nullptr, nullptr},         // Load
    {StoryLevelLoad, Level1Init, LevelUpdate}, // Level1
    {StoryLevelLoad, Level2Init, LevelUpdate}, // Level2
    {StoryLevelLoad, Level3Init, LevelUpdate}, // Level3
    {StoryLevelLoad, Level4Init, LevelUpdate}, // Level4
    {StoryLevelLoad, Level5Init, LevelUpdate}, // Level5
    {EditorLoad, EditorInit, EditorClick},     // LevelEditor
    {PuzzleLoad, Puzzle1Init, PuzzleUpdate},   // Puzzle1
    {Puzzle2Load, Puzzle2Init, PuzzleUpdate},  // Puzzle2
    {PuzzleLoad, Puzzle3Init, PuzzleUpdate},   // Puzzle3
    {PuzzleLoad, Puzzle4Init, PuzzleUpdate},   // Puzzle4
    {PuzzleLoad, Puzzle5Init, PuzzleUpdate},   // Puzzle5
    {nullptr, nullptr, nullptr},               // Restart
    {CustomLoad, CustomInit, nullptr},         // Custom
    {nullptr, nullptr, nullptr},               // Quit
    {WinLoad, WinInit, WinUpdate},             // Win
    {LoseLoad, LoseInit, LoseUpdate},          // Lose
    {LogoLoad, LogoInit, LogoUpdate},          // Logo
};

} // namespace

const StateCallbacks* StateTable() {
    return kCallbacks;
}

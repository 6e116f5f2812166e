// Moth Lantern: the callbacks each game state installs.
//
// Every state of the table in GameStateManager.cpp points at these. The load
// callbacks already set the level-wide globals their states own (grid size,
// game mode, darkness, camera following), so every level file reads at its
// own size and its walls look as they will in the game. The screens, level
// scripts, puzzle layouts and editor replace the bodies of this file as they
// arrive; until then init and update callbacks do nothing. The editor's and
// the Load dialog's callbacks live in Engine/editor, the Custom state's in
// Engine/screens/CustomLevel.
#pragma once

// ---- Load callbacks ----
void MenuLoad();       // main menu room; also the first step of the editor's load
void LoadStateLoad();  // chooser of exported levels
void StoryLevelLoad(); // Level1 to Level5
void EditorLoad();     // level editor
void PuzzleLoad();     // Puzzle1, 3, 4, 5: two beam segments
void Puzzle2Load();    // Puzzle2: three beam segments
void CustomLoad();     // an exported level
void WinLoad();
void LoseLoad();
void LogoLoad();

// ---- Init callbacks ----
void MenuInit();
void Level1Init();
void Level2Init();
void Level3Init();
void Level4Init();
void Level5Init();
void Puzzle1Init();
void Puzzle2Init();
void Puzzle3Init();
void Puzzle4Init();
void Puzzle5Init();
void WinInit();
void LoseInit();
void LogoInit();

// ---- Update callbacks ----
void MenuUpdate();
void LevelUpdate(); // shared by the five story levels
void EditorClick();
void PuzzleUpdate(); // shared by the five puzzles
void WinUpdate();
void LoseUpdate();
void LogoUpdate();

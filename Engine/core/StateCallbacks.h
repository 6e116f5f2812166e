// Moth Lantern: the callbacks each game state installs.
//
// Every state of the table in GameStateManager.cpp points at these. The load
// callbacks already set the level-wide globals their states own (grid size,
// game mode, darkness, camera following), so every level file reads at its
// own size and its walls look as they will in the game. The screens, level
// scripts and editor replace the bodies of this file as they arrive; until
// then init and update callbacks do nothing. The puzzle levels' callbacks
// live in PuzzleLevel, the editor's and the Load dialog's in Engine/editor,
// the Custom state's in Engine/screens/CustomLevel.
#pragma once
#include "PuzzleLevel.h"

// ---- Load callbacks ----
void MenuLoad();       // main menu room; also the first step of the editor's load
void LoadStateLoad();  // chooser of exported levels
void StoryLevelLoad(); // Level1 to Level5
void EditorLoad();     // level editor
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
void WinInit();
void LoseInit();
void LogoInit();

// ---- Update callbacks ----
void MenuUpdate();
void LevelUpdate(); // shared by the five story levels
void EditorClick();
void WinUpdate();
void LoseUpdate();
void LogoUpdate();

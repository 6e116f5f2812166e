// Moth Lantern: the callbacks each game state installs.
//
// The state table (app/StateTable.cpp) points every state at these. Each
// load sets the level-wide globals its state owns (grid size, game mode,
// darkness, camera following) and builds what survives a restart; each init,
// run again by a restart, builds the actors; each update runs the screen.
// They live with their screens: the story levels in screens/StoryLevel, the
// menu room in screens/MenuScene, the logo, lose and win screens in
// screens/PictureScreens, the puzzles in screens/PuzzleLevel, the Custom
// state in screens/CustomLevel, the editor and the Load dialog in editor/.
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
void EditorInit(); // the level editor's grid: the template or a kept one
void Level1Init();
void Level2Init();
void Level3Init();
void Level4Init();
void Level5Init();
void WinInit();
void LoseInit();
void LogoInit();
void CustomInit(); // the wanderer of an exported level, again at every restart

// ---- Update callbacks ----
void MenuUpdate();
void LevelUpdate(); // shared by the five story levels
void EditorClick();
void WinUpdate();
void LoseUpdate();
void LogoUpdate();

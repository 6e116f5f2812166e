// Moth Lantern: the small steps every state load shares.
//
// Each state's load sets the level-wide globals it owns: the game mode (which
// also picks the wall texture), the darkness unlit tiles fade to, whether the
// camera follows the player and whether the mouse cursor shows.
#pragma once
#include "Cursor.h"
#include "Globals.h"

// Darkness of unlit tiles: invisible in story levels, half lit in the menu
// room and editor, fully lit in the puzzle rooms.
constexpr float kStoryDark = 0.0f;
constexpr float kMenuDark = 0.5f;
constexpr float kPuzzleDark = 1.0f;

// Sets gDarkAlpha and gDefaultDarkAlpha.
void SetDarkness(float alpha);
// The World camera's follow flag; nothing without a World.
void SetCameraFollow(bool follow);
// The grid size of the state being entered, from its level table.
void SetGridOfCurrentState();
// The story levels' look, which custom levels share: the HUD, the light box,
// the floor, full darkness, the story mode (the lantern's switch and the pause
// menu's story controls) and the cursor.
void SetUpStoryLook();
// The logo, win and lose screens: a still view on the origin, health and
// charge full again, no music, the cursor shown.
void ScreenLoad();

class Player;

// The level's player at its start cell with its light (aimed along +x to
// begin with), the light handed to the light box when the level has one.
Player* AddPlayerWithLight();
// Stops whatever music plays and starts the loop of that file.
void PlayLevelMusic(const char* name);
void StopLevelMusic();

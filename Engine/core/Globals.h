// Moth Lantern: the few values that many parts of the game read every frame.
// Each is owned (written) by the part named beside it; everyone else only reads.
#pragma once

// ---- Object layers: the World's update and draw order ---------------------------
// Layers 0, 5 and 6 survive a restart.
namespace Layer {
enum : int {
    Level = 0,    // level placeholders, walls, block particles
    Items = 1,    // trap doors, spider nests, keys, batteries, memories
    Actors = 2,   // the player, spiders, pushable blocks
    Lights = 3,   // lights, light orbs, puzzle beams
    Effects = 4,  // other particles, tips
    Panels = 5,   // the camera, HUD backgrounds, the menu's panels
    Pictures = 6, // HUD foregrounds, pause menu, full-screen pictures
    Count = 7,
};
}

// ---- Frame and mouse (main loop, UpdateCursor) ------------------------------
extern float gFrameTime; // seconds of the last frame
extern float gMouseX;    // cursor in world units, y up
extern float gMouseY;
extern float gHalfWindowWidth;  // 512 for the 1024 x 768 window
extern float gHalfWindowHeight; // 384
extern bool gPaused;            // pause menu open: objects are not updated

// ---- Level grid (level data) --------------------------------------------------
extern float gGridWidth;  // cells across (a float: half a grid may be a half cell)
extern float gGridHeight; // cells down
extern float gTileSize;   // 50 world units per tile
extern float gPlayerStartX;
extern float gPlayerStartY;

// ---- Darkness (tiles) ---------------------------------------------------------
extern float gDarkAlpha;
extern float gDefaultDarkAlpha;

// ---- Mode (pause menu) ---------------------------------------------------------
namespace GameMode {
enum : int { Story = 0, Puzzle = 1, Menu = 2, Paused = 3, Screen = 4 };
}
extern int gGameMode; // a GameMode value: story, puzzle, menu or editor, paused, picture screens
extern bool gCreditsShown; // the menu room's credits panel is open

// ---- Player progress ------------------------------------------------------------
extern int gPlayerHealth;
extern float gLightCharge;
extern bool gHasKey;
extern int gMemoriesCollected;
extern float gIdlePhase; // the player's idle turn: 1 up, 2 right, 3 down, 4 left
extern bool gBlinkOn;    // the current half of the hurt blink (never reset)

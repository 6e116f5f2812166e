// Moth Lantern: the few values that many parts of the game read every frame.
// Each is owned (written) by the part named beside it; everyone else only reads.
#pragma once

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

// ---- Mode (0 story, 1 puzzle, 2 menu or editor, 3 pause menu, 4 logo/win/lose) --
extern int gGameMode;

// ---- Player progress ------------------------------------------------------------
extern int gPlayerHealth;
extern float gLightCharge;
extern bool gHasKey;
extern int gMemoriesCollected;
extern float gIdlePhase; // the player's idle turn: 1 up, 2 right, 3 down, 4 left
extern bool gBlinkOn;    // the current half of the hurt blink (never reset)

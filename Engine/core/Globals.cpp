#include "Globals.h"

float gFrameTime = 0.0f;
float gMouseX = 0.0f;
float gMouseY = 0.0f;
float gHalfWindowWidth = 512.0f;
float gHalfWindowHeight = 384.0f;
bool gPaused = false;

float gGridWidth = 31.0f;
float gGridHeight = 31.0f;
float gTileSize = 50.0f;
float gPlayerStartX = 0.0f;
float gPlayerStartY = 0.0f;

float gDarkAlpha = 0.0f;
float gDefaultDarkAlpha = 0.0f;

int gGameMode = 0;
bool gCreditsShown = false;

int gPlayerHealth = 100;
float gLightCharge = 360.0f;
bool gHasKey = false;
int gMemoriesCollected = 0;
float gIdlePhase = 0.0f;
bool gBlinkOn = false;

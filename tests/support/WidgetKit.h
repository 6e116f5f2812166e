// Helpers for the widget suites: a small picture folder, left clicks through
// the engine's real input pump, and running the World's deferred removals.
#pragma once
#include "GameGlobals.h"
#include "TestEnv.h"

#include <initializer_list>
#include <string>

namespace moth_test {

// Opens the engine window and loads an asset folder holding one small PNG of
// each given name, each of its own colour, so every name has its own texture.
class PictureAssets {
  public:
    PictureAssets(GameGlobals& globals, std::initializer_list<const char*> names);
    bool ok = false; // false without a display or when a file could not be written

  private:
    TempDir folder;
};

// Moves the mouse to a screen offset (from the window centre, y up), through
// the engine's events, for the next input snapshot.
void PointAt(float x, float y);
// Puts the left mouse button down or up, where the mouse last pointed.
void SetLeftButton(bool down);
// The event pump of one frame's end and the input snapshot of the next.
void NextInputFrame();
// One frame of the World: the input snapshot, then its update (the pause
// menu only, while paused) with the deferred removals.
void RunFrame(World& world);
// Makes every frame the World's update sees last `seconds`, as the playtest
// driver's fixed step does; 0 gives the clock back.
void UseFixedFrameTime(double seconds);
// A left click at a screen offset: a frame with the button down, one with it up.
void ClickAt(World& world, float x, float y);
// Removes the state's callbacks, so a test sees its own widgets only and not
// those the state's scripts would make.
void WithoutStateScripts(GameStateManager& states);
// Deletes the objects marked for removal, as the end of a World update does
// (run as a paused frame, so no object updates meanwhile).
void ApplyRemovals(World& world);

} // namespace moth_test

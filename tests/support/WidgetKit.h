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

// Puts the left mouse button down or up for the next input snapshot.
void SetLeftButton(bool down);
// The event pump of one frame's end and the input snapshot of the next.
void NextInputFrame();
// Deletes the objects marked for removal, as the end of a World update does
// (run as a paused frame, so no object updates meanwhile).
void ApplyRemovals(World& world);

} // namespace moth_test

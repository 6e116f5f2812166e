// Moth Lantern: keys, batteries, trap doors and their places in a story level.
//
// A story level hides one key and a handful of batteries on random free
// cells. The key opens the level's trap doors; a battery tops up the
// lantern's charge. The level script places them with PlaceKey and
// PlaceBatteries; the collision manager calls PickUpKey, PickUpBattery and
// OpenTrapDoor when the player walks into one.
#pragma once
#include "GameObject.h"
#include "GameStateManager.h"

#include <vector>

class Battery;
class Key;
class TrapDoor;

// ---- Light charge -----------------------------------------------------------------

constexpr float kMaxLightCharge = 360.0f;
constexpr float kBatteryCharge = 30.0f;
constexpr int kFullHealth = 100;

// ---- Random places ------------------------------------------------------------------

// Appends `count` centres of random free cells to `positions`, never on the
// player's start cell or next to it, each at least `minDistance` from every
// position already in the list. When a few thousand
// draws find no cell that far away the distance is dropped for that position;
// when there is no free cell at all the placing stops. Returns how many were
// appended.
int PlaceRandomly(std::vector<TarnVec2>& positions, int count, float minDistance);

// ---- Level set-up (called by the story level scripts at every level start) ----------

// Puts the level's key in layer 1 unless it has already been picked up. Its
// place is chosen once, when `keyPositions` is empty, and kept there: the
// level load empties the list, a restart keeps it, so the key stays put
// across restarts. Returns the key, or null when none was placed.
Key* PlaceKey(std::vector<TarnVec2>& keyPositions);

// Puts `count` batteries in layer 1 on random free cells at least 200 units
// apart, fresh places every time (a restart scatters them anew).
void PlaceBatteries(int count);
// A key or a battery on a cell's centre, where a custom level's maker put it
// (tile codes 5 and 6).
Key* MakeKeyAt(const TarnVec2& at);
Battery* MakeBatteryAt(const TarnVec2& at);
// The batteries of a story level: 5 in the first, 5 more in each next one;
// none outside the story levels.
int BatteriesInLevel(GameStateId level);

// ---- Pick-ups (collision manager, player contact) ------------------------------------

// The player takes the key: it leaves the level, gHasKey is set and every
// trap door shows itself open.
void PickUpKey(Key* key);

// The player takes a battery: +30 charge up to the 360 maximum.
void PickUpBattery(Battery* battery);

// The player steps on a trap door while holding the key: the player freezes
// and the door's fade starts; once it is done the door changes the state (a
// custom level's door first shows its "level complete" picture a moment). A
// door already opening is left alone.
void OpenTrapDoor(TrapDoor* door);

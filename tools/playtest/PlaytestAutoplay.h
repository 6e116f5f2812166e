// Playtest autoplay: the game plays itself through the real input path.
//
// Every frame the autoplayer looks at the game (state, the player, the level
// grid, keys, trap doors) and decides which keys to hold and where to click;
// it only ever produces SDL events, which the driver pushes through the same
// event pump a player's keyboard and mouse go through. It walks story levels
// to the key and then to a trap door, replays a recorded walk that solves
// each puzzle, walks the menu room's player to its own trap door (which
// continues a saved game; it walks round the new game's door) and clicks
// through the screens.
#pragma once
#include "TarnMath.h"

#include <SDL.h>
#include <vector>

// A cell of the level grid: column from the left, row from the bottom.
struct GridCell {
    int column = 0;
    int row = 0;
    bool operator==(const GridCell& other) const {
        return column == other.column && row == other.row;
    }
};

// Cheapest walkable route from `from` to the nearest of `goals` on the level's
// collision grid, `from` first; empty when none can be reached. Every step
// costs one, more near any of `dangers` (the spiders' cells).
std::vector<GridCell> FindGridRoute(const GridCell& from, const std::vector<GridCell>& goals,
                                    const std::vector<GridCell>& dangers);

class PlaytestAutoplay {
  public:
    // The events to push before frame `frame`'s input snapshot.
    std::vector<SDL_Event> EventsFor(int frame);

  private:
    // Walks towards the nearest goal, round spiders and the cells to avoid.
    void WalkTo(const std::vector<GridCell>& goals, const std::vector<GridCell>& avoid = {});
    void PlayPuzzle(int number);
    void AimAhead(const TarnVec2& position, SDL_Keycode key);
    void ClickWhenReady(int readyAfterFrames);
    // Keeps exactly `key` held (0 releases everything).
    void Hold(SDL_Keycode key);
    void Click();

    std::vector<SDL_Event> events;
    SDL_Keycode held = 0;
    bool buttonDown = false;
    int state = -1;
    int framesInState = 0;
};

// Playtest chaos: random keys, mouse moves and clicks, and jumps between
// states, for soak runs that look for crashes, leaks and sanitizer findings
// in every state. Its own generator keeps the game's random source untouched.
#pragma once
#include <SDL.h>
#include <random>
#include <vector>

class PlaytestChaos {
  public:
    // stateEvery: frames between random state jumps (0: never jump).
    PlaytestChaos(unsigned seed, int stateEvery) : random(seed), stateEvery(stateEvery) {}
    // The events to push before frame `frame`'s input snapshot.
    std::vector<SDL_Event> EventsFor(int frame);

  private:
    int Uniform(int low, int high);
    void PressOrReleaseKey(std::vector<SDL_Event>* events);
    void MoveOrClickMouse(std::vector<SDL_Event>* events);

    std::mt19937 random;
    int stateEvery;
    std::vector<SDL_Keycode> held;
};

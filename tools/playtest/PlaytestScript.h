// Playtest scripts: timed input events by frame number.
//
// One event per line, '#' starts a comment:
//   FRAME key down|up NAME        NAME: a..z, 0..9, esc, enter, space, tab,
//                                 backspace, shift, ctrl, alt, left, right, up,
//                                 down, f1..f12
//   FRAME mouse move X Y          logical window pixels, origin top-left
//   FRAME mouse screen X Y        the window's own pixels (bars included)
//   FRAME mouse down|up left|right|middle
//   FRAME window close            as if the player closed the window
//   FRAME state ID                requests a state change (writes `next`)
// Events of frame N reach the game in frame N's input snapshot.
#pragma once
#include <SDL.h>
#include <map>
#include <string>
#include <vector>

struct PlaytestScript {
    // Parses the script text; false with a message in `error` on a bad line.
    bool Parse(const std::string& text, std::string* error);
    // The SDL events to inject before frame `frame`.
    const std::vector<SDL_Event>* EventsFor(int frame) const;

    std::map<int, std::vector<SDL_Event>> events;
};

// A state request travels as a user event whose code is the state id.
constexpr Uint32 kPlaytestStateEvent = SDL_USEREVENT;

// Marks a mouse move given in the window's own pixels (not mapped through the
// picture's placement).
constexpr Uint32 kPlaytestWindowPixels = 0x57494E44;

// SDL key code for a script key name, SDLK_UNKNOWN when there is none.
SDL_Keycode PlaytestKeyFromName(const std::string& name);

#include "PlaytestChaos.h"

#include "GameStateManager.h"
#include "PlaytestScript.h"

#include <algorithm>

namespace {

// The keys the game reads, plus the ones the screens and dialogs react to.
const SDL_Keycode kKeys[] = {SDLK_w,    SDLK_a,      SDLK_s,      SDLK_d,     SDLK_f,
                             SDLK_r,    SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE, SDLK_UP,
                             SDLK_DOWN, SDLK_LCTRL,  SDLK_z,      SDLK_TAB,   SDLK_BACKSPACE};
const Uint8 kButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT};

} // namespace

int PlaytestChaos::Uniform(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::vector<SDL_Event> PlaytestChaos::EventsFor(int frame) {
    std::vector<SDL_Event> events;
    if (Uniform(0, 3) == 0) {
        PressOrReleaseKey(&events);
    }
    if (Uniform(0, 2) == 0) {
        MoveOrClickMouse(&events);
    }
    if (stateEvery > 0 && frame > 0 && frame % stateEvery == 0) {
        SDL_Event jump{};
        jump.type = kPlaytestStateEvent;
        do {
            jump.user.code = Uniform(0, GameState::Count - 1);
        } while (jump.user.code == GameState::Quit);
        events.push_back(jump);
    }
    return events;
}

void PlaytestChaos::PressOrReleaseKey(std::vector<SDL_Event>* events) {
    SDL_Keycode key = kKeys[Uniform(0, static_cast<int>(std::size(kKeys)) - 1)];
    auto found = std::find(held.begin(), held.end(), key);
    bool down = found == held.end();
    if (down) {
        held.push_back(key);
    } else {
        held.erase(found);
    }
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    events->push_back(event);
}

void PlaytestChaos::MoveOrClickMouse(std::vector<SDL_Event>* events) {
    SDL_Event event{};
    int choice = Uniform(0, 3);
    if (choice < 2) {
        event.type = SDL_MOUSEMOTION;
        event.motion.x = Uniform(-50, 1074);
        event.motion.y = Uniform(-50, 818);
    } else {
        event.type = choice == 2 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = kButtons[Uniform(0, 1)];
    }
    events->push_back(event);
}

#include "PlaytestScript.h"

#include <sstream>

SDL_Keycode PlaytestKeyFromName(const std::string& name) {
    if (name.size() == 1 &&
        ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9'))) {
        return static_cast<SDL_Keycode>(name[0]);
    }
    static const std::map<std::string, SDL_Keycode> kNamed = {
        {"esc", SDLK_ESCAPE},   {"enter", SDLK_RETURN},        {"space", SDLK_SPACE},
        {"tab", SDLK_TAB},      {"backspace", SDLK_BACKSPACE}, {"delete", SDLK_DELETE},
        {"shift", SDLK_LSHIFT}, {"ctrl", SDLK_LCTRL},          {"alt", SDLK_LALT},
        {"left", SDLK_LEFT},    {"right", SDLK_RIGHT},         {"up", SDLK_UP},
        {"down", SDLK_DOWN}};
    auto found = kNamed.find(name);
    if (found != kNamed.end()) {
        return found->second;
    }
    if (name.size() >= 2 && name[0] == 'f') {
        int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 12) {
            return SDLK_F1 + (number - 1);
        }
    }
    return SDLK_UNKNOWN;
}

namespace {

bool ParseKey(std::istringstream& line, SDL_Event* event) {
    std::string action, name;
    line >> action >> name;
    SDL_Keycode key = PlaytestKeyFromName(name);
    if ((action != "down" && action != "up") || key == SDLK_UNKNOWN) {
        return false;
    }
    event->type = action == "down" ? SDL_KEYDOWN : SDL_KEYUP;
    event->key.keysym.sym = key;
    event->key.state = action == "down" ? SDL_PRESSED : SDL_RELEASED;
    return true;
}

bool ParseMouse(std::istringstream& line, SDL_Event* event) {
    std::string action;
    line >> action;
    if (action == "move" || action == "screen") {
        event->type = SDL_MOUSEMOTION;
        event->motion.which = action == "screen" ? kPlaytestWindowPixels : 0;
        return static_cast<bool>(line >> event->motion.x >> event->motion.y);
    }
    std::string button;
    line >> button;
    static const std::map<std::string, Uint8> kButtons = {
        {"left", SDL_BUTTON_LEFT}, {"right", SDL_BUTTON_RIGHT}, {"middle", SDL_BUTTON_MIDDLE}};
    auto found = kButtons.find(button);
    if ((action != "down" && action != "up") || found == kButtons.end()) {
        return false;
    }
    event->type = action == "down" ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event->button.button = found->second;
    return true;
}

bool ParseWindow(std::istringstream& line, SDL_Event* event) {
    std::string action;
    line >> action;
    event->type = SDL_WINDOWEVENT;
    event->window.event = SDL_WINDOWEVENT_CLOSE;
    return action == "close";
}

bool ParseState(std::istringstream& line, SDL_Event* event) {
    event->type = kPlaytestStateEvent;
    return static_cast<bool>(line >> event->user.code);
}

bool ParseEvent(const std::string& device, std::istringstream& line, SDL_Event* event) {
    if (device == "key") {
        return ParseKey(line, event);
    }
    if (device == "mouse") {
        return ParseMouse(line, event);
    }
    if (device == "window") {
        return ParseWindow(line, event);
    }
    return device == "state" && ParseState(line, event);
}

} // namespace

bool PlaytestScript::Parse(const std::string& text, std::string* error) {
    std::istringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        std::string content = raw.substr(0, raw.find('#'));
        std::istringstream line(content);
        int frame = -1;
        std::string device;
        if (!(line >> frame)) {
            if (content.find_first_not_of(" \t\r") == std::string::npos) {
                continue; // blank or comment
            }
        }
        line >> device;
        SDL_Event event{};
        bool ok = frame >= 0 && ParseEvent(device, line, &event);
        if (!ok) {
            *error = "line " + std::to_string(number) + ": cannot read \"" + raw + "\"";
            return false;
        }
        events[frame].push_back(event);
    }
    return true;
}

const std::vector<SDL_Event>* PlaytestScript::EventsFor(int frame) const {
    auto found = events.find(frame);
    return found == events.end() ? nullptr : &found->second;
}

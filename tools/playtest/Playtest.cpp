// Playtest driver: runs the real game loop (same start-up, states and World)
// with scripted input, a fixed frame time and screenshots, for tests and for
// people reproducing a bug.
//
//   playtest [--state ID] [--frames N] [--fixed-step] [--windowed] [--seed N]
//            [--autoplay] [--chaos N] [--memories N] [--health N] [--until-state S[:N]]
//            [--script FILE] [--trace FILE]
//            [--shot FRAME:PATH.png]... [--custom-level NAME] [--unbatched] [--user-files]
#include "Game.h"
#include "Globals.h"
#include "LevelData.h"
#include "PlayerFiles.h"
#include "PlaytestAutoplay.h"
#include "PlaytestChaos.h"
#include "PlaytestScript.h"
#include "PlaytestTrace.h"
#include "ScreenCommon.h"
#include "Settings.h"
#include "Tarn.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <png.h>
#include <sstream>
#include <vector>

namespace {

// Ends the run at the Nth entry into a state.
struct StopAtState {
    int state = -1;
    int entries = 1;
    int seen = 0;
    int last = -1;

    bool Reached(int current) {
        const bool entered = current == state && last != state;
        last = current;
        return entered && ++seen >= entries;
    }
};

struct Options {
    GameRunOptions run;
    std::string scriptPath;
    std::string tracePath;
    unsigned seed = 0;
    bool seeded = false;
    bool autoplay = false;
    bool windowed = false;
    bool userFiles = false; // settings and progress in the player's folders, as the game keeps them
    bool unbatched = false; // every quad its own draw call (to compare pictures)
    int memories = 0;       // memories already collected when the run starts
    int health = 100;       // the player's health when the run starts
    StopAtState until;
    int chaosStateEvery = -1;                      // -1: no chaos input
    std::map<int, std::vector<std::string>> shots; // frame -> PNG paths
};

void Usage() {
    std::fprintf(
        stderr, "usage: playtest [--state ID] [--frames N] [--fixed-step] [--windowed] [--seed N]\n"
                "                [--autoplay] [--chaos N] [--memories N] [--health N] "
                "[--until-state S[:N]]\n"
                "                [--script FILE] [--trace FILE] [--shot FRAME:PATH.png]...\n"
                "                [--custom-level NAME] [--unbatched] [--user-files]\n");
}

// "S" or "S:N": the state, and how many entries into it end the run.
void ParseUntilState(const char* value, Options* options) {
    options->until.state = std::atoi(value);
    if (const char* colon = std::strchr(value, ':')) {
        options->until.entries = std::max(1, std::atoi(colon + 1));
    }
}

bool ParseShot(const char* value, Options* options) {
    const char* colon = std::strchr(value, ':');
    if (!colon || colon == value || colon[1] == '\0') {
        return false;
    }
    options->shots[std::atoi(value)].push_back(colon + 1);
    return true;
}

// Plays an exported level as if it had been chosen in the Load dialog.
void StartCustomLevel(const char* name, Options* options) {
    gCustomLevelName = name;
    options->run.firstState = GameState::Custom;
}

bool ParseArguments(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--fixed-step") {
            options->run.fixedStep = true;
        } else if (arg == "--chaos" && hasValue) {
            options->chaosStateEvery = std::atoi(argv[++i]);
        } else if (arg == "--unbatched") {
            options->unbatched = true;
        } else if (arg == "--autoplay") {
            options->autoplay = true;
        } else if (arg == "--windowed") {
            options->windowed = true;
        } else if (arg == "--user-files") {
            options->userFiles = true;
        } else if (arg == "--state" && hasValue) {
            options->run.firstState = std::atoi(argv[++i]);
        } else if (arg == "--frames" && hasValue) {
            options->run.maxFrames = std::atoi(argv[++i]);
        } else if (arg == "--script" && hasValue) {
            options->scriptPath = argv[++i];
        } else if (arg == "--custom-level" && hasValue) {
            StartCustomLevel(argv[++i], options);
        } else if (arg == "--trace" && hasValue) {
            options->tracePath = argv[++i];
        } else if (arg == "--until-state" && hasValue) {
            ParseUntilState(argv[++i], options);
        } else if (arg == "--health" && hasValue) {
            options->health = std::atoi(argv[++i]);
        } else if (arg == "--memories" && hasValue) {
            options->memories = std::atoi(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            options->seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
            options->seeded = true;
        } else if (arg == "--shot" && hasValue) {
            if (!ParseShot(argv[++i], options)) {
                return false;
            }
        } else {
            return false;
        }
    }
    GameStateId first = options->run.firstState;
    const bool memoriesOk = options->memories >= 0 && options->memories <= 4;
    return memoriesOk && first >= 0 && first < GameState::Count && first != GameState::Restart &&
           first != GameState::Quit;
}

// Writes the window's picture (the frame just drawn, bars included) as a PNG,
// top row first.
bool SaveScreenshot(const std::string& path) {
    TarnGfxPresentPicture();
    int width = 0;
    int height = 0;
    TarnSysGetWindowPixels(&width, &height);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    TarnGfxFlush(); // quads still gathered for one draw call
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    for (size_t i = 3; i < pixels.size(); i += 4) {
        pixels[i] = 255; // the picture on screen is opaque
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // A negative row stride writes GL's bottom-up rows top row first.
    png_int_32 stride = -static_cast<png_int_32>(width * 4);
    return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), stride, nullptr) != 0;
}

// The modifier a scripted key press of Alt, Ctrl or Shift holds down.
Uint16 ModifierOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_LALT:
        return KMOD_LALT;
    case SDLK_LCTRL:
        return KMOD_LCTRL;
    case SDLK_LSHIFT:
        return KMOD_LSHIFT;
    default:
        return KMOD_NONE;
    }
}

void InjectEvents(const std::vector<SDL_Event>& events) {
    static Sint32 mouseX = 0; // where the script last moved the mouse
    static Sint32 mouseY = 0;
    static Uint16 modifiers = KMOD_NONE; // held by the script, as SDL tracks a keyboard's
    for (SDL_Event event : events) {
        if (event.type == kPlaytestStateEvent) {
            gGameStateManager->next = event.user.code;
            continue;
        }
        if (event.type == SDL_WINDOWEVENT) {
            event.window.windowID =
                SDL_GetWindowID(static_cast<SDL_Window*>(TarnSysGetWindowHandle()));
        }
        if (event.type == SDL_MOUSEMOTION && event.motion.which != kPlaytestWindowPixels) {
            // Scripts speak logical pixels; the window reports its own, through
            // the picture's placement.
            const TarnViewRect picture = TarnSysGetPictureRect();
            TarnSysLogicalToWindow(&picture, TarnGetWindowWidth(), TarnGetWindowHeight(),
                                   event.motion.x, event.motion.y, &event.motion.x,
                                   &event.motion.y);
        }
        if (event.type == SDL_MOUSEMOTION) {
            mouseX = event.motion.x;
            mouseY = event.motion.y;
        }
        if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
            const Uint16 modifier = ModifierOf(event.key.keysym.sym);
            modifiers =
                event.type == SDL_KEYDOWN ? (modifiers | modifier) : (modifiers & ~modifier);
            event.key.keysym.mod = modifiers; // so Alt+Enter reads as it does from a keyboard
        }
        if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
            // A button event carries the cursor position, as a real one does.
            event.button.x = mouseX;
            event.button.y = mouseY;
        }
        SDL_PushEvent(&event);
    }
}

bool LoadScript(const std::string& path, PlaytestScript* script) {
    if (path.empty()) {
        return true;
    }
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "playtest: cannot open script %s\n", path.c_str());
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (!script->Parse(text.str(), &error)) {
        std::fprintf(stderr, "playtest: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

// One frame's input: the script's, the autoplayer's and the chaos monkey's
// events, through the real event pump into the key states.
void FeedInput(int frame, const Options& options, const PlaytestScript& script,
               PlaytestAutoplay& autoplay, PlaytestChaos& chaos) {
    if (const std::vector<SDL_Event>* events = script.EventsFor(frame)) {
        InjectEvents(*events);
    }
    if (options.autoplay) {
        InjectEvents(autoplay.EventsFor(frame));
    }
    if (options.chaosStateEvery >= 0) {
        InjectEvents(chaos.EventsFor(frame));
    }
    TarnSysUpdate();
}

// After a frame is drawn: where the run goes next, and the screenshots asked
// for at this frame. False when a screenshot could not be written.
bool AfterDraw(int frame, Options& options) {
    // A chaos click can land on the menu room's Quit button: the run goes on
    // in the menu room instead, so a soak lasts all its frames (the frame
    // limit and a closed window still end it, after this hook).
    if (options.chaosStateEvery >= 0 && gGameStateManager->next == GameState::Quit) {
        gGameStateManager->next = GameState::Menu;
    }
    if (options.until.Reached(gGameStateManager->current)) {
        gGameStateManager->next = GameState::Quit;
    }
    auto found = options.shots.find(frame);
    if (found == options.shots.end()) {
        return true;
    }
    bool written = true;
    for (const std::string& path : found->second) {
        if (!SaveScreenshot(path)) {
            std::fprintf(stderr, "playtest: cannot write %s\n", path.c_str());
            written = false;
        }
    }
    return written;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    PlaytestScript script;
    if (!ParseArguments(argc, argv, &options)) {
        Usage();
        return 2;
    }
    if (!LoadScript(options.scriptPath, &script)) {
        return 2;
    }
    PlaytestTrace trace;
    if (!options.tracePath.empty() && !trace.Open(options.tracePath)) {
        return 2;
    }
    if (!GameDataFound()) {
        return 1;
    }
    if (options.userFiles) {
        UsePlayerFolders();
    }
    options.run.fullScreen = !options.windowed && gSettings.fullScreen;
    if (!StartEngine(options.run.fullScreen)) {
        return 1;
    }
    // Input comes from the script and the autoplayer: a focus change on the
    // desktop (another window opening) must not let go of their keys, nor
    // pause the game under them.
    TarnSysKeepKeysOnFocusLoss(1);
    options.run.pauseOnFocusLoss = false;
    TarnGfxSetBatching(options.unbatched ? 0 : 1);
    // The same seed, script and fixed step give the same frames.
    SeedGameRandom(options.seeded ? options.seed : TimeSeed());
    bool shotsOk = true;
    PlaytestAutoplay autoplay;
    PlaytestChaos chaos(options.seeded ? options.seed : 1u, options.chaosStateEvery);
    options.run.beforeInput = [&](int frame) {
        trace.MarkFrameStart();
        FeedInput(frame, options, script, autoplay, chaos);
    };
    options.run.afterDraw = [&](int frame) {
        trace.Write(frame);
        shotsOk = AfterDraw(frame, options) && shotsOk;
    };
    GameInit();
    gMemoriesCollected = options.memories;
    gPlayerHealth = options.health;
    int status = RunGame(options.run);
    GameShutdown();
    TarnSysExit();
    return shotsOk && trace.Ok() ? status : 1;
}

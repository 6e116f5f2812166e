#include "PlaytestTrace.h"

#include "AI.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "PuzzleManager.h"
#include "World.h"

#include <cstdio>

PlaytestTrace::~PlaytestTrace() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool PlaytestTrace::Open(const std::string& path) {
    file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        std::fprintf(stderr, "playtest: cannot write trace %s\n", path.c_str());
        return false;
    }
    return true;
}

void PlaytestTrace::Write(int frame) {
    if (file == nullptr) {
        return;
    }
    std::string line = PlaytestTraceLine(frame) + "\n";
    if (std::fputs(line.c_str(), file) < 0) {
        ok = false;
    }
}

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

std::string PlayerField() {
    const ActiveObject* player = gWorld != nullptr ? gWorld->GetPlayer() : nullptr;
    if (player == nullptr) {
        return "null";
    }
    TarnVec2 pos = player->GetPos();
    char text[64];
    std::snprintf(text, sizeof text, "[%.3f,%.3f]", pos.x, pos.y);
    return text;
}

} // namespace

std::string PlaytestTraceLine(int frame) {
    int state = gGameStateManager != nullptr ? gGameStateManager->current : -1;
    bool solved = gPuzzleManager != nullptr && gPuzzleManager->solved;
    char text[512];
    std::snprintf(text, sizeof text,
                  "{\"frame\":%d,\"state\":%d,\"mode\":%d,\"player\":%s,\"health\":%d,"
                  "\"charge\":%.3f,\"key\":%s,\"memories\":%d,\"spiders\":%d,\"paused\":%s,"
                  "\"solved\":%s}",
                  frame, state, gGameMode, PlayerField().c_str(), gPlayerHealth,
                  static_cast<double>(gLightCharge), Bool(gHasKey), gMemoriesCollected,
                  gSpiderCount, Bool(gPaused), Bool(solved));
    return text;
}

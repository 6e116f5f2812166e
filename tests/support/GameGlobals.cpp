#include "GameGlobals.h"

#include "Globals.h"

#include <cstdio>
#include <cstdlib>

namespace moth_test {

GameGlobals::GameGlobals(unsigned which, GameStateId state) {
    Make<World>(which & kWorld);
    Make<CollisionManager>(which & kCollisions);
    Make<LightManager>(which & kLights);
    Make<PuzzleManager>(which & kPuzzles);
    Make<AIManager>(which & kSpiders);
    Make<PlayerAnimator>(which & kAnimator);
    Make<LevelData>(which & kLevel);
    Make<GameStateManager>(which & kStates, state);
    PointGlobals(true);
    gPaused = false;
}

GameGlobals::~GameGlobals() {
    // Again, as a test may have pointed a global at a manager of its own that is
    // gone by now; Free and Unload must tell only live managers what they delete.
    PointGlobals(true);
    if (World* world = Find<World>()) {
        world->Free();
        world->Unload();
    }
    PointGlobals(false);
    gPaused = false;
}

AssetManager& GameGlobals::LoadAssets(const std::string& folder) {
    assets = std::make_unique<AssetManager>(folder);
    gAssetManager = assets.get();
    return *assets;
}

void GameGlobals::PointGlobals(bool atOurs) const {
    gWorld = atOurs ? Find<World>() : nullptr;
    gCollisionManager = atOurs ? Find<CollisionManager>() : nullptr;
    gLightManager = atOurs ? Find<LightManager>() : nullptr;
    gPuzzleManager = atOurs ? Find<PuzzleManager>() : nullptr;
    gAIManager = atOurs ? Find<AIManager>() : nullptr;
    gPlayerAnimator = atOurs ? Find<PlayerAnimator>() : nullptr;
    gLevelData = atOurs ? Find<LevelData>() : nullptr;
    gGameStateManager = atOurs ? Find<GameStateManager>() : nullptr;
    gAssetManager = atOurs ? assets.get() : nullptr;
}

void GameGlobals::NotAskedFor() {
    std::fprintf(stderr, "GameGlobals::Get: that manager was not asked for\n");
    std::abort();
}

} // namespace moth_test

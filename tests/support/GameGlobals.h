// Installs the game's whole set of managers for one test and removes them
// afterwards, exactly as the game makes and connects them.
#pragma once
#include "AIManager.h"
#include "AssetManager.h"
#include "AudioManager.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "KeyBindings.h"
#include "LevelData.h"
#include "LightManager.h"
#include "PlayerAnimator.h"
#include "PuzzleManager.h"
#include "World.h"

#include <string>

namespace moth_test {

// Puts every value global of the game (frame, grid, darkness, mode, progress,
// the screens' and menus' flags and timers) back to its start-up value.
void ResetGameGlobals();

// The game's managers, made by GameInit with an empty asset folder (so no
// window is needed and audio plays silence). On destruction the World's objects are freed and
// unloaded while the managers still stand, then GameShutdown deletes them and every global is
// reset.
class GameGlobals {
  public:
    // The game-state manager in Level1 with no state scripts.
    GameGlobals();
    // The game-state manager in `state` with the state's scripts.
    explicit GameGlobals(GameStateId state);
    ~GameGlobals();
    GameGlobals(const GameGlobals&) = delete;
    GameGlobals& operator=(const GameGlobals&) = delete;

    // Replaces the asset manager with one of this folder (its name ends in
    // '/'); textures need the engine window to be open.
    AssetManager& LoadAssets(const std::string& folder);

    // The installed manager of that type: Get<World>(), Get<LevelData>()...
    template <typename T> T& Get() const { return *Global(static_cast<T*>(nullptr)); }

  private:
    static World* Global(World*) { return gWorld; }
    static CollisionManager* Global(CollisionManager*) { return gCollisionManager; }
    static LightManager* Global(LightManager*) { return gLightManager; }
    static PuzzleManager* Global(PuzzleManager*) { return gPuzzleManager; }
    static AIManager* Global(AIManager*) { return gAIManager; }
    static PlayerAnimator* Global(PlayerAnimator*) { return gPlayerAnimator; }
    static LevelData* Global(LevelData*) { return gLevelData; }
    static GameStateManager* Global(GameStateManager*) { return gGameStateManager; }
    static AssetManager* Global(AssetManager*) { return gAssetManager; }
    static AudioManager* Global(AudioManager*) { return gAudioManager; }
    static KeyBindings* Global(KeyBindings*) { return gKeyBindings; }
};

} // namespace moth_test

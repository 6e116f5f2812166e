// Installs the game's global managers for one test and removes them afterwards.
#pragma once
#include "AIManager.h"
#include "AssetManager.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "LevelData.h"
#include "LightManager.h"
#include "PlayerAnimator.h"
#include "PuzzleManager.h"
#include "World.h"

#include <memory>
#include <string>
#include <tuple>

namespace moth_test {

// The managers a GameGlobals makes; combine with |.
enum Manager : unsigned {
    kWorld = 1u << 0,
    kCollisions = 1u << 1,
    kLights = 1u << 2,
    kPuzzles = 1u << 3,
    kSpiders = 1u << 4,
    kAnimator = 1u << 5,
    kLevel = 1u << 6,
    kStates = 1u << 7,
};

// Fresh instances of the managers asked for, each installed in its global
// (gWorld, gCollisionManager, ...) for the life of this object. On destruction
// the World's objects are freed and unloaded while the managers still stand,
// then every manager global is null again and gPaused is false.
class GameGlobals {
  public:
    // `state` is the initial state of the game-state manager, made only with kStates.
    explicit GameGlobals(unsigned managers, GameStateId state = GameState::Level1);
    ~GameGlobals();
    GameGlobals(const GameGlobals&) = delete;
    GameGlobals& operator=(const GameGlobals&) = delete;

    // Loads an asset folder (its name ends in '/') and installs it as
    // gAssetManager; textures need the engine window to be open.
    AssetManager& LoadAssets(const std::string& folder);

    // The instance of a manager that was asked for: Get<World>(), Get<LevelData>()...
    template <typename T> T& Get() const {
        T* manager = Find<T>();
        if (manager == nullptr) {
            NotAskedFor(); // a reference cannot report the mistake softly
        }
        return *manager;
    }

  private:
    template <typename T> T* Find() const { return std::get<std::unique_ptr<T>>(managers).get(); }
    template <typename T, typename... Args> void Make(bool wanted, Args... args) {
        if (wanted) {
            std::get<std::unique_ptr<T>>(managers) = std::make_unique<T>(args...);
        }
    }
    // Points every manager global at the instance held here (null when none
    // was asked for), or with `atOurs` false at null.
    void PointGlobals(bool atOurs) const;
    [[noreturn]] static void NotAskedFor();

    // Declared first so it goes last: objects may still point at its textures.
    std::unique_ptr<AssetManager> assets;
    std::tuple<std::unique_ptr<World>, std::unique_ptr<CollisionManager>,
               std::unique_ptr<LightManager>, std::unique_ptr<PuzzleManager>,
               std::unique_ptr<AIManager>, std::unique_ptr<PlayerAnimator>,
               std::unique_ptr<LevelData>, std::unique_ptr<GameStateManager>>
        managers;
};

} // namespace moth_test

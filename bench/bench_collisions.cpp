// Per-frame cost of the collision manager in the largest story level (Level5,
// 31 x 31): the player and 20 spiders walking about, 25 batteries and a key
// on the floor. Pure game logic: no window, no drawing.
#include "AIManager.h"
#include "BenchUtil.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "Player.h"
#include "Tarn.h"
#include "Tilemap.h"
#include "World.h"

#include <cstdio>
#include <random>
#include <vector>

namespace {

class Spider : public ActiveObject {
  public:
    Spider(float x, float y) : ActiveObject(2, x, y, nullptr, true, false, 40.0f, 40.0f) {}
    void Init() override {}
    void Update() override {}
};

// Centres of the walkable cells of the loaded level.
std::vector<TarnVec2> FloorCells(const CollisionManager& collisions) {
    std::vector<TarnVec2> cells;
    for (int x = 0; x < static_cast<int>(gGridWidth); ++x) {
        for (int y = 0; y < static_cast<int>(gGridHeight); ++y) {
            if (collisions.CellAt(x, y) == 0) {
                cells.push_back(TarnVec2{(x + 0.5f - gGridWidth / 2.0f) * gTileSize,
                                         (y + 0.5f - gGridHeight / 2.0f) * gTileSize});
            }
        }
    }
    return cells;
}

TarnVec2 RandomStep(std::mt19937& random, float speed) {
    const TarnVec2 steps[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    const TarnVec2 step = steps[random() % 4];
    return TarnVec2{step.x * speed, step.y * speed};
}

} // namespace

int main() {
    World world;
    LevelData level;
    CollisionManager collisions;
    AIManager spiders;
    GameStateManager states(GameState::Level5);
    gWorld = &world;
    gLevelData = &level;
    gCollisionManager = &collisions;
    gAIManager = &spiders;
    gGameStateManager = &states;
    gGridWidth = gGridHeight = 31.0f;
    gFrameTime = 1.0f / 60.0f;
    level.Reset();
    level.ReadFile("Assets/levels_edited5.text");
    const std::vector<TarnVec2> floor = FloorCells(collisions);
    if (floor.empty()) {
        std::printf("Assets/levels_edited5.text not found: run from the source folder\n");
        return 1;
    }

    std::mt19937 random(7);
    auto anyFloor = [&]() { return floor[random() % floor.size()]; };
    Player* player = MakePlayer(gPlayerStartX, gPlayerStartY);
    std::vector<Spider*> walkers;
    for (int i = 0; i < 20; ++i) {
        const TarnVec2 at = anyFloor();
        walkers.push_back(new Spider(at.x, at.y));
        spiders.AddSpider(walkers.back());
    }
    for (int i = 0; i < 25; ++i) {
        const TarnVec2 at = anyFloor();
        new Battery(1, at.x, at.y, nullptr, true, true, 25.0f, 25.0f);
    }
    const TarnVec2 keyAt = anyFloor();
    new Key(1, keyAt.x, keyAt.y, nullptr, true, true, 25.0f, 25.0f);

    std::vector<double> samples;
    const int kFrames = 3000;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame % 30 == 0) {
            player->velocity = RandomStep(random, 200.0f);
        }
        for (Spider* spider : walkers) {
            spider->velocity = RandomStep(random, 120.0f);
            collisions.Register(spider); // a bitten spider comes back
        }
        const TarnVec2 walk = player->velocity;
        const double start = TarnGetTime(nullptr);
        collisions.Update();
        samples.push_back((TarnGetTime(nullptr) - start) * 1000.0);
        collisions.FlushRemovals();
        player->Draw(); // integrates; nothing is drawn without a window
        for (Spider* spider : walkers) {
            spider->AddPos(spider->velocity.x * gFrameTime, spider->velocity.y * gFrameTime);
        }
        player->velocity = walk;
    }
    const double p50 = moth_bench::Percentile(samples, 0.5);
    const double p99 = moth_bench::Percentile(samples, 0.99);
    std::printf("Level5 (31 x 31): player, 20 spiders, 26 pick-ups; %d frames\n", kFrames);
    std::printf("  CollisionManager::Update p50 %.4f ms, p99 %.4f ms\n", p50, p99);
    std::printf("result: collisions_p50=%.4f collisions_p99=%.4f\n", p50, p99);
    world.Free();
    world.Unload();
    gWorld = nullptr;
    gLevelData = nullptr;
    gCollisionManager = nullptr;
    gAIManager = nullptr;
    gGameStateManager = nullptr;
    return 0;
}

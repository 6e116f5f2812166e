// Per-frame cost of the light-beam puzzle in the largest layout (Puzzle5: 16
// boxes, 16 beams, 7 direction blocks, 5 pushable and 2 danger blocks): the
// puzzle objects' Update plus PuzzleManager::Evaluate, through the real
// start-up and state loading. The layout as it starts has blocked beams, so
// every frame also traces the direction blocks and puffs blocked boxes.
#include "BenchUtil.h"
#include "Game.h"
#include "Globals.h"
#include "LightManager.h"
#include "LightPuzzle.h"
#include "PuzzleBlocks.h"
#include "PuzzleManager.h"
#include "Tarn.h"
#include "Tiles.h"
#include "World.h"

#include <cstdio>
#include <vector>

namespace {

bool IsPuzzlePiece(GameObject* object) {
    return dynamic_cast<PuzzleBox*>(object) != nullptr ||
           dynamic_cast<MovableBlock*>(object) != nullptr ||
           dynamic_cast<LightPuzzle*>(object) != nullptr ||
           dynamic_cast<RestartWall*>(object) != nullptr;
}

} // namespace

int main() {
    if (!moth_bench::StartInState(GameState::Puzzle5)) {
        return 1;
    }
    std::vector<GameObject*> pieces;
    for (int layer = 1; layer <= 3; ++layer) {
        for (GameObject* object : gWorld->GetLayer(layer)) {
            if (IsPuzzlePiece(object)) {
                pieces.push_back(object);
            }
        }
    }
    gFrameTime = 1.0f / 60.0f;
    std::vector<double> frames;
    const int kFrames = 600;
    for (int frame = 0; frame < kFrames; ++frame) {
        const double start = TarnGetTime(nullptr);
        for (GameObject* piece : pieces) {
            piece->Update();
        }
        gPuzzleManager->Evaluate();
        frames.push_back((TarnGetTime(nullptr) - start) * 1000.0);
        gLightManager->Update(); // casters follow, as between two real frames
    }
    const double p50 = moth_bench::Percentile(frames, 0.5);
    const double p99 = moth_bench::Percentile(frames, 0.99);
    std::printf("Puzzle5, %zu puzzle pieces, %d frames\n", pieces.size(), kFrames);
    std::printf("  pieces' Update + Evaluate p50 %.4f ms, p99 %.4f ms\n", p50, p99);
    std::printf("result: puzzle_p50=%.4f puzzle_p99=%.4f\n", p50, p99);
    moth_bench::StopGame();
    return 0;
}

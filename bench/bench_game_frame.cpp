// Per-frame cost in the heaviest story scene: Level5 (31 x 31 tiles) with 20
// spiders, the torch on and 5 light orbs in flight, through the real start-up
// and state loading. Prints World::Update (every object and manager) and the
// whole frame including the buffer swap, p50 and p99, beside a bare frame
// (clear, one full-screen textured quad, the swap) drawn in the same process
// after each game frame, so that both meet the same load: frame_ratio is the
// Level5 frame's p50 over the bare frame's.
#include "AI.h"
#include "AssetManager.h"
#include "BenchUtil.h"
#include "Game.h"
#include "Globals.h"
#include "Light.h"
#include "LightBox.h"
#include "LightOrb.h"
#include "Pickups.h"
#include "Player.h"
#include "Tarn.h"
#include "World.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr int kSpiders = 20;
constexpr int kOrbs = 5;

// The level script may not yet have made the player, its light and the
// light box; the scene needs all three.
void EnsurePlayerAndLantern() {
    if (gWorld->GetPlayer() == nullptr) {
        MakePlayer(gPlayerStartX, gPlayerStartY);
    }
    if (gLightBox == nullptr) {
        (new LightBox())->Init();
    }
    if (gLightBox->playerLight == nullptr) {
        gLightBox->AttachLight(new Light(gWorld->GetPlayer(), 0.0f));
    }
    gLightBox->mode = LightMode::Torch;
}

// Spiders on random free cells until there are kSpiders of them.
void FillWithSpiders() {
    for (int tries = 0; gSpiderCount < kSpiders && tries < 10000; ++tries) {
        GridCell cell;
        if (RandomWalkableCell(&cell)) {
            const TarnVec2 at = WaypointOf(cell);
            SpawnSpider(at.x, at.y);
        }
    }
    gMaxSpiders = kSpiders; // the nests keep the count where it is
}

// CPU seconds of this thread: unlike the wall clock it does not count the
// time other programs on a busy machine hold the core.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void ThrowOrbs() {
    const TarnVec2 from = gWorld->GetPlayer()->GetPos();
    for (int i = 0; i < kOrbs; ++i) {
        new LightOrb(from, 6.2831853f * static_cast<float>(i) / kOrbs);
    }
}

// One bare frame: the clear, one textured quad over the whole view and the
// swap. Returns its wall time in milliseconds.
double BareFrame(TarnGfxTexture* picture) {
    const double start = TarnGetTime(nullptr);
    TarnSysFrameStart();
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    TarnGfxTextureSet(picture, 0.0f, 0.0f);
    TarnGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    TarnGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    TarnGfxSetTransparency(1.0f);
    const float width = TarnGfxGetWinMaxX() - TarnGfxGetWinMinX();
    const float height = TarnGfxGetWinMaxY() - TarnGfxGetWinMinY();
    const TarnMtx33 fill = {{{width, 0.0f, (TarnGfxGetWinMinX() + TarnGfxGetWinMaxX()) / 2.0f},
                             {0.0f, height, (TarnGfxGetWinMinY() + TarnGfxGetWinMaxY()) / 2.0f},
                             {0.0f, 0.0f, 1.0f}}};
    TarnGfxSetTransform(&fill);
    TarnGfxMeshDraw(UnitQuadMesh(), TARN_DRAW_TRIANGLES);
    TarnSysFrameEnd();
    return (TarnGetTime(nullptr) - start) * 1000.0;
}

} // namespace

int main() {
    std::srand(5);
    if (!moth_bench::StartInState(GameState::Level5)) {
        return 1;
    }
    EnsurePlayerAndLantern();
    FillWithSpiders();
    ThrowOrbs();
    TarnFrameRateControllerSetFixedFrameTime(1.0 / 60.0);

    TarnGfxTexture* picture = TextureNamed("level5_transition.png"); // 1024 x 768
    std::vector<double> updates, updateCpu, draws, frames, bare;
    const int kFrames = 300; // five seconds: the orbs stay in flight or alight
    for (int frame = 0; frame < kFrames; ++frame) {
        FillWithSpiders(); // a spider that bites fades away: another takes its place
        // Bites must not end the scene; full health keeps the HUD's bar the
        // width a player sees (a huge health would stretch it off the screen).
        gPlayerHealth = kFullHealth;
        const double start = TarnGetTime(nullptr);
        TarnSysFrameStart();
        TarnInputUpdate();
        const double updating = TarnGetTime(nullptr);
        const double cpuBefore = ThreadSeconds();
        gWorld->Update();
        updateCpu.push_back((ThreadSeconds() - cpuBefore) * 1000.0);
        const double updated = TarnGetTime(nullptr);
        gWorld->Draw();
        const double drawn = TarnGetTime(nullptr);
        TarnSysFrameEnd(); // the swap: llvmpipe renders here
        const double end = TarnGetTime(nullptr);
        updates.push_back((updated - updating) * 1000.0);
        draws.push_back((drawn - updated) * 1000.0);
        frames.push_back((end - start) * 1000.0);
        bare.push_back(BareFrame(picture));
    }
    using moth_bench::Percentile;
    std::printf("Level5 (31 x 31), %d spiders, torch, %d orbs, %d frames\n", gSpiderCount, kOrbs,
                kFrames);
    std::printf("  World::Update p50 %.3f ms, p99 %.3f ms (thread CPU p50 %.3f ms, p99 %.3f ms)\n",
                Percentile(updates, 0.5), Percentile(updates, 0.99), Percentile(updateCpu, 0.5),
                Percentile(updateCpu, 0.99));
    std::printf("  World::Draw   p50 %.3f ms, p99 %.3f ms (GL calls issued)\n",
                Percentile(draws, 0.5), Percentile(draws, 0.99));
    std::printf("  whole frame   p50 %.3f ms, p99 %.3f ms (with the swap)\n",
                Percentile(frames, 0.5), Percentile(frames, 0.99));
    std::printf("  bare frame    p50 %.3f ms, p99 %.3f ms (clear, one full-screen quad, swap)\n",
                Percentile(bare, 0.5), Percentile(bare, 0.99));
    std::printf("result: update_p50=%.3f update_p99=%.3f update_cpu_p50=%.3f frame_p50=%.3f "
                "frame_p99=%.3f bare_p50=%.3f frame_ratio=%.2f\n",
                Percentile(updates, 0.5), Percentile(updates, 0.99), Percentile(updateCpu, 0.5),
                Percentile(frames, 0.5), Percentile(frames, 0.99), Percentile(bare, 0.5),
                Percentile(frames, 0.5) / Percentile(bare, 0.5));
    moth_bench::StopGame();
    return 0;
}

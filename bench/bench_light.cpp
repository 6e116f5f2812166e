// Per-frame cost of the light manager in the largest story level (Level5,
// 31 x 31 tiles, loaded as the game loads it): the lantern's torch cone at
// the level start plus five full-circle orb lights on floor cells near it.
// The update builds the polygons (no GL); each light's draw then streams its
// polygon into its mesh and draws it, timed apart with the GL calls issued.
#include "BenchUtil.h"
#include "Globals.h"
#include "LevelData.h"
#include "Light.h"
#include "LightManager.h"
#include "Tilemap.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kOrbLights = 5;
constexpr float kOrbReach = 400.0f; // orbs land within a throw of the lantern
constexpr int kFrames = 2000;

// Floor cells within a throw of the start, taken at even steps.
std::vector<TarnVec2> OrbPlaces() {
    std::vector<TarnVec2> floor;
    for (GameObject* object : gWorld->GetLayer(0)) {
        auto* tile = dynamic_cast<Tilemap*>(object);
        if (tile == nullptr || gLevelData->TileAt(tile->cellColumn, tile->cellRow, -1) != 0) {
            continue;
        }
        const TarnVec2 at = tile->GetPos();
        if (std::hypot(at.x - gPlayerStartX, at.y - gPlayerStartY) < kOrbReach) {
            floor.push_back(at);
        }
    }
    std::vector<TarnVec2> places;
    for (int i = 0; i < kOrbLights && !floor.empty(); ++i) {
        places.push_back(floor[floor.size() * i / kOrbLights]);
    }
    return places;
}

// The level's lantern as a torch cone, plus the orbs' lights. False when the
// level made no lantern.
bool PlaceLights() {
    if (gLightManager->lights.empty()) {
        std::printf("Level5 made no lantern\n");
        return false;
    }
    Light* torch = gLightManager->lights.front();
    torch->SetLight(0.5235987f, 300.0f, true, false);
    for (const TarnVec2& at : OrbPlaces()) {
        auto* orb = new Light(nullptr, 0.0f);
        orb->SetPos(at);
        orb->SetLight(3.1415926f, 300.0f, true, false);
    }
    return true;
}

void Report(const char* what, const std::vector<double>& samples) {
    std::printf("  %-28s p50 %.4f ms, p99 %.4f ms\n", what, moth_bench::Percentile(samples, 0.5),
                moth_bench::Percentile(samples, 0.99));
}

} // namespace

int main() {
    if (!moth_bench::StartInState(GameState::Level5)) { // walls become shadow casters
        return 1;
    }
    if (!PlaceLights()) {
        moth_bench::StopGame();
        return 1;
    }

    std::vector<double> updates, draws;
    for (int frame = 0; frame < kFrames; ++frame) {
        TarnSysFrameStart();
        double start = TarnGetTime(nullptr);
        gLightManager->Update();
        double updated = TarnGetTime(nullptr);
        for (Light* light : gLightManager->lights) {
            light->Draw();
        }
        TarnGfxFlush();
        double drawn = TarnGetTime(nullptr);
        TarnSysFrameEnd();
        updates.push_back((updated - start) * 1000.0);
        draws.push_back((drawn - updated) * 1000.0);
    }
    std::printf("Level5 (31 x 31), %zu casters, %zu lights, %d frames\n",
                gLightManager->casters.size(), gLightManager->lights.size(), kFrames);
    Report("LightManager::Update", updates);
    Report("lights drawn (mesh streamed)", draws);
    std::printf("result: light_update_p50=%.4f light_update_p99=%.4f light_draw_p50=%.4f\n",
                moth_bench::Percentile(updates, 0.5), moth_bench::Percentile(updates, 0.99),
                moth_bench::Percentile(draws, 0.5));
    moth_bench::StopGame();
    return 0;
}

// Moth Lantern: the heads-up display of a level.
//
// A red health bar and a light-charge bar along the top-left, a memory counter
// ("2 / 5") at the top-right and a key icon that shows while the key is
// carried. Each widget draws in layer 6 over its frame in layer 5; both layers
// outlive a restart, so the HUD is made once per level entry and keeps
// following the globals the restart resets.
//
// The bars are drawn with left-anchored quads: their offset is their left end
// and they grow to the right.
#pragma once
#include "UI.h"

// Health: 1.65 units wide per health point, 165 at full health.
class HealthBar : public UI {
  public:
    HealthBar();
    void Init() override { UI::Update(); }
    void Update() override;
    void Draw() override;

    UIBox* box = nullptr;              // its frame, owned by the World
    TarnGfxVertexList* mesh = nullptr; // the shared left-anchored quad
};

// Light charge: 165 wide at the full 360, green, yellow below 80 % and red
// below 20 %. It also repairs a charge outside 0..360 within the frame.
class LightBar : public UI {
  public:
    LightBar();
    ~LightBar() override;
    LightBar(const LightBar&) = delete;
    LightBar& operator=(const LightBar&) = delete;

    void Init() override { UI::Update(); }
    void Update() override;
    void Draw() override;

    UIBox* box = nullptr;
    TarnGfxVertexList* mesh = nullptr; // its own left-anchored quad
};

// The memory icon with the count printed in red beside it.
class Memories : public UI {
  public:
    Memories();
    void Init() override;
    void Draw() override;

    UIBox* box = nullptr;
};

// The key icon, invisible until the key is picked up.
class KeyUI : public UI {
  public:
    KeyUI();
    void Init() override { UI::Update(); }
    void Update() override;
};

// The whole HUD of a story level, in this order: health bar, light bar,
// memory counter, key icon. Call it from the level's load, before the light
// box is made beside it.
void CreateStoryHud();
// A puzzle's HUD: the memory counter only.
void CreatePuzzleHud();

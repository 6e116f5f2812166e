// Moth Lantern: a light's movement, aim, mesh and draw.
#include "Light.h"

#include "Camera.h"
#include "Globals.h"
#include "LightManager.h"
#include "World.h"

#include <algorithm>
#include <cmath>

namespace {

// Lights sit above tiles and actors, below the HUD.
constexpr int kLightLayer = 3;
// Every vertex of the fan is white; the tint and blend colours give the warmth.
// Lantern light: warm amber, full strength at the lantern and fading
// towards the rim of its reach, so the fan reads as light rather than as a
// flat grey shape.
constexpr unsigned int kLanternCore = 0xFFFFD08Cu;

unsigned int LanternColourAt(float x, float y, float radius) {
    float reach = radius > 0.0f ? std::sqrt(x * x + y * y) / radius : 1.0f;
    float strength = std::clamp(1.0f - 0.85f * reach, 0.15f, 1.0f);
    auto alpha = static_cast<unsigned int>(strength * 255.0f);
    return (alpha << 24) | (kLanternCore & 0x00FFFFFFu);
}

TarnVec2 CameraPosition() {
    const Camera* camera = gWorld->GetCamera();
    return camera != nullptr ? camera->GetPos() : TarnVec2{0.0f, 0.0f};
}

} // namespace

Light::Light(StaticObject* lightOwner, float angle)
    : StaticObject(kLightLayer, lightOwner != nullptr ? lightOwner->GetPos().x : 0.0f,
                   lightOwner != nullptr ? lightOwner->GetPos().y : 0.0f, nullptr, false, false,
                   1.0f, 1.0f),
      owner(lightOwner), direction{std::cos(angle), std::sin(angle)} {
    rotation = angle;
    SetBlendColor(0.5f, 0.5f, 0.5f, 0.3f);
    SetTintColor(1.0f, 1.0f, 1.0f, 0.3f);
    gLightManager->AddLight(this);
}

Light::~Light() {
    TarnGfxMeshFree(mesh);
    gLightManager->RemoveLight(this);
}

void Light::Update() {
    if (!enabled) {
        return;
    }
    if (owner != nullptr) {
        position = owner->GetPos();
    }
    if (!aimAtCursor) {
        return;
    }
    // The cursor is measured from the window centre; the view centre is the camera.
    const TarnVec2 camera = CameraPosition();
    const TarnVec2 toCursor{gMouseX + camera.x - position.x, gMouseY + camera.y - position.y};
    const float length = std::sqrt(toCursor.x * toCursor.x + toCursor.y * toCursor.y);
    if (length == 0.0f) {
        return; // the cursor sits on the light: keep the last aim
    }
    direction = TarnVec2{toCursor.x / length, toCursor.y / length};
    rotation = std::atan2(direction.y, direction.x);
}

void Light::Draw() {
    if (!enabled || mesh == nullptr) {
        return;
    }
    // The polygon reaches `radius` around the light at most.
    if (IsOutsideView(position, TarnVec2{2.0f * radius, 2.0f * radius})) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    // The tint's alpha alone sets the strength (it is not applied twice), so
    // the default 0.3 gives a lantern glow that shows on the dark floor.
    DrawQuad(transform, tintColor, blendColor, 1.0f, TARN_BLEND_ADDITIVE, nullptr, mesh);
}

void Light::SetLight(float newHalfAngle, float newRadius, bool isEnabled, bool aims) {
    halfAngle = newHalfAngle;
    radius = newRadius;
    enabled = isEnabled;
    aimAtCursor = aims;
}

void Light::RebuildMesh(const std::vector<LightPoint>& points) {
    TarnGfxMeshFree(mesh);
    mesh = nullptr;
    if (points.empty()) {
        return;
    }
    TarnGfxMeshStart();
    const LightPoint* prev = &points.front();
    for (const LightPoint& p : points) {
        TarnGfxTriAdd(0.0f, 0.0f, kLanternCore, 0.0f, 0.0f, p.x, p.y,
                      LanternColourAt(p.x, p.y, radius), 0.0f, 0.0f, prev->x, prev->y,
                      LanternColourAt(prev->x, prev->y, radius), 0.0f, 0.0f);
        prev = &p;
    }
    mesh = TarnGfxMeshEnd();
}

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
// Lantern light: pale gold and at full strength at the lantern, deepening
// to amber and fading out towards the rim of its reach, so the fan reads as
// light falling on the floor rather than as a flat shape. The vertex colours
// carry the warmth and the falloff; the tint's alpha scales the whole fan.
constexpr float kCoreRed = 255.0f;
constexpr float kCoreGreen = 204.0f;
constexpr float kCoreBlue = 128.0f;
constexpr float kRimRed = 255.0f;
constexpr float kRimGreen = 130.0f;
constexpr float kRimBlue = 40.0f;
// The fan's opacity at the lantern is the tint's alpha (0.3) times this.
constexpr float kFanStrength = 2.8f;

unsigned int Channel(float core, float rim, float reach) {
    return static_cast<unsigned int>(core + (rim - core) * reach);
}

unsigned int LanternColourAt(float x, float y, float radius) {
    const float reach = radius > 0.0f ? std::min(std::sqrt(x * x + y * y) / radius, 1.0f) : 1.0f;
    const float strength = (1.0f - reach) * (1.0f - reach);
    const auto alpha = static_cast<unsigned int>(strength * 255.0f);
    return (alpha << 24) | (Channel(kCoreRed, kRimRed, reach) << 16) |
           (Channel(kCoreGreen, kRimGreen, reach) << 8) | Channel(kCoreBlue, kRimBlue, reach);
}

TarnVec2 CameraPosition() {
    const Camera* camera = gWorld->GetCamera();
    return camera != nullptr ? camera->GetPos() : TarnVec2{0.0f, 0.0f};
}

} // namespace

Light::Light(StaticObject* lightOwner, float angle)
    : StaticObject(Layer::Lights, lightOwner != nullptr ? lightOwner->GetPos().x : 0.0f,
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
    if (!enabled) {
        return;
    }
    // The polygon reaches `radius` around the light at most.
    if (IsOutsideView(position, TarnVec2{2.0f * radius, 2.0f * radius})) {
        return;
    }
    if (meshStale) {
        RebuildMesh();
    }
    if (mesh == nullptr) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    // The tint's alpha is applied once, scaled so that the fan lights the
    // near-black floor as plainly as a lantern would.
    DrawQuad(transform, tintColor, blendColor, kFanStrength, TARN_BLEND_ADDITIVE, nullptr, mesh);
}

void Light::SetLight(float newHalfAngle, float newRadius, bool isEnabled, bool aims) {
    halfAngle = newHalfAngle;
    radius = newRadius;
    enabled = isEnabled;
    aimAtCursor = aims;
}

void Light::SetPolygon(const std::vector<LightPoint>& points) {
    polygon.assign(points.begin(), points.end());
    meshStale = true;
}

void Light::RebuildMesh() {
    meshStale = false;
    if (polygon.empty()) {
        TarnGfxMeshFree(mesh);
        mesh = nullptr;
        return;
    }
    TarnGfxMeshStart();
    const unsigned int centre = LanternColourAt(0.0f, 0.0f, radius);
    const LightPoint* prev = &polygon.front();
    unsigned int prevColour = LanternColourAt(prev->x, prev->y, radius);
    for (const LightPoint& p : polygon) {
        const unsigned int colour = LanternColourAt(p.x, p.y, radius);
        TarnGfxTriAdd(0.0f, 0.0f, centre, 0.0f, 0.0f, p.x, p.y, colour, 0.0f, 0.0f, prev->x,
                      prev->y, prevColour, 0.0f, 0.0f);
        prev = &p;
        prevColour = colour;
    }
    if (mesh == nullptr) {
        mesh = TarnGfxMeshEnd();
    } else {
        TarnGfxMeshRefill(mesh);
    }
}

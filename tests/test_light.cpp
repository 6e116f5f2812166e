// Light and shadow: the polygon a light builds (sweep, corner rays, shadows),
// corner angles, the ray cast, lights that follow, aim and switch off, lit
// walls and the menu's control wall, and what the draws leave out.
#include "GameGlobals.h"
#include "Globals.h"
#include "Light.h"
#include "LightManager.h"
#include "Pixels.h"
#include "TarnGraphics.h"
#include "TestEnv.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "UI.h"
#include "World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kReach = 300.0f; // a new light's radius

// Something a light can follow and a caster that moves.
class Mover : public ActiveObject {
  public:
    Mover(float x, float y, bool castsShadow)
        : ActiveObject(2, x, y, nullptr, false, castsShadow, 50.0f, 50.0f) {}
    void Init() override {}
    void Update() override {}
};

// A stand-in for the menu's controls picture.
class Picture : public UI {
  public:
    void Init() override {}
};

class LightTest : public testing::Test {
  protected:
    // Rebuilding a light uploads its mesh, so even logic tests need the window.
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        gFrameTime = 0.1f;
        gMouseX = gMouseY = 0.0f;
    }
    void TearDown() override {
        gDarkAlpha = 0.0f;
        gCreditsShown = false;
    }

    // A light at the owner's place pointing along +x, not following the cursor.
    Light& FixedLight(float x, float y) {
        auto* owner = new Mover(x, y, false);
        auto* light = new Light(owner, 0.0f);
        light->aimAtCursor = false;
        return *light;
    }
    // A shadow-casting wall tile, as the level's walls are.
    Tilemap& WallAt(float x, float y) { return *new Tilemap(1, x, y, &anyTexture, false, true); }
    const std::vector<LightPoint>& Build(Light& light) {
        lights.BuildPoints(light);
        return lights.points;
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
    LightManager& lights = globals.Get<LightManager>();
    TarnGfxTexture anyTexture{}; // tiles only ask whether they have one
};

// ---- The polygon -----------------------------------------------------------------------------

TEST_F(LightTest, WithNothingInReachALightIsASectorOfItsSweepAlone) {
    Light& light = FixedLight(10.0f, 20.0f);
    WallAt(10.0f + kReach + 100.0f, 20.0f); // ahead, but out of reach

    for (float halfAngle : {0.5235987f, kPi}) {
        light.SetLight(halfAngle, kReach, true, false);
        const auto& points = Build(light);
        ASSERT_EQ(points.size(), halfAngle == kPi ? 127u : 22u);
        EXPECT_FLOAT_EQ(points.front().angle, -halfAngle);
        EXPECT_FLOAT_EQ(points.back().angle, halfAngle);
        for (std::size_t i = 0; i < points.size(); ++i) {
            // Relative to the light, at the angle it claims from the axis.
            EXPECT_NEAR(points[i].x, kReach * std::cos(points[i].angle), 1e-2f) << i;
            EXPECT_NEAR(points[i].y, kReach * std::sin(points[i].angle), 1e-2f) << i;
            if (i > 0) {
                EXPECT_LT(points[i - 1].angle, points[i].angle) << i;
            }
        }
    }
}

TEST_F(LightTest, CornersInsideTheConeGetRaysAndCastShadowsThoseOutsideDoNot) {
    Light& light = FixedLight(0.0f, 0.0f);
    // A tall thin wall 150 ahead whose side crosses the whole cone, while
    // every corner, though in reach, lies outside it: no shadow.
    new Tilemap(1, 150.0f, 0.0f, &anyTexture, false, true, 20.0f, 400.0f);
    auto points = Build(light);
    EXPECT_EQ(points.size(), 22u);
    EXPECT_TRUE(lights.candidateCasters.empty());
    for (const LightPoint& p : points) {
        EXPECT_NEAR(std::hypot(p.x, p.y), kReach, 1e-3f);
    }

    // A tile on the axis at 200 (behind the fence, which still casts
    // nothing): its four corners are in the cone and get a ray each; those
    // and the six swept rays between its near corners stop at its face.
    WallAt(200.0f, 0.0f);
    points = Build(light);
    EXPECT_EQ(points.size(), 22u + 4u);
    EXPECT_EQ(lights.candidateCasters.size(), 1u);
    int shadowed = 0;
    for (const LightPoint& p : points) {
        if (std::fabs(p.y) < 25.5f) {
            EXPECT_NEAR(p.x, 175.0f, 1e-2f) << p.angle;
            ++shadowed;
        }
    }
    EXPECT_EQ(shadowed, 4 + 6);
}

TEST_F(LightTest, ASweepThatCannotAdvanceEndsInsteadOfHanging) {
    Light& light = FixedLight(0.0f, 0.0f);
    light.step = 0.0f;
    EXPECT_EQ(Build(light).size(), 1u); // only the clockwise border
    light.step = 0.05f;
    light.SetLight(1e8f, kReach, true, false); // the step vanishes against the angle
    EXPECT_LE(Build(light).size(), 4097u);
}

TEST(CornerAngle, MeasuresFromTheAxisCounterClockwiseWithExactAxisValues) {
    const TarnVec2 axis{0.0f, 1.0f}; // the light looks up
    EXPECT_EQ(CornerAngle(TarnVec2{0.0f, 120.0f}, axis), 0.0f);
    EXPECT_EQ(CornerAngle(TarnVec2{0.0f, -80.0f}, axis), 3.1415925f);
    EXPECT_NEAR(CornerAngle(TarnVec2{-50.0f, 50.0f}, axis), kPi / 4.0f, 1e-5f);
    EXPECT_NEAR(CornerAngle(TarnVec2{50.0f, 50.0f}, axis), -kPi / 4.0f, 1e-5f);
    // Nearly on the axis far away: rounding must not make the angle NaN.
    const TarnVec2 diagonal{std::sqrt(0.5f), std::sqrt(0.5f)};
    EXPECT_FALSE(std::isnan(CornerAngle(TarnVec2{212.13203f, 212.13204f}, diagonal)));
}

// ---- Ray cast ---------------------------------------------------------------------------------

TEST_F(LightTest, RayCastReportsAClearLineAsExactlyItsRangeAndOtherwiseTheNearestEdge) {
    Tilemap& near = WallAt(0.0f, 200.0f);
    WallAt(0.0f, 300.0f);
    const float range = 137.25f;
    RayHit clear = lights.RayCast(TarnVec2{100.0f, 0.0f}, TarnVec2{100.0f, 50.0f}, range);
    EXPECT_EQ(clear.distance, range);
    EXPECT_EQ(clear.object, nullptr);
    EXPECT_FLOAT_EQ(clear.point.y, range);

    // Every caster counts, not only those a light is looking at; one beyond
    // the range is no hit.
    RayHit hit = lights.RayCast(TarnVec2{0.0f, 0.0f}, TarnVec2{0.0f, 10.0f}, 1000.0f);
    EXPECT_EQ(hit.object, &near);
    EXPECT_NEAR(hit.point.y, 175.0f, 1e-3f);
    EXPECT_NEAR(hit.distance, 175.0f, 1e-3f);
    EXPECT_EQ(lights.RayCast(TarnVec2{0.0f, 0.0f}, TarnVec2{0.0f, 10.0f}, 170.0f).object, nullptr);
    // A ray grazing the near wall's corner, a hair beside its rectangle, still
    // stops on its face: edge ends are widened so that no ray slips past.
    hit = lights.RayCast(TarnVec2{25.0004f, 0.0f}, TarnVec2{25.0004f, 10.0f}, 1000.0f);
    EXPECT_EQ(hit.object, &near);
    EXPECT_NEAR(hit.distance, 175.0f, 1e-3f);
}

// ---- Following, aiming, switching off ---------------------------------------------------------

TEST_F(LightTest, ALightFollowsItsOwnerAndAimsAtTheCursorUnlessDisabled) {
    auto* owner = new Mover(100.0f, 50.0f, false);
    auto* light = new Light(owner, 0.0f);
    owner->SetPos(200.0f, 50.0f);
    gMouseX = 0.0f;
    gMouseY = 100.0f; // the camera is at the origin: the cursor is 100 above it
    light->Update();
    EXPECT_FLOAT_EQ(light->GetPos().x, 200.0f);
    EXPECT_NEAR(light->direction.x, -200.0f / std::sqrt(200.0f * 200.0f + 50.0f * 50.0f), 1e-6f);
    EXPECT_NEAR(light->rotation, std::atan2(50.0f, -200.0f), 1e-6f);

    light->SetLight(kPi, 120.0f, false, true);
    owner->SetPos(-300.0f, 0.0f);
    light->Update();
    EXPECT_FLOAT_EQ(light->GetPos().x, 200.0f); // stays put while disabled
    EXPECT_EQ(light->radius, 120.0f);

    // The owner goes first: the light follows it one last frame, forgets it
    // and keeps that place.
    light->enabled = true;
    world.Destroy(2, owner);
    world.Update();
    EXPECT_EQ(light->owner, nullptr);
    light->Update();
    EXPECT_FLOAT_EQ(light->GetPos().x, -300.0f);
}

TEST_F(LightTest, MovingCastersCarryTheirEdgesAlongWhileWallsStay) {
    auto* block = new Mover(0.0f, 200.0f, true);
    WallAt(300.0f, 200.0f);
    block->SetPos(40.0f, 210.0f);
    lights.Update();
    EXPECT_FLOAT_EQ(lights.FindCaster(block)->edges[0].start.x, 15.0f);
    EXPECT_FLOAT_EQ(lights.FindCaster(block)->edges[0].start.y, 185.0f);
    // The ray cast sees the block where it now stands, the wall where it was.
    EXPECT_EQ(lights.RayCast(TarnVec2{40.0f, 0.0f}, TarnVec2{40.0f, 1.0f}, 500.0f).object, block);
    EXPECT_NEAR(lights.RayCast(TarnVec2{300.0f, 0.0f}, TarnVec2{300.0f, 1.0f}, 500.0f).distance,
                175.0f, 1e-3f);
}

// ---- What light does to tiles --------------------------------------------------------------

TEST_F(LightTest, ALitWallBrightensAndFadesBackToTheDarkLevelOnceTheLightLeaves) {
    gDarkAlpha = 0.2f;
    Tilemap& wall = WallAt(200.0f, 0.0f);
    Tilemap& aside = WallAt(0.0f, 200.0f); // outside the cone
    Light& light = FixedLight(0.0f, 0.0f);
    // A frame: the tiles update, then the light marks what it reaches.
    const float seen[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.0f, 0.8f, 0.6f, 0.4f, 0.2f};
    for (int frame = 0; frame < 10; ++frame) {
        wall.Update();
        aside.Update();
        EXPECT_NEAR(wall.GetTransparency(), seen[frame], 1e-5f) << frame;
        EXPECT_FLOAT_EQ(aside.GetTransparency(), gDarkAlpha);
        light.SetPos(0.0f, frame < 5 ? 0.0f : -1000.0f); // the light walks away
        Build(light);
    }
    for (int frame = 0; frame < 3; ++frame) {
        wall.Update();
    }
    EXPECT_EQ(wall.GetTransparency(), gDarkAlpha);
}

// A light whose place, aim and casters stay as they were keeps its polygon
// from the frame before, and still lights what that polygon reached; any
// change to them builds it again.
TEST_F(LightTest, AnUnchangedLightKeepsLightingItsWallsAndAnyChangeRebuildsIt) {
    Tilemap& far = WallAt(200.0f, 0.0f);
    Light& light = FixedLight(0.0f, 0.0f);
    auto lit = [&](std::vector<Tilemap*> tiles) {
        for (Tilemap* tile : tiles) {
            tile->flashing = false;
        }
        lights.Update();
        std::vector<bool> flashing;
        for (Tilemap* tile : tiles) {
            flashing.push_back(tile->flashing);
        }
        return flashing;
    };
    EXPECT_EQ(lit({&far}), std::vector<bool>{true});
    EXPECT_EQ(lit({&far}), std::vector<bool>{true}); // kept, and lit again

    Tilemap& near = WallAt(100.0f, 0.0f); // a new wall hides the far one
    EXPECT_EQ(lit({&far, &near}), (std::vector<bool>{false, true}));

    auto* block = new Mover(100.0f, 0.0f, true);
    lights.RemoveCaster(&near); // the block stands where the wall was
    EXPECT_EQ(lit({&far}), std::vector<bool>{false});
    block->SetPos(100.0f, 150.0f);
    EXPECT_EQ(lit({&far}), std::vector<bool>{true});

    light.SetPos(0.0f, -1000.0f);
    EXPECT_EQ(lit({&far}), std::vector<bool>{false});
    light.SetPos(0.0f, 0.0f);
    light.rotation = kPi; // turned away (the axis with it)
    light.direction = TarnVec2{-1.0f, 0.0f};
    EXPECT_EQ(lit({&far}), std::vector<bool>{false});
}

TEST_F(LightTest, LightOnTheMenuWallRevealsTheControlsUnlessTheCreditsAreOpen) {
    Picture controls;
    auto* wall = new MenuWall(1, 200.0f, 0.0f, &anyTexture, false, true);
    wall->controlUI = &controls;
    Light& light = FixedLight(0.0f, 0.0f);

    gCreditsShown = true;
    Build(light);
    EXPECT_FALSE(controls.revealed);
    EXPECT_TRUE(wall->flashing); // the wall itself still lights up
    gCreditsShown = false;
    Build(light);
    EXPECT_TRUE(controls.revealed);
}

// ---- Drawing ------------------------------------------------------------------------------------

using moth_test::Pixel;
using moth_test::ReadWorldPixel;

class LightDrawTest : public LightTest {
  protected:
    void SetUp() override {
        LightTest::SetUp();
        TarnGfxSetCamPosition(0.0f, 0.0f);
        TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        TarnGfxSetRenderMode(TARN_RENDER_NONE);
        TarnGfxStart();
    }
    void TearDown() override {
        TarnGfxSetCamPosition(0.0f, 0.0f);
        LightTest::TearDown();
    }
};

TEST_F(LightDrawTest, AWarmConeIsDrawnAdditivelyAndADisabledLightIsStillRebuiltButNotDrawn) {
    Light& light = FixedLight(0.0f, 0.0f);
    lights.Update();
    light.Draw(); // the mesh is made from the polygon here
    ASSERT_NE(light.mesh, nullptr);
    const Pixel lit = ReadWorldPixel(100.0f, 0.0f);
    EXPECT_GT(lit[0], 0);
    EXPECT_GT(lit[0], lit[2]); // warm: more red than blue
    EXPECT_GT(ReadWorldPixel(160.0f, 0.0f)[0], 0);
    EXPECT_EQ(ReadWorldPixel(-100.0f, 0.0f), (Pixel{0, 0, 0}));

    TarnGfxStart();
    light.enabled = false;
    WallAt(100.0f, 0.0f);
    lights.Update();
    EXPECT_EQ(lights.points.size(), 22u + 4u); // rebuilt against the new wall
    light.Draw();
    EXPECT_EQ(ReadWorldPixel(100.0f, 0.0f), (Pixel{0, 0, 0}));

    // Switched on again, it draws the polygon of its last update, not the
    // mesh of its last draw: the wall now shades what lies behind it.
    TarnGfxStart();
    light.enabled = true;
    light.Draw();
    EXPECT_GT(ReadWorldPixel(60.0f, 0.0f)[0], 0);
    EXPECT_EQ(ReadWorldPixel(160.0f, 0.0f), (Pixel{0, 0, 0}));
}

TEST_F(LightDrawTest, LeavingOutWhatCannotShowKeepsThePicturePixelForPixel) {
    moth_test::TempDir noTextures; // the unit quad is all these draws need
    globals.LoadAssets(noTextures.Path().string() + "/");
    // Plain tiles and walls in a field wider than the view, off the tile grid
    // so that some straddle each edge, at every kind of transparency the fade
    // passes through (0 and a step below it included).
    const float transparencies[] = {0.0f, 0.25f, 1.0f, -0.1f, 0.6f};
    std::vector<std::pair<StaticObject*, int>> field; // object, blend mode
    for (int i = 0; i < 26; ++i) {
        for (int j = 0; j < 20; ++j) {
            const float x = -640.0f + 50.0f * i + 7.0f;
            const float y = -500.0f + 50.0f * j - 9.0f;
            const bool wall = (i + j) % 3 == 0;
            StaticObject* tile = wall
                                     ? static_cast<StaticObject*>(new Wall(1, x, y, nullptr, false))
                                     : new Tilemap(1, x, y, nullptr, false);
            tile->SetBlendColor(0.2f * (i % 5), 0.1f * (j % 10), 0.5f, 1.0f);
            tile->SetTransparency(transparencies[(i * 7 + j) % 5]);
            field.emplace_back(tile, wall ? TARN_BLEND_TRANSLUCENT : TARN_BLEND_ADDITIVE);
        }
    }
    TarnGfxSetCamPosition(31.0f, -17.0f);
    TarnGfxSetRenderMode(TARN_RENDER_NONE); // the view follows at the next draw
    TarnGfxStart();
    for (const auto& [tile, blendMode] : field) {
        tile->Draw();
    }
    const std::vector<unsigned char> drawn = moth_test::ReadFrame();

    // The same quads, every one of them sent to GL.
    TarnGfxStart();
    for (const auto& [tile, blendMode] : field) {
        BuildTransform(&tile->transform, tile->scale, tile->position, 0.0f);
        DrawQuad(tile->transform, tile->tintColor, tile->blendColor, tile->tintColor.a, blendMode,
                 nullptr, UnitQuadMesh());
    }
    const std::vector<unsigned char> everything = moth_test::ReadFrame();
    EXPECT_TRUE(drawn == everything);
    EXPECT_NE(std::count(drawn.begin(), drawn.end(), 0), static_cast<long>(drawn.size()));
}

} // namespace

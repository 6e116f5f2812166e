// HUD: bar widths and colours from the globals, the light bar's one-frame
// repair of the charge, the key icon, the memory count's text, and a HUD that
// outlives a restart.
#include "Globals.h"
#include "Hud.h"
#include "WidgetKit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class HudTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pictures.ok);
        world.Load("NoSuchState"); // only makes the camera
        gPlayerHealth = 100;
        gLightCharge = 360.0f;
        gHasKey = false;
        gMemoriesCollected = 0;
    }
    void TearDown() override {
        gPlayerHealth = 100;
        gLightCharge = 360.0f;
        gHasKey = false;
        gMemoriesCollected = 0;
    }

    moth_test::GameGlobals globals;
    moth_test::PictureAssets pictures{globals, {"memories.png"}};
    World& world = globals.Get<World>();
};

TEST_F(HudTest, HealthBarWidthFollowsHealthFromItsLeftEnd) {
    HealthBar* bar = new HealthBar();
    bar->Init();
    bar->box->Init();
    EXPECT_FLOAT_EQ(bar->GetPos().x, -472.0f); // its left end
    EXPECT_FLOAT_EQ(bar->box->GetPos().x, -402.0f);
    EXPECT_FLOAT_EQ(bar->GetPos().y, 359.0f);
    for (auto [health, width] : {std::pair{100, 165.0f}, {40, 66.0f}, {0, 0.0f}}) {
        gPlayerHealth = health;
        bar->Update();
        EXPECT_NEAR(bar->GetScale().x, width, 1e-3f) << health;
        EXPECT_FLOAT_EQ(bar->GetScale().y, 30.0f);
    }
}

TEST_F(HudTest, LightBarColoursByChargeAndRepairsItWithinTheFrame) {
    LightBar* bar = new LightBar();
    ASSERT_NE(bar->mesh, nullptr);
    struct Case {
        float charge, width, repaired;
        Color tint;
    };
    const Color green{0.0f, 1.0f, 0.0f, 1.0f};
    const Color yellow{1.0f, 1.0f, 0.0f, 1.0f};
    const Color red{1.0f, 0.0f, 0.0f, 1.0f};
    const Case cases[] = {
        {360.0f, 165.0f, 360.0f, green},   {288.0f, 132.0f, 288.0f, green},
        {287.9f, 131.95f, 287.9f, yellow}, {72.0f, 33.0f, 72.0f, yellow},
        {71.9f, 32.95f, 71.9f, red},       {400.0f, 183.33f, 360.0f, green},
        {-5.0f, -2.29f, 0.0f, red},
    };
    for (const Case& c : cases) {
        gLightCharge = c.charge;
        bar->Update();
        EXPECT_NEAR(bar->GetScale().x, c.width, 0.01f) << c.charge;
        EXPECT_FLOAT_EQ(gLightCharge, c.repaired) << c.charge;
        EXPECT_EQ(bar->tintColor.r, c.tint.r) << c.charge;
        EXPECT_EQ(bar->tintColor.g, c.tint.g) << c.charge;
    }
    // The next frame draws the repaired charge.
    gLightCharge = 400.0f;
    bar->Update();
    bar->Update();
    EXPECT_NEAR(bar->GetScale().x, 165.0f, 0.01f);
}

TEST_F(HudTest, KeyIconShowsOnlyWhileTheKeyIsCarried) {
    KeyUI* key = new KeyUI();
    EXPECT_FLOAT_EQ(key->GetTransparency(), 0.0f);
    gHasKey = true;
    key->Update();
    EXPECT_FLOAT_EQ(key->GetTransparency(), 1.0f);
    gHasKey = false;
    key->Update();
    EXPECT_FLOAT_EQ(key->GetTransparency(), 0.0f);
}

TEST_F(HudTest, MemoryCountSitsRightOfItsIconAndPrintsTheCount) {
    Memories* memories = new Memories();
    memories->Init();
    memories->Update();
    memories->box->Update();
    EXPECT_FLOAT_EQ(memories->box->GetPos().x, 442.0f);
    EXPECT_FLOAT_EQ(memories->GetPos().x, 402.0f);
    EXPECT_NE(memories->GetTexture(), nullptr);
    gMemoriesCollected = 3;
    memories->Draw();
    EXPECT_STREQ(gAssetManager->GetTextBuffer(), "3 / 5");
}

// Layers 5 and 6 are those a restart keeps (test_world.cpp), so the HUD made
// at a level's load outlives its restarts.
TEST_F(HudTest, TheStoryHudSitsInTheLayersARestartKeeps) {
    CreateStoryHud();
    EXPECT_EQ(world.GetLayer(5).size(), 4u); // the camera and three frames
    ASSERT_EQ(world.GetLayer(6).size(), 4u);
    const std::list<GameObject*> widgets = world.GetLayer(6);
    EXPECT_NE(dynamic_cast<HealthBar*>(widgets.front()), nullptr);
    EXPECT_NE(dynamic_cast<KeyUI*>(widgets.back()), nullptr);
}

} // namespace

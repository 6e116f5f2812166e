// Widgets: screen placement from the camera, button hover with strict edges,
// one-frame clicks through the real input pump, and hidden boxes.
#include "Camera.h"
#include "GameGlobals.h"
#include "Globals.h"
#include "TarnInput.h"
#include "TarnSystem.h"
#include "TestEnv.h"
#include "UI.h"
#include "World.h"

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// The hover tint, 219, 186, 37 out of 255.
constexpr Color kGolden{0.8588235f, 0.7294118f, 0.1450980f, 1.0f};

class TestButton : public UIButton {
  public:
    TestButton() {
        scale = TarnVec2{230.0f, 64.0f};
        offset = TarnVec2{-10.0f, 180.0f};
    }
    void Init() override {}
};

void ExpectTint(const Color& actual, const Color& expected) {
    EXPECT_FLOAT_EQ(actual.r, expected.r);
    EXPECT_FLOAT_EQ(actual.g, expected.g);
    EXPECT_FLOAT_EQ(actual.b, expected.b);
    EXPECT_FLOAT_EQ(actual.a, expected.a);
}

class UITest : public testing::Test {
  protected:
    void SetUp() override { world.Load("NoSuchState"); } // only makes the camera
    static void MouseAt(float x, float y) {
        gMouseX = x;
        gMouseY = y;
    }

    moth_test::GameGlobals globals;
    World& world = globals.Get<World>();
};

TEST_F(UITest, WidgetsKeepTheirScreenPlaceWhenTheCameraMoves) {
    TestButton button;
    button.Update();
    EXPECT_FLOAT_EQ(button.GetPos().x, -10.0f);
    EXPECT_FLOAT_EQ(button.GetPos().y, 180.0f);

    world.GetCamera()->SetPosition(300.0f, -50.0f);
    button.Update();
    EXPECT_FLOAT_EQ(button.GetPos().x, 290.0f);
    EXPECT_FLOAT_EQ(button.GetPos().y, 130.0f);
}

TEST_F(UITest, HoverUsesTheOffsetAndOpenIntervals) {
    TestButton button;
    // Far from the camera, so a test against the world position would fail.
    world.GetCamera()->SetPosition(5000.0f, 5000.0f);
    struct Case {
        float x, y;
        bool inside;
    };
    const Case cases[] = {
        {-10.0f, 180.0f, true},   {-124.9f, 180.0f, true}, {104.9f, 211.9f, true},
        {-125.0f, 180.0f, false}, {105.0f, 180.0f, false}, {0.0f, 148.0f, false},
        {0.0f, 212.0f, false},    {0.0f, 148.1f, true},    {300.0f, 0.0f, false},
    };
    for (const Case& c : cases) {
        MouseAt(c.x, c.y);
        button.Update();
        EXPECT_EQ(button.hovered, c.inside) << c.x << ", " << c.y;
        ExpectTint(button.tintColor, c.inside ? kGolden : Color{1.0f, 1.0f, 1.0f, 1.0f});
    }
}

TEST_F(UITest, ABoxJoinsNoLayerAndFollowsTheCameraEvenWhenHidden) {
    UIBox box(100.0f, 40.0f, 20.0f, -30.0f, nullptr);
    for (int layer = 0; layer < World::kLayerCount; ++layer) {
        EXPECT_EQ(world.GetLayer(layer).size(), layer == 5 ? 1u : 0u); // the camera only
    }
    EXPECT_TRUE(box.visible);
    world.GetCamera()->SetPosition(1.0f, 2.0f);
    box.Init();
    EXPECT_FLOAT_EQ(box.GetPos().x, 21.0f);
    EXPECT_FLOAT_EQ(box.GetPos().y, -28.0f);
    EXPECT_FLOAT_EQ(box.GetScale().x, 100.0f);

    box.visible = false;
    world.GetCamera()->SetPosition(-100.0f, 0.0f);
    box.Update();
    EXPECT_FLOAT_EQ(box.GetPos().x, -80.0f);
}

// ---- Clicks through the engine's input snapshots ------------------------------------

class ButtonClickTest : public UITest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        UITest::SetUp();
        SetButton(false);
        NextFrame();
        NextFrame();
    }
    void TearDown() override {
        SetButton(false);
        NextFrame();
    }
    static void SetButton(bool down) {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = SDL_BUTTON_LEFT;
        SDL_PushEvent(&event);
    }
    // The pump at the end of one frame, the snapshot at the start of the next.
    static void NextFrame() {
        TarnSysUpdate();
        TarnInputUpdate();
    }

    TestButton button;
};

TEST_F(ButtonClickTest, HoldingTheButtonClicksForOneFrameOnly) {
    MouseAt(0.0f, 180.0f);
    SetButton(true);
    for (int frame = 0; frame < 4; ++frame) {
        NextFrame();
        button.Update();
        EXPECT_TRUE(button.hovered) << frame;
        EXPECT_EQ(button.clicked, frame == 0) << frame;
    }
    SetButton(false);
    NextFrame();
    button.Update();
    EXPECT_FALSE(button.clicked);
}

TEST_F(ButtonClickTest, APressDraggedOntoTheButtonNeverClicks) {
    MouseAt(400.0f, -300.0f);
    SetButton(true);
    NextFrame();
    button.Update();
    EXPECT_FALSE(button.clicked);

    MouseAt(0.0f, 180.0f);
    NextFrame();
    button.Update();
    EXPECT_TRUE(button.hovered);
    EXPECT_FALSE(button.clicked);
}

// ---- Drawing ----------------------------------------------------------------------------

class UIDrawTest : public UITest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        UITest::SetUp();
        globals.LoadAssets(emptyFolder.Path().string() + "/"); // the shared quad only
        TarnGfxSetCamPosition(0.0f, 0.0f);
        TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        TarnGfxSetRenderMode(TARN_RENDER_NONE);
        TarnGfxStart();
    }
    static int GreenAt(float x, float y) {
        unsigned char rgba[4] = {};
        TarnGfxFlush(); // quads still gathered for one draw call
        glFinish();
        glReadPixels(512 + static_cast<int>(x), 384 + static_cast<int>(y), 1, 1, GL_RGBA,
                     GL_UNSIGNED_BYTE, rgba);
        return rgba[1];
    }

    moth_test::TempDir emptyFolder;
};

TEST_F(UIDrawTest, BoxesDrawOpaqueAndOnlyWhileVisible) {
    UIBox box(40.0f, 40.0f, 100.0f, 50.0f, nullptr);
    box.SetBlendColor(0.0f, 0.0f, 1.0f, 1.0f); // green
    box.Init();
    // The tint alpha is still 0, yet a box covers what lies behind it.
    box.visible = false;
    box.Draw();
    EXPECT_EQ(GreenAt(100.0f, 50.0f), 0);
    box.visible = true;
    box.Draw();
    EXPECT_EQ(GreenAt(100.0f, 50.0f), 255);
    EXPECT_EQ(GreenAt(125.0f, 50.0f), 0);
}

TEST_F(UIDrawTest, ButtonsDrawTranslucentlyAtTheirScreenPlace) {
    TestButton button;
    button.SetBlendColor(0.0f, 0.0f, 1.0f, 1.0f);
    world.GetCamera()->SetPosition(0.0f, 0.0f);
    MouseAt(0.0f, 180.0f);
    button.Update(); // hovered: the golden tint, alpha 1
    button.Draw();
    EXPECT_EQ(GreenAt(-10.0f, 180.0f), 186);
    MouseAt(400.0f, 0.0f);
    button.Update();
    button.SetTintColor(1.0f, 1.0f, 1.0f, 0.0f); // fully see-through
    TarnGfxStart();
    button.Draw();
    EXPECT_EQ(GreenAt(-10.0f, 180.0f), 0);
}

} // namespace

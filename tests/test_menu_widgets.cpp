// The menu room's widgets: the bottom-row buttons and the states they ask
// for, the settings toggle, the credits (and Esc backing out of both), the
// start sign's blink, the controls
// picture shown only in revealed frames, and the floor's drift.
#include "Globals.h"
#include "MenuWidgets.h"
#include "PauseMenu.h"
#include "Player.h"
#include "TarnSystem.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "WidgetKit.h"

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr TarnVec2 kNewGameDoor{-200.0f, 100.0f};

class MenuWidgetTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pictures.ok);
        moth_test::WithoutStateScripts(states);
        world.Load("NoSuchState"); // only makes the camera
        gGameMode = 2;
        gFrameTime = kStep;
        moth_test::SetLeftButton(false);
        moth_test::NextInputFrame();
    }
    void TearDown() override {
        moth_test::SetLeftButton(false);
        moth_test::NextInputFrame();
        gCreditsShown = gSettingsShown = gMuted = false;
        gStartSignTimer = 0.0f;
        gGameMode = 0;
    }
    void Frame() { moth_test::RunFrame(world); }
    // A frame with Esc down, then one with it up.
    void PressEscape() {
        for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event escape{};
            escape.type = type;
            escape.key.keysym.sym = SDLK_ESCAPE;
            SDL_PushEvent(&escape);
            Frame();
        }
    }
    void Click(float x, float y) { moth_test::ClickAt(world, x, y); }
    TarnGfxTexture* Picture(const char* name) const { return gAssetManager->GetTexture(name); }

    moth_test::GameGlobals globals{GameState::Menu};
    moth_test::PictureAssets pictures{globals,
                                      {"startbtn_1.png", "startbtn_2.png", "control_menu.png",
                                       "o_floor_scaled.png", "sign_continue3_1.png",
                                       "sign_continue3_2.png", "sign_newgame_1.png",
                                       "sign_newgame_2.png"}};
    World& world = globals.Get<World>();
    GameStateManager& states = globals.Get<GameStateManager>();
};

TEST_F(MenuWidgetTest, BottomRowButtonsAskForTheirStates) {
    CreateMenuWidgets(0, kNewGameDoor);
    world.Init();
    struct Case {
        float x;
        GameStateId state;
    };
    for (const Case& c : {Case{200.0f, GameState::Quit}, Case{-400.0f, GameState::LevelEditor},
                          Case{400.0f, GameState::Load}}) {
        states.next = GameState::Menu;
        Click(c.x, -170.0f);
        EXPECT_EQ(states.next, c.state) << c.x;
    }
}

TEST_F(MenuWidgetTest, SettingsButtonShowsAndHidesTheSliders) {
    CreateMenuWidgets(0, kNewGameDoor);
    world.Init();
    Frame();
    const auto tracks = [&] {
        std::vector<bool> shown;
        for (GameObject* object : world.GetLayer(6)) {
            if (auto* slider = dynamic_cast<VolumeSlider*>(object)) {
                shown.push_back(slider->track->visible);
            }
        }
        return shown;
    };
    EXPECT_EQ(tracks(), (std::vector<bool>{false, false}));
    Click(-200.0f, -170.0f);
    EXPECT_TRUE(gSettingsShown);
    EXPECT_EQ(tracks(), (std::vector<bool>{true, true}));
    Click(-200.0f, -170.0f);
    EXPECT_FALSE(gSettingsShown);
    EXPECT_EQ(tracks(), (std::vector<bool>{false, false}));
}

TEST_F(MenuWidgetTest, CreditsOpenOnceHoldingThePlayerAndCloseWithTheirOwnButton) {
    Player* player = new Player();
    world.Add(2, player);
    world.SetPlayer(player);
    CreditsButton* open = new CreditsButton(0.0f, -170.0f);
    CreditsBox* picture = new CreditsBox(0.0f, 100.0f);
    new Credits(0.0f, -100.0f);
    world.Init();
    Click(0.0f, -100.0f); // the hidden close button does nothing
    EXPECT_FALSE(gCreditsShown);
    Click(0.0f, -170.0f);
    EXPECT_TRUE(gCreditsShown);
    EXPECT_TRUE(picture->visible);
    EXPECT_FALSE(player->canMove);
    Click(0.0f, -170.0f); // a second click on the open credits changes nothing
    EXPECT_TRUE(gCreditsShown);
    EXPECT_TRUE(open->hovered);
    Click(0.0f, -100.0f);
    EXPECT_FALSE(gCreditsShown);
    EXPECT_FALSE(picture->visible);
    EXPECT_TRUE(player->canMove);
}

TEST_F(MenuWidgetTest, EscBacksOutOfTheCreditsAndTheSettingsAndLeavingTheRoomClosesTheCredits) {
    Player* player = new Player();
    world.Add(2, player);
    world.SetPlayer(player);
    CreateMenuWidgets(0, kNewGameDoor);
    world.Init();
    Click(0.0f, -170.0f);    // credits
    Click(-200.0f, -170.0f); // settings, which work beside the credits
    ASSERT_TRUE(gCreditsShown);
    ASSERT_TRUE(gSettingsShown);
    PressEscape();
    EXPECT_FALSE(gCreditsShown);
    EXPECT_FALSE(gSettingsShown);
    EXPECT_TRUE(player->canMove);

    // Credits open, then the editor: back in the room they would hang over a
    // player free to walk, so they close with the room.
    Click(0.0f, -170.0f);
    ASSERT_TRUE(gCreditsShown);
    Click(-400.0f, -170.0f);
    EXPECT_EQ(states.next, GameState::LevelEditor);
    EXPECT_FALSE(gCreditsShown);
}

// The display buttons beside the sliders work only while the settings show.
TEST_F(MenuWidgetTest, TheDisplayButtonsSwitchOnlyWhileTheSettingsShow) {
    TarnSysSetVSync(0);
    CreateMenuWidgets(0, kNewGameDoor);
    world.Init();
    Click(300.0f, -320.0f); // VSync, hidden
    EXPECT_EQ(TarnSysGetVSync(), 0);
    Click(-200.0f, -170.0f); // options
    ASSERT_TRUE(gSettingsShown);
    Click(300.0f, -320.0f);
    EXPECT_EQ(TarnSysGetVSync(), 1);
    Click(300.0f, -320.0f);
    EXPECT_EQ(TarnSysGetVSync(), 0);
}

TEST_F(MenuWidgetTest, StartSignAlternatesEveryHalfSecond) {
    CreateMenuWidgets(0, kNewGameDoor);
    StaticObject* sign = globals.Get<PlayerAnimator>().GetStartSign();
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(sign->GetTexture(), Picture("startbtn_1.png")); // shown at once
    std::vector<TarnGfxTexture*> seen;
    for (int frame = 1; frame <= 120; ++frame) {
        sign->Update();
        if (frame % 30 == 15) {
            seen.push_back(sign->GetTexture());
        }
    }
    TarnGfxTexture* first = Picture("startbtn_1.png");
    TarnGfxTexture* second = Picture("startbtn_2.png");
    EXPECT_EQ(seen, (std::vector<TarnGfxTexture*>{first, second, first, second}));
}

TEST_F(MenuWidgetTest, WithAGameSavedTheSignsReadContinueAndNewGameAndBlinkTogether) {
    CreateMenuWidgets(2, kNewGameDoor);
    StaticObject* sign = globals.Get<PlayerAnimator>().GetStartSign();
    ASSERT_NE(sign, nullptr);
    StartBtn* newGame = nullptr;
    for (GameObject* object : world.GetLayer(5)) {
        auto* other = dynamic_cast<StartBtn*>(object);
        newGame = other != nullptr && other != sign ? other : newGame;
    }
    ASSERT_NE(newGame, nullptr);
    EXPECT_EQ(newGame->offset.x, kNewGameDoor.x) << "over the second door";
    std::vector<std::pair<TarnGfxTexture*, TarnGfxTexture*>> seen;
    for (int frame = 1; frame <= 60; ++frame) {
        sign->Update();
        newGame->Update();
        if (frame % 30 == 15) {
            seen.emplace_back(sign->GetTexture(), newGame->GetTexture());
        }
    }
    const std::vector<std::pair<TarnGfxTexture*, TarnGfxTexture*>> expected = {
        {Picture("sign_continue3_1.png"), Picture("sign_newgame_1.png")},
        {Picture("sign_continue3_2.png"), Picture("sign_newgame_2.png")}};
    EXPECT_EQ(seen, expected);
}

TEST_F(MenuWidgetTest, ControlsPictureDrawsOnlyInTheFramesLightRevealsIt) {
    MenuWall* wall = new MenuWall(1, 100.0f, 50.0f, nullptr, false, true);
    auto* controls = new MenuControlUI();
    wall->controlUI = controls;
    const auto greenAtPicture = [&] {
        TarnGfxSetCamPosition(0.0f, 0.0f);
        TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        TarnGfxStart();
        controls->Draw();
        unsigned char rgba[4] = {};
        TarnGfxFlush(); // quads still gathered for one draw call
        glFinish();
        glReadPixels(512 + 300, 384 + 84, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return rgba[1] > 100;
    };
    controls->Update();
    EXPECT_FALSE(greenAtPicture());
    wall->Reveal(); // the light reached the wall this frame
    EXPECT_TRUE(greenAtPicture());
    controls->Update(); // the next frame starts hidden again
    EXPECT_FALSE(greenAtPicture());
    gCreditsShown = true;
    wall->Reveal();
    EXPECT_FALSE(greenAtPicture());
}

TEST_F(MenuWidgetTest, FloorDriftsSlowlyAndItsOffsetStaysSmall) {
    BackgroundUI* floor = CreateBackground();
    EXPECT_FLOAT_EQ(floor->GetScale().x, 1044.0f);
    floor->Init();
    EXPECT_LE(std::fabs(floor->drift.x), 30.0f);
    EXPECT_LE(std::fabs(floor->drift.y), 30.0f);
    floor->drift = TarnVec2{30.0f, 0.0f};
    for (int frame = 0; frame < 60; ++frame) {
        floor->Update();
    }
    EXPECT_NEAR(floor->textureOffset.x, 0.0287f, 1e-4f);
    // An hour's drift: the offset stays a fraction, where the scroll shows.
    for (int frame = 0; frame < 60 * 3600; ++frame) {
        floor->Update();
    }
    const double exact = 30.0 * (60.0 * 3601.0) * kStep / 1044.0;
    EXPECT_GE(floor->textureOffset.x, 0.0f);
    EXPECT_LT(floor->textureOffset.x, 1.0f);
    EXPECT_NEAR(floor->textureOffset.x, exact - std::floor(exact), 1e-3);
}

} // namespace

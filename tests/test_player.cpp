// The player: one walking direction at a time, the walk and idle animations
// with their strict frame bounds, hurt blinking, the frozen player, and death
// leading to the Lose screen with health refilled, the dying player inert.
#include "AssetManager.h"
#include "CollisionManager.h"
#include "Game.h"
#include "GameGlobals.h"
#include "Globals.h"
#include "KeyBindings.h"
#include "Player.h"
#include "PlayerAnimator.h"
#include "Tarn.h"
#include "TestEnv.h"
#include "TransitionBox.h"
#include "World.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

class PlayerTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        // The window system's own first events (focus gained, then perhaps
        // lost, which lets go of every key) come before any key we press.
        for (int i = 0; i < 5; ++i) {
            SDL_Delay(10);
            TarnSysUpdate();
        }
        assets = &globals.LoadAssets((moth_test::SourceDir() / "Assets").string() + "/");
        std::swap(gKeyBindings, gameBindings);
        gFrameTime = 1.0f / 60.0f;
        gIdlePhase = 0.0f;
        gBlinkOn = false;
        player = MakePlayer(0.0f, 0.0f);
        player->Init();
    }
    void TearDown() override {
        Hold({});
        std::swap(gKeyBindings, gameBindings);
        gPlayerHealth = 100;
    }

    // Holds exactly these keys (SDL key codes) in the next input snapshot.
    static void Hold(std::initializer_list<SDL_Keycode> keys) {
        for (SDL_Keycode key : {SDLK_w, SDLK_a, SDLK_s, SDLK_d}) {
            Push(SDL_KEYUP, key);
        }
        for (SDL_Keycode key : keys) {
            Push(SDL_KEYDOWN, key);
        }
        TarnSysUpdate();
        TarnInputUpdate();
    }
    static void Push(Uint32 type, SDL_Keycode key) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }

    TarnGfxTexture* Texture(const std::string& name) const { return assets->GetTexture(name); }

    moth_test::GameGlobals globals{GameState::Level1};
    AssetManager* assets = nullptr;
    KeyBindings bindings;
    KeyBindings* gameBindings = &bindings; // swapped with the game's while the test runs
    Player* player = nullptr;
};

TEST_F(PlayerTest, KeysAreTakenUpDownRightLeftAndOnlyTheFirstOneDownCounts) {
    ASSERT_EQ(globals.Get<CollisionManager>().playerCollider,
              globals.Get<CollisionManager>().Find(player));
    EXPECT_EQ(globals.Get<World>().GetPlayer(), player);
    EXPECT_EQ(globals.Get<PlayerAnimator>().GetPlayer(), player);
    EXPECT_EQ(player->GetTexture(), Texture("a_char_top1.png"));

    struct Case {
        std::initializer_list<SDL_Keycode> keys;
        float vx, vy, idlePhase;
    };
    const Case cases[] = {{{SDLK_w, SDLK_d}, 0, 200, 1},
                          {{SDLK_s, SDLK_a}, 0, -200, 3},
                          {{SDLK_a, SDLK_d}, 200, 0, 2},
                          {{SDLK_a}, -200, 0, 4}};
    for (const Case& c : cases) {
        Hold(c.keys);
        player->Update();
        EXPECT_FLOAT_EQ(player->velocity.x, c.vx) << c.idlePhase;
        EXPECT_FLOAT_EQ(player->velocity.y, c.vy) << c.idlePhase;
        EXPECT_FLOAT_EQ(gIdlePhase, c.idlePhase);
    }
    const TarnVec2 before = player->GetPos();
    player->Draw();
    EXPECT_NEAR(player->GetPos().x, before.x - 200.0f / 60.0f, 1e-4);
}

TEST_F(PlayerTest, WalkFramesChangeOnlyStrictlyInsideTheirIntervalsAndLoop) {
    PlayerAnimator& animator = globals.Get<PlayerAnimator>();
    float& clock = animator.walkClocks[static_cast<int>(Facing::Up)];
    gFrameTime = 0.0f; // the clock is set by hand
    struct Step {
        float clock;
        const char* shows;
        float after;
    };
    const Step steps[] = {{0.1f, "a_char_top1.png", 0.1f},   {0.3f, "a_char_top1.png", 0.3f},
                          {0.31f, "a_char_top2.png", 0.31f}, {0.7f, "a_char_top3.png", 0.7f},
                          {1.0f, "a_char_top2.png", 1.0f},   {1.5f, "a_char_top2.png", 1.5f},
                          {1.51f, "a_char_top2.png", 0.0f}};
    for (const Step& step : steps) {
        clock = step.clock;
        animator.Walk(Facing::Up);
        EXPECT_EQ(player->GetTexture(), Texture(step.shows)) << step.clock;
        EXPECT_FLOAT_EQ(clock, step.after) << step.clock;
    }
    // A down cycle is three frames long; its clock is its own.
    animator.walkClocks[static_cast<int>(Facing::Down)] = 0.95f;
    animator.Walk(Facing::Down);
    EXPECT_FLOAT_EQ(animator.walkClocks[static_cast<int>(Facing::Down)], 0.0f);
    EXPECT_FLOAT_EQ(clock, 0.0f);
}

TEST_F(PlayerTest, StandingStillFacesTheLastWayThenTurnsClockwiseEverySecond) {
    Hold({SDLK_a});
    player->Update();
    Hold({});
    gFrameTime = 0.5f;
    const char* expected[] = {"a_char_left1.png",  "a_char_left1.png", "a_char_left1.png",
                              "a_char_top1.png",   "a_char_top1.png",  "a_char_right1.png",
                              "a_char_right1.png", "a_char_down1.png", "a_char_down1.png",
                              "a_char_left1.png"};
    for (const char* name : expected) {
        player->Update(); // phase 4.5, 5.0 (held), 5.5 -> 1.0, 1.5, 2.0 (held), 2.5 ...
        EXPECT_EQ(player->GetTexture(), Texture(name)) << gIdlePhase;
    }
}

TEST_F(PlayerTest, ABiteBlinksFourTimesThenThePlayerIsWhole) {
    player->SetHurt(true);
    gFrameTime = 0.15f;
    const float transparency[] = {0.5f, 1.0f, 0.5f, 1.0f, 0.5f, 1.0f, 1.0f};
    for (float expected : transparency) {
        ASSERT_TRUE(player->hurt);
        player->Update();
        EXPECT_FLOAT_EQ(player->GetTransparency(), expected);
    }
    EXPECT_FALSE(player->hurt);
    EXPECT_EQ(player->blinkCount, 0);
}

TEST_F(PlayerTest, AFrozenPlayerNeitherWalksNorDriftsButStillIdles) {
    player->SetCanMove(false);
    Hold({SDLK_w});
    gIdlePhase = 1.9f;
    gFrameTime = 0.2f;
    player->Update();
    EXPECT_FLOAT_EQ(player->velocity.y, 0.0f);
    EXPECT_EQ(player->GetTexture(), Texture("a_char_right1.png"));
    player->velocity = TarnVec2{200.0f, 0.0f}; // whatever the collisions left
    player->Draw();
    EXPECT_FLOAT_EQ(player->GetPos().x, 0.0f);

    // Moving again, it goes its velocity's share of the frame.
    player->SetCanMove(true);
    player->velocity = TarnVec2{200.0f, -200.0f};
    gFrameTime = 0.05f;
    player->Draw();
    EXPECT_FLOAT_EQ(player->GetPos().x, 10.0f);
    EXPECT_FLOAT_EQ(player->GetPos().y, -10.0f);
}

TEST_F(PlayerTest, AtZeroHealthTheScreenFadesToBlackThenLoseComesWithFullHealth) {
    GameStateManager& states = globals.Get<GameStateManager>();
    World& world = globals.Get<World>();
    gPlayerHealth = 0;
    gFrameTime = 0.25f;
    player->Update();
    TransitionBox* fade = player->deathFade;
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->style, TransitionStyle::FadeIn);
    EXPECT_EQ(fade->GetTexture(), Texture("o_black.png"));
    EXPECT_FLOAT_EQ(fade->scale.x, fade->targetScale.x);
    int frames = 1;
    while (states.next != GameState::Lose && frames < 20) {
        fade->Update();
        EXPECT_EQ(gPlayerHealth, 0); // the fade runs to its end first
        player->Update();
        ++frames;
    }
    EXPECT_EQ(states.next, GameState::Lose);
    EXPECT_EQ(frames, 5); // four quarter-second steps of fade, then the request
    EXPECT_EQ(gPlayerHealth, 100);
    EXPECT_EQ(player->deathFade, fade);      // one box for the whole death
    EXPECT_EQ(world.GetLayer(4).size(), 5u); // dust every frame while dying
}

TEST_F(PlayerTest, ADyingPlayerIgnoresTheKeysToTheEndOfTheFade) {
    gPlayerHealth = 0;
    Hold({SDLK_d});
    gFrameTime = 0.25f;
    for (int frame = 0; frame < 5; ++frame) {
        player->Update();
        EXPECT_FLOAT_EQ(player->velocity.x, 0.0f) << frame;
        EXPECT_FALSE(player->CanMove()) << frame; // so Esc cannot pause it either
        if (player->deathFade != nullptr) {
            player->deathFade->Update(); // its end gives every player movement back
        }
        player->velocity = TarnVec2{200.0f, 0.0f};
        player->Draw();
        EXPECT_FLOAT_EQ(player->GetPos().x, 0.0f) << frame;
    }
    EXPECT_EQ(gPlayerHealth, 100); // the Lose screen has been asked for
}

} // namespace

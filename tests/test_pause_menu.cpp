// The pause menu: opening and closing with the sound, frozen main buttons
// under a sub-panel, the volume slider's drag and the mute button, the
// confirmation's yes and no, and no pointer left to a deleted widget.
#include "AudioManager.h"
#include "Cursor.h"
#include "Game.h"
#include "Globals.h"
#include "PauseMenu.h"
#include "TarnSystem.h"
#include "WavWriter.h"
#include "WidgetKit.h"

#include <gtest/gtest.h>

namespace {

bool Paused(FMOD::Channel* channel) {
    bool paused = false;
    channel->getPaused(&paused);
    return paused;
}

bool Playing(FMOD::Channel* channel) {
    bool playing = false;
    channel->isPlaying(&playing);
    return playing;
}

std::string WriteMusic(const std::filesystem::path& folder) {
    moth_test::WriteFile(folder / "s_bgmusic.wav",
                         moth_test::PcmWav(1, 48000, std::vector<std::int16_t>(48000, 0x1010)));
    return folder.string() + "/";
}

class PauseMenuTest : public testing::Test {
  protected:
    explicit PauseMenuTest(GameStateId state = GameState::Level1, int mode = 0)
        : globals(state), mode(mode) {}
    void SetUp() override {
        ASSERT_TRUE(pictures.ok);
        moth_test::WithoutStateScripts(globals.Get<GameStateManager>());
        world.Load("NoSuchState");           // only makes the camera
        std::swap(gAudioManager, gameAudio); // this test's sounds
        std::swap(gCursor, gameCursor);
        gGameMode = mode;
        audio.PlayMusic("s_bgmusic.wav");
        moth_test::SetLeftButton(false);
        Frame();
    }
    void TearDown() override {
        moth_test::SetLeftButton(false);
        moth_test::NextInputFrame();
        ClosePauseMenu();
        std::swap(gAudioManager, gameAudio);
        std::swap(gCursor, gameCursor);
        gPaused = gSubPanelOpen = gSettingsShown = gMuted = false;
        gSavedMusicVolume = gSavedEffectVolume = 0.0f;
        gGameMode = 0;
    }
    // One frame of the World: input snapshot, update (the pause menu only
    // while paused), removals.
    void Frame() { moth_test::RunFrame(world); }
    void Click(float x, float y) { moth_test::ClickAt(world, x, y); }
    TarnGfxTexture* Picture(const char* name) const { return gAssetManager->GetTexture(name); }

    moth_test::GameGlobals globals;
    int mode;
    moth_test::PictureAssets pictures{globals,
                                      {"mute.png", "unmute.png", "opt_keep.png", "opt_stretch.png",
                                       "opt_vsync_on.png", "opt_vsync_off.png"}};
    World& world = globals.Get<World>();
    moth_test::TempDir soundFolder;
    AssetCatalog sounds{WriteMusic(soundFolder.Path())};
    AudioManager audio{sounds};
    UIBox cursor;
    AudioManager* gameAudio = &audio; // swapped with the game's while the test runs
    UIBox* gameCursor = &cursor;
};

TEST_F(PauseMenuTest, EscTwiceOpensThenClosesTheMenuAndTheMusicGoesOn) {
    TogglePause();
    Frame();
    EXPECT_TRUE(gPaused);
    EXPECT_EQ(gGameMode, 3);
    EXPECT_TRUE(cursor.visible);
    EXPECT_TRUE(Paused(audio.GetMusicChannel()));
    EXPECT_EQ(world.GetLayer(6).size(), 6u); // the panel and its five buttons
    ASSERT_NE(gPause.resume, nullptr);
    EXPECT_FLOAT_EQ(gPause.resume->GetPos().y, 180.0f);

    TogglePause();
    Frame();
    EXPECT_FALSE(gPaused);
    EXPECT_EQ(gGameMode, 0);
    EXPECT_TRUE(world.GetLayer(6).empty());
    EXPECT_EQ(gPause.panel, nullptr);
    EXPECT_FALSE(Paused(audio.GetMusicChannel()));
    EXPECT_TRUE(cursor.visible); // a story level keeps its cursor
}

TEST_F(PauseMenuTest, UnderASubPanelTheMainButtonsAreFrozenButEscClosesEverything) {
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f); // options
    ASSERT_TRUE(gSubPanelOpen);
    EXPECT_TRUE(gSettingsShown);
    ASSERT_NE(gPause.music, nullptr);
    ASSERT_NE(gPause.close, nullptr);

    Click(-10.0f, 180.0f); // resume, under the settings panel
    EXPECT_TRUE(gPaused);
    EXPECT_FALSE(gPause.resume->hovered);

    TogglePause();
    Frame();
    EXPECT_FALSE(gPaused);
    EXPECT_FALSE(gSubPanelOpen);
    EXPECT_TRUE(world.GetLayer(6).empty());
    EXPECT_EQ(gPause.music, nullptr);
    EXPECT_EQ(gPause.mute, nullptr);
    EXPECT_TRUE(gSettingsShown); // only the close button hides the sliders
}

// The settings' display buttons switch the engine's picture and VSync and
// show the choice in force, also one made elsewhere.
TEST_F(PauseMenuTest, TheDisplayButtonsSwitchThePictureAndVSyncAndShowTheChoiceInForce) {
    TarnSysSetAspectMode(TARN_ASPECT_KEEP);
    TarnSysSetVSync(0);
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f); // options
    ASSERT_NE(gPause.picture, nullptr);
    EXPECT_EQ(gPause.picture->GetTexture(), Picture("opt_keep.png"));
    Click(110.0f, 35.0f); // the picture
    EXPECT_EQ(TarnSysGetAspectMode(), TARN_ASPECT_STRETCH);
    EXPECT_EQ(gPause.picture->GetTexture(), Picture("opt_stretch.png"));
    Click(-110.0f, -15.0f); // VSync
    EXPECT_EQ(TarnSysGetVSync(), 1);
    EXPECT_EQ(gPause.vsync->GetTexture(), Picture("opt_vsync_on.png"));

    TarnSysSetAspectMode(TARN_ASPECT_KEEP); // as the settings file would on a new start
    Frame();
    EXPECT_EQ(gPause.picture->GetTexture(), Picture("opt_keep.png"));
    Click(-110.0f, -15.0f);
    EXPECT_EQ(TarnSysGetVSync(), 0);
    EXPECT_FALSE(gMuted) << "no other button of the panel was pressed";
}

TEST_F(PauseMenuTest, DraggingTheMusicKnobToTheLeftEndMutesAndBackUnmutes) {
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f);
    Frame();
    EXPECT_FLOAT_EQ(gPause.music->offset.x, 50.0f); // 0.5 x 200 - 50

    // Held down, the mouse walks left in steps the knob can follow.
    moth_test::PointAt(50.0f, 150.0f);
    moth_test::SetLeftButton(true);
    for (float x = 30.0f; x >= -70.0f; x -= 20.0f) {
        moth_test::PointAt(x, 150.0f);
        Frame();
    }
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.0f);
    EXPECT_TRUE(gMuted);
    EXPECT_EQ(gPause.mute->GetTexture(), Picture("mute.png"));
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.5f);

    for (float x = -40.0f; x <= 30.0f; x += 20.0f) {
        moth_test::PointAt(x, 150.0f);
        Frame();
    }
    EXPECT_NEAR(audio.GetMusicVolume(), 0.35f, 1e-4f);
    EXPECT_FALSE(gMuted);
    EXPECT_EQ(gPause.mute->GetTexture(), Picture("unmute.png"));
    moth_test::SetLeftButton(false);
    Frame();
    EXPECT_NEAR(gPause.music->offset.x, 20.0f, 1e-3f); // placed from the new volume
}

TEST_F(PauseMenuTest, UnmutingAfterDraggingToSilenceGivesTheDefaultVolumesBack) {
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f);
    Frame();
    moth_test::PointAt(50.0f, 150.0f);
    moth_test::SetLeftButton(true);
    for (float x = 30.0f; x >= -70.0f; x -= 20.0f) {
        moth_test::PointAt(x, 150.0f);
        Frame();
    }
    moth_test::SetLeftButton(false);
    Frame();
    ASSERT_TRUE(gMuted);
    ASSERT_FLOAT_EQ(audio.GetMusicVolume(), 0.0f);
    Click(0.0f, -85.0f); // unmute: the button never put a volume aside
    EXPECT_FALSE(gMuted);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), AudioManager::kDefaultVolume);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), AudioManager::kDefaultVolume);
    EXPECT_EQ(gPause.mute->GetTexture(), Picture("unmute.png"));
}

TEST_F(PauseMenuTest, MuteStoresTheVolumesAndGivesThemBack) {
    audio.SetMusicVolume(0.7f);
    audio.SetEffectVolume(0.3f);
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f); // options
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.3f);
    Click(0.0f, -85.0f);
    EXPECT_TRUE(gMuted);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.0f);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.0f);
    EXPECT_EQ(gPause.mute->GetTexture(), Picture("mute.png"));
    Click(0.0f, -85.0f);
    EXPECT_FALSE(gMuted);
    EXPECT_FLOAT_EQ(audio.GetMusicVolume(), 0.7f);
    EXPECT_FLOAT_EQ(audio.GetEffectVolume(), 0.3f);
    EXPECT_EQ(gPause.mute->GetTexture(), Picture("unmute.png"));
}

TEST_F(PauseMenuTest, NoClosesOnlyTheConfirmationAndYesToQuitOpensTheMenuRoom) {
    GameStateManager& states = globals.Get<GameStateManager>();
    TogglePause();
    Frame();
    Click(-10.0f, -140.0f); // quit
    ASSERT_NE(gPause.confirmation, nullptr);
    EXPECT_EQ(gPause.confirmation->confirmAction, 1);
    Click(100.0f, -25.0f); // no
    EXPECT_EQ(gPause.confirmation, nullptr);
    EXPECT_EQ(gPause.yes, nullptr);
    EXPECT_NE(gPause.panel, nullptr);
    EXPECT_FALSE(gSubPanelOpen);
    EXPECT_TRUE(gPaused);
    EXPECT_EQ(states.next, GameState::Level1);

    Click(-10.0f, -140.0f);
    Click(-100.0f, -25.0f); // yes
    EXPECT_EQ(states.next, GameState::Menu);
    EXPECT_FALSE(gPaused);
    EXPECT_EQ(gGameMode, 0);
    EXPECT_TRUE(world.GetLayer(6).empty());
}

TEST_F(PauseMenuTest, OneClickOnRestartOnlyAsksEvenWhereYesLiesUnderIt) {
    TogglePause();
    Frame();
    Click(-100.0f, -40.0f); // the restart button's lower edge, over yes
    EXPECT_NE(gPause.confirmation, nullptr);
    EXPECT_EQ(globals.Get<GameStateManager>().next, GameState::Level1);
    EXPECT_TRUE(gPaused);
}

TEST_F(PauseMenuTest, AStateEndingUnderTheMenuLeavesNoPointerBehind) {
    TogglePause();
    Frame();
    Click(-10.0f, 20.0f);
    world.Free();
    world.Unload();
    EXPECT_EQ(gPause.panel, nullptr);
    EXPECT_EQ(gPause.resume, nullptr);
    EXPECT_EQ(gPause.music, nullptr);
    EXPECT_EQ(gPause.close, nullptr);
}

class PuzzlePauseTest : public PauseMenuTest {
  protected:
    PuzzlePauseTest() : PauseMenuTest(GameState::Puzzle1, 1) {}
};

TEST_F(PuzzlePauseTest, ClosingHidesTheCursorAgain) {
    cursor.visible = false;
    TogglePause();
    Frame();
    EXPECT_TRUE(cursor.visible);
    TogglePause();
    EXPECT_FALSE(cursor.visible);
    EXPECT_EQ(gGameMode, 1);
}

TEST_F(PuzzlePauseTest, AfterRestartYesTheMusicPlaysAgain) {
    TogglePause();
    Frame();
    Click(-10.0f, -60.0f); // restart
    ASSERT_NE(gPause.yes, nullptr);
    EXPECT_EQ(gPause.confirmation->confirmAction, 0);
    Click(-100.0f, -25.0f);
    EXPECT_EQ(globals.Get<GameStateManager>().next, GameState::Restart);
    EXPECT_FALSE(gPaused);
    EXPECT_FALSE(cursor.visible);
    EXPECT_TRUE(Playing(audio.GetMusicChannel()));
    EXPECT_FALSE(Paused(audio.GetMusicChannel()));
}

} // namespace

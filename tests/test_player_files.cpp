// The settings and progress kept between runs: their text round-trips,
// damaged files give the defaults with one line on stderr, writes never leave
// half a file, and key bindings move a taken key over.
#include "AudioManager.h"
#include "GameGlobals.h"
#include "KeyBindings.h"
#include "PlayerFiles.h"
#include "Progress.h"
#include "Settings.h"
#include "TarnSystem.h"
#include "TestEnv.h"
#include "UserFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

// Failures show the settings as their file would hold them.
void PrintTo(const Settings& settings, std::ostream* out) {
    *out << "\n" << FormatSettings(settings);
}

namespace {

namespace fs = std::filesystem;

// A settings record unlike the defaults in every field.
Settings Changed() {
    Settings settings;
    settings.musicVolume = 0.25f;
    settings.effectVolume = 0.0f;
    settings.muted = true;
    settings.musicBeforeMute = 0.8f;
    settings.effectBeforeMute = 0.3f;
    settings.fullScreen = false;
    settings.aspect = Aspect::Stretch;
    settings.vsync = true;
    settings.keys.Bind(KeyAction::WalkUp, KeyBindings::kPrimary, 'I');
    settings.keys.Bind(KeyAction::SwitchLight, KeyBindings::kSecond, 32);
    return settings;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) {
            before = old;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { before ? setenv(name, before->c_str(), 1) : unsetenv(name); }

  private:
    const char* name;
    std::optional<std::string> before;
};

class KeptFilesTest : public testing::Test {
  protected:
    void TearDown() override {
        UseSettingsFile("");
        UseProgressFile("");
    }
    std::string SettingsPath() const { return (folder.Path() / "cfg" / "settings.txt").string(); }
    std::string ProgressPath() const { return (folder.Path() / "data" / "progress.txt").string(); }

    moth_test::TempDir folder;
};

// ---- Settings ----------------------------------------------------------------------------

TEST_F(KeptFilesTest, SettingsRoundTripThroughTheirFile) {
    UseSettingsFile(SettingsPath());
    EXPECT_EQ(gSettings, Settings{}) << "no file yet: the defaults";
    EXPECT_FALSE(fs::exists(SettingsPath()));
    KeepSettings();
    EXPECT_FALSE(fs::exists(SettingsPath())) << "nothing changed, nothing written";

    gSettings = Changed();
    KeepSettings();
    ASSERT_TRUE(fs::exists(SettingsPath()));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "cfg"), {}), 1)
        << "the temporary file was renamed, not left behind";

    UseSettingsFile(SettingsPath());
    EXPECT_EQ(gSettings, Changed());
    EXPECT_EQ(gSettings.keys.KeyFor(KeyAction::WalkUp), 'I');
    EXPECT_EQ(gSettings.keys.KeyFor(KeyAction::SwitchLight, KeyBindings::kSecond), 32);
    const std::string text = moth_test::ReadFile(SettingsPath());
    EXPECT_NE(text.find("version = 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("keys.walk_up = i up\n"), std::string::npos) << text;
    EXPECT_NE(text.find("keys.switch_light = f space\n"), std::string::npos) << text;
}

TEST_F(KeptFilesTest, DamagedSettingsTextIsRefused) {
    const std::string good = FormatSettings(Changed());
    Settings read;
    std::string error;
    ASSERT_TRUE(ParseSettings(good, &read, &error)) << error;
    read = Settings{};
    // Every cut before the end line: a write stopped half-way.
    for (std::size_t length = 0; length + 1 < good.size(); ++length) {
        EXPECT_FALSE(ParseSettings(good.substr(0, length), &read, &error)) << length;
    }
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    for (const std::string& bad :
         {std::string("\x89PNG\r\n\x1a\n garbage"), replaced("version = 1", "version = 2"),
          replaced("music_volume = 0.25", "music_volume = 1.5"),
          replaced("music_volume = 0.25", "music_volume = nan"),
          replaced("muted = true", "muted = yes"), replaced("aspect = stretch", "aspect = wide"),
          replaced("keys.walk_up = i up", "keys.walk_up = i d"),
          replaced("keys.walk_up = i up", "keys.walk_up = esc up"),
          replaced("keys.walk_up = i up", "keys.walk_up = i"),
          replaced("vsync = true\n", "vsync = true\nbrightness = 3\n"),
          replaced("vsync = true\n", ""), replaced("end\n", "end\nmuted = false\n")}) {
        EXPECT_FALSE(ParseSettings(bad, &read, &error)) << bad;
    }
    EXPECT_EQ(read, Settings{}) << "a refused text changes nothing";
}

TEST_F(KeptFilesTest, DamagedOrUnreadableSettingsFilesGiveTheDefaultsAndOneLine) {
    const std::string good = FormatSettings(Changed());
    for (const std::string& text : {std::string(), good.substr(0, good.size() / 2),
                                    std::string(300, '\0'), std::string("end\n")}) {
        moth_test::WriteFile(SettingsPath(), text);
        testing::internal::CaptureStderr();
        UseSettingsFile(SettingsPath());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(gSettings, Settings{});
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(SettingsPath()), std::string::npos) << said;
    }
    fs::remove(SettingsPath());
    fs::create_directories(SettingsPath()); // a folder where the file should be
    testing::internal::CaptureStderr();
    UseSettingsFile(SettingsPath());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(gSettings, Settings{});
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST_F(KeptFilesTest, AnUnwritableFolderKeepsNothingAndSaysSoOnce) {
    moth_test::WriteFile(folder.Path() / "cfg", "a file where the folder should be");
    UseSettingsFile(SettingsPath());
    testing::internal::CaptureStderr();
    for (float volume : {0.1f, 0.2f, 0.3f}) {
        gSettings.musicVolume = volume;
        KeepSettings();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(gSettings.musicVolume, 0.3f) << "the game plays on with the changed setting";
}

TEST_F(KeptFilesTest, SettingsAreKeptNowhereWithoutAFile) {
    UseSettingsFile("");
    gSettings = Changed();
    KeepSettings();
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

// The settings reach the live game at start-up, and what the game changes
// comes back into them.
TEST(LiveSettings, GoIntoTheGameAndComeBackFromIt) {
    moth_test::GameGlobals globals;
    gSettings = Changed();
    ApplySettings();
    EXPECT_EQ(gAudioManager->GetMusicVolume(), 0.25f);
    EXPECT_EQ(gKeyBindings->KeyFor(KeyAction::WalkUp), 'I');
    EXPECT_EQ(TarnSysGetAspectMode(), TARN_ASPECT_STRETCH);
    EXPECT_EQ(TarnSysGetVSync(), 1);

    gAudioManager->SetMusicVolume(0.75f);
    gKeyBindings->RestoreDefaults();
    TarnSysSetAspectMode(TARN_ASPECT_KEEP);
    TarnSysSetVSync(0);
    KeepLiveSettings(true);
    EXPECT_EQ(gSettings.musicVolume, 0.75f);
    EXPECT_EQ(gSettings.keys, KeyBindings{});
    EXPECT_EQ(gSettings.aspect, Aspect::KeepProportions);
    EXPECT_FALSE(gSettings.vsync);
    EXPECT_FALSE(gSettings.fullScreen) << "the window was not switched: the choice read stays";
}

// ---- Progress ----------------------------------------------------------------------------

TEST_F(KeptFilesTest, ProgressRoundTripsAndClearsAtTheEndOrANewGame) {
    UseProgressFile(ProgressPath());
    EXPECT_EQ(SavedMemories(), 0);
    RecordMemories(1);
    UseProgressFile(ProgressPath());
    EXPECT_EQ(SavedMemories(), 1);
    RecordMemories(4);
    UseProgressFile(ProgressPath());
    EXPECT_EQ(SavedMemories(), 4);
    EXPECT_EQ(moth_test::ReadFile(ProgressPath()),
              "# Moth Lantern progress: memories of the game being played.\n"
              "version = 1\nmemories = 4\nend\n");
    RecordMemories(5); // the game is won
    EXPECT_EQ(SavedMemories(), 0);
    EXPECT_FALSE(fs::exists(ProgressPath()));
    RecordMemories(2);
    RecordMemories(0); // a new game
    EXPECT_FALSE(fs::exists(ProgressPath()));
    UseProgressFile(ProgressPath());
    EXPECT_EQ(SavedMemories(), 0);
}

TEST_F(KeptFilesTest, DamagedProgressMeansNothingToContinue) {
    const std::string good = FormatProgress(3);
    for (const std::string& text :
         {std::string(), good.substr(0, good.size() - 5), std::string("version = 1\nend\n"),
          std::string("version = 1\nmemories = 5\nend\n"),
          std::string("version = 1\nmemories = -1\nend\n"),
          std::string("version = 1\nmemories = 2x\nend\n"),
          std::string("version = 9\nmemories = 2\nend\n")}) {
        moth_test::WriteFile(ProgressPath(), text);
        testing::internal::CaptureStderr();
        UseProgressFile(ProgressPath());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(SavedMemories(), 0) << text;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << text << said;
    }
}

// ---- Folders ------------------------------------------------------------------------------

TEST(UserFolders, FollowTheXdgVariablesThenHome) {
    ScopedEnv home("HOME", "/home/moth");
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/tmp/cfg");
        ScopedEnv data("XDG_DATA_HOME", "/tmp/data");
        EXPECT_EQ(UserConfigFolder(), "/tmp/cfg/moth-lantern");
        EXPECT_EQ(UserDataFolder(), "/tmp/data/moth-lantern");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/cfg"); // not absolute: ignored
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(UserConfigFolder(), "/home/moth/.config/moth-lantern");
        EXPECT_EQ(UserDataFolder(), "/home/moth/.local/share/moth-lantern");
    }
    ScopedEnv noHome("HOME", nullptr);
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(UserConfigFolder(), "") << "nowhere to keep settings";
}

// ---- Key bindings ---------------------------------------------------------------------------

TEST(KeyBindingsTest, DefaultsAreWasdAndFWithArrowsAsSecondWalkingKeys) {
    KeyBindings keys;
    const int primary[] = {'W', 'S', 'A', 'D', 'F'};
    const int second[] = {38, 40, 37, 39, 0};
    for (int i = 0; i < kBindableActionCount; ++i) {
        EXPECT_EQ(keys.KeyFor(kBindableActions[i], KeyBindings::kPrimary), primary[i]);
        EXPECT_EQ(keys.KeyFor(kBindableActions[i], KeyBindings::kSecond), second[i]);
    }
    EXPECT_EQ(keys.KeyFor(KeyAction::Pause), 27);
    EXPECT_EQ(keys.KeyFor(KeyAction::Throw), 1);
}

TEST(KeyBindingsTest, BindingATakenKeyMovesTheFreedKeyOver) {
    KeyBindings keys;
    ASSERT_TRUE(keys.Bind(KeyAction::WalkUp, KeyBindings::kPrimary, 'S'));
    EXPECT_EQ(keys.KeyFor(KeyAction::WalkUp), 'S');
    EXPECT_EQ(keys.KeyFor(KeyAction::WalkDown), 'W') << "down takes up's old key";

    ASSERT_TRUE(keys.Bind(KeyAction::SwitchLight, KeyBindings::kSecond, 37)); // Left arrow
    EXPECT_EQ(keys.KeyFor(KeyAction::WalkLeft, KeyBindings::kSecond), 0)
        << "the light's empty second slot moved over";

    ASSERT_TRUE(keys.Bind(KeyAction::WalkRight, KeyBindings::kPrimary, 39)); // its own second
    EXPECT_EQ(keys.KeyFor(KeyAction::WalkRight, KeyBindings::kPrimary), 39);
    EXPECT_EQ(keys.KeyFor(KeyAction::WalkRight, KeyBindings::kSecond), 'D');

    const KeyBindings before = keys;
    EXPECT_FALSE(keys.Bind(KeyAction::WalkUp, KeyBindings::kPrimary, 27)) << "Esc stays fixed";
    EXPECT_FALSE(keys.Bind(KeyAction::WalkUp, KeyBindings::kPrimary, 1)) << "no mouse button";
    EXPECT_FALSE(keys.Bind(KeyAction::Pause, KeyBindings::kPrimary, 'P'));
    EXPECT_FALSE(keys.Bind(KeyAction::WalkUp, 2, 'P'));
    EXPECT_EQ(keys, before);
    keys.RestoreDefaults();
    EXPECT_EQ(keys, KeyBindings{});
}

TEST(KeyBindingsTest, EveryBindableKeyHasANameThatReadsBack) {
    int named = 0;
    for (int key = 0; key < 256; ++key) {
        if (const char* name = KeyName(key)) {
            EXPECT_EQ(KeyNamed(name), key) << name;
            ++named;
        }
    }
    EXPECT_EQ(named, 26 + 10 + 12 + 12);
    EXPECT_EQ(KeyName(27), nullptr);
    EXPECT_EQ(KeyNamed("none"), 0);
}

} // namespace

#include "Settings.h"

#include "UserFiles.h"

#include <set>
#include <sstream>
#include <utility>
#include <vector>

Settings gSettings;

namespace {

// The file's name for each bindable action, in the order of kBindableActions.
constexpr const char* kActionNames[kBindableActionCount] = {
    "keys.walk_up", "keys.walk_down", "keys.walk_left", "keys.walk_right", "keys.switch_light"};

struct KeptSettingsFile {
    std::string path;
    Settings held;       // what the file holds (or was last meant to hold)
    bool warned = false; // a failed write has been reported
};
KeptSettingsFile gFile;

const char* BoolText(bool value) {
    return value ? "true" : "false";
}

std::string KeyText(int key) {
    const char* name = KeyName(key);
    return name != nullptr ? name : "none";
}

// "w up": the primary and second key; "none" leaves a slot empty.
bool ParseKeyPair(const std::string& text, int keys[2]) {
    std::istringstream words(text);
    std::string word[2], extra;
    if (!(words >> word[0] >> word[1]) || (words >> extra)) {
        return false;
    }
    for (int slot = 0; slot < 2; ++slot) {
        keys[slot] = word[slot] == "none" ? 0 : KeyNamed(word[slot]);
        if (keys[slot] == 0 && word[slot] != "none") {
            return false;
        }
    }
    return true;
}

bool ParseVolume(const KeptValues& values, const char* name, float* volume) {
    auto found = values.find(name);
    return found != values.end() && ParseFloat(found->second, volume) && *volume >= 0.0f &&
           *volume <= 1.0f;
}

bool ParseFlag(const KeptValues& values, const char* name, bool* flag) {
    auto found = values.find(name);
    return found != values.end() && ParseBool(found->second, flag);
}

bool ParseAspect(const KeptValues& values, int* aspect) {
    auto found = values.find("aspect");
    if (found == values.end() || (found->second != "keep" && found->second != "stretch")) {
        return false;
    }
    *aspect = found->second == "keep" ? Aspect::KeepProportions : Aspect::Stretch;
    return true;
}

// Every bindable action's two keys; no key in two places.
bool ParseKeys(const KeptValues& values, KeyBindings* keys, std::string* error) {
    std::set<int> used;
    for (int i = 0; i < kBindableActionCount; ++i) {
        auto found = values.find(kActionNames[i]);
        int pair[2] = {0, 0};
        if (found == values.end() || !ParseKeyPair(found->second, pair)) {
            *error = std::string(kActionNames[i]) + " missing or not two key names";
            return false;
        }
        for (int key : pair) {
            if (key != 0 && !used.insert(key).second) {
                *error = std::string(KeyName(key)) + " bound twice";
                return false;
            }
        }
        keys->bindings[kBindableActions[i]] = pair[0];
        keys->secondKeys[kBindableActions[i]] = pair[1];
    }
    return true;
}

bool ParseValues(const KeptValues& values, Settings* out, std::string* error) {
    const bool ok = ParseVolume(values, "music_volume", &out->musicVolume) &&
                    ParseVolume(values, "effect_volume", &out->effectVolume) &&
                    ParseFlag(values, "muted", &out->muted) &&
                    ParseVolume(values, "music_before_mute", &out->musicBeforeMute) &&
                    ParseVolume(values, "effect_before_mute", &out->effectBeforeMute) &&
                    ParseFlag(values, "full_screen", &out->fullScreen) &&
                    ParseAspect(values, &out->aspect) && ParseFlag(values, "vsync", &out->vsync);
    if (!ok) {
        *error = "a volume, flag or aspect missing or out of range";
        return false;
    }
    return ParseKeys(values, &out->keys, error);
}

} // namespace

bool Settings::operator==(const Settings& other) const {
    return musicVolume == other.musicVolume && effectVolume == other.effectVolume &&
           muted == other.muted && musicBeforeMute == other.musicBeforeMute &&
           effectBeforeMute == other.effectBeforeMute && fullScreen == other.fullScreen &&
           aspect == other.aspect && vsync == other.vsync && keys == other.keys;
}

std::string FormatSettings(const Settings& settings) {
    std::vector<std::pair<std::string, std::string>> values = {
        {"music_volume", FormatFloat(settings.musicVolume)},
        {"effect_volume", FormatFloat(settings.effectVolume)},
        {"muted", BoolText(settings.muted)},
        {"music_before_mute", FormatFloat(settings.musicBeforeMute)},
        {"effect_before_mute", FormatFloat(settings.effectBeforeMute)},
        {"full_screen", BoolText(settings.fullScreen)},
        {"aspect", settings.aspect == Aspect::Stretch ? "stretch" : "keep"},
        {"vsync", BoolText(settings.vsync)}};
    for (int i = 0; i < kBindableActionCount; ++i) {
        const int action = kBindableActions[i];
        values.emplace_back(kActionNames[i],
                            KeyText(settings.keys.KeyFor(action, KeyBindings::kPrimary)) + " " +
                                KeyText(settings.keys.KeyFor(action, KeyBindings::kSecond)));
    }
    return FormatKeptText("Moth Lantern settings, rewritten by the game when they change.",
                          kSettingsVersion, values);
}

bool ParseSettings(const std::string& text, Settings* settings, std::string* error) {
    KeptValues values;
    if (!ParseKeptText(text, kSettingsVersion, &values, error)) {
        return false;
    }
    constexpr std::size_t kValueCount = 8 + kBindableActionCount;
    if (values.size() != kValueCount) {
        *error = "unknown or missing settings";
        return false;
    }
    Settings read;
    if (!ParseValues(values, &read, error)) {
        return false;
    }
    *settings = read;
    return true;
}

// ---- The settings of this run ---------------------------------------------------------------

void UseSettingsFile(const std::string& path) {
    gFile = KeptSettingsFile{path, Settings{}, false};
    gSettings = Settings{};
    std::string text, error;
    if (path.empty()) {
        return;
    }
    const FileRead read = ReadTextFile(path, &text, &error);
    if (read == FileRead::Read && !ParseSettings(text, &gSettings, &error)) {
        gSettings = Settings{};
    }
    if (read == FileRead::Failed || !error.empty()) {
        ReportUnusableFile(path, error, "the game starts with the default settings");
    }
    gFile.held = gSettings;
}

void KeepSettings() {
    if (gFile.path.empty() || gSettings == gFile.held) {
        return;
    }
    // Remembered even when the write fails, so a folder that cannot be
    // written is not tried again every frame.
    gFile.held = gSettings;
    if (!WriteTextFileSafely(gFile.path, FormatSettings(gSettings)) && !gFile.warned) {
        ReportUnusableFile(gFile.path, "cannot write it", "settings are not kept");
        gFile.warned = true;
    }
}

const std::string& SettingsFilePath() {
    return gFile.path;
}

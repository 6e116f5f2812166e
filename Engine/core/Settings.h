// Moth Lantern: the player's settings, kept between runs.
//
// gSettings is what the game runs with. It is read from the settings file at
// start-up (UseSettingsFile) and written back whenever it changes
// (KeepSettings, which the main loop runs every frame after copying the live
// volumes, mute, window, key bindings, aspect and VSync into it: the engine's
// TarnSysSetAspectMode and TarnSysSetVSync change the last two, and the
// file follows).
//
// The file is $XDG_CONFIG_HOME/moth-lantern/settings.txt; its format is the
// kept-file text of UserFiles.h, version 1:
//   music_volume, effect_volume          0 to 1, what plays now
//   muted                                true or false
//   music_before_mute, effect_before_mute the volumes the mute button put aside
//   full_screen                          true or false
//   aspect                               keep (proportions, black bars) or stretch
//   vsync                                true or false
//   keys.walk_up ... keys.switch_light   two key names each ("w up"), "none" for an empty slot
#pragma once
#include "KeyBindings.h"

#include <string>

// How the 4:3 picture fills a display of other proportions.
namespace Aspect {
enum : int { KeepProportions = 0, Stretch = 1 };
}

struct Settings {
    float musicVolume = 0.5f;
    float effectVolume = 0.5f;
    bool muted = false;
    float musicBeforeMute = 0.0f; // the volumes the mute button put aside
    float effectBeforeMute = 0.0f;
    bool fullScreen = true;
    int aspect = Aspect::KeepProportions;
    bool vsync = false; // off: the frame-rate controller alone paces the picture
    KeyBindings keys;

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
};

constexpr int kSettingsVersion = 1;

// The settings file's text.
std::string FormatSettings(const Settings& settings);
// Reads settings from a file's text; false (with the reason) for a damaged
// file: a value missing, unknown, out of range or not understood, or one key
// bound to two places.
bool ParseSettings(const std::string& text, Settings* settings, std::string* error);

// ---- The settings of this run ---------------------------------------------------------------
extern Settings gSettings;

// Keeps the settings in this file from now on ("" keeps them nowhere) and
// reads it into gSettings: the defaults when it is missing, and when it is
// damaged or unreadable the defaults and one line on stderr.
void UseSettingsFile(const std::string& path);
// Writes gSettings when it differs from what the file last held. A folder
// that cannot be written only means nothing is kept (said once on stderr).
void KeepSettings();
// The settings file in use ("" for none).
const std::string& SettingsFilePath();

#include "PlayerFiles.h"

#include "AudioManager.h"
#include "KeyBindings.h"
#include "PauseMenu.h"
#include "Progress.h"
#include "Settings.h"
#include "Tarn.h"
#include "UserFiles.h"

namespace {

// Where the window stood when last looked at: only a change of it (Alt+Enter,
// a setting) is the player's choice, so a run started in a window by a
// command-line option keeps the full-screen choice it read.
bool gWindowWasFullScreen = false;

std::string InFolder(const std::string& folder, const char* name) {
    return folder.empty() ? std::string() : folder + "/" + name;
}

} // namespace

void UsePlayerFolders() {
    UseSettingsFile(InFolder(UserConfigFolder(), "settings.txt"));
    UseProgressFile(InFolder(UserDataFolder(), "progress.txt"));
}

void ApplySettings() {
    gAudioManager->SetMusicVolume(gSettings.musicVolume);
    gAudioManager->SetEffectVolume(gSettings.effectVolume);
    gMuted = gSettings.muted;
    gSavedMusicVolume = gSettings.musicBeforeMute;
    gSavedEffectVolume = gSettings.effectBeforeMute;
    *gKeyBindings = gSettings.keys;
    TarnSysSetAspectMode(gSettings.aspect == Aspect::Stretch ? TARN_ASPECT_STRETCH
                                                             : TARN_ASPECT_KEEP);
    TarnSysSetVSync(gSettings.vsync ? 1 : 0);
    gWindowWasFullScreen = TarnSysIsFullScreen() != 0;
}

void KeepLiveSettings(bool now) {
    gSettings.musicVolume = gAudioManager->GetMusicVolume();
    gSettings.effectVolume = gAudioManager->GetEffectVolume();
    gSettings.muted = gMuted;
    gSettings.musicBeforeMute = gSavedMusicVolume;
    gSettings.effectBeforeMute = gSavedEffectVolume;
    gSettings.keys = *gKeyBindings;
    gSettings.aspect =
        TarnSysGetAspectMode() == TARN_ASPECT_STRETCH ? Aspect::Stretch : Aspect::KeepProportions;
    gSettings.vsync = TarnSysGetVSync() != 0;
    const bool fullScreen = TarnSysIsFullScreen() != 0;
    if (fullScreen != gWindowWasFullScreen) {
        gSettings.fullScreen = fullScreen;
        gWindowWasFullScreen = fullScreen;
    }
    if (now || !TarnInputCheckCurr(TARN_MOUSE_LEFT)) {
        KeepSettings();
    }
}

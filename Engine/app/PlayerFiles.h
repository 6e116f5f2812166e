// Moth Lantern: the settings and progress the game keeps for the player.
//
// The game keeps them in the player's folders (UsePlayerFolders); tests and
// the playtest driver keep nothing unless they ask, so no run reads or
// changes the player's own files. gSettings is put into the live game at
// start-up (ApplySettings, part of GameInit) and taken back from it after
// every frame (KeepLiveSettings), which writes the file when something changed.
#pragma once

// Keeps settings in $XDG_CONFIG_HOME/moth-lantern/settings.txt and progress
// in $XDG_DATA_HOME/moth-lantern/progress.txt, reading both now.
void UsePlayerFolders();
// The volumes, mute, key bindings, aspect and VSync of gSettings become the
// game's (full screen is the start-up's, StartEngine).
void ApplySettings();
// Copies the live volumes, mute, window, key bindings, aspect and VSync into
// gSettings and writes them when they changed; while the left button is held
// (a volume knob being dragged) the write waits, unless `now`.
void KeepLiveSettings(bool now);

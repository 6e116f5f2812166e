// Moth Lantern: the display choices of the settings.
//
// Three buttons in the pause menu's options and in the menu room's settings
// switch between window and full screen (as Alt+Enter does), between the 4:3
// picture with black bars and the picture stretched over the display, and
// VSync on or off. Each shows the choice in force; the settings file follows
// the engine's state (see PlayerFiles.h).
#pragma once

enum class DisplayChoice { Window, Picture, VSync };

// The picture of the button for `choice`, by the choice now in force.
const char* DisplayChoicePicture(DisplayChoice choice);
// Switches `choice` to its other value.
void ToggleDisplayChoice(DisplayChoice choice);

#include "DisplayChoices.h"

#include "TarnSystem.h"

const char* DisplayChoicePicture(DisplayChoice choice) {
    switch (choice) {
    case DisplayChoice::Window:
        return TarnSysIsFullScreen() ? "opt_full_screen.png" : "opt_window.png";
    case DisplayChoice::Picture:
        return TarnSysGetAspectMode() == TARN_ASPECT_STRETCH ? "opt_stretch.png" : "opt_keep.png";
    case DisplayChoice::VSync:
        return TarnSysGetVSync() ? "opt_vsync_on.png" : "opt_vsync_off.png";
    }
    return "opt_window.png";
}

void ToggleDisplayChoice(DisplayChoice choice) {
    switch (choice) {
    case DisplayChoice::Window:
        TarnToogleFullScreen(!TarnSysIsFullScreen());
        break;
    case DisplayChoice::Picture:
        TarnSysSetAspectMode(TarnSysGetAspectMode() == TARN_ASPECT_STRETCH ? TARN_ASPECT_KEEP
                                                                           : TARN_ASPECT_STRETCH);
        break;
    case DisplayChoice::VSync:
        TarnSysSetVSync(TarnSysGetVSync() ? 0 : 1);
        break;
    }
}

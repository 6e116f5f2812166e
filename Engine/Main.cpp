// Moth Lantern: opens the engine window and runs the frame loop until the
// window is closed.
#include "Tarn.h"

#include <cstdio>

int main() {
    if (!TarnSysInit(nullptr, 1, 1024, 768, 0, 60, nullptr)) {
        std::fprintf(stderr, "Moth Lantern: could not open the game window.\n");
        return 1;
    }
    TarnSysSetWindowTitle("PRJ207_Moth_Lantern");
    TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
    while (TarnSysDoesWindowExist()) {
        TarnSysFrameStart();
        TarnInputUpdate();
        TarnSysFrameEnd();
    }
    TarnSysExit();
    return 0;
}

// Moth Lantern: the program's entry point.
#include "Game.h"
#include "PlayerFiles.h"
#include "Settings.h"
#include "Tarn.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Moth Lantern %s\n", MOTH_VERSION);
        return 0;
    }
    if (!GameDataFound()) {
        return 1;
    }
    UsePlayerFolders();
    if (!StartEngine(gSettings.fullScreen)) {
        return 1;
    }
    SeedGameRandom(TimeSeed());
    GameInit();
    int status = RunGame(GameRunOptions{});
    GameShutdown();
    TarnSysExit();
    return status;
}

// Moth Lantern: the program's entry point.
#include "Game.h"
#include "PlayerFiles.h"
#include "Settings.h"
#include "Tarn.h"

int main() {
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

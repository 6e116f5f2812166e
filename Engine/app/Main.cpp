// Moth Lantern: the program's entry point.
#include "Game.h"
#include "LevelData.h"
#include "Tarn.h"

int main() {
    const GameFolders folders = LocateGameFolders();
    if (folders.assets.empty()) {
        return 1;
    }
    SetExportedLevelsFolder(folders.exported);
    if (!StartEngine(true, folders.assets)) {
        return 1;
    }
    SeedGameRandom(TimeSeed());
    GameInit(folders.assets);
    int status = RunGame(GameRunOptions{});
    GameShutdown();
    TarnSysExit();
    return status;
}

// Moth Lantern: the program's entry point.
#include "Game.h"
#include "Tarn.h"

int main() {
    if (!StartEngine(true)) {
        return 1;
    }
    SeedGameRandom(TimeSeed());
    GameInit();
    int status = RunGame(GameRunOptions{});
    GameShutdown();
    TarnSysExit();
    return status;
}

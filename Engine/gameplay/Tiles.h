// Moth Lantern: the tiles that act: trap doors, spider nests, the puzzles'
// danger block and the menu room's control wall.
//
// They are built from level cells like any tile (see scene/Tilemap.h); what
// they do reaches into the game: the next state, spiders, the restart
// countdown, the controls picture.
#pragma once
#include "Tilemap.h"

class TransitionBox;
class UI;

class TrapDoor : public Tilemap {
  public:
    using Tilemap::Tilemap;
    ~TrapDoor() override;
    void Init() override {}
    // Shows itself open while the key is held; once its fade has finished
    // it sends the game on to the level's puzzle. The menu room's doors start
    // a run: the saved game where one is kept, or a new game (the first
    // level, 0 memories); from a custom level, back to the menu.
    void Update() override;

    TransitionBox* doorTransition = nullptr; // the fade to the next state, once opened
    bool newGame = false;  // the menu room's door that starts over while a game is saved
    float shownFor = 0.0f; // seconds the finished picture has been up (custom levels)
};

// The memories a run started through this menu-room door begins with: 0 for
// a new game, else those of the saved game (0 when none is kept).
int RunMemoriesBehind(const TrapDoor& door);

// A spider nest: the level's first spider two seconds in, then one every
// 3 x gSpawnInterval seconds while the player is away and the cap allows.
class AISpawn : public Tilemap {
  public:
    using Tilemap::Tilemap;
    void Init() override {}
    void Update() override;

    float spawnTimer = 0.0f;
};

// The puzzles' danger block: a beam that hits it restarts the level.
class RestartWall : public Wall {
  public:
    RestartWall(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
                bool castsShadow)
        : Wall(layer, x, y, texture, collides, castsShadow) {}
    ~RestartWall() override;
    RestartWall(const RestartWall&) = delete;
    RestartWall& operator=(const RestartWall&) = delete;

    // Once armed and the restart picture has faded in, counts down with the
    // picture (3, 2, 1) and then restarts the level.
    void Update() override;

    bool restartArmed = false;
    float countdownStart = 4.0f;
    float countdown = 4.0f;
    TransitionBox* restartBox = nullptr;
};

// A beam hit the danger block: shows the restart picture and arms the
// countdown, once; hits while it runs change nothing.
void ArmRestart(RestartWall* wall);

// The main menu's control wall; lighting it shows the controls picture.
class MenuWall : public Wall {
  public:
    MenuWall(int layer, float x, float y, TarnGfxTexture* texture, bool collides, bool castsShadow)
        : Wall(layer, x, y, texture, collides, castsShadow) {}

    // Light reached the wall: reveals the controls picture, unless the
    // credits panel covers the room.
    void Reveal();

    UI* controlUI = nullptr; // the controls picture (a MenuControlUI), made by Init
};

// Moth Lantern: tile objects.
//
// Every cell of a level grid is drawn by a Tilemap, a textured square of one
// tile size that brightens when light touches it and fades back to the level's
// darkness. The level reader makes one placeholder Tilemap per cell; its Init
// turns it into a wall or builds the cell's trap door or spider spawn. The
// other tiles (keys, batteries, walls, the editor palette here; doors, spawns
// and the puzzle's danger block in gameplay/Tiles.h) derive from it.
#pragma once
#include "GameObject.h"

class Tilemap : public StaticObject {
  public:
    // Scale (0, 0), registered nowhere; the creator sizes and places it.
    Tilemap() = default;
    // One tile size square, registered like any StaticObject.
    Tilemap(int layer, float x, float y, TarnGfxTexture* texture, bool collides,
            bool castsShadow = false);
    // An explicit size, for keys and batteries.
    Tilemap(int layer, float x, float y, TarnGfxTexture* texture, bool collides, bool castsShadow,
            float scaleX, float scaleY);

    // Builds the object that the cell's tile code asks for.
    void Init() override;
    // Brightens while flashing, otherwise fades a textured tile to gDarkAlpha.
    void Update() override;

    void SetCell(int column, int row) {
        cellColumn = column;
        cellRow = row;
    }
    // Light reached the tile this frame.
    void Flash() { flashing = true; }
    // The editor palette's texture for a tile code; other codes keep the texture.
    void SetTileTexture(int code);

    bool flashing = false;
    int cellColumn = 0;
    int cellRow = 0;

  protected:
    // The Update of keys and batteries: the light fade, but never below a
    // small glow, so a pick-up shows as a spark from afar in the dark.
    void UpdateGlowing();

  private:
    void BecomeWall();
};

class Key : public Tilemap {
  public:
    using Tilemap::Tilemap;
    void Init() override {}
    void Update() override { UpdateGlowing(); }
};

class Battery : public Tilemap {
  public:
    using Tilemap::Tilemap;
    void Init() override {}
    void Update() override { UpdateGlowing(); }
};

// One entry of the level editor's palette.
class UITilemap : public Tilemap {
  public:
    UITilemap() = default;
    // A palette entry keeps the texture of its own code; it is no grid cell
    // and must not turn itself into a wall or build doors at its place.
    void Init() override {}

    int code = 0;
    bool selected = false;
};

// A tile drawn with translucent blending (walls, memories, danger blocks).
class Wall : public Tilemap {
  public:
    Wall(int layer, float x, float y, TarnGfxTexture* texture, bool collides)
        : Tilemap(layer, x, y, texture, collides) {}
    void Init() override {}
    void Draw() override;

  protected:
    Wall(int layer, float x, float y, TarnGfxTexture* texture, bool collides, bool castsShadow)
        : Tilemap(layer, x, y, texture, collides, castsShadow) {}
};

class Memory : public Wall {
  public:
    using Wall::Wall;
    void Update() override {}
};

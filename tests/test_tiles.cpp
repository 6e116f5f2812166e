// Tiles: the light fade, the cells a level's placeholders build, wall
// textures by game mode, and how walls and tiles blend.
#include "AssetManager.h"
#include "CollisionManager.h"
#include "GameGlobals.h"
#include "Globals.h"
#include "LevelData.h"
#include "LevelMap.h"
#include "LightManager.h"
#include "Pixels.h"
#include "TarnGraphics.h"
#include "TestEnv.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "World.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---- The fade ---------------------------------------------------------------------------

// Update only asks whether a tile has a texture; it never looks inside one.
TarnGfxTexture gAnyTexture{};

class TileFadeTest : public testing::Test {
  protected:
    void SetUp() override {
        gFrameTime = 0.1f;
        gDarkAlpha = 0.0f;
        tile.SetTexture(&gAnyTexture);
    }
    void TearDown() override { gDarkAlpha = 0.0f; }

    Tilemap tile;
};

TEST_F(TileFadeTest, AFlashedTileBrightensToFullThenFadesBackToTheDarkLevel) {
    tile.SetTransparency(0.5f);
    tile.Flash();
    // Up by 0.2 a frame past 1 (unclamped), one frame to notice, then down by
    // 0.2 a frame; the last step overshoots and the next lands on the level.
    const float expected[] = {0.7f, 0.9f, 1.1f,  1.1f, 0.9f, 0.7f, 0.5f,
                              0.3f, 0.1f, -0.1f, 0.0f, 0.0f, 0.0f};
    int frame = 0;
    for (float transparency : expected) {
        tile.Update();
        EXPECT_NEAR(tile.GetTransparency(), transparency, 1e-5f) << "frame " << frame;
        EXPECT_EQ(tile.flashing, frame < 3) << "frame " << frame;
        ++frame;
    }
    EXPECT_EQ(tile.GetTransparency(), gDarkAlpha);
}

TEST_F(TileFadeTest, LitTilesStayBrightUnlitOnesRiseToTheDarkLevelAndBareOnesOnlyBrighten) {
    tile.SetTransparency(0.0f);
    for (int frame = 0; frame < 20; ++frame) {
        tile.Flash(); // the light marks it again every frame
        tile.Update();
    }
    EXPECT_GE(tile.GetTransparency(), 1.0f);
    EXPECT_LT(tile.GetTransparency(), 1.2f);

    gDarkAlpha = 1.0f; // the puzzle rooms are fully lit
    tile.SetTransparency(0.0f);
    tile.Update();
    EXPECT_FLOAT_EQ(tile.GetTransparency(), 1.0f);

    gDarkAlpha = 0.0f;
    tile.SetTexture(nullptr);
    tile.SetTransparency(0.8f);
    tile.Update();
    EXPECT_FLOAT_EQ(tile.GetTransparency(), 0.8f);
    tile.Flash();
    tile.Update();
    EXPECT_FLOAT_EQ(tile.GetTransparency(), 1.0f);
}

// ---- A level's cells ------------------------------------------------------------------------

// A level of the editor's 30 x 30: a wall ring with three trap doors, a
// spider spawn and a void cell inside.
constexpr int kSide = 30;
constexpr int kWalls = 4 * kSide - 4;
constexpr int kTrapDoors = 3;
const std::pair<int, int> kDoorCells[kTrapDoors] = {{5, 5}, {20, 10}, {10, 20}};

// The level's map; cells are given from the bottom row, as the grid counts them.
std::vector<std::string> CellsMap() {
    std::vector<std::string> rows = moth_test::WalledRoom(kSide, kSide);
    auto put = [&rows](int column, int row, char cell) { rows[kSide - 1 - row][column] = cell; };
    for (const auto& [column, row] : kDoorCells) {
        put(column, row, 'D');
    }
    put(15, 15, 'x');
    put(3, 3, '~');
    put(7, 7, 'k'); // a custom level's key and battery
    put(8, 7, 'b');
    return rows;
}

// World position of a cell's centre.
float CellCentre(int cell) {
    return (cell - kSide / 2 + 0.5f) * 50.0f;
}

template <typename T> std::vector<T*> ObjectsOf(const World& world, int layer) {
    std::vector<T*> found;
    for (GameObject* object : world.GetLayer(layer)) {
        if (auto* match = dynamic_cast<T*>(object)) {
            found.push_back(match);
        }
    }
    return found;
}

class TileLevelTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        ASSERT_TRUE(
            moth_test::WriteSolidPng(folder.Path() / "Assets" / "o_wall.png", 4, 4, 128, 128, 128));
        ASSERT_TRUE(
            moth_test::WriteSolidPng(folder.Path() / "Assets" / "rocks.png", 4, 4, 120, 80, 40));
        ASSERT_TRUE(moth_test::WriteSolidPng(folder.Path() / "Assets" / "trapdoorClose.png", 4, 4,
                                             90, 60, 30));
        assets = &globals.LoadAssets((folder.Path() / "Assets").string() + "/");
        gDefaultDarkAlpha = 0.5f; // the level start copies it into gDarkAlpha
        moth_test::LoadLevelMap(CellsMap());
    }
    void TearDown() override {
        gGameMode = 0;
        gDefaultDarkAlpha = gDarkAlpha = 0.0f;
        gGridWidth = gGridHeight = 31.0f;
    }

    // The placeholder of a cell (layer 0 holds them bottom row first).
    Tilemap* Cell(int column, int row) {
        for (Tilemap* tile : ObjectsOf<Tilemap>(world, 0)) {
            if (tile->cellColumn == column && tile->cellRow == row) {
                return tile;
            }
        }
        return nullptr;
    }

    moth_test::TempDir folder;
    moth_test::GameGlobals globals;
    AssetManager* assets = nullptr;
    World& world = globals.Get<World>();
    LightManager& lights = globals.Get<LightManager>();
    CollisionManager& collisions = globals.Get<CollisionManager>();
};

TEST_F(TileLevelTest, EveryDoorNestKeyAndBatteryCellBuildsItsObject) {
    const std::vector<Tilemap*> placeholders = ObjectsOf<Tilemap>(world, 0);
    ASSERT_EQ(placeholders.size(), static_cast<size_t>(kSide * kSide));
    world.Init();
    EXPECT_EQ(ObjectsOf<Tilemap>(world, 0), placeholders);
    const std::vector<TrapDoor*> doors = ObjectsOf<TrapDoor>(world, 1);
    ASSERT_EQ(doors.size(), static_cast<size_t>(kTrapDoors));
    for (TrapDoor* door : doors) {
        EXPECT_EQ(door->GetTexture(), assets->GetTexture("trapdoorClose.png"));
        EXPECT_FLOAT_EQ(door->GetTransparency(), 0.5f);
        EXPECT_NE(collisions.Find(door), nullptr);
        EXPECT_NE(lights.FindCaster(door), nullptr);
    }
    for (int i = 0; i < kTrapDoors; ++i) { // built bottom row first
        EXPECT_FLOAT_EQ(doors[i]->GetPos().x, CellCentre(kDoorCells[i].first));
        EXPECT_FLOAT_EQ(doors[i]->GetPos().y, CellCentre(kDoorCells[i].second));
    }

    const std::vector<AISpawn*> spawns = ObjectsOf<AISpawn>(world, 1);
    ASSERT_EQ(spawns.size(), 1u);
    EXPECT_EQ(spawns[0]->GetTexture(), nullptr);
    EXPECT_EQ(collisions.Find(spawns[0]), nullptr);
    EXPECT_EQ(lights.FindCaster(spawns[0]), nullptr);
    EXPECT_FLOAT_EQ(spawns[0]->GetPos().x, CellCentre(15));

    // The key and the battery lie where the level's maker put them.
    const std::vector<Key*> keys = ObjectsOf<Key>(world, 1);
    const std::vector<Battery*> batteries = ObjectsOf<Battery>(world, 1);
    ASSERT_EQ(keys.size(), 1u);
    ASSERT_EQ(batteries.size(), 1u);
    EXPECT_FLOAT_EQ(keys[0]->GetPos().x, CellCentre(7));
    EXPECT_FLOAT_EQ(batteries[0]->GetPos().x, CellCentre(8));
    EXPECT_FLOAT_EQ(batteries[0]->GetPos().y, CellCentre(7));
    EXPECT_NE(collisions.Find(keys[0]), nullptr);
    EXPECT_EQ(globals.Get<LevelData>().CollisionAt(7, 7, 1), 0);

    EXPECT_EQ(world.GetLayer(1).size(), static_cast<size_t>(kTrapDoors + 3));
    // Keys and batteries cast shadows, as in the story levels.
    EXPECT_EQ(lights.casters.size(), static_cast<size_t>(kWalls + kTrapDoors + 2));
    EXPECT_EQ(collisions.staticColliders.size(), static_cast<size_t>(kTrapDoors + 2));
}

TEST_F(TileLevelTest, WallCellsBecomeDarkShadowCastersAndOtherCellsStayEmpty) {
    world.Init();
    Tilemap* wall = Cell(0, 7);
    ASSERT_NE(wall, nullptr);
    EXPECT_NE(lights.FindCaster(wall), nullptr);
    EXPECT_FLOAT_EQ(wall->GetTransparency(), 0.5f);
    for (Tilemap* other : {Cell(1, 1), Cell(3, 3), Cell(15, 15), Cell(5, 5)}) {
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->GetTexture(), nullptr);
        EXPECT_FLOAT_EQ(other->GetTransparency(), 0.0f);
        EXPECT_EQ(lights.FindCaster(other), nullptr);
    }
}

class WallTextureTest : public TileLevelTest,
                        public testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(WallTextureTest, WallsTakeTheirTextureFromTheGameMode) {
    const auto& [mode, textureName] = GetParam();
    gGameMode = mode;
    world.Init();
    TarnGfxTexture* expected = textureName ? assets->GetTexture(textureName) : nullptr;
    EXPECT_EQ(textureName != nullptr, expected != nullptr) << "test asset missing";
    EXPECT_EQ(Cell(0, 0)->GetTexture(), expected);
    EXPECT_EQ(Cell(12, kSide - 1)->GetTexture(), expected);
}

INSTANTIATE_TEST_SUITE_P(GameModes, WallTextureTest,
                         testing::Values(std::make_pair(0, "o_wall.png"),
                                         std::make_pair(1, "rocks.png"),
                                         std::make_pair(2, "o_wall.png"),
                                         std::make_pair(3, nullptr), std::make_pair(4, nullptr)));

TEST_F(TileLevelTest, PaletteEntriesKeepTheirOwnTexture) {
    auto* entry = new UITilemap();
    entry->SetTileTexture(kTileTrapDoor);
    world.Add(6, entry);
    world.Init(); // cell (0, 0) of this level is a wall
    EXPECT_EQ(entry->GetTexture(), assets->GetTexture("trapdoorClose.png"));
    EXPECT_EQ(lights.FindCaster(entry), nullptr);
}

// ---- Drawing ----------------------------------------------------------------------------------

using moth_test::Pixel;
using moth_test::ReadWorldPixel;

class TileDrawTest : public TileLevelTest {
  protected:
    void SetUp() override {
        TileLevelTest::SetUp();
        TarnGfxSetCamPosition(0.0f, 0.0f);
        TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        TarnGfxSetRenderMode(TARN_RENDER_NONE);
        TarnGfxStart();
    }
    // A flat, fully opaque square of one colour.
    static void Paint(StaticObject& tile, float red, float green, float blue) {
        tile.SetTexture(nullptr);
        tile.SetBlendColor(red, blue, green, 1.0f);
        tile.SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    }
};

TEST_F(TileDrawTest, WallsCoverWhatIsBehindWhilePlainTilesAddToIt) {
    // Made as the game makes them: the World owns them from here on.
    auto* floorTile = new Tilemap(1, 0.0f, 0.0f, nullptr, false);
    Paint(*floorTile, 1.0f, 0.0f, 0.0f);
    floorTile->Draw();
    EXPECT_EQ(ReadWorldPixel(0.0f, 0.0f), (Pixel{255, 0, 0}));

    auto* glow = new Tilemap(1, 0.0f, 0.0f, nullptr, false);
    Paint(*glow, 0.0f, 0.0f, 1.0f);
    glow->Draw();
    EXPECT_EQ(ReadWorldPixel(0.0f, 0.0f), (Pixel{255, 0, 255}));

    auto* wall = new Wall(1, 0.0f, 0.0f, nullptr, false);
    Paint(*wall, 0.0f, 0.0f, 1.0f);
    wall->Draw();
    EXPECT_EQ(ReadWorldPixel(0.0f, 0.0f), (Pixel{0, 0, 255}));
    EXPECT_EQ(ReadWorldPixel(30.0f, 0.0f), (Pixel{0, 0, 0})); // one tile wide
}

TEST_F(TileDrawTest, AnUnsetTransparencyDrawsNothing) {
    auto* tile = new Tilemap(1, 0.0f, 0.0f, assets->GetTexture("o_wall.png"), false);
    tile->Draw();
    EXPECT_EQ(ReadWorldPixel(0.0f, 0.0f), (Pixel{0, 0, 0}));
    tile->SetTransparency(1.0f);
    tile->Draw();
    EXPECT_EQ(ReadWorldPixel(0.0f, 0.0f), (Pixel{128, 128, 128}));
}

} // namespace

// The asset manager: the folder scan, name lookups, exported levels, textures,
// the shared meshes and the font; and where the game finds its Assets/.
#include "AssetManager.h"
#include "TestEnv.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Folder(const fs::path& path) {
    return path.string() + "/";
}

// Runs the rest of a test in another working directory.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const fs::path& path) : previous_(fs::current_path()) {
        fs::current_path(path);
    }
    ~WorkingDirectory() { fs::current_path(previous_); }

  private:
    fs::path previous_;
};

// ---- Scan and lookups (no graphics) ------------------------------------------------

TEST(AssetCatalogTest, ScanSortsByBytesAndClassifiesByCaseSensitiveExtension) {
    moth_test::TempDir dir;
    for (const char* name : {"b.png", "a.b.png", "X.PNG", "menu.text", "notes.txt", "png",
                             "s_door.wav", "S_BELL.WAV"}) {
        moth_test::WriteFile(dir.Path() / name, "x");
    }
    fs::create_directories(dir.Path() / "foo.png");
    moth_test::WriteFile(dir.Path() / "sub" / "c.png", "x");

    AssetCatalog catalog(Folder(dir.Path()));
    // Byte order: "S_BELL.WAV" 0, "X.PNG" 1, "a.b.png" 2, "b.png" 3, "menu.text" 4,
    // "notes.txt" 5, "png" 6, "s_door.wav" 7. Directories are not counted.
    const std::map<int, std::string> images = {{2, "a.b.png"}, {3, "b.png"}};
    EXPECT_EQ(catalog.GetImageFiles(), images);
    const std::map<std::string, std::string> sounds = {{"s_door.wav", "s_door.wav"}};
    EXPECT_EQ(catalog.GetSoundFiles(), sounds);
    const std::map<std::string, std::string> levels = {{"menu.text", "menu.text"}};
    EXPECT_EQ(catalog.GetLevelFiles(), levels);
}

TEST(AssetCatalogTest, PathsAndNameLookups) {
    moth_test::TempDir dir;
    moth_test::WriteFile(dir.Path() / "s_door.wav", "x");
    moth_test::WriteFile(dir.Path() / "menu.text", "x");
    const std::string folder = Folder(dir.Path());
    AssetCatalog catalog(folder);

    EXPECT_EQ(catalog.GetSoundFileName("s_door.wav"), "s_door.wav");
    EXPECT_EQ(catalog.GetSoundFileName("s_bell.wav"), "");
    EXPECT_EQ(catalog.GetAssetPath("s_door.wav"), folder + "s_door.wav");
    EXPECT_EQ(catalog.GetLevelFilePath("menu.text"), folder + "menu.text");
    EXPECT_EQ(catalog.GetLevelFilePath("missing.text"), folder) << "no file a reader can open";
    EXPECT_EQ(catalog.GetSoundFiles().size(), 1u) << "lookups add no names";

    EXPECT_EQ(AssetCatalog().GetAssetPath("s_door.wav"), "Assets/s_door.wav");
}

TEST(AssetCatalogTest, ExportedLevelsJoinTheLevelListWhateverTheirExtension) {
    moth_test::TempDir dir;
    moth_test::WriteFile(dir.Path() / "Assets" / "menu.text", "x");
    moth_test::WriteFile(dir.Path() / "Exported" / "Exported_0.txt", "x");
    moth_test::WriteFile(dir.Path() / "Exported" / "Exported_1.txt", "x");
    moth_test::WriteFile(dir.Path() / "Exported" / "notes", "x");
    fs::create_directories(dir.Path() / "Exported" / "old");
    AssetCatalog catalog(Folder(dir.Path() / "Assets"), Folder(dir.Path() / "Exported"));
    EXPECT_EQ(catalog.GetLevelFiles().size(), 1u) << "the constructor leaves exports alone";

    catalog.ScanExportedLevels();
    catalog.ScanExportedLevels(); // the Load screen scans each time it opens
    const auto levels = catalog.GetLevelFiles();
    EXPECT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels.count("Exported_0.txt"), 1u);
    EXPECT_EQ(levels.count("notes"), 1u);
    EXPECT_EQ(levels.count("old"), 0u);

    AssetCatalog noExports(Folder(dir.Path() / "Assets"), Folder(dir.Path() / "nothing"));
    noExports.ScanExportedLevels();
    EXPECT_EQ(noExports.GetLevelFiles().size(), 1u);
}

TEST(AssetCatalogTest, MissingFolderGivesEmptyLists) {
    moth_test::TempDir dir;
    AssetCatalog catalog(Folder(dir.Path() / "Assets"));
    EXPECT_TRUE(catalog.GetImageFiles().empty());
    EXPECT_TRUE(catalog.GetSoundFiles().empty());
    EXPECT_TRUE(catalog.GetLevelFiles().empty());
}

// ---- Textures, meshes and font (a GL context) ------------------------------------------

class AssetManagerTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(moth_test::EnsureEngineWindow()); }

    // Reads `floats` values back from one of a mesh's GL buffers.
    static std::vector<float> ReadBuffer(const TarnGfxVertexList* mesh, int buffer, int floats) {
        std::vector<float> values(static_cast<std::size_t>(floats));
        glBindBuffer(GL_ARRAY_BUFFER, mesh->bufferIds[buffer]);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, floats * static_cast<GLsizeiptr>(sizeof(float)),
                           values.data());
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        return values;
    }

    moth_test::TempDir dir;
};

TEST_F(AssetManagerTest, TexturesAreKeyedByTheirExactFileName) {
    ASSERT_TRUE(moth_test::WriteSolidPng(dir.Path() / "a.b.png", 2, 1, 255, 0, 0));
    ASSERT_TRUE(moth_test::WriteSolidPng(dir.Path() / "X.PNG", 2, 1, 255, 0, 0));
    moth_test::WriteFile(dir.Path() / "broken.png", "not a png");
    AssetManager assets(Folder(dir.Path()));

    TarnGfxTexture* texture = assets.GetTexture("a.b.png");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width, 2);
    EXPECT_EQ(assets.GetTexture("A.B.PNG"), nullptr);
    EXPECT_EQ(assets.GetTexture("a.b"), nullptr);
    EXPECT_EQ(assets.GetTexture("X.PNG"), nullptr);
    EXPECT_EQ(assets.GetTexture("broken.png"), nullptr);
    EXPECT_EQ(assets.GetTexture("missing.png"), nullptr);
}

TEST_F(AssetManagerTest, SharedQuadsHaveTheirCornersAndMirroredTextureCoordinates) {
    AssetManager assets(Folder(dir.Path()));
    ASSERT_NE(assets.GetMesh(0), nullptr);
    ASSERT_NE(assets.GetMesh(1), nullptr);
    ASSERT_NE(assets.GetMesh(2), nullptr);
    EXPECT_EQ(assets.GetMesh(3), nullptr);
    EXPECT_EQ(assets.GetMesh(-1), nullptr);

    const TarnGfxVertexList* centred = assets.GetMesh(0);
    ASSERT_EQ(centred->vertexCount, 6u);
    const std::vector<float> centredUv = {0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0};
    EXPECT_EQ(ReadBuffer(centred, 2, 12), centredUv);
    // Mesh 2: the same corners over one cell of the key caps' atlas.
    std::vector<float> cellUv = centredUv;
    for (std::size_t i = 0; i < cellUv.size(); ++i) {
        cellUv[i] /= i % 2 == 0 ? kKeyCapColumns : kKeyCapRows;
    }
    EXPECT_EQ(ReadBuffer(assets.GetMesh(2), 2, 12), cellUv);

    // Mesh 1 grows to the right from the origin and shows its texture turned
    // half round: u = 1 - x, v = y + 0.5.
    const TarnGfxVertexList* growing = assets.GetMesh(1);
    ASSERT_EQ(growing->vertexCount, 6u);
    const std::vector<float> positions = ReadBuffer(growing, 0, 18);
    const std::vector<float> uv = ReadBuffer(growing, 2, 12);
    for (int v = 0; v < 6; ++v) {
        const float x = positions[3 * v];
        const float y = positions[3 * v + 1];
        EXPECT_TRUE(x == 0.0f || x == 1.0f) << "vertex " << v;
        EXPECT_FLOAT_EQ(uv[2 * v], 1.0f - x) << "vertex " << v;
        EXPECT_FLOAT_EQ(uv[2 * v + 1], y + 0.5f) << "vertex " << v;
    }
    const std::vector<float> colours = ReadBuffer(growing, 1, 24);
    EXPECT_EQ(colours, std::vector<float>(24, 1.0f)) << "every vertex white";
}

// Mesh 1 on screen: the picture's top-left corner lands bottom-right, so the
// texture shows turned half round.
TEST_F(AssetManagerTest, GrowingQuadShowsItsTextureTurnedHalfRound) {
    AssetManager assets(Folder(dir.Path()));
    const unsigned char quarters[16] = {255, 0, 0,   255, 0,   255, 0,   255,  // red, green
                                        0,   0, 255, 255, 255, 255, 255, 255}; // blue, white
    TarnGfxTexture* texture = TarnGfxTextureLoadFromMemory(quarters, 2, 2);
    TarnGfxSetCamPosition(0.0f, 0.0f);
    TarnGfxSetRenderMode(TARN_RENDER_NONE);
    TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
    TarnGfxStart();
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    TarnGfxTextureSet(texture, 0.0f, 0.0f);
    TarnGfxSetTintColor(1, 1, 1, 1);
    TarnGfxSetBlendColor(0, 0, 0, 0);
    TarnGfxSetTransparency(1.0f);
    const TarnMtx33 scale = {{{200, 0, 0}, {0, 200, 0}, {0, 0, 1}}};
    TarnGfxSetTransform(&scale);
    TarnGfxMeshDraw(assets.GetMesh(1), TARN_DRAW_TRIANGLES);
    TarnGfxFlush(); // quads still gathered for one draw call
    glFinish();
    // World (x, y) is window pixel (512 + x, 384 + y) with y up.
    auto colourAt = [](int x, int y) {
        unsigned char rgba[4] = {};
        glReadPixels(512 + x, 384 + y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return std::vector<int>{rgba[0], rgba[1], rgba[2]};
    };
    EXPECT_EQ(colourAt(50, 50), (std::vector<int>{255, 255, 255})); // white, was bottom-right
    EXPECT_EQ(colourAt(150, 50), (std::vector<int>{0, 0, 255}));    // blue, was bottom-left
    EXPECT_EQ(colourAt(50, -50), (std::vector<int>{0, 255, 0}));    // green, was top-right
    EXPECT_EQ(colourAt(150, -50), (std::vector<int>{255, 0, 0}));   // red, was top-left
    EXPECT_EQ(colourAt(-50, 0), (std::vector<int>{0, 0, 0}));       // grows right from 0
    TarnGfxTextureSet(nullptr, 0.0f, 0.0f);
    TarnGfxTextureUnload(texture);
}

TEST_F(AssetManagerTest, FontAndZeroedTextBuffer) {
    { AssetManager gone(Folder(dir.Path())); } // its font destroyed while still loading
    AssetManager assets(Folder(dir.Path()));
    EXPECT_NE(assets.GetFont(), 0);
    EXPECT_GT(TarnGfxTextWidth(assets.GetFont(), "Moth Lantern"), 0) << "usable at once";
    const char* buffer = assets.GetTextBuffer();
    EXPECT_EQ(std::string(buffer, 100), std::string(100, '\0'));
}

TEST_F(AssetManagerTest, DefaultConstructorReadsAssetsOfTheWorkingDirectory) {
    ASSERT_TRUE(moth_test::WriteSolidPng(dir.Path() / "Assets" / "mouse1.png", 1, 1, 255, 0, 0));
    WorkingDirectory inside(dir.Path());
    AssetManager assets;
    EXPECT_NE(assets.GetTexture("mouse1.png"), nullptr);
    EXPECT_EQ(assets.GetAssetPath("s_door.wav"), "Assets/s_door.wav");
}

TEST_F(AssetManagerTest, MissingAssetsFolderStillStarts) {
    WorkingDirectory inside(dir.Path());
    AssetManager assets;
    EXPECT_EQ(assets.GetTexture("mouse1.png"), nullptr);
    EXPECT_NE(assets.GetMesh(0), nullptr);
    EXPECT_EQ(assets.GetLevelFilePath("menu.text"), "Assets/");
}

} // namespace

// Moth Lantern: the asset manager. Finds the files of the asset folder, loads
// every PNG as a texture keyed by its file name, builds the two shared quads and
// the one font, and answers paths for sounds and level files.
//
// File names are kept as the file system gives them: on this platform those are
// already UTF-8 bytes, so the name maps hold one string form of each name.
#pragma once
#include "TarnGraphics.h"

#include <map>
#include <string>
#include <vector>

// The name lists of the asset folder and the exported-levels folder: everything
// that needs no graphics context, so it also serves tools and tests without a window.
class AssetCatalog {
  public:
    // Scans `assetFolder` now; `exportFolder` is scanned by ScanExportedLevels.
    // Both names end in '/'. A missing folder gives empty lists.
    explicit AssetCatalog(std::string assetFolder = "Assets/",
                          std::string exportFolder = "Exported/");

    // The file name stored for a sound ("" when the folder has no such WAV).
    std::string GetSoundFileName(const std::string& name) const;
    // The asset folder followed by `name`: "Assets/" + name by default.
    std::string GetAssetPath(const std::string& name) const;
    // The asset folder followed by the stored level file name (the folder alone
    // when unknown, which no reader can open).
    std::string GetLevelFilePath(const std::string& name) const;
    std::map<std::string, std::string> GetLevelFiles() const { return levelFiles; }
    // Adds every file of the exported-levels folder to the level list.
    void ScanExportedLevels();

    // PNG files by running index over every file of the scan, so keys have gaps.
    const std::map<int, std::string>& GetImageFiles() const { return imageFiles; }
    const std::map<std::string, std::string>& GetSoundFiles() const { return soundFiles; }

  protected:
    std::map<int, std::string> imageFiles;
    std::map<std::string, std::string> soundFiles;
    std::map<std::string, std::string> levelFiles;

  private:
    void ScanAssetFolder();

    std::string assetFolder;
    std::string exportFolder;
};

class AssetManager : public AssetCatalog {
  public:
    // Scans "Assets/" in the working directory.
    AssetManager();
    // Scans another asset folder (its name ends in '/').
    explicit AssetManager(const std::string& assetFolder,
                          const std::string& exportFolder = "Exported/");
    ~AssetManager();
    AssetManager(const AssetManager&) = delete;
    AssetManager& operator=(const AssetManager&) = delete;

    // The texture loaded from the file of exactly that name, or null.
    TarnGfxTexture* GetTexture(std::string name) const;
    // 0: unit quad centred on the origin; 1: unit quad growing right from the
    // origin with its texture turned half round; 2: the centred unit quad over
    // one cell of the key caps' atlas. Null for other indexes.
    TarnGfxVertexList* GetMesh(int index) const;
    int GetFont() const { return font; }
    // 100 bytes that text-drawing code formats its strings into.
    char* GetTextBuffer() { return textBuffer; }

  private:
    void BuildMeshes();
    void LoadTextures();

    std::map<std::string, TarnGfxTexture*> textures;
    std::vector<TarnGfxVertexList*> meshes;
    int font = 0;
    char textBuffer[100] = {};
};

extern AssetManager* gAssetManager;

// The key caps' atlas, keycaps.png: a key's cap lies in the cell of its
// virtual-key code, column code % kKeyCapColumns and row code / kKeyCapColumns
// from the top; cell 0 holds the empty slot's cap.
constexpr int kKeyCapColumns = 8;
constexpr int kKeyCapRows = 16;

// The asset manager's texture of that file name; null when it is unknown (the
// object then draws as a flat quad).
TarnGfxTexture* TextureNamed(const char* name);

// The current story level's own version of a picture: in Level2 to Level5,
// "o_wall.png" becomes "o_wall2.png" to "o_wall5.png" when the assets have
// it. Level1, every other state and pictures without versions use the name.
TarnGfxTexture* LevelTextureNamed(const char* name);

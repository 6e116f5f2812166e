#include "AssetManager.h"

#include "GameStateManager.h"
#include "TarnSystem.h"

#include <algorithm>

#include <algorithm>
#include <filesystem>
#include <system_error>

AssetManager* gAssetManager = nullptr;

namespace {

constexpr unsigned int kWhite = 0xFFFFFFFF;

// The regular files of `folder`, sorted by their bytes so that every run and
// every machine sees the same scan order (and so the same image indexes).
std::vector<std::string> SortedFileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError)) {
            names.push_back(entry->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The text after the last dot; a name without a dot has no extension.
std::string Extension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

} // namespace

// ---- AssetCatalog ---------------------------------------------------------------

AssetCatalog::AssetCatalog(std::string assetFolder, std::string exportFolder)
    : assetFolder(std::move(assetFolder)), exportFolder(std::move(exportFolder)) {
    ScanAssetFolder();
}

void AssetCatalog::ScanAssetFolder() {
    int index = 0; // counts every file, matched or not
    for (const std::string& name : SortedFileNames(assetFolder)) {
        const std::string extension = Extension(name); // case-sensitive: "X.PNG" is no image
        if (extension == "png") {
            imageFiles[index] = name;
        } else if (extension == "wav") {
            soundFiles[name] = name;
        } else if (extension == "text") {
            levelFiles[name] = name;
        }
        ++index;
    }
}

void AssetCatalog::ScanExportedLevels() {
    for (const std::string& name : SortedFileNames(exportFolder)) {
        levelFiles.emplace(name, name);
    }
}

std::string AssetCatalog::GetSoundFileName(const std::string& name) const {
    const auto found = soundFiles.find(name);
    return found != soundFiles.end() ? found->second : std::string();
}

std::string AssetCatalog::GetAssetPath(const std::string& name) const {
    return assetFolder + name;
}

std::string AssetCatalog::GetLevelFilePath(const std::string& name) const {
    const auto found = levelFiles.find(name);
    return assetFolder + (found != levelFiles.end() ? found->second : std::string());
}

// ---- AssetManager ---------------------------------------------------------------

AssetManager::AssetManager() : AssetManager("Assets/") {}

AssetManager::AssetManager(const std::string& assetFolder, const std::string& exportFolder)
    : AssetCatalog(assetFolder, exportFolder) {
    // Without a window there is no graphics context to hold meshes, textures
    // or the font: the catalog alone serves (tools, tests of the game logic).
    if (!TarnSysDoesWindowExist()) {
        return;
    }
    BuildMeshes();
    LoadTextures();
    font = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
}

AssetManager::~AssetManager() {
    if (font != 0) {
        TarnGfxDestroyFont(font);
    }
    for (TarnGfxVertexList* mesh : meshes) {
        TarnGfxMeshFree(mesh);
    }
    meshes.clear();
    imageFiles.clear();
    soundFiles.clear();
    levelFiles.clear();
    for (auto& [name, texture] : textures) {
        if (texture != nullptr) {
            TarnGfxTextureUnload(texture);
        }
    }
    textures.clear();
}

void AssetManager::BuildMeshes() {
    // Mesh 0: centred unit quad; u runs left to right, v top to bottom.
    TarnGfxMeshStart();
    TarnGfxTriAdd(-0.5f, -0.5f, kWhite, 0.0f, 1.0f, 0.5f, -0.5f, kWhite, 1.0f, 1.0f, -0.5f, 0.5f,
                  kWhite, 0.0f, 0.0f);
    TarnGfxTriAdd(0.5f, -0.5f, kWhite, 1.0f, 1.0f, 0.5f, 0.5f, kWhite, 1.0f, 0.0f, -0.5f, 0.5f,
                  kWhite, 0.0f, 0.0f);
    meshes.push_back(TarnGfxMeshEnd());

    // Mesh 1: left edge on the origin so scaling x grows it to the right (health
    // bar, puzzle beam); its texture coordinates are mirrored in both directions.
    TarnGfxMeshStart();
    TarnGfxTriAdd(0.0f, 0.5f, kWhite, 1.0f, 1.0f, 1.0f, -0.5f, kWhite, 0.0f, 0.0f, 1.0f, 0.5f,
                  kWhite, 0.0f, 1.0f);
    TarnGfxTriAdd(0.0f, 0.5f, kWhite, 1.0f, 1.0f, 0.0f, -0.5f, kWhite, 1.0f, 0.0f, 1.0f, -0.5f,
                  kWhite, 0.0f, 0.0f);
    meshes.push_back(TarnGfxMeshEnd());

    // Mesh 2: the centred unit quad over one cell of the key caps' atlas
    // (kKeyCapColumns x kKeyCapRows cells); a texture offset picks the cell.
    const float u = 1.0f / kKeyCapColumns;
    const float v = 1.0f / kKeyCapRows;
    TarnGfxMeshStart();
    TarnGfxTriAdd(-0.5f, -0.5f, kWhite, 0.0f, v, 0.5f, -0.5f, kWhite, u, v, -0.5f, 0.5f, kWhite,
                  0.0f, 0.0f);
    TarnGfxTriAdd(0.5f, -0.5f, kWhite, u, v, 0.5f, 0.5f, kWhite, u, 0.0f, -0.5f, 0.5f, kWhite, 0.0f,
                  0.0f);
    meshes.push_back(TarnGfxMeshEnd());
}

void AssetManager::LoadTextures() {
    std::vector<std::string> names;
    std::vector<std::string> paths;
    for (const auto& [index, name] : imageFiles) {
        names.push_back(name);
        paths.push_back(GetAssetPath(name));
    }
    std::vector<const char*> pathPointers;
    for (const std::string& path : paths) {
        pathPointers.push_back(path.c_str());
    }
    std::vector<TarnGfxTexture*> loaded(names.size(), nullptr);
    TarnGfxTextureLoadBatchAsync(pathPointers.data(), static_cast<int>(pathPointers.size()),
                                 loaded.data());
    for (std::size_t i = 0; i < names.size(); ++i) {
        textures[names[i]] = loaded[i];
    }
}

TarnGfxTexture* AssetManager::GetTexture(std::string name) const {
    const auto found = textures.find(name);
    return found != textures.end() ? found->second : nullptr;
}

TarnGfxVertexList* AssetManager::GetMesh(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= meshes.size()) {
        return nullptr;
    }
    return meshes[static_cast<std::size_t>(index)];
}

TarnGfxTexture* TextureNamed(const char* name) {
    return gAssetManager->GetTexture(name);
}

TarnGfxTexture* LevelTextureNamed(const char* name) {
    const GameStateId state = gGameStateManager->current;
    if (state > GameState::Level1 && state <= GameState::Level5) {
        std::string own = name;
        own.insert(std::min(own.rfind('.'), own.size()),
                   std::to_string(state - GameState::Level1 + 1));
        if (TarnGfxTexture* texture = TextureNamed(own.c_str())) {
            return texture;
        }
    }
    return TextureNamed(name);
}

// Moth Lantern: the level editor: load, clicks, cell display, undo, export.
#include "Editor.h"

#include "AssetManager.h"
#include "Camera.h"
#include "CollisionManager.h"
#include "CustomLevel.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LevelValidator.h"
#include "LightManager.h"
#include "PlayerAnimator.h"
#include "StateCallbacks.h"
#include "TarnInput.h"
#include "Tilemap.h"
#include "World.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

bool gExportNotice = false;
float gExportNoticeTimer = 0.0f;

namespace {

// ---- Layout (screen offsets from the window centre, y up) ----
// The tool panel covers the right edge of the view; clicks there never paint.
constexpr float kPanelLeft = 396.0f;
constexpr float kPanelWidth = 512.0f - kPanelLeft;
constexpr float kPaletteX = 455.0f;
constexpr float kPaletteTopY = 40.0f;
constexpr float kPaletteStep = 65.0f;
constexpr float kButtonX = 455.0f;
constexpr float kMenuButtonY = 250.0f;
constexpr float kExportButtonY = 170.0f;
constexpr float kNoticeX = kPanelLeft + 6.0f; // the game's font needs the room
constexpr float kNoticeY = 120.0f;
constexpr float kDetailX = -500.0f;
constexpr float kDetailTopY = -330.0f;
constexpr float kDetailStep = -22.0f;
constexpr std::size_t kMaxDetailLines = 3;

// ---- View ----
constexpr float kPanSpeed = 600.0f; // world units per second
constexpr float kPanLimit = 300.0f; // the view reaches every editable cell

constexpr int kLockedRings = 2;
constexpr std::size_t kPaletteEntries = 5; // four tile codes and the start

struct CellChange {
    int column;
    int row;
    int before;
};

// The editor's state for one visit: rebuilt by every EditorLoad.
struct EditorSession {
    UITilemap* startEntry = nullptr;
    bool cellsShown = false;
    std::vector<std::vector<CellChange>> undo;
    ExportNoticeText notice;
};

EditorSession& Session() {
    static EditorSession session;
    return session;
}

TarnVec2 CameraPosition() {
    const Camera* camera = gWorld->GetCamera();
    return camera != nullptr ? camera->GetPos() : TarnVec2{0.0f, 0.0f};
}

// Prints text with its first character at a screen offset.
void PrintOnScreen(const std::string& text, float x, float y, float red, float green, float blue) {
    const TarnVec2 camera = CameraPosition();
    PrintText(gAssetManager->GetFont(), text, camera.x + x, camera.y + y,
              Color{red, green, blue, 1.0f});
}

bool MouseOverPanel() {
    return gMouseX > kPanelLeft;
}

// ---- Cell display ----

// The placeholder that stands for a cell, from the per-column lists.
Tilemap* PlaceholderOf(int column, int row) {
    if (column < 0 || column >= static_cast<int>(gLevelData->editorCells.size())) {
        return nullptr;
    }
    for (Tilemap* tile : gLevelData->editorCells[column]) {
        if (tile->cellRow == row) {
            return tile;
        }
    }
    return nullptr;
}

// Floor, void and start build nothing in the game; the editor still shows
// them, with their palette pictures.
void DecorateCell(Tilemap* tile, int code) {
    if (code == kTileFloor || code == kTileVoid) {
        tile->SetTileTexture(code);
    } else if (code == kTilePlayerStart) {
        tile->SetTexture(TextureNamed("a_char_down1.png"));
    } else {
        return;
    }
    tile->SetTransparency(gDarkAlpha);
}

// Rebuilds a cell's placeholder from its current code, as a level start
// would: the door or spawn built for the old code goes, the new one comes.
void ShowCell(Tilemap* tile) {
    for (GameObject* object : gWorld->GetLayer(Layer::Items)) {
        auto* built = dynamic_cast<Tilemap*>(object);
        if (built != nullptr && built->position.x == tile->position.x &&
            built->position.y == tile->position.y) {
            gWorld->Destroy(Layer::Items, built);
        }
    }
    gLightManager->RemoveCaster(tile);
    tile->SetTexture(nullptr);
    tile->SetTransparency(0.0f);
    tile->Init();
    DecorateCell(tile, gLevelData->TileAt(tile->cellColumn, tile->cellRow, kTileFloor));
}

// Files every placeholder under its column, then shows the cells that the
// game itself leaves blank. Once per visit, after the level's Init.
void ShowAllCells() {
    EditorSession& session = Session();
    if (session.cellsShown) {
        return;
    }
    session.cellsShown = true;
    for (GameObject* object : gWorld->GetLayer(Layer::Level)) {
        auto* tile = dynamic_cast<Tilemap*>(object);
        const int column = tile != nullptr ? tile->cellColumn : -1;
        if (column >= 0 && column < static_cast<int>(gLevelData->editorCells.size())) {
            gLevelData->editorCells[column].push_back(tile);
            DecorateCell(tile, gLevelData->TileAt(column, tile->cellRow, kTileFloor));
        }
    }
}

void StoreCell(int column, int row, int code) {
    gLevelData->SetTile(column, row, code);
    if (Tilemap* tile = PlaceholderOf(column, row); tile != nullptr) {
        ShowCell(tile);
    }
}

// ---- View and palette ----

void PanView() {
    Camera* camera = gWorld->GetCamera();
    if (camera == nullptr) {
        return;
    }
    const float step = kPanSpeed * gFrameTime;
    TarnVec2 at = camera->GetPos();
    at.x += (TarnInputCheckCurr(TARN_KEY_RIGHT) ? step : 0.0f) -
            (TarnInputCheckCurr(TARN_KEY_LEFT) ? step : 0.0f);
    at.y += (TarnInputCheckCurr(TARN_KEY_UP) ? step : 0.0f) -
            (TarnInputCheckCurr(TARN_KEY_DOWN) ? step : 0.0f);
    at.x = std::clamp(at.x, -kPanLimit, kPanLimit);
    at.y = std::clamp(at.y, -kPanLimit, kPanLimit);
    camera->SetPosition(at.x, at.y);
    TarnGfxSetCamPosition(at.x, at.y);
}

TarnVec2 PaletteOffset(std::size_t index) {
    return TarnVec2{kPaletteX, kPaletteTopY - kPaletteStep * static_cast<float>(index)};
}

// The palette stays on the panel wherever the view goes.
void PlacePalette() {
    const TarnVec2 camera = CameraPosition();
    const std::vector<UITilemap*> entries = EditorPalette();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TarnVec2 offset = PaletteOffset(i);
        entries[i]->SetPos(camera.x + offset.x, camera.y + offset.y);
    }
}

// Selects the entry under the mouse, if any: it is drawn dimmed until
// another is chosen.
void SelectPaletteEntry() {
    const std::vector<UITilemap*> entries = EditorPalette();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!IsMouseOver(PaletteOffset(i), entries[i]->GetScale())) {
            continue;
        }
        gLevelData->selectedCode = entries[i]->code;
        std::puts("CLICKED");
        std::fflush(stdout);
        for (UITilemap* entry : entries) {
            entry->selected = entry == entries[i];
            entry->SetTintColor(1.0f, 1.0f, 1.0f, entry->selected ? 0.5f : 1.0f);
        }
        return;
    }
}

// The cell under the mouse, when the mouse is over the grid and not the panel.
bool EditableCellUnderMouse(EditorCell* cell) {
    if (MouseOverPanel()) {
        return false;
    }
    const TarnVec2 camera = CameraPosition();
    *cell = EditorCellAt(camera.x + gMouseX, camera.y + gMouseY);
    return IsEditableCell(cell->column, cell->row);
}

bool UndoRequested() {
    return TarnInputCheckCurr(TARN_KEY_CTRL) && TarnInputCheckTriggered('Z');
}

UITilemap* MakeStartEntry() {
    auto* entry = new UITilemap();
    entry->SetScale(gTileSize, gTileSize);
    entry->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    entry->SetTexture(TextureNamed("a_char_down1.png"));
    entry->code = kTilePlayerStart;
    gWorld->Add(Layer::Pictures, entry);
    return entry;
}

void AddFlatBox(float width, float height, const TarnVec2& offset, float grey) {
    auto* box = new UIBox(width, height, offset.x, offset.y, nullptr);
    box->SetBlendColor(grey, grey, grey, 1.0f);
    box->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    gWorld->Add(Layer::Pictures, box);
}

// The dark strip behind the palette and buttons, with a lighter frame for
// each palette entry (the void entry is black).
void MakePanel(std::size_t paletteEntries) {
    AddFlatBox(kPanelWidth, 2.0f * gHalfWindowHeight,
               TarnVec2{kPanelLeft + kPanelWidth / 2.0f, 0.0f}, 0.12f);
    // Entries draw additively, so each sits on black inside its frame.
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        AddFlatBox(gTileSize + 6.0f, gTileSize + 6.0f, PaletteOffset(i), 0.45f);
        AddFlatBox(gTileSize, gTileSize, PaletteOffset(i), 0.0f);
    }
}

// The wanderer stands in the room; the editor gives it no light.
void MakeWanderer() {
    ActiveObject* wanderer = CreateWanderer();
    wanderer->SetPos(-260.0f, 300.0f);
    wanderer->SetScale(30.0f, 30.0f);
    wanderer->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    gWorld->Add(Layer::Actors, wanderer);
    gCollisionManager->Register(wanderer);
    gPlayerAnimator->SetPlayer(wanderer);
}

std::string ExportFolderName() {
    return ExportedLevelsFolder() + "/";
}

// The tile grid as the validator reads a file: top row first, start kept.
LevelGrid GridAsFile() {
    LevelGrid grid;
    grid.width = gLevelData->Columns();
    grid.height = gLevelData->Rows();
    for (int row = grid.height - 1; row >= 0; --row) {
        for (int column = 0; column < grid.width; ++column) {
            grid.cells.push_back(gLevelData->TileAt(column, row, kTileFloor));
        }
    }
    return grid;
}

} // namespace

// ---- State callbacks ----------------------------------------------------------------

// The menu's view and darkness, the 30 x 30 grid, the wanderer standing in
// the room, the buttons, the palette's start entry, the tool panel and the
// cell cursor. The World then reads the template.
void EditorLoad() {
    MenuLoad();
    LevelGridSize(GameState::LevelEditor, &gGridWidth, &gGridHeight);
    Session() = EditorSession();
    gExportNotice = false;
    gExportNoticeTimer = 0.0f;
    MakeWanderer();
    gWorld->Add(Layer::Panels, new EditorCellCursor());
    MakePanel(kPaletteEntries);
    gWorld->Add(Layer::Pictures, new EditorButton(kButtonX, kMenuButtonY, "Menu"));
    gWorld->Add(Layer::Pictures, new ExportButton(kButtonX, kExportButtonY));
    Session().startEntry = MakeStartEntry();
}

// Moves the view, places the palette, handles palette clicks, left and right
// clicks on cells and Ctrl+Z.
void EditorClick() {
    ShowAllCells();
    PanView();
    PlacePalette();
    if (UndoRequested()) {
        UndoLastPlacement();
    }
    const bool left = TarnInputCheckTriggered(TARN_MOUSE_LEFT);
    const bool right = TarnInputCheckTriggered(TARN_MOUSE_RIGHT);
    if (left) {
        SelectPaletteEntry();
    }
    EditorCell cell{};
    if ((left || right) && EditableCellUnderMouse(&cell)) {
        PlaceTile(cell.column, cell.row, left ? gLevelData->selectedCode : kTileFloor);
    }
}

// ---- Cells and placement ------------------------------------------------------------

EditorCell EditorCellAt(float worldX, float worldY) {
    const float halfWidth = gGridWidth / 2.0f;
    const float halfHeight = gGridHeight / 2.0f - 0.5f;
    // Truncation towards zero, as the casts do: a point just left of the grid
    // reads as column 0, which the locked rings cover anyway.
    return EditorCell{static_cast<int>(worldX / gTileSize + halfWidth),
                      static_cast<int>(worldY / gTileSize + halfHeight)};
}

bool IsEditableCell(int column, int row) {
    return column >= kLockedRings && row >= kLockedRings &&
           column <= static_cast<int>(gGridWidth) - 1 - kLockedRings &&
           row <= static_cast<int>(gGridHeight) - 1 - kLockedRings;
}

bool PlaceTile(int column, int row, int code) {
    if (!IsEditableCell(column, row)) {
        return false;
    }
    const int before = gLevelData->TileAt(column, row, kTileFloor);
    if (before == code) {
        return false;
    }
    std::vector<CellChange> step;
    if (code == kTilePlayerStart) {
        // A level has one start: the new one replaces the old.
        for (int c = 0; c < gLevelData->Columns(); ++c) {
            for (int r = 0; r < gLevelData->Rows(); ++r) {
                if (gLevelData->TileAt(c, r, kTileFloor) == kTilePlayerStart) {
                    step.push_back(CellChange{c, r, kTilePlayerStart});
                    StoreCell(c, r, kTileFloor);
                }
            }
        }
    }
    step.push_back(CellChange{column, row, before});
    StoreCell(column, row, code);
    Session().undo.push_back(step);
    return true;
}

bool UndoLastPlacement() {
    auto& undo = Session().undo;
    if (undo.empty()) {
        return false;
    }
    const std::vector<CellChange> step = undo.back();
    undo.pop_back();
    for (auto change = step.rbegin(); change != step.rend(); ++change) {
        StoreCell(change->column, change->row, change->before);
    }
    return true;
}

std::vector<UITilemap*> EditorPalette() {
    std::vector<UITilemap*> entries;
    entries = gLevelData->palette;
    if (Session().startEntry != nullptr) {
        entries.push_back(Session().startEntry);
    }
    return entries;
}

// ---- Export and its notice -----------------------------------------------------------

ExportNoticeText ExportEditedLevel() {
    ExportNoticeText notice;
    LevelRules rules;
    LevelRulesForFile("", &rules); // an exported level's rules
    const std::vector<std::string> problems = ValidateLevelGrid(GridAsFile(), rules);
    if (!gLevelData->Export()) {
        notice.headline = "Not saved";
        notice.details.push_back("Export failed: cannot write a new file in " + ExportFolderName() +
                                 " - nothing was saved.");
        return notice;
    }
    const std::string name =
        std::filesystem::path(gLevelData->LastExportPath()).filename().string();
    notice.headline = "Exported";
    if (problems.empty()) {
        notice.details.push_back("Saved " + ExportFolderName() + name + ", ready to play.");
        return notice;
    }
    // Work in progress is kept, but the player should know what is missing.
    notice.details.push_back("Saved " + ExportFolderName() + name + ", not playable yet:");
    for (std::size_t i = 0; i < problems.size() && i + 1 < kMaxDetailLines; ++i) {
        notice.details.push_back("- " + problems[i]);
    }
    return notice;
}

const ExportNoticeText& CurrentExportNotice() {
    return Session().notice;
}

// ---- Widgets ----------------------------------------------------------------------------

EditorButton::EditorButton(float offsetX, float offsetY, std::string text)
    : label(std::move(text)) {
    offset = TarnVec2{offsetX, offsetY};
    SetScale(100.0f, 50.0f);
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetBlendColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void EditorButton::Init() {
    float x = 0.0f;
    float y = 0.0f;
    TarnGfxGetCamPosition(&x, &y);
    SetPos(x + offset.x, y + offset.y);
}

void EditorButton::Update() {
    UIButton::Update();
    if (clicked) {
        gGameStateManager->next = GameState::Menu;
    }
}

void EditorButton::Draw() {
    UI::Draw();
    // About 11 pixels per character of the game's font.
    const float textWidth = 11.0f * static_cast<float>(label.size());
    PrintOnScreen(label, offset.x - textWidth / 2.0f, offset.y - 8.0f, 0.1f, 0.1f, 0.1f);
}

ExportButton::ExportButton(float offsetX, float offsetY)
    : EditorButton(offsetX, offsetY, "Export") {}

void ExportButton::Update() {
    UIButton::Update();
    if (clicked) {
        // A second export within the second writes its file and shows its
        // own result, but the notice keeps the first one's clock.
        Session().notice = ExportEditedLevel();
        gExportNotice = true;
    }
}

void ExportButton::Draw() {
    EditorButton::Draw();
    if (gExportNoticeTimer < 1.0f && gExportNotice) {
        gExportNoticeTimer += gFrameTime;
        const ExportNoticeText& notice = Session().notice;
        PrintOnScreen(notice.headline, kNoticeX, kNoticeY, 1.0f, 0.0f, 0.0f);
        for (std::size_t i = 0; i < notice.details.size(); ++i) {
            PrintOnScreen(notice.details[i], kDetailX, kDetailTopY + kDetailStep * i, 1.0f, 0.0f,
                          0.0f);
        }
        return;
    }
    gExportNotice = false;
    gExportNoticeTimer = 0.0f;
}

void EditorCellCursor::Update() {
    EditorCell cell{};
    showing = EditableCellUnderMouse(&cell);
    if (showing) {
        SetScale(gTileSize, gTileSize);
        SetPos((cell.column - gGridWidth / 2.0f + 0.5f) * gTileSize,
               (cell.row - gGridHeight / 2.0f + 0.5f) * gTileSize);
    }
}

void EditorCellCursor::Draw() {
    if (!showing) {
        return;
    }
    BuildTransform(&transform, scale, position, 0.0f);
    const Color tint{1.0f, 1.0f, 1.0f, 1.0f};
    const Color gold{kHoverTint.r, kHoverTint.g, kHoverTint.b, 1.0f};
    DrawQuad(transform, tint, gold, 0.4f, TARN_BLEND_TRANSLUCENT, nullptr, UnitQuadMesh());
}

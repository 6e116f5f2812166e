// Moth Lantern: the level editor: load, the pointer and keys, cell display,
// export and leaving (see Editor.h).
//
// Index
//   Session and the cells shown
//   View, palette and pointer
//   Strokes and keys
//   State callbacks
//   Entry points, placement, export, leaving
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
#include "TarnInput.h"
#include "Tilemap.h"
#include "World.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

bool gExportNotice = false;
float gExportNoticeTimer = 0.0f;

EditorSession& Session() {
    static EditorSession session;
    return session;
}

namespace {

constexpr float kPanSpeed = 600.0f; // world units per second

// ---- Session and the cells shown ----------------------------------------------------------

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

// The game builds nothing it shows for floor, void, a start, a nest, a key
// or a battery in the editor (nests, keys and batteries act only in play);
// the editor shows them with its own pictures.
void DecorateCell(Tilemap* tile, int code) {
    if (code == kTileWall || code == kTileTrapDoor) {
        return;
    }
    // Things stand on floor; the grid's marks draw them over it.
    tile->SetTexture(EditorTileTexture(EditorTileIsThing(code) ? kTileFloor : code));
    tile->SetTransparency(gDarkAlpha);
}

// Rebuilds a cell's placeholder from its current code, as a level start
// would: the door built for the old code goes, the new one comes.
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

// The level data and the cells shown follow the model's cells that changed.
void ShowChanges(const EditorStep& changes) {
    const EditorModel& model = Session().model;
    for (const CellChange& change : changes) {
        const int code = model.At(change.column, change.row);
        gLevelData->SetTile(change.column, change.row, code);
        if (Tilemap* tile = PlaceholderOf(change.column, change.row); tile != nullptr) {
            ShowCell(tile);
        }
    }
}

void CheckWhenChanged() {
    EditorSession& session = Session();
    if (session.checkedRevision != session.model.Revision()) {
        session.check = CheckEditedLevel(session.model.Cells());
        session.checkedRevision = session.model.Revision();
    }
}

// ---- View, palette and pointer --------------------------------------------------------------

void SetView(const TarnVec2& at) {
    Session().view = at;
    if (Camera* camera = gWorld->GetCamera(); camera != nullptr) {
        camera->SetPosition(at.x, at.y);
    }
    TarnGfxSetCamPosition(at.x, at.y);
}

// The arrow keys move the view; it stops where the grid's edge meets the
// edge of the area left free by the panel and the status bar.
void PanView() {
    const float step = kPanSpeed * gFrameTime;
    TarnVec2 at = Session().view;
    at.x += (TarnInputCheckCurr(TARN_KEY_RIGHT) ? step : 0.0f) -
            (TarnInputCheckCurr(TARN_KEY_LEFT) ? step : 0.0f);
    at.y += (TarnInputCheckCurr(TARN_KEY_UP) ? step : 0.0f) -
            (TarnInputCheckCurr(TARN_KEY_DOWN) ? step : 0.0f);
    const float halfW = gGridWidth * gTileSize / 2.0f;
    const float halfH = gGridHeight * gTileSize / 2.0f;
    at.x = std::clamp(at.x, -halfW + gHalfWindowWidth, halfW - kPanelLeft);
    at.y = std::clamp(at.y, -halfH - kBarTop, halfH - gHalfWindowHeight);
    SetView(at);
}

// The palette stays on the panel wherever the view goes.
void PlacePalette() {
    const std::vector<UITilemap*>& entries = Session().entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i]->SetPos(CameraPlus(PaletteOffset(i)));
        entries[i]->SetTransparency(1.0f); // bright, whatever the darkness does to tiles
    }
}

// Chooses the entry whose row (picture and label) is under the mouse.
bool SelectPaletteEntry() {
    const std::vector<UITilemap*>& entries = Session().entries;
    const float rowWidth = 512.0f - kPanelLeft - 12.0f;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TarnVec2 entry = PaletteOffset(i);
        const TarnVec2 row{kPanelLeft + 6.0f + rowWidth / 2.0f, entry.y};
        if (IsMouseOver(row, TarnVec2{rowWidth, kPaletteStep - 2.0f})) {
            gLevelData->selectedCode = entries[i]->code;
            std::puts("CLICKED");
            std::fflush(stdout);
            return true;
        }
    }
    return false;
}

// The pointer in cell units of the view shown; false off the grid area.
bool PointerUnits(float* u, float* v) {
    if (gMouseX >= kPanelLeft || gMouseY <= kBarTop) {
        return false;
    }
    const EditorSession& session = Session();
    if (session.overview) {
        const float size = OverviewCellSize();
        const TarnVec2 origin = OverviewOrigin();
        *u = (gMouseX - origin.x) / size;
        *v = (gMouseY - origin.y) / size;
        return true;
    }
    const TarnVec2 world = CameraPlus(TarnVec2{gMouseX, gMouseY});
    session.model.ToUnits(world.x, world.y, u, v);
    return true;
}

// ---- Strokes and keys ------------------------------------------------------------------------

void EndStroke() {
    EditorSession& session = Session();
    session.painting = false;
    session.model.EndStroke();
}

// Left paints the chosen code, right puts floor back, along the pointer's
// path while the button is held.
void RunStroke(bool onGrid, float u, float v) {
    EditorSession& session = Session();
    if (session.painting && !TarnInputCheckCurr(session.paintButton)) {
        EndStroke();
    }
    const bool left = TarnInputCheckTriggered(TARN_MOUSE_LEFT);
    const bool right = TarnInputCheckTriggered(TARN_MOUSE_RIGHT);
    if (onGrid && !session.painting && (left || right)) {
        session.painting = true;
        session.paintButton = left ? TARN_MOUSE_LEFT : TARN_MOUSE_RIGHT;
        session.paintCode = left ? gLevelData->selectedCode : kTileFloor;
        session.model.BeginStroke();
        session.lastU = u;
        session.lastV = v;
    }
    if (session.painting && onGrid) {
        ShowChanges(
            session.model.PaintSegment(session.lastU, session.lastV, u, v, session.paintCode));
        session.lastU = u;
        session.lastV = v;
    }
}

void HandlePointer() {
    EditorSession& session = Session();
    float u = 0.0f;
    float v = 0.0f;
    const bool onGrid = PointerUnits(&u, &v);
    session.pointer = EditorModel::CellAtUnits(u, v);
    session.pointerOnGrid =
        onGrid && session.model.At(session.pointer.column, session.pointer.row) >= 0;
    if (!session.painting && TarnInputCheckTriggered(TARN_MOUSE_LEFT) && SelectPaletteEntry()) {
        return;
    }
    RunStroke(onGrid, u, v);
}

void HandleKeys() {
    if (TarnInputCheckTriggered(TARN_KEY_ESCAPE)) {
        RunEditorAction(EditorAction::Menu);
    }
    if (TarnInputCheckTriggered(TARN_KEY_TAB)) {
        RunEditorAction(EditorAction::Overview);
    }
    if (TarnInputCheckTriggered('P')) {
        RunEditorAction(EditorAction::TestPlay);
    }
    if (!TarnInputCheckCurr(TARN_KEY_CTRL)) {
        return;
    }
    const bool shift = TarnInputCheckCurr(TARN_KEY_SHIFT);
    if (TarnInputCheckTriggered('Z') && !shift) {
        UndoLastPlacement();
    } else if (TarnInputCheckTriggered('Y') || (TarnInputCheckTriggered('Z') && shift)) {
        RedoPlacement();
    }
}

void AgeNotice() {
    if (!gExportNotice) {
        return;
    }
    gExportNoticeTimer += gFrameTime;
    if (gExportNoticeTimer >= kExportNoticeSeconds) {
        gExportNotice = false;
        gExportNoticeTimer = 0.0f;
    }
}

// ---- Making the editor's objects ----------------------------------------------------------

UITilemap* MakeEntry(int code) {
    auto* entry = new UITilemap();
    entry->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    entry->SetTexture(EditorTileTexture(code));
    entry->code = code;
    gWorld->Add(Layer::Pictures, entry);
    return entry;
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

void MakeWidgets() {
    gWorld->Add(Layer::Pictures, new EditorGridMarks());
    gWorld->Add(Layer::Pictures, new EditorOverview());
    gWorld->Add(Layer::Pictures, new EditorPanel());
    gWorld->Add(Layer::Pictures, new EditorStatusBar());
    const float middle = (kPanelLeft + 512.0f) / 2.0f;
    const float wide = 512.0f - kPanelLeft - 16.0f;
    const float half = wide / 2.0f - 2.0f;
    gWorld->Add(Layer::Pictures, new EditorButton(middle - half / 2.0f - 2.0f, kButtonsTopY, half,
                                                  "Menu", EditorAction::Menu));
    gWorld->Add(Layer::Pictures, new EditorButton(middle + half / 2.0f + 2.0f, kButtonsTopY, half,
                                                  "Export", EditorAction::Export));
    gWorld->Add(Layer::Pictures, new EditorButton(middle, kButtonsTopY - kButtonStep, wide,
                                                  "Overview", EditorAction::Overview));
    gWorld->Add(Layer::Pictures, new EditorButton(middle, kButtonsTopY - 2.0f * kButtonStep, wide,
                                                  "Test play", EditorAction::TestPlay));
}

// The palette after the level data's four entries: the things to place.
void MakeLaterEntries() {
    EditorSession& session = Session();
    if (!session.entries.empty()) {
        return; // a restart keeps the panel's pictures
    }
    session.entries = gLevelData->palette;
    for (int code : {kTilePlayerStart, kTileSpiderSpawn, kTileKey, kTileBattery}) {
        session.entries.push_back(MakeEntry(code));
    }
    for (UITilemap* entry : session.entries) {
        entry->SetScale(kPaletteIconSize, kPaletteIconSize);
    }
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

void CloseLeaveQuestion() {
    EditorSession& session = Session();
    if (session.leaveDialog != nullptr) {
        session.leaveDialog->Close();
        session.leaveDialog = nullptr;
    }
}

} // namespace

// ---- State callbacks ----------------------------------------------------------------

// The menu's view and darkness, the 30 x 30 grid, the wanderer standing in
// the room, the panel, the bar and the marks. The World then reads the
// template; EditorInit puts a kept grid over it.
void EditorLoad() {
    MenuLoad();
    LevelGridSize(GameState::LevelEditor, &gGridWidth, &gGridHeight);
    EditorSession& session = Session();
    if (!session.keepOnLoad) {
        session = EditorSession();
    }
    session.entries.clear();
    session.leaveDialog = nullptr;
    session.cellsShown = false;
    session.painting = false;
    session.checkedRevision = ~0u;
    gExportNotice = false;
    gExportNoticeTimer = 0.0f;
    gHasKey = false; // the editor's doors stay shut: walking onto one loses no work
    SetView(session.view);
    MakeWanderer();
    MakeWidgets();
}

// A kept grid (a reopened file, or the grid a test-play came back from)
// replaces the template before the cells build; otherwise the template is
// the new level.
void EditorInit() {
    EditorSession& session = Session();
    if (session.keepOnLoad && session.model.Columns() == gLevelData->Columns()) {
        for (int column = 0; column < session.model.Columns(); ++column) {
            for (int row = 0; row < session.model.Rows(); ++row) {
                gLevelData->SetTile(column, row, session.model.At(column, row));
            }
        }
    } else {
        session.model.Reset(gLevelData->GetTileGrid(), gTileSize);
    }
    session.keepOnLoad = false;
    MakeLaterEntries();
}

// Keys, the view, the palette, strokes and the live check.
void EditorClick() {
    ShowAllCells();
    AgeNotice();
    PlacePalette();
    if (Session().leaveDialog == nullptr) {
        HandleKeys();
    } else if (TarnInputCheckTriggered(TARN_KEY_ESCAPE)) {
        RunEditorAction(EditorAction::Stay);
    }
    if (Session().leaveDialog == nullptr) {
        if (!Session().overview) {
            PanView();
        }
        HandlePointer();
    } else {
        Session().pointerOnGrid = false; // the question covers the grid
    }
    CheckWhenChanged();
}

void RunEditorAction(EditorAction action) {
    EditorSession& session = Session();
    switch (action) {
    case EditorAction::Menu:
        if (session.model.Unsaved() && session.leaveDialog == nullptr) {
            EndStroke();
            session.leaveDialog = new EditorLeaveDialog();
        } else if (session.leaveDialog == nullptr) {
            gGameStateManager->next = GameState::Menu;
        }
        break;
    case EditorAction::Export:
        ExportEditedLevel();
        break;
    case EditorAction::TestPlay:
        EndStroke();
        session.keepOnLoad = true;
        gTestPlayLevel = gLevelData->Text();
        gGameStateManager->next = GameState::Custom;
        break;
    case EditorAction::Overview:
        session.overview = !session.overview;
        break;
    case EditorAction::LeaveExport:
        CloseLeaveQuestion();
        if (!ExportEditedLevel().failed) {
            gGameStateManager->next = GameState::Menu;
        }
        break;
    case EditorAction::LeaveWithout:
        gGameStateManager->next = GameState::Menu;
        break;
    case EditorAction::Stay:
        CloseLeaveQuestion();
        break;
    }
}

// ---- Entry points ----------------------------------------------------------------------

bool OpenLevelForEditing(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    float columns = 0.0f;
    float rows = 0.0f;
    LevelGridSize(GameState::LevelEditor, &columns, &rows);
    const LevelGrid grid =
        ParseLevelText(text.str(), static_cast<int>(columns), static_cast<int>(rows), nullptr);
    LevelCells cells(grid.width, std::vector<int>(grid.height, kTileFloor));
    for (int column = 0; column < grid.width; ++column) {
        for (int row = 0; row < grid.height; ++row) {
            cells[column][row] = grid.At(column, grid.height - 1 - row);
        }
    }
    EditorSession& session = Session();
    session = EditorSession();
    session.model.Reset(cells, gTileSize);
    session.sourceName = FileNameOf(path);
    session.keepOnLoad = true;
    return true;
}

EditorModel& EditedLevel() {
    return Session().model;
}

// ---- Cells and placement ------------------------------------------------------------

bool PlaceTile(int column, int row, int code) {
    const EditorStep changes = Session().model.Paint(EditorCell{column, row}, code);
    ShowChanges(changes);
    return !changes.empty();
}

bool UndoLastPlacement() {
    EndStroke();
    const EditorStep changes = Session().model.Undo();
    ShowChanges(changes);
    return !changes.empty();
}

bool RedoPlacement() {
    const EditorStep changes = Session().model.Redo();
    ShowChanges(changes);
    return !changes.empty();
}

std::vector<UITilemap*> EditorPalette() {
    return Session().entries;
}

// ---- Export and its notice -----------------------------------------------------------

ExportNoticeText ExportEditedLevel() {
    EditorSession& session = Session();
    ExportNoticeText notice;
    const std::string folder = ExportedLevelsFolder() + "/";
    if (!gLevelData->Export()) {
        notice.failed = true;
        notice.details.push_back("Export failed: cannot write a new file in " + folder +
                                 " - nothing was saved.");
    } else {
        session.model.MarkSaved();
        const std::string saved = "Saved " + folder + FileNameOf(gLevelData->LastExportPath());
        const EditorCheck check = CheckEditedLevel(session.model.Cells());
        if (check.Playable()) {
            notice.details.push_back(saved + ", ready to play.");
        } else {
            // Work in progress is kept, but the player should know what is missing.
            notice.details.push_back(saved + ", not playable yet:");
            notice.details.push_back("Lacks: " + check.lacks.front());
        }
    }
    session.notice = notice;
    gExportNotice = true;
    gExportNoticeTimer = 0.0f;
    return notice;
}

const ExportNoticeText& CurrentExportNotice() {
    return Session().notice;
}

bool LeaveQuestionShowing() {
    return Session().leaveDialog != nullptr;
}

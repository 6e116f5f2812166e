// Moth Lantern: what the level editor draws (see EditorWidgets.h).
//
// Index
//   Palette of the pause menu, drawing helpers
//   Layout
//   EditorButton, EditorPanel, EditorStatusBar
//   EditorGridMarks, EditorOverview
//   EditorLeaveDialog
#include "EditorWidgets.h"

#include "Editor.h"
#include "EditorSession.h"
#include "Globals.h"
#include "LevelData.h"
#include "Tilemap.h"
#include "World.h"

#include <algorithm>
#include <cmath>

namespace {

// ---- Palette of the pause menu, drawing helpers ------------------------------------------

constexpr Color kCream{0.94f, 0.89f, 0.78f, 1.0f};
constexpr Color kDim{0.66f, 0.62f, 0.56f, 1.0f};
constexpr Color kGood{0.62f, 0.86f, 0.52f, 1.0f};
constexpr Color kWarn{0.98f, 0.62f, 0.38f, 1.0f};
constexpr Color kFail{0.95f, 0.30f, 0.25f, 1.0f};
constexpr Color kCopper{0.47f, 0.23f, 0.07f, 1.0f};
constexpr Color kPanelDark{0.08f, 0.086f, 0.125f, 1.0f};
constexpr Color kUnreachable{0.9f, 0.15f, 0.1f, 1.0f};
constexpr Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Color kFloorShade{0.45f, 0.45f, 0.45f, 1.0f};

// A quad at a screen offset: the picture, or a flat colour without one.
// Opaque unless a blend mode is given (sprites and tints).
void DrawOnScreen(const TarnVec2& offset, float width, float height, TarnGfxTexture* texture,
                  const Color& colour, float alpha = 1.0f, int blendMode = TARN_BLEND_NONE) {
    TarnMtx33 transform;
    BuildTransform(&transform, TarnVec2{width, height}, CameraPlus(offset), 0.0f);
    DrawQuad(transform, texture != nullptr ? colour : kWhite, colour, alpha, blendMode, texture,
             UnitQuadMesh());
}

// A quad at a world point (the panning view's cells).
void DrawInWorld(const TarnVec2& at, float size, const Color& colour, float alpha) {
    TarnMtx33 transform;
    BuildTransform(&transform, TarnVec2{size, size}, at, 0.0f);
    DrawQuad(transform, kWhite, colour, alpha, TARN_BLEND_TRANSLUCENT, nullptr, UnitQuadMesh());
}

// A frame of four bars around a rectangle at a screen offset.
void DrawFrame(const TarnVec2& centre, float width, float height, float thickness,
               const Color& colour) {
    const float halfW = (width - thickness) / 2.0f;
    const float halfH = (height - thickness) / 2.0f;
    DrawOnScreen({centre.x, centre.y + halfH}, width, thickness, nullptr, colour);
    DrawOnScreen({centre.x, centre.y - halfH}, width, thickness, nullptr, colour);
    DrawOnScreen({centre.x - halfW, centre.y}, thickness, height, nullptr, colour);
    DrawOnScreen({centre.x + halfW, centre.y}, thickness, height, nullptr, colour);
}

// Text with its first character's baseline at a screen offset.
void Print(const std::string& text, float x, float y, const Color& colour) {
    const TarnVec2 at = CameraPlus(TarnVec2{x, y});
    PrintText(gAssetManager->GetFont(), text, at.x, at.y, colour);
}

float TextWidth(const std::string& text) {
    return kCharWidth * static_cast<float>(text.size());
}

// ---- Layout -------------------------------------------------------------------------------

constexpr float kPanelWidth = 512.0f - kPanelLeft;
constexpr float kBarWidth = kPanelLeft + 512.0f;
constexpr float kBarHeight = kBarTop + 384.0f;
constexpr float kTextLeft = -500.0f;
constexpr float kLineStep = 26.0f;
constexpr float kHelpTopY = -178.0f;
constexpr float kHelpStep = 24.0f;
constexpr float kDialogY = 40.0f;
constexpr float kDialogWidth = 440.0f;
constexpr float kDialogHeight = 210.0f;

const char* const kHelpLines[] = {"L drag: paint", "R drag: floor", "Ctrl+Z: undo", "Ctrl+Y: redo",
                                  "Tab: overview", "P: test play",  "Arrows: view"};

TarnVec2 GridAreaCentre() {
    return TarnVec2{(kPanelLeft - 512.0f) / 2.0f, (384.0f + kBarTop) / 2.0f};
}

// Where a cell of the panning view stands in the world.
TarnVec2 CellCentre(const EditorCell& cell) {
    return TarnVec2{(cell.column - gGridWidth / 2.0f + 0.5f) * gTileSize,
                    (cell.row - gGridHeight / 2.0f + 0.5f) * gTileSize};
}

// Where a cell of the overview stands on the screen.
TarnVec2 OverviewCellOffset(const EditorCell& cell) {
    const float size = OverviewCellSize();
    const TarnVec2 origin = OverviewOrigin();
    return TarnVec2{origin.x + (cell.column + 0.5f) * size, origin.y + (cell.row + 0.5f) * size};
}

} // namespace

TarnVec2 PaletteOffset(std::size_t index) {
    return TarnVec2{kPaletteIconX, kPaletteTopY - kPaletteStep * static_cast<float>(index)};
}

const char* TileLabel(int code) {
    switch (code) {
    case kTileWall:
        return "wall";
    case kTileTrapDoor:
        return "trap door";
    case kTileVoid:
        return "void";
    case kTileFloor:
        return "floor";
    case kTilePlayerStart:
        return "start";
    case kTileSpiderSpawn:
        return "spider nest";
    case kTileKey:
        return "key";
    case kTileBattery:
        return "battery";
    default:
        return "unknown";
    }
}

float OverviewCellSize() {
    const float side = std::min(kPanelLeft + 512.0f, 384.0f - kBarTop) - 12.0f;
    return std::floor(side / std::max(gGridWidth, gGridHeight));
}

TarnVec2 OverviewOrigin() {
    const TarnVec2 centre = GridAreaCentre();
    const float size = OverviewCellSize();
    return TarnVec2{centre.x - size * gGridWidth / 2.0f, centre.y - size * gGridHeight / 2.0f};
}

TarnGfxTexture* EditorTileTexture(int code) {
    switch (code) {
    case kTileWall:
        return LevelTextureNamed("o_wall.png");
    case kTileTrapDoor:
        return TextureNamed("trapdoorClose.png");
    case kTileVoid:
        return TextureNamed("o_black.png");
    case kTilePlayerStart:
        return TextureNamed("a_char_down1.png");
    case kTileSpiderSpawn:
        return TextureNamed("ai_spider_front1.png");
    case kTileKey:
        return TextureNamed("key.png");
    case kTileBattery:
        return TextureNamed("battery3.png");
    default:
        return TextureNamed("o_floor.png");
    }
}

bool EditorTileIsThing(int code) {
    return code == kTilePlayerStart || code == kTileSpiderSpawn || code == kTileKey ||
           code == kTileBattery;
}

std::string FitText(const std::string& text, float width) {
    const auto fits = static_cast<std::size_t>(std::max(width / kCharWidth, 4.0f));
    if (text.size() <= fits) {
        return text;
    }
    return text.substr(0, fits - 3) + "...";
}

// ---- EditorButton ---------------------------------------------------------------------------

EditorButton::EditorButton(float offsetX, float offsetY, float width, std::string text,
                           EditorAction what)
    : label(std::move(text)), action(what) {
    offset = TarnVec2{offsetX, offsetY};
    SetScale(width, 40.0f);
    SetTexture(TextureNamed("frame2.png"));
    SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void EditorButton::Update() {
    UIButton::Update();
    if (clicked) {
        RunEditorAction(action);
    }
}

void EditorButton::Draw() {
    DrawOnScreen(offset, scale.x, scale.y, texture, kWhite);
    const bool lit = hovered || padFocused;
    if (lit) {
        DrawFrame(offset, scale.x, scale.y, 3.0f, kHoverTint);
    }
    const std::string text = FitText(label, scale.x - 8.0f);
    Print(text, offset.x - TextWidth(text) / 2.0f, offset.y - 8.0f, lit ? kHoverTint : kCream);
}

// ---- EditorPanel ----------------------------------------------------------------------------

void EditorPanel::Draw() {
    DrawOnScreen({kPanelLeft + kPanelWidth / 2.0f, 0.0f}, kPanelWidth, 768.0f,
                 TextureNamed("frame1.png"), kWhite);
    const EditorSession& session = Session();
    for (std::size_t i = 0; i < session.entries.size(); ++i) {
        const TarnVec2 at = PaletteOffset(i);
        const bool chosen = session.entries[i]->code == gLevelData->selectedCode;
        // Every entry sits on black (they draw additively); the chosen one
        // in a gold frame, its label gold.
        DrawOnScreen(at, kPaletteIconSize + 8.0f, kPaletteIconSize + 8.0f, nullptr,
                     chosen ? kHoverTint : kCopper);
        DrawOnScreen(at, kPaletteIconSize, kPaletteIconSize, nullptr, Color{0, 0, 0, 1});
        Print(TileLabel(session.entries[i]->code), at.x + 26.0f, at.y - 8.0f,
              chosen ? kHoverTint : kCream);
    }
    for (std::size_t i = 0; i < std::size(kHelpLines); ++i) {
        Print(kHelpLines[i], kPanelLeft + 16.0f, kHelpTopY - kHelpStep * static_cast<float>(i),
              kDim);
    }
}

// ---- EditorStatusBar ------------------------------------------------------------------------

namespace {

std::string StatusLine(const EditorSession& session) {
    std::string line;
    if (session.pointerOnGrid) {
        const EditorCell& cell = session.pointer;
        line = "Column " + std::to_string(cell.column) + ", row " +
               std::to_string(static_cast<int>(gGridHeight) - 1 - cell.row) +
               " from the top: " + TileLabel(session.model.At(cell.column, cell.row));
        if (!session.model.IsEditable(cell)) {
            line += " (border, locked)";
        }
    } else {
        line = session.overview ? "The whole level" : "Paint on the grid";
    }
    line += session.sourceName.empty() ? "  -  new level" : "  -  from " + session.sourceName;
    return line;
}

} // namespace

void EditorStatusBar::Draw() {
    const TarnVec2 centre{-512.0f + kBarWidth / 2.0f, -384.0f + kBarHeight / 2.0f};
    DrawOnScreen(centre, kBarWidth, kBarHeight, nullptr, kCopper);
    DrawOnScreen(centre, kBarWidth - 6.0f, kBarHeight - 6.0f, nullptr, kPanelDark);
    const EditorSession& session = Session();
    const float width = kBarWidth - 24.0f;
    Print(FitText(StatusLine(session), width), kTextLeft, kBarTop - 26.0f, kCream);
    std::vector<std::string> lines;
    Color colour = kGood;
    if (gExportNotice) {
        lines = session.notice.details;
        colour = session.notice.failed ? kFail : kGood;
    } else if (session.check.Playable()) {
        lines.push_back("Playable: a start, and a trap door it can reach.");
    } else {
        colour = kWarn;
        for (const std::string& lack : session.check.lacks) {
            lines.push_back("Lacks: " + lack);
        }
    }
    for (std::size_t i = 0; i < lines.size() && i < 2; ++i) {
        Print(FitText(lines[i], width), kTextLeft, kBarTop - 26.0f - kLineStep * (i + 1.0f),
              colour);
    }
}

// ---- EditorGridMarks and EditorOverview -------------------------------------------------------

void EditorGridMarks::Draw() {
    const EditorSession& session = Session();
    if (session.overview) {
        return;
    }
    const EditorModel& model = session.model;
    for (int column = 0; column < model.Columns(); ++column) {
        for (int row = 0; row < model.Rows(); ++row) {
            const int code = model.At(column, row);
            if (EditorTileIsThing(code)) {
                TarnMtx33 transform;
                BuildTransform(&transform, TarnVec2{gTileSize, gTileSize},
                               CellCentre(EditorCell{column, row}), 0.0f);
                DrawQuad(transform, kWhite, kWhite, 1.0f, TARN_BLEND_TRANSLUCENT,
                         EditorTileTexture(code), UnitQuadMesh());
            }
        }
    }
    for (const EditorCell& cell : session.check.unreachable) {
        DrawInWorld(CellCentre(cell), gTileSize, kUnreachable, 0.35f);
    }
    if (session.pointerOnGrid && model.IsEditable(session.pointer)) {
        DrawInWorld(CellCentre(session.pointer), gTileSize, kHoverTint, 0.4f);
    }
}

void EditorOverview::Draw() {
    const EditorSession& session = Session();
    if (!session.overview) {
        return;
    }
    const TarnVec2 centre = GridAreaCentre();
    DrawOnScreen(centre, kPanelLeft + 512.0f, 384.0f - kBarTop, nullptr, Color{0, 0, 0, 1});
    const float size = OverviewCellSize();
    const EditorModel& model = session.model;
    for (int column = 0; column < model.Columns(); ++column) {
        for (int row = 0; row < model.Rows(); ++row) {
            const int code = model.At(column, row);
            const TarnVec2 at = OverviewCellOffset(EditorCell{column, row});
            const bool sprite = EditorTileIsThing(code);
            // Floor darker than the rest, as the dark shows it in play.
            const bool floor = sprite || code == kTileFloor;
            DrawOnScreen(at, size, size, EditorTileTexture(floor ? kTileFloor : code),
                         floor ? kFloorShade : kWhite);
            if (sprite) {
                DrawOnScreen(at, size, size, EditorTileTexture(code), kWhite, 1.0f,
                             TARN_BLEND_TRANSLUCENT);
            }
        }
    }
    for (const EditorCell& cell : session.check.unreachable) {
        DrawOnScreen(OverviewCellOffset(cell), size, size, nullptr, kUnreachable, 0.35f,
                     TARN_BLEND_TRANSLUCENT);
    }
    if (session.pointerOnGrid && model.IsEditable(session.pointer)) {
        DrawOnScreen(OverviewCellOffset(session.pointer), size, size, nullptr, kHoverTint, 0.4f,
                     TARN_BLEND_TRANSLUCENT);
    }
}

// ---- EditorLeaveDialog ----------------------------------------------------------------------

EditorLeaveDialog::EditorLeaveDialog() {
    const float x = GridAreaCentre().x;
    SetUpWidget(*this, Layer::Pictures, x, kDialogY, kDialogWidth, kDialogHeight, "frame1.png");
    const EditorAction actions[] = {EditorAction::LeaveExport, EditorAction::LeaveWithout,
                                    EditorAction::Stay};
    const char* const labels[] = {"Export", "Leave", "Stay"};
    for (int i = 0; i < 3; ++i) {
        buttons[i] =
            new EditorButton(x + (i - 1) * 135.0f, kDialogY - 55.0f, 120.0f, labels[i], actions[i]);
        buttons[i]->Init();
        gWorld->Add(Layer::Pictures, buttons[i]);
    }
}

void EditorLeaveDialog::Draw() {
    DrawOnScreen(offset, scale.x, scale.y, texture, kWhite);
    const std::string title = "Unexported changes";
    const std::string question = "Export them before leaving?";
    Print(title, offset.x - TextWidth(title) / 2.0f, offset.y + 50.0f, kHoverTint);
    Print(question, offset.x - TextWidth(question) / 2.0f, offset.y + 12.0f, kCream);
}

void EditorLeaveDialog::Close() {
    for (EditorButton* button : buttons) {
        gWorld->Destroy(Layer::Pictures, button);
    }
    gWorld->Destroy(Layer::Pictures, this);
}

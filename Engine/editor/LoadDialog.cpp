// Moth Lantern: the Load dialog: its list, input, drawing and modal loop.
#include "LoadDialog.h"

#include "AssetManager.h"
#include "Cursor.h"
#include "Editor.h"
#include "Frames.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "PadControls.h"
#include "TarnInput.h"
#include "TarnSystem.h"
#include "UI.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr float kDoubleClickSeconds = 0.5f;

// The dialog's own text size: the game's font is too large for list rows.
constexpr int kDialogFontSize = 16;
constexpr float kCharWidth = 8.0f; // about, for centring labels

using Rect = LoadDialog::Rect;

const Color kBoxGrey{0.25f, 0.25f, 0.25f, 1.0f};
const Color kListWhite{0.95f, 0.95f, 0.95f, 1.0f};
const Color kSelectionBlue{0.0f, 0.47f, 0.84f, 1.0f};
const Color kButtonGrey{0.85f, 0.85f, 0.85f, 1.0f};
const Color kTrackGrey{0.75f, 0.75f, 0.75f, 1.0f};
const Color kThumbGrey{0.55f, 0.55f, 0.55f, 1.0f};

Rect ScrollUpArrow() {
    const Rect& list = LoadDialog::kList;
    const int width = LoadDialog::kScrollBarWidth;
    return Rect{list.x + list.width - width, list.y, width, width};
}

Rect ScrollDownArrow() {
    Rect arrow = ScrollUpArrow();
    arrow.y = LoadDialog::kList.y + LoadDialog::kList.height - arrow.height;
    return arrow;
}

Rect ScrollTrack() {
    const Rect up = ScrollUpArrow();
    return Rect{up.x, up.y + up.height, up.width, LoadDialog::kList.height - 2 * up.height};
}

// The part of the track that stands for the visible rows.
Rect ScrollThumb(int entries, int firstVisible) {
    Rect track = ScrollTrack();
    if (entries <= LoadDialog::kVisibleRows) {
        return track;
    }
    const int height = std::max(8, track.height * LoadDialog::kVisibleRows / entries);
    const int travel = track.height - height;
    const int steps = entries - LoadDialog::kVisibleRows;
    return Rect{track.x, track.y + travel * firstVisible / steps, track.width, height};
}

// ---- Drawing in window pixels ----

TarnVec2 ToWorld(float x, float y) {
    return CameraPlus(TarnVec2{x - gHalfWindowWidth, gHalfWindowHeight - y});
}

void FillRect(const Rect& rect, const Color& colour) {
    const TarnVec2 centre = ToWorld(rect.x + rect.width / 2.0f, rect.y + rect.height / 2.0f);
    TarnMtx33 transform;
    BuildTransform(&transform,
                   TarnVec2{static_cast<float>(rect.width), static_cast<float>(rect.height)},
                   centre, 0.0f);
    const Color tint{1.0f, 1.0f, 1.0f, 1.0f};
    DrawQuad(transform, tint, colour, 1.0f, TARN_BLEND_NONE, nullptr, UnitQuadMesh());
}

// Text whose baseline starts at the window pixel (x, y).
void PrintAt(int font, const std::string& text, float x, float y, const Color& colour) {
    const TarnVec2 at = ToWorld(x, y);
    PrintText(font, text, at.x, at.y, colour);
}

void DrawButton(int font, const Rect& rect, const char* label, bool isDefault) {
    if (isDefault) {
        FillRect(Rect{rect.x - 2, rect.y - 2, rect.width + 4, rect.height + 4}, kSelectionBlue);
    }
    FillRect(rect, kButtonGrey);
    const float width = kCharWidth * static_cast<float>(std::char_traits<char>::length(label));
    PrintAt(font, label, rect.x + (rect.width - width) / 2.0f, rect.y + 17.0f,
            Color{0.05f, 0.05f, 0.05f, 1.0f});
}

// The dialog's font, made once (the game keeps one font, at a larger size).
int DialogFont() {
    static int font = 0;
    if (font == 0) {
        font = TarnGfxCreateFont("DejaVu Sans", kDialogFontSize, false, false);
    }
    return font;
}

} // namespace

// ---- List and selection -----------------------------------------------------------------

void LoadDialog::List(const std::string& folder) {
    entries.clear();
    selected = -1;
    firstVisible = 0;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(typeError) && name[0] != '.') {
            entries.push_back(name);
        }
    }
    std::sort(entries.begin(), entries.end());
}

void LoadDialog::Select(int index) {
    if (entries.empty()) {
        return;
    }
    selected = std::clamp(index, 0, static_cast<int>(entries.size()) - 1);
    if (selected < firstVisible) {
        firstVisible = selected;
    } else if (selected >= firstVisible + kVisibleRows) {
        firstVisible = selected - kVisibleRows + 1;
    }
}

void LoadDialog::Scroll(int rows) {
    firstVisible = std::clamp(firstVisible + rows, 0, LastFirstVisible());
}

int LoadDialog::LastFirstVisible() const {
    return std::max(0, static_cast<int>(entries.size()) - kVisibleRows);
}

std::string LoadDialog::SelectedName() const {
    return selected >= 0 ? entries[selected] : std::string();
}

// ---- Input --------------------------------------------------------------------------------

namespace {

// The pad's key for the dialog: the d-pad selects, A loads, B cancels.
unsigned char PadKey() {
    int dx = 0;
    int dy = 0;
    if (PadStep(&dx, &dy) && dy != 0) {
        return dy > 0 ? TARN_KEY_UP : TARN_KEY_DOWN;
    }
    if (PadConfirmPressed()) {
        return TARN_KEY_ENTER;
    }
    return PadBackPressed() ? TARN_KEY_ESCAPE : 0;
}

} // namespace

LoadDialog::Outcome LoadDialog::HandleInput(float seconds) {
    sinceClick += seconds;
    for (unsigned char key : {TARN_KEY_UP, TARN_KEY_DOWN, TARN_KEY_ENTER, TARN_KEY_ESCAPE}) {
        if (TarnInputCheckTriggered(key)) {
            const Outcome outcome = PressKey(key);
            if (outcome != Outcome::Open) {
                return outcome;
            }
        }
    }
    if (const unsigned char padKey = PadKey()) {
        const Outcome outcome = PressKey(padKey);
        if (outcome != Outcome::Open) {
            return outcome;
        }
    }
    if (!TarnInputCheckTriggered(TARN_MOUSE_LEFT)) {
        return Outcome::Open;
    }
    int x = 0;
    int y = 0;
    TarnInputGetCursorPosition(&x, &y);
    return Click(x, y);
}

LoadDialog::Outcome LoadDialog::PressKey(unsigned char key) {
    switch (key) {
    case TARN_KEY_UP:
        Select(selected < 0 ? 0 : selected - 1);
        return Outcome::Open;
    case TARN_KEY_DOWN:
        Select(selected + 1);
        return Outcome::Open;
    case TARN_KEY_ENTER:
        return Confirm();
    case TARN_KEY_ESCAPE:
        return Outcome::Cancel;
    default:
        return Outcome::Open;
    }
}

LoadDialog::Outcome LoadDialog::Click(int x, int y) {
    if (kLoadButton.Contains(x, y)) {
        return Confirm();
    }
    if (kCancelButton.Contains(x, y)) {
        return Outcome::Cancel;
    }
    if (ScrollUpArrow().Contains(x, y)) {
        Scroll(-1);
    } else if (ScrollDownArrow().Contains(x, y)) {
        Scroll(1);
    } else if (ScrollTrack().Contains(x, y)) {
        // Above the thumb pages up, below it pages down.
        const Rect thumb = ScrollThumb(static_cast<int>(entries.size()), firstVisible);
        Scroll(y < thumb.y ? -kVisibleRows : (y >= thumb.y + thumb.height ? kVisibleRows : 0));
    } else if (kList.Contains(x, y)) {
        return ClickList(x, y);
    }
    return Outcome::Open;
}

LoadDialog::Outcome LoadDialog::ClickList(int /*x*/, int y) {
    const int index = firstVisible + (y - kList.y) / kRowHeight;
    if (index >= static_cast<int>(entries.size())) {
        return Outcome::Open; // the empty space below the last entry
    }
    const bool doubleClick = index == lastClicked && sinceClick <= kDoubleClickSeconds;
    Select(index);
    lastClicked = index;
    sinceClick = 0.0f;
    return doubleClick ? Confirm() : Outcome::Open;
}

// ---- Drawing ------------------------------------------------------------------------------

void LoadDialog::Draw() const {
    const int font = DialogFont();
    FillRect(kBox, kBoxGrey);
    PrintAt(font, "Exported levels", kList.x, kList.y - 6.0f, kListWhite);
    FillRect(kList, kListWhite);
    const Color black{0.05f, 0.05f, 0.05f, 1.0f};
    const int textWidth = kList.width - kScrollBarWidth;
    if (entries.empty()) {
        PrintAt(font, "(no exported levels yet)", kList.x + 6.0f, kList.y + 16.0f, kThumbGrey);
    }
    for (int row = 0; row < kVisibleRows; ++row) {
        const int index = firstVisible + row;
        if (index >= static_cast<int>(entries.size())) {
            break;
        }
        const int top = kList.y + row * kRowHeight;
        if (index == selected) {
            FillRect(Rect{kList.x, top, textWidth, kRowHeight}, kSelectionBlue);
        }
        PrintAt(font, entries[index], kList.x + 6.0f, top + 16.0f,
                index == selected ? kListWhite : black);
    }
    FillRect(ScrollTrack(), kTrackGrey);
    FillRect(ScrollThumb(static_cast<int>(entries.size()), firstVisible), kThumbGrey);
    DrawButton(font, ScrollUpArrow(), "^", false);
    DrawButton(font, ScrollDownArrow(), "v", false);
    DrawButton(font, kLoadButton, "Load", true);
    DrawButton(font, kCancelButton, "Cancel", false);
}

// ---- The modal loop and the state ------------------------------------------------------

namespace {

// The game's last frame, shown behind the dialog; null when there was none
// (the dialog opened first) and the dialog stands on black.
TarnGfxTexture*& LastGameFrame() {
    static TarnGfxTexture* frame = nullptr;
    return frame;
}

void DrawLastGameFrame() {
    if (LastGameFrame() == nullptr) {
        return;
    }
    const TarnVec2 centre = ToWorld(gHalfWindowWidth, gHalfWindowHeight);
    TarnMtx33 transform;
    BuildTransform(&transform, TarnVec2{2.0f * gHalfWindowWidth, 2.0f * gHalfWindowHeight}, centre,
                   0.0f);
    const Color white{1.0f, 1.0f, 1.0f, 1.0f};
    const Color none{0.0f, 0.0f, 0.0f, 0.0f};
    DrawQuad(transform, white, none, 1.0f, TARN_BLEND_NONE, LastGameFrame(), UnitQuadMesh());
}

} // namespace

void KeepFrameForLoadDialog() {
    ForgetFrameForLoadDialog();
    LastGameFrame() = TarnGfxTextureFromFrame();
}

void ForgetFrameForLoadDialog() {
    TarnGfxTextureUnload(LastGameFrame());
    LastGameFrame() = nullptr;
}

LoadDialog::Outcome RunLoadDialog() {
    LoadDialog dialog;
    dialog.List(ExportedLevelsFolder());
    LoadDialog::Outcome outcome = LoadDialog::Outcome::Open;
    bool running = true;
    // The game hides the system's cursor; the dialog needs the game's.
    const bool cursorWasVisible = gCursor->visible;
    gCursor->visible = true;
    while (outcome == LoadDialog::Outcome::Open && running) {
        running = RunModalFrame([&dialog, &outcome] {
            UpdateCursor(); // frame time, mouse and the game's cursor
            outcome = dialog.HandleInput(gFrameTime);
            DrawLastGameFrame();
            dialog.Draw();
            gCursor->Draw();
        });
    }
    ForgetFrameForLoadDialog();
    gCursor->visible = cursorWasVisible;
    GameStateId next = GameState::Quit;
    if (outcome == LoadDialog::Outcome::Load) {
        gCustomLevelName = dialog.SelectedName();
        next = GameState::Custom;
    } else if (outcome == LoadDialog::Outcome::Cancel) {
        next = GameState::Menu;
    }
    gGameStateManager->next = next;
    return outcome;
}

void LoadStateLoad() {
    gAssetManager->ScanExportedLevels();
    RunLoadDialog();
}

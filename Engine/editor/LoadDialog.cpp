// Moth Lantern: the Levels dialog: its list, layout, input and modal loop.
// Its drawing is in LoadDialogDraw.cpp.
#include "LoadDialog.h"

#include "AssetManager.h"
#include "Cursor.h"
#include "Frames.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "LevelFolder.h"
#include "PadControls.h"
#include "TarnInput.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr float kDoubleClickSeconds = 0.5f;
constexpr int kMargin = 30;
constexpr int kTitleHeight = 64;
constexpr int kMessageHeight = 36;
constexpr int kBottomMargin = 24;
constexpr int kMinTextWidth = 230;
constexpr int kMaxTextWidth = 360;
constexpr int kPreviewSize = LevelPreview::kCells * LoadDialog::kPreviewCell;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 50;
constexpr int kButtonGap = 14;
constexpr int kQuestionWidth = 460;
constexpr int kQuestionHeight = 190;

using Rect = LoadDialog::Rect;

// The rectangle of that size centred on the screen.
Rect Centred(int width, int height) {
    const int screenWidth = static_cast<int>(2.0f * gHalfWindowWidth);
    const int screenHeight = static_cast<int>(2.0f * gHalfWindowHeight);
    return Rect{(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

// The question's panel and its YES and NO buttons (the pictures' sizes).
void PlaceQuestion(LoadDialog::Layout* layout) {
    layout->question = Centred(kQuestionWidth, kQuestionHeight);
    const int top = layout->question.Bottom() - 50 - 24;
    const int centre = layout->question.x + kQuestionWidth / 2;
    layout->yes = Rect{centre - 15 - 100, top, 100, 50};
    layout->no = Rect{centre + 15, top, 100, 50};
}

// The four buttons in one row, centred under the dialog's body.
void PlaceButtons(LoadDialog::Layout* layout) {
    const int rowWidth = 4 * kButtonWidth + 3 * kButtonGap;
    int x = layout->box.x + (layout->box.width - rowWidth) / 2;
    const int y = layout->box.Bottom() - kBottomMargin - kButtonHeight;
    for (Rect* button : {&layout->load, &layout->edit, &layout->remove, &layout->cancel}) {
        *button = Rect{x, y, kButtonWidth, kButtonHeight};
        x += kButtonWidth + kButtonGap;
    }
}

} // namespace

// ---- List and layout -------------------------------------------------------------------

LoadDialog::LoadDialog(TextMeasure textMeasure) : measure(std::move(textMeasure)) {
    Relayout();
}

void LoadDialog::List(const std::string& levelFolder) {
    folder = levelFolder;
    entries = ListLevelFiles(folder);
    selected = -1;
    firstVisible = 0;
    lastClicked = -1; // a row's next click is a first click, whatever now stands there
    preview.Clear();
    previewUnreadable = false;
    Relayout();
}

int LoadDialog::ListTextWidth() const {
    int widest = 0;
    for (const std::string& name : entries) {
        widest = std::max(widest, measure(PrintableText(name)));
    }
    return std::clamp(widest, kMinTextWidth, kMaxTextWidth);
}

void LoadDialog::Relayout() {
    const int count = static_cast<int>(entries.size());
    layout.visibleRows = std::clamp(count, kMinRows, kMaxRows);
    const int listWidth = ListTextWidth() + 2 * kTextPad + kScrollBarWidth;
    const int bodyHeight = std::max(layout.visibleRows * kRowHeight, kPreviewSize);
    const int width = kMargin + listWidth + kMargin + kPreviewSize + kMargin;
    const int height = kTitleHeight + bodyHeight + kMessageHeight + kButtonHeight + kBottomMargin;
    layout.box = Centred(width, height);
    const int bodyTop = layout.box.y + kTitleHeight;
    layout.list = Rect{layout.box.x + kMargin, bodyTop, listWidth, layout.visibleRows * kRowHeight};
    layout.preview = Rect{layout.list.Right() + kMargin, bodyTop, kPreviewSize, kPreviewSize};
    layout.message = Rect{layout.list.x, bodyTop + bodyHeight, width - 2 * kMargin, kMessageHeight};
    PlaceButtons(&layout);
    PlaceQuestion(&layout);
}

void LoadDialog::Select(int index) {
    if (entries.empty()) {
        return;
    }
    const int previous = selected;
    selected = std::clamp(index, 0, static_cast<int>(entries.size()) - 1);
    if (selected < firstVisible) {
        firstVisible = selected;
    } else if (selected >= firstVisible + layout.visibleRows) {
        firstVisible = selected - layout.visibleRows + 1;
    }
    if (selected != previous || preview.Empty()) {
        previewUnreadable = !preview.Read(SelectedPath());
    }
}

void LoadDialog::Scroll(int rows) {
    firstVisible = std::clamp(firstVisible + rows, 0, LastFirstVisible());
}

int LoadDialog::LastFirstVisible() const {
    return std::max(0, static_cast<int>(entries.size()) - layout.visibleRows);
}

std::string LoadDialog::SelectedName() const {
    return selected >= 0 ? entries[selected] : std::string();
}

std::string LoadDialog::SelectedPath() const {
    if (selected < 0) {
        return std::string();
    }
    return (std::filesystem::path(folder) / entries[selected]).string();
}

std::string LoadDialog::ShownName(int index) const {
    return ShortenToFit(PrintableText(entries[index]),
                        layout.list.width - 2 * kTextPad - kScrollBarWidth, measure);
}

std::vector<std::string> LoadDialog::EmptyFolderLines() const {
    return WrapText("No levels here yet. To make one, choose EDITOR in the main menu, paint "
                    "a level and press Export: it appears in this list.",
                    layout.list.width - 2 * kTextPad, measure);
}

// ---- Edit and delete ------------------------------------------------------------------------

LoadDialog::Outcome LoadDialog::Edit() {
    if (!CanEdit()) {
        return Outcome::Open;
    }
    if (editHook(SelectedPath())) {
        return Outcome::Edit;
    }
    message = "Could not open " + PrintableText(SelectedName()) + " in the editor.";
    return Outcome::Open;
}

void LoadDialog::AskDelete() {
    asking = selected >= 0;
}

void LoadDialog::AnswerDelete(bool yes) {
    asking = false;
    if (!yes || selected < 0) {
        return;
    }
    const std::string name = SelectedName();
    const LevelMoveResult moved = MoveLevelToDeleted(folder, name);
    if (!moved.moved) {
        message = "Could not delete " + PrintableText(name) + ": " + moved.error + ".";
        return;
    }
    const int index = selected;
    const int top = firstVisible;
    List(folder);
    firstVisible = std::min(top, LastFirstVisible());
    Select(index);
    message = "Moved " + PrintableText(name) + " to Deleted/.";
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

constexpr unsigned char kKeyY = 'Y';
constexpr unsigned char kKeyN = 'N';
// The keys the dialog answers, in the order a frame reads them.
constexpr unsigned char kDialogKeys[] = {
    TARN_KEY_UP, TARN_KEY_DOWN, TARN_KEY_ENTER, TARN_KEY_ESCAPE, TARN_KEY_DELETE, kKeyY, kKeyN};

} // namespace

LoadDialog::Outcome LoadDialog::HandleInput(float seconds) {
    sinceClick += seconds;
    TarnInputGetCursorPosition(&mouseX, &mouseY);
    for (unsigned char key : kDialogKeys) {
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
    return TarnInputCheckTriggered(TARN_MOUSE_LEFT) ? Click(mouseX, mouseY) : Outcome::Open;
}

LoadDialog::Outcome LoadDialog::PressKey(unsigned char key) {
    if (asking) {
        return PressQuestionKey(key);
    }
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
    case TARN_KEY_DELETE:
        AskDelete();
        return Outcome::Open;
    default:
        return Outcome::Open;
    }
}

LoadDialog::Outcome LoadDialog::PressQuestionKey(unsigned char key) {
    if (key == TARN_KEY_ENTER || key == kKeyY) {
        AnswerDelete(true);
    } else if (key == TARN_KEY_ESCAPE || key == kKeyN) {
        AnswerDelete(false);
    }
    return Outcome::Open;
}

namespace {

Rect ScrollUpArrow(const Rect& list) {
    const int width = LoadDialog::kScrollBarWidth;
    return Rect{list.Right() - width, list.y, width, width};
}

Rect ScrollDownArrow(const Rect& list) {
    Rect arrow = ScrollUpArrow(list);
    arrow.y = list.Bottom() - arrow.height;
    return arrow;
}

Rect ScrollTrack(const Rect& list) {
    const Rect up = ScrollUpArrow(list);
    return Rect{up.x, up.Bottom(), up.width, list.height - 2 * up.height};
}

} // namespace

LoadDialog::Outcome LoadDialog::Click(int x, int y) {
    if (asking) {
        if (layout.yes.Contains(x, y) || layout.no.Contains(x, y)) {
            AnswerDelete(layout.yes.Contains(x, y));
        }
        return Outcome::Open;
    }
    const Rect& list = layout.list;
    if (ScrollUpArrow(list).Contains(x, y)) {
        Scroll(-1);
    } else if (ScrollDownArrow(list).Contains(x, y)) {
        Scroll(1);
    } else if (ScrollTrack(list).Contains(x, y)) {
        // The upper half of the track pages up, the lower half down.
        const Rect track = ScrollTrack(list);
        Scroll(y < track.y + track.height / 2 ? -layout.visibleRows : layout.visibleRows);
    } else if (list.Contains(x, y)) {
        return ClickList(y);
    }
    return ClickButtons(x, y);
}

LoadDialog::Outcome LoadDialog::ClickButtons(int x, int y) {
    if (layout.load.Contains(x, y)) {
        return Confirm();
    }
    if (layout.edit.Contains(x, y)) {
        return Edit();
    }
    if (layout.remove.Contains(x, y)) {
        AskDelete();
    }
    return layout.cancel.Contains(x, y) ? Outcome::Cancel : Outcome::Open;
}

LoadDialog::Outcome LoadDialog::ClickList(int y) {
    const int index = firstVisible + (y - layout.list.y) / kRowHeight;
    if (index >= static_cast<int>(entries.size())) {
        return Outcome::Open; // the empty space below the last entry
    }
    const bool doubleClick = index == lastClicked && sinceClick <= kDoubleClickSeconds;
    Select(index);
    lastClicked = index;
    sinceClick = 0.0f;
    return doubleClick ? Confirm() : Outcome::Open;
}

// ---- The modal loop and the state ------------------------------------------------------

namespace {

LoadDialog::EditHook& InstalledEditHook() {
    static LoadDialog::EditHook hook;
    return hook;
}

GameStateId NextStateAfter(LoadDialog::Outcome outcome) {
    switch (outcome) {
    case LoadDialog::Outcome::Load:
        return GameState::Custom;
    case LoadDialog::Outcome::Edit:
        return GameState::LevelEditor;
    case LoadDialog::Outcome::Cancel:
        return GameState::Menu;
    default:
        return GameState::Quit;
    }
}

// The game's last frame, shown dimmed behind the dialog; null when there was
// none (the dialog opened first).
TarnGfxTexture*& LastGameFrame() {
    static TarnGfxTexture* frame = nullptr;
    return frame;
}

} // namespace

void SetLevelEditHook(LoadDialog::EditHook hook) {
    InstalledEditHook() = std::move(hook);
}

void KeepFrameForLoadDialog() {
    ForgetFrameForLoadDialog();
    LastGameFrame() = TarnGfxTextureFromFrame();
}

void ForgetFrameForLoadDialog() {
    TarnGfxTextureUnload(LastGameFrame());
    LastGameFrame() = nullptr;
}

LoadDialog::Outcome RunLoadDialog() {
    LoadDialog dialog(FontMeasure(gAssetManager->GetFont()));
    dialog.SetEditHook(InstalledEditHook());
    dialog.SetBackdrop(LastGameFrame());
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
            dialog.Draw();
            gCursor->Draw();
        });
    }
    ForgetFrameForLoadDialog();
    gCursor->visible = cursorWasVisible;
    if (outcome == LoadDialog::Outcome::Load) {
        gCustomLevelName = dialog.SelectedName();
    }
    gGameStateManager->next = NextStateAfter(outcome);
    return outcome;
}

void LoadStateLoad() {
    gAssetManager->ScanExportedLevels();
    RunLoadDialog();
}

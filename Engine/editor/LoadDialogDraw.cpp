// Moth Lantern: the Levels dialog's drawing, in the pause menu's pictures and
// palette: a dim stone backdrop, the dialog's panel, a dark list with the
// selection in deep amber, the level's picture in a warm rim, and the game's
// buttons, golden under the mouse and dim while they cannot act.
#include "LoadDialog.h"

#include "Globals.h"
#include "UI.h"

#include <algorithm>

namespace {

using Rect = LoadDialog::Rect;

Color Rgb(int r, int g, int b) {
    return Color{r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
}

const Color kCream = Rgb(242, 228, 198);
const Color kParchment = Rgb(214, 198, 166);
const Color kMuted = Rgb(150, 140, 120);
const Color kAmberLight = Rgb(255, 196, 104);
const Color kAmberDeep = Rgb(120, 58, 18);
const Color kNight = Rgb(15, 17, 25);
const Color kStoneDark = Rgb(26, 30, 42);
const Color kStone = Rgb(46, 54, 70);
const Color kBackdropTint{0.28f, 0.28f, 0.32f, 1.0f};
const Color kDimTint{0.4f, 0.4f, 0.4f, 1.0f};

constexpr int kBaseline = 21; // from a row's top, for the game's 24-pixel font

Rect Grown(const Rect& rect, int by) {
    return Rect{rect.x - by, rect.y - by, rect.width + 2 * by, rect.height + 2 * by};
}

void PrintCentred(const TextMeasure& measure, const std::string& text, int centreX, int y,
                  const Color& colour) {
    PrintAtPixel(text, centreX - measure(text) / 2, y, colour);
}

// A button's picture: golden under the mouse, dim while it cannot act.
void DrawButton(const Rect& rect, const char* picture, bool enabled, int mouseX, int mouseY) {
    const Color& tint =
        !enabled ? kDimTint : (rect.Contains(mouseX, mouseY) ? kHoverTint : kIdleTint);
    DrawPixelPicture(rect, picture, tint);
}

// Lines of text centred in a rectangle, one row apart.
void PrintLinesCentred(const TextMeasure& measure, const std::vector<std::string>& lines,
                       const Rect& rect, const Color& colour) {
    const int height = static_cast<int>(lines.size()) * LoadDialog::kRowHeight;
    int y = rect.y + (rect.height - height) / 2 + kBaseline;
    for (const std::string& line : lines) {
        PrintCentred(measure, line, rect.x + rect.width / 2, y, colour);
        y += LoadDialog::kRowHeight;
    }
}

} // namespace

void LoadDialog::Draw() const {
    const int screenWidth = static_cast<int>(2.0f * gHalfWindowWidth);
    const int screenHeight = static_cast<int>(2.0f * gHalfWindowHeight);
    DrawBackdrop();
    DrawPixelPicture(layout.box, "levels_panel.png", kIdleTint);
    PrintCentred(measure, "LEVELS", layout.box.x + layout.box.width / 2, layout.box.y + 44,
                 kAmberLight);
    DrawList();
    if (!entries.empty()) {
        DrawScrollBar();
    }
    DrawPreview();
    // What just happened, or else the keys.
    const bool hint = message.empty();
    const char* keys = entries.empty() ? "Esc goes back to the main menu."
                                       : "Enter plays, Delete deletes, Esc goes back.";
    const std::string line = hint ? keys : message;
    PrintAtPixel(ShortenToFit(line, layout.message.width, measure), layout.message.x,
                 layout.message.y + 26, hint ? kMuted : kParchment);
    DrawButtons();
    if (asking) {
        // The question stands out over the dialog dimmed behind it.
        FillPixelRect(Rect{0, 0, screenWidth, screenHeight}, Color{0.0f, 0.0f, 0.0f, 0.6f});
        DrawQuestion();
    }
}

void LoadDialog::DrawBackdrop() const {
    const Rect screen{0, 0, static_cast<int>(2.0f * gHalfWindowWidth),
                      static_cast<int>(2.0f * gHalfWindowHeight)};
    if (backdrop != nullptr) {
        DrawPixelTexture(screen, backdrop, kBackdropTint, TARN_BLEND_NONE);
    } else {
        DrawPixelPicture(screen, "o_floor_scaled.png", kBackdropTint);
    }
}

void LoadDialog::DrawList() const {
    const Rect& list = layout.list;
    FillPixelRect(Grown(list, 2), kAmberDeep);
    FillPixelRect(list, kNight);
    if (entries.empty()) {
        PrintLinesCentred(measure, EmptyFolderLines(), list, kParchment);
        return;
    }
    const int textWidth = list.width - kScrollBarWidth;
    for (int row = 0; row < layout.visibleRows; ++row) {
        const int index = firstVisible + row;
        if (index >= static_cast<int>(entries.size())) {
            break;
        }
        const int top = list.y + row * kRowHeight;
        if (index == selected) {
            FillPixelRect(Rect{list.x, top, textWidth, kRowHeight}, kAmberDeep);
        }
        PrintAtPixel(ShownName(index), list.x + kTextPad, top + kBaseline,
                     index == selected ? kCream : kParchment);
    }
}

void LoadDialog::DrawScrollBar() const {
    const Rect& list = layout.list;
    const Rect bar{list.Right() - kScrollBarWidth, list.y, kScrollBarWidth, list.height};
    FillPixelRect(bar, kStoneDark);
    const int count = static_cast<int>(entries.size());
    const Rect track{bar.x, bar.y + kScrollBarWidth, bar.width, bar.height - 2 * kScrollBarWidth};
    // The thumb stands for the visible rows within the whole list.
    Rect thumb = track;
    if (count > layout.visibleRows) {
        thumb.height = std::max(12, track.height * layout.visibleRows / count);
        thumb.y += (track.height - thumb.height) * firstVisible / (count - layout.visibleRows);
    }
    FillPixelRect(Grown(thumb, -2), kStone);
    const Color& arrows = count > layout.visibleRows ? kAmberLight : kMuted;
    PrintCentred(measure, "^", bar.x + bar.width / 2, bar.y + 18, arrows);
    PrintCentred(measure, "v", bar.x + bar.width / 2, bar.Bottom() - 2, arrows);
}

void LoadDialog::DrawPreview() const {
    const Rect& picture = layout.preview;
    FillPixelRect(Grown(picture, 3), kAmberDeep);
    FillPixelRect(picture, kNight);
    if (!preview.Empty()) {
        preview.Draw(picture.x, picture.y, kPreviewCell);
        return;
    }
    const char* text = entries.empty()     ? ""
                       : selected < 0      ? "Choose a level to see it here."
                       : previewUnreadable ? "This file holds no level."
                                           : "";
    PrintLinesCentred(measure, WrapText(text, picture.width - 2 * kTextPad, measure), picture,
                      kMuted);
}

void LoadDialog::DrawButtons() const {
    const bool chosen = selected >= 0;
    DrawButton(layout.load, "btn_load.png", chosen, mouseX, mouseY);
    DrawButton(layout.edit, "btn_edit.png", CanEdit(), mouseX, mouseY);
    DrawButton(layout.remove, "btn_delete.png", chosen, mouseX, mouseY);
    DrawButton(layout.cancel, "btn_cancel.png", true, mouseX, mouseY);
}

void LoadDialog::DrawQuestion() const {
    const Rect& panel = layout.question;
    DrawPixelPicture(panel, "levels_confirm.png", kIdleTint);
    const int centre = panel.x + panel.width / 2;
    const int room = panel.width - 4 * kTextPad;
    const std::string question = "Delete " + PrintableText(SelectedName()) + "?";
    PrintCentred(measure, ShortenToFit(question, room, measure), centre, panel.y + 48, kCream);
    PrintCentred(measure, ShortenToFit("It moves to the Deleted folder.", room, measure), centre,
                 panel.y + 82, kMuted);
    DrawButton(layout.yes, "btn_yes.png", true, mouseX, mouseY);
    DrawButton(layout.no, "btn_no.png", true, mouseX, mouseY);
}

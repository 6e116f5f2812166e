// Moth Lantern: fitting text into the room a widget has for it.
#include "TextFit.h"

#include "TarnGraphics.h"

#include <sstream>

TextMeasure FontMeasure(int font) {
    return [font](const std::string& text) { return TarnGfxTextWidth(font, text.c_str()); };
}

std::string PrintableText(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte > 126) {
            c = '?';
        }
    }
    return shown;
}

namespace {

// The text with `cut` characters taken out of its middle and "..." in their
// place; the start keeps the odd character.
std::string WithoutMiddle(const std::string& text, std::size_t cut) {
    const std::size_t kept = text.size() - cut;
    const std::size_t head = (kept + 1) / 2;
    return text.substr(0, head) + "..." + text.substr(text.size() - (kept - head));
}

} // namespace

std::string ShortenToFit(const std::string& text, int width, const TextMeasure& measure) {
    if (measure(text) <= width) {
        return text;
    }
    if (measure("...") > width) {
        return std::string();
    }
    // The fewest characters cut that fit: the width shrinks as more are cut.
    std::size_t fits = text.size(); // everything cut leaves "..." alone
    std::size_t tooFew = 0;
    while (fits - tooFew > 1) {
        const std::size_t cut = tooFew + (fits - tooFew) / 2;
        if (measure(WithoutMiddle(text, cut)) <= width) {
            fits = cut;
        } else {
            tooFew = cut;
        }
    }
    return WithoutMiddle(text, fits);
}

std::vector<std::string> WrapText(const std::string& text, int width, const TextMeasure& measure) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (line.empty() || measure(longer) <= width) {
            line = longer;
            continue;
        }
        lines.push_back(ShortenToFit(line, width, measure));
        line = word;
    }
    if (!line.empty()) {
        lines.push_back(ShortenToFit(line, width, measure));
    }
    return lines;
}

// Moth Lantern: fitting text into the room a widget has for it.
//
// The game's font prints only the characters 32 to 126, one bitmap each; a
// label that must stay inside a panel is measured with the font and shortened
// or broken into lines before it is printed.
#pragma once
#include <functional>
#include <string>
#include <vector>

// How wide a text prints, in window pixels.
using TextMeasure = std::function<int(const std::string&)>;

// The width of text as PrintText prints it in the font.
TextMeasure FontMeasure(int font);

// The text with every byte the font cannot print (control characters, the
// bytes of non-ASCII letters) shown as '?', so a file name of any bytes
// prints as what it is, one mark per unknown byte.
std::string PrintableText(const std::string& text);

// The text itself when it fits in `width`, else its start and end joined by
// "..." with as much of both kept as fits (the end of a file name tells its
// number and kind apart); "" when not even "..." fits.
std::string ShortenToFit(const std::string& text, int width, const TextMeasure& measure);

// Breaks the text at spaces into lines no wider than `width`; a single word
// wider than a line is shortened.
std::vector<std::string> WrapText(const std::string& text, int width, const TextMeasure& measure);

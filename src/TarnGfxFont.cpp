// Tarn engine: bitmap fonts and text. A font is 96 GL display lists, one per
// character 32..127, each holding a glBitmap of the glyph rasterised by
// FreeType from the face fontconfig finds for the requested name.
//
// Finding the face and rasterising its glyphs take a worker thread while
// start-up goes on; the display lists are compiled on the GL thread from the
// worker's bitmaps, when the font is first used (waiting for the worker if it
// has not finished) or otherwise between frames.
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>
#include FT_FREETYPE_H

namespace {

constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;
// A free face close to the game's heavy condensed title face.
constexpr const char* kFallbackPattern = "DejaVu Sans Condensed:bold";

std::string MatchFontFile(const char* pattern, std::string* family) {
    std::string path;
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (!query) {
        return path;
    }
    FcConfigSubstitute(nullptr, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, query, &result);
    FcChar8* file = nullptr;
    FcChar8* matchedFamily = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        path = reinterpret_cast<const char*>(file);
        if (family && FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch) {
            *family = reinterpret_cast<const char*>(matchedFamily);
        }
    }
    if (match) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(query);
    return path;
}

// The named face when the system has it, otherwise the fallback face. Two
// fonts loading at once take turns: fontconfig's setup is not for two threads.
std::string FindFontFile(const char* faceName, bool bold, bool italic) {
    static std::mutex fontconfig;
    std::lock_guard<std::mutex> lock(fontconfig);
    if (!FcInit()) {
        return {};
    }
    std::string pattern = faceName ? faceName : "";
    pattern += bold ? ":weight=bold" : ":weight=regular";
    if (italic) {
        pattern += ":slant=italic";
    }
    std::string family;
    std::string path = MatchFontFile(pattern.c_str(), &family);
    if (!path.empty() && faceName && strcasecmp(family.c_str(), faceName) == 0) {
        return path;
    }
    std::string fallback = MatchFontFile(kFallbackPattern, nullptr);
    return fallback.empty() ? path : fallback;
}

// glBitmap wants the bottom row first, each row padded to the unpack alignment of 1.
std::vector<GLubyte> FlipMonoBitmap(const FT_Bitmap& bitmap) {
    int rowBytes = (static_cast<int>(bitmap.width) + 7) / 8;
    std::vector<GLubyte> rows(static_cast<size_t>(rowBytes) * bitmap.rows);
    for (unsigned int r = 0; r < bitmap.rows; ++r) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
        std::memcpy(&rows[static_cast<size_t>(bitmap.rows - 1 - r) * rowBytes], source,
                    static_cast<size_t>(rowBytes));
    }
    return rows;
}

// One glyph as FreeType rasterised it, ready for glBitmap.
struct Glyph {
    bool present = false; // without a glyph the character's list stays empty
    int width = 0;
    int rows = 0;
    float xOrigin = 0.0f;
    float yOrigin = 0.0f;
    int advance = 0;
    std::vector<GLubyte> bits;
};
using Glyphs = std::array<Glyph, kCharCount>;

Glyph RasteriseGlyph(FT_Face face, int code) {
    Glyph glyph;
    if (!face || FT_Load_Char(face, static_cast<FT_ULong>(code),
                              FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        return glyph;
    }
    const FT_GlyphSlot slot = face->glyph;
    glyph.present = true;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.rows = static_cast<int>(slot->bitmap.rows);
    glyph.xOrigin = static_cast<float>(-slot->bitmap_left);
    glyph.yOrigin = static_cast<float>(glyph.rows - slot->bitmap_top);
    glyph.advance = static_cast<int>(slot->advance.x >> 6);
    glyph.bits = FlipMonoBitmap(slot->bitmap);
    return glyph;
}

// What the font asks for; the face name is copied, the caller's string may go.
struct FontRequest {
    std::optional<std::string> faceName;
    int size;
    bool bold;
    bool italic;
};

// Runs on the worker: no GL here. A face that cannot be found or opened
// leaves every glyph empty, so text draws nothing.
Glyphs RasteriseFont(const FontRequest& request) {
    const char* faceName = request.faceName ? request.faceName->c_str() : nullptr;
    std::string file = FindFontFile(faceName, request.bold, request.italic);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (!file.empty() && FT_Init_FreeType(&library) == 0) {
        if (FT_New_Face(library, file.c_str(), 0, &face) == 0) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(request.size > 0 ? request.size : 1));
        } else {
            face = nullptr;
        }
    }
    if (!face) {
        std::fprintf(stderr, "Tarn Engine: no font face found for \"%s\"; text will not show\n",
                     faceName ? faceName : "");
    }
    Glyphs glyphs;
    for (int i = 0; i < kCharCount; ++i) {
        glyphs[i] = RasteriseGlyph(face, kFirstChar + i);
    }
    if (face) {
        FT_Done_Face(face);
    }
    if (library) {
        FT_Done_FreeType(library);
    }
    return glyphs;
}

// Each live font's pen advance per character, in pixels, for TarnGfxTextWidth.
using Advances = std::array<int, kCharCount>;
std::map<int, Advances>& FontAdvances() {
    static std::map<int, Advances> advances;
    return advances;
}

// Fonts whose workers have not been collected yet, by their first list (GL
// thread only). Dropping an entry waits for its worker: a future from
// std::async joins its thread when it goes.
std::map<int, std::future<Glyphs>>& LoadingFonts() {
    static std::map<int, std::future<Glyphs>> loading;
    return loading;
}

void CompileGlyph(const Glyph& glyph, GLuint list) {
    glNewList(list, GL_COMPILE);
    if (glyph.present) {
        glBitmap(glyph.width, glyph.rows, glyph.xOrigin, glyph.yOrigin,
                 static_cast<float>(glyph.advance), 0.0f,
                 glyph.bits.empty() ? nullptr : glyph.bits.data());
    }
    glEndList();
}

// Takes a loading font's glyphs, waiting for its worker if need be, and
// compiles its lists.
void FinishFont(std::map<int, std::future<Glyphs>>::iterator loading) {
    const int first = loading->first;
    const Glyphs glyphs = loading->second.get();
    LoadingFonts().erase(loading);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    Advances& advances = FontAdvances()[first];
    for (int i = 0; i < kCharCount; ++i) {
        CompileGlyph(glyphs[i], static_cast<GLuint>(first + i));
        advances[i] = glyphs[i].advance;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// A font about to be used: its lists are compiled if they are not yet.
void AwaitFont(int font) {
    auto& loading = LoadingFonts();
    if (loading.empty()) {
        return; // every font has arrived: the usual case once the game runs
    }
    const auto found = loading.find(font);
    if (found != loading.end()) {
        FinishFont(found);
    }
}

} // namespace

namespace tarn {

int FinishLoadedFonts() {
    auto& loading = LoadingFonts();
    int finished = 0;
    for (auto font = loading.begin(); font != loading.end();) {
        const auto next = std::next(font);
        if (font->second.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            FinishFont(font);
            ++finished;
        }
        font = next;
    }
    return finished;
}

void StopFontLoading() {
    LoadingFonts().clear();
}

} // namespace tarn

int TarnGfxCreateFont(const char* faceName, int size, bool bold, bool italic) {
    const GLuint first = glGenLists(kCharCount);
    FontRequest request{faceName ? std::optional<std::string>(faceName) : std::nullopt, size, bold,
                        italic};
    // Should no thread be had, the glyphs are rasterised when the font is first used.
    LoadingFonts()[static_cast<int>(first)] =
        std::async(std::launch::async | std::launch::deferred, RasteriseFont, std::move(request));
    return static_cast<int>(first);
}

void TarnGfxDestroyFont(int font) {
    if (font > 0) {
        LoadingFonts().erase(font); // a worker still rasterising is waited for
        glDeleteLists(static_cast<GLuint>(font), kCharCount);
        FontAdvances().erase(font);
    }
}

int TarnGfxTextWidth(int font, const char* text) {
    AwaitFont(font);
    const auto found = FontAdvances().find(font);
    if (!text || found == FontAdvances().end()) {
        return 0;
    }
    int width = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const int index = static_cast<unsigned char>(*c) - kFirstChar;
        if (index >= 0 && index < kCharCount) {
            width += found->second[index];
        }
    }
    return width;
}

namespace {

// Text is drawn only when its origin lies within one window size of the view
// (to the left and below) up to the view's right and top edges.
bool TextOriginVisible(int x, int y) {
    const int w = tarn::gSystem.width;
    const int h = tarn::gSystem.height;
    float camX = 0.0f;
    float camY = 0.0f;
    TarnGfxGetCamPosition(&camX, &camY);
    int minX = static_cast<int>(camX - static_cast<float>(w / 2) + 1.0f) - w;
    int maxX = static_cast<int>(camX + static_cast<float>(w / 2) - 1.0f);
    int minY = static_cast<int>(camY - static_cast<float>(h / 2) + 1.0f) - h;
    int maxY = static_cast<int>(camY + static_cast<float>(h / 2) - 1.0f);
    return minX <= x && x <= maxX && minY <= y && y <= maxY;
}

} // namespace

void TarnGfxPrint(int font, const char* text, int x, int y, float red, float green, float blue) {
    if (!text || !TextOriginVisible(x, y)) {
        return;
    }
    AwaitFont(font);
    tarn::BatchFlush();
    const int w = tarn::gSystem.width;
    const int h = tarn::gSystem.height;
    // A viewport three times the window keeps raster positions left of or below
    // the view valid, so a text may start outside the window and still show.
    glViewport(-w, -h, 3 * w, 3 * h);
    tarn::UploadViewMatrix(0.33333334f, 0.33333334f);
    TarnGfxSetBlendColor(red, green, blue, 1.0f);
    // The raster position runs through the vertex shader, but not every driver
    // feeds glRasterPos into aPosition; placing the origin with the world
    // matrix and rasterising the point (0, 0) lands on the same pixel everywhere.
    TarnGfxSetPosition(static_cast<float>(x), static_cast<float>(y));
    tarn::SyncUniforms();
    glVertexAttrib4f(0, 0.0f, 0.0f, 0.0f, 1.0f);
    glRasterPos2f(0.0f, 0.0f);
    char buffer[256] = {};
    std::strncpy(buffer, text, sizeof buffer - 1);
    glPushAttrib(GL_LIST_BIT);
    glListBase(static_cast<GLuint>(font - kFirstChar));
    glCallLists(static_cast<GLsizei>(std::strlen(buffer)), GL_UNSIGNED_BYTE, buffer);
    glPopAttrib();
    TarnGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    TarnGfxSetPosition(0.0f, 0.0f);
    glViewport(0, 0, w, h);
    tarn::UploadViewMatrix(1.0f, 1.0f);
}

// Tarn engine: bitmap fonts and text. A font is 96 GL display lists, one per
// character 32..127, each holding a glBitmap of the glyph rasterised by
// FreeType from the face fontconfig finds for the requested name.
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <array>
#include <cstdio>
#include <cstring>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <map>
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

// The named face when the system has it, otherwise the fallback face.
std::string FindFontFile(const char* faceName, bool bold, bool italic) {
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

// Each live font's pen advance per character, in pixels, for TarnGfxTextWidth.
using Advances = std::array<int, kCharCount>;
std::map<int, Advances>& FontAdvances() {
    static std::map<int, Advances> advances;
    return advances;
}

// Compiles the glyph's list and returns its advance (0 without a glyph).
int CompileGlyph(FT_Face face, int code, GLuint list) {
    int advance = 0;
    glNewList(list, GL_COMPILE);
    if (face && FT_Load_Char(face, static_cast<FT_ULong>(code),
                             FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
        const FT_GlyphSlot glyph = face->glyph;
        advance = static_cast<int>(glyph->advance.x >> 6);
        std::vector<GLubyte> rows = FlipMonoBitmap(glyph->bitmap);
        float xOrigin = static_cast<float>(-glyph->bitmap_left);
        float yOrigin =
            static_cast<float>(static_cast<int>(glyph->bitmap.rows) - glyph->bitmap_top);
        glBitmap(static_cast<GLsizei>(glyph->bitmap.width),
                 static_cast<GLsizei>(glyph->bitmap.rows), xOrigin, yOrigin,
                 static_cast<float>(advance), 0.0f, rows.empty() ? nullptr : rows.data());
    }
    glEndList();
    return advance;
}

} // namespace

int TarnGfxCreateFont(const char* faceName, int size, bool bold, bool italic) {
    GLuint first = glGenLists(kCharCount);
    std::string file = FindFontFile(faceName, bold, italic);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (!file.empty() && FT_Init_FreeType(&library) == 0) {
        if (FT_New_Face(library, file.c_str(), 0, &face) == 0) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size > 0 ? size : 1));
        } else {
            face = nullptr; // glyph lists stay empty: text draws nothing
        }
    }
    if (!face) {
        std::fprintf(stderr, "Tarn Engine: no font face found for \"%s\"; text will not show\n",
                     faceName ? faceName : "");
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    Advances& advances = FontAdvances()[static_cast<int>(first)];
    for (int i = 0; i < kCharCount; ++i) {
        advances[i] = CompileGlyph(face, kFirstChar + i, first + static_cast<GLuint>(i));
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (face) {
        FT_Done_Face(face);
    }
    if (library) {
        FT_Done_FreeType(library);
    }
    return static_cast<int>(first);
}

void TarnGfxDestroyFont(int font) {
    if (font > 0) {
        glDeleteLists(static_cast<GLuint>(font), kCharCount);
        FontAdvances().erase(font);
    }
}

int TarnGfxTextWidth(int font, const char* text) {
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

// Tarn engine: graphics context, render state, meshes, textures and fonts.
//
// Everything is drawn through two GLSL programs: one colours vertices, one
// samples a texture. Draw order for an object: render mode (then the texture),
// blend mode, tint, blend colour, transparency, transform, mesh draw.
#pragma once
#include "TarnDefs.h"
#include "TarnMath.h"

// ---- Constants --------------------------------------------------------------
enum {
    TARN_RENDER_NONE = 0,
    TARN_RENDER_COLOR = 1,
    TARN_RENDER_TEXTURE = 2,
};
enum {
    TARN_BLEND_NONE = 0,
    TARN_BLEND_TRANSLUCENT = 1,
    TARN_BLEND_ADDITIVE = 2,
};
enum {
    TARN_DRAW_POINTS = 0,
    TARN_DRAW_LINES = 1,
    TARN_DRAW_LINE_STRIP = 2,
    TARN_DRAW_TRIANGLES = 3,
};
enum {
    TARN_TEXTURE_NEAREST = 0,
    TARN_TEXTURE_LINEAR = 1,
};
// Vertices one mesh may hold (8,192 triangles).
#define TARN_GFX_MAX_VERTICES 24576

// ---- Handles ----------------------------------------------------------------
// A mesh: three GL buffers (positions, colours, texture coordinates).
typedef struct TarnGfxVertexList {
    unsigned int* bufferIds;
    unsigned int vertexCount;
} TarnGfxVertexList;

// A texture: its GL name and the path it was loaded from (empty from memory).
typedef struct TarnGfxTexture {
    unsigned int* textureId;
    char name[256];
    int width;
    int height;
} TarnGfxTexture;

// ---- Context and frame ------------------------------------------------------
// Creates the GL context on the engine window and builds both programs.
TARN_API int TarnGfxInit(int width, int height);
// Empties the vertex staging list.
TARN_API void TarnGfxReset(void);
TARN_API void TarnGfxExit(void);
// Clears the picture and sets the viewport.
TARN_API void TarnGfxStart(void);
// Error check, unbinds the program, presents the picture, finishes and swaps.
TARN_API void TarnGfxEnd(void);
// Puts the frame drawn so far into the window: a window of the logical size is
// drawn into directly; any other size gets the off-screen picture scaled into
// the picture rectangle, with black bars around it. Done by TarnGfxEnd when
// nobody did it before (a screenshot reads the window after calling it).
TARN_API void TarnGfxPresentPicture(void);
TARN_API void TarnGfxSetBackgroundColor(float r, float g, float b);
// Quads (meshes of two triangles) drawn one after another with the same
// program, texture and blend mode are gathered and drawn in one call when that
// state changes, at a text or other draw, or at the frame's end. Flush draws
// what is gathered: call it before reading the picture back.
TARN_API void TarnGfxFlush(void);
// On by default; off draws every mesh on its own, as the engine always did.
TARN_API void TarnGfxSetBatching(int on);

// ---- Render state -----------------------------------------------------------
TARN_API void TarnGfxSetRenderMode(int mode);
TARN_API void TarnGfxSetBlendMode(int mode);
TARN_API void TarnGfxSetTransparency(float alpha);
TARN_API void TarnGfxSetBlendColor(float r, float g, float b, float a);
TARN_API void TarnGfxSetTintColor(float r, float g, float b, float a);
// World matrix := translation by (x, y).
TARN_API void TarnGfxSetPosition(float x, float y);
TARN_API void TarnGfxSetTransform(const TarnMtx33* m);
// Row-major 4x4 world matrix.
TARN_API void TarnGfxSetTransform3D(const float m[16]);

// ---- Camera and visible area ------------------------------------------------
TARN_API void TarnGfxSetCamPosition(float x, float y);
TARN_API void TarnGfxGetCamPosition(float* x, float* y);
TARN_API float TarnGfxGetWinMinX(void);
TARN_API float TarnGfxGetWinMaxX(void);
TARN_API float TarnGfxGetWinMinY(void);
TARN_API float TarnGfxGetWinMaxY(void);
// The visible world rectangle: camera -/+ half the window size.
TARN_API float gTarnWinMinX;
TARN_API float gTarnWinMaxX;
TARN_API float gTarnWinMinY;
TARN_API float gTarnWinMaxY;

// ---- Meshes -----------------------------------------------------------------
TARN_API void TarnGfxMeshStart(void);
TARN_API void TarnGfxTriAdd(float x0, float y0, unsigned int c0, float u0, float v0, float x1,
                            float y1, unsigned int c1, float u1, float v1, float x2, float y2,
                            unsigned int c2, float u2, float v2);
TARN_API void TarnGfxVertexAdd(float x, float y, unsigned int colour, float u, float v);
// Uploads every vertex staged since the last mesh into a new mesh.
TARN_API TarnGfxVertexList* TarnGfxMeshEnd(void);
// Replaces the mesh's vertices with those staged since the last mesh, in its
// own buffers: a mesh rebuilt every frame is streamed instead of remade. A
// null mesh only drops the staged vertices.
TARN_API void TarnGfxMeshRefill(TarnGfxVertexList* mesh);
TARN_API void TarnGfxMeshDraw(TarnGfxVertexList* mesh, int drawMode);
TARN_API void TarnGfxMeshFree(TarnGfxVertexList* mesh);
TARN_API void TarnGfxTriListInitialize(TarnGfxVertexList* list);

// ---- Textures ---------------------------------------------------------------
// Null for paths over 255 characters, for files that are missing or not PNG,
// and (with one line on stderr naming the file) for pictures larger than the
// GPU's largest texture.
TARN_API TarnGfxTexture* TarnGfxTextureLoad(const char* path);
// Loads many textures at once, as TarnGfxTextureLoad would each (null entries
// for bad files); the files are decoded on all cores, then uploaded in order.
TARN_API void TarnGfxTextureLoadBatch(const char* const* paths, int count,
                                      TarnGfxTexture** textures);
// As TarnGfxTextureLoadBatch, but returns at once: a record (name, width and
// height) for every file whose PNG header reads, null for the others. Worker
// threads decode the files; a texture's pixels reach the GPU when it is first
// bound (TarnGfxTextureSet waits for them) or after a frame's swap, a few at a
// time. A file damaged past its header leaves its texture empty.
TARN_API void TarnGfxTextureLoadBatchAsync(const char* const* paths, int count,
                                           TarnGfxTexture** textures);
// RGBA pixels, first row first; null when larger than the GPU's largest texture.
TARN_API TarnGfxTexture* TarnGfxTextureLoadFromMemory(const unsigned char* pixels, int width,
                                                      int height);
// The picture drawn so far into the frame being built, as
// an opaque texture of the logical size (the picture before it is scaled to
// the window), top row first.
TARN_API TarnGfxTexture* TarnGfxTextureFromFrame(void);
TARN_API void TarnGfxTextureUnload(TarnGfxTexture* texture);
// Binds the texture (null unbinds) and sets the scrolling offset.
TARN_API void TarnGfxTextureSet(TarnGfxTexture* texture, float offsetU, float offsetV);
TARN_API void TarnGfxSetTextureMode(int mode);
TARN_API void TarnGfxSaveTextureToFile(TarnGfxTexture* texture, const char* path);
TARN_API void TarnGfxTextureInitialize(TarnGfxTexture* texture);
// Decodes a PNG file into RGBA pixels (malloc'ed, first row first); null on failure.
TARN_API unsigned char* TarnImageLoadPNG(const char* path, int* width, int* height);

// ---- Fonts and text -----------------------------------------------------------
// The first of 96 display lists, one per character 32..127.
TARN_API int TarnGfxCreateFont(const char* faceName, int size, bool bold, bool italic);
TARN_API void TarnGfxDestroyFont(int font);
// How far TarnGfxPrint's pen moves for the text, in pixels (0 for an unknown
// font); characters outside 32..127 add nothing, as they print nothing.
TARN_API int TarnGfxTextWidth(int font, const char* text);
// Draws text with its first character's origin at the world point (x, y).
TARN_API void TarnGfxPrint(int font, const char* text, int x, int y, float red, float green,
                           float blue);

// ---- Immediate primitives (debug aids) ------------------------------------------
TARN_API void TarnGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0,
                          float x1, float y1, float z1, float r1, float g1, float b1, float a1);
TARN_API void TarnGfxAxis(float size);
TARN_API void TarnGfxPoint(float x, float y, float z, unsigned int colour);
TARN_API void TarnGfxTri(float x0, float y0, float z0, float x1, float y1, float z1, float x2,
                         float y2, float z2, unsigned int colour);
TARN_API void TarnGfxQuad(float x, float y, float z, float w, float h, unsigned int colour);
TARN_API void TarnGfxBox(float x, float y, float z, float w, float h, float d, unsigned int colour);
TARN_API void TarnGfxSphere(float x, float y, float z, float radius, unsigned int colour);
TARN_API void TarnGfxCone(float x, float y, float z, float radius, float height,
                          unsigned int colour);
TARN_API unsigned int TarnGfxColInterp(unsigned int colour0, unsigned int colour1, float t);

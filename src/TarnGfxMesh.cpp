// Tarn engine: meshes. Vertices are staged on the CPU and uploaded once into
// three GPU buffers (positions, colours, texture coordinates); the render mode
// alone decides whether a draw uses the colours or the texture coordinates.
// The immediate debug primitives live here too.
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kSourcePath = "src/TarnGfxMesh.cpp";

struct StagedVertex {
    float x, y, z;
    unsigned int colour; // 0xAARRGGBB
    float u, v;
};

struct Staging {
    StagedVertex vertices[TARN_GFX_MAX_VERTICES];
    unsigned int count = 0;
};
Staging gStaging;

float Channel(unsigned int colour, int shift) {
    return static_cast<float>((colour >> shift) & 0xFFu) / 255.0f;
}

// No wait follows the upload: glBufferData copies the data into a store of
// its own, and for a mesh refilled every frame (the light polygons) the old
// store is orphaned rather than overwritten, so no draw of the frame before
// is waited for.
void UploadBuffer(unsigned int buffer, const std::vector<float>& data, GLenum usage) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                 data.empty() ? nullptr : data.data(), usage);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// The staged vertices split into the three buffers' layouts. The vectors are
// kept from mesh to mesh, so a mesh rebuilt every frame allocates nothing.
struct Unpacked {
    std::vector<float> positions, colours, uvs;
};
Unpacked gUnpacked;

void UnpackStaging() {
    gUnpacked.positions.clear();
    gUnpacked.colours.clear();
    gUnpacked.uvs.clear();
    for (unsigned int i = 0; i < gStaging.count; ++i) {
        const StagedVertex& v = gStaging.vertices[i];
        gUnpacked.positions.insert(gUnpacked.positions.end(), {v.x, v.y, v.z});
        gUnpacked.colours.insert(gUnpacked.colours.end(),
                                 {Channel(v.colour, 16), Channel(v.colour, 8), Channel(v.colour, 0),
                                  Channel(v.colour, 24)});
        gUnpacked.uvs.insert(gUnpacked.uvs.end(), {v.u, v.v});
    }
}

// Uploads the staged vertices into the mesh's three buffers and empties the staging.
void FillMesh(TarnGfxVertexList* mesh, GLenum usage) {
    mesh->vertexCount = gStaging.count;
    UnpackStaging();
    UploadBuffer(mesh->bufferIds[0], gUnpacked.positions, usage);
    UploadBuffer(mesh->bufferIds[1], gUnpacked.colours, usage);
    UploadBuffer(mesh->bufferIds[2], gUnpacked.uvs, usage);
    tarn::BatchRememberMesh(mesh, gUnpacked.positions.data(), gUnpacked.colours.data(),
                            gUnpacked.uvs.data());
    gStaging.count = 0;
}

GLenum GLDrawMode(int drawMode) {
    static const GLenum kModes[] = {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_TRIANGLES};
    return kModes[drawMode];
}

// Binds one buffer to a named attribute of the current program.
GLint BindAttribute(const char* name, unsigned int buffer, int components) {
    GLint location = glGetAttribLocation(tarn::CurrentProgramId(), name);
    if (location < 0) {
        return location;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0,
                          nullptr);
    return location;
}

void DisableAttribute(GLint location) {
    if (location >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}

} // namespace

// ============================================================================
// Staging
// ============================================================================
void TarnGfxMeshStart(void) {}

void TarnGfxReset(void) {
    gStaging.count = 0;
}

void TarnGfxVertexAdd(float x, float y, unsigned int colour, float u, float v) {
    if (gStaging.count >= TARN_GFX_MAX_VERTICES) {
        return; // a mesh holds at most 24,576 vertices; the rest are dropped
    }
    gStaging.vertices[gStaging.count++] = StagedVertex{x, y, 0.0f, colour, u, v};
}

void TarnGfxTriAdd(float x0, float y0, unsigned int c0, float u0, float v0, float x1, float y1,
                   unsigned int c1, float u1, float v1, float x2, float y2, unsigned int c2,
                   float u2, float v2) {
    TarnGfxVertexAdd(x0, y0, c0, u0, v0);
    TarnGfxVertexAdd(x1, y1, c1, u1, v1);
    TarnGfxVertexAdd(x2, y2, c2, u2, v2);
}

// ============================================================================
// Meshes
// ============================================================================
TarnGfxVertexList* TarnGfxMeshEnd(void) {
    auto* mesh = static_cast<TarnGfxVertexList*>(std::calloc(1, sizeof(TarnGfxVertexList)));
    mesh->bufferIds = static_cast<unsigned int*>(std::calloc(3, sizeof(unsigned int)));
    glGenBuffers(3, mesh->bufferIds);
    FillMesh(mesh, GL_STATIC_DRAW);
    tarn::CheckGLError(__LINE__, "TarnGfxMeshEnd", kSourcePath);
    return mesh;
}

void TarnGfxMeshRefill(TarnGfxVertexList* mesh) {
    if (!mesh || !mesh->bufferIds) {
        gStaging.count = 0;
        return;
    }
    FillMesh(mesh, GL_STREAM_DRAW);
    tarn::CheckGLError(__LINE__, "TarnGfxMeshRefill", kSourcePath);
}

void TarnGfxMeshDraw(TarnGfxVertexList* mesh, int drawMode) {
    if (drawMode < TARN_DRAW_POINTS || drawMode > TARN_DRAW_TRIANGLES) {
        std::printf("Mesh Draw Mode %u is invalid!\n", static_cast<unsigned int>(drawMode));
        return;
    }
    int program = tarn::CurrentProgram();
    if (!mesh || program == tarn::kProgramNone) {
        return;
    }
    if (drawMode == TARN_DRAW_TRIANGLES && tarn::BatchAdd(mesh)) {
        return;
    }
    tarn::BatchFlush();
    tarn::SyncUniforms();
    GLint position = BindAttribute("aPosition", mesh->bufferIds[0], 3);
    GLint extra = program == tarn::kProgramColor
                      ? BindAttribute("aColor", mesh->bufferIds[1], 4)
                      : BindAttribute("aTextureCoordinate", mesh->bufferIds[2], 2);
    glDrawArrays(GLDrawMode(drawMode), 0, static_cast<GLsizei>(mesh->vertexCount));
    DisableAttribute(extra);
    DisableAttribute(position);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TarnGfxMeshFree(TarnGfxVertexList* mesh) {
    if (!mesh) {
        return;
    }
    tarn::BatchForgetMesh(mesh);
    if (mesh->bufferIds) {
        glDeleteBuffers(3, mesh->bufferIds);
        std::free(mesh->bufferIds);
    }
    std::free(mesh);
}

void TarnGfxTriListInitialize(TarnGfxVertexList* list) {
    if (list) {
        list->bufferIds = static_cast<unsigned int*>(std::calloc(3, sizeof(unsigned int)));
    }
}

// ============================================================================
// Immediate primitives
// ============================================================================
void TarnGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0, float x1,
                 float y1, float z1, float r1, float g1, float b1, float a1) {
    if (tarn::CurrentProgram() != tarn::kProgramColor) {
        return; // lines carry colours only
    }
    tarn::BatchFlush();
    tarn::SyncUniforms();
    const float positions[6] = {x0, y0, z0, x1, y1, z1};
    const float colours[8] = {r0, g0, b0, a0, r1, g1, b1, a1};
    GLint position = glGetAttribLocation(tarn::CurrentProgramId(), "aPosition");
    GLint colour = glGetAttribLocation(tarn::CurrentProgramId(), "aColor");
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (position < 0 || colour < 0) {
        return;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, 0, positions);
    glEnableVertexAttribArray(static_cast<GLuint>(colour));
    glVertexAttribPointer(static_cast<GLuint>(colour), 4, GL_FLOAT, GL_FALSE, 0, colours);
    glDrawArrays(GL_LINES, 0, 2);
    DisableAttribute(colour);
    DisableAttribute(position);
}

void TarnGfxAxis(float size) {
    TarnGfxLine(0, 0, 0, 1, 0, 0, 1, 0.8f * size, 0, 0, 1, 0, 0, 1);
    TarnGfxLine(0, 0, 0, 0, 1, 0, 1, 0, 0.8f * size, 0, 0, 1, 0, 1);
    TarnGfxLine(0, 0, 0, 0, 0, 1, 1, 0, 0, 0.8f * size, 0, 0, 1, 1);
}

// These shapes were never drawn by the engine; they stay as no-ops so old
// debug calls keep compiling without touching the staging list.
void TarnGfxPoint(float, float, float, unsigned int) {}
void TarnGfxTri(float, float, float, float, float, float, float, float, float, unsigned int) {}
void TarnGfxQuad(float, float, float, float, float, unsigned int) {}
void TarnGfxBox(float, float, float, float, float, float, unsigned int) {}
void TarnGfxSphere(float, float, float, float, unsigned int) {}
void TarnGfxCone(float, float, float, float, float, unsigned int) {}

unsigned int TarnGfxColInterp(unsigned int colour0, unsigned int colour1, float t) {
    // The step is the whole part of t in [0, 1]: colour0 below 1, colour1 at 1.
    float step = static_cast<float>(static_cast<int>(std::clamp(t, 0.0f, 1.0f)));
    unsigned int result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        float c0 = static_cast<float>((colour0 >> shift) & 0xFFu);
        float c1 = static_cast<float>((colour1 >> shift) & 0xFFu);
        float mixed = std::clamp(c0 + (c1 - c0) * step, 0.0f, 255.0f);
        result |= static_cast<unsigned int>(mixed) << shift;
    }
    return result;
}

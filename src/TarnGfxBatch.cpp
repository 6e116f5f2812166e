// Tarn engine: batched quads. Consecutive TarnGfxMeshDraw calls of small
// triangle meshes (the game's quads) under the same program, texture and blend
// mode are gathered into one vertex stream, each vertex carrying its draw's
// world matrix, tint, blend colour, texture offset and transparency, and drawn
// in one call when that state changes, something else draws, the picture is
// read, or the frame ends. The batch programs compute exactly what the game's
// two programs compute, so the picture is the same pixel for pixel.
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace tarn {
const char* const kBatchAttributeNames[kBatchAttributeCount] = {
    "aPosition",  "aColor",     "aTextureCoordinate", "aWorldRowX",
    "aWorldRowY", "aTintColor", "aBlendColor",        "aOffsetTransparency"};
} // namespace tarn

namespace {

constexpr unsigned int kQuadVertices = 6;      // two triangles
constexpr size_t kMaxBatchVertices = 6 * 4096; // corners drawn in one call at most

struct MeshVertex {
    float position[3];
    float colour[4];
    float uv[2];
};

// A quad mesh's distinct vertices (as uploaded into its three buffers) and
// its triangles' corners as indexes into them: the two corners the triangles
// share are shaded once.
struct QuadCopy {
    unsigned int vertexCount = 0;
    unsigned int indexCount = 0;
    MeshVertex vertices[kQuadVertices];
    unsigned short indexes[kQuadVertices];
};

struct BatchVertex {
    MeshVertex mesh;
    float worldRowX[3];
    float worldRowY[3];
    float tint[4];
    float blend[4];
    float offsetTransparency[3];
};

struct AttributeLayout {
    int components;
    size_t offset;
};
const AttributeLayout kLayout[tarn::kBatchAttributeCount] = {
    {3, offsetof(BatchVertex, mesh.position)}, {4, offsetof(BatchVertex, mesh.colour)},
    {2, offsetof(BatchVertex, mesh.uv)},       {3, offsetof(BatchVertex, worldRowX)},
    {3, offsetof(BatchVertex, worldRowY)},     {4, offsetof(BatchVertex, tint)},
    {4, offsetof(BatchVertex, blend)},         {3, offsetof(BatchVertex, offsetTransparency)}};

struct Batch {
    std::unordered_map<const TarnGfxVertexList*, QuadCopy> quads;
    std::vector<BatchVertex> vertices;
    std::vector<unsigned short> indexes;
    const TarnGfxVertexList* lastMesh = nullptr; // the quad looked up last, usually the next
    const QuadCopy* lastQuad = nullptr;
    int program = tarn::kProgramNone;
    bool plain = true;                // every quad gathered is plain (see IsPlain)
    unsigned int buffers[2] = {0, 0}; // vertices, indexes
    bool enabled = true;
};
Batch gBatch;

// Whether a world matrix (GL column order) is one the batch programs rebuild
// from its two top rows: every matrix TarnGfxSetTransform and
// TarnGfxSetPosition make, not the general ones of TarnGfxSetTransform3D.
bool IsPlanar(const float* w) {
    return w[2] == 0.0f && w[3] == 0.0f && w[6] == 0.0f && w[7] == 0.0f && w[8] == 0.0f &&
           w[9] == 0.0f && w[10] == 1.0f && w[11] == 0.0f && w[14] == 0.0f && w[15] == 1.0f;
}

// A quad that the game's programs draw exactly as its texture or colours
// are, but for the transparency.
bool IsPlain(const tarn::ProgramUniforms& values, int program) {
    const float* tint = values.tint;
    const float* blend = values.blend;
    const bool untinted = tint[0] == 1.0f && tint[1] == 1.0f && tint[2] == 1.0f && tint[3] == 1.0f;
    const bool unblended = blend[3] == 0.0f && std::isfinite(blend[0]) && std::isfinite(blend[1]) &&
                           std::isfinite(blend[2]);
    const bool unshifted =
        program != tarn::kProgramTexture || (values.offset[0] == 0.0f && values.offset[1] == 0.0f);
    return untinted && unblended && unshifted;
}

void AppendQuad(const QuadCopy& quad, const tarn::ProgramUniforms& values) {
    BatchVertex vertex;
    const float* w = values.world;
    const float rowX[3] = {w[0], w[4], w[12]};
    const float rowY[3] = {w[1], w[5], w[13]};
    std::memcpy(vertex.worldRowX, rowX, sizeof rowX);
    std::memcpy(vertex.worldRowY, rowY, sizeof rowY);
    std::memcpy(vertex.tint, values.tint, sizeof vertex.tint);
    std::memcpy(vertex.blend, values.blend, sizeof vertex.blend);
    vertex.offsetTransparency[0] = values.offset[0];
    vertex.offsetTransparency[1] = values.offset[1];
    vertex.offsetTransparency[2] = values.transparency;
    const size_t first = gBatch.vertices.size();
    gBatch.vertices.resize(first + quad.vertexCount, vertex);
    for (unsigned int i = 0; i < quad.vertexCount; ++i) {
        gBatch.vertices[first + i].mesh = quad.vertices[i];
    }
    const size_t firstIndex = gBatch.indexes.size();
    gBatch.indexes.resize(firstIndex + quad.indexCount);
    for (unsigned int i = 0; i < quad.indexCount; ++i) {
        gBatch.indexes[firstIndex + i] = static_cast<unsigned short>(first + quad.indexes[i]);
    }
}

// Uploads the gathered stream into fresh stores (the previous draw may still
// read the old ones).
void UploadStream() {
    if (gBatch.buffers[0] == 0) {
        glGenBuffers(2, gBatch.buffers);
    }
    glBindBuffer(GL_ARRAY_BUFFER, gBatch.buffers[0]);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(gBatch.vertices.size() * sizeof(BatchVertex)),
                 gBatch.vertices.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gBatch.buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(gBatch.indexes.size() * sizeof(unsigned short)),
                 gBatch.indexes.data(), GL_STREAM_DRAW);
}

// The batch program takes the projection and view the game's program holds.
void UseBatchProgram() {
    GLuint program = tarn::BatchProgramId(gBatch.program, gBatch.plain);
    const tarn::ProgramUniforms& values = tarn::UniformsOf(gBatch.program);
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "uPMatrix"), 1, GL_FALSE, values.projection);
    glUniformMatrix4fv(glGetUniformLocation(program, "uVMatrix"), 1, GL_FALSE, values.view);
    glUniform1i(glGetUniformLocation(program, "uTexture"), 0);
}

void SetAttributes(bool enable) {
    for (int slot = 0; slot < tarn::kBatchAttributeCount; ++slot) {
        GLuint index = static_cast<GLuint>(slot);
        if (!enable) {
            glDisableVertexAttribArray(index);
            continue;
        }
        glEnableVertexAttribArray(index);
        glVertexAttribPointer(index, kLayout[slot].components, GL_FLOAT, GL_FALSE,
                              sizeof(BatchVertex),
                              reinterpret_cast<const void*>(kLayout[slot].offset));
    }
}

} // namespace

namespace tarn {

void BatchFlush() {
    if (gBatch.vertices.empty()) {
        return;
    }
    UseBatchProgram();
    UploadStream();
    SetAttributes(true);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(gBatch.indexes.size()), GL_UNSIGNED_SHORT,
                   nullptr);
    SetAttributes(false);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(CurrentProgramId());
    gBatch.vertices.clear();
    gBatch.indexes.clear();
    gBatch.plain = true;
}

bool BatchAdd(const TarnGfxVertexList* mesh) {
    const int program = CurrentProgram();
    if (!gBatch.enabled || program == kProgramNone) {
        return false;
    }
    if (mesh != gBatch.lastMesh) {
        const auto found = gBatch.quads.find(mesh);
        gBatch.lastMesh = mesh;
        gBatch.lastQuad = found != gBatch.quads.end() ? &found->second : nullptr;
    }
    const ProgramUniforms& values = CurrentUniforms();
    if (gBatch.lastQuad == nullptr || !IsPlanar(values.world)) {
        return false;
    }
    if (program != gBatch.program || gBatch.indexes.size() + kQuadVertices > kMaxBatchVertices) {
        BatchFlush();
        gBatch.program = program;
    }
    AppendQuad(*gBatch.lastQuad, values);
    gBatch.plain = gBatch.plain && IsPlain(values, program);
    return true;
}

void BatchRememberMesh(const TarnGfxVertexList* mesh, const float* positions, const float* colours,
                       const float* uvs) {
    gBatch.lastMesh = nullptr; // the map may move its entries
    if (mesh->vertexCount == 0 || mesh->vertexCount > kQuadVertices) {
        gBatch.quads.erase(mesh); // a mesh never freed may have left its address behind
        return;
    }
    QuadCopy& quad = gBatch.quads[mesh];
    quad = QuadCopy{};
    for (unsigned int i = 0; i < mesh->vertexCount; ++i) {
        MeshVertex corner;
        std::memcpy(corner.position, positions + 3 * i, sizeof corner.position);
        std::memcpy(corner.colour, colours + 4 * i, sizeof corner.colour);
        std::memcpy(corner.uv, uvs + 2 * i, sizeof corner.uv);
        unsigned int index = 0;
        while (index < quad.vertexCount &&
               std::memcmp(&quad.vertices[index], &corner, sizeof corner) != 0) {
            ++index;
        }
        if (index == quad.vertexCount) {
            quad.vertices[quad.vertexCount++] = corner;
        }
        quad.indexes[quad.indexCount++] = static_cast<unsigned short>(index);
    }
}

void BatchForgetMesh(const TarnGfxVertexList* mesh) {
    gBatch.lastMesh = nullptr;
    gBatch.quads.erase(mesh);
}

void BatchRelease() {
    gBatch.vertices.clear();
    gBatch.indexes.clear();
    if (gBatch.buffers[0] != 0) {
        glDeleteBuffers(2, gBatch.buffers);
        gBatch.buffers[0] = gBatch.buffers[1] = 0;
    }
}

} // namespace tarn

void TarnGfxFlush(void) {
    tarn::BatchFlush();
}

void TarnGfxSetBatching(int on) {
    tarn::BatchFlush();
    gBatch.enabled = on != 0;
}

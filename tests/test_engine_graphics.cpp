// Engine graphics: render state, shaders, meshes, textures and text, checked by
// reading pixels back from a real GL context.
#include "TarnGraphics.h"
#include "TarnInternal.h"
#include "TarnSystem.h"
#include "TestEnv.h"

#include <GL/glew.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using Pixel = std::array<int, 4>;

class GraphicsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(moth_test::EnsureEngineWindow());
        TarnGfxSetCamPosition(0.0f, 0.0f);
        TarnGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
        TarnGfxSetRenderMode(TARN_RENDER_NONE);
        TarnGfxStart();
        TarnGfxSetBlendMode(TARN_BLEND_NONE);
        quad_ = MakeQuad(0xFFFFFFFF);
    }
    void TearDown() override {
        TarnGfxMeshFree(quad_);
        TarnGfxTextureSet(nullptr, 0.0f, 0.0f);
    }

    // Unit quad with u across and v = 1 at the bottom, like the game's shared quad.
    static TarnGfxVertexList* MakeQuad(unsigned int colour) {
        TarnGfxTriAdd(-0.5f, -0.5f, colour, 0, 1, 0.5f, -0.5f, colour, 1, 1, -0.5f, 0.5f, colour, 0,
                      0);
        TarnGfxTriAdd(0.5f, -0.5f, colour, 1, 1, 0.5f, 0.5f, colour, 1, 0, -0.5f, 0.5f, colour, 0,
                      0);
        return TarnGfxMeshEnd();
    }

    // Draws the quad scaled to w x h world units at (x, y).
    void DrawQuad(float x, float y, float w, float h) {
        TarnMtx33 m = {{{w, 0, x}, {0, h, y}, {0, 0, 1}}};
        TarnGfxSetTransform(&m);
        TarnGfxMeshDraw(quad_, TARN_DRAW_TRIANGLES);
    }

    void ColourState(float r, float g, float b, float a) {
        TarnGfxSetRenderMode(TARN_RENDER_COLOR);
        TarnGfxSetTintColor(r, g, b, a);
        TarnGfxSetTransparency(1.0f);
        TarnGfxSetBlendColor(0, 0, 0, 0);
    }

    // Pixel at a window position (origin bottom-left, as GL reads).
    static Pixel ReadPixel(int x, int y) {
        unsigned char rgba[4] = {};
        TarnGfxFlush(); // quads still gathered for one draw call
        glFinish();
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2], rgba[3]};
    }
    // World point to window pixel for an unscaled window and camera at 0, 0.
    static Pixel ReadWorld(float x, float y) {
        return ReadPixel(512 + static_cast<int>(x), 384 + static_cast<int>(y));
    }

    TarnGfxVertexList* quad_ = nullptr;
};

void ExpectNear(const Pixel& actual, const Pixel& expected, int tolerance = 2) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "channel " << i;
    }
}

// ---------------------------------------------------------------------------
// Colour program and blending
// ---------------------------------------------------------------------------
TEST_F(GraphicsTest, TintMultipliesTheVertexColour) {
    ColourState(1.0f, 0.5f, 0.0f, 1.0f);
    DrawQuad(0, 0, 100, 100);
    ExpectNear(ReadWorld(0, 0), {255, 128, 0, 255});
    ExpectNear(ReadWorld(70, 0), {0, 0, 0, 255});
}

TEST_F(GraphicsTest, BlendColourMixesByItsAlphaAndKeepsSourceAlpha) {
    ColourState(1, 1, 1, 1);
    TarnGfxSetTransparency(0.5f);
    TarnGfxSetBlendColor(0.0f, 0.0f, 1.0f, 1.0f);
    DrawQuad(-100, 0, 50, 50);
    TarnGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.5f);
    DrawQuad(100, 0, 50, 50);
    ExpectNear(ReadWorld(-100, 0), {0, 0, 255, 128});
    ExpectNear(ReadWorld(100, 0), {128, 128, 128, 128});
}

// A frame's start leaves the depth buffer cleared, as if it cleared it every
// time; it clears it again only when depth testing, the one way a draw
// writes depth, is on.
TEST_F(GraphicsTest, EveryFrameStartsOnAClearedDepthBuffer) {
    auto depthAt = [](int x, int y) {
        TarnGfxFlush();
        float depth = -1.0f;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    };
    TarnGfxStart();
    EXPECT_EQ(depthAt(512, 384), 1.0f);
    glEnable(GL_DEPTH_TEST);
    TarnGfxSetRenderMode(TARN_RENDER_COLOR);
    DrawQuad(0.0f, 0.0f, 200.0f, 200.0f);
    EXPECT_LT(depthAt(512, 384), 1.0f); // the tested draw wrote its depth
    TarnGfxStart();
    EXPECT_EQ(depthAt(512, 384), 1.0f);
    glDisable(GL_DEPTH_TEST);
    DrawQuad(0.0f, 0.0f, 200.0f, 200.0f); // untested draws leave depth alone
    TarnGfxStart();
    EXPECT_EQ(depthAt(512, 384), 1.0f);
    EXPECT_EQ(depthAt(10, 10), 1.0f);

    // Another picture (as the full screen's off-screen one) starts cleared too.
    GLuint framebuffer = 0, colour = 0, depth = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 1024, 768);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, 1024, 768);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT); // something other than a frame's clear
    glClearDepth(1.0);
    TarnGfxStart();
    EXPECT_EQ(depthAt(512, 384), 1.0f);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    glDeleteRenderbuffers(1, &depth);
}

TEST_F(GraphicsTest, TheThreeBlendModes) {
    TarnGfxSetBackgroundColor(0.2f, 0.2f, 0.2f);
    TarnGfxStart();
    ColourState(0.5f, 0.5f, 0.5f, 0.5f);
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    DrawQuad(-200, 0, 50, 50);
    TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
    DrawQuad(0, 0, 50, 50);
    TarnGfxSetBlendMode(TARN_BLEND_ADDITIVE);
    DrawQuad(200, 0, 50, 50);
    TarnGfxSetBlendMode(3); // unknown: additive stays
    DrawQuad(300, 0, 50, 50);
    EXPECT_NEAR(ReadWorld(-200, 0)[0], 128, 2);
    EXPECT_NEAR(ReadWorld(0, 0)[0], 89, 2);    // 0.5 * 0.5 + 0.2 * 0.5
    EXPECT_NEAR(ReadWorld(200, 0)[0], 115, 2); // 0.5 * 0.5 + 0.2
    EXPECT_NEAR(ReadWorld(300, 0)[0], 115, 2);
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
}

TEST_F(GraphicsTest, SameRenderModeDoesNotRebindOrReuploadTheView) {
    ColourState(1, 1, 1, 1);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    TarnGfxSetCamPosition(200.0f, 0.0f); // not uploaded until the next mode switch
    TarnGfxSetRenderMode(TARN_RENDER_COLOR);
    GLint again = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &again);
    EXPECT_EQ(program, again);
    DrawQuad(0, 0, 20, 20);
    ExpectNear(ReadWorld(0, 0), {255, 255, 255, 255});
    // A real switch picks up the camera: world 200 is now the window centre.
    TarnGfxSetRenderMode(TARN_RENDER_NONE);
    ColourState(1, 0, 0, 1);
    DrawQuad(200, 0, 20, 20);
    ExpectNear(ReadPixel(512, 384), {255, 0, 0, 255});
}

TEST_F(GraphicsTest, CameraBoundsFollowTheCamera) {
    TarnGfxSetCamPosition(100.0f, 50.0f);
    EXPECT_EQ(gTarnWinMinX, -412.0f);
    EXPECT_EQ(gTarnWinMaxX, 612.0f);
    EXPECT_EQ(gTarnWinMinY, -334.0f);
    EXPECT_EQ(gTarnWinMaxY, 434.0f);
    EXPECT_EQ(TarnGfxGetWinMaxY(), 434.0f);
    float x = 0, y = 0;
    TarnGfxGetCamPosition(&x, &y);
    EXPECT_EQ(x, 100.0f);
    EXPECT_EQ(y, 50.0f);
}

// ---------------------------------------------------------------------------
// Batched quads
// ---------------------------------------------------------------------------
TarnGfxTexture* StripeTexture();

std::vector<unsigned char> ReadWindow() {
    std::vector<unsigned char> rgba(1024 * 768 * 4);
    TarnGfxFlush();
    glFinish();
    glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Overlapping quads in both programs with changing tints, blend colours,
// offsets, transforms and blend modes, a texture switch and a 3D transform
// the batch cannot take: the picture and the draw order are those of one
// draw call per quad.
TEST_F(GraphicsTest, BatchedQuadsDrawTheSamePictureAsSingleDraws) {
    TarnGfxTexture* stripes = StripeTexture();
    const unsigned char grey[4] = {90, 140, 200, 160};
    TarnGfxTexture* plain = TarnGfxTextureLoadFromMemory(grey, 1, 1);
    auto scene = [&] {
        TarnGfxStart();
        TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
        for (int i = 0; i < 12; ++i) {
            ColourState(0.1f * i, 1.0f - 0.05f * i, 0.5f, 0.3f + 0.05f * i);
            TarnGfxSetBlendColor(0.2f, 0.1f * (i % 3), 0.7f, 0.25f * (i % 4));
            TarnMtx33 turn;
            TarnMtx33RotDeg(&turn, 7.0f * i);
            TarnMtx33 m = {{{90, 0, -300.0f + 37.0f * i}, {0, 70, -40.0f + 9.0f * i}, {0, 0, 1}}};
            TarnMtx33Concat(&m, &m, &turn);
            TarnGfxSetTransform(&m);
            TarnGfxMeshDraw(quad_, TARN_DRAW_TRIANGLES);
            TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
            TarnGfxTextureSet(i % 4 == 3 ? plain : stripes, 0.13f * i, 0.0f);
            TarnGfxSetBlendMode(i % 5 == 4 ? TARN_BLEND_ADDITIVE : TARN_BLEND_TRANSLUCENT);
            TarnGfxSetTintColor(1.0f, 0.9f, 0.8f, 0.9f);
            TarnGfxSetTransparency(0.75f);
            TarnGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.1f * (i % 2));
            DrawQuad(-250.0f + 40.0f * i, 60.0f - 5.0f * i, 120, 80);
            if (i == 6) {
                const float shear[16] = {60, 20, 0, 100, 0, 60, 0, -150, 0, 0, 1, 0, 0, 0, 0, 1};
                TarnGfxSetTransform3D(shear);
                TarnGfxMeshDraw(quad_, TARN_DRAW_TRIANGLES);
            }
            TarnGfxSetRenderMode(TARN_RENDER_COLOR);
        }
        return ReadWindow();
    };
    std::vector<unsigned char> batched = scene();
    TarnGfxSetBatching(0);
    std::vector<unsigned char> single = scene();
    TarnGfxSetBatching(1);
    EXPECT_TRUE(batched == single);
    EXPECT_GT(std::count(single.begin(), single.end(), 0), 0); // not all drawn over
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    TarnGfxTextureUnload(plain);
    TarnGfxTextureUnload(stripes);
}

// Quads with a white tint, no blend colour and no texture offset (most of
// the game's pictures, faded or not) are batched through lighter programs,
// which must still give the very pixels of the game's two programs.
TEST_F(GraphicsTest, PlainQuadsBatchedDrawExactlyWhatTheGameProgramsDraw) {
    TarnGfxTexture* stripes = StripeTexture();
    auto scene = [&](bool withOneTinted) {
        TarnGfxStart();
        TarnGfxSetBlendMode(TARN_BLEND_TRANSLUCENT);
        for (int i = 0; i < 10; ++i) {
            ColourState(1.0f, 1.0f, 1.0f, 1.0f);
            TarnGfxSetBlendColor(0.6f, 0.2f, 0.9f, 0.0f); // a colour of no weight
            TarnGfxSetTransparency(0.1f * i + 0.05f);
            TarnMtx33 m = {{{70, 0, -330.0f + 61.0f * i}, {0, 55, -90.0f + 13.0f * i}, {0, 0, 1}}};
            TarnGfxSetTransform(&m);
            TarnGfxMeshDraw(quad_, TARN_DRAW_TRIANGLES);
            TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
            TarnGfxTextureSet(stripes, 0.0f, 0.0f);
            TarnGfxSetTintColor(1.0f, 1.0f, 1.0f, withOneTinted && i == 4 ? 0.5f : 1.0f);
            TarnGfxSetBlendColor(0.3f, 0.3f, 0.3f, 0.0f);
            TarnGfxSetTransparency(1.0f - 0.08f * i);
            DrawQuad(-280.0f + 55.0f * i, 120.0f - 17.0f * i, 110, 90);
            TarnGfxSetRenderMode(TARN_RENDER_COLOR);
        }
        return ReadWindow();
    };
    for (bool withOneTinted : {false, true}) {
        std::vector<unsigned char> batched = scene(withOneTinted);
        TarnGfxSetBatching(0);
        std::vector<unsigned char> single = scene(withOneTinted);
        TarnGfxSetBatching(1);
        EXPECT_TRUE(batched == single) << withOneTinted;
    }
    TarnGfxSetBlendMode(TARN_BLEND_NONE);
    TarnGfxTextureUnload(stripes);
}

// ---------------------------------------------------------------------------
// Meshes
// ---------------------------------------------------------------------------
TEST_F(GraphicsTest, MeshCollectsEverythingStagedSinceTheLastMesh) {
    TarnGfxTriAdd(0, 0, 0x80FF0000, 0, 0, 1, 0, 0x80FF0000, 0, 0, 0, 1, 0x80FF0000, 0, 0);
    TarnGfxMeshStart(); // does not discard what is staged
    TarnGfxTriAdd(0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    TarnGfxVertexList* mesh = TarnGfxMeshEnd();
    EXPECT_EQ(mesh->vertexCount, 6u);
    float colour[4] = {};
    glBindBuffer(GL_ARRAY_BUFFER, mesh->bufferIds[1]);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof colour, colour);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[1], 0.0f);
    EXPECT_NEAR(colour[3], 0.50196f, 1e-5);
    TarnGfxVertexList* empty = TarnGfxMeshEnd();
    EXPECT_EQ(empty->vertexCount, 0u);
    TarnGfxMeshDraw(empty, TARN_DRAW_TRIANGLES);
    TarnGfxMeshFree(empty);
    TarnGfxMeshFree(mesh);
}

TEST_F(GraphicsTest, ResetAndOverflowNeverCorruptTheStaging) {
    TarnGfxVertexAdd(0, 0, 0, 0, 0);
    TarnGfxReset();
    for (int i = 0; i < TARN_GFX_MAX_VERTICES + 10; ++i) {
        TarnGfxVertexAdd(0, 0, 0, 0, 0);
    }
    TarnGfxVertexList* mesh = TarnGfxMeshEnd();
    EXPECT_EQ(mesh->vertexCount, static_cast<unsigned int>(TARN_GFX_MAX_VERTICES));
    TarnGfxMeshFree(mesh);
}

TEST_F(GraphicsTest, InvalidDrawModeIsReportedAndDrawsNothing) {
    ColourState(1, 1, 1, 1);
    testing::internal::CaptureStdout();
    TarnMtx33 m = {{{100, 0, 0}, {0, 100, 0}, {0, 0, 1}}};
    TarnGfxSetTransform(&m);
    TarnGfxMeshDraw(quad_, 4);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Mesh Draw Mode 4 is invalid!\n");
    ExpectNear(ReadWorld(0, 0), {0, 0, 0, 255});
}

// ---------------------------------------------------------------------------
// Textures
// ---------------------------------------------------------------------------
// Four columns: red, green, blue, white.
TarnGfxTexture* StripeTexture() {
    const unsigned char pixels[16] = {255, 0, 0,   255, 0,   255, 0,   255,
                                      0,   0, 255, 255, 255, 255, 255, 255};
    return TarnGfxTextureLoadFromMemory(pixels, 4, 1);
}

TEST_F(GraphicsTest, TextureTintNeverSetDrawsTransparentBlack) {
    // A fresh engine: earlier tests in this process set the tint.
    TarnGfxMeshFree(quad_);
    TarnSysExit();
    SetUp();
    TarnGfxTexture* texture = StripeTexture();
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxTextureSet(texture, 0, 0);
    DrawQuad(0, 0, 400, 100);
    ExpectNear(ReadWorld(-150, 0), {0, 0, 0, 0});
    TarnGfxTextureUnload(texture);
}

TEST_F(GraphicsTest, TextureOffsetWrapsInTheSetterAndTheShader) {
    TarnGfxTexture* texture = StripeTexture();
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxSetTintColor(1, 1, 1, 1);
    TarnGfxSetTransparency(1);
    TarnGfxSetBlendColor(0, 0, 0, 0);
    TarnGfxTextureSet(texture, 0, 0);
    DrawQuad(0, 0, 400, 100);
    ExpectNear(ReadWorld(-150, 0), {255, 0, 0, 255});
    ExpectNear(ReadWorld(150, 0), {255, 255, 255, 255});
    // 0.75 at u = 0.5..0.75 gives 1.25..1.5, wrapped once to the green column.
    TarnGfxTextureSet(texture, 0.75f, 0);
    DrawQuad(0, 0, 400, 100);
    ExpectNear(ReadWorld(20, 0), {0, 255, 0, 255});
    // 2.25 is reduced to 0.25 before it reaches the shader.
    TarnGfxTextureSet(texture, 2.25f, 0);
    DrawQuad(0, 0, 400, 100);
    ExpectNear(ReadWorld(-150, 0), {0, 255, 0, 255});
    GLint program = static_cast<GLint>(tarn::CurrentProgramId());
    float offset[2] = {};
    glGetUniformfv(program, tarn::UniformLocation("uTextureOffset"), offset);
    EXPECT_FLOAT_EQ(offset[0], 0.25f);
    // 1.0 and negative offsets pass unchanged; a null texture leaves the offset.
    TarnGfxTextureSet(texture, 1.0f, -0.5f);
    TarnGfxTextureSet(nullptr, 0, 0);
    glGetUniformfv(program, tarn::UniformLocation("uTextureOffset"), offset);
    EXPECT_FLOAT_EQ(offset[0], 1.0f);
    EXPECT_FLOAT_EQ(offset[1], -0.5f);
    TarnGfxTextureUnload(texture);
}

TEST_F(GraphicsTest, TexturesLoadFromPngAndBadFilesGiveNull) {
    moth_test::TempDir dir;
    std::string good = (dir.Path() / "good.png").string();
    ASSERT_TRUE(moth_test::WriteSolidPng(good, 8, 4, 200, 200, 200, 200));
    TarnGfxTexture* texture = TarnGfxTextureLoad(good.c_str());
    ASSERT_NE(texture, nullptr);
    EXPECT_STREQ(texture->name, good.c_str());
    EXPECT_EQ(texture->width, 8);
    TarnGfxTextureUnload(texture);

    std::string bytes = moth_test::ReadFile(good);
    moth_test::WriteFile(dir.Path() / "empty.png", "");
    moth_test::WriteFile(dir.Path() / "truncated.png", bytes.substr(0, bytes.size() / 2));
    moth_test::WriteFile(dir.Path() / "text.png", "not a picture at all");
    for (const char* name : {"missing.png", "empty.png", "truncated.png", "text.png"}) {
        EXPECT_EQ(TarnGfxTextureLoad((dir.Path() / name).string().c_str()), nullptr) << name;
    }
    EXPECT_EQ(TarnGfxTextureLoad(nullptr), nullptr);

    // A picture wider than the GPU's largest texture: null, and one line
    // naming the file, instead of a fatal report about something else.
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const std::string wide = (dir.Path() / "wide.png").string();
    ASSERT_TRUE(moth_test::WriteSolidPng(wide, largest + 1, 1, 10, 20, 30, 255));
    testing::internal::CaptureStderr();
    EXPECT_EQ(TarnGfxTextureLoad(wide.c_str()), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(wide), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A batch gives each file the same result, in order.
    std::string missing = (dir.Path() / "missing.png").string();
    std::string tooLong(300, 'x');
    const char* paths[] = {good.c_str(), missing.c_str(), tooLong.c_str(), nullptr, good.c_str()};
    TarnGfxTexture* batch[5] = {};
    TarnGfxTextureLoadBatch(paths, 5, batch);
    ASSERT_NE(batch[0], nullptr);
    EXPECT_STREQ(batch[0]->name, good.c_str());
    EXPECT_EQ(batch[0]->height, 4);
    EXPECT_EQ(batch[1], nullptr);
    EXPECT_EQ(batch[2], nullptr);
    EXPECT_EQ(batch[3], nullptr);
    ASSERT_NE(batch[4], nullptr);
    EXPECT_NE(*batch[0]->textureId, *batch[4]->textureId);
    TarnGfxTextureUnload(batch[0]);
    TarnGfxTextureUnload(batch[4]);
}

// Background loading: records come back at once for readable headers, the
// pixels arrive when the texture is first bound, and a texture unloaded
// before that simply never gets them.
TEST_F(GraphicsTest, TexturesLoadedInTheBackgroundArriveWhenBound) {
    moth_test::TempDir dir;
    std::string good = (dir.Path() / "good.png").string();
    ASSERT_TRUE(moth_test::WriteSolidPng(good, 8, 4, 40, 200, 90, 255));
    std::string missing = (dir.Path() / "missing.png").string();
    std::string tooLong(300, 'x');
    const char* paths[] = {good.c_str(), missing.c_str(), tooLong.c_str(), nullptr, good.c_str()};
    TarnGfxTexture* batch[5] = {};
    TarnGfxTextureLoadBatchAsync(paths, 5, batch);
    ASSERT_NE(batch[0], nullptr);
    EXPECT_EQ(batch[0]->width, 8);
    EXPECT_EQ(batch[0]->height, 4);
    EXPECT_EQ(batch[1], nullptr);
    EXPECT_EQ(batch[2], nullptr);
    EXPECT_EQ(batch[3], nullptr);
    ASSERT_NE(batch[4], nullptr);
    TarnGfxTextureUnload(batch[4]);
    TarnGfxSetRenderMode(TARN_RENDER_TEXTURE);
    TarnGfxSetTintColor(1, 1, 1, 1);
    TarnGfxSetTransparency(1);
    TarnGfxSetBlendColor(0, 0, 0, 0);
    TarnGfxTextureSet(batch[0], 0, 0);
    DrawQuad(0, 0, 100, 100);
    ExpectNear(ReadWorld(0, 0), {40, 200, 90, 255});
    TarnGfxTextureUnload(batch[0]);
}

TEST_F(GraphicsTest, PathsOfMoreThan255CharactersAreRefused) {
    moth_test::TempDir dir;
    std::string base = dir.Path().string() + "/";
    std::string folder = base + std::string(255 - base.size() - 6, 'd');
    std::string exact = folder + "/a.png"; // exactly 255 characters
    ASSERT_EQ(exact.size(), 255u);
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(moth_test::WriteSolidPng(exact, 2, 2, 200, 200, 200, 200));
    TarnGfxTexture* texture = TarnGfxTextureLoad(exact.c_str());
    EXPECT_NE(texture, nullptr);
    TarnGfxTextureUnload(texture);
    std::string longer = folder + "/ab.png";
    std::filesystem::copy_file(exact, longer);
    EXPECT_EQ(TarnGfxTextureLoad(longer.c_str()), nullptr);
}

TEST_F(GraphicsTest, TextureModeAndSavingReportWhatIsUnsupported) {
    testing::internal::CaptureStdout();
    TarnGfxSetTextureMode(2);
    TarnGfxTexture dummy{};
    TarnGfxSaveTextureToFile(&dummy, "out.png");
    TarnGfxSaveTextureToFile(nullptr, "out.png");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Unsupported texture mode!\nTarnGfxSaveTextureToFile not supported in the OpenGL "
              "version of the Tarn Engine!\n");
}

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------
// The RGBA pixels of a window rectangle.
std::vector<unsigned char> ReadRect(int x0, int y0, int w, int h) {
    std::vector<unsigned char> rgba(static_cast<size_t>(w * h * 4));
    TarnGfxFlush(); // quads still gathered for one draw call
    glFinish();
    glReadPixels(x0, y0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Counts pixels of a colour in a window rectangle.
int CountPixels(int x0, int y0, int w, int h, int r, int g, int b) {
    const std::vector<unsigned char> rgba = ReadRect(x0, y0, w, h);
    int count = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        count += rgba[i] == r && rgba[i + 1] == g && rgba[i + 2] == b;
    }
    return count;
}

TEST_F(GraphicsTest, TextIsPrintedInItsColourAtItsOrigin) {
    int font = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    ASSERT_GT(font, 0);
    ColourState(1, 1, 1, 1);
    TarnGfxPrint(font, "HH", 0, 0, 0.0f, 1.0f, 0.0f);
    // Glyphs sit on the baseline at the origin and run to the right.
    EXPECT_GT(CountPixels(512, 384, 60, 30, 0, 255, 0), 20);
    EXPECT_EQ(CountPixels(412, 384, 98, 30, 0, 255, 0), 0);
    EXPECT_EQ(CountPixels(512, 340, 60, 42, 0, 255, 0), 0);
    TarnGfxDestroyFont(font);
}

TEST_F(GraphicsTest, TextWidthIsHowFarThePrintedTextReaches) {
    int font = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    ColourState(1, 1, 1, 1);
    const int width = TarnGfxTextWidth(font, "HHHHHH");
    EXPECT_EQ(width, 3 * TarnGfxTextWidth(font, "HH"));
    EXPECT_EQ(TarnGfxTextWidth(font, "H\x01\xc3H"), TarnGfxTextWidth(font, "HH"));
    TarnGfxPrint(font, "HHHHHH", 0, 0, 0.0f, 1.0f, 0.0f);
    // Ink up to the last H, none past its advance.
    EXPECT_GT(CountPixels(512 + width - 12, 384, 10, 24, 0, 255, 0), 10);
    EXPECT_EQ(CountPixels(512 + width, 384, 40, 30, 0, 255, 0), 0);
    TarnGfxDestroyFont(font);
    EXPECT_EQ(TarnGfxTextWidth(font, "HH"), 0); // a font gone measures nothing
    EXPECT_EQ(TarnGfxTextWidth(font, nullptr), 0);
}

TEST_F(GraphicsTest, AFontWithNoFaceAnywhereSaysSoInOneLine) {
    // A font configuration that knows no font at all.
    moth_test::TempDir dir;
    moth_test::WriteFile(dir.Path() / "fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig>"
                                                    "<cachedir>" +
                                                        dir.Path().string() +
                                                        "</cachedir></fontconfig>\n");
    FcFini();
    setenv("FONTCONFIG_FILE", (dir.Path() / "fonts.conf").string().c_str(), 1);
    testing::internal::CaptureStderr();
    int font = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    // Measuring waits for the worker that looks for the face.
    EXPECT_EQ(TarnGfxTextWidth(font, "HH"), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    unsetenv("FONTCONFIG_FILE");
    FcFini();           // the next font finds the system's faces again
    EXPECT_NE(font, 0); // a font whose text draws nothing
    TarnGfxDestroyFont(font);
    EXPECT_NE(said.find("no font face"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST_F(GraphicsTest, AFontUsedAtOnceDrawsAndMeasuresAsOneCompiledBetweenFrames) {
    // Both load at once; the first is used before its worker may have finished.
    const int atOnce = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    const int later = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    const char* text = "Moth Lantern {~} 0.9!";
    ColourState(1, 1, 1, 1);
    TarnGfxPrint(atOnce, text, -200, 0, 0.0f, 1.0f, 0.0f);
    const std::vector<unsigned char> drawn = ReadRect(312, 370, 400, 40);
    EXPECT_GT(CountPixels(312, 370, 400, 40, 0, 255, 0), 100);
    for (int wait = 0; wait < 1000 && tarn::FinishLoadedFonts() == 0; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    TarnGfxStart(); // a clear window again
    ColourState(1, 1, 1, 1);
    TarnGfxPrint(later, text, -200, 0, 0.0f, 1.0f, 0.0f);
    EXPECT_TRUE(ReadRect(312, 370, 400, 40) == drawn);
    EXPECT_EQ(TarnGfxTextWidth(later, text), TarnGfxTextWidth(atOnce, text));
    TarnGfxDestroyFont(atOnce);
    TarnGfxDestroyFont(later);
}

TEST_F(GraphicsTest, AFontDestroyedWhileLoadingIsGoneCleanly) {
    // Its worker is waited for; nothing of it is left to measure or draw.
    const int font = TarnGfxCreateFont("Franklin Gothic Demi", 24, true, true);
    TarnGfxDestroyFont(font);
    EXPECT_EQ(TarnGfxTextWidth(font, "HH"), 0);
    EXPECT_EQ(tarn::FinishLoadedFonts(), 0);
    // The next font, likely given the same lists, draws its own glyphs.
    const int next = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    ColourState(1, 1, 1, 1);
    TarnGfxPrint(next, "HH", 0, 0, 0.0f, 1.0f, 0.0f);
    EXPECT_GT(CountPixels(512, 384, 60, 30, 0, 255, 0), 20);
    TarnGfxDestroyFont(next);
}

TEST_F(GraphicsTest, TextOutsideTheVisibleAreaIsSkippedOrClipped) {
    int font = TarnGfxCreateFont("Franklin Gothic Demi", 24, false, false);
    ColourState(1, 1, 1, 1);
    TarnGfxPrint(font, "HHHH", 512, 0, 0.0f, 1.0f, 0.0f); // just right of the view
    EXPECT_EQ(CountPixels(0, 0, 1024, 768, 0, 255, 0), 0);
    // Starting left of the window still shows the part that reaches into it.
    TarnGfxPrint(font, "HHHHHHHHHHHHHHHH", -560, 0, 0.0f, 1.0f, 0.0f);
    EXPECT_GT(CountPixels(0, 384, 200, 30, 0, 255, 0), 20);
    TarnGfxPrint(font, nullptr, 0, 0, 1, 1, 1); // no text: nothing happens
    TarnGfxDestroyFont(font);
}

} // namespace

// Tarn engine: the OpenGL context, the two shader programs, the render state
// (render and blend modes, colours, transforms), the camera with the visible
// world rectangle, and the fatal graphics reports.
//
// Index: Reports | Shaders | Context and frame | Projection and view |
//        Render state | Camera
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <GL/glew.h>
#include <cstdio>

float gTarnWinMinX = 0.0f;
float gTarnWinMaxX = 0.0f;
float gTarnWinMinY = 0.0f;
float gTarnWinMaxY = 0.0f;

namespace {

constexpr const char* kSourcePath = "src/TarnGraphics.cpp";

struct GraphicsState {
    unsigned int programs[3] = {0, 0, 0}; // none, colour, texture
    int currentProgram = tarn::kProgramNone;
    float camX = 0.0f;
    float camY = 0.0f;
    float worldMatrix[16] = {}; // last upload to uWorldMatrix, column order
    bool contextReady = false;
};
GraphicsState gGfx;

} // namespace

// ============================================================================
// Reports
// ============================================================================
namespace tarn {

void CheckGLError(int line, const char* function, const char* file) {
    bool failed = false;
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        std::printf("CHECK_GL_ERROR:\nLine: %d\nFunc: %s\nFile: %s\n", line, function, file);
        std::printf("Code: 0x%.8x\n", code);
        std::printf("Mesg: \n");
        failed = true;
    }
    if (failed) {
        TarnFatalStop();
    }
}

void Halt(int line, const char* function, const char* file, const char* message) {
    std::printf("HALT:\nLine: %d\nFunc: %s\nFile: %s\n", line, function, file);
    std::printf("%s\n", message);
    TarnFatalStop();
    std::abort(); // not reached: the fatal stop exits
}

int CurrentProgram() {
    return gGfx.currentProgram;
}
unsigned int CurrentProgramId() {
    return gGfx.programs[gGfx.currentProgram];
}

int UniformLocation(const char* name) {
    if (gGfx.currentProgram == kProgramNone) {
        return -1;
    }
    return glGetUniformLocation(gGfx.programs[gGfx.currentProgram], name);
}

} // namespace tarn

#define TARN_CHECK_GL(function) tarn::CheckGLError(__LINE__, function, kSourcePath)

// ============================================================================
// Shaders
// ============================================================================
namespace {

const char* const kVertexColor = R"(uniform mat4 uPMatrix;
uniform mat4 uVMatrix;
uniform mat4 uWorldMatrix;
attribute vec4 aPosition;
attribute vec4 aColor;
varying vec4 vColor;
void main()
{
    vColor = aColor;
    gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;
}
)";

const char* const kFragmentColor = R"(/*precision mediump float;*/
uniform vec4 uBlendColor;
uniform float uTransparencyValue;
uniform vec4 uTintColor;
varying vec4 vColor;
void main()
{
    vec4 s = vColor;
    vec3 mixed = s.rgb * (1.0 - uBlendColor.a) + uBlendColor.rgb * uBlendColor.a;
    gl_FragColor = vec4(mixed * uTintColor.rgb, s.a * uTransparencyValue * uTintColor.a);
}
)";

const char* const kVertexTexture = R"(uniform mat4 uPMatrix;
uniform mat4 uVMatrix;
uniform mat4 uWorldMatrix;
attribute vec4 aPosition;
attribute vec2 aTextureCoordinate;
varying vec2 vTextureCoordinate;
void main()
{
    vTextureCoordinate = aTextureCoordinate;
    gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;
}
)";

const char* const kFragmentTexture = R"(/*precision mediump float;*/
uniform sampler2D uTexture;
uniform vec4 uBlendColor;
uniform vec2 uTextureOffset;
uniform float uTransparencyValue;
uniform vec4 uTintColor;
varying vec2 vTextureCoordinate;
void main()
{
    vec2 t = vTextureCoordinate + uTextureOffset;
    if (t.x > 1.0) t.x -= 1.0;
    if (t.y > 1.0) t.y -= 1.0;
    vec4 s = texture2D(uTexture, t);
    vec3 mixed = s.rgb * (1.0 - uBlendColor.a) + uBlendColor.rgb * uBlendColor.a;
    gl_FragColor = vec4(mixed * uTintColor.rgb, s.a * uTransparencyValue * uTintColor.a);
}
)";

// A shader that fails to compile is left out; the program then draws nothing useful.
void AttachShader(GLuint program, GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        glAttachShader(program, shader);
    } else {
        glDeleteShader(shader);
    }
}

GLuint BuildProgram(const char* vertexSource, const char* fragmentSource) {
    GLuint program = glCreateProgram();
    AttachShader(program, GL_VERTEX_SHADER, vertexSource);
    AttachShader(program, GL_FRAGMENT_SHADER, fragmentSource);
    // Position on attribute 0, which also carries glRasterPos for text.
    glBindAttribLocation(program, 0, "aPosition");
    glLinkProgram(program);
    return program;
}

void TarnGfxBuildShaders() {
    gGfx.programs[tarn::kProgramColor] = BuildProgram(kVertexColor, kFragmentColor);
    gGfx.programs[tarn::kProgramTexture] = BuildProgram(kVertexTexture, kFragmentTexture);
}

void DestroyShaders() {
    for (unsigned int& program : gGfx.programs) {
        if (program == 0) {
            continue;
        }
        GLuint shaders[3] = {0, 0, 0};
        GLsizei count = 0;
        glGetAttachedShaders(program, 3, &count, shaders);
        for (GLsizei i = 0; i < count; ++i) {
            glDeleteShader(shaders[i]);
        }
        glDeleteProgram(program);
        program = 0;
        TARN_CHECK_GL("Shader::Destroy");
    }
    gGfx.currentProgram = tarn::kProgramNone;
}

void TarnGfxUpdateWindowBounds() {
    float halfWidth = static_cast<float>(tarn::gSystem.width) * 0.5f;
    float halfHeight = static_cast<float>(tarn::gSystem.height) * 0.5f;
    gTarnWinMinX = gGfx.camX - halfWidth;
    gTarnWinMaxX = gGfx.camX + halfWidth;
    gTarnWinMinY = gGfx.camY - halfHeight;
    gTarnWinMaxY = gGfx.camY + halfHeight;
}

} // namespace

// ============================================================================
// Context and frame
// ============================================================================
namespace {

// Loads the GL entry points. GLEW first loads the core functions, then probes
// GLX for its extension list; the engine uses no GLX extension, and that probe
// has been seen to fail now and then on a busy X server, so only a failure to
// load the core functions counts.
GLenum InitGlew() {
    glewExperimental = GL_TRUE;
    GLenum result = glewInit();
    if (result != GLEW_OK && result != GLEW_ERROR_NO_GLX_DISPLAY) {
        tarn::PlatformMakeContextCurrent();
        result = glewInit();
    }
    return result == GLEW_ERROR_NO_GLX_DISPLAY ? GLEW_OK : result;
}

} // namespace

int TarnGfxInit(int width, int height) {
    tarn::gSystem.width = width;
    tarn::gSystem.height = height;
    std::printf("Graphics: OpenGL\n");
    if (!tarn::gSystem.window || !tarn::PlatformCreateGLContext()) {
        return 0;
    }
    GLenum glew = InitGlew();
    if (glew != GLEW_OK) {
        std::fprintf(stderr, "Tarn Engine: GLEW error %u\n", glew);
        tarn::Halt(__LINE__, "TarnGfxInit", kSourcePath, "Mesg: fail to initialize GLEW!!");
    }
    glGetError(); // GLEW's probing may leave a harmless error behind
    if (!GLEW_VERSION_2_0) {
        tarn::Halt(__LINE__, "TarnGfxInit", kSourcePath, "Mesg: OpenGL 2.0 is not supported!!");
    }
    TarnGfxUpdateWindowBounds();
    TarnGfxBuildShaders();
    gGfx.contextReady = true;
    TarnGfxSetRenderMode(TARN_RENDER_COLOR);
    TarnGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    TarnGfxSetTransparency(1.0f);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    TARN_CHECK_GL("TarnGfxInit");
    return 1;
}

void TarnGfxExit(void) {
    if (gGfx.contextReady) {
        tarn::PresentRelease();
        DestroyShaders();
        gGfx.contextReady = false;
    }
    tarn::PlatformDestroyGLContext();
    tarn::ShutdownImageLibrary();
}

void TarnGfxStart(void) {
    tarn::PresentBeginFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, tarn::gSystem.width, tarn::gSystem.height);
}

void TarnGfxEnd(void) {
    TARN_CHECK_GL("TarnGfxEnd");
    glUseProgram(0);
    gGfx.currentProgram = tarn::kProgramNone;
    TarnGfxPresentPicture();
    TARN_CHECK_GL("TarnGfxEnd");
    glFinish();
    tarn::PlatformSwapBuffers();
}

void TarnGfxSetBackgroundColor(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
}

// ============================================================================
// Projection and view
// ============================================================================
namespace {

// Row-major 4x4 to GL's column order.
void Transpose(const float rowMajor[16], float columns[16]) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            columns[c * 4 + r] = rowMajor[r * 4 + c];
        }
    }
}

void UploadMatrix(const char* uniform, const float rowMajor[16]) {
    float columns[16];
    Transpose(rowMajor, columns);
    glUniformMatrix4fv(tarn::UniformLocation(uniform), 1, GL_FALSE, columns);
}

void UploadProjection(int width, int height) {
    float p[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    p[0] = 2.0f / static_cast<float>(width);
    p[5] = 2.0f / static_cast<float>(height);
    p[10] = -0.002002002f; // orthographic box, near plane 1, far plane 1000
    p[11] = -1.002002f;
    UploadMatrix("uPMatrix", p);
}

// The frame is always drawn at the logical size (TarnPresent scales it to the window).
void SetProjectionAndViewMatrices() {
    int w = tarn::gSystem.width;
    int h = tarn::gSystem.height;
    UploadProjection(w, h);
    glViewport(0, 0, w, h);
    TARN_CHECK_GL("SetProjectionAndViewMatrices");
    tarn::UploadViewMatrix(1.0f, 1.0f);
    TARN_CHECK_GL("SetProjectionAndViewMatrices");
}

void UploadWorldMatrix(const float rowMajor[16]) {
    Transpose(rowMajor, gGfx.worldMatrix);
    glUniformMatrix4fv(tarn::UniformLocation("uWorldMatrix"), 1, GL_FALSE, gGfx.worldMatrix);
}

} // namespace

namespace tarn {

void UploadViewMatrix(float scaleX, float scaleY) {
    Point4 eye(gGfx.camX, gGfx.camY, 60.0f, 1.0f);
    Point4 target(gGfx.camX, gGfx.camY, 0.0f, 1.0f);
    Vector4 up(0.0f, 1.0f, 0.0f, 0.0f);
    Matrix4 view = TarnLookAt(eye, target, up);
    float v[16];
    for (int r = 0; r < 4; ++r) {
        float scale = r == 0 ? scaleX : (r == 1 ? scaleY : 1.0f);
        for (int c = 0; c < 4; ++c) {
            v[r * 4 + c] = view.m[r][c] * scale;
        }
    }
    UploadMatrix("uVMatrix", v);
}

} // namespace tarn

// ============================================================================
// Render state
// ============================================================================
void TarnGfxSetRenderMode(int mode) {
    if (mode < tarn::kProgramNone || mode > tarn::kProgramTexture || gGfx.currentProgram == mode) {
        return;
    }
    glUseProgram(gGfx.programs[mode]);
    gGfx.currentProgram = mode;
    if (mode != tarn::kProgramNone) {
        SetProjectionAndViewMatrices();
    }
}

void TarnGfxSetBlendMode(int mode) {
    switch (mode) {
    case TARN_BLEND_NONE:
        glDisable(GL_BLEND);
        break;
    case TARN_BLEND_TRANSLUCENT:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case TARN_BLEND_ADDITIVE:
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    default:
        break; // unknown modes leave blending as it was
    }
}

void TarnGfxSetTransparency(float alpha) {
    glUniform1f(tarn::UniformLocation("uTransparencyValue"), alpha);
}

void TarnGfxSetBlendColor(float r, float g, float b, float a) {
    glUniform4f(tarn::UniformLocation("uBlendColor"), r, g, b, a);
    TARN_CHECK_GL("TarnGfxSetBlendColor");
}

void TarnGfxSetTintColor(float r, float g, float b, float a) {
    glUniform4f(tarn::UniformLocation("uTintColor"), r, g, b, a);
}

void TarnGfxSetPosition(float x, float y) {
    const float m[16] = {1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, 0, 0, 0, 0, 1};
    UploadWorldMatrix(m);
}

void TarnGfxSetTransform(const TarnMtx33* t) {
    if (!t) {
        return;
    }
    const float m[16] = {t->m[0][0], t->m[0][1], 0, t->m[0][2], t->m[1][0], t->m[1][1],
                         0,          t->m[1][2], 0, 0,          1,          0,
                         0,          0,          0, 1};
    UploadWorldMatrix(m);
}

void TarnGfxSetTransform3D(const float m[16]) {
    if (m) {
        UploadWorldMatrix(m);
    }
}

// ============================================================================
// Camera
// ============================================================================
void TarnGfxSetCamPosition(float x, float y) {
    gGfx.camX = x;
    gGfx.camY = y;
    TarnGfxUpdateWindowBounds();
}

void TarnGfxGetCamPosition(float* x, float* y) {
    if (x) {
        *x = gGfx.camX;
    }
    if (y) {
        *y = gGfx.camY;
    }
}

float TarnGfxGetWinMinX(void) {
    return gTarnWinMinX;
}
float TarnGfxGetWinMaxX(void) {
    return gTarnWinMaxX;
}
float TarnGfxGetWinMinY(void) {
    return gTarnWinMinY;
}
float TarnGfxGetWinMaxY(void) {
    return gTarnWinMaxY;
}

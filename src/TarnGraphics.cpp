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
#include <cstring>
#include <string>

float gTarnWinMinX = 0.0f;
float gTarnWinMaxX = 0.0f;
float gTarnWinMinY = 0.0f;
float gTarnWinMaxY = 0.0f;

namespace {

constexpr const char* kSourcePath = "src/TarnGraphics.cpp";

// The uniforms the game's programs declare, in the order of their cached locations.
enum Uniform {
    kUniformProjection,
    kUniformView,
    kUniformWorld,
    kUniformTexture,
    kUniformBlend,
    kUniformOffset,
    kUniformTransparency,
    kUniformTint,
    kUniformCount
};
const char* const kUniformNames[kUniformCount] = {
    "uPMatrix",    "uVMatrix",       "uWorldMatrix",       "uTexture",
    "uBlendColor", "uTextureOffset", "uTransparencyValue", "uTintColor"};

struct GraphicsState {
    unsigned int programs[3] = {0, 0, 0};           // none, colour, texture
    unsigned int batchPrograms[3] = {0, 0, 0};      // the same two for batched quads
    unsigned int plainBatchPrograms[3] = {0, 0, 0}; // and for batches of plain quads
    int currentProgram = tarn::kProgramNone;
    int locations[3][kUniformCount] = {};
    tarn::ProgramUniforms uniforms[3]; // index 0: scratch while no program is bound
    int blendMode = -1;                // last mode applied, -1 before the first
    unsigned int boundTexture = 0;     // on texture unit 0
    float camX = 0.0f;
    float camY = 0.0f;
    bool contextReady = false;
    int depthClearedOn = -1; // the framebuffer whose depth was cleared last (see ClearMask)
};
GraphicsState gGfx;

int Location(int uniform) {
    return gGfx.locations[gGfx.currentProgram][uniform];
}

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
    for (int uniform = 0; uniform < kUniformCount; ++uniform) {
        if (std::strcmp(name, kUniformNames[uniform]) == 0) {
            return Location(uniform);
        }
    }
    return glGetUniformLocation(gGfx.programs[gGfx.currentProgram], name);
}

ProgramUniforms& CurrentUniforms() {
    return gGfx.uniforms[gGfx.currentProgram];
}
ProgramUniforms& UniformsOf(int program) {
    return gGfx.uniforms[program];
}

bool BindTexture2D(unsigned int name) {
    if (name == gGfx.boundTexture) {
        return false;
    }
    BatchFlush();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    gGfx.boundTexture = name;
    return true;
}

void ForgetTexture(unsigned int name) {
    BatchFlush();
    if (name == gGfx.boundTexture) {
        gGfx.boundTexture = 0; // GL falls back to no texture
    }
}

void SyncUniforms() {
    ProgramUniforms& values = CurrentUniforms();
    if (gGfx.currentProgram == kProgramNone || !values.pending) {
        return;
    }
    glUniformMatrix4fv(Location(kUniformWorld), 1, GL_FALSE, values.world);
    glUniform4fv(Location(kUniformTint), 1, values.tint);
    glUniform4fv(Location(kUniformBlend), 1, values.blend);
    glUniform1f(Location(kUniformTransparency), values.transparency);
    values.pending = false;
}

unsigned int BatchProgramId(int program, bool plain) {
    return plain ? gGfx.plainBatchPrograms[program] : gGfx.batchPrograms[program];
}

} // namespace tarn

#define TARN_CHECK_GL(function) tarn::CheckGLError(__LINE__, function, kSourcePath)

// ============================================================================
// Shaders
// ============================================================================
namespace {

// Each source is put together from the parts below; the batch programs run the
// very same arithmetic as the game's two programs, with the per-object values
// coming from vertex attributes instead of uniforms, so a batched quad's
// pixels are those of the same quad drawn alone.
const char* const kVertexUniforms = R"(uniform mat4 uPMatrix;
uniform mat4 uVMatrix;
uniform mat4 uWorldMatrix;
attribute vec4 aPosition;
)";
const char* const kVertexColorMain = R"(attribute vec4 aColor;
varying vec4 vColor;
void main()
{
    vColor = aColor;
)";
const char* const kVertexTextureMain = R"(attribute vec2 aTextureCoordinate;
varying vec2 vTextureCoordinate;
void main()
{
    vTextureCoordinate = aTextureCoordinate;
)";
const char* const kVertexEnd = R"(    gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;
}
)";
// Batch vertex: the world matrix's two rows and the transparency per vertex
// (all that a plain batch needs), handed on as varyings...
const char* const kBatchVertexShared = R"(#define uWorldMatrix aWorldMatrix
uniform mat4 uPMatrix;
uniform mat4 uVMatrix;
attribute vec4 aPosition;
attribute vec3 aWorldRowX;
attribute vec3 aWorldRowY;
attribute vec3 aOffsetTransparency;
varying float vTransparency;
)";
const char* const kBatchVertexSharedPass = R"(    vTransparency = aOffsetTransparency.z;
    mat4 aWorldMatrix = mat4(aWorldRowX.x, aWorldRowY.x, 0.0, 0.0, aWorldRowX.y, aWorldRowY.y,
                             0.0, 0.0, 0.0, 0.0, 1.0, 0.0, aWorldRowX.z, aWorldRowY.z, 0.0, 1.0);
)";
// ...and for the other batches also the tint, blend colour and texture offset.
const char* const kBatchVertexColours = R"(attribute vec4 aTintColor;
attribute vec4 aBlendColor;
varying vec4 vTintColor;
varying vec4 vBlendColor;
varying vec2 vTextureOffset;
)";
const char* const kBatchVertexColoursPass = R"(    vTintColor = aTintColor;
    vBlendColor = aBlendColor;
    vTextureOffset = aOffsetTransparency.xy;
)";

const char* const kFragmentColorUniforms = R"(/*precision mediump float;*/
uniform vec4 uBlendColor;
uniform float uTransparencyValue;
uniform vec4 uTintColor;
)";
const char* const kFragmentColorMain = R"(varying vec4 vColor;
void main()
{
    vec4 s = vColor;
)";
const char* const kFragmentTextureUniforms = R"(/*precision mediump float;*/
uniform sampler2D uTexture;
uniform vec4 uBlendColor;
uniform vec2 uTextureOffset;
uniform float uTransparencyValue;
uniform vec4 uTintColor;
)";
const char* const kFragmentTextureMain = R"(varying vec2 vTextureCoordinate;
void main()
{
    vec2 t = vTextureCoordinate + uTextureOffset;
    if (t.x > 1.0) t.x -= 1.0;
    if (t.y > 1.0) t.y -= 1.0;
    vec4 s = texture2D(uTexture, t);
)";
const char* const kFragmentEnd =
    R"(    vec3 mixed = s.rgb * (1.0 - uBlendColor.a) + uBlendColor.rgb * uBlendColor.a;
    gl_FragColor = vec4(mixed * uTintColor.rgb, s.a * uTransparencyValue * uTintColor.a);
}
)";
const char* const kBatchFragmentVaryings = R"(#define uBlendColor vBlendColor
#define uTextureOffset vTextureOffset
#define uTransparencyValue vTransparency
#define uTintColor vTintColor
varying vec4 vTintColor;
varying vec4 vBlendColor;
varying vec2 vTextureOffset;
varying float vTransparency;
)";

// With a white tint, a blend colour of no weight and no texture offset, the
// end of the game's programs gives back the sample and its alpha times the
// transparency exactly (times one, plus nothing): plain batches skip that
// arithmetic and its varyings.
const char* const kPlainFragmentEnd = R"(    gl_FragColor = vec4(s.rgb, s.a * vTransparency);
}
)";
const char* const kPlainFragmentColorMain = R"(varying float vTransparency;
)";
const char* const kPlainFragmentTextureMain = R"(uniform sampler2D uTexture;
varying float vTransparency;
varying vec2 vTextureCoordinate;
void main()
{
    vec2 t = vTextureCoordinate;
    if (t.x > 1.0) t.x -= 1.0;
    if (t.y > 1.0) t.y -= 1.0;
    vec4 s = texture2D(uTexture, t);
)";

// A shader that fails to compile is left out; the program then draws nothing useful.
void AttachShader(GLuint program, GLenum kind, const std::string& source) {
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        glAttachShader(program, shader);
    } else {
        glDeleteShader(shader);
    }
}

GLuint BuildProgram(const std::string& vertexSource, const std::string& fragmentSource,
                    bool batch) {
    GLuint program = glCreateProgram();
    AttachShader(program, GL_VERTEX_SHADER, vertexSource);
    AttachShader(program, GL_FRAGMENT_SHADER, fragmentSource);
    // Position on attribute 0, which also carries glRasterPos for text.
    glBindAttribLocation(program, 0, "aPosition");
    for (int slot = 1; batch && slot < tarn::kBatchAttributeCount; ++slot) {
        glBindAttribLocation(program, static_cast<GLuint>(slot), tarn::kBatchAttributeNames[slot]);
    }
    glLinkProgram(program);
    return program;
}

void CacheUniformLocations(int program) {
    for (int uniform = 0; uniform < kUniformCount; ++uniform) {
        gGfx.locations[program][uniform] =
            glGetUniformLocation(gGfx.programs[program], kUniformNames[uniform]);
    }
}

void TarnGfxBuildShaders() {
    const std::string colorVertex = std::string(kVertexColorMain);
    const std::string textureVertex = std::string(kVertexTextureMain);
    gGfx.programs[tarn::kProgramColor] = BuildProgram(
        kVertexUniforms + colorVertex + kVertexEnd,
        std::string(kFragmentColorUniforms) + kFragmentColorMain + kFragmentEnd, false);
    gGfx.programs[tarn::kProgramTexture] = BuildProgram(
        kVertexUniforms + textureVertex + kVertexEnd,
        std::string(kFragmentTextureUniforms) + kFragmentTextureMain + kFragmentEnd, false);
    const std::string batchHead = std::string(kBatchVertexShared) + kBatchVertexColours;
    const std::string batchPass = std::string(kBatchVertexColoursPass) + kBatchVertexSharedPass;
    gGfx.batchPrograms[tarn::kProgramColor] =
        BuildProgram(batchHead + colorVertex + batchPass + kVertexEnd,
                     std::string(kBatchFragmentVaryings) + kFragmentColorMain + kFragmentEnd, true);
    gGfx.batchPrograms[tarn::kProgramTexture] =
        BuildProgram(batchHead + textureVertex + batchPass + kVertexEnd,
                     std::string(kBatchFragmentVaryings) + "uniform sampler2D uTexture;\n" +
                         kFragmentTextureMain + kFragmentEnd,
                     true);
    gGfx.plainBatchPrograms[tarn::kProgramColor] = BuildProgram(
        kBatchVertexShared + colorVertex + kBatchVertexSharedPass + kVertexEnd,
        std::string(kPlainFragmentColorMain) + kFragmentColorMain + kPlainFragmentEnd, true);
    gGfx.plainBatchPrograms[tarn::kProgramTexture] =
        BuildProgram(kBatchVertexShared + textureVertex + kBatchVertexSharedPass + kVertexEnd,
                     std::string(kPlainFragmentTextureMain) + kPlainFragmentEnd, true);
    CacheUniformLocations(tarn::kProgramColor);
    CacheUniformLocations(tarn::kProgramTexture);
}

void DeleteProgram(unsigned int& program) {
    if (program == 0) {
        return;
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

void DestroyShaders() {
    for (int program = 0; program < 3; ++program) {
        DeleteProgram(gGfx.programs[program]);
        DeleteProgram(gGfx.batchPrograms[program]);
        DeleteProgram(gGfx.plainBatchPrograms[program]);
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
    for (tarn::ProgramUniforms& values : gGfx.uniforms) {
        values = tarn::ProgramUniforms{}; // a new program's uniforms are all zero
    }
    gGfx.blendMode = -1;
    gGfx.boundTexture = 0;
    gGfx.contextReady = true;
    gGfx.depthClearedOn = -1;
    TarnGfxSetRenderMode(TARN_RENDER_COLOR);
    TarnGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
    TarnGfxSetTransparency(1.0f);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    TARN_CHECK_GL("TarnGfxInit");
    return 1;
}

void TarnGfxExit(void) {
    if (gGfx.contextReady) {
        tarn::StopTextureLoading();
        tarn::StopFontLoading();
        tarn::BatchRelease();
        tarn::PresentRelease();
        DestroyShaders();
        gGfx.contextReady = false;
    }
    tarn::PlatformDestroyGLContext();
    tarn::ShutdownImageLibrary();
}

namespace {

// Nothing drawn through the engine tests or writes depth (depth testing is
// never switched on, and only a depth-tested draw writes it), so the depth
// buffer keeps the value of its last clear from frame to frame. A software
// renderer pays for each depth clear as for a full-screen picture, so depth
// is cleared on a context's first frame into each picture (the window or an
// off-screen one) and again whenever depth testing is found switched on: its
// contents are then what a clear every frame leaves.
GLbitfield ClearMask() {
    GLint target = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &target);
    if (target == gGfx.depthClearedOn && !glIsEnabled(GL_DEPTH_TEST)) {
        return GL_COLOR_BUFFER_BIT;
    }
    gGfx.depthClearedOn = target;
    return GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
}

} // namespace

void TarnGfxStart(void) {
    tarn::BatchFlush();
    tarn::PresentBeginFrame();
    glClear(ClearMask());
    glViewport(0, 0, tarn::gSystem.width, tarn::gSystem.height);
}

void TarnGfxEnd(void) {
    tarn::BatchFlush();
    TARN_CHECK_GL("TarnGfxEnd");
    glUseProgram(0);
    gGfx.currentProgram = tarn::kProgramNone;
    TarnGfxPresentPicture();
    TARN_CHECK_GL("TarnGfxEnd");
    glFinish();
    tarn::PlatformSwapBuffers();
    // Textures and fonts loading in the background reach the GPU between frames; the
    // picture just presented never waits for one it does not draw.
    tarn::UploadDecodedTextures(0.002);
    tarn::FinishLoadedFonts();
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

// Uploads into the bound program and keeps the value (column order) in `mirror`.
void UploadMatrix(int uniform, const float rowMajor[16], float mirror[16]) {
    Transpose(rowMajor, mirror);
    glUniformMatrix4fv(Location(uniform), 1, GL_FALSE, mirror);
}

void UploadProjection(int width, int height) {
    float p[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    p[0] = 2.0f / static_cast<float>(width);
    p[5] = 2.0f / static_cast<float>(height);
    p[10] = -0.002002002f; // orthographic box, near plane 1, far plane 1000
    p[11] = -1.002002f;
    UploadMatrix(kUniformProjection, p, tarn::CurrentUniforms().projection);
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

// Kept for the next draw: batched quads take it per vertex, other draws upload it.
void SetWorldMatrix(const float rowMajor[16]) {
    tarn::ProgramUniforms& values = tarn::CurrentUniforms();
    Transpose(rowMajor, values.world);
    values.pending = true;
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
    UploadMatrix(kUniformView, v, CurrentUniforms().view);
}

} // namespace tarn

// ============================================================================
// Render state
// ============================================================================
void TarnGfxSetRenderMode(int mode) {
    if (mode < tarn::kProgramNone || mode > tarn::kProgramTexture || gGfx.currentProgram == mode) {
        return;
    }
    tarn::BatchFlush();
    glUseProgram(gGfx.programs[mode]);
    gGfx.currentProgram = mode;
    if (mode != tarn::kProgramNone) {
        SetProjectionAndViewMatrices();
    }
}

void TarnGfxSetBlendMode(int mode) {
    if (mode < TARN_BLEND_NONE || mode > TARN_BLEND_ADDITIVE) {
        return; // unknown modes leave blending as it was
    }
    if (mode == gGfx.blendMode) {
        return; // the GL state holds it already: nothing else sets blending
    }
    tarn::BatchFlush();
    gGfx.blendMode = mode;
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
    }
}

// Colours and transparency are kept for the next draw, like the world matrix.
void TarnGfxSetTransparency(float alpha) {
    tarn::ProgramUniforms& values = tarn::CurrentUniforms();
    values.transparency = alpha;
    values.pending = true;
}

void TarnGfxSetBlendColor(float r, float g, float b, float a) {
    tarn::ProgramUniforms& values = tarn::CurrentUniforms();
    values.blend[0] = r;
    values.blend[1] = g;
    values.blend[2] = b;
    values.blend[3] = a;
    values.pending = true;
}

void TarnGfxSetTintColor(float r, float g, float b, float a) {
    tarn::ProgramUniforms& values = tarn::CurrentUniforms();
    values.tint[0] = r;
    values.tint[1] = g;
    values.tint[2] = b;
    values.tint[3] = a;
    values.pending = true;
}

void TarnGfxSetPosition(float x, float y) {
    const float m[16] = {1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, 0, 0, 0, 0, 1};
    SetWorldMatrix(m);
}

void TarnGfxSetTransform(const TarnMtx33* t) {
    if (!t) {
        return;
    }
    const float m[16] = {t->m[0][0], t->m[0][1], 0, t->m[0][2], t->m[1][0], t->m[1][1],
                         0,          t->m[1][2], 0, 0,          1,          0,
                         0,          0,          0, 1};
    SetWorldMatrix(m);
}

void TarnGfxSetTransform3D(const float m[16]) {
    if (m) {
        SetWorldMatrix(m);
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

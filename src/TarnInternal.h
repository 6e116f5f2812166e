// Tarn engine: state shared between the engine's own source files. Not part of
// the public API; the game includes Tarn.h only.
#pragma once
#include "TarnGraphics.h"
#include "TarnSystem.h"

#include <SDL.h>

namespace tarn {

// Window messages the engine's window procedure understands (their Windows
// numbers, so a game-supplied procedure sees familiar codes).
enum WindowMessage : unsigned int {
    kMsgCreate = 1,
    kMsgDestroy = 2,
    kMsgMove = 3,
    kMsgActivate = 6,
    kMsgPaint = 15,
};

// The one window and its display scaling.
struct SystemState {
    void* instance = nullptr;
    SDL_Window* window = nullptr;
    TarnWindowProcedure procedure = nullptr;
    int windowExists = 0;
    bool fullScreen = false;
    bool keepKeysOnFocusLoss = false; // input comes from a script, not the keyboard
    float horizontalScale = 1.0f;
    float verticalScale = 1.0f;
    int width = 0; // logical window size, fixed at init
    int height = 0;
    int windowedWidth = 0; // the window's size out of full screen, fitted to the desktop
    int windowedHeight = 0;
    int aspectMode = TARN_ASPECT_KEEP;
    bool vsync = false;
    TarnViewRect picture = {0, 0, 0, 0}; // where the picture lies in the window
};
extern SystemState gSystem;

// ---- Platform back end (SDL2), chosen in TarnPlatformSDL.cpp -----------------
// Starts SDL video; false (with the reason on stderr) when there is no display.
bool PlatformInit();
// Opens the fixed-size window centred on the screen with a GL-capable surface.
bool PlatformCreateWindow(const char* title, int width, int height);
// Creates and binds the GL 2.0 compatibility context; false when none can be had.
bool PlatformCreateGLContext();
// Binds the context to the window again.
void PlatformMakeContextCurrent();
void PlatformDestroyGLContext();
void PlatformSwapBuffers();
void PlatformScreenSize(int* width, int* height);
// The window's drawable size in pixels; false without a window.
bool PlatformWindowPixels(int* width, int* height);
void PlatformSetFullScreen(bool on, int width, int height);
void PlatformSetSwapInterval(int interval);
// Takes every pending event; window events go to the window procedure, key and
// mouse events to the input layer.
void PlatformPumpEvents();
void PlatformShutdown();

// ---- Input, fed by the event pump ---------------------------------------------
void InputSetKey(unsigned char key, bool down);
void InputSetCursor(int x, int y);
// Lets go of every key, mouse button and pad button, and centres the sticks.
void InputReleaseAllKeys();
// Game controllers by SDL instance id: one plugged in, one taken away (its
// buttons and sticks let go), a button (TARN_PAD_* order) or an axis (SDL's
// six: four stick axes, then the two triggers, each -1 to 1).
void InputPadAdded(int pad);
void InputPadRemoved(int pad);
void InputSetPadButton(int pad, int button, bool down);
void InputSetPadAxis(int pad, int axis, float value);

// ---- Graphics reports ---------------------------------------------------------
// Prints a CHECK_GL_ERROR report for every pending GL error; stops the process
// fatally when there was at least one.
void CheckGLError(int line, const char* function, const char* file);
// Prints a HALT report and stops the process.
[[noreturn]] void Halt(int line, const char* function, const char* file, const char* message);

// ---- Graphics internals shared by meshes, textures and text --------------------
enum ProgramIndex { kProgramNone = 0, kProgramColor = 1, kProgramTexture = 2 };
int CurrentProgram();
// GL name of the bound program (0 when none).
unsigned int CurrentProgramId();
// Location of a uniform in the bound program, -1 when none is bound (looked up
// once per program and name).
int UniformLocation(const char* name);

// What was last set for one program's uniforms (matrices in GL's column
// order). Batched quads take tint, blend colour, transparency, world matrix
// and texture offset from here per vertex; the program itself receives them
// only before a draw that reads its uniforms (SyncUniforms).
struct ProgramUniforms {
    float projection[16] = {};
    float view[16] = {};
    float world[16] = {};
    float tint[4] = {};
    float blend[4] = {};
    float offset[2] = {};
    float transparency = 0.0f;
    bool pending = false; // world, tint, blend or transparency not yet uploaded
};
// The values of the bound program (a scratch set when none is bound).
ProgramUniforms& CurrentUniforms();
ProgramUniforms& UniformsOf(int program);
// Uploads the bound program's pending values; every unbatched draw calls it.
void SyncUniforms();
// GL name of the program that draws batched quads for a render mode; `plain`
// names the one for quads drawn as they are but for their transparency (white
// tint, no blend colour, no texture offset), which leaves that arithmetic out.
unsigned int BatchProgramId(int program, bool plain);
// Binds a 2D texture on unit 0 unless it is bound already (a change of texture
// flushes the batch first); true when it made the GL calls. ForgetTexture is
// told of a deleted texture.
bool BindTexture2D(unsigned int name);
void ForgetTexture(unsigned int name);

// Attribute slots of the batch programs, bound before linking.
enum BatchAttribute {
    kBatchPosition,
    kBatchColor,
    kBatchTextureCoordinate,
    kBatchWorldRowX,
    kBatchWorldRowY,
    kBatchTintColor,
    kBatchBlendColor,
    kBatchOffsetTransparency,
    kBatchAttributeCount
};
extern const char* const kBatchAttributeNames[kBatchAttributeCount];
// Uploads the view matrix built with the given display scales.
void UploadViewMatrix(float scaleX, float scaleY);
void ShutdownImageLibrary();

// ---- Textures (TarnGfxTexture.cpp) and their background loading (TarnGfxTextureLoader.cpp) --
TarnGfxTexture* NewTextureRecord(const char* name);
// Whether the GPU can hold a picture of this size at all; if not, one line on
// stderr naming it (`name` may be null).
bool FitsTheGpu(const char* name, int width, int height);
void UploadTexturePixels(TarnGfxTexture* texture, const unsigned char* pixels, int width,
                         int height);
// A texture still loading in the background gets its pixels now (waiting for
// its decode, or decoding it here when no worker has started it).
void ResolvePendingTexture(TarnGfxTexture* texture);
// A texture unloaded before its pixels arrived: its decode is dropped.
void ForgetPendingTexture(TarnGfxTexture* texture);
// Uploads the textures decoded so far, until `seconds` have passed.
void UploadDecodedTextures(double seconds);
// Stops the workers and drops what they have not delivered (at shut-down).
void StopTextureLoading();

// ---- Fonts loading in the background (TarnGfxFont.cpp) ----------------------------
// Compiles the lists of every font whose worker has finished; how many it compiled.
int FinishLoadedFonts();
// Waits for the font workers still running and drops their glyphs (at shut-down).
void StopFontLoading();

// ---- Batched quads (TarnGfxBatch.cpp) --------------------------------------------
// Consecutive quads drawn with the same program, texture and blend mode are
// gathered into one vertex stream and drawn in one call. Anything that changes
// that state, draws otherwise, or reads the picture flushes the batch first.
void BatchFlush();
// Takes the draw into the batch; false when the mesh is no quad, the world
// matrix is not a 2D one, or batching is off (the caller draws it itself).
bool BatchAdd(const struct TarnGfxVertexList* mesh);
// Keeps a CPU copy of a small triangle mesh's vertices so it can be batched.
void BatchRememberMesh(const struct TarnGfxVertexList* mesh, const float* positions,
                       const float* colours, const float* uvs);
void BatchForgetMesh(const struct TarnGfxVertexList* mesh);
// Frees the batch's buffer (at shut-down, before the context goes).
void BatchRelease();

// ---- Presentation: the logical picture in a window of any size -----------------
// Places the picture in the window as it is now and sets the display scales.
void UpdatePicture();
// The frame-rate controller's spin margin after a sleep that woke `late`
// seconds after it was due: enough to cover it, easing down when wakes are prompt.
double NextSpinMargin(double margin, double late);

// Called as a frame starts: binds the off-screen picture when the window is
// not of the logical size, so the frame is drawn at the logical size.
void PresentBeginFrame();
// Releases the off-screen picture (with the GL context).
void PresentRelease();

} // namespace tarn

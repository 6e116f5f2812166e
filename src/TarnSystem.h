// Tarn engine: system, window and frame-rate controller.
//
// One window per process, one frame-rate controller. The game calls
// TarnSysInit once, then TarnSysFrameStart ... TarnSysFrameEnd every frame,
// and TarnSysExit at the end.
#pragma once
#include "TarnDefs.h"

// Window procedure type kept for the engine's calling convention; on this
// platform events come from SDL and any non-null procedure is ignored.
typedef long (*TarnWindowProcedure)(void* window, unsigned int message, unsigned long wParam,
                                    long lParam);

// ---- System ---------------------------------------------------------------
// The engine's own window procedure: closing the window clears the "window
// exists" flag; (de)activation sets gTarnSysAppActive.
TARN_API long TarnWindowProc(void* window, unsigned int message, unsigned long wParam, long lParam);
// Opens the window, the GL context and the frame-rate controller. 1 on success,
// 0 when no display or GL context can be had (the reason goes to stderr).
TARN_API int TarnSysInit(void* instance, int showCommand, int width, int height, int createConsole,
                         unsigned int frameRate, TarnWindowProcedure windowProcedure);
// Resets the frame-rate controller and the input snapshots.
TARN_API void TarnSysReset(void);
// Drains the window's event queue into the engine state.
TARN_API void TarnSysUpdate(void);
// Releases the graphics context and the window.
TARN_API void TarnSysExit(void);
// Starts the frame timer, clears the picture and sets the viewport.
TARN_API void TarnSysFrameStart(void);
// Presents the picture, waits out the frame, pumps events.
TARN_API void TarnSysFrameEnd(void);
// The platform window (an SDL_Window*), or null before init.
TARN_API void* TarnSysGetWindowHandle(void);
TARN_API void TarnSysSetWindowTitle(const char* title);
// 1 while the window exists; 0 once it has been closed.
TARN_API int TarnSysDoesWindowExist(void);
// Logical window size given to TarnSysInit.
TARN_API int TarnGetWindowWidth(void);
TARN_API int TarnGetWindowHeight(void);
// Borderless window covering the desktop (on) or the centred logical window (off).
TARN_API void TarnToogleFullScreen(bool on);
// Scripted input (the playtest driver, tests) keeps its held keys when the
// window loses focus, and its game controllers are heard without the focus;
// a real keyboard's keys are released then, since their release happens
// elsewhere, and real pads are not heard by a window in the background.
TARN_API void TarnSysKeepKeysOnFocusLoss(int keep);
// Window icon from 32-bit RGBA pixels (first row first).
TARN_API void TarnSysSetWindowIcon(const unsigned char* pixels, int width, int height);
// Displayed pixels per logical pixel: the picture's size in the window over the
// logical size (1.0 for a window of the logical size).
TARN_API float TarnSysGetHorizontalScale(void);
TARN_API float TarnSysGetVerticalScale(void);
// ---- Picture in the window ---------------------------------------------------
// The game draws a picture of the logical size; a window of another size (full
// screen, or one the player resized) shows it scaled by one of these modes.
#define TARN_ASPECT_KEEP 0    // proportions kept, centred, black bars fill the rest (default)
#define TARN_ASPECT_STRETCH 1 // stretched over the whole window

// A rectangle in window pixels, origin top-left.
typedef struct TarnViewRect {
    int x;
    int y;
    int width;
    int height;
} TarnViewRect;

// Where a logicalWidth x logicalHeight picture lies in a windowWidth x
// windowHeight window under the given aspect mode.
TARN_API TarnViewRect TarnSysFitPicture(int windowWidth, int windowHeight, int logicalWidth,
                                        int logicalHeight, int aspectMode);
// Maps a window pixel into the logical picture placed at `picture`. Returns 1
// when the pixel shows the picture and 0 when it lies on a bar or outside the
// window; the position is computed in both cases (negative or beyond the
// logical size off the picture).
TARN_API int TarnSysWindowToLogical(const TarnViewRect* picture, int logicalWidth,
                                    int logicalHeight, int windowX, int windowY, int* logicalX,
                                    int* logicalY);
// The inverse: the window pixel at the centre of a logical pixel.
TARN_API void TarnSysLogicalToWindow(const TarnViewRect* picture, int logicalWidth,
                                     int logicalHeight, int logicalX, int logicalY, int* windowX,
                                     int* windowY);
// Where the picture lies in the engine window now.
TARN_API TarnViewRect TarnSysGetPictureRect(void);
// The window's size in pixels (the logical size before a window exists).
TARN_API void TarnSysGetWindowPixels(int* width, int* height);
TARN_API void TarnSysSetAspectMode(int mode);
TARN_API int TarnSysGetAspectMode(void);
// 1 waits for the display's refresh at every buffer swap (swap interval 1),
// for displays where the picture tears; 0 (the default) leaves the pacing to
// the frame-rate controller.
TARN_API void TarnSysSetVSync(int on);
TARN_API int TarnSysGetVSync(void);
// 1 while the window covers the screen (TarnToogleFullScreen, Alt+Enter).
TARN_API int TarnSysIsFullScreen(void);

// Prints a fatal report's tail and ends the process with status 1; waits for a
// key first only when standard input is a terminal.
TARN_API void TarnFatalStop(void);

// 1 while the window has focus, 0 when it has lost it.
TARN_API int gTarnSysAppActive;

// ---- Frame-rate controller ------------------------------------------------
TARN_API void TarnFrameRateControllerInit(unsigned int frameRate);
TARN_API void TarnFrameRateControllerReset(void);
TARN_API void TarnFrameRateControllerStart(void);
TARN_API void TarnFrameRateControllerEnd(void);
// Seconds between the start and the end of the last frame.
TARN_API double TarnFrameRateControllerGetFrameTime(void);
TARN_API unsigned int TarnFrameRateControllerGetFrameCount(void);

// Makes every frame report exactly this many seconds without waiting (0 turns
// it off). Used by the playtest driver for deterministic runs.
TARN_API void TarnFrameRateControllerSetFixedFrameTime(double seconds);
// The wait at the end of a frame sleeps until 2 ms before the frame's end and
// spins the rest (the default: the core is free for most of the wait); on
// spins the whole wait, as the engine always did.
TARN_API void TarnFrameRateControllerSetBusyWait(int on);

// ---- Helpers --------------------------------------------------------------
// Seconds on a monotonic clock; also stored through out when it is not null.
TARN_API double TarnGetTime(double* out);
// rand() / 32767, so a value in [0, 1] with both ends reachable.
TARN_API float TarnRandFloat(void);

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
// 1 while the window covers the desktop (TarnToogleFullScreen or Alt+Enter), else 0.
TARN_API int TarnSysIsFullScreen(void);
// Scripted input (the playtest driver, tests) keeps its held keys when the
// window loses focus, and its game controllers are heard without the focus;
// a real keyboard's keys are released then, since their release happens
// elsewhere, and real pads are not heard by a window in the background.
TARN_API void TarnSysKeepKeysOnFocusLoss(int keep);
// Window icon from 32-bit RGBA pixels (first row first).
TARN_API void TarnSysSetWindowIcon(const unsigned char* pixels, int width, int height);
// Displayed pixels per logical pixel (1.0 in windowed mode).
TARN_API float TarnSysGetHorizontalScale(void);
TARN_API float TarnSysGetVerticalScale(void);
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

// Tarn engine: shared definitions for every engine header.
#pragma once

// Every engine function and global is exported by its plain, unmangled name so
// that it can be found in the game executable (linked with -rdynamic).
#ifdef __cplusplus
#define TARN_API extern "C" __attribute__((visibility("default")))
#else
#define TARN_API extern __attribute__((visibility("default")))
#endif

#define TARN_ENGINE_VERSION 3.05

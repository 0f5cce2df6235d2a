#ifndef TARVEX_VBMP3_H
#define TARVEX_VBMP3_H
/* The MP3 playback library: the functions the program calls, with C linkage
 * and plain names. Every call returns at once; playback runs on the library's
 * own thread. */

#include <stdint.h>

#if defined(_WIN32)
#define VBMP3_CALL __stdcall
#if defined(VBMP3_BUILDING)
#define VBMP3_API __declspec(dllexport)
#else
#define VBMP3_API __declspec(dllimport)
#endif
#else
#define VBMP3_CALL
#define VBMP3_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Filled by vbmp3_open; 272 bytes. */
typedef struct VBMP3_OPEN_INFO {
  char title[128];  /* ANSI text, NUL-padded */
  char artist[128]; /* ANSI text, NUL-padded */
  int32_t sampleRate;
  int32_t channels;
  int32_t bitRate;    /* kbit/s of the first frame */
  int32_t playTimeMs; /* estimated length */
} VBMP3_OPEN_INFO;

VBMP3_API int32_t VBMP3_CALL vbmp3_init(void);
/* 0 stopped, 1 playing, 2 finished; see the header's state table. */
VBMP3_API int32_t VBMP3_CALL vbmp3_getState(int32_t* state);
VBMP3_API int32_t VBMP3_CALL vbmp3_getEncodeState(int32_t* state, int32_t* progress);
VBMP3_API int32_t VBMP3_CALL vbmp3_getVolume(int32_t* left, int32_t* right);
VBMP3_API int32_t VBMP3_CALL vbmp3_stop(void);
/* Non-zero only when the file's first frame really decodes. */
VBMP3_API int32_t VBMP3_CALL vbmp3_open(const char* path, VBMP3_OPEN_INFO* info);
VBMP3_API int32_t VBMP3_CALL vbmp3_getLastErrorNo(void);
VBMP3_API int32_t VBMP3_CALL vbmp3_play(void);
VBMP3_API int32_t VBMP3_CALL vbmp3_encodeStop(void);

#ifdef __cplusplus
}
#endif

#endif

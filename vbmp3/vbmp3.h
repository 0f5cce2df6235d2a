#ifndef TARVEX_VBMP3_H
#define TARVEX_VBMP3_H
/* The MP3 playback library: the functions the program calls, with C linkage
 * and plain names. Every call returns at once; playback runs on the library's
 * own thread. All calls are expected from one thread.
 *
 * Results: every function returns 1 on success and 0 on failure; after a
 * failure vbmp3_getLastErrorNo gives the reason (see the error table). */

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
  char title[128];    /* ANSI text, NUL-padded; empty when the file has no
                         title tag or the code page cannot hold it */
  char artist[128];   /* ANSI text, NUL-padded; as the title */
  int32_t sampleRate; /* Hz */
  int32_t channels;   /* 1 or 2 */
  int32_t bitRate;    /* kbit/s of the first frame */
  int32_t playTimeMs; /* estimated length */
} VBMP3_OPEN_INFO;

/* The state table: what vbmp3_getState reports. */
enum {
  VBMP3_STATE_STOPPED = 0,  /* nothing plays: before play, after stop */
  VBMP3_STATE_PLAYING = 1,  /* between play and the end of the file */
  VBMP3_STATE_FINISHED = 2, /* the file has played to its end */
  VBMP3_STATE_ERROR = 3     /* playback ended by a failure; see the error number */
};

/* What vbmp3_getEncodeState reports: this library never encodes. */
enum { VBMP3_ENCODE_NONE = 0 };

/* The error table: what vbmp3_getLastErrorNo reports. The number stays until
 * the next failure; vbmp3_init, a successful open and a successful play reset
 * it to VBMP3_ERR_NONE. */
enum {
  VBMP3_ERR_NONE = 0,            /* no failure */
  VBMP3_ERR_ARGUMENT = 1,        /* a null pointer or an empty file name */
  VBMP3_ERR_FILE_NOT_FOUND = 2,  /* the file or a directory of its path does not exist */
  VBMP3_ERR_NOT_MP3 = 3,         /* the file holds no MPEG audio that decodes */
  VBMP3_ERR_READ = 4,            /* the file cannot be read (permission, I/O error) */
  VBMP3_ERR_NOT_A_FILE = 5,      /* the name is a directory, device or pipe */
  VBMP3_ERR_NO_FILE_OPEN = 6,    /* play without a successfully opened file */
  VBMP3_ERR_OUTPUT = 7,          /* the sound device (or the test WAV file) cannot
                                    be opened or written: playback ended */
  VBMP3_ERR_STREAM_BROKEN = 8,   /* the audio stops decoding part-way: playback ended */
  VBMP3_ERR_OUT_OF_RESOURCES = 9 /* the decoder or the player thread cannot be created */
};

/* Prepares the library and resets the error number. Optional: every other
 * call works without it. */
VBMP3_API int32_t VBMP3_CALL vbmp3_init(void);
/* Writes one of the VBMP3_STATE_ values. */
VBMP3_API int32_t VBMP3_CALL vbmp3_getState(int32_t* state);
/* Writes VBMP3_ENCODE_NONE and a progress of 0. */
VBMP3_API int32_t VBMP3_CALL vbmp3_getEncodeState(int32_t* state, int32_t* progress);
/* Writes the playback volume of each channel in percent (always 100: the
 * library leaves the volume to the system mixer). */
VBMP3_API int32_t VBMP3_CALL vbmp3_getVolume(int32_t* left, int32_t* right);
/* Stops playback and waits for the player thread (a few milliseconds);
 * harmless when nothing plays. The opened file stays open. */
VBMP3_API int32_t VBMP3_CALL vbmp3_stop(void);
/* Non-zero only when the file's first frames really decode. Stops any
 * playback first. The path is UTF-8 on Linux and ANSI on Windows. On failure
 * the previously opened file is closed too and the record is left zero; a null
 * or empty argument (VBMP3_ERR_ARGUMENT) changes nothing. */
VBMP3_API int32_t VBMP3_CALL vbmp3_open(const char* path, VBMP3_OPEN_INFO* info);
VBMP3_API int32_t VBMP3_CALL vbmp3_getLastErrorNo(void);
/* Starts the opened file from its beginning and returns while it plays; a no-op
 * while it already plays. A sound device that cannot be opened is reported
 * later, through VBMP3_STATE_ERROR and VBMP3_ERR_OUTPUT. */
VBMP3_API int32_t VBMP3_CALL vbmp3_play(void);
/* A no-op: nothing is ever encoded. */
VBMP3_API int32_t VBMP3_CALL vbmp3_encodeStop(void);

/* Extras for tests and tools; the program does not call them. */

/* Sends the decoded sound of the next play to a 16-bit PCM WAV file at `path`
 * instead of the sound device; NULL returns to the device. With `realTime`
 * non-zero the file is written no faster than the sound would play. */
VBMP3_API int32_t VBMP3_CALL vbmp3x_setWavOutput(const char* path, int32_t realTime);
/* Chooses the sound output driver(s) of the next play by name (a comma list,
 * as the system's audio output library takes it); NULL for the default. */
VBMP3_API int32_t VBMP3_CALL vbmp3x_setOutputDriver(const char* names);
/* Waits up to `timeoutMs` milliseconds for playback to end (finished, stopped
 * or failed); 1 when it has ended, 0 when it still plays. */
VBMP3_API int32_t VBMP3_CALL vbmp3x_waitUntilDone(int32_t timeoutMs);
/* The number of sample frames handed to the output since the last play. */
VBMP3_API int64_t VBMP3_CALL vbmp3x_getFramesWritten(void);

#ifdef __cplusplus
}
#endif

#endif

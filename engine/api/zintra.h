/* zintra: the English correction engine's exported C interface.
 *
 * Every function runs on the one engine instance of the process. Strings are
 * zero-terminated byte strings owned by the caller; the engine keeps no pointer
 * to them after a call returns. Reply buffers belong to the caller: a match
 * reply never takes more than ZINTRA_REPLY_MAX bytes, terminating zero
 * included, and a longer reply is cut to fit. */
#ifndef ZINTRA_H
#define ZINTRA_H

#ifdef _WIN32
#ifdef ZINTRA_BUILDING
#define ZINTRA_API __declspec(dllexport)
#else
#define ZINTRA_API __declspec(dllimport)
#endif
#define ZINTRA_CALL __stdcall
#else
#define ZINTRA_API __attribute__((visibility("default")))
#define ZINTRA_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The largest reply a match export writes, terminating zero included. */
#define ZINTRA_REPLY_MAX 1000000

/* Initialises the engine from a configuration file. 1 on success, 0 on failure. */
ZINTRA_API int ZINTRA_CALL zintraInit(const char* configPath);

/* Handles one request. encoding names the reply's encoding (null or empty:
 * the engine's own). Returns the reply's length; 0 with an empty reply before
 * a successful initialisation. */
ZINTRA_API int ZINTRA_CALL zintraMatch(const char* encoding, const char* request, char* reply);

/* As zintraInit; block[1] is the configuration path, block[0] is not read. */
ZINTRA_API int ZINTRA_CALL ZINTRAinit(void** block);

/* As zintraMatch with block[0], block[1], block[2] as its three arguments. */
ZINTRA_API int ZINTRA_CALL ZINTRAmatch(void** block);

/* Phrase analysis of one sentence printed as a bracketed tree into output. */
ZINTRA_API int ZINTRA_CALL zintraParse(const char* sentence, char* output, int mode);

/* Initialises and starts the template service on the local host.
 * 0 running, 1 initialisation failed, 2 the listening socket could not be set up. */
ZINTRA_API int ZINTRA_CALL zintraServerInit(const char* configPath);

/* Starts the initialisation on a new thread and returns 0 at once. The path is
 * copied before the call returns. */
ZINTRA_API int ZINTRA_CALL zintraAsyncInit(const char* configPath);

/* Checks every main template's sample sentence under path (depth 0: all
 * subfolders, 1: the folder only). 0 when all pass, otherwise the length of the
 * report written to output for the first failing sample. */
ZINTRA_API int ZINTRA_CALL zintraTestAllTemplates(const char* path, char* output, int depth);

/* Checks that every file under path is well-formed XML. 0 when all are,
 * otherwise the length of the first bad file's path, written to output. */
ZINTRA_API int ZINTRA_CALL zintraTestAllXML(const char* path, char* output, int depth);

/* Writes an HTML page of the phrase trees of all sample sentences. Returns 1. */
ZINTRA_API int ZINTRA_CALL zintraGetAllSampleTree(const char* path, const char* referenceFile, const char* outputFile,
                                                  int depth);

/* Writes the sentences the templates produce below outputFolder. Returns depth. */
ZINTRA_API int ZINTRA_CALL zintraGetAllSentences(const char* path, const char* outputFolder, int depth);

/* Counts the lines of all files under path. */
ZINTRA_API int ZINTRA_CALL zintraCountLine(const char* path, int depth);

#ifdef __cplusplus
}
#endif

#endif /* ZINTRA_H */

/*
 * The interface between Quillorn and its in-process plug-ins: shared libraries in the program's
 * "plug-ins" folder, each adding entries to the Tools > Plug-Ins menu. Plain C, usable from C
 * and C++. A plug-in defines the functions declared below; Quillorn looks them up by name.
 *
 * A "plugin" line of settings.dat, `name\\\file` (fields joined by three backslashes), makes
 * one menu entry: Quillorn loads plug-ins/<file> and asks it for the object `name` + ".Data".
 * Two lines for one library make two entries with two objects.
 *
 * Everything is called on the editor's user-interface thread, except the optional register and
 * unregister entry points (see there). Text is UTF-8 throughout.
 *
 * Strings the plug-in hands back go through a QuillornText that Quillorn owns: the plug-in calls
 * its `set` function, Quillorn copies the bytes before `set` returns, and the plug-in keeps
 * ownership of its own memory. Nothing the plug-in allocates is ever freed by Quillorn, and
 * nothing Quillorn passes in may be kept after the call returns.
 *
 * A plug-in written in C++ catches its own exceptions: one that escapes a call is taken as an
 * error, but leaves the plug-in in whatever state it was thrown from.
 */
#ifndef QUILLORN_PLUGIN_H
#define QUILLORN_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The version of this interface. It changes only when a function below changes in a way that an
 * older plug-in could not follow; Quillorn uses a library only when its quillorn_plugin_version()
 * gives the version Quillorn was built with. */
#define QUILLORN_PLUGIN_VERSION 1

#if defined(__GNUC__)
#define QUILLORN_PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define QUILLORN_PLUGIN_EXPORT
#endif

/* A text that Quillorn owns and a plug-in fills; valid only during the call it is handed to. */
typedef struct QuillornText QuillornText;
struct QuillornText {
    /* Makes the text the `length` bytes at `utf8` (NUL bytes included; `utf8` may be NULL when
     * `length` is 0). Quillorn copies them at once. Calling it again replaces the text. */
    void (*set)(QuillornText* text, const char* utf8, size_t length);
    /* Quillorn's own; a plug-in leaves it alone. */
    void* host;
};

/* A plug-in's object, opaque to Quillorn. */
typedef struct QuillornObject QuillornObject;

/* What quillorn_plugin_run gives back. */
enum {
    QUILLORN_RUN_ERROR = -1, /* something went wrong: Quillorn says "Error in plugin" */
    QUILLORN_RUN_KEEP = 0,   /* the document stays as it is, whatever `result` holds */
    QUILLORN_RUN_REPLACE = 1 /* `result` replaces the document's text */
};

/* Required: QUILLORN_PLUGIN_VERSION, as the plug-in was built with. */
QUILLORN_PLUGIN_EXPORT int32_t quillorn_plugin_version(void);

/* Required: a new object for `object_name` (the line's name followed by ".Data"), or NULL when
 * the library has no such object. Each call makes an object of its own. */
QUILLORN_PLUGIN_EXPORT QuillornObject* quillorn_plugin_create(const char* object_name);

/* Required: the caption of the object's menu entry in the interface language `language` (the
 * name of Quillorn's language folder: "english", "russian", ...), through `caption`. Called when
 * the entry is made and again whenever the interface language changes, so an object may keep
 * the language for what it writes later. An empty caption shows the line's name instead. */
QUILLORN_PLUGIN_EXPORT void quillorn_plugin_get_name(QuillornObject* object, const char* language,
                                                     QuillornText* caption);

/* Required: runs the object on the document. `text` holds the document's `length` bytes (a NUL
 * byte follows them; the text itself may hold NUL bytes and bytes that are not valid UTF-8).
 * `result` starts empty. `sel_start` holds the caret as a byte offset into `text` (0 to
 * `length`); the plug-in may move it. With QUILLORN_RUN_REPLACE the document's text becomes
 * `result`, as one step that Undo takes back, and the caret goes to `*sel_start` as a byte
 * offset into `result`. With QUILLORN_RUN_KEEP nothing changes, neither the text nor the caret.
 * `run` works inside the editor's process: a crash in it ends the editor, and the window waits
 * while it works. */
QUILLORN_PLUGIN_EXPORT int quillorn_plugin_run(QuillornObject* object, const char* text,
                                               size_t length, QuillornText* result,
                                               int32_t* sel_start);

/* Required: ends an object made by quillorn_plugin_create. Called before the library is unloaded
 * (when the plug-in list changes, and at exit). */
QUILLORN_PLUGIN_EXPORT void quillorn_plugin_destroy(QuillornObject* object);

/* Optional: when quillorn_plugin_create gives NULL, Quillorn calls quillorn_plugin_unregister,
 * then quillorn_plugin_register, then asks for the object once more. A plug-in that must set
 * something up before its objects can be made (a data file, a cache) does it here. Each runs
 * on a thread of its own while Quillorn waits for it at most 10 seconds; one that takes longer
 * is left running and loading goes on without it. */
QUILLORN_PLUGIN_EXPORT void quillorn_plugin_register(void);
QUILLORN_PLUGIN_EXPORT void quillorn_plugin_unregister(void);

/* The types of the functions above, for looking them up by name. */
typedef int32_t (*QuillornPluginVersionFn)(void);
typedef QuillornObject* (*QuillornPluginCreateFn)(const char* object_name);
typedef void (*QuillornPluginGetNameFn)(QuillornObject* object, const char* language,
                                        QuillornText* caption);
typedef int (*QuillornPluginRunFn)(QuillornObject* object, const char* text, size_t length,
                                   QuillornText* result, int32_t* sel_start);
typedef void (*QuillornPluginDestroyFn)(QuillornObject* object);
typedef void (*QuillornPluginRegisterFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* QUILLORN_PLUGIN_H */

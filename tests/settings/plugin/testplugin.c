/* A plug-in for the tests, in plain C. Its objects:
 * "count.Data"  appends how often this object has run to the text: two objects count apart;
 * "keep.Data"   fills the result but says the text stays;
 * "late.Data"   exists only after the library registered itself;
 * "fail.Data"   reports an error.
 * Each caption is the object's name and the language, as "count (english)". */
#include "quillorn_plugin.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum Kind { Count, Keep, Late, Fail };

struct QuillornObject {
    enum Kind kind;
    int runs;
};

static int registered = 0;

static const char* const Names[] = {"count", "keep", "late", "fail"};

int32_t quillorn_plugin_version(void)
{
    return QUILLORN_PLUGIN_VERSION;
}

QuillornObject* quillorn_plugin_create(const char* object_name)
{
    for (int kind = Count; kind <= Fail; ++kind) {
        char name[16];
        snprintf(name, sizeof name, "%s.Data", Names[kind]);
        if (strcmp(object_name, name) != 0 || (kind == Late && !registered))
            continue;
        QuillornObject* object = calloc(1, sizeof(QuillornObject));
        if (object)
            object->kind = (enum Kind)kind;
        return object;
    }
    return NULL;
}

void quillorn_plugin_get_name(QuillornObject* object, const char* language, QuillornText* caption)
{
    char text[64];
    const int size = snprintf(text, sizeof text, "%s (%s)", Names[object->kind], language);
    caption->set(caption, text, (size_t)size);
}

int quillorn_plugin_run(QuillornObject* object, const char* text, size_t length,
                        QuillornText* result, int32_t* sel_start)
{
    (void)sel_start;
    switch (object->kind) {
    case Count: {
        char* out = malloc(length + 16);
        if (!out)
            return QUILLORN_RUN_ERROR;
        memcpy(out, text, length);
        const int size = snprintf(out + length, 16, "%d", ++object->runs);
        result->set(result, out, length + (size_t)size);
        free(out);
        return QUILLORN_RUN_REPLACE;
    }
    case Keep:
        result->set(result, "changed", 7);
        return QUILLORN_RUN_KEEP;
    case Late:
        result->set(result, "late", 4);
        return QUILLORN_RUN_REPLACE;
    case Fail:
        break;
    }
    return QUILLORN_RUN_ERROR;
}

void quillorn_plugin_destroy(QuillornObject* object)
{
    free(object);
}

void quillorn_plugin_register(void)
{
    registered = 1;
}

void quillorn_plugin_unregister(void)
{
    registered = 0;
}

/* Word counter, a sample plug-in in C: writes how many words, characters and lines the document
 * has as an HTML comment at the caret, for example "<!-- Words: 120, characters: 845, lines: 30
 * -->", as one step that Undo takes back. Words are those a reader sees: markup (tags, comments,
 * PHP blocks, character references) is left out. Characters are those of the whole document
 * without its line ends. A caret inside markup puts the comment behind that markup, so the
 * comment never splits a tag. */
#include "quillorn_plugin.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct QuillornObject {
    int russian; /* the interface language of the last caption asked for */
};

struct Counts {
    long words;
    long characters;
    long lines;
    size_t insertAt; /* where the comment goes */
};

static int isWordByte(unsigned char c)
{
    /* Bytes of characters beyond ASCII count as letters. */
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c >= 0x80;
}

static int isLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/* Just behind `what` from `from`, or `length` when it never comes. */
static size_t behind(const char* text, size_t length, size_t from, const char* what)
{
    const size_t size = strlen(what);
    for (size_t at = from; at + size <= length; ++at) {
        if (memcmp(text + at, what, size) == 0)
            return at + size;
    }
    return length;
}

/* The end of the markup at `at`, or `at` when none starts there. */
static size_t markupEnd(const char* text, size_t length, size_t at)
{
    const unsigned char next = at + 1 < length ? (unsigned char)text[at + 1] : 0;
    if (text[at] == '<') {
        if (length - at >= 4 && memcmp(text + at, "<!--", 4) == 0)
            return behind(text, length, at + 4, "-->");
        if (next == '?')
            return behind(text, length, at + 2, "?>");
        if (isLetter(next) || next == '/' || next == '!')
            return behind(text, length, at + 1, ">");
    } else if (text[at] == '&') {
        size_t end = at + 1;
        while (end < length && end - at <= 10 &&
               (isWordByte((unsigned char)text[end]) || text[end] == '#'))
            ++end;
        if (end < length && text[end] == ';' && end > at + 1)
            return end + 1;
    }
    return at;
}

static struct Counts count(const char* text, size_t length, size_t caret)
{
    struct Counts counts = {0, 0, 1, caret};
    int inWord = 0;
    for (size_t at = 0; at < length;) {
        const size_t end = markupEnd(text, length, at);
        if (end > at) {
            if (caret > at && caret < end)
                counts.insertAt = end;
            for (size_t i = at; i < end; ++i) {
                const unsigned char c = (unsigned char)text[i];
                counts.lines += c == '\n';
                counts.characters += c != '\n' && c != '\r' && (c & 0xC0) != 0x80;
            }
            inWord = 0;
            at = end;
            continue;
        }
        const unsigned char c = (unsigned char)text[at];
        counts.lines += c == '\n';
        counts.characters += c != '\n' && c != '\r' && (c & 0xC0) != 0x80;
        if (isWordByte(c)) {
            counts.words += !inWord;
            inWord = 1;
        } else {
            inWord = 0;
        }
        ++at;
    }
    return counts;
}

int32_t quillorn_plugin_version(void)
{
    return QUILLORN_PLUGIN_VERSION;
}

QuillornObject* quillorn_plugin_create(const char* object_name)
{
    if (!object_name || strcmp(object_name, "wordcount.Data") != 0)
        return NULL;
    return calloc(1, sizeof(QuillornObject));
}

void quillorn_plugin_get_name(QuillornObject* object, const char* language, QuillornText* caption)
{
    object->russian = language && strcmp(language, "russian") == 0;
    const char* text = object->russian ? "Подсчёт слов" : "Count words";
    caption->set(caption, text, strlen(text));
}

int quillorn_plugin_run(QuillornObject* object, const char* text, size_t length,
                        QuillornText* result, int32_t* sel_start)
{
    const size_t caret =
        *sel_start < 0 ? 0 : ((size_t)*sel_start > length ? length : (size_t)*sel_start);
    const struct Counts counts = count(text, length, caret);
    char comment[160];
    const int size = snprintf(comment, sizeof comment,
                              object->russian ? "<!-- Слов: %ld, символов: %ld, строк: %ld -->"
                                              : "<!-- Words: %ld, characters: %ld, lines: %ld -->",
                              counts.words, counts.characters, counts.lines);
    if (size < 0 || (size_t)size >= sizeof comment || length > (size_t)INT32_MAX - (size_t)size)
        return QUILLORN_RUN_ERROR;
    char* out = malloc(length + (size_t)size);
    if (!out)
        return QUILLORN_RUN_ERROR;
    memcpy(out, text, counts.insertAt);
    memcpy(out + counts.insertAt, comment, (size_t)size);
    memcpy(out + counts.insertAt + size, text + counts.insertAt, length - counts.insertAt);
    result->set(result, out, length + (size_t)size);
    free(out);
    *sel_start = (int32_t)(counts.insertAt + (size_t)size);
    return QUILLORN_RUN_REPLACE;
}

void quillorn_plugin_destroy(QuillornObject* object)
{
    free(object);
}

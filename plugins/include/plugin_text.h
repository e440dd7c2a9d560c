/*
 * A growing text buffer for export plug-ins, and the one routine that puts
 * such a text on disk.
 *
 * A plug-in composes its whole output in memory with "\n" line ends, then
 * writes it in one go. The file gets CR LF line ends on every platform, so an
 * export is byte-identical wherever it was made. The buffer has no fixed
 * size: any sprite name gives the complete text. A failed allocation marks
 * the text as failed instead of writing past anything, and a failed text is
 * never written.
 *
 * Header-only (static inline), so that each plug-in stays one library that
 * links nothing but the C library.
 */
#ifndef PIXORA_PLUGIN_TEXT_H
#define PIXORA_PLUGIN_TEXT_H

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    char* bytes; /* NUL-terminated once anything was appended */
    size_t length;
    size_t capacity;
    int failed; /* an allocation failed: the text is incomplete */
} PluginText;

static inline PluginText EmptyText(void)
{
    PluginText text = {NULL, 0, 0, 0};
    return text;
}

static inline void FreeText(PluginText* text)
{
    free(text->bytes);
    *text = EmptyText();
}

/* Makes room for `extra` more bytes plus the terminating NUL. */
static inline int ReserveText(PluginText* text, size_t extra)
{
    size_t needed;
    size_t capacity;
    char* grown;
    if (text->failed || extra > (size_t)-1 - text->length - 1) {
        text->failed = 1;
        return 0;
    }
    needed = text->length + extra + 1;
    if (needed <= text->capacity)
        return 1;
    capacity = text->capacity ? text->capacity : 256;
    while (capacity < needed)
        capacity = capacity > (size_t)-1 / 2 ? needed : capacity * 2;
    grown = (char*)realloc(text->bytes, capacity);
    if (!grown) {
        text->failed = 1;
        return 0;
    }
    text->bytes = grown;
    text->capacity = capacity;
    return 1;
}

static inline void AppendText(PluginText* text, const char* piece)
{
    size_t size = strlen(piece);
    if (!ReserveText(text, size))
        return;
    memcpy(text->bytes + text->length, piece, size + 1);
    text->length += size;
}

static inline void AppendChar(PluginText* text, char c)
{
    if (!ReserveText(text, 1))
        return;
    text->bytes[text->length++] = c;
    text->bytes[text->length] = '\0';
}

/* printf-style append; the sprite name never goes through the format. */
static inline void AppendFormat(PluginText* text, const char* format, ...)
{
    va_list arguments;
    va_list measuring;
    int size;
    va_start(arguments, format);
    va_copy(measuring, arguments);
    size = vsnprintf(NULL, 0, format, measuring);
    va_end(measuring);
    if (size < 0)
        text->failed = 1;
    else if (ReserveText(text, (size_t)size)) {
        vsnprintf(text->bytes + text->length, (size_t)size + 1, format, arguments);
        text->length += (size_t)size;
    }
    va_end(arguments);
}

/* Creates or empties the file and writes the text with CR LF line ends in
 * one write. Returns 0, having written nothing, when the text is incomplete or
 * the file cannot be opened; returns 0 too when the write or close fails. */
static inline int WriteTextFile(const char* fileName, const PluginText* text)
{
    PluginText widened = EmptyText();
    FILE* file;
    size_t i;
    int written;
    if (!fileName || text->failed)
        return 0;
    for (i = 0; i < text->length; ++i) {
        if (text->bytes[i] == '\n')
            AppendChar(&widened, '\r');
        AppendChar(&widened, text->bytes[i]);
    }
    if (widened.failed) {
        FreeText(&widened);
        return 0;
    }
    file = fopen(fileName, "wb");
    if (!file) {
        FreeText(&widened);
        return 0;
    }
    written = fwrite(widened.bytes, 1, widened.length, file) == widened.length;
    written = (fclose(file) == 0) && written;
    FreeText(&widened);
    return written;
}

#endif

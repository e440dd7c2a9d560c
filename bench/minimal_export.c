/*
 * The least a process can do to export one ".pixo" sprite through a plug-in:
 * read the record, build the two planes, load the plug-in, call its write
 * function, exit. No checks, no messages, no safe write; C and the C library
 * only. bench_export_process measures pixora-export against it.
 *   minimal_export PLUGIN INPUT.pixo OUTPUT NAME
 */
#include <dlfcn.h>
#include <stdio.h>

#include "pixora_plugin.h"

enum { RecordSize = 30732, CellsOffset = 9, MaskOffset = 15 };

static int Int32At(const unsigned char* bytes)
{
    return (int)((unsigned)bytes[0] | (unsigned)bytes[1] << 8 | (unsigned)bytes[2] << 16 | (unsigned)bytes[3] << 24);
}

int main(int argc, char** argv)
{
    static unsigned char record[RecordSize];
    static unsigned char color[PIXORA_PLANE_SIZE];
    static unsigned char mask[PIXORA_PLANE_SIZE];
    FILE* input;
    void* library;
    PluginWriteFunction write;
    int i;
    if (argc != 5 || !(input = fopen(argv[2], "rb")) || fread(record, 1, RecordSize, input) != RecordSize)
        return 2;
    fclose(input);
    for (i = 0; i < PIXORA_PLANE_SIZE; ++i) {
        const unsigned char cell = record[CellsOffset + i];
        mask[i] = cell >= MaskOffset;
        color[i] = mask[i] ? cell - MaskOffset : cell;
    }
    library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    write = library ? (PluginWriteFunction)dlsym(library, "pluginEnregistre") : NULL;
    if (!write)
        return 3;
    i = write(argv[3], argv[4], record[8], color, mask, Int32At(record + 4), Int32At(record)) ? 0 : 1;
    dlclose(library);
    return i;
}

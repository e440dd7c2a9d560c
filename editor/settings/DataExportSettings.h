// The layout that "Exporter en données..." used last, kept in the section
// "ExportDonnees" of the settings file with the option names of
// pixora-export (DataLayout.h). Written only once data was exported, so the
// file of a user who never did keeps exactly the designed values; a value
// that a hand edit spoiled reads as the default.
#pragma once

#include <string>

#include "DataLayout.h"
#include "IniFile.h"

struct DataExportSettings {
    LayoutRequest request; // the order as letters; no rows or order: the sprite's defaults
    int preset = 0;        // of the dialog's presets, or its custom entry
    bool used = false;     // read from the file, or used in this run: to be written

    void Read(const IniFile& settings);
    void Write(const IniFile& settings) const;
};

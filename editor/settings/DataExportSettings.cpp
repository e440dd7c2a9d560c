#include "DataExportSettings.h"

namespace {

const std::string Section = "ExportDonnees";

// The value of a key by its name table, or the fallback.
template <typename Value>
Value Named(const IniFile& settings, const char* key, std::optional<Value> (*read)(std::string_view), Value fallback)
{
    return read(settings.ReadString(Section, key, "")).value_or(fallback);
}

} // namespace

void DataExportSettings::Read(const IniFile& settings)
{
    used = settings.HasKey(Section, "Disposition");
    if (!used)
        return;
    request.rows = RowUnitNamed(settings.ReadString(Section, "Lignes", ""));
    std::vector<Plane> order;
    const std::string letters = settings.ReadString(Section, "Ordre", "");
    request.order = ReadOrder(letters, order).empty() ? std::optional<std::string>(letters) : std::nullopt;
    request.arrange = Named(settings, "Disposition", ArrangementNamed, Arrangement::Separate);
    request.maskBit = Named(settings, "BitMasque", MaskBitNamed, MaskBit::Transparent);
    request.frames = Named(settings, "Images", FrameArraysNamed, FrameArrays::Array);
    request.syntax = Named(settings, "Syntaxe", DataSyntaxNamed, DataSyntax::C);
    request.defines = settings.ReadBool(Section, "Constantes", false);
    preset = settings.ReadInteger(Section, "Modele", 0);
}

void DataExportSettings::Write(const IniFile& settings) const
{
    if (!used)
        return;
    settings.WriteString(Section, "Lignes", request.rows ? NameOf(*request.rows) : "");
    settings.WriteString(Section, "Ordre", request.order.value_or(""));
    settings.WriteString(Section, "Disposition", NameOf(request.arrange));
    settings.WriteString(Section, "BitMasque", NameOf(request.maskBit));
    settings.WriteString(Section, "Images", NameOf(request.frames));
    settings.WriteString(Section, "Syntaxe", NameOf(request.syntax));
    settings.WriteBool(Section, "Constantes", request.defines);
    settings.WriteInteger(Section, "Modele", preset);
}

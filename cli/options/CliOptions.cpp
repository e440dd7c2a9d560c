#include "CliOptions.h"

#include <algorithm>
#include <set>

#include "CIdentifier.h"
#include "ImageOptions.h"
#include "InputFrames.h"
#include "OptionNumbers.h"

namespace {

bool IsSourcePath(const std::string& path)
{
    return InputKindOf(path) == InputKind::Source;
}

bool IsCalculatorPicturePath(const std::string& path)
{
    return InputKindOf(path) == InputKind::CalculatorPicture;
}

enum class OptionId {
    Help,
    Version,
    List,
    Info,
    ToPixo,
    Plugins,
    Plugin,
    Name,
    Output,
    Levels,
    Threshold,
    Dither,
    Invert,
    NoAlphaMask,
    Crop,
    ScaleDown,
    ToPng,
    PngScale,
    CalculatorColors,
    ToPixs,
    Frame,
    ToTi,
    VarName,
    Array,
    Width,
    Data,
    ListSprites,
    Layout, // one of LayoutOptions.h's, which keeps which
    Screen, // one of ScreenOptions.h's, which keeps which
    ToPixm,
    Tile, // one of TileOptions.h's, which keeps which
    Spacing, // a proportional font's, or the gaps of a sheet's cells
};

struct OptionSpec {
    OptionId id;
    const char* shortName; // nullptr when there is none
    const char* longName;
    bool takesValue;
};

constexpr OptionSpec Options[] = {
    {OptionId::Help, "-h", "--help", false},          {OptionId::Version, nullptr, "--version", false},
    {OptionId::List, nullptr, "--list", false},       {OptionId::Info, nullptr, "--info", true},
    {OptionId::ToPixo, nullptr, "--to-pixo", true},   {OptionId::Plugins, nullptr, "--plugins", true},
    {OptionId::Plugin, "-p", nullptr, true},          {OptionId::Name, "-n", nullptr, true},
    {OptionId::Output, "-o", nullptr, true},          {OptionId::ToPixs, nullptr, "--to-pixs", true},
    {OptionId::Frame, nullptr, "--frame", true},      {OptionId::ToTi, nullptr, "--to-ti", true},
    {OptionId::VarName, nullptr, "--var-name", true}, {OptionId::Array, nullptr, "--array", true},
    {OptionId::Width, nullptr, "--width", true},      {OptionId::Data, nullptr, "--data", false},
    {OptionId::ToPixm, nullptr, "--to-pixm", true},
};

// The options of image inputs and of PNG output.
constexpr OptionSpec PictureOptions[] = {
    {OptionId::Levels, nullptr, "--levels", true},
    {OptionId::Threshold, nullptr, "--threshold", true},
    {OptionId::Dither, nullptr, "--dither", true},
    {OptionId::Invert, nullptr, "--invert", false},
    {OptionId::NoAlphaMask, nullptr, "--no-alpha-mask", false},
    {OptionId::Crop, nullptr, "--crop", true},
    {OptionId::ScaleDown, nullptr, "--scale-down", true},
    {OptionId::ToPng, nullptr, "--to-png", true},
    {OptionId::PngScale, nullptr, "--png-scale", true},
    {OptionId::CalculatorColors, nullptr, "--calculator-colors", false},
    {OptionId::ListSprites, nullptr, "--list-sprites", false},
};

constexpr OptionId ImageOptions[] = {OptionId::Levels,      OptionId::Threshold, OptionId::Dither,   OptionId::Invert,
                                     OptionId::NoAlphaMask, OptionId::Crop,      OptionId::ScaleDown};
constexpr OptionId PngOptions[] = {OptionId::PngScale, OptionId::CalculatorColors};

// The specs of options that another file names and stores (layout, tiles),
// made once from its names.
std::vector<OptionSpec> SpecsNamed(OptionId id, const std::vector<const std::vector<std::string>*>& lists,
                                   bool (*known)(const std::string& name, bool& takesValue))
{
    std::vector<OptionSpec> made;
    for (const std::vector<std::string>* names : lists)
        for (const std::string& name : *names) {
            bool takesValue = false;
            known(name, takesValue);
            made.push_back({id, nullptr, name.c_str(), takesValue});
        }
    return made;
}

const OptionSpec* Among(const std::vector<OptionSpec>& specs, const std::string& name)
{
    for (const OptionSpec& option : specs)
        if (name == option.longName)
            return &option;
    return nullptr;
}

const OptionSpec* LayoutOption(const std::string& name)
{
    static const std::vector<OptionSpec> specs =
        SpecsNamed(OptionId::Layout, {&WritingOnlyOptions, &ReadingOnlyOptions, &SharedLayoutOptions}, IsLayoutOption);
    return Among(specs, name);
}

const OptionSpec* TileOption(const std::string& name)
{
    static const std::vector<OptionSpec> specs = SpecsNamed(OptionId::Tile, {&TileOptionNames}, IsTileOption);
    return Among(specs, name);
}

const OptionSpec* FindOption(const std::string& name)
{
    for (const OptionSpec& option : Options)
        if ((option.shortName && name == option.shortName) || (option.longName && name == option.longName))
            return &option;
    for (const OptionSpec& option : PictureOptions)
        if (option.longName == name)
            return &option;
    if (name == "--spacing") {
        static constexpr OptionSpec spacing{OptionId::Spacing, nullptr, "--spacing", true};
        return &spacing;
    }
    bool takesValue = false;
    if (IsScreenOption(name, takesValue)) {
        static constexpr OptionSpec withValue{OptionId::Screen, nullptr, nullptr, true};
        static constexpr OptionSpec flag{OptionId::Screen, nullptr, nullptr, false};
        return takesValue ? &withValue : &flag;
    }
    if (const OptionSpec* layout = LayoutOption(name))
        return layout;
    return TileOption(name);
}

// Everything the command line said, before the options are checked against
// each other.
struct RawCommand {
    std::set<OptionId> given;
    CliOptions options;
    std::optional<std::string> infoPlugin;
    std::optional<std::string> toPixoOutput;
    std::optional<std::string> toPngOutput;
    std::optional<std::string> toPixsOutput;
    std::optional<std::string> toTiOutput;
    std::optional<std::string> toPixmOutput;
    std::optional<std::string> spacing;
    std::vector<std::string> files;
};

void StoreImageOption(RawCommand& raw, OptionId id, const std::string& value)
{
    ConversionOptions& conversion = raw.options.conversion;
    switch (id) {
    case OptionId::Levels:
        conversion.levels = ParseLevels(value);
        break;
    case OptionId::Threshold:
        conversion.threshold = ParseOptionNumber("--threshold", value, MinThreshold, MaxThreshold);
        break;
    case OptionId::Dither:
        conversion.dithering = ParseDithering(value);
        break;
    case OptionId::Invert:
        conversion.invert = true;
        break;
    case OptionId::NoAlphaMask:
        conversion.alphaMask = false;
        break;
    case OptionId::Crop:
        conversion.crop = ParseCrop(value);
        break;
    case OptionId::ScaleDown:
        conversion.scaleDown = ParseOptionNumber("--scale-down", value, 1, MaxScaleDown);
        break;
    case OptionId::ToPng:
        raw.toPngOutput = value;
        break;
    case OptionId::PngScale:
        raw.options.pngScale = ParseOptionNumber("--png-scale", value, 1, MaxPngScale);
        break;
    case OptionId::CalculatorColors:
        raw.options.calculatorColors = true;
        break;
    default:
        break;
    }
}

// A frame of a set, counted from 0; the set's size is checked on reading.
int FrameNumber(const std::string& value)
{
    const bool digits = value.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || value.size() > 4)
        throw UsageError("--frame attend un numéro d'image à partir de 0, pas " + value);
    return std::stoi(value);
}

// A width of 1 to 32 columns: the widest element of a C array.
// Up to 32 columns, the widest element of the plug-ins' arrays; up to 240
// for 64-bit rows or rows of bytes (CheckLayoutOptions).
constexpr int WidestElement = 32;
int ColumnCount(const std::string& value)
{
    const bool digits = value.size() <= 3 && value.find_first_not_of("0123456789") == std::string::npos;
    const int columns = digits ? std::stoi(value) : 0;
    if (columns < 1 || columns > MaxWidth)
        throw UsageError("--width attend un nombre de colonnes de 1 à 32 (jusqu'à 240 avec --rows 64 ou bytes) : " +
                         value);
    return columns;
}

void Store(RawCommand& raw, const OptionSpec& option, const std::string& name, const std::string& value)
{
    if (option.id == OptionId::Tile) {
        if (option.takesValue && value.empty())
            throw UsageError("l'option " + name + " attend une valeur non vide");
        StoreTileOption(raw.options.tiles, name, value);
        return;
    }
    if (option.id == OptionId::Layout || option.id == OptionId::Screen) {
        if (option.takesValue && value.empty())
            throw UsageError("l'option " + name + " attend une valeur non vide");
        if (option.id == OptionId::Layout)
            StoreLayoutOption(raw.options.layout, name, value);
        else
            StoreScreenOption(raw.options.screen, name, value);
        return;
    }
    if (!raw.given.insert(option.id).second)
        throw UsageError("l'option " + name + " est donnée plusieurs fois");
    if (option.takesValue && value.empty())
        throw UsageError("l'option " + name + " attend une valeur non vide");
    switch (option.id) {
    case OptionId::Info:
        raw.infoPlugin = value;
        break;
    case OptionId::Spacing:
        raw.spacing = value;
        break;
    case OptionId::ToPixo:
        raw.toPixoOutput = value;
        break;
    case OptionId::Plugins:
        raw.options.pluginFolder = value;
        break;
    case OptionId::Plugin:
        raw.options.plugin = value;
        break;
    case OptionId::Name:
        if (const std::string why = WhyNotCIdentifier(value); !why.empty())
            throw UsageError("nom de sprite « " + value + " » refusé : " + why);
        raw.options.spriteName = value;
        break;
    case OptionId::Output:
        raw.options.output = value;
        break;
    case OptionId::ToPixs:
        raw.toPixsOutput = value;
        break;
    case OptionId::Frame:
        raw.options.frame = FrameNumber(value);
        break;
    case OptionId::ToTi:
        raw.toTiOutput = value;
        break;
    case OptionId::ToPixm:
        raw.toPixmOutput = value;
        break;
    case OptionId::VarName:
        raw.options.variableName = value;
        break;
    case OptionId::Array:
        raw.options.arrayName = value;
        break;
    case OptionId::Width:
        raw.options.width = ColumnCount(value);
        break;
    default:
        StoreImageOption(raw, option.id, value);
        break;
    }
}

// --spacing is a proportional font's on a command of fonts or of the
// calculator's screen (wherever it stands on the line), else the gap between
// the cells of a sheet.
void GiveSpacing(RawCommand& raw)
{
    if (!raw.spacing)
        return;
    const std::set<std::string>& screen = raw.options.screen.given;
    if (screen.count("--proportional") || screen.count("--font") || screen.count("--screen"))
        StoreScreenOption(raw.options.screen, "--spacing", *raw.spacing);
    else
        StoreTileOption(raw.options.tiles, "--spacing", *raw.spacing);
}

RawCommand ReadCommandLine(const std::vector<std::string>& arguments)
{
    RawCommand raw;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            raw.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const bool isLong = argument[1] == '-';
        const size_t equals = argument.find('=');
        const size_t nameEnd = isLong ? equals : 2;
        const std::string name = argument.substr(0, nameEnd);
        const OptionSpec* option = FindOption(name);
        if (!option)
            throw UsageError("option inconnue : " + argument);
        const bool attached = nameEnd != std::string::npos && nameEnd < argument.size();
        if (!option->takesValue) {
            if (attached)
                throw UsageError("l'option " + name + " ne prend pas de valeur");
            Store(raw, *option, name, "");
            continue;
        }
        if (attached) {
            Store(raw, *option, name, argument.substr(isLong ? nameEnd + 1 : nameEnd));
            continue;
        }
        if (i + 1 >= arguments.size())
            throw UsageError("l'option " + name + " attend une valeur");
        Store(raw, *option, name, arguments[++i]);
    }
    GiveSpacing(raw);
    return raw;
}

void RefuseOptions(const RawCommand& raw, std::initializer_list<OptionId> refused, const char* mode)
{
    for (const OptionSpec& option : Options)
        if (raw.given.count(option.id) && std::find(refused.begin(), refused.end(), option.id) != refused.end())
            throw UsageError(std::string("l'option ") + (option.shortName ? option.shortName : option.longName) +
                             " ne s'emploie pas avec " + mode);
}

template <std::size_t N> bool AnyGiven(const RawCommand& raw, const OptionId (&ids)[N])
{
    return std::any_of(std::begin(ids), std::end(ids), [&raw](OptionId id) { return raw.given.count(id) != 0; });
}

// The picture a command converts: its input, the sheet --to-pixs cuts, the
// picture --map-of maps.
std::string ImageInput(const CliOptions& options)
{
    if (options.mode == CliMode::ToPixs && options.inputs.size() == 1)
        return options.inputs.front();
    return options.tiles.mapOf.value_or(options.input);
}

// Conversion options mean something only for an image input, and the PNG
// options only for --to-png.
void CheckImageOptions(const RawCommand& raw, const CliOptions& options)
{
    if (AnyGiven(raw, ImageOptions) && InputKindOf(ImageInput(options)) != InputKind::Picture)
        throw UsageError("les options de conversion (--levels, --threshold, --dither, --invert, --no-alpha-mask, "
                         "--crop, --scale-down) ne s'emploient qu'avec une image .png, .bmp, .gif, .jpg ou .jpeg");
    if (AnyGiven(raw, PngOptions) && options.mode != CliMode::ToPng && options.mode != CliMode::Screen)
        throw UsageError("les options --png-scale et --calculator-colors ne s'emploient qu'avec --to-png");
}

// --array and --width choose in a C source, which --frame does not.
void CheckSourceOptions(const RawCommand& raw, const CliOptions& options)
{
    const std::vector<std::string>& inputs = options.mode == CliMode::ToPixs ? options.inputs : raw.files;
    const bool anySource = std::any_of(inputs.begin(), inputs.end(), IsSourcePath);
    for (const OptionId id : {OptionId::Array, OptionId::Width})
        if (raw.given.count(id) && !anySource)
            throw UsageError(std::string("l'option ") + (id == OptionId::Array ? "--array" : "--width") +
                             " ne s'emploie pas sans source C (.c ou .h)");
    if (options.frame && anySource)
        throw UsageError("--frame ne s'emploie pas avec une source C : --array y choisit le sprite");
}

std::string NameList(const std::vector<std::string>& names)
{
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " et " : ", ") + names[i];
    return list;
}

bool AnyLayoutGiven(const CliOptions& options, const std::vector<std::string>& names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return options.layout.given.count(name) != 0; });
}

// The layout options that --data writes with, and those that read the
// arrays of a source, which need --array; more than 32 columns need a row
// that holds them.
void CheckLayoutOptions(const RawCommand& raw, const CliOptions& options)
{
    const bool writing = options.mode == CliMode::Data;
    const std::vector<std::string>& inputs = options.mode == CliMode::ToPixs ? options.inputs : raw.files;
    const bool anySource = std::any_of(inputs.begin(), inputs.end(), IsSourcePath);
    if (!writing && AnyLayoutGiven(options, WritingOnlyOptions))
        throw UsageError("les options " + NameList(WritingOnlyOptions) + " ne s'emploient qu'avec --data");
    if (writing && AnyLayoutGiven(options, ReadingOnlyOptions))
        throw UsageError("l'option --height lit une source avec --to-pixo ou --to-pixs, pas avec --data");
    const bool reading = AnyLayoutGiven(options, SharedLayoutOptions) || AnyLayoutGiven(options, ReadingOnlyOptions);
    if (!writing && reading && !anySource)
        throw UsageError("les options " + NameList(SharedLayoutOptions) +
                         " ne s'emploient qu'avec --data ou pour lire une source C ou assembleur");
    // --to-pixm names its arrays with --tiles and --map.
    if (!writing && reading && !options.arrayName && options.mode != CliMode::ToPixm)
        throw UsageError("lire une disposition (" + NameList(SharedLayoutOptions) + ", --height) demande --array");
    const std::optional<RowUnit> rows = options.layout.request.rows;
    const bool wideRows = rows == RowUnit::Bits64 || rows == RowUnit::Bytes;
    if (options.width && *options.width > WidestElement && !wideRows)
        throw UsageError("--width attend un nombre de colonnes de 1 à 32 (jusqu'à 240 avec --rows 64 ou bytes) : " +
                         std::to_string(*options.width));
}

// --list-sprites SOURCE...: no other command, nothing the listing would not use.
CliOptions ListSpritesOptions(const RawCommand& raw)
{
    for (const OptionSpec& option : Options)
        if (option.id != OptionId::ListSprites && raw.given.count(option.id))
            throw UsageError(std::string("l'option ") + (option.shortName ? option.shortName : option.longName) +
                             " ne s'emploie pas avec --list-sprites");
    if (AnyLayoutGiven(raw.options, WritingOnlyOptions) || AnyLayoutGiven(raw.options, ReadingOnlyOptions) ||
        AnyLayoutGiven(raw.options, SharedLayoutOptions))
        throw UsageError("une disposition ne s'emploie pas avec --list-sprites");
    if (raw.files.empty())
        throw UsageError("fichier d'entrée manquant");
    for (const std::string& file : raw.files)
        if (file.empty() || file == "-")
            throw UsageError("--list-sprites lit des fichiers ou des dossiers : donnez leurs noms");
    CliOptions options = raw.options;
    options.mode = CliMode::ListSprites;
    options.inputs = raw.files;
    return options;
}

void ExpectFiles(const RawCommand& raw, size_t count)
{
    if (raw.files.size() < count)
        throw UsageError("fichier d'entrée manquant");
    if (raw.files.size() > count)
        throw UsageError("argument en trop : " + raw.files[count]);
    if (count == 1 && raw.files[0] == "-")
        throw UsageError("l'entrée standard n'est pas lue : donnez le nom d'un fichier");
    if (count == 1 && raw.files[0].empty())
        throw UsageError("nom de fichier d'entrée vide");
}

// --to-pixo reads one input, or the two calculator pictures of a gray
// sprite: its light plane, then its dark plane.
void TakeToPixoInputs(const RawCommand& raw, CliOptions& options)
{
    if (raw.files.size() != 2) {
        ExpectFiles(raw, 1);
        options.input = raw.files[0];
        return;
    }
    for (const std::string& file : raw.files)
        if (!IsCalculatorPicturePath(file))
            throw UsageError("--to-pixo lit une entrée, ou deux images de calculatrice (.89i, .9xi, .v2i), le plan "
                             "clair puis le plan foncé d'un sprite en gris, et non " +
                             file);
    options.inputs = raw.files;
    options.input = raw.files[0];
}

} // namespace

CliOptions ParseArguments(const std::vector<std::string>& arguments)
{
    RawCommand raw = ReadCommandLine(arguments);
    CliOptions& options = raw.options;
    if (raw.given.count(OptionId::Help)) {
        options.mode = CliMode::Help;
        return options;
    }
    if (raw.given.count(OptionId::Version)) {
        options.mode = CliMode::Version;
        return options;
    }
    if (raw.given.count(OptionId::ListSprites))
        return ListSpritesOptions(raw);
    const bool otherMode = raw.given.count(OptionId::List) || raw.given.count(OptionId::Info) || raw.toPixoOutput ||
                           raw.toPngOutput || raw.toPixsOutput || raw.toTiOutput || raw.toPixmOutput;
    if (raw.given.count(OptionId::Data) && otherMode)
        throw UsageError(
            "--data ne s'emploie pas avec --list, --info, --to-pixo, --to-pixs, --to-png, --to-ti ou --to-pixm");
    if (raw.toPixmOutput && (raw.given.count(OptionId::List) || raw.given.count(OptionId::Info) || raw.toPixoOutput ||
                             raw.toPngOutput || raw.toPixsOutput || raw.toTiOutput))
        throw UsageError("--to-pixm ne s'emploie pas avec une autre commande");
    const int modes = static_cast<int>(raw.given.count(OptionId::List) + raw.given.count(OptionId::Info) +
                                       raw.given.count(OptionId::ToPixo));
    if (modes > 1)
        throw UsageError("--list, --info et --to-pixo s'excluent mutuellement");
    if (modes > 0 && raw.given.count(OptionId::ToPng))
        throw UsageError("--to-png ne s'emploie pas avec --list, --info ou --to-pixo");
    if (modes > 0 && raw.toPixsOutput)
        throw UsageError("--to-pixs ne s'emploie pas avec --list, --info ou --to-pixo");
    if (raw.toPngOutput && raw.toPixsOutput)
        throw UsageError("--to-png et --to-pixs s'excluent l'un l'autre");
    if (modes == 1 && raw.toTiOutput)
        throw UsageError("--to-ti ne s'emploie pas avec --list, --info ou --to-pixo");
    if (!raw.toTiOutput)
        RefuseOptions(raw, {OptionId::VarName}, "autre chose que --to-ti");
    CheckScreenOptions(options.screen, raw.toPngOutput.has_value(), raw.given.count(OptionId::Data) != 0);
    if (raw.given.count(OptionId::List)) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Frame}, "--list");
        ExpectFiles(raw, 0);
        options.mode = CliMode::List;
    } else if (raw.infoPlugin) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Frame}, "--info");
        ExpectFiles(raw, 0);
        options.mode = CliMode::Info;
        options.plugin = *raw.infoPlugin;
    } else if (raw.toPixoOutput) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Plugins}, "--to-pixo");
        TakeToPixoInputs(raw, options);
        options.mode = CliMode::ToPixo;
        options.output = *raw.toPixoOutput;
    } else if (raw.toPngOutput) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Plugins}, "--to-png");
        // A text on the screen is drawn from its font alone.
        ExpectFiles(raw, options.screen.text ? 0 : 1);
        if (*raw.toPngOutput == "-")
            throw UsageError("--to-png écrit un fichier : donnez son nom, pas -");
        if (options.screen.model && options.calculatorColors)
            throw UsageError("--calculator-colors ne s'emploie pas avec --screen : l'écran a ses propres couleurs");
        options.mode = options.screen.model ? CliMode::Screen : CliMode::ToPng;
        options.output = *raw.toPngOutput;
        options.input = raw.files.empty() ? std::string() : raw.files[0];
    } else if (raw.toPixsOutput) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Plugins, OptionId::Frame},
                      "--to-pixs");
        if (raw.files.empty())
            throw UsageError("fichier d'entrée manquant");
        for (const std::string& file : raw.files)
            if (file.empty() || file == "-")
                throw UsageError("--to-pixs lit des fichiers : donnez leurs noms");
        options.mode = CliMode::ToPixs;
        options.output = *raw.toPixsOutput;
        options.inputs = raw.files;
    } else if (raw.toTiOutput) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Plugins}, "--to-ti");
        ExpectFiles(raw, 1);
        options.mode = CliMode::ToTi;
        options.output = *raw.toTiOutput;
        options.input = raw.files[0];
    } else if (raw.toPixmOutput) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Plugins, OptionId::Frame},
                      "--to-pixm");
        ExpectFiles(raw, options.tiles.mapOf ? 0 : 1);
        options.mode = CliMode::ToPixm;
        options.output = *raw.toPixmOutput;
        options.input = options.tiles.mapOf ? "" : raw.files[0];
    } else if (raw.given.count(OptionId::Data)) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Plugins}, "--data");
        ExpectFiles(raw, 1);
        options.mode = CliMode::Data;
        options.input = raw.files[0];
    } else {
        ExpectFiles(raw, 1);
        options.input = raw.files[0];
    }
    CheckImageOptions(raw, options);
    CheckSourceOptions(raw, options);
    CheckLayoutOptions(raw, options);
    CheckTileOptions(options);
    return options;
}

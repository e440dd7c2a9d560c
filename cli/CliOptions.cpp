#include "CliOptions.h"

#include <algorithm>
#include <set>

#include "CIdentifier.h"

namespace {

enum class OptionId { Help, Version, List, Info, ToPixo, Plugins, Plugin, Name, Output };

struct OptionSpec {
    OptionId id;
    const char* shortName; // nullptr when there is none
    const char* longName;
    bool takesValue;
};

constexpr OptionSpec Options[] = {
    {OptionId::Help, "-h", "--help", false},        {OptionId::Version, nullptr, "--version", false},
    {OptionId::List, nullptr, "--list", false},     {OptionId::Info, nullptr, "--info", true},
    {OptionId::ToPixo, nullptr, "--to-pixo", true}, {OptionId::Plugins, nullptr, "--plugins", true},
    {OptionId::Plugin, "-p", nullptr, true},        {OptionId::Name, "-n", nullptr, true},
    {OptionId::Output, "-o", nullptr, true},
};

const OptionSpec* FindOption(const std::string& name)
{
    for (const OptionSpec& option : Options)
        if ((option.shortName && name == option.shortName) || (option.longName && name == option.longName))
            return &option;
    return nullptr;
}

// Everything the command line said, before the options are checked against
// each other.
struct RawCommand {
    std::set<OptionId> given;
    CliOptions options;
    std::optional<std::string> infoPlugin;
    std::optional<std::string> toPixoOutput;
    std::vector<std::string> files;
};

void Store(RawCommand& raw, const OptionSpec& option, const std::string& name, const std::string& value)
{
    if (!raw.given.insert(option.id).second)
        throw UsageError("l'option " + name + " est donnée plusieurs fois");
    if (option.takesValue && value.empty())
        throw UsageError("l'option " + name + " attend une valeur non vide");
    switch (option.id) {
    case OptionId::Info:
        raw.infoPlugin = value;
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
    default:
        break;
    }
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
    return raw;
}

void RefuseOptions(const RawCommand& raw, std::initializer_list<OptionId> refused, const char* mode)
{
    for (const OptionSpec& option : Options)
        if (raw.given.count(option.id) && std::find(refused.begin(), refused.end(), option.id) != refused.end())
            throw UsageError(std::string("l'option ") + (option.shortName ? option.shortName : option.longName) +
                             " ne s'emploie pas avec " + mode);
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
    const int modes = static_cast<int>(raw.given.count(OptionId::List) + raw.given.count(OptionId::Info) +
                                       raw.given.count(OptionId::ToPixo));
    if (modes > 1)
        throw UsageError("--list, --info et --to-pixo s'excluent l'un l'autre");
    if (raw.given.count(OptionId::List)) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output}, "--list");
        ExpectFiles(raw, 0);
        options.mode = CliMode::List;
    } else if (raw.infoPlugin) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output}, "--info");
        ExpectFiles(raw, 0);
        options.mode = CliMode::Info;
        options.plugin = *raw.infoPlugin;
    } else if (raw.toPixoOutput) {
        RefuseOptions(raw, {OptionId::Plugin, OptionId::Name, OptionId::Output, OptionId::Plugins}, "--to-pixo");
        ExpectFiles(raw, 1);
        options.mode = CliMode::ToPixo;
        options.output = *raw.toPixoOutput;
        options.input = raw.files[0];
    } else {
        ExpectFiles(raw, 1);
        options.input = raw.files[0];
    }
    return options;
}

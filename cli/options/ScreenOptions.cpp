#include "ScreenOptions.h"

#include <algorithm>

#include "CliOptions.h"

namespace {

struct ScreenOption {
    const char* name;
    bool takesValue;
};
constexpr ScreenOption ScreenOptions[] = {
    {"--screen", true}, {"--at", true},    {"--mode", true},          {"--background", true}, {"--text", true},
    {"--font", true},   {"--first", true}, {"--proportional", false}, {"--spacing", true},
};

// A whole number from min to max, sign allowed.
int ScreenNumber(const std::string& option, const std::string& text, int min, int max)
{
    const std::size_t digitsFrom = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::string digits = text.substr(digitsFrom);
    const bool valid =
        !digits.empty() && digits.size() <= 6 && digits.find_first_not_of("0123456789") == std::string::npos;
    const int value = valid ? std::stoi(text) : min - 1;
    if (value < min || value > max)
        throw UsageError(option + " attend un nombre entier de " + std::to_string(min) + " à " + std::to_string(max) +
                         " : " + text);
    return value;
}

Point Position(const std::string& text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError("--at attend une position X,Y (de -10000 à 10000) : " + text);
    return {ScreenNumber("--at", text.substr(0, comma), -MaxScreenOffset, MaxScreenOffset),
            ScreenNumber("--at", text.substr(comma + 1), -MaxScreenOffset, MaxScreenOffset)};
}

int FirstCode(const std::string& text)
{
    if (const std::optional<int> code = FontCodeFromText(text))
        return *code;
    throw UsageError("le premier caractère attend un code de 32 à 255 ou un caractère : " + text);
}

void Refuse(const ScreenRequest& request, std::initializer_list<const char*> names, const std::string& unless)
{
    for (const char* name : names)
        if (request.given.count(name))
            throw UsageError(std::string("l'option ") + name + " ne s'emploie " + unless);
}

} // namespace

bool IsScreenOption(const std::string& name, bool& takesValue)
{
    const auto* option = std::find_if(std::begin(ScreenOptions), std::end(ScreenOptions),
                                      [&name](const ScreenOption& known) { return name == known.name; });
    if (option == std::end(ScreenOptions))
        return false;
    takesValue = option->takesValue;
    return true;
}

void StoreScreenOption(ScreenRequest& request, const std::string& name, const std::string& value)
{
    if (!request.given.insert(name).second)
        throw UsageError("l'option " + name + " est donnée plusieurs fois");
    if (name == "--screen") {
        request.model = ModelFromName(value);
        if (!request.model)
            throw UsageError("--screen attend ti89, ti92p ou v200 : " + value);
    } else if (name == "--at") {
        request.at = Position(value);
    } else if (name == "--mode") {
        request.mode = DrawModeFromName(value);
        if (!request.mode)
            throw UsageError("--mode attend or, xor, and, mask, replace, tranw ou tranb : " + value);
    } else if (name == "--background") {
        request.background = value;
    } else if (name == "--text") {
        request.text = value;
    } else if (name == "--font") {
        request.font = value;
    } else if (name == "--first") {
        request.fontSpec.first = FirstCode(value);
    } else if (name == "--proportional") {
        request.fontSpec.proportional = true;
    } else if (name == "--spacing") {
        request.fontSpec.spacing = ScreenNumber("--spacing", value, 0, MaxWidth);
    }
}

void CheckScreenOptions(ScreenRequest& request, bool toPng, bool data)
{
    if (request.given.empty())
        return;
    if (request.given.count("--spacing") && !request.fontSpec.proportional)
        throw UsageError("--spacing ne s'emploie qu'avec --proportional");
    if (request.fontSpec.proportional && !request.font)
        throw UsageError("--proportional ne s'emploie qu'avec --font");
    if (data) {
        Refuse(request, {"--screen", "--at", "--mode", "--background", "--text", "--first"}, "qu'avec --to-png");
        if (request.font)
            request.fontSpec.first = FirstCode(*request.font);
        return;
    }
    if (!request.model) {
        Refuse(request, {"--at", "--mode", "--background", "--text", "--first"}, "qu'avec --screen");
        throw UsageError(toPng ? "--font ne s'emploie qu'avec --data ou --text" : "--font ne s'emploie qu'avec --data");
    }
    if (!toPng)
        throw UsageError("--screen ne s'emploie qu'avec --to-png");
    if (request.text && (!request.font || !request.given.count("--first")))
        throw UsageError("--text demande la police (--font PLANCHE.pixs) et son premier caractère (--first)");
    if (!request.text)
        Refuse(request, {"--font", "--first"}, "qu'avec --text");
}

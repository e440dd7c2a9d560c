// A second pass of the C tokenizer: at a routine's name followed by '(',
// the arguments are taken as token lists (bounded in number and length, so
// the pass stays linear), then each is matched against the few shapes a
// plane argument takes.
#include "DrawCalls.h"

#include <algorithm>
#include <unordered_map>

#include "ShownText.h"
#include "U_class.h"

namespace {

constexpr std::size_t MostArguments = 16;
constexpr std::size_t MostArgumentTokens = 64;

using Tokens = std::vector<Token>;

// What the routine's name says.
struct Routine {
    bool gray = false;
    bool interlaced = false;
    RowUnit rows = RowUnit::Bits8;
    std::string mode; // OR, MASK...; empty for the C library's Sprite8/16/32
};

bool Take(std::string_view& text, std::string_view prefix)
{
    if (text.substr(0, prefix.size()) != prefix)
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

std::optional<Routine> RoutineNamed(std::string_view name)
{
    static constexpr std::string_view Modes[] = {"OR", "XOR", "AND", "MASK", "SMASK", "BLIT", "RPLC", "TRANW", "TRANB"};
    Routine routine;
    routine.gray = Take(name, "Gray");
    const bool clip = Take(name, "Clip");
    routine.interlaced = routine.gray && Take(name, "I");
    if (!Take(name, "Sprite"))
        return std::nullopt;
    if (Take(name, "X8"))
        routine.rows = RowUnit::Bytes;
    else if (Take(name, "16"))
        routine.rows = RowUnit::Bits16;
    else if (Take(name, "32"))
        routine.rows = RowUnit::Bits32;
    else if (!Take(name, "8"))
        return std::nullopt;
    if (name.empty()) // the C library's own, with a mode argument
        return !routine.gray && !clip && routine.rows != RowUnit::Bytes ? std::optional<Routine>(routine)
                                                                        : std::nullopt;
    if (!Take(name, "_"))
        return std::nullopt;
    for (std::string_view mode : Modes)
        if (name == mode || (name.size() == mode.size() + 2 && Take(name, mode) && name == "_R")) {
            routine.mode = std::string(mode);
            return routine;
        }
    return std::nullopt;
}

// The planes the routine's arguments name, in the order of the arguments.
std::vector<Plane> ArgumentPlanes(const Routine& routine)
{
    const bool mask = routine.mode == "MASK" || routine.mode == "SMASK";
    if (routine.interlaced)
        return {Plane::Light}; // one array; its planes are below
    if (!routine.gray)
        return mask ? std::vector<Plane>{Plane::Black, Plane::Mask} : std::vector<Plane>{Plane::Black};
    // MASK takes a mask per plane; the first one is the sprite's.
    return mask ? std::vector<Plane>{Plane::Light, Plane::Dark, Plane::Mask}
                : std::vector<Plane>{Plane::Light, Plane::Dark};
}

class VectorStream : public TokenStream {
public:
    explicit VectorStream(const Tokens& tokens) : tokens_(tokens) {}
    const Token& Current() const override { return at_ < tokens_.size() ? tokens_[at_] : end_; }
    void Advance() override { at_ += at_ < tokens_.size() ? 1 : 0; }
    bool AtEnd() const { return at_ >= tokens_.size(); }

private:
    const Tokens& tokens_;
    std::size_t at_ = 0;
    Token end_;
};

std::optional<std::size_t> ConstantOf(const Tokens& tokens, const IntegerConstants& constants, std::size_t largest)
{
    if (tokens.empty())
        return std::nullopt;
    VectorStream stream(tokens);
    const ExpressionResult result = ParseIntegerExpression(stream, constants, CLiteralValue);
    if (result.error != ExpressionError::None || !stream.AtEnd())
        return std::nullopt;
    return SmallCount(result.value, largest);
}

// Whether the tokens are a whole expression of literals and known
// constants, whatever its value: an index the program knows before it runs.
bool IsConstantExpression(const Tokens& tokens, const IntegerConstants& constants)
{
    VectorStream stream(tokens);
    const ExpressionResult result = ParseIntegerExpression(stream, constants, CLiteralValue);
    return !tokens.empty() && result.error != ExpressionError::NotANumber && stream.AtEnd();
}

// NAME[*], as a reading by hand says "every row of the table": no C index
// is written so, and it reads as an index known only when the program runs.
bool IsAnyRow(const Tokens& index)
{
    return index.size() == 1 && index.front().Is("*");
}

// The index of the bracket that closes the one at open, or size.
std::size_t Closing(const Tokens& tokens, std::size_t open)
{
    const std::string_view opening = tokens[open].text;
    const std::string_view closing = opening == "(" ? ")" : "]";
    int depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        depth += tokens[i].Is(opening) ? 1 : tokens[i].Is(closing) ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return tokens.size();
}

Tokens Slice(const Tokens& tokens, std::size_t from, std::size_t to)
{
    return Tokens(tokens.begin() + static_cast<std::ptrdiff_t>(from), tokens.begin() + static_cast<std::ptrdiff_t>(to));
}

// Outer parentheses and casts, (unsigned short *) and the like, taken off.
Tokens Stripped(Tokens tokens)
{
    while (!tokens.empty() && tokens.front().Is("(")) {
        const std::size_t close = Closing(tokens, 0);
        if (close == tokens.size())
            break;
        if (close == tokens.size() - 1) {
            tokens = Slice(tokens, 1, close);
            continue;
        }
        const bool cast =
            close > 1 && std::all_of(tokens.begin() + 1, tokens.begin() + static_cast<std::ptrdiff_t>(close),
                                     [](const Token& t) { return t.kind == TokenKind::Identifier || t.Is("*"); });
        if (!cast)
            break;
        tokens = Slice(tokens, close + 1, tokens.size());
    }
    return tokens;
}

// The arrays of the scan by name: the arrays themselves, and the arrays of
// parts by the name before "[k]".
class KnownArrays {
public:
    explicit KnownArrays(const CArrayScan& scan)
    {
        for (const CArray& array : scan.arrays) {
            names_.emplace(array.name, array.elementBits);
            const std::size_t bracket = array.name.find('[');
            if (bracket != std::string::npos)
                partsOf_.emplace(array.name.substr(0, bracket), array.elementBits);
        }
    }
    bool IsArray(std::string_view name) const { return names_.count(std::string(name)) != 0; }
    bool HasParts(std::string_view name) const { return partsOf_.count(std::string(name)) != 0; }
    bool Knows(std::string_view name) const { return IsArray(name) || HasParts(name); }

private:
    std::unordered_map<std::string, int> names_;
    std::unordered_map<std::string, int> partsOf_;
};

class ArgumentReader {
public:
    ArgumentReader(const KnownArrays& arrays, const IntegerConstants& constants)
        : arrays_(arrays), constants_(constants)
    {
    }

    // The array and offset a plane argument names, or nothing.
    std::optional<PlaneArgument> Read(const Tokens& argument) const
    {
        const Tokens tokens = Stripped(argument);
        if (tokens.size() >= 3 && tokens.back().kind == TokenKind::Identifier && tokens[tokens.size() - 2].Is("+") &&
            arrays_.IsArray(tokens.back().text)) { // N + NAME
            const std::optional<std::size_t> offset = Offset(Slice(tokens, 0, tokens.size() - 2));
            if (!offset)
                return std::nullopt;
            return PlaneArgument{Plane::Black, std::string(tokens.back().text), false, *offset};
        }
        const bool address = !tokens.empty() && tokens.front().Is("&");
        std::size_t at = address ? 1 : 0;
        if (at >= tokens.size() || tokens[at].kind != TokenKind::Identifier || !arrays_.Knows(tokens[at].text))
            return std::nullopt;
        const std::string name(tokens[at++].text);
        std::vector<Tokens> indexes;
        while (at < tokens.size() && tokens[at].Is("[") && indexes.size() < 2) {
            const std::size_t close = Closing(tokens, at);
            if (close == tokens.size())
                return std::nullopt;
            indexes.push_back(Slice(tokens, at + 1, close));
            at = close + 1;
        }
        std::size_t added = 0;
        if (at < tokens.size()) {
            if (!tokens[at].Is("+"))
                return std::nullopt;
            const std::optional<std::size_t> offset = Offset(Slice(tokens, at + 1, tokens.size()));
            if (!offset)
                return std::nullopt;
            added = *offset;
        }
        return arrays_.HasParts(name) ? PartArgument(name, indexes, address, added)
                                      : FlatArgument(name, indexes, address, added);
    }

private:
    std::optional<std::size_t> Offset(const Tokens& tokens) const
    {
        return ConstantOf(tokens, constants_, MaxArrayElements);
    }

    // NAME + N, &NAME[N]
    std::optional<PlaneArgument> FlatArgument(const std::string& name, const std::vector<Tokens>& indexes, bool address,
                                              std::size_t added) const
    {
        if (indexes.size() != (address ? 1u : 0u))
            return std::nullopt;
        std::size_t offset = added;
        if (address) {
            const std::optional<std::size_t> index = Offset(indexes[0]);
            if (!index)
                return std::nullopt;
            offset += *index;
        }
        return PlaneArgument{Plane::Black, name, false, offset};
    }

    // NAME[K], NAME[K] + N, &NAME[K][N], NAME; NAME[i] with i unknown reads
    // every part from the first. A constant K before the first part or past
    // the last names no array: the call is passed over.
    std::optional<PlaneArgument> PartArgument(const std::string& name, const std::vector<Tokens>& indexes, bool address,
                                              std::size_t added) const
    {
        if (indexes.empty())
            return address || added ? std::nullopt : std::optional<PlaneArgument>({Plane::Black, name, true, 0});
        if (!address && indexes.size() != 1)
            return std::nullopt;
        std::size_t offset = added;
        if (indexes.size() == 2) {
            const std::optional<std::size_t> inPart = Offset(indexes[1]);
            if (!inPart)
                return std::nullopt;
            offset += *inPart;
        }
        const std::optional<std::size_t> part = ConstantOf(indexes[0], constants_, MaxArrayParts);
        if (!part && (IsAnyRow(indexes[0]) || !IsConstantExpression(indexes[0], constants_)))
            return PlaneArgument{Plane::Black, name, true, offset};
        if (!part)
            return std::nullopt;
        const std::string partName = name + "[" + std::to_string(*part) + "]";
        if (!arrays_.IsArray(partName))
            return std::nullopt;
        return PlaneArgument{Plane::Black, partName, false, offset};
    }

    const KnownArrays& arrays_;
    const IntegerConstants& constants_;
};

enum class PlaneHint { None, Light, Dark };

// What a destination argument says of its plane: a word in a name, or the
// plane number of GrayGetPlane(0) / GetPlane(1).
PlaneHint HintOf(const Tokens& argument)
{
    for (std::size_t i = 0; i < argument.size(); ++i) {
        if (argument[i].kind != TokenKind::Identifier)
            continue;
        const std::string word = AsciiLowered(argument[i].text);
        if (word.find("light") != std::string::npos || word.find("clair") != std::string::npos)
            return PlaneHint::Light;
        if (word.find("dark") != std::string::npos || word.find("fonc") != std::string::npos ||
            word.find("sombre") != std::string::npos)
            return PlaneHint::Dark;
        if (word.find("getplane") != std::string::npos && i + 3 < argument.size() && argument[i + 1].Is("(") &&
            argument[i + 3].Is(")") && (argument[i + 2].text == "0" || argument[i + 2].text == "1"))
            return argument[i + 2].text == "0" ? PlaneHint::Light : PlaneHint::Dark;
    }
    return PlaneHint::None;
}

class CallFinder {
public:
    CallFinder(std::string_view text, const CArrayScan& scan)
        : text_(text), tokens_(text, nullptr), arrays_(scan), reader_(arrays_, scan.constants),
          constants_(scan.constants)
    {
    }

    std::vector<DrawCall> Run()
    {
        Token previous;
        Token token = tokens_.Next();
        while (token.kind != TokenKind::End && calls_.size() < MaxDrawCalls) {
            const Token next = tokens_.Next();
            // A type before the name makes it a declaration of the routine.
            const bool declared = previous.kind == TokenKind::Identifier && previous.text != "return";
            const std::optional<Routine> routine = token.kind == TokenKind::Identifier && next.Is("(") && !declared
                                                       ? RoutineNamed(token.text)
                                                       : std::nullopt;
            if (!routine) {
                previous = token;
                token = next;
                continue;
            }
            std::vector<Tokens> arguments;
            const Token after = ReadArguments(arguments);
            if (!arguments.empty())
                AddCall(token.text, *routine, arguments, static_cast<std::size_t>(token.text.data() - text_.data()));
            previous = {};
            token = after;
        }
        return std::move(calls_);
    }

private:
    // After '(': the arguments up to the matching ')'; the token after the
    // call is returned. An argument list too long or unclosed gives none.
    Token ReadArguments(std::vector<Tokens>& arguments)
    {
        Tokens current;
        int depth = 0;
        std::size_t taken = 0;
        while (true) {
            const Token token = tokens_.Next();
            if (token.kind == TokenKind::End || ++taken > MostArguments * MostArgumentTokens || token.Is(";") ||
                token.Is("{") || token.Is("}")) {
                arguments.clear();
                return token;
            }
            if (depth == 0 && (token.Is(",") || token.Is(")"))) {
                arguments.push_back(std::move(current));
                current.clear();
                if (token.Is(")"))
                    return tokens_.Next();
                continue;
            }
            depth += token.Is("(") || token.Is("[") ? 1 : token.Is(")") || token.Is("]") ? -1 : 0;
            current.push_back(token);
        }
    }

    static std::string TextOf(const Tokens& tokens)
    {
        if (tokens.empty())
            return {};
        const char* start = tokens.front().text.data();
        const char* end = tokens.back().text.data() + tokens.back().text.size();
        return std::string(start, static_cast<std::size_t>(end - start));
    }

    void AddCall(std::string_view name, const Routine& routine, const std::vector<Tokens>& arguments,
                 std::size_t textOffset)
    {
        const std::vector<Plane> named = ArgumentPlanes(routine);
        const std::size_t afterPlanes = 3 + named.size();
        if (arguments.size() < afterPlanes)
            return;
        DrawCall call;
        call.routine = std::string(name);
        call.textOffset = textOffset;
        call.rows = routine.rows;
        call.interlaced = routine.interlaced;
        call.heightText = TextOf(arguments[2]);
        if (const std::optional<std::size_t> height = ConstantOf(arguments[2], constants_, MaxHeight);
            height && *height)
            call.height = static_cast<int>(*height);
        for (std::size_t i = 0; i < named.size(); ++i) {
            std::optional<PlaneArgument> plane = reader_.Read(arguments[3 + i]);
            if (!plane)
                return;
            plane->plane = named[i];
            call.planes.push_back(std::move(*plane));
        }
        if (routine.interlaced) { // the planes of its rows, in their order
            const PlaneArgument first = call.planes.front();
            const std::vector<Plane> rows = routine.mode == "MASK"
                                                ? std::vector<Plane>{Plane::Mask, Plane::Light, Plane::Dark}
                                                : std::vector<Plane>{Plane::Light, Plane::Dark};
            call.planes.clear();
            for (const Plane plane : rows)
                call.planes.push_back({plane, first.array, first.wholeParts, first.elementOffset});
        }
        if (routine.rows == RowUnit::Bytes)
            call.byteWidth = ByteWidth(routine, arguments, afterPlanes);
        if (routine.gray && arguments.size() >= afterPlanes + 2)
            SwapPlanesIfDestinationsSay(call, arguments[arguments.size() - 2], arguments.back());
        calls_.push_back(std::move(call));
    }

    // SpriteX8's byte width: the first constant after the planes, the
    // second for BLIT, whose first is the mask value.
    std::optional<int> ByteWidth(const Routine& routine, const std::vector<Tokens>& arguments, std::size_t from) const
    {
        constexpr std::size_t MostBytes = 30; // 240 pixels
        int skip = routine.mode == "BLIT" ? 1 : 0;
        for (std::size_t i = from; i < arguments.size(); ++i) {
            const std::optional<std::size_t> value = ConstantOf(arguments[i], constants_, UINT32_MAX);
            if (value && skip-- == 0)
                return *value >= 1 && *value <= MostBytes ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
        }
        return std::nullopt;
    }

    static void SwapPlanesIfDestinationsSay(DrawCall& call, const Tokens& first, const Tokens& second)
    {
        if (HintOf(first) != PlaneHint::Dark && HintOf(second) != PlaneHint::Light)
            return;
        for (PlaneArgument& plane : call.planes)
            if (plane.plane == Plane::Light || plane.plane == Plane::Dark)
                plane.plane = plane.plane == Plane::Light ? Plane::Dark : Plane::Light;
    }

    std::string_view text_;
    CTokenizer tokens_;
    KnownArrays arrays_;
    ArgumentReader reader_;
    const IntegerConstants& constants_;
    std::vector<DrawCall> calls_;
};

std::string BaseName(const std::string& name)
{
    return name.substr(0, name.find('['));
}

} // namespace

PlaneText ReadPlaneText(std::string_view text, const CArrayScan& scan)
{
    const KnownArrays arrays(scan);
    // A bare name is the array as C lays it out, a table's rows one after
    // the other, as a reading by hand has always taken it; assembly labels
    // may hold what C names do not.
    if (arrays.Knows(text))
        return {PlaneArgument{Plane::Black, std::string(text), false, 0}, {}};
    Tokens tokens;
    CTokenizer tokenizer(text, nullptr);
    for (Token token = tokenizer.Next(); token.kind != TokenKind::End; token = tokenizer.Next()) {
        if (tokens.size() == MostArgumentTokens)
            return {std::nullopt, InGuillemets(ShownSourceText(std::string(text.substr(0, 40)))) + " : trop long"};
        tokens.push_back(token);
    }
    if (tokens.empty())
        return {std::nullopt, "aucun tableau nommé"};
    if (tokens.size() == 1 && tokens.front().kind == TokenKind::Identifier && arrays.Knows(tokens.front().text))
        return {PlaneArgument{Plane::Black, std::string(tokens.front().text), false, 0}, {}}; // blanks around it
    const std::string shown = ShownSourceText(std::string(text));
    std::size_t name = tokens.front().Is("&") ? 1 : 0;
    for (; name < tokens.size() && tokens[name].Is("("); name = Closing(tokens, name) + 1) // casts
        ;
    if (name < tokens.size() && tokens[name].kind == TokenKind::Identifier && !arrays.Knows(tokens[name].text))
        return {std::nullopt, "pas de tableau " + InGuillemets(ShownSourceText(std::string(tokens[name].text)))};
    if (std::optional<PlaneArgument> argument = ArgumentReader(arrays, scan.constants).Read(tokens))
        return {std::move(argument), {}};
    return {std::nullopt, InGuillemets(shown) +
                              " : illisible ; un plan s'écrit NOM, NOM+K, &NOM[K], NOM[K] (une "
                              "ligne d'un tableau à deux dimensions) ou NOM[*] (chacune de ses lignes, "
                              "une image par ligne)"};
}

std::vector<DrawCall> FindDrawCalls(std::string_view text, const CArrayScan& scan)
{
    return CallFinder(text, scan).Run();
}

const DrawCall* CallReading(const std::vector<DrawCall>& calls, const std::string& array)
{
    for (const DrawCall& call : calls)
        for (const PlaneArgument& plane : call.planes)
            if (plane.array == array || BaseName(plane.array) == array)
                return &call;
    return nullptr;
}

// A small tokenizer (identifiers, numbers, punctuation; comments, strings,
// character constants and white space skipped) feeding a parser that knows
// one sentence: qualifiers, an element type, a name, brackets, '=' and a
// brace list of numbers. A parse that fails resumes at the token that broke
// it, so every token is looked at a bounded number of times and the whole
// read is linear in the text's length.
#include "c_array_reader.h"

#include <algorithm>

#include <optional>

namespace {

constexpr std::size_t MaxRefusalsKept = 50;

enum class TokenKind { Identifier, Number, Punctuation, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
};

// Plain ASCII tests: the locale has no say in what C calls a letter.
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsIdentifierStart(char c)
{
    return IsLetter(c) || c == '_';
}

bool IsIdentifierChar(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '_';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

class Tokenizer {
public:
    Tokenizer(std::string_view text, std::map<std::string, CommentSize>& commentSizes)
        : text_(text), commentSizes_(commentSizes)
    {
    }

    Token Next()
    {
        SkipBlanks();
        if (at_ >= text_.size())
            return {};
        const std::size_t start = at_;
        const char c = text_[at_];
        if (IsIdentifierStart(c)) {
            while (at_ < text_.size() && IsIdentifierChar(text_[at_]))
                ++at_;
            return {TokenKind::Identifier, text_.substr(start, at_ - start)};
        }
        // A number runs on through letters and digits ("0x3Cul"); a '.' makes
        // it a floating constant, which no array of ours holds.
        if (IsDigit(c)) {
            while (at_ < text_.size() && (IsIdentifierChar(text_[at_]) || text_[at_] == '.' || text_[at_] == '\''))
                ++at_;
            return {TokenKind::Number, text_.substr(start, at_ - start)};
        }
        ++at_;
        return {TokenKind::Punctuation, text_.substr(start, 1)};
    }

private:
    void SkipBlanks()
    {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            const char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
            if (IsSpace(c))
                ++at_;
            else if (c == '/' && next == '/')
                SkipLine();
            else if (c == '/' && next == '*')
                SkipBlockComment();
            else if (c == '"' || c == '\'')
                SkipQuoted(c);
            else
                return;
        }
    }

    // A line ends at LF, CR LF or a lone CR (old Mac files), as the
    // compiler reads it.
    void SkipLine()
    {
        while (at_ < text_.size() && text_[at_] != '\n' && text_[at_] != '\r')
            ++at_;
    }

    // Searched by its '/' (a single-character search is the fast one), then
    // checked for the '*' before it, which cannot be the opening one.
    void SkipBlockComment()
    {
        const std::size_t bodyStart = at_ + 2;
        std::size_t slash = bodyStart + 1;
        while ((slash = text_.find('/', slash)) != std::string_view::npos && text_[slash - 1] != '*')
            ++slash;
        if (slash == std::string_view::npos) {
            ReadCommentSize(text_.substr(bodyStart));
            at_ = text_.size();
            return;
        }
        ReadCommentSize(text_.substr(bodyStart, slash - 1 - bodyStart));
        at_ = slash + 1;
    }

    // A string or character constant ends at its closing quote or, unclosed,
    // at the end of its line.
    void SkipQuoted(char quote)
    {
        ++at_;
        while (at_ < text_.size() && text_[at_] != quote && text_[at_] != '\n')
            at_ += text_[at_] == '\\' ? 2 : 1;
        at_ = std::min(at_ + 1, text_.size()); // past the quote, or a backslash that ended the text
    }

    // "NAME : W x H pixels"; only the comment's first characters are looked
    // at, so a long comment costs nothing more.
    void ReadCommentSize(std::string_view comment);

    std::string_view text_;
    std::map<std::string, CommentSize>& commentSizes_;
    std::size_t at_ = 0;
};

class CommentCursor {
public:
    explicit CommentCursor(std::string_view text) : text_(text) {}
    void SkipSpaces()
    {
        while (at_ < text_.size() && IsSpace(text_[at_]))
            ++at_;
    }
    std::string_view Identifier()
    {
        const std::size_t start = at_;
        if (at_ < text_.size() && IsIdentifierStart(text_[at_]))
            while (at_ < text_.size() && IsIdentifierChar(text_[at_]))
                ++at_;
        return text_.substr(start, at_ - start);
    }
    bool Literal(std::string_view literal)
    {
        SkipSpaces();
        if (text_.compare(at_, literal.size(), literal) != 0)
            return false;
        at_ += literal.size();
        return true;
    }
    int SmallNumber()
    {
        SkipSpaces();
        int value = 0;
        int digits = 0;
        while (at_ < text_.size() && IsDigit(text_[at_]) && digits < 4) {
            value = value * 10 + (text_[at_++] - '0');
            ++digits;
        }
        return digits ? value : -1;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

void Tokenizer::ReadCommentSize(std::string_view comment)
{
    constexpr std::size_t LookedAt = 200;
    CommentCursor cursor(comment.substr(0, LookedAt));
    cursor.SkipSpaces();
    const std::string_view name = cursor.Identifier();
    if (name.empty() || !cursor.Literal(":"))
        return;
    const int width = cursor.SmallNumber();
    if (width < 0 || !cursor.Literal("x"))
        return;
    const int height = cursor.SmallNumber();
    if (height < 0 || !cursor.Literal("pixels"))
        return;
    commentSizes_.emplace(std::string(name), CommentSize{width, height});
}

// The value of an integer constant, or nothing when it is not one (or does
// not fit 64 bits).
std::optional<uint64_t> IntegerValue(std::string_view text)
{
    int base = 10;
    std::size_t at = 0;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        at = 2;
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
        base = 2;
        at = 2;
    } else if (text[0] == '0') {
        base = 8;
    }
    uint64_t value = 0;
    std::size_t digits = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\'')
            continue;
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        if (digit >= base)
            return std::nullopt;
        if (value > (UINT64_MAX - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        ++digits;
    }
    if (digits == 0 && base != 8)
        return std::nullopt;
    // The suffix: u, l, ll in any case and order, at most one of each kind.
    int unsignedMarks = 0;
    int longMarks = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == 'u' || c == 'U')
            ++unsignedMarks;
        else if (c == 'l' || c == 'L')
            ++longMarks;
        else
            return std::nullopt;
    }
    if (unsignedMarks > 1 || longMarks > 2)
        return std::nullopt;
    return value;
}

bool IsQualifier(std::string_view word)
{
    return word == "static" || word == "const" || word == "volatile";
}

class ArrayParser {
public:
    ArrayParser(std::string_view text, CArrayScan& scan) : tokens_(text, scan.commentSizes), scan_(scan) {}

    void Run()
    {
        Advance();
        while (current_.kind != TokenKind::End) {
            if (current_.kind == TokenKind::Identifier && StartsDeclaration(current_.text))
                ParseDeclaration(); // leaves current_ on the first token it did not take
            else
                Advance();
        }
    }

private:
    void Advance() { current_ = tokens_.Next(); }

    bool IsPunctuation(char c) const { return current_.kind == TokenKind::Punctuation && current_.text[0] == c; }

    static bool StartsDeclaration(std::string_view word)
    {
        return IsQualifier(word) || word == "unsigned" || word == "uint8_t" || word == "uint16_t" || word == "uint32_t";
    }

    void SkipQualifiers()
    {
        while (current_.kind == TokenKind::Identifier && IsQualifier(current_.text))
            Advance();
    }

    // What may stand between the brackets and '=': macros such as
    // maskplane's PIXORA_UNUSED and __attribute__((unused)). The parentheses
    // are taken up to their close or up to a brace, so a stray one cannot
    // swallow the arrays after it.
    void SkipAttributes()
    {
        while (current_.kind == TokenKind::Identifier && !StartsDeclaration(current_.text)) {
            Advance();
            if (!IsPunctuation('('))
                continue;
            int depth = 0;
            do {
                depth += IsPunctuation('(') ? 1 : IsPunctuation(')') ? -1 : 0;
                Advance();
            } while (depth > 0 && current_.kind != TokenKind::End && !IsPunctuation('{') && !IsPunctuation('}') &&
                     !IsPunctuation(';'));
        }
    }

    // The element type's bits, or 0 when the tokens are no type of ours.
    int ParseElementType()
    {
        if (current_.kind != TokenKind::Identifier)
            return 0;
        const std::string_view word = current_.text;
        if (word == "uint8_t" || word == "uint16_t" || word == "uint32_t") {
            Advance();
            return word == "uint8_t" ? 8 : word == "uint16_t" ? 16 : 32;
        }
        if (word != "unsigned")
            return 0;
        Advance();
        if (current_.kind != TokenKind::Identifier)
            return 0;
        const std::string_view size = current_.text;
        if (size != "char" && size != "short" && size != "long")
            return 0;
        Advance();
        if (size != "char" && current_.kind == TokenKind::Identifier && current_.text == "int")
            Advance();
        return size == "char" ? 8 : size == "short" ? 16 : 32;
    }

    void ParseDeclaration()
    {
        SkipQualifiers();
        CArray array;
        array.elementBits = ParseElementType();
        if (array.elementBits == 0)
            return;
        SkipQualifiers();
        if (current_.kind != TokenKind::Identifier || StartsDeclaration(current_.text))
            return;
        array.name = std::string(current_.text);
        Advance();
        std::optional<uint64_t> count;
        if (!ParseDimension(array.name, count))
            return;
        // A second dimension makes an array of parts, each read as an array
        // of its own: NAME[0], NAME[1]...
        std::optional<uint64_t> partSize;
        const bool parts = IsPunctuation('[');
        if (parts && (!ParseDimension(array.name, partSize) || !PartSizeFits(array.name, partSize)))
            return;
        SkipAttributes();
        if (!IsPunctuation('='))
            return;
        Advance();
        if (!IsPunctuation('{'))
            return;
        Advance();
        if (parts) {
            ParseParts(std::move(array), count, static_cast<std::size_t>(*partSize));
            return;
        }
        if (!ParseElements(array, MaxArrayElements))
            return;
        if (ElementsFit(array, count))
            Keep(std::move(array));
    }

    // At '[': an optional count and ']', both taken. False, with the array
    // refused when the count cannot be read, when they are not there.
    bool ParseDimension(const std::string& name, std::optional<uint64_t>& count)
    {
        if (!IsPunctuation('['))
            return false;
        Advance();
        if (current_.kind == TokenKind::Number) {
            count = IntegerValue(current_.text);
            if (!count)
                return Refuse(name, [&] { return std::string("taille entre crochets illisible"); });
            Advance();
        }
        if (!IsPunctuation(']'))
            return false;
        Advance();
        return true;
    }

    // C gives every part the second dimension's size, so it must be there.
    bool PartSizeFits(const std::string& name, std::optional<uint64_t> partSize)
    {
        if (!partSize || *partSize == 0)
            return Refuse(name, [] { return std::string("seconde dimension sans taille"); });
        if (*partSize > MaxArrayElements)
            return Refuse(name, [] { return "parties de plus de " + std::to_string(MaxArrayElements) + " éléments"; });
        return true;
    }

    // After '{' of an array of parts: a brace list per part, or all the
    // parts' elements one after the other, up to '}', which is taken.
    void ParseParts(CArray whole, std::optional<uint64_t> count, std::size_t partSize)
    {
        const std::size_t mostParts = count ? std::min<uint64_t>(*count, MaxArrayParts) : MaxArrayParts;
        if (count && *count > MaxArrayParts) {
            Refuse(whole.name, [] { return "plus de " + std::to_string(MaxArrayParts) + " parties"; });
            return;
        }
        std::vector<std::vector<uint32_t>> parts;
        if (!IsPunctuation('{')) {
            if (!ParseElements(whole, mostParts * partSize))
                return;
            for (std::size_t start = 0; start < whole.values.size(); start += partSize)
                parts.emplace_back(whole.values.begin() + static_cast<std::ptrdiff_t>(start),
                                   whole.values.begin() +
                                       static_cast<std::ptrdiff_t>(std::min(start + partSize, whole.values.size())));
        } else if (!ParseBracedParts(whole, partSize, mostParts, parts)) {
            return;
        }
        if (count) // the parts not given are zero, as in C
            parts.resize(static_cast<std::size_t>(*count));
        if (parts.empty()) {
            Refuse(whole.name, [] { return std::string("aucun élément"); });
            return;
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            parts[i].resize(partSize, 0);
            Keep({whole.name + "[" + std::to_string(i) + "]", whole.elementBits, std::move(parts[i])});
        }
    }

    // At the first part's '{': "{...}" lists separated by commas, a trailing
    // comma allowed, up to the closing '}', which is taken.
    bool ParseBracedParts(const CArray& whole, std::size_t partSize, std::size_t mostParts,
                          std::vector<std::vector<uint32_t>>& parts)
    {
        while (!IsPunctuation('}')) {
            if (!IsPunctuation('{'))
                return Refuse(whole.name, [] { return std::string("partie attendue entre accolades"); });
            Advance();
            CArray part{whole.name, whole.elementBits, {}};
            if (!ParseElements(part, partSize))
                return false;
            if (parts.size() == mostParts)
                return Refuse(whole.name, [&] { return "plus de " + std::to_string(mostParts) + " parties"; });
            parts.push_back(std::move(part.values));
            if (IsPunctuation(','))
                Advance();
            else if (!IsPunctuation('}'))
                return Refuse(whole.name, [] { return std::string("virgule ou accolade fermante attendue"); });
        }
        Advance();
        return true;
    }

    bool ElementsFit(CArray& array, std::optional<uint64_t> count)
    {
        if (count && *count < array.values.size())
            return Refuse(array.name, [&] { return std::string("plus d'éléments que la taille entre crochets"); });
        if (count && *count > MaxArrayElements)
            return Refuse(array.name,
                          [&] { return std::string("plus de " + std::to_string(MaxArrayElements) + " éléments"); });
        if (count) // the elements not given are zero, as in C
            array.values.resize(static_cast<std::size_t>(*count), 0);
        if (array.values.empty())
            return Refuse(array.name, [&] { return std::string("aucun élément"); });
        return true;
    }

    // After '{': numbers separated by commas, a trailing comma allowed, up to
    // '}', which is taken; at most `most` of them. False, with the array
    // refused, otherwise.
    bool ParseElements(CArray& array, std::size_t most)
    {
        const uint64_t largest = (uint64_t{1} << array.elementBits) - 1;
        bool tooMany = false;
        while (true) {
            if (IsPunctuation('}'))
                break;
            if (current_.kind == TokenKind::End)
                return Refuse(array.name, [] { return std::string("accolade fermante manquante"); });
            if (current_.kind != TokenKind::Number)
                return Refuse(array.name, [&] {
                    return "élément qui n'est pas un nombre : « " + std::string(current_.text.substr(0, 20)) + " »";
                });
            const std::optional<uint64_t> value = IntegerValue(current_.text);
            if (!value)
                return Refuse(array.name, [&] {
                    return std::string("nombre illisible : « " + std::string(current_.text.substr(0, 40)) + " »");
                });
            if (*value > largest)
                return Refuse(array.name, [&] {
                    return std::string("l'élément " + std::string(current_.text.substr(0, 40)) + " dépasse les " +
                                       std::to_string(array.elementBits) + " bits de son type");
                });
            if (array.values.size() < most)
                array.values.push_back(static_cast<uint32_t>(*value));
            else
                tooMany = true;
            Advance();
            if (IsPunctuation(','))
                Advance();
            else if (!IsPunctuation('}'))
                return Refuse(array.name, [&] { return std::string("virgule ou accolade fermante attendue"); });
        }
        Advance();
        if (tooMany)
            return Refuse(array.name, [&] { return "plus de " + std::to_string(most) + " éléments"; });
        return true;
    }

    // Always false, so that a parse step can give up in one statement. The
    // reason is composed only when it is kept: a text of a million bad
    // arrays costs no more than one of good ones.
    template <typename Why> bool Refuse(const std::string& name, Why why)
    {
        if (scan_.refusals.size() < MaxRefusalsKept)
            scan_.refusals.push_back(name + " : " + why());
        ++scan_.refusedCount;
        return false;
    }

    void Keep(CArray array)
    {
        if (scan_.arrays.size() < MaxArraysKept)
            scan_.arrays.push_back(std::move(array));
        else if (++scan_.refusedCount && !tooManyTold_) {
            tooManyTold_ = true;
            scan_.refusals.push_back("tableaux au-delà des " + std::to_string(MaxArraysKept) + " premiers : ignorés");
        }
    }

    Tokenizer tokens_;
    CArrayScan& scan_;
    Token current_;
    bool tooManyTold_ = false;
};

} // namespace

CArrayScan ScanCArrays(std::string_view text)
{
    CArrayScan scan;
    ArrayParser(text, scan).Run();
    return scan;
}

// A parser that knows one sentence: qualifiers, an integer type, a name,
// brackets, '=' and a brace list of constant expressions, fed by the C
// tokenizer. A parse that fails resumes at the token that broke it, so every
// token is looked at a bounded number of times and the whole read is linear
// in the text's length.
#include "c_array_reader.h"

#include <algorithm>
#include <optional>

#include "ShownText.h"

namespace {

constexpr std::size_t MaxRefusalsKept = 50;

std::size_t WordsPerElement(int bits)
{
    return bits == 64 ? 2 : 1;
}

bool IsQualifier(std::string_view word)
{
    return word == "static" || word == "const" || word == "volatile";
}

// The exact-width names: bits, or 0.
int StdIntBits(std::string_view word)
{
    static constexpr std::pair<std::string_view, int> Names[] = {
        {"uint8_t", 8}, {"uint16_t", 16}, {"uint32_t", 32}, {"uint64_t", 64},
        {"int8_t", 8},  {"int16_t", 16},  {"int32_t", 32},  {"int64_t", 64},
    };
    for (const auto& [name, bits] : Names)
        if (word == name)
            return bits;
    return 0;
}

bool IsTypeWord(std::string_view word)
{
    return word == "signed" || word == "unsigned" || word == "char" || word == "short" || word == "int" ||
           word == "long";
}

bool StartsDeclaration(std::string_view word)
{
    return IsQualifier(word) || IsTypeWord(word) || StdIntBits(word) != 0;
}

// The type words of one declaration, in any order ("long unsigned int").
struct TypeWords {
    int signedness = 0; // signed or unsigned
    int chars = 0;
    int shorts = 0;
    int ints = 0;
    int longs = 0;
    int stdIntBits = 0;

    bool Add(std::string_view word)
    {
        if (const int bits = StdIntBits(word)) {
            if (stdIntBits || signedness || chars || shorts || ints || longs)
                return false;
            stdIntBits = bits;
            return true;
        }
        if (stdIntBits)
            return false;
        int& count = word == "char"    ? chars
                     : word == "short" ? shorts
                     : word == "int"   ? ints
                     : word == "long"  ? longs
                                       : signedness;
        ++count;
        return true;
    }

    // 0 when the words make no integer type.
    int Bits() const
    {
        if (stdIntBits)
            return stdIntBits;
        if (signedness > 1 || ints > 1 || longs > 2 || chars + shorts + (longs ? 1 : 0) > 1 || (chars && ints))
            return 0;
        if (chars)
            return 8;
        if (shorts)
            return 16;
        if (longs)
            return longs == 2 ? 64 : 32;
        return signedness || ints ? 16 : 0; // int, as the calculator's compiler makes it
    }

    // Plain char holds text; int, tile maps and counters.
    bool Offered() const { return stdIntBits || (chars ? signedness : shorts || longs); }
};

void PushElement(CArray& array, uint64_t value)
{
    if (array.elementBits == 64)
        array.values.push_back(static_cast<uint32_t>(value >> 32));
    array.values.push_back(static_cast<uint32_t>(value));
}

class ArrayParser : public TokenStream {
public:
    ArrayParser(std::string_view text, CArrayScan& scan) : text_(text), tokens_(text, &scan), scan_(scan) {}

    const Token& Current() const override { return current_; }
    void Advance() override
    {
        previousEnd_ = current_.text.data() + current_.text.size();
        current_ = tokens_.Next();
    }

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
    bool IsPunctuation(char c) const { return current_.kind == TokenKind::Punctuation && current_.text[0] == c; }

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

    // Qualifiers and type words in any order; the array to fill gets the
    // element bits (0 when the words make no integer type).
    void ParseElementType(CArray& array)
    {
        TypeWords words;
        while (current_.kind == TokenKind::Identifier && StartsDeclaration(current_.text)) {
            if (!IsQualifier(current_.text) && !words.Add(current_.text)) {
                array.elementBits = 0;
                return;
            }
            Advance();
        }
        array.elementBits = words.Bits();
        array.offered = words.Offered();
    }

    void ParseDeclaration()
    {
        CArray array;
        ParseElementType(array);
        if (array.elementBits == 0 || current_.kind != TokenKind::Identifier)
            return;
        array.name = std::string(current_.text);
        array.textOffset = static_cast<std::size_t>(current_.text.data() - text_.data());
        offered_ = array.offered;
        Advance();
        std::optional<std::size_t> count;
        if (!ParseDimension(array.name, count))
            return;
        // A second dimension makes an array of parts, each read as an array
        // of its own: NAME[0], NAME[1]...
        std::optional<std::size_t> partSize;
        const bool parts = IsPunctuation('[');
        if (parts && (!ParseDimension(array.name, partSize) || !ThirdDimension(array, partSize) ||
                      !PartSizeFits(array.name, partSize)))
            return;
        SkipAttributes();
        if (!IsPunctuation('='))
            return;
        Advance();
        if (!IsPunctuation('{'))
            return;
        Advance();
        if (parts) {
            ParseParts(std::move(array), count, *partSize);
            return;
        }
        if (!ParseElements(array, MaxArrayElements))
            return;
        if (ElementsFit(array, count))
            Keep(std::move(array));
    }

    // At '[': an optional count and ']', both taken. False, with the array
    // refused when the count cannot be read, when they are not there.
    bool ParseDimension(const std::string& name, std::optional<std::size_t>& count)
    {
        if (!IsPunctuation('['))
            return false;
        Advance();
        if (!IsPunctuation(']')) {
            const ExpressionResult size = ParseIntegerExpression(*this, scan_.constants, CLiteralValue);
            // Sizes past the limits are told as such by the callers.
            constexpr std::size_t Readable = SIZE_MAX / 4; // times two words cannot overflow
            count = size.error == ExpressionError::None ? SmallCount(size.value, Readable) : std::nullopt;
            if (!count)
                return Refuse(name, [&] { return std::string("taille entre crochets illisible"); });
        }
        if (!IsPunctuation(']'))
            return false;
        Advance();
        return true;
    }

    // A third dimension makes each part H rows of W elements: the part's
    // size becomes H * W and its rows' length W is kept with the array.
    bool ThirdDimension(CArray& array, std::optional<std::size_t>& partSize)
    {
        if (!IsPunctuation('['))
            return true;
        std::optional<std::size_t> rowLength;
        if (!ParseDimension(array.name, rowLength))
            return false;
        if (!partSize || !rowLength || *rowLength == 0)
            return Refuse(array.name, [] { return std::string("dimension sans taille"); });
        if (*partSize > MaxPartElements / std::max<std::size_t>(*rowLength, 1))
            return Refuse(array.name, [] { return "parties de plus de " + std::to_string(MaxPartElements) + " éléments"; });
        array.rowLength = *rowLength;
        partSize = *partSize * *rowLength;
        return true;
    }

    // C gives every part the second dimension's size, so it must be there.
    bool PartSizeFits(const std::string& name, std::optional<std::size_t> partSize)
    {
        if (!partSize || *partSize == 0)
            return Refuse(name, [] { return std::string("seconde dimension sans taille"); });
        if (*partSize > MaxPartElements)
            return Refuse(name, [] { return "parties de plus de " + std::to_string(MaxPartElements) + " éléments"; });
        return true;
    }

    // After '{' of an array of parts: a brace list per part, or all the
    // parts' elements one after the other, up to '}', which is taken.
    void ParseParts(CArray whole, std::optional<std::size_t> count, std::size_t partSize)
    {
        const std::size_t mostParts = count ? std::min(*count, MaxArrayParts) : MaxArrayParts;
        if (count && *count > MaxArrayParts) {
            Refuse(whole.name, [] { return "plus de " + std::to_string(MaxArrayParts) + " parties"; });
            return;
        }
        const std::size_t words = WordsPerElement(whole.elementBits);
        const std::size_t partWords = partSize * words;
        std::vector<std::vector<uint32_t>> parts;
        if (!IsPunctuation('{')) {
            if (!ParseElements(whole, mostParts * partSize))
                return;
            for (std::size_t start = 0; start < whole.values.size(); start += partWords)
                parts.emplace_back(whole.values.begin() + static_cast<std::ptrdiff_t>(start),
                                   whole.values.begin() +
                                       static_cast<std::ptrdiff_t>(std::min(start + partWords, whole.values.size())));
        } else if (!ParseBracedParts(whole, partSize, mostParts, parts)) {
            return;
        }
        const std::size_t partCount = count ? *count : parts.size(); // the parts not given are zero, as in C
        if (partCount == 0) {
            Refuse(whole.name, [] { return std::string("aucun élément"); });
            return;
        }
        if (!RoomFor(whole.name, partCount * partWords))
            return;
        parts.resize(partCount);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            parts[i].resize(partWords, 0);
            Keep({whole.name + "[" + std::to_string(i) + "]", whole.elementBits, std::move(parts[i]), whole.offered,
                  false, whole.textOffset, whole.rowLength});
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
            CArray part{whole.name, whole.elementBits, {}, whole.offered};
            if (!ParsePartElements(part, partSize, whole.rowLength))
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

    // After a part's '{': its elements, as one list or, in an array of three
    // dimensions, as braced rows of rowLength elements (a row given short is
    // completed with zeros, as in C), up to '}', which is taken.
    bool ParsePartElements(CArray& part, std::size_t partSize, std::size_t rowLength)
    {
        if (rowLength == 0 || !IsPunctuation('{'))
            return ParseElements(part, partSize);
        const std::size_t words = WordsPerElement(part.elementBits);
        while (!IsPunctuation('}')) {
            if (!IsPunctuation('{'))
                return Refuse(part.name, [] { return std::string("ligne attendue entre accolades"); });
            if (part.values.size() >= partSize * words)
                return Refuse(part.name, [&] { return "plus de " + std::to_string(partSize / rowLength) + " lignes"; });
            Advance();
            CArray row{part.name, part.elementBits, {}, part.offered};
            if (!ParseElements(row, rowLength))
                return false;
            row.values.resize(rowLength * words, 0);
            part.values.insert(part.values.end(), row.values.begin(), row.values.end());
            if (IsPunctuation(','))
                Advance();
            else if (!IsPunctuation('}'))
                return Refuse(part.name, [] { return std::string("virgule ou accolade fermante attendue"); });
        }
        Advance();
        return true;
    }

    bool ElementsFit(CArray& array, std::optional<std::size_t> count)
    {
        const std::size_t given = ElementCount(array);
        if (count && *count < given)
            return Refuse(array.name, [&] { return std::string("plus d'éléments que la taille entre crochets"); });
        if (count && *count > MaxArrayElements)
            return Refuse(array.name,
                          [&] { return std::string("plus de " + std::to_string(MaxArrayElements) + " éléments"); });
        if (count && !RoomFor(array.name, *count * WordsPerElement(array.elementBits)))
            return false;
        if (count) // the elements not given are zero, as in C
            array.values.resize(*count * WordsPerElement(array.elementBits), 0);
        if (array.values.empty())
            return Refuse(array.name, [&] { return std::string("aucun élément"); });
        return true;
    }

    // The text of the tokens from start to the last one taken.
    std::string_view TakenSince(const char* start, std::size_t most) const
    {
        return std::string_view(start, static_cast<std::size_t>(std::max(previousEnd_, start) - start)).substr(0, most);
    }

    // After '{': constant expressions separated by commas, a trailing comma
    // allowed, up to '}', which is taken; at most `most` of them. False,
    // with the array refused, otherwise.
    bool ParseElements(CArray& array, std::size_t most)
    {
        bool tooMany = false;
        std::size_t elements = 0;
        while (true) {
            if (IsPunctuation('}'))
                break;
            if (current_.kind == TokenKind::End)
                return Refuse(array.name, [] { return std::string("accolade fermante manquante"); });
            const char* start = current_.text.data();
            const ExpressionResult element = ParseIntegerExpression(*this, scan_.constants, CLiteralValue);
            if (!RefuseBadElement(array.name, element))
                return false;
            const std::optional<uint64_t> value = ElementBitsOf(element.value, array.elementBits);
            if (!value)
                return Refuse(array.name, [&] {
                    return std::string("l'élément " + std::string(TakenSince(start, 40)) + " dépasse les " +
                                       std::to_string(array.elementBits) + " bits de son type");
                });
            if (elements++ < most)
                PushElement(array, *value);
            else
                tooMany = true;
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

    bool RefuseBadElement(const std::string& name, const ExpressionResult& element)
    {
        const std::string_view culprit = element.culprit;
        switch (element.error) {
        case ExpressionError::None:
            return true;
        case ExpressionError::NotANumber:
            return Refuse(name, [&] { return "élément qui n'est pas un nombre : " + QuotedSourceText(culprit); });
        case ExpressionError::BadNumber:
            return Refuse(name, [&] { return "nombre illisible : " + QuotedSourceText(culprit); });
        case ExpressionError::OutOfRange:
            break;
        }
        return Refuse(name, [&] { return "calcul hors limites à " + QuotedSourceText(culprit); });
    }

    bool RoomFor(const std::string& name, std::size_t words)
    {
        return offered_ ? RoomForWords(scan_, name, words) : scan_.wordsKept + words <= MaxElementsKept;
    }

    // Always false, so that a parse step can give up in one statement. The
    // reason is composed only when it is kept: a text of a million bad
    // arrays costs no more than one of good ones. Arrays that are no
    // sprites (int, plain char) are passed over without a word.
    template <typename Why> bool Refuse(const std::string& name, Why why)
    {
        if (!offered_)
            return false;
        if (scan_.refusals.size() < MaxRefusalsKept)
            AddRefusal(scan_, name, why());
        else
            ++scan_.refusedCount;
        return false;
    }

    void Keep(CArray array) { KeepArray(scan_, std::move(array)); }

    std::string_view text_;
    CTokenizer tokens_;
    CArrayScan& scan_;
    Token current_;
    const char* previousEnd_ = nullptr;
    bool offered_ = true; // of the array being read
};

} // namespace

std::size_t ElementCount(const CArray& array)
{
    return array.values.size() / WordsPerElement(array.elementBits);
}

uint64_t ElementAt(const CArray& array, std::size_t index)
{
    if (array.elementBits != 64)
        return array.values[index];
    return uint64_t{array.values[2 * index]} << 32 | array.values[2 * index + 1];
}

std::vector<uint8_t> MemoryImage(const CArray& array)
{
    const std::size_t wordBytes = static_cast<std::size_t>(std::min(array.elementBits, 32) / 8);
    std::vector<uint8_t> bytes;
    bytes.reserve(array.values.size() * wordBytes);
    for (const uint32_t word : array.values)
        for (std::size_t byte = wordBytes; byte-- > 0;)
            bytes.push_back(static_cast<uint8_t>(word >> (8 * byte)));
    return bytes;
}

void AddRefusal(CArrayScan& scan, const std::string& name, const std::string& why)
{
    if (scan.refusals.size() < MaxRefusalsKept)
        scan.refusals.push_back(ShownSourceText(name) + " : " + why);
    ++scan.refusedCount;
}

bool RoomForWords(CArrayScan& scan, const std::string& name, std::size_t words)
{
    if (scan.wordsKept + words <= MaxElementsKept)
        return true;
    AddRefusal(scan, name, "au-delà des " + std::to_string(MaxElementsKept) + " éléments lus en tout : ignoré");
    return false;
}

void KeepArray(CArrayScan& scan, CArray array)
{
    if (scan.arrays.size() >= MaxArraysKept) {
        ++scan.refusedCount;
        if (!scan.arrayLimitTold)
            scan.refusals.push_back("tableaux au-delà des " + std::to_string(MaxArraysKept) + " premiers : ignorés");
        scan.arrayLimitTold = true;
        return;
    }
    if (!RoomForWords(scan, array.name, array.values.size()))
        return;
    scan.wordsKept += array.values.size();
    scan.arrays.push_back(std::move(array));
}

CArrayScan ScanCArrays(std::string_view text)
{
    CArrayScan scan;
    ArrayParser(text, scan).Run();
    return scan;
}

void AddScan(CArrayScan& scan, CArrayScan other)
{
    for (const std::string& refusal : other.refusals)
        if (scan.refusals.size() < MaxRefusalsKept)
            scan.refusals.push_back(refusal);
    scan.refusedCount += other.refusedCount;
    for (CArray& array : other.arrays)
        KeepArray(scan, std::move(array));
    for (auto& [name, value] : other.constants)
        if (scan.constants.size() < MaxConstants)
            scan.constants.emplace(name, value);
    for (auto& [name, size] : other.commentSizes)
        if (scan.commentSizes.size() < MaxConstants)
            scan.commentSizes.emplace(name, size);
}

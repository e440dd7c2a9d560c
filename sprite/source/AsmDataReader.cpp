// Line by line: a label, a directive, its operands. The array being read is
// kept as the bytes it puts in memory until the next label or the first
// line that is not data, then handed to the scan like a C array.
#include "AsmDataReader.h"

#include <algorithm>

#include "ShownText.h"

namespace {

enum class Dialect { A68k, GnuAs };

bool IsNameChar(char c)
{
    return IsIdentifierChar(c) || c == '.';
}

bool IsSpaceOrTab(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlankChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankChar(text.back()))
        text.remove_suffix(1);
    return text;
}

// Where the first of these characters is outside quotes, or npos.
std::size_t FindOutsideQuotes(std::string_view text, std::string_view characters)
{
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote)
            quote = c == quote ? 0 : quote;
        else if (c == '\'' || c == '"')
            quote = c;
        else if (characters.find(c) != std::string_view::npos)
            return i;
    }
    return std::string_view::npos;
}

// The tokens of one operand: numbers with their A68k prefixes, names,
// operators; a quote is a token of its own, which no expression takes.
class OperandStream : public TokenStream {
public:
    OperandStream(std::string_view text, Dialect dialect) : text_(text), dialect_(dialect) { Advance(); }
    const Token& Current() const override { return current_; }
    void Advance() override
    {
        while (at_ < text_.size() && IsBlankChar(text_[at_]))
            ++at_;
        const std::size_t start = at_;
        if (at_ >= text_.size()) {
            current_ = {};
            return;
        }
        const char c = text_[at_];
        const char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
        const bool operandStart = previous_ == TokenKind::Punctuation || previous_ == TokenKind::End;
        const bool a68kPrefix = dialect_ == Dialect::A68k &&
                                (c == '$' || c == '@' || (c == '%' && operandStart && (next == '0' || next == '1')));
        if (IsAsciiDigit(c) || a68kPrefix) {
            ++at_;
            while (at_ < text_.size() && IsIdentifierChar(text_[at_]))
                ++at_;
            Set(TokenKind::Number, start);
        } else if (IsIdentifierStartChar(c) || c == '.') {
            while (at_ < text_.size() && IsNameChar(text_[at_]))
                ++at_;
            Set(TokenKind::Identifier, start);
        } else {
            at_ += (c == '<' || c == '>') && next == c ? 2 : 1;
            Set(TokenKind::Punctuation, start);
        }
    }

private:
    void Set(TokenKind kind, std::size_t start)
    {
        current_ = {kind, text_.substr(start, at_ - start)};
        previous_ = kind;
    }

    std::string_view text_;
    Dialect dialect_;
    std::size_t at_ = 0;
    TokenKind previous_ = TokenKind::End;
    Token current_;
};

// The operands separated by commas outside parentheses and quotes.
std::vector<std::string_view> SplitOperands(std::string_view field)
{
    std::vector<std::string_view> operands;
    int depth = 0;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= field.size(); ++i) {
        const char c = i < field.size() ? field[i] : ',';
        if (quote) {
            quote = c == quote ? 0 : quote;
            continue;
        }
        if (c == '\'' || c == '"')
            quote = c;
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (c == ',' && depth <= 0) {
            operands.push_back(Trimmed(field.substr(start, i - start)));
            start = i + 1;
        }
    }
    return operands;
}

struct DirectiveKind {
    enum Kind { Data, Fill, Align, Constant, DotConstant, None, Other } kind = Other;
    int bits = 0;
    Dialect dialect = Dialect::A68k;
};

DirectiveKind KindOf(std::string_view word)
{
    static constexpr std::pair<std::string_view, int> A68kData[] = {
        {"dc.b", 8}, {"dc.w", 16}, {"dc.l", 32}, {"dc", 16}};
    static constexpr std::pair<std::string_view, int> A68kFill[] = {
        {"ds.b", 8}, {"ds.w", 16}, {"ds.l", 32}, {"ds", 16}, {"dcb.b", 8}, {"dcb.w", 16}, {"dcb.l", 32}, {"dcb", 16}};
    static constexpr std::pair<std::string_view, int> GnuData[] = {
        {".byte", 8},  {".word", 16}, {".short", 16}, {".hword", 16}, {".2byte", 16},
        {".long", 32}, {".int", 32},  {".4byte", 32}, {".quad", 64},  {".8byte", 64}};
    const std::string lower = AsciiLowered(word);
    for (const auto& [name, bits] : A68kData)
        if (lower == name)
            return {DirectiveKind::Data, bits, Dialect::A68k};
    for (const auto& [name, bits] : A68kFill)
        if (lower == name)
            return {DirectiveKind::Fill, bits, Dialect::A68k};
    for (const auto& [name, bits] : GnuData)
        if (lower == name)
            return {DirectiveKind::Data, bits, Dialect::GnuAs};
    if (lower == ".space" || lower == ".skip" || lower == ".fill")
        return {DirectiveKind::Fill, 8, Dialect::GnuAs};
    if (lower == "even" || lower == "cnop")
        return {DirectiveKind::Align, 0, Dialect::A68k};
    if (lower == ".even" || lower == ".align" || lower == ".balign" || lower == ".p2align")
        return {DirectiveKind::Align, 0, Dialect::GnuAs};
    if (lower == "equ" || lower == "set" || lower == "=")
        return {DirectiveKind::Constant, 0, lower == "=" ? Dialect::GnuAs : Dialect::A68k};
    if (lower == ".set" || lower == ".equ" || lower == ".equiv")
        return {DirectiveKind::DotConstant, 0, Dialect::GnuAs};
    if (lower.empty())
        return {DirectiveKind::None, 0, Dialect::A68k};
    return {};
}

class AssemblyReader {
public:
    explicit AssemblyReader(CArrayScan& scan) : scan_(scan) {}

    void Run(std::string_view text)
    {
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
            ReadLine(WithoutBlockComments(text.substr(at, end - at)));
            at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
        EndArray();
    }

private:
    // GNU as takes C's block comments, over several lines too.
    std::string WithoutBlockComments(std::string_view line)
    {
        std::string kept;
        std::size_t at = 0;
        while (at < line.size()) {
            if (inComment_) {
                const std::size_t close = line.find("*/", at);
                if (close == std::string_view::npos)
                    return kept;
                inComment_ = false;
                at = close + 2;
                kept += ' ';
                continue;
            }
            const std::size_t open = FindOutsideQuotes(line.substr(at), "/");
            if (open == std::string_view::npos || line.compare(at + open, 2, "/*") != 0) {
                const std::size_t stop = open == std::string_view::npos ? line.size() : at + open + 1;
                kept += line.substr(at, stop - at);
                at = stop;
                continue;
            }
            kept += line.substr(at, open);
            ReadCommentSize(line.substr(at + open + 2), scan_);
            inComment_ = true;
            at += open + 2;
        }
        return kept;
    }

    void ReadLine(std::string_view line)
    {
        if (line.empty())
            return;
        if (line[0] == '*' || line[0] == ';' || line[0] == '|') {
            ReadCommentSize(line.substr(1), scan_);
            return;
        }
        if (line[0] == '#') {
            ReadHashLine(line.substr(1));
            return;
        }
        std::size_t at = 0;
        std::string_view label;
        if (!IsSpaceOrTab(line[0])) {
            label = Name(line, at);
            if (label.empty()) // a numeric local label or something else: no data of ours
                return EndArray();
            const bool colon = at < line.size() && line[at] == ':';
            at += colon ? 1 : 0;
            // A directive in column 1 is no label ("EVEN", ".even").
            if (!colon && KindOf(label).kind != DirectiveKind::Other) {
                label = {};
                at = 0;
            }
        } else {
            std::size_t after = at;
            while (after < line.size() && IsSpaceOrTab(line[after]))
                ++after;
            std::size_t nameEnd = after;
            const std::string_view name = Name(line, nameEnd);
            if (!name.empty() && nameEnd < line.size() && line[nameEnd] == ':') {
                label = name;
                at = nameEnd + 1;
            }
        }
        ReadStatement(label, line.substr(at));
    }

    static std::string_view Name(std::string_view line, std::size_t& at)
    {
        const std::size_t start = at;
        if (at < line.size() && (IsIdentifierStartChar(line[at]) || line[at] == '.'))
            while (at < line.size() && IsNameChar(line[at]))
                ++at;
        return line.substr(start, at - start);
    }

    // What follows the label: directives and their operands, or nothing;
    // GNU as separates statements with ';'.
    void ReadStatement(std::string_view label, std::string_view rest)
    {
        while (true) {
            std::size_t at = 0;
            while (at < rest.size() && IsSpaceOrTab(rest[at]))
                ++at;
            if (at < rest.size() && (rest[at] == ';' || rest[at] == '|')) {
                ReadCommentSize(rest.substr(at + 1), scan_);
                rest = rest.substr(0, at); // blanks only: no directive
            }
            const std::size_t wordStart = at;
            while (at < rest.size() && !IsBlankChar(rest[at]) && rest[at] != ';' && rest[at] != '|')
                ++at;
            const DirectiveKind kind = KindOf(rest.substr(wordStart, at - wordStart));
            std::string_view operands = rest.substr(at);
            std::string_view more;
            if (kind.dialect == Dialect::GnuAs) {
                const std::size_t separator = FindOutsideQuotes(operands, ";");
                if (separator != std::string_view::npos) {
                    more = operands.substr(separator + 1);
                    operands = operands.substr(0, separator);
                }
            }
            Dispatch(label, kind, OperandField(operands, kind.dialect));
            if (more.empty())
                return;
            label = {};
            rest = more;
        }
    }

    // A68k's operand field ends at the first blank; GNU as's at '|'.
    static std::string_view OperandField(std::string_view operands, Dialect dialect)
    {
        operands = Trimmed(operands);
        const std::size_t end = FindOutsideQuotes(operands, dialect == Dialect::A68k ? " \t;" : "|");
        return Trimmed(operands.substr(0, end));
    }

    void Dispatch(std::string_view label, const DirectiveKind& kind, std::string_view operands)
    {
        switch (kind.kind) {
        case DirectiveKind::Constant:
            if (!label.empty())
                DefineConstant(label, operands, kind.dialect);
            return;
        case DirectiveKind::DotConstant: {
            const std::size_t comma = operands.find(',');
            if (comma != std::string_view::npos)
                DefineConstant(Trimmed(operands.substr(0, comma)), operands.substr(comma + 1), Dialect::GnuAs);
            return;
        }
        case DirectiveKind::Align:
            if (!label.empty())
                StartArray(label);
            padPending_ = image_.size() % 2 == 1;
            return;
        case DirectiveKind::None:
            if (!label.empty())
                StartArray(label);
            return;
        case DirectiveKind::Data:
        case DirectiveKind::Fill:
            if (!label.empty())
                StartArray(label);
            if (kind.kind == DirectiveKind::Data)
                AddData(kind, operands);
            else
                AddFill(kind, operands);
            return;
        case DirectiveKind::Other:
            break;
        }
        EndArray();
        if (!label.empty())
            StartArray(label);
    }

    // "define NAME value" of a .S file's preprocessor; other lines are
    // comments to GNU as.
    void ReadHashLine(std::string_view line)
    {
        const std::string_view trimmed = Trimmed(line);
        if (trimmed.substr(0, 6) != "define") {
            ReadCommentSize(line, scan_);
            return;
        }
        std::size_t at = 6;
        while (at < trimmed.size() && IsSpaceOrTab(trimmed[at]))
            ++at;
        const std::size_t start = at;
        while (at < trimmed.size() && IsIdentifierChar(trimmed[at]))
            ++at;
        if (at > start && (at == trimmed.size() || trimmed[at] != '('))
            DefineConstant(trimmed.substr(start, at - start), trimmed.substr(at), Dialect::GnuAs);
    }

    std::optional<Integer> Evaluate(std::string_view operand, Dialect dialect, ExpressionResult& result) const
    {
        OperandStream tokens(operand, dialect);
        result = ParseIntegerExpression(tokens, scan_.constants,
                                        dialect == Dialect::A68k ? A68kLiteralValue : GnuAsLiteralValue);
        if (result.error == ExpressionError::None && tokens.Current().kind != TokenKind::End) {
            result.error = ExpressionError::NotANumber;
            result.culprit = tokens.Current().text;
        }
        return result.error == ExpressionError::None ? std::optional<Integer>(result.value) : std::nullopt;
    }

    void DefineConstant(std::string_view name, std::string_view value, Dialect dialect)
    {
        ExpressionResult result;
        const std::optional<Integer> number = Evaluate(Trimmed(value), dialect, result);
        if (number && !name.empty() && (scan_.constants.size() < MaxConstants || scan_.constants.count(name)))
            scan_.constants.insert_or_assign(std::string(name), *number);
    }

    void StartArray(std::string_view label)
    {
        EndArray();
        name_ = std::string(label);
    }

    void EndArray()
    {
        if (!name_.empty() && !refused_ && !image_.empty()) {
            CArray array{name_, bits_ > 0 ? bits_ : 8, {}};
            const std::size_t wordBytes = static_cast<std::size_t>(std::min(array.elementBits, 32) / 8);
            const std::size_t words = image_.size() / wordBytes;
            if (RoomForWords(scan_, name_, words)) {
                array.values.reserve(words);
                for (std::size_t at = 0; at + wordBytes <= image_.size(); at += wordBytes) {
                    uint32_t word = 0;
                    for (std::size_t i = 0; i < wordBytes; ++i)
                        word = word << 8 | image_[at + i];
                    array.values.push_back(word);
                }
                KeepArray(scan_, std::move(array));
            }
        }
        name_.clear();
        image_.clear();
        bits_ = 0;
        refused_ = false;
        padPending_ = false;
    }

    bool Refuse(const std::string& why)
    {
        if (!refused_)
            AddRefusal(scan_, name_, why);
        refused_ = true;
        return false;
    }

    // Room for bytes more; the directive's size decides the element bits,
    // bytes when sizes are mixed or a pad byte came between.
    bool MakeRoom(int bits, std::size_t bytes)
    {
        if (name_.empty() || refused_)
            return false;
        if (padPending_ && bits > 8) {
            image_.push_back(0);
            bits_ = -1;
        }
        padPending_ = false;
        bits_ = bits_ == 0 ? bits : bits_ == bits ? bits : -1;
        constexpr std::size_t MostBytes = MaxArrayElements;
        if (image_.size() + bytes > MostBytes)
            return Refuse("plus de " + std::to_string(MostBytes) + " octets");
        // Every byte is counted, kept or not, so that a text of many large
        // fills costs no more than its bound.
        constexpr std::size_t MostBytesRead = 4 * MaxElementsKept;
        if (bytesRead_ + bytes > MostBytesRead)
            return Refuse("au-delà des " + std::to_string(MostBytesRead) + " octets lus en tout : ignoré");
        bytesRead_ += bytes;
        return true;
    }

    void Push(uint64_t value, int bits)
    {
        for (int shift = bits - 8; shift >= 0; shift -= 8)
            image_.push_back(static_cast<uint8_t>(value >> shift));
    }

    void AddData(const DirectiveKind& kind, std::string_view operands)
    {
        for (const std::string_view operand : SplitOperands(operands)) {
            if (!MakeRoom(kind.bits, static_cast<std::size_t>(kind.bits / 8)))
                return;
            const std::optional<uint64_t> value = Element(operand, kind);
            if (!value)
                return;
            Push(*value, kind.bits);
        }
    }

    std::optional<uint64_t> Element(std::string_view operand, const DirectiveKind& kind)
    {
        ExpressionResult result;
        const std::optional<Integer> number = Evaluate(operand, kind.dialect, result);
        if (!number) {
            Refuse(result.error == ExpressionError::BadNumber
                       ? "nombre illisible : " + InGuillemets(operand)
                       : "élément qui n'est pas un nombre : " + InGuillemets(operand));
            return std::nullopt;
        }
        const std::optional<uint64_t> value = ElementBitsOf(*number, kind.bits);
        if (!value)
            Refuse("l'élément " + ShownSourceText(operand) + " dépasse les " + std::to_string(kind.bits) +
                   " bits de sa directive");
        return value;
    }

    // ds.b N (zeros), dcb.b N,V; .space N[,V], .fill N[,SIZE[,V]].
    void AddFill(const DirectiveKind& kind, std::string_view operands)
    {
        const std::vector<std::string_view> parts = SplitOperands(operands);
        ExpressionResult result;
        const std::optional<Integer> count =
            parts.empty() ? std::nullopt : Evaluate(parts[0], kind.dialect, result); // ".space" alone
        std::size_t times = 0;
        bool readable = false;
        if (const std::optional<std::size_t> read = count ? SmallCount(*count, MaxArrayElements) : std::nullopt) {
            times = *read;
            readable = true;
        }
        int bits = kind.bits;
        std::size_t valueAt = 1;
        if (parts.size() == 3) { // .fill N, SIZE, V: the size of a value in bytes
            const std::optional<Integer> size = Evaluate(parts[1], kind.dialect, result);
            bits = size && !size->negative && (size->magnitude == 1 || size->magnitude == 2 || size->magnitude == 4)
                       ? static_cast<int>(size->magnitude * 8)
                       : 0;
            valueAt = 2;
        }
        if (!readable || bits == 0) {
            if (!name_.empty())
                Refuse("taille de remplissage illisible : " + InGuillemets(operands));
            return;
        }
        uint64_t value = 0;
        if (parts.size() > valueAt) {
            const std::optional<uint64_t> given = Element(parts[valueAt], {kind.kind, bits, kind.dialect});
            if (!given)
                return;
            value = *given;
        }
        if (!MakeRoom(bits, times * static_cast<std::size_t>(bits / 8)))
            return;
        for (std::size_t i = 0; i < times; ++i)
            Push(value, bits);
    }

    CArrayScan& scan_;
    std::string name_; // of the array being read; empty when none is
    std::vector<uint8_t> image_;
    int bits_ = 0; // 0 before the first value, -1 when sizes are mixed
    bool refused_ = false;
    bool padPending_ = false;
    bool inComment_ = false;
    std::size_t bytesRead_ = 0;
};

} // namespace

CArrayScan ScanAssemblyArrays(std::string_view text)
{
    CArrayScan scan;
    AssemblyReader(scan).Run(text);
    return scan;
}

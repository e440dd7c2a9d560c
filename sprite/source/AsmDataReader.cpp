// Line by line: a label, a directive, its operands. The array being read is
// kept as the bytes it puts in memory until the next label or the first
// line that is not data, then handed to the scan like a C array.
#include "AsmDataReader.h"

#include <algorithm>
#include <map>

#include "ShownText.h"
#include "U_class.h"

namespace {

enum class Dialect { A68k, GnuAs };

// Places in a section are followed modulo this power of two at most: far
// more than any boundary an alignment asks (MaxAlignment) and any text read.
constexpr std::size_t ExactlyKnown = std::size_t{1} << 30;
constexpr std::size_t MaxAlignment = std::size_t{1} << 15;

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
    enum Kind { Data, Fill, Align, Constant, DotConstant, Section, Text, None, Other } kind = Other;
    int bits = 0;
    Dialect dialect = Dialect::A68k;
    // .fill's second operand is the size of a value, not the value.
    bool sizedFill = false;
};

// The alignment directives: how their first operand gives the boundary, and
// whether more operands give the fill value and the most bytes skipped.
enum class AlignRule { Even, Cnop, Bytes, PowerOfTwo };

AlignRule AlignRuleOf(std::string_view lower)
{
    if (lower == "cnop")
        return AlignRule::Cnop;
    if (lower == ".p2align")
        return AlignRule::PowerOfTwo;
    // GNU as for the 68000 takes .align in bytes, as .balign.
    return lower == ".align" || lower == ".balign" ? AlignRule::Bytes : AlignRule::Even;
}

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
        return {DirectiveKind::Fill, 8, Dialect::GnuAs, lower == ".fill"};
    if (lower == "even" || lower == "cnop")
        return {DirectiveKind::Align, 0, Dialect::A68k};
    if (lower == ".even" || lower == ".align" || lower == ".balign" || lower == ".p2align")
        return {DirectiveKind::Align, 0, Dialect::GnuAs};
    if (lower == "equ" || lower == "set" || lower == "=")
        return {DirectiveKind::Constant, 0, lower == "=" ? Dialect::GnuAs : Dialect::A68k};
    if (lower == ".set" || lower == ".equ" || lower == ".equiv")
        return {DirectiveKind::DotConstant, 0, Dialect::GnuAs};
    if (lower == ".data" || lower == ".text" || lower == ".bss" || lower == ".section" || lower == "section")
        return {DirectiveKind::Section, 0, lower[0] == '.' ? Dialect::GnuAs : Dialect::A68k};
    if (lower == ".ascii" || lower == ".asciz" || lower == ".string")
        return {DirectiveKind::Text, 0, Dialect::GnuAs};
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
            Dispatch(label, rest.substr(wordStart, at - wordStart), kind, OperandField(operands, kind.dialect));
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

    void Dispatch(std::string_view label, std::string_view word, const DirectiveKind& kind, std::string_view operands)
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
            Align(word, operands);
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
        case DirectiveKind::Section:
            SwitchSection(AsciiLowered(word) + " " + std::string(operands));
            break;
        case DirectiveKind::Text:
            section_.knownModulo = 1;
            break;
        case DirectiveKind::Other:
            // An instruction of the 68000 is a whole number of words.
            section_.at %= 2;
            section_.knownModulo = std::min<std::size_t>(section_.knownModulo, 2);
            break;
        }
        EndArray();
        if (!label.empty())
            StartArray(label);
    }

    // Each section goes on where it was left; a new one starts at 0.
    void SwitchSection(const std::string& name)
    {
        constexpr std::size_t MostSections = 64; // past them, a section's place is known to be even only
        if (sections_.size() < MostSections || sections_.count(currentSection_))
            sections_[currentSection_] = section_;
        const auto known = sections_.find(name);
        section_ = known != sections_.end()          ? known->second
                   : sections_.size() < MostSections ? SectionPlace{}
                                                     : SectionPlace{0, 2};
        currentSection_ = name;
    }

    // EVEN, CNOP OFFSET,N; .even, .align N, .balign N[,FILL[,MAX]],
    // .p2align P[,FILL[,MAX]]: pad bytes up to the boundary, counted from
    // the section's start, so that a label placed after other data is
    // aligned as the assembler aligns it. The pad goes into the array when
    // more of its data follows.
    void Align(std::string_view word, std::string_view operands)
    {
        const AlignRule rule = AlignRuleOf(AsciiLowered(word));
        const std::vector<std::string_view> parts = SplitOperands(operands);
        const Dialect dialect = rule == AlignRule::Even || rule == AlignRule::Cnop ? Dialect::A68k : Dialect::GnuAs;
        const auto number = [&](std::size_t index, std::size_t fallback) -> std::optional<std::size_t> {
            if (index >= parts.size() || parts[index].empty())
                return fallback;
            ExpressionResult result;
            const std::optional<Integer> value = Evaluate(parts[index], dialect, result);
            return value ? SmallCount(*value, MaxAlignment) : std::nullopt;
        };
        std::optional<std::size_t> boundary = rule == AlignRule::Even ? 2 : number(rule == AlignRule::Cnop, 0);
        const std::optional<std::size_t> offset = rule == AlignRule::Cnop ? number(0, 0) : 0;
        if (rule == AlignRule::PowerOfTwo)
            boundary =
                boundary && *boundary < 16 ? std::optional<std::size_t>(std::size_t{1} << *boundary) : std::nullopt;
        const std::optional<std::size_t> fill =
            rule == AlignRule::Bytes || rule == AlignRule::PowerOfTwo ? number(1, 0) : 0;
        const std::optional<std::size_t> most = number(2, MaxAlignment);
        const bool powerOfTwo = boundary && *boundary >= 1 && (*boundary & (*boundary - 1)) == 0;
        if (!powerOfTwo || !offset || !fill || *fill > 0xFF || !most) {
            section_.knownModulo = 1;
            if (!name_.empty())
                Refuse("alignement illisible : " +
                       InGuillemets(std::string(word) + " " + std::string(operands.substr(0, 40))));
            return;
        }
        if (*boundary > section_.knownModulo) {
            // Where the data stands within the boundary is not known: the
            // pad is unknown, and data of this array after it cannot be read.
            padUnknown_ = !name_.empty();
            unknownBoundary_ = *boundary;
            section_ = {*offset % *boundary, *boundary};
            return;
        }
        const std::size_t pad = (*offset + *boundary - section_.at % *boundary) % *boundary;
        if (pad > *most)
            return;
        pad_.insert(pad_.end(), pad, static_cast<uint8_t>(*fill));
        section_.at += pad;
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
            DropSizeHeader();
            CArray array{name_, bits_ > 0 ? bits_ : 8, {}};
            array.label = true;
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
        leadingWordBytes_ = 0;
        pastLeadingWords_ = false;
        bytesAfterWords_ = true;
        refused_ = false;
        pad_.clear();
        padUnknown_ = false;
    }

    // A two-word header, height then width in bytes (dc.w 16 / dc.w 2, or
    // .word 16, 2), before rows of bytes (dc.b or .byte, no fill) that are
    // exactly that many: the
    // header is left out and the rows become elements of the width's bits,
    // so that they read as any array of rows. Widths of 1, 2, 4 or 8 bytes,
    // the rows' element sizes; other arrays are kept as they are.
    void DropSizeHeader()
    {
        constexpr std::size_t HeaderBytes = 4;
        if (leadingWordBytes_ != HeaderBytes || !pastLeadingWords_ || !bytesAfterWords_)
            return;
        const std::size_t height = static_cast<std::size_t>(image_[0] << 8 | image_[1]);
        const std::size_t rowBytes = static_cast<std::size_t>(image_[2] << 8 | image_[3]);
        const bool elementWidth = rowBytes == 1 || rowBytes == 2 || rowBytes == 4 || rowBytes == 8;
        if (height < 1 || height > static_cast<std::size_t>(MaxHeight) || !elementWidth ||
            image_.size() - HeaderBytes != height * rowBytes)
            return;
        image_.erase(image_.begin(), image_.begin() + HeaderBytes);
        bits_ = static_cast<int>(rowBytes * 8);
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
        if (padUnknown_)
            return Refuse("alignement sur " + std::to_string(unknownBoundary_) +
                          " octets après des instructions ou du texte : position inconnue");
        if (!pastLeadingWords_ && bits == 16 && pad_.empty()) {
            leadingWordBytes_ += bytes;
        } else {
            pastLeadingWords_ = true;
            bytesAfterWords_ = bytesAfterWords_ && bits == 8;
        }
        image_.insert(image_.end(), pad_.begin(), pad_.end());
        pad_.clear();
        bits_ = bits_ == 0 ? bits : bits_ == bits ? bits : -1;
        if (image_.size() % static_cast<std::size_t>(bits / 8) != 0) // a pad came between its values
            bits_ = -1;
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

    // The bytes a directive puts in the section, kept in an array or not.
    void Advance(std::size_t bytes) { section_.at = (section_.at + bytes) % ExactlyKnown; }

    void AddData(const DirectiveKind& kind, std::string_view operands)
    {
        const std::vector<std::string_view> values = SplitOperands(operands);
        const bool text = std::any_of(values.begin(), values.end(), [](std::string_view value) {
            return value.find_first_of("'\"") != std::string_view::npos;
        });
        if (text) // a string's bytes are not counted
            section_.knownModulo = 1;
        else
            Advance(values.size() * static_cast<std::size_t>(kind.bits / 8));
        for (const std::string_view operand : values) {
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
        if (kind.sizedFill && parts.size() >= 2) { // .fill N, SIZE[, V]: the size of a value in bytes
            const std::optional<Integer> size = Evaluate(parts[1], kind.dialect, result);
            bits = size && !size->negative && (size->magnitude == 1 || size->magnitude == 2 || size->magnitude == 4)
                       ? static_cast<int>(size->magnitude * 8)
                       : 0;
            valueAt = 2;
        }
        if (readable && bits != 0)
            Advance(times * static_cast<std::size_t>(bits / 8));
        else
            section_.knownModulo = 1;
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
        pastLeadingWords_ = true; // a run of one value is no row of a sized sprite: no header
        bytesAfterWords_ = false;
        if (!MakeRoom(bits, times * static_cast<std::size_t>(bits / 8)))
            return;
        for (std::size_t i = 0; i < times; ++i)
            Push(value, bits);
    }

    CArrayScan& scan_;
    std::string name_; // of the array being read; empty when none is
    std::vector<uint8_t> image_;
    int bits_ = 0; // 0 before the first value, -1 when sizes are mixed
    // For a size header: the bytes of the words the array starts with, and
    // whether only bytes came after them.
    std::size_t leadingWordBytes_ = 0;
    bool pastLeadingWords_ = false;
    bool bytesAfterWords_ = true;
    bool refused_ = false;
    // Where the next byte lies from the section's start: `at` modulo
    // knownModulo (a power of two; ExactlyKnown before anything unknown).
    struct SectionPlace {
        std::size_t at = 0;
        std::size_t knownModulo = ExactlyKnown;
    } section_;
    std::string currentSection_; // as its directive is written; empty for the text's start
    std::map<std::string, SectionPlace> sections_;
    std::vector<uint8_t> pad_; // of an alignment, put into the array if its data goes on
    bool padUnknown_ = false;  // an alignment of the array whose pad cannot be known
    std::size_t unknownBoundary_ = 0;
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

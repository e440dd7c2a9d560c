// Recursive descent with precedence climbing for the binary operators.
// Bitwise operators work on 65-bit two's complement (the sign as the 65th
// bit), which holds every value of the range exactly.
#include "IntegerExpression.h"

#include <array>

namespace {

constexpr int MaxNesting = 256;

struct Digits {
    int base;
    std::size_t start;
};

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// The digits from start in base, up to the first character that is no
// digit of any base (at); separators ' skipped. Nothing on overflow or on a
// digit too large for the base.
std::optional<uint64_t> ReadDigits(std::string_view text, Digits digits, std::size_t& at, std::size_t& count)
{
    uint64_t value = 0;
    count = 0;
    for (at = digits.start; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\'')
            continue;
        const int digit = DigitValue(c);
        if (digit == 99 || (digits.base != 16 && digit > 9))
            break;
        if (digit >= digits.base)
            return std::nullopt;
        const auto base = static_cast<uint64_t>(digits.base);
        if (value > (UINT64_MAX - static_cast<uint64_t>(digit)) / base)
            return std::nullopt;
        value = value * base + static_cast<uint64_t>(digit);
        ++count;
    }
    return value;
}

// The whole text as digits of the base, no separator, no suffix.
std::optional<uint64_t> WholeDigits(std::string_view text, Digits digits)
{
    std::size_t at = 0;
    std::size_t count = 0;
    if (text.find('\'') != std::string_view::npos)
        return std::nullopt;
    const std::optional<uint64_t> value = ReadDigits(text, digits, at, count);
    if (!value || at != text.size() || (count == 0 && digits.base != 8) || (count == 0 && digits.start > 0))
        return std::nullopt;
    return value;
}

bool HasPrefix(std::string_view text, char lower)
{
    return text.size() > 1 && text[0] == '0' && (text[1] == lower || text[1] == lower - 'a' + 'A');
}

// 0x.. hexadecimal, 0b.. binary, 0.. octal, else decimal: C's prefixes,
// which GNU as shares. text is not empty.
Digits CStyleDigits(std::string_view text)
{
    if (HasPrefix(text, 'x'))
        return {16, 2};
    if (HasPrefix(text, 'b'))
        return {2, 2};
    return text[0] == '0' ? Digits{8, 0} : Digits{10, 0};
}

Integer Negated(Integer value)
{
    return {value.magnitude != 0 && !value.negative, value.magnitude};
}

Integer Made(bool negative, uint64_t magnitude)
{
    return {negative && magnitude != 0, magnitude};
}

// 65-bit two's complement of a value: the low 64 bits and the sign bit.
struct Bits65 {
    uint64_t low;
    bool sign;
};

Bits65 ToBits(Integer value)
{
    return value.negative ? Bits65{~value.magnitude + 1, true} : Bits65{value.magnitude, false};
}

std::optional<Integer> FromBits(Bits65 bits)
{
    if (!bits.sign)
        return Integer{false, bits.low};
    if (bits.low == 0) // -2^64
        return std::nullopt;
    return Integer{true, ~bits.low + 1};
}

std::optional<Integer> Sum(Integer a, Integer b)
{
    if (a.negative == b.negative) {
        if (a.magnitude > UINT64_MAX - b.magnitude)
            return std::nullopt;
        return Made(a.negative, a.magnitude + b.magnitude);
    }
    if (a.magnitude >= b.magnitude)
        return Made(a.negative, a.magnitude - b.magnitude);
    return Made(b.negative, b.magnitude - a.magnitude);
}

std::optional<Integer> Product(Integer a, Integer b)
{
    if (a.magnitude != 0 && b.magnitude > UINT64_MAX / a.magnitude)
        return std::nullopt;
    return Made(a.negative != b.negative, a.magnitude * b.magnitude);
}

// C's division: the quotient truncated toward zero, the remainder with the
// sign of the dividend.
std::optional<Integer> Divided(Integer a, Integer b, bool remainder)
{
    if (b.magnitude == 0)
        return std::nullopt;
    if (remainder)
        return Made(a.negative, a.magnitude % b.magnitude);
    return Made(a.negative != b.negative, a.magnitude / b.magnitude);
}

std::optional<Integer> Shifted(Integer a, Integer b, bool left)
{
    if (a.negative || b.negative)
        return std::nullopt;
    if (!left)
        return Integer{false, b.magnitude >= 64 ? 0 : a.magnitude >> b.magnitude};
    if (b.magnitude >= 64 ? a.magnitude != 0 : (b.magnitude && (a.magnitude >> (64 - b.magnitude)) != 0))
        return std::nullopt;
    return Integer{false, b.magnitude >= 64 ? 0 : a.magnitude << b.magnitude};
}

std::optional<Integer> Bitwise(Integer a, Integer b, char op)
{
    const Bits65 x = ToBits(a);
    const Bits65 y = ToBits(b);
    switch (op) {
    case '&':
        return FromBits({x.low & y.low, x.sign && y.sign});
    case '|':
        return FromBits({x.low | y.low, x.sign || y.sign});
    default:
        return FromBits({x.low ^ y.low, x.sign != y.sign});
    }
}

struct BinaryOperator {
    std::string_view text;
    int precedence;
};

constexpr std::array<BinaryOperator, 10> BinaryOperators = {{
    {"|", 1},
    {"^", 2},
    {"&", 3},
    {"<<", 4},
    {">>", 4},
    {"+", 5},
    {"-", 5},
    {"*", 6},
    {"/", 6},
    {"%", 6},
}};

int PrecedenceOf(const Token& token)
{
    if (token.kind != TokenKind::Punctuation)
        return 0;
    for (const BinaryOperator& op : BinaryOperators)
        if (token.text == op.text)
            return op.precedence;
    return 0;
}

bool IsIntegerTypeWord(std::string_view word)
{
    static constexpr std::string_view Words[] = {
        "unsigned", "signed", "char",     "short",   "int",      "long",    "const",    "volatile",
        "uint8_t",  "int8_t", "uint16_t", "int16_t", "uint32_t", "int32_t", "uint64_t", "int64_t",
    };
    for (std::string_view known : Words)
        if (word == known)
            return true;
    return false;
}

class Parser {
public:
    Parser(TokenStream& tokens, const IntegerConstants& constants, LiteralReader literal)
        : tokens_(tokens), constants_(constants), literal_(literal)
    {
    }

    ExpressionResult Run()
    {
        const std::optional<Integer> value = Binary(1);
        if (!value)
            return {{}, error_, culprit_};
        return {*value, ExpressionError::None, {}};
    }

private:
    const Token& Current() const { return tokens_.Current(); }

    std::nullopt_t Fail(ExpressionError error, std::string_view culprit)
    {
        if (error_ == ExpressionError::None) {
            error_ = error;
            culprit_ = culprit;
        }
        return std::nullopt;
    }

    std::optional<Integer> Binary(int lowest)
    {
        std::optional<Integer> left = Unary();
        while (left) {
            const Token op = Current();
            const int precedence = PrecedenceOf(op);
            if (precedence < lowest || precedence == 0)
                break;
            tokens_.Advance();
            const std::optional<Integer> right = Binary(precedence + 1);
            if (!right)
                return std::nullopt;
            left = Apply(op, *left, *right);
            if (!left)
                return Fail(ExpressionError::OutOfRange, op.text);
        }
        return left;
    }

    static std::optional<Integer> Apply(const Token& op, Integer a, Integer b)
    {
        const char c = op.text[0];
        if (op.text == "<<" || op.text == ">>")
            return Shifted(a, b, c == '<');
        switch (c) {
        case '+':
            return Sum(a, b);
        case '-':
            return Sum(a, Negated(b));
        case '*':
            return Product(a, b);
        case '/':
            return Divided(a, b, false);
        case '%':
            return Divided(a, b, true);
        default:
            return Bitwise(a, b, c);
        }
    }

    std::optional<Integer> Unary()
    {
        const Token token = Current();
        if (token.kind != TokenKind::Punctuation)
            return Primary();
        if (token.text != "-" && token.text != "~" && token.text != "+" && token.text != "(")
            return Fail(ExpressionError::NotANumber, token.text);
        if (++nesting_ > MaxNesting)
            return Fail(ExpressionError::OutOfRange, token.text);
        tokens_.Advance();
        std::optional<Integer> value = token.text == "(" ? Parenthesised() : Unary();
        --nesting_;
        if (!value || token.text == "+")
            return value;
        if (token.text == "-")
            return Negated(*value);
        if (token.text == "~") { // ~x is -x - 1
            value = Sum(Negated(*value), Integer{true, 1});
            if (!value)
                return Fail(ExpressionError::OutOfRange, token.text);
        }
        return value;
    }

    // After '(': a cast to an integer type, then its operand, or an
    // expression and ')'.
    std::optional<Integer> Parenthesised()
    {
        if (Current().kind == TokenKind::Identifier && IsIntegerTypeWord(Current().text)) {
            while (Current().kind == TokenKind::Identifier && IsIntegerTypeWord(Current().text))
                tokens_.Advance();
            if (!Current().Is(")"))
                return Fail(ExpressionError::NotANumber, Current().text);
            tokens_.Advance();
            return Unary();
        }
        const std::optional<Integer> value = Binary(1);
        if (!value)
            return std::nullopt;
        if (!Current().Is(")"))
            return Fail(ExpressionError::NotANumber, Current().text);
        tokens_.Advance();
        return value;
    }

    std::optional<Integer> Primary()
    {
        const Token token = Current();
        if (token.kind == TokenKind::Number) {
            const std::optional<uint64_t> value = literal_(token.text);
            if (!value)
                return Fail(ExpressionError::BadNumber, token.text);
            tokens_.Advance();
            return Integer{false, *value};
        }
        if (token.kind == TokenKind::Identifier) {
            const auto constant = constants_.find(token.text);
            if (constant == constants_.end())
                return Fail(ExpressionError::NotANumber, token.text);
            tokens_.Advance();
            return constant->second;
        }
        return Fail(ExpressionError::NotANumber, token.text);
    }

    TokenStream& tokens_;
    const IntegerConstants& constants_;
    LiteralReader literal_;
    int nesting_ = 0;
    ExpressionError error_ = ExpressionError::None;
    std::string_view culprit_;
};

} // namespace

std::optional<uint64_t> CLiteralValue(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const Digits digits = CStyleDigits(text);
    std::size_t at = 0;
    std::size_t count = 0;
    const std::optional<uint64_t> value = ReadDigits(text, digits, at, count);
    if (!value || (count == 0 && digits.base != 8))
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

std::optional<uint64_t> A68kLiteralValue(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    Digits digits{10, 0};
    if (text[0] == '$')
        digits = {16, 1};
    else if (text[0] == '%')
        digits = {2, 1};
    else if (text[0] == '@')
        digits = {8, 1};
    return WholeDigits(text, digits);
}

std::optional<uint64_t> GnuAsLiteralValue(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    return WholeDigits(text, CStyleDigits(text));
}

ExpressionResult ParseIntegerExpression(TokenStream& tokens, const IntegerConstants& constants, LiteralReader literal)
{
    return Parser(tokens, constants, literal).Run();
}

std::optional<uint64_t> ElementBitsOf(Integer value, int bits)
{
    const uint64_t all = bits >= 64 ? UINT64_MAX : (uint64_t{1} << bits) - 1;
    if (!value.negative)
        return value.magnitude <= all ? std::optional<uint64_t>(value.magnitude) : std::nullopt;
    if (value.magnitude > (uint64_t{1} << (bits - 1)))
        return std::nullopt;
    return (~value.magnitude + 1) & all;
}

std::optional<std::size_t> SmallCount(Integer value, std::size_t largest)
{
    if (value.negative || value.magnitude > largest)
        return std::nullopt;
    return static_cast<std::size_t>(value.magnitude);
}

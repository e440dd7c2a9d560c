// Integer constant expressions as program sources write them in array
// sizes ([3*16]), array elements (~0x1818, -1) and draw-call arguments
// (NAME_HEIGHT, NAME+12): literals, names of known constants, parentheses,
// casts to an integer type, unary - ~ +, and * / % + - << >> & ^ | with C's
// precedence. Values are exact integers from -(2^64 - 1) to 2^64 - 1, kept
// as a sign and a magnitude, so that a 64-bit row is read as written on any
// compiler; a result outside that range is refused, never wrapped.
//
// The parser reads from a token stream and stops at the first token that
// cannot continue the expression, leaving it current: the caller decides
// whether a ',' or a '}' must follow. Nesting is bounded, so a text of a
// million '(' cannot exhaust the stack.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

enum class TokenKind { Identifier, Number, Punctuation, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;

    bool Is(std::string_view punctuation) const { return kind == TokenKind::Punctuation && text == punctuation; }
};

class TokenStream {
public:
    virtual ~TokenStream() = default;
    virtual const Token& Current() const = 0;
    virtual void Advance() = 0;
};

struct Integer {
    bool negative = false; // never true for zero
    uint64_t magnitude = 0;
};

inline bool operator==(Integer a, Integer b)
{
    return a.negative == b.negative && a.magnitude == b.magnitude;
}

// Named constants (#define, equ, .set); at most MaxConstants are kept.
using IntegerConstants = std::map<std::string, Integer, std::less<>>;
constexpr std::size_t MaxConstants = 4096;

// The value of one literal token, or nothing when it is not one or does not
// fit 64 bits.
using LiteralReader = std::optional<uint64_t> (*)(std::string_view token);
// C: 0x.., 0b.., 0.. octal, decimal; digit separators '; suffixes u, l, ll.
std::optional<uint64_t> CLiteralValue(std::string_view token);
// A68k: $.. hexadecimal, %.. binary, @.. octal, decimal (a leading 0
// included).
std::optional<uint64_t> A68kLiteralValue(std::string_view token);
// GNU as: 0x.., 0b.., 0.. octal, decimal.
std::optional<uint64_t> GnuAsLiteralValue(std::string_view token);

enum class ExpressionError {
    None,
    NotANumber, // a name that is no known constant, or a token that starts no expression
    BadNumber,  // a literal that cannot be read
    OutOfRange, // beyond 64 bits, a division by zero, a shift or bitwise operation on a negative value
};

struct ExpressionResult {
    Integer value;
    ExpressionError error = ExpressionError::None;
    std::string_view culprit; // the token at fault
};

ExpressionResult ParseIntegerExpression(TokenStream& tokens, const IntegerConstants& constants, LiteralReader literal);

// The value as an element of `bits` bits (8 to 64), two's complement for a
// negative one, as C converts an initialiser; nothing when it does not fit
// from -2^(bits-1) to 2^bits - 1.
std::optional<uint64_t> ElementBitsOf(Integer value, int bits);

// A small non-negative value (a size, a height, an offset), or nothing.
std::optional<std::size_t> SmallCount(Integer value, std::size_t largest);

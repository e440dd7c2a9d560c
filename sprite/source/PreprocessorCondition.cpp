// Recursive descent, one function per precedence level; depth is bounded so
// that a line of a million '(' cannot exhaust the stack.
#include "PreprocessorCondition.h"

#include <array>
#include <limits>

#include "SourceTokens.h"

namespace {

constexpr int MaxNesting = 256;

class ConditionEvaluator {
public:
    ConditionEvaluator(std::string_view text, const std::set<std::string>& defined, const IntegerConstants& values)
        : text_(text), defined_(defined), values_(values)
    {
    }

    std::optional<bool> Whole()
    {
        const std::optional<int64_t> value = Conditional();
        SkipBlanks();
        if (!value || at_ != text_.size())
            return std::nullopt;
        return *value != 0;
    }

private:
    using Value = std::optional<int64_t>;

    // a ? b : c; only the branch chosen counts, as in C.
    Value Conditional()
    {
        const Nesting nesting(*this);
        if (depth_ > MaxNesting)
            return std::nullopt;
        const Value test = Or();
        if (!Take("?"))
            return test;
        const Value chosen = Conditional();
        if (!Take(":"))
            return std::nullopt;
        const Value other = Conditional();
        if (!test)
            return std::nullopt;
        return *test ? chosen : other;
    }

    // || and && short-circuit: "defined(X) && X > 2" is decided when X is not
    // defined at all. Unknown operands are read through all the same, so
    // that the rest of the line is read where it stands.
    Value Or()
    {
        Value left = And();
        while (Take("||")) {
            const Value right = And();
            const bool either = (left && *left != 0) || (right && *right != 0);
            left = either ? Value(1) : (left && right ? Value(0) : Value());
        }
        return left;
    }

    Value And()
    {
        Value left = Binary(0);
        while (Take("&&")) {
            const Value right = Binary(0);
            const bool eitherZero = (left && *left == 0) || (right && *right == 0);
            left = eitherZero ? Value(0) : (left && right ? Value(1) : Value());
        }
        return left;
    }

    // The binary operators below && by level, loosest first.
    static constexpr std::array<std::array<std::string_view, 4>, 8> Levels{{
        {"|"},
        {"^"},
        {"&"},
        {"==", "!="},
        {"<=", ">=", "<", ">"},
        {"<<", ">>"},
        {"+", "-"},
        {"*", "/", "%"},
    }};

    Value Binary(std::size_t level)
    {
        if (level == Levels.size())
            return Unary();
        Value left = Binary(level + 1);
        for (;;) {
            const std::string_view op = TakeOneOf(Levels[level]);
            if (op.empty())
                return left;
            const Value right = Binary(level + 1);
            left = left && right ? Apply(op, *left, *right) : Value();
        }
    }

    static Value Apply(std::string_view op, int64_t a, int64_t b)
    {
        int64_t result = 0;
        if (op == "+")
            return __builtin_add_overflow(a, b, &result) ? Value() : result;
        if (op == "-")
            return __builtin_sub_overflow(a, b, &result) ? Value() : result;
        if (op == "*")
            return __builtin_mul_overflow(a, b, &result) ? Value() : result;
        if (op == "/" || op == "%") {
            if (b == 0 || (a == std::numeric_limits<int64_t>::min() && b == -1))
                return std::nullopt;
            return op == "/" ? a / b : a % b;
        }
        if (op == "<<" || op == ">>") {
            if (b < 0 || b > 62 || a < 0)
                return std::nullopt;
            if (op == ">>")
                return a >> b;
            return a > (std::numeric_limits<int64_t>::max() >> b) ? Value() : a << b;
        }
        if (op == "<")
            return a < b;
        if (op == ">")
            return a > b;
        if (op == "<=")
            return a <= b;
        if (op == ">=")
            return a >= b;
        if (op == "==")
            return a == b;
        if (op == "!=")
            return a != b;
        if (op == "&")
            return a & b;
        if (op == "^")
            return a ^ b;
        return a | b;
    }

    Value Unary()
    {
        const Nesting nesting(*this);
        if (depth_ > MaxNesting)
            return std::nullopt;
        SkipBlanks();
        if (Take("!")) {
            const Value value = Unary();
            return value ? Value(*value == 0) : Value();
        }
        if (Take("~")) {
            const Value value = Unary();
            return value ? Value(~*value) : Value();
        }
        if (Take("-")) {
            const Value value = Unary();
            return value && *value != std::numeric_limits<int64_t>::min() ? Value(-*value) : Value();
        }
        if (Take("+"))
            return Unary();
        if (Take("(")) {
            const Value value = Conditional();
            return Take(")") ? value : Value();
        }
        return Primary();
    }

    Value Primary()
    {
        const std::string_view word = Word();
        if (word.empty())
            return std::nullopt;
        if (IsAsciiDigit(word.front())) {
            const std::optional<uint64_t> literal = CLiteralValue(word);
            if (!literal || *literal > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
                return std::nullopt;
            return static_cast<int64_t>(*literal);
        }
        if (word == "defined")
            return Defined();
        // An unknown name is read, and leaves the value unknown.
        const auto known = values_.find(word);
        if (known == values_.end() || known->second.magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
            return std::nullopt;
        const auto magnitude = static_cast<int64_t>(known->second.magnitude);
        return known->second.negative ? -magnitude : magnitude;
    }

    // After "defined": NAME or (NAME).
    Value Defined()
    {
        const bool parenthesised = Take("(");
        const std::string_view name = Word();
        if (name.empty() || !IsIdentifierStartChar(name.front()) || (parenthesised && !Take(")")))
            return std::nullopt;
        return defined_.count(std::string(name)) != 0 ? 1 : 0;
    }

    // An identifier or a number (letters and digits run on: "0x3Cul").
    std::string_view Word()
    {
        SkipBlanks();
        const std::size_t start = at_;
        while (at_ < text_.size() && IsIdentifierChar(text_[at_]))
            ++at_;
        return text_.substr(start, at_ - start);
    }

    // The first of the operators written next, taken; "" when none. "<"
    // is not taken from "<<" or "<=", nor "&" from "&&", nor "|" from "||".
    template <std::size_t N>
    std::string_view TakeOneOf(const std::array<std::string_view, N>& ops)
    {
        for (const std::string_view op : ops)
            if (!op.empty() && Take(op))
                return op;
        return {};
    }

    bool Take(std::string_view op)
    {
        SkipBlanks();
        if (text_.substr(at_, op.size()) != op)
            return false;
        const std::size_t after = at_ + op.size();
        const char next = after < text_.size() ? text_[after] : '\0';
        const bool longer = (op.size() == 1 && (op[0] == '<' || op[0] == '>') && (next == op[0] || next == '=')) ||
                            (op.size() == 1 && (op[0] == '&' || op[0] == '|') && next == op[0]) ||
                            (op == "!" && next == '=') || (op == "=" && next == '=');
        if (longer)
            return false;
        at_ = after;
        return true;
    }

    void SkipBlanks()
    {
        while (at_ < text_.size() && IsBlankChar(text_[at_]))
            ++at_;
    }

    struct Nesting {
        explicit Nesting(ConditionEvaluator& evaluator) : evaluator_(evaluator) { ++evaluator_.depth_; }
        ~Nesting() { --evaluator_.depth_; }
        ConditionEvaluator& evaluator_;
    };

    std::string_view text_;
    std::size_t at_ = 0;
    int depth_ = 0;
    const std::set<std::string>& defined_;
    const IntegerConstants& values_;
};

} // namespace

std::optional<bool> EvaluateCondition(std::string_view condition, const std::set<std::string>& defined,
                                      const IntegerConstants& values)
{
    return ConditionEvaluator(condition, defined, values).Whole();
}

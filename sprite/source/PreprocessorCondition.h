// The condition of an #if or #elif line as the C preprocessor evaluates it:
// defined(NAME) and defined NAME, integer literals, the names #define'd
// with an integer value, parentheses, unary ! ~ - +, the binary operators
// * / % + - << >> < <= > >= == != & ^ | && || with C's precedence and
// short-circuits, and ?:. Values are 64-bit signed, as the preprocessor's
// intmax_t. A name the files read do not define with a value (one given
// to the compiler on its command line, or by a header not read), a
// function-like macro, a division by zero or anything else unknown leaves
// the condition undecided: nothing, so that the caller reads the first
// branch and says so rather than guess.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "IntegerExpression.h"

std::optional<bool> EvaluateCondition(std::string_view condition, const std::set<std::string>& defined,
                                      const IntegerConstants& values);

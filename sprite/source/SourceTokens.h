// The tokens of C source text, shared by the array reader and the draw-call
// reader: identifiers, numbers and punctuation ("<<" and ">>" as one token);
// comments, strings, character constants and white space are skipped. Line
// ends may be LF, CR LF or CR alone; bytes outside ASCII (Latin-1 letters in
// comments) are passed over like any other. Tokens are views into the text,
// which must outlive them.
//
// On the side it keeps what the text says about its arrays without being an
// array: maskplane's "NAME : W x H pixels" comment, and the integer constants
// of "#define NAME value" lines, for sizes and heights written with them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "IntegerExpression.h"

// "NAME : W x H pixels" at the start of a comment, as maskplane writes it
// above its arrays: the sprite's real width, its rows being padded.
struct CommentSize {
    int width;
    int height;
};

// What the tokenizer notes while it reads. Both maps are bounded, so a huge
// text cannot take memory without bound through them.
struct SourceNotes {
    std::map<std::string, CommentSize> commentSizes;
    IntegerConstants constants; // "#define NAME value" with an integer value
};

// Notes "NAME : W x H pixels" when the comment starts so.
void ReadCommentSize(std::string_view comment, SourceNotes& notes);

class CTokenizer {
public:
    CTokenizer(std::string_view text, SourceNotes* notes) : text_(text), notes_(notes) {}

    Token Next();

private:
    void SkipBlanks();
    void SkipLineComment();
    void SkipBlockComment();
    void SkipQuoted(char quote);
    void NoteComment(std::string_view comment);
    void ReadDefine();

    std::string_view text_;
    SourceNotes* notes_; // may be null: nothing is noted
    std::size_t at_ = 0;
    bool lineStart_ = true; // only blanks since the last line end
};

// A token stream over a tokenizer, for the expression parser.
class CTokenStream : public TokenStream {
public:
    CTokenStream(std::string_view text, SourceNotes* notes) : tokens_(text, notes) { current_ = tokens_.Next(); }
    const Token& Current() const override { return current_; }
    void Advance() override { current_ = tokens_.Next(); }

private:
    CTokenizer tokens_;
    Token current_;
};

// Plain ASCII tests: the locale has no say in what C calls a letter.
inline bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}
inline bool IsIdentifierStartChar(char c)
{
    return IsAsciiLetter(c) || c == '_';
}
inline bool IsIdentifierChar(char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_';
}
inline bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// ASCII letters lowered, every other byte as it is.
std::string AsciiLowered(std::string_view text);
// A name as the readers' messages quote it: « name », cut and escaped as
// ShownText.h shows source text.
std::string InGuillemets(std::string_view text);

#include "SourceTokens.h"

#include <algorithm>


namespace {

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

class CommentCursor {
public:
    explicit CommentCursor(std::string_view text) : text_(text) {}
    void SkipSpaces()
    {
        while (at_ < text_.size() && IsBlankChar(text_[at_]))
            ++at_;
    }
    std::string_view Identifier()
    {
        const std::size_t start = at_;
        if (at_ < text_.size() && IsIdentifierStartChar(text_[at_]))
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
        while (at_ < text_.size() && IsAsciiDigit(text_[at_]) && digits < 4) {
            value = value * 10 + (text_[at_++] - '0');
            ++digits;
        }
        return digits ? value : -1;
    }
    std::string_view Rest() const { return text_.substr(at_); }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

Token CTokenizer::Next()
{
    SkipBlanks();
    if (at_ >= text_.size())
        return {};
    const std::size_t start = at_;
    const char c = text_[at_];
    if (c == '#' && lineStart_)
        ReadDefine();
    lineStart_ = false;
    if (IsIdentifierStartChar(c)) {
        while (at_ < text_.size() && IsIdentifierChar(text_[at_]))
            ++at_;
        return {TokenKind::Identifier, text_.substr(start, at_ - start)};
    }
    // A number runs on through letters and digits ("0x3Cul"); a '.' makes
    // it a floating constant, which no array of ours holds.
    if (IsAsciiDigit(c)) {
        while (at_ < text_.size() && (IsIdentifierChar(text_[at_]) || text_[at_] == '.' || text_[at_] == '\''))
            ++at_;
        return {TokenKind::Number, text_.substr(start, at_ - start)};
    }
    const bool shift = (c == '<' || c == '>') && at_ + 1 < text_.size() && text_[at_ + 1] == c;
    at_ += shift ? 2 : 1;
    return {TokenKind::Punctuation, text_.substr(start, at_ - start)};
}

void CTokenizer::SkipBlanks()
{
    while (at_ < text_.size()) {
        const char c = text_[at_];
        const char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
        if (IsBlankChar(c)) {
            lineStart_ = lineStart_ || IsLineEnd(c);
            ++at_;
        } else if (c == '/' && next == '/') {
            SkipLineComment();
        } else if (c == '/' && next == '*') {
            SkipBlockComment();
        } else if (c == '"' || c == '\'') {
            SkipQuoted(c);
        } else {
            return;
        }
    }
}

// Up to the line end, CR or LF, which stays for SkipBlanks to see.
void CTokenizer::SkipLineComment()
{
    const std::size_t end = text_.find_first_of("\r\n", at_);
    at_ = end == std::string_view::npos ? text_.size() : end;
}

// Searched by its '/' (a single-character search is the fast one), then
// checked for the '*' before it, which cannot be the opening one.
void CTokenizer::SkipBlockComment()
{
    const std::size_t bodyStart = at_ + 2;
    std::size_t slash = bodyStart + 1;
    while ((slash = text_.find('/', slash)) != std::string_view::npos && text_[slash - 1] != '*')
        ++slash;
    if (slash == std::string_view::npos) {
        NoteComment(text_.substr(bodyStart));
        at_ = text_.size();
        return;
    }
    NoteComment(text_.substr(bodyStart, slash - 1 - bodyStart));
    at_ = slash + 1;
}

// A string or character constant ends at its closing quote or, unclosed,
// at the end of its line.
void CTokenizer::SkipQuoted(char quote)
{
    ++at_;
    while (at_ < text_.size() && text_[at_] != quote && !IsLineEnd(text_[at_]))
        at_ += text_[at_] == '\\' ? 2 : 1;
    at_ = std::min(at_ + 1, text_.size()); // past the quote, or a backslash that ended the text
}

void CTokenizer::NoteComment(std::string_view comment)
{
    if (notes_)
        ReadCommentSize(comment, *notes_);
}

// Only the comment's first characters are looked at, so a long comment
// costs nothing more.
void ReadCommentSize(std::string_view comment, SourceNotes& notes)
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
    if (notes.commentSizes.size() < MaxConstants)
        notes.commentSizes.emplace(std::string(name), CommentSize{width, height});
}

// At the '#' that opens a line: "#define NAME value" with an integer value
// is noted; the line is then read as tokens like any other, so nothing
// that the reader took before is lost.
void CTokenizer::ReadDefine()
{
    if (!notes_)
        return;
    constexpr std::size_t LongestLine = 300;
    const std::string_view ahead = text_.substr(at_, LongestLine);
    const std::size_t length = ahead.find_first_of("\r\n");
    if (length == std::string_view::npos && ahead.size() == LongestLine)
        return;
    const std::size_t end = at_ + (length == std::string_view::npos ? ahead.size() : length);
    if (text_[end - 1] == '\\') // continued on the next line
        return;
    CommentCursor line(text_.substr(at_ + 1, end - at_ - 1));
    if (!line.Literal("define"))
        return;
    line.SkipSpaces();
    const std::string_view name = line.Identifier();
    if (name.empty() || line.Rest().empty() || line.Rest().front() == '(') // a macro with parameters
        return;
    CTokenStream body(line.Rest(), nullptr);
    const ExpressionResult value = ParseIntegerExpression(body, notes_->constants, CLiteralValue);
    if (value.error != ExpressionError::None || body.Current().kind != TokenKind::End)
        return;
    if (notes_->constants.size() < MaxConstants || notes_->constants.count(name))
        notes_->constants.insert_or_assign(std::string(name), value.value);
}

// Errors that an event handler does not handle itself: they stop the handler
// and reach the application, which shows their message in its error box and
// goes on (see PixoraApplication). Messages are UTF-8.
#pragma once

#include <QString>
#include <stdexcept>

class EditorError : public std::runtime_error {
public:
    explicit EditorError(const QString& message);
};

// The text as a signed 32-bit integer (blanks around it and a sign allowed);
// anything else raises "'text' is not a valid integer value".
int StrToInt(const QString& text);

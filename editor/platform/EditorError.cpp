#include "EditorError.h"

EditorError::EditorError(const QString& message) : std::runtime_error(message.toStdString()) {}

int StrToInt(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw EditorError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

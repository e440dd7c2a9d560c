#include "TextEncoding.h"

#include <QFile>

#include "Windows1252.h"

namespace {

constexpr char Unrepresentable = '?';

char EncodedByte(char16_t character)
{
    const int byte = UnicodeToWindows1252(character);
    return byte < 0 ? Unrepresentable : static_cast<char>(byte);
}

} // namespace

std::string FileSystemName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

QString FromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text += QChar(static_cast<char16_t>(Windows1252ToUnicode(static_cast<unsigned char>(byte))));
    }
    return text;
}

QString TextBoxText(QByteArrayView bytes)
{
    return FromWindows1252(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QByteArray ToWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    // Code points beyond the 16-bit plane take two units; each would become a '?'.
    for (const QChar character : text)
        if (!character.isLowSurrogate())
            bytes += EncodedByte(character.unicode());
    return bytes;
}

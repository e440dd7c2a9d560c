// Conversion between the editor's Unicode texts and the bytes outside it:
// the 8-bit Windows-1252 text that plug-ins take and give (their information
// strings, the sprite name handed to them, the files they write), and file
// names as the file system spells them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <string>

// The name for the standard library and the plug-ins, whatever letters it holds.
std::string FileSystemName(const QString& fileName);

// The five bytes that the code page leaves undefined become U+FFFD.
QString FromWindows1252(QByteArrayView bytes);

// As FromWindows1252, with each CR LF turned into the one line feed that a
// text box breaks its lines on.
QString TextBoxText(QByteArrayView bytes);

// Characters that the code page cannot hold become '?'.
QByteArray ToWindows1252(const QString& text);

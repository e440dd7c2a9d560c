#include "PixoraApplication.h"

#include <exception>

#include "Dialogs.h"

PixoraApplication::PixoraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Only the name: a display name would be appended to every caption.
    setApplicationName(QStringLiteral("Pixora"));
}

bool PixoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorBox(QString());
    }
    return false;
}

void ShowErrorBox(const QString& message)
{
    AppDialogs().ShowMessage(message, QStringLiteral("Pixora"), MessageIcon::Error);
}

#include "PixoraApplication.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "Dialogs.h"

PixoraApplication::PixoraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Only the name: a display name would be appended to every caption.
    setApplicationName(QStringLiteral("Pixora"));
    UseFrenchQtTexts();
}

// The editor speaks French whatever the user's locale, so Qt's own texts
// (file dialogs, standard buttons, the context menus of text boxes) do too.
// Without Debian's translations installed they stay in English.
void PixoraApplication::UseFrenchQtTexts()
{
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    auto* translator = new QTranslator(this);
    if (translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    else
        delete translator;
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

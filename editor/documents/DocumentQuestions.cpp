#include "DocumentQuestions.h"

#include <QFile>
#include <QStringList>

#include "Dialogs.h"

QString Quoted(const QString& text)
{
    return QStringLiteral("« %1 »").arg(text);
}

QString FromFileSystem(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

bool MaySetAsideChanged(const QString& changed, const QString& beforeWhat, const std::function<bool()>& save)
{
    const QString question =
        changed + QStringLiteral(".\nVoulez-vous enregistrer les modifications ") + beforeWhat + QStringLiteral(" ?");
    const QStringList buttons{QStringLiteral("Enregistrer"), QStringLiteral("Ne pas enregistrer"),
                              QStringLiteral("Annuler")};
    switch (AppDialogs().Ask(question, QStringLiteral("Pixora"), MessageIcon::Warning, buttons)) {
    case 0:
        return save();
    case 1:
        return true;
    default:
        return false;
    }
}

#include "RoundTripDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "SourceImportDialog.h"

namespace {

QDialogButtonBox* OkCancel(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

class QtRoundTripDialogs final : public RoundTripDialogs {
public:
    std::optional<QString> AskVariableName(const QString& proposed, const QString& note) override
    {
        QDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Exporter en image TI"));
        auto* layout = new QVBoxLayout(&dialog);
        auto* text = new QLabel(note, &dialog);
        text->setWordWrap(true);
        layout->addWidget(text);
        auto* form = new QFormLayout;
        auto* name = new QLineEdit(proposed, &dialog);
        name->setObjectName(QStringLiteral("E_NomVariable"));
        name->setMaxLength(8);
        form->addRow(QStringLiteral("Nom de la variable :"), name);
        layout->addLayout(form);
        layout->addWidget(OkCancel(dialog));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return name->text();
    }

    std::optional<ArrayChoice> ChooseArray(const QList<ArrayChoiceItem>& items) override
    {
        return ChooseInSource(ArraySprites{}, items, {});
    }

    std::optional<ArrayChoice> ChooseInSource(const ArraySprites& found, const QList<ArrayChoiceItem>& items,
                                              const QStringList& notes) override
    {
        SourceImportDialog dialog(found, items, notes, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Choice();
    }
};

QtRoundTripDialogs qtRoundTripDialogs;
RoundTripDialogs* installed = nullptr;

} // namespace

RoundTripDialogs& AppRoundTripDialogs()
{
    return installed ? *installed : qtRoundTripDialogs;
}

void InstallRoundTripDialogs(RoundTripDialogs* replacement)
{
    installed = replacement;
}

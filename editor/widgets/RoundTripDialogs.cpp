#include "RoundTripDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

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
        QDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Importer du C"));
        dialog.resize(520, 300);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QStringLiteral("Sprites trouvés dans le texte :"), &dialog));
        auto* list = new QListWidget(&dialog);
        list->setObjectName(QStringLiteral("LB_Tableaux"));
        for (const ArrayChoiceItem& item : items)
            list->addItem(item.text);
        layout->addWidget(list);
        auto* form = new QFormLayout;
        auto* width = new QSpinBox(&dialog);
        width->setObjectName(QStringLiteral("E_Largeur"));
        form->addRow(QStringLiteral("Largeur (colonnes de gauche gardées) :"), width);
        layout->addLayout(form);
        auto* asFrames = new QCheckBox(&dialog);
        asFrames->setObjectName(QStringLiteral("CB_EnImages"));
        layout->addWidget(asFrames);
        layout->addWidget(OkCancel(dialog));
        // Each sprite proposes its own width, up to its elements' bits, and
        // says how many sprites of its size there are.
        QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&](int row) {
            if (row < 0)
                return;
            width->setRange(1, items[row].elementBits);
            width->setValue(items[row].width);
            const int count = items[row].framesOfSize;
            asFrames->setText(count > 1
                                  ? QStringLiteral("Les %1 sprites de cette taille en images de la planche").arg(count)
                                  : QStringLiteral("Aucun autre sprite de cette taille pour faire une planche"));
            asFrames->setEnabled(count > 1);
            if (count < 2)
                asFrames->setChecked(false);
        });
        list->setCurrentRow(0);
        QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
        if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
            return std::nullopt;
        return ArrayChoice{list->currentRow(), width->value(), asFrames->isChecked()};
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

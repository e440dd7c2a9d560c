#include "SheetExportDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DialogParts.h"
#include "ImageConversion.h"
#include "sheet.h"

SheetExportDialog::SheetExportDialog(Point frameSize, int frameCount, int scale, QWidget* parent)
    : QDialog(parent), frameSize_(frameSize), frameCount_(frameCount)
{
    setObjectName(QStringLiteral("SheetExportDialog"));
    setWindowTitle(QStringLiteral("Exporter la planche en PNG"));
    E_Colonnes = NamedNumberBox("E_Colonnes", 1, frameCount, SquareSheetColumns(frameSize, frameCount, {0, 0}));
    E_EspacePlanche = NamedNumberBox("E_EspacePlanche", 0, LargestSheet.x - 1, 0);
    E_EspacePlanche->setSuffix(QStringLiteral(" px"));
    E_EspacePlanche->setToolTip(QStringLiteral("Pixels blancs entre deux images, en pixels du sprite"));
    E_EchellePlanche = NamedNumberBox("E_EchellePlanche", 1, MaxPngScale, scale);
    E_EchellePlanche->setSuffix(QStringLiteral(" ×"));
    L_TaillePlanche = new QLabel;
    L_TaillePlanche->setObjectName(QStringLiteral("L_TaillePlanche"));
    okButton = NamedButton("B_OKPlanche", QStringLiteral("OK"));
    okButton->setDefault(true);
    cancelButton = NamedButton("B_AnnulerPlanche", QStringLiteral("Annuler"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Images par ligne :"), E_Colonnes);
    form->addRow(QStringLiteral("Espacement :"), E_EspacePlanche);
    form->addRow(QStringLiteral("Échelle :"), E_EchellePlanche);
    form->addRow(L_TaillePlanche);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(form);
    whole->addLayout(ButtonRow({okButton, cancelButton}));

    for (QSpinBox* box : {E_Colonnes, E_EspacePlanche, E_EchellePlanche})
        connect(box, &QSpinBox::valueChanged, this, &SheetExportDialog::ShowSize);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ShowSize();
}

void SheetExportDialog::ShowSize()
{
    const int spacing = E_EspacePlanche->value();
    const int scale = E_EchellePlanche->value();
    const SheetSize size = SheetSizeOf(frameSize_, frameCount_, E_Colonnes->value(), {spacing, spacing});
    const long long width = size.width * scale;
    const long long height = size.height * scale;
    const bool writable = width * height <= MaxWrittenPixels;
    L_TaillePlanche->setText(writable ? QStringLiteral("Image de %1 × %2 pixels").arg(width).arg(height)
                                      : QStringLiteral("Image de %1 × %2 pixels : trop grande").arg(width).arg(height));
    okButton->setEnabled(writable);
}

// "Exporter en données..." on "Exporter", below the other exports for other
// software: the data of the sprite, or of the set, in the layout a program
// draws it from (DataExportDialog). The layout used last is kept in the
// settings file.
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

#include "DataExportDialog.h"
#include "FormLayout.h"
#include "U_main.h"

void TForm1::AddDataCommands()
{
    B_ExporterDonnees = Button(Panel7, "B_ExporterDonnees", QStringLiteral("Exporter en données..."), 24, 108, 225, 25);
    B_ExporterDonnees->setToolTip(
        QStringLiteral("Les tableaux du sprite rangés pour une routine de dessin, en C ou en assembleur"));
    connect(B_ExporterDonnees, &QPushButton::clicked, this, &TForm1::B_ExporterDonneesClick);
}

void TForm1::B_ExporterDonneesClick()
{
    DataExportDialog dialog({frames.Frames(), frames.Current(), Edit2->text()}, dataExport, this);
    dialog.exec();
    if (const DataExportSettings used = dialog.Settings(); used.used)
        dataExport = used;
}

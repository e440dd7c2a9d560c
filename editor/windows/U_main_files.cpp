// The commands of the page "Enreg/charger": saving and loading the editor's
// own ".pixo" file (and a set's ".pixs") and importing a calculator picture.
// Each asks for a file through its dialog, which keeps the last name, and
// tells the outcome in a message box; a refused file changes nothing. What
// they open or write, and the questions first, are the document manager's.
#include <QFileInfo>
#include <QPushButton>

#include "DocumentManager.h"
#include "FilePanel.h"
#include "U_main.h"

void TForm1::ConnectFileCommands()
{
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(BitBtn9, &QPushButton::clicked, this, &TForm1::BitBtn9Click);
    documents = new DocumentManager(*this);
    filePanel = new FilePanel(*this);
}

void TForm1::BitBtn5Click()
{
    documents->SaveAs();
}

void TForm1::BitBtn7Click()
{
    documents->OpenWithDialog(SpriteFileKind::Native);
}

void TForm1::BitBtn9Click()
{
    documents->OpenWithDialog(SpriteFileKind::CalculatorPicture);
}

void TForm1::OpenAtStart(const QString& fileName)
{
    documents->Open(QFileInfo(fileName).absoluteFilePath(), DocumentManager::Way::Opened, false);
}

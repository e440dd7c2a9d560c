#include "U_export.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "EditorError.h"
#include "TextEncoding.h"

TForm2::TForm2(ExportWindowOwner& owner) : QWidget(nullptr, Qt::Tool), owner_(owner)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Export"));
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The user goes on drawing after an export: the keys (tools, Ctrl+C)
    // stay with the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QFont(QStringLiteral("Courier New"), 8));
    move(2, 107);
    resize(688, 319);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Memo1);
    owner_.SetExportWindow(this);
}

TForm2::~TForm2()
{
    owner_.SetExportWindow(nullptr);
}

void TForm2::ShowFile(const QString& fullFileName)
{
    QFile file(fullFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EditorError(QStringLiteral("Cannot open file \"%1\". %2").arg(fullFileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EditorError(QStringLiteral("Cannot read file \"%1\". %2").arg(fullFileName, file.errorString()));
    ShowText(bytes.toStdString(), fullFileName);
}

void TForm2::ShowText(const std::string& windows1252Text, const QString& caption)
{
    Memo1->setPlainText(TextBoxText(windows1252Text));
    setWindowTitle(caption);
    QWidget* const keyboardOwner = QApplication::activeWindow();
    show();
    raise();
    // Some platforms and window managers activate every window shown,
    // whatever it asks: the keyboard goes back where it was.
    if (keyboardOwner && keyboardOwner != this)
        keyboardOwner->activateWindow();
}

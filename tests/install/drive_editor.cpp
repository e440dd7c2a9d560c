// Drives the installed editor from inside, for the install test: loaded with
// LD_PRELOAD, it starts with the application and, once the main window shows,
// does the steps that PIXORA_TEST_STEPS lists ("export" exports the sprite
// with "Format TIGCClib", "close" closes the main window), one at a time, as
// a user would. Every message box is answered with its first button and its
// text printed on standard error, on one line, so the test sees what a user would see.
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// A run that hangs would otherwise block the test until its time limit.
constexpr int GiveUpMilliseconds = 30000;
constexpr int TickMilliseconds = 100;

QWidget* MainWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("Form1") && window->isVisible())
            return window;
    return nullptr;
}

// Boxes of start-up (invalid plug-ins) come before the main window shows,
// so they are answered on their own timer, nested loops included.
void AnswerMessageBoxes()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return;
    // One line per box: a line feed of the text is written as "\n".
    const QString text = box->text().replace(u'\n', QStringLiteral("\\n"));
    std::fprintf(stderr, "PIXORA-MESSAGE: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
    box->buttons().constFirst()->click();
}

void Export(QWidget& mainWindow)
{
    auto* plugins = mainWindow.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    plugins->setCurrentIndex(plugins->findText(QStringLiteral("Format TIGCClib")));
    mainWindow.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

void RunSteps()
{
    static QStringList steps = QString::fromLocal8Bit(qgetenv("PIXORA_TEST_STEPS")).split(u',', Qt::SkipEmptyParts);
    QWidget* mainWindow = MainWindow();
    if (!mainWindow || QApplication::activeModalWidget() || steps.isEmpty())
        return;
    const QString step = steps.takeFirst();
    std::fprintf(stderr, "PIXORA-STEP: %s\n", step.toUtf8().constData());
    if (step == QLatin1String("export"))
        Export(*mainWindow);
    else if (step == QLatin1String("close"))
        mainWindow->close();
}

void StartDriving()
{
    auto* boxes = new QTimer(qApp);
    QObject::connect(boxes, &QTimer::timeout, &AnswerMessageBoxes);
    boxes->start(TickMilliseconds);
    auto* steps = new QTimer(qApp);
    QObject::connect(steps, &QTimer::timeout, &RunSteps);
    steps->start(3 * TickMilliseconds);
    QTimer::singleShot(GiveUpMilliseconds, qApp, [] {
        std::fprintf(stderr, "PIXORA-DRIVER: gave up\n");
        _exit(3);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriving)

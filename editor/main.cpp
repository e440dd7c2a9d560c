#include <QTimer>
#include <exception>
#include <memory>

#include "FontConfigWarmUp.h"
#include "PixoraApplication.h"
#include "U_apercu.h"
#include "U_export.h"
#include "U_main.h"

namespace {

// Errors inside the event loop are shown by the application and the loop
// goes on; only those raised while the windows are built end up here.
// `pixora FILE`, as the file manager calls it, opens FILE once the windows
// stand, so that a failure's message has the main window beneath it.
void RunEditor(const QString& fileToOpen)
{
    TForm1 mainForm;
    TF_Apercu preview(mainForm);
    mainForm.show();
    // The keys go to the main window from the start, also where no window
    // manager activates a new window.
    mainForm.activateWindow();
    // No export can happen before the event loop runs: the export window
    // (a text box, and the first use of its fixed font) is built once the
    // main window is on the screen.
    std::unique_ptr<TForm2> exportWindow;
    QTimer::singleShot(0, &mainForm, [&] { exportWindow = std::make_unique<TForm2>(mainForm); });
    if (!fileToOpen.isEmpty())
        mainForm.OpenAtStart(fileToOpen);
    QApplication::exec();
}

// Qt has taken its own options out of the arguments by now.
QString FileToOpen()
{
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.size() > 1 ? arguments.at(1) : QString();
}

} // namespace

int main(int argc, char** argv)
{
    const FontConfigWarmUp fontConfig;
    PixoraApplication application(argc, argv);
    try {
        RunEditor(FileToOpen());
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorBox(QString());
    }
    return 0;
}

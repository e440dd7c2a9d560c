#include <exception>

#include "PixoraApplication.h"
#include "U_apercu.h"
#include "U_export.h"
#include "U_main.h"

namespace {

// Errors inside the event loop are shown by the application and the loop
// goes on; only those raised while the windows are built end up here.
void RunEditor()
{
    TForm1 mainForm;
    TF_Apercu preview(mainForm);
    TForm2 exportWindow(mainForm);
    mainForm.show();
    QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    PixoraApplication application(argc, argv);
    try {
        RunEditor();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorBox(QString());
    }
    return 0;
}

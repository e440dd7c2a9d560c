#include <QApplication>

#include "U_main.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TForm1 form;
    form.show();
    app.exec();
    return 0;
}

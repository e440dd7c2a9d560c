// The least a Qt Widgets program can do before its first window is mapped:
// the application, one empty top-level window of the editor's size, shown.
// bench_startup compares the editor's start with this one's. With --text
// the window holds one line of text: the least any window with text pays
// (Qt's accessibility bridge, which a text starts before the window shows,
// and the first font).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(800, 600);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QLabel(QStringLiteral("Pixora"), &window))->move(8, 8);
    window.show();
    return QApplication::exec();
}

// The least a Qt Widgets program can do before its first window is mapped:
// the application, one empty top-level window of the editor's size, shown.
// bench_startup compares the editor's start with this one's.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}

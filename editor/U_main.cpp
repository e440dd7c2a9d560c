#include "U_main.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent) { setWindowTitle("Pixora by Kestrune::.."); }

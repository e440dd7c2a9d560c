// The editor's application object. Besides naming the program, it is the one
// place where an error escaping an event handler ends up: the error is shown
// in a box titled "Pixora" and the event loop goes on, as if the handler had
// simply stopped there. It also makes Qt's own texts French.
#pragma once

#include <QApplication>

class PixoraApplication : public QApplication {
public:
    PixoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void UseFrenchQtTexts();
};

// The application's error box: the message, the title "Pixora".
void ShowErrorBox(const QString& message);

// The export window: shows the text of a file that an export has just
// written. It holds nothing but its window and its text box.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class TForm1;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(TForm1& mainForm);
    ~TForm2() override;

    QPlainTextEdit* Memo1;

private:
    TForm1& mainForm_;
};

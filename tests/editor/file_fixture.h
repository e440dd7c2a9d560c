// Window tests of the file commands and habits: the editor started on a
// settings file of its own and activated, files in its program folder, and
// the keys, dialogs, recent files and drops that reach those commands.
#pragma once

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

#include "settings_fixture.h"

inline const QString Designed = "Pixora by Kestrune::..";
inline const QStringList CloseButtons{"Enregistrer", "Ne pas enregistrer", "Annuler"};
enum CloseAnswer { SaveFirst = 0, DontSave = 1, Cancel = 2 };

class FileWindowTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        Activate();
    }
    void Activate()
    {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // A new start, the old one closed without saving, with nothing asked or
    // shown yet.
    void Restart()
    {
        dialogs.questionAnswers = {DontSave};
        StopEditor();
        StartEditor();
        Activate();
        form->setFocus();
        ForgetDialogs();
    }
    void ForgetDialogs()
    {
        dialogs.questions.clear();
        dialogs.questionAnswers.clear();
        dialogs.messages.clear();
        dialogs.fileDialogs.clear();
        dialogs.fileAnswers.clear();
    }

    QString PathOf(const QString& name) const { return ProgramFolder() + name; }
    QByteArray Bytes(const QString& name) const
    {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A calculator picture: height at 89, width at 91, rows of whole bytes from 92.
    void WritePicture(const QString& name, int width, int height, char rowByte) const
    {
        QByteArray bytes(92, '\0');
        bytes[89] = char(height);
        bytes[91] = char(width);
        WriteBytes(name, bytes + QByteArray(width * height / 8, rowByte));
    }

    // A key press as the keyboard makes it: to the widget with the focus.
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : form.get(), key, modifiers);
    }
    void SaveAs(const QString& name)
    {
        dialogs.fileAnswers.push_back(PathOf(name));
        Keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void Open(Qt::Key key, const QString& name)
    {
        dialogs.fileAnswers.push_back(PathOf(name));
        Keys(key);
    }
    // True when the window really closed.
    bool CloseWith(std::initializer_list<int> answers)
    {
        dialogs.questions.clear();
        dialogs.questionAnswers.assign(answers);
        return form->close();
    }

    QStringList RecentNames() const
    {
        QStringList names;
        for (int row = 0; row < Find<QListWidget>("LB_Recents")->count(); ++row)
            names << Find<QListWidget>("LB_Recents")->item(row)->text();
        return names;
    }
    // A double click on the row, as a user chooses a file.
    void ChooseRecent(int row)
    {
        form->PageControl1->setCurrentWidget(form->TabSheet2);
        QListWidget* list = Find<QListWidget>("LB_Recents");
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
    }

    void Drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = CellCenter(1, 1);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QApplication::processEvents();
    }
    void DropFile(const QString& name) { Drop({QUrl::fromLocalFile(PathOf(name))}); }
};

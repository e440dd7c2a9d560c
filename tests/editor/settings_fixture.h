// Window tests that start the editor on a settings file of their own.
#pragma once

#include <QCheckBox>
#include <QFile>

#include "WindowPlacement.h"
#include "gui_fixture.h"

class SettingsTest : public EditorWindowTest {
protected:
    QString SettingsPath() const { return Paths().settingsFile; }

    // The three windows of a start on a settings file holding exactly this
    // text, built but not shown.
    void BuildWith(const QByteArray& content)
    {
        StopEditor();
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        form = std::make_unique<TForm1>(Paths());
        preview = std::make_unique<TF_Apercu>(*form);
        exportWindow = std::make_unique<TForm2>(*form);
    }
    void RestartWith(const QByteArray& content)
    {
        BuildWith(content);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QByteArray Stored() const
    {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // The five option boxes from top to bottom; the flags, which the file
    // gets, must always say the same.
    std::vector<bool> Boxes() const
    {
        const std::vector<bool> boxes{form->CB_Apercu->isChecked(), form->CB_ApercuAttache->isChecked(),
                                      form->CB_CouleursPrincipale->isChecked(), form->CB_CouleursApercu->isChecked(),
                                      form->CB_OuvrirFenetre->isChecked()};
        const std::vector<bool> flags{form->Apercu != 0, form->ApercuAttache != 0, form->CouleursVraiesMain != 0,
                                      form->CouleursVraiesApercu != 0, form->OuvrirFenetre != 0};
        EXPECT_EQ(flags, boxes);
        return boxes;
    }
};

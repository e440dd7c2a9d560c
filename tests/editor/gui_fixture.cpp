#include "gui_fixture.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "PixoraApplication.h"

namespace {

// The editor's own application object, so errors escaping handlers reach its
// error box in the tests as they do in the program.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        application_ = std::make_unique<PixoraApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "editor_gui_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<PixoraApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const applicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

// Qt is built without frame pointers, so the sanitizer's quick unwinder loses
// a stack as soon as it enters Qt, and Qt's own lasting allocations (its
// accessibility cache, the pointer device's event points) could then not be
// told apart from ours. Only read by sanitizer builds.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

void ScriptedDialogs::ShowMessage(const QString& text, const QString& caption, MessageIcon icon)
{
    messages.push_back({text, caption, icon});
}

int ScriptedDialogs::Ask(const QString& text, const QString& caption, MessageIcon, const QStringList& buttons)
{
    questions.push_back({text, caption, buttons});
    if (questionAnswers.empty())
        return 0;
    const int answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::Execute(FileDialogKind kind, FileDialog& dialog)
{
    fileDialogs.push_back({kind, dialog.objectName, dialog.filter, dialog.fileName, dialog.folder});
    if (fileAnswers.empty())
        return false;
    const std::optional<QString> answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer)
        return false;
    dialog.fileName = *answer;
    return true;
}

void EditorWindowTest::SetUp()
{
    ASSERT_TRUE(programFolder.isValid());
    InstallDialogs(&dialogs);
    PrepareProgramFolder();
    StartEditor();
}

void EditorWindowTest::TearDown()
{
    StopEditor();
    InstallDialogs(nullptr);
}

void EditorWindowTest::StartEditor()
{
    form = std::make_unique<TForm1>(Paths());
    preview = std::make_unique<TF_Apercu>(*form);
    exportWindow = std::make_unique<TForm2>(*form);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void EditorWindowTest::StopEditor()
{
    if (form)
        form->close();
    exportWindow.reset();
    preview.reset();
    form.reset();
}

QString EditorWindowTest::ProgramFolder() const
{
    return programFolder.path() + QDir::separator();
}

ProgramPaths EditorWindowTest::Paths() const
{
    return {ProgramFolder(), ProgramFolder() + "pixora.ini"};
}

QPoint EditorWindowTest::CellCenter(int x, int y) const
{
    const QRect region = form->I_Principale->geometry();
    const Point size = form->sprite.GetSize();
    const double cell = std::min(region.width() - 2, region.height() - 2) / double(std::max(size.x, size.y));
    return QPoint(region.left() + 1 + int((x + 0.5) * cell), region.top() + 1 + int((y + 0.5) * cell));
}

void EditorWindowTest::Press(Qt::MouseButton button, QPoint windowPoint)
{
    QTest::mousePress(form.get(), button, Qt::NoModifier, windowPoint);
}

void EditorWindowTest::Move(QPoint windowPoint)
{
    QTest::mouseMove(form.get(), windowPoint);
}

void EditorWindowTest::Release(Qt::MouseButton button, QPoint windowPoint)
{
    QTest::mouseRelease(form.get(), button, Qt::NoModifier, windowPoint);
}

void EditorWindowTest::Click(Qt::MouseButton button, QPoint windowPoint)
{
    Press(button, windowPoint);
    Release(button, windowPoint);
}

void EditorWindowTest::UseSprite(const Rows& rows)
{
    form->sprite = FromRows(rows);
    form->E_TailleX->setText(QString::number(form->sprite.width));
    form->E_TailleY->setText(QString::number(form->sprite.height));
    form->document.MarkSaved(SpriteDocument::Saved::WholeSet);
}

void EditorWindowTest::ExpectOneMessage(const QString& text, const QString& caption, MessageIcon icon)
{
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, text);
    EXPECT_EQ(dialogs.messages[0].caption, caption);
    EXPECT_EQ(dialogs.messages[0].icon, icon);
}

QImage EditorWindowTest::MainView()
{
    return form->grab(form->I_Principale->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb EditorWindowTest::CentreColor(QWidget* widget)
{
    const QImage picture = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return picture.pixel(picture.width() / 2, picture.height() / 2) & 0xFFFFFF;
}

void EditorWindowTest::ApplySize(const QString& columns, const QString& rows)
{
    form->E_TailleX->setText(columns);
    form->E_TailleY->setText(rows);
    QTest::mouseClick(form->B_OK, Qt::LeftButton);
}

// Two moves at different places: the pointer may already stand at the first.
void EditorWindowTest::ChooseTool(QToolButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseMove(button, QPoint(4, 4));
    QTest::mouseMove(button, QPoint(6, 6));
}

void EditorWindowTest::TurnWheel(int delta)
{
    const QPointF at = CellCenter(0, 0);
    QWheelEvent wheel(at, form->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.get(), &wheel);
}

QWidget* EditorWindowTest::PageOf(const QWidget* control) const
{
    for (int i = 0; i < form->PageControl1->count(); ++i)
        if (form->PageControl1->widget(i)->isAncestorOf(control))
            return form->PageControl1->widget(i);
    return nullptr;
}

void EditorWindowTest::ClickOnItsPage(QAbstractButton* button)
{
    form->PageControl1->setCurrentWidget(PageOf(button));
    QTest::mouseClick(button, Qt::LeftButton);
}

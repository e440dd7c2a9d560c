#include "ScreenWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "ImageFiles.h"
#include "IniFile.h"
#include "MapFile.h"
#include "TextEncoding.h"
#include "set_file.h"
#include "ti_picture.h"

namespace {

// A background file as the screen shows it: a calculator picture, a sprite,
// or the part of a tile map the screen holds; nothing when unreadable.
std::unique_ptr<Sprite> ReadBackgroundFile(const std::string& path, bool calculatorPicture)
{
    if (IsTileMapFileName(path)) {
        TileMap map;
        if (ReadTileMapFile(path, map).problem != MapFileProblem::None)
            return nullptr;
        return ScreenPartOfMap(map);
    }
    auto loaded = std::make_unique<Sprite>();
    const bool read = calculatorPicture ? ChargerImageTI(*loaded, path) : loaded->LoadFromFile(path);
    return read ? std::move(loaded) : nullptr;
}

const std::string ScreenSection = "EcranCalculatrice";
constexpr int MaxScreenZoom = 8;
// Arrow keys move one pixel, eight with Shift: a byte of the screen's row.
constexpr int ShiftStep = 8;
// The gray routine's planes alternate faster than the eye follows on the
// calculator; here each plane stays long enough to be seen.
constexpr int FlickerPeriodMs = 40;

constexpr CalculatorModel ModelsInOrder[] = {CalculatorModel::Ti89, CalculatorModel::Ti92Plus, CalculatorModel::V200};
constexpr DrawMode ModesInOrder[] = {DrawMode::Or,
                                     DrawMode::Xor,
                                     DrawMode::And,
                                     DrawMode::Mask,
                                     DrawMode::Replace,
                                     DrawMode::TransparentWhite,
                                     DrawMode::TransparentBlack};

enum BackgroundChoice { BlankBackground, PictureBackground, SpriteBackground };

template <typename T, std::size_t N> int IndexOf(const T (&values)[N], T value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == value)
            return static_cast<int>(i);
    return 0;
}

QLabel* Caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

template <typename Control> Control* Named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

} // namespace

// The screen itself, at the window's zoom; presses, drags and arrow keys go
// to the window's handlers.
class ScreenView : public QWidget {
public:
    explicit ScreenView(ScreenWindow& window) : QWidget(&window), window_(window)
    {
        setObjectName(QStringLiteral("ScreenView"));
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::SizeAllCursor);
    }
    void Show(const QImage& image)
    {
        image_ = image;
        setFixedSize(image.size());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            window_.ViewMouseDown({event->position().toPoint().x(), event->position().toPoint().y()});
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() & Qt::LeftButton)
            window_.ViewMouseMove({event->position().toPoint().x(), event->position().toPoint().y()});
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)
            window_.ViewKeyDown(key, event->modifiers() & Qt::ShiftModifier);
        else
            QWidget::keyPressEvent(event);
    }

private:
    ScreenWindow& window_;
    QImage image_;
};

ScreenWindow::ScreenWindow(const SpriteDocument& document, std::function<int()> frameDelay, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), frameDelay_(std::move(frameDelay))
{
    setObjectName(QStringLiteral("ScreenWindow"));
    setWindowTitle(QStringLiteral("Écran de calculatrice"));
    backgroundDialog_.objectName = QStringLiteral("OpenDialogFondEcran");
    fontDialog_ = {QStringLiteral("OpenDialogPoliceEcran"), QStringLiteral("Planches de sprites|*.pixs"), QString()};
    BuildControls();
    ConnectControls();
    Redraw();
}

ScreenWindow::~ScreenWindow() = default;

void ScreenWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Redraw();
}

void ScreenWindow::BuildControls()
{
    auto* grid = new QGridLayout;
    CB_ModeleEcran = Named(new QComboBox(this), "CB_ModeleEcran");
    for (const CalculatorModel model : ModelsInOrder)
        CB_ModeleEcran->addItem(QString::fromUtf8(ModelLabel(model)));
    CB_ModeleEcran->setCurrentIndex(IndexOf(ModelsInOrder, scene_.model));
    E_ZoomEcran = Named(new QSpinBox(this), "E_ZoomEcran");
    E_ZoomEcran->setRange(1, MaxScreenZoom);
    E_ZoomEcran->setValue(zoom_);
    CB_ModeEcran = Named(new QComboBox(this), "CB_ModeEcran");
    CB_ModeEcran->addItem(QStringLiteral("selon le sprite"));
    for (const DrawMode mode : ModesInOrder)
        CB_ModeEcran->addItem(QString::fromLatin1(DrawModeName(mode)));
    CB_FondEcran = Named(new QComboBox(this), "CB_FondEcran");
    CB_FondEcran->addItems(
        {QStringLiteral("Blanc"), QStringLiteral("Image de calculatrice..."), QStringLiteral("Sprite ou carte...")});
    L_PositionEcran = Named(new QLabel(this), "L_PositionEcran");
    CB_JouerPlanche = Named(new QCheckBox(QStringLiteral("Jouer la planche"), this), "CB_JouerPlanche");
    CB_Scintillement =
        Named(new QCheckBox(QStringLiteral("Scintillement (foncé, foncé, clair)"), this), "CB_Scintillement");
    E_TexteEcran = Named(new QLineEdit(this), "E_TexteEcran");
    E_TexteEcran->setPlaceholderText(QStringLiteral("texte à écrire avec la police"));
    auto* fontButton = Named(new QPushButton(QStringLiteral("Police..."), this), "B_PoliceEcran");
    connect(fontButton, &QPushButton::clicked, this, &ScreenWindow::ChooseFont);
    E_PremierCaractere = Named(new QLineEdit(QStringLiteral("32"), this), "E_PremierCaractere");
    E_PremierCaractere->setMaximumWidth(50);
    CB_Proportionnelle = Named(new QCheckBox(QStringLiteral("Proportionnelle"), this), "CB_Proportionnelle");
    L_EtatEcran = Named(new QLabel(this), "L_EtatEcran");

    grid->addWidget(Caption(QStringLiteral("Modèle"), this), 0, 0);
    grid->addWidget(CB_ModeleEcran, 0, 1);
    grid->addWidget(Caption(QStringLiteral("Zoom"), this), 0, 2);
    grid->addWidget(E_ZoomEcran, 0, 3);
    grid->addWidget(Caption(QStringLiteral("Mode"), this), 0, 4);
    grid->addWidget(CB_ModeEcran, 0, 5);
    grid->addWidget(Caption(QStringLiteral("Fond"), this), 1, 0);
    grid->addWidget(CB_FondEcran, 1, 1);
    grid->addWidget(CB_JouerPlanche, 1, 2, 1, 2);
    grid->addWidget(CB_Scintillement, 1, 4, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Texte"), this), 2, 0);
    grid->addWidget(E_TexteEcran, 2, 1);
    grid->addWidget(fontButton, 2, 2);
    grid->addWidget(E_PremierCaractere, 2, 3);
    grid->addWidget(CB_Proportionnelle, 2, 4, 1, 2);
    grid->addWidget(L_PositionEcran, 3, 0, 1, 2);
    grid->addWidget(L_EtatEcran, 3, 2, 1, 4);

    view_ = new ScreenView(*this);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(view_, 0, Qt::AlignCenter);
    column->setSizeConstraint(QLayout::SetFixedSize);

    timerJouer = Named(new QTimer(this), "timerJouer");
    timerScintillement = Named(new QTimer(this), "timerScintillement");
    timerScintillement->setInterval(FlickerPeriodMs);
}

void ScreenWindow::ConnectControls()
{
    connect(CB_ModeleEcran, &QComboBox::currentIndexChanged, this, [this](int index) {
        scene_.model = ModelsInOrder[std::clamp(index, 0, 2)];
        Redraw();
    });
    connect(E_ZoomEcran, &QSpinBox::valueChanged, this, [this](int zoom) {
        zoom_ = zoom;
        Redraw();
    });
    connect(CB_ModeEcran, &QComboBox::currentIndexChanged, this, [this](int index) {
        scene_.mode = index > 0 ? std::optional(ModesInOrder[index - 1]) : std::nullopt;
        Redraw();
    });
    connect(CB_FondEcran, &QComboBox::activated, this, &ScreenWindow::ChooseBackground);
    connect(CB_JouerPlanche, &QCheckBox::toggled, this, &ScreenWindow::PlayToggled);
    connect(CB_Scintillement, &QCheckBox::toggled, this, &ScreenWindow::FlickerToggled);
    for (QLineEdit* edit : {E_TexteEcran, E_PremierCaractere})
        connect(edit, &QLineEdit::textChanged, this, &ScreenWindow::Redraw);
    connect(CB_Proportionnelle, &QCheckBox::toggled, this, &ScreenWindow::Redraw);
    connect(timerJouer, &QTimer::timeout, this, [this] {
        ++playedFrame_;
        timerJouer->setInterval(frameDelay_());
        Redraw();
    });
    connect(timerScintillement, &QTimer::timeout, this, [this] {
        flickerPhase_ = (flickerPhase_ + 1) % FlickerPhases;
        Redraw();
    });
}

void ScreenWindow::ChooseBackground(int index)
{
    if (index == BlankBackground) {
        background_.reset();
        Redraw();
        return;
    }
    backgroundDialog_.filter = index == PictureBackground ? QStringLiteral("Images de calculatrice|*.89i;*.9xi;*.v2i")
                                                          : QStringLiteral("Sprites et cartes|*.pixo;*.pixm");
    if (!AppDialogs().Execute(FileDialogKind::Open, backgroundDialog_))
        return;
    const std::string path = FileSystemName(backgroundDialog_.fileName);
    std::unique_ptr<Sprite> loaded = ReadBackgroundFile(path, index == PictureBackground);
    if (!loaded) {
        ShowFailure(QStringLiteral("Impossible de lire le fond « %1 ».").arg(backgroundDialog_.fileName));
        return;
    }
    background_ = std::move(loaded);
    Redraw();
}

void ScreenWindow::ChooseFont()
{
    if (!AppDialogs().Execute(FileDialogKind::Open, fontDialog_))
        return;
    FrameList frames;
    if (!LoadSpriteSetFile(FileSystemName(fontDialog_.fileName), frames)) {
        ShowFailure(QStringLiteral("Impossible de lire la police « %1 ».").arg(fontDialog_.fileName));
        return;
    }
    font_ = std::move(frames);
    Redraw();
}

void ScreenWindow::PlayToggled(bool playing)
{
    playedFrame_ = document_.Frames().Current();
    if (playing)
        timerJouer->start(frameDelay_());
    else
        timerJouer->stop();
    Redraw();
}

void ScreenWindow::FlickerToggled(bool flickering)
{
    flickerPhase_ = 0;
    if (flickering)
        timerScintillement->start();
    else
        timerScintillement->stop();
    Redraw();
}

void ScreenWindow::ShowFrameChange()
{
    Redraw();
}

const Sprite& ScreenWindow::ShownFrame() const
{
    if (!CB_JouerPlanche->isChecked())
        return document_.Current();
    return document_.Frames().Frame(playedFrame_ % document_.Frames().Count());
}

bool ScreenWindow::TextShown() const
{
    return !E_TexteEcran->text().isEmpty() && !font_.empty();
}

SceneText ScreenWindow::Text() const
{
    SceneText text;
    text.codes = TextCodes(E_TexteEcran->text().toStdString());
    for (const std::unique_ptr<Sprite>& glyph : font_)
        text.glyphs.push_back(glyph.get());
    text.font.first = FontCodeFromText(E_PremierCaractere->text().toStdString()).value_or(FirstFontCode);
    text.font.proportional = CB_Proportionnelle->isChecked();
    return text;
}

CalculatorScreen ScreenWindow::ComposedScreen() const
{
    ScreenScene scene = scene_;
    scene.background = background_.get();
    return TextShown() ? ComposeSceneText(scene, Text()) : ComposeScene(scene, ShownFrame());
}

// Composing and drawing the screen is the costly part; a hidden window
// leaves it to showEvent, so that the editor does not pay for it when it
// starts or while the window is closed.
void ScreenWindow::Redraw()
{
    if (isVisible()) {
        const CalculatorScreen screen = ComposedScreen();
        const bool flickering = CB_Scintillement->isChecked();
        view_->Show(
            OpaqueImage(flickering ? FlickerPicture(screen, flickerPhase_, zoom_) : ScreenPicture(screen, zoom_)));
    }
    L_PositionEcran->setText(QStringLiteral("X = %1   Y = %2").arg(scene_.position.x).arg(scene_.position.y));
    QString state;
    if (TextShown()) {
        const SceneText text = Text();
        if (const auto missing = FirstMissingCode(text.codes, static_cast<int>(text.glyphs.size()), text.font))
            state = QStringLiteral("caractère absent de la police : %1")
                        .arg(QString::fromStdString(DescribeCode(*missing)));
    }
    L_EtatEcran->setText(state);
}

void ScreenWindow::MoveTo(Point position)
{
    scene_.position = position;
    Redraw();
}

void ScreenWindow::ViewMouseDown(Point viewPoint)
{
    dragStart_ = scene_.position;
    dragPressed_ = viewPoint;
}

void ScreenWindow::ViewMouseMove(Point viewPoint)
{
    MoveTo(DraggedPosition(dragStart_, dragPressed_, viewPoint, zoom_));
}

void ScreenWindow::ViewKeyDown(int key, bool shift)
{
    const int step = shift ? ShiftStep : 1;
    const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
    const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
    MoveTo(MovedPosition(scene_.position, dx, dy));
}

namespace {

// The value the file gives, or the default where it is out of range.
int ReadWithin(const IniFile& settings, const std::string& key, int lowest, int highest, int fallback)
{
    const int value = settings.ReadInteger(ScreenSection, key, fallback);
    return value >= lowest && value <= highest ? value : fallback;
}

} // namespace

ScreenChoices ScreenChoices::Read(const IniFile& settings)
{
    const ScreenChoices defaults;
    return {ReadWithin(settings, "Modele", 0, 2, defaults.model),
            ReadWithin(settings, "Zoom", 1, MaxScreenZoom, defaults.zoom),
            ReadWithin(settings, "Mode", 0, 7, defaults.mode),
            MovedPosition({0, 0}, settings.ReadInteger(ScreenSection, "PositionX", 0),
                          settings.ReadInteger(ScreenSection, "PositionY", 0))};
}

void ScreenChoices::Write(const IniFile& settings) const
{
    const ScreenChoices defaults;
    settings.WriteIntegerUnlessDefault(ScreenSection, "Modele", model, defaults.model);
    settings.WriteIntegerUnlessDefault(ScreenSection, "Zoom", zoom, defaults.zoom);
    settings.WriteIntegerUnlessDefault(ScreenSection, "Mode", mode, defaults.mode);
    settings.WriteIntegerUnlessDefault(ScreenSection, "PositionX", position.x, defaults.position.x);
    settings.WriteIntegerUnlessDefault(ScreenSection, "PositionY", position.y, defaults.position.y);
}

void ScreenWindow::Apply(const ScreenChoices& choices)
{
    CB_ModeleEcran->setCurrentIndex(choices.model);
    E_ZoomEcran->setValue(choices.zoom);
    CB_ModeEcran->setCurrentIndex(choices.mode);
    MoveTo(choices.position);
}

ScreenChoices ScreenWindow::Choices() const
{
    return {CB_ModeleEcran->currentIndex(), zoom_, CB_ModeEcran->currentIndex(), scene_.position};
}

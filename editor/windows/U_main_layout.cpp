// The main window's controls, placed at their designed bounds. Positions are
// left, top, width, height inside the parent control.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QIconEngine>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include "Controls.h"
#include "FormLayout.h"
#include "SpriteView.h"
#include "TabControl.h"
#include "U_main.h"

namespace {

constexpr QColor SwatchOutline{37, 101, 250};

// MS Sans Serif where it exists, else the system's own sans serif, so that
// the window measures its texts alike on every machine of a system whatever
// other fonts are installed there.
QFont DesignFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// The 32 x 32 pictures of the palette: a plain color, or a color lettered
// with what the button does.
QIcon PalettePicture(QColor color, const QString& lettering = QString())
{
    QPixmap picture(32, 32);
    picture.fill(color);
    if (!lettering.isEmpty()) {
        QPainter painter(&picture);
        QFont font = painter.font();
        font.setPixelSize(10);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(picture.rect(), Qt::AlignCenter | Qt::TextWordWrap, lettering);
    }
    return QIcon(picture);
}

enum class ToolGlyph { Pencil, Line, Fill };

QIcon ToolPicture(ToolGlyph glyph)
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case ToolGlyph::Pencil: {
        painter.setPen(QPen(QColor(40, 40, 40), 4, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(19, 5), QPointF(8, 16));
        QPainterPath tip;
        tip.moveTo(6.5, 14.5);
        tip.lineTo(9.5, 17.5);
        tip.lineTo(4, 20);
        tip.closeSubpath();
        painter.fillPath(tip, QColor(40, 40, 40));
        break;
    }
    case ToolGlyph::Line:
        painter.setPen(QPen(QColor(40, 40, 40), 2));
        painter.drawLine(QPointF(4, 20), QPointF(20, 4));
        painter.setBrush(QColor(40, 40, 40));
        painter.drawEllipse(QPointF(4, 20), 2, 2);
        painter.drawEllipse(QPointF(20, 4), 2, 2);
        break;
    case ToolGlyph::Fill: {
        painter.setPen(QPen(QColor(40, 40, 40), 1.5));
        painter.setBrush(QColor(90, 90, 90));
        painter.drawRect(QRectF(5, 9, 11, 11));
        QPainterPath drop;
        drop.moveTo(19, 10);
        drop.cubicTo(22, 15, 22, 18, 19, 18);
        drop.cubicTo(16, 18, 16, 15, 19, 10);
        painter.fillPath(drop, QColor(40, 40, 40));
        break;
    }
    }
    return QIcon(picture);
}

QToolButton* ToolButtonAt(QWidget* parent, const char* name, const QString& hint, ToolGlyph glyph, int top)
{
    auto* button = Place(new QToolButton(parent), name, 18, top, 33, 33);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setIcon(ToolPicture(glyph));
    button->setIconSize(QSize(24, 24));
    return button;
}

PaletteButton* PaletteButtonAt(QWidget* parent, const char* name, const QIcon& picture, int left, int top)
{
    auto* button = Place(new PaletteButton(parent), name, left, top, 40, 40);
    button->setAutoRaise(true);
    button->setIcon(picture);
    button->setIconSize(QSize(32, 32));
    return button;
}

// An icon of picture files read the first time it is drawn rather than
// when the window is built: decoding them cost more than building a page,
// before the window could show. Drawn, it is the icon of those pictures.
class DeferredFileIcon : public QIconEngine {
public:
    explicit DeferredFileIcon(QStringList files) : files_(std::move(files)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // At a device pixel ratio of 1, QIcon asks its engine for the size
    // itself: the caller's QIcon deals with the ratio once.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Loaded().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Loaded().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredFileIcon(*this); }

private:
    const QIcon& Loaded()
    {
        if (loaded_.isNull())
            for (const QString& file : files_)
                loaded_.addPixmap(QPixmap::fromImage(QImage(file, "PNG")));
        return loaded_;
    }

    QStringList files_;
    QIcon loaded_;
};

// The style's own close picture, the one every machine without a desktop
// icon theme shows. Asking the style for it searches the whole icon theme
// first, file by file, for a "window-close" that such a machine does not
// have: that search took longer than building the rest of the window.
QIcon CloseIcon(const QStyle& style)
{
    const QString picture = QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-close-%1.png");
    if (!QFile::exists(picture.arg(16)))
        return style.standardIcon(QStyle::SP_DialogCloseButton);
    QStringList files;
    for (const int size : {16, 32, 128}) // the sizes Qt's common style draws it at
        files << picture.arg(size);
    return QIcon(new DeferredFileIcon(files));
}

QCheckBox* OptionBox(QWidget* parent, const char* name, const QString& caption, int row)
{
    return Place(new QCheckBox(caption, parent), name, 8, 10 + row * 26, 281, 20);
}

} // namespace

void TForm1::AddPage(QWidget*& page, const QString& caption, QPushButton*& closeButton, const char* closeName)
{
    page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet%1").arg(PageControl1->count() + 1));
    PageControl1->addTab(page, caption);
    closeButton = Button(page, closeName, QStringLiteral("&Close"), 8, 413, 273, 25);
    // Reading the close picture's files costs more than building a page:
    // the pages after the first share the first page's picture.
    closeButton->setIcon(PageControl1->count() == 1 ? CloseIcon(*style()) : BitBtn1->icon());
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void TForm1::BuildLayout()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pixora by Kestrune::.."));
    setFont(DesignFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(802, 527);
    move(333, 285);
    setMouseTracking(true);

    I_Principale = Place(new SpriteView(this), "I_Principale", 0, 0, 489, 527);

    auto* tabs = new TabControl(this);
    // Tabs as narrow as the captions allow keep the five on one row, as
    // designed, in the system's sans serif at 8 points; a wider font or a
    // narrower control puts them on several rows.
    tabs->Bar()->SetCaptionPadding(4);
    PageControl1 = Place(tabs, "PageControl1", 496, 8, 305, 473);
    PageControl1->setAttribute(Qt::WA_NoMousePropagation);
    PageControl1->setFocusPolicy(Qt::ClickFocus);
    PageControl1->tabBar()->setFocusPolicy(Qt::ClickFocus);

    BuildRetouchePage();
    BuildFilesPage();
    BuildExportPage();
    BuildPluginsPage();
    BuildOptionsPage();
    PageControl1->setCurrentIndex(0);

    OpenDialog1 = {QStringLiteral("OpenDialog1"), QStringLiteral("Format du logiciel (*.pixo)|*.pixo"), QString()};
    SaveDialog1 = {QStringLiteral("SaveDialog1"), QStringLiteral("Format du logiciel (*.pixo)|*.pixo"), QString()};
    OpenDialog1.nextFilter = QStringLiteral("Planche de sprites (*.pixs)|*.pixs");
    SaveDialog1.nextFilter = OpenDialog1.nextFilter;
    OpenDialog2 = {QStringLiteral("OpenDialog2"), QStringLiteral("Format TI  (*.89i;*.v2i;*9xi)|*.89i;*.v2i;*9xi"),
                   QString()};
    timerAttache = new QTimer(this);
    timerAttache->setObjectName(QStringLiteral("timerAttache"));
    timerAttache->setInterval(200);
}

void TForm1::BuildRetouchePage()
{
    AddPage(TabSheet1, QStringLiteral("Retouche"), BitBtn1, "BitBtn1");
    BuildToolPanel();
    BuildSizePanel();
    BuildPalettePanel();
    BuildPositionPanel();
}

void TForm1::BuildToolPanel()
{
    Panel1 = Panel(TabSheet1, "Panel1", 8, 0, 73, 113);
    sbPencil = ToolButtonAt(Panel1, "sbPencil", QStringLiteral("Crayon"), ToolGlyph::Pencil, 8);
    sbLine = ToolButtonAt(Panel1, "sbLine", QStringLiteral("Ligne"), ToolGlyph::Line, 41);
    sbRempli = ToolButtonAt(Panel1, "sbRempli", QStringLiteral("Remplir"), ToolGlyph::Fill, 74);
    toolButtons = new QButtonGroup(this);
    toolButtons->setExclusive(true);
    toolButtons->addButton(sbPencil, ToolPencil);
    toolButtons->addButton(sbLine, ToolLine);
    toolButtons->addButton(sbRempli, ToolFill);
    sbPencil->setChecked(true);
}

void TForm1::BuildSizePanel()
{
    Panel2 = Panel(TabSheet1, "Panel2", 88, 0, 81, 113);
    Label1 = Caption(Panel2, "Label1", QStringLiteral("Taille Sprite"), 10, 10);
    E_TailleX = Edit(Panel2, "E_TailleX", QStringLiteral("32"), 8, 32, 65, 21);
    E_TailleY = Edit(Panel2, "E_TailleY", QStringLiteral("32"), 8, 56, 65, 21);
    B_OK = Button(Panel2, "B_OK", QStringLiteral("&OK"), 8, 80, 65, 25);
}

void TForm1::BuildPalettePanel()
{
    Panel3 = Panel(TabSheet1, "Panel3", 8, 119, 161, 209);
    bbNoir = PaletteButtonAt(Panel3, "bbNoir", PalettePicture(Qt::black), 40, 8);
    bbDark = PaletteButtonAt(Panel3, "bbDark", PalettePicture(QColor(82, 82, 82)), 80, 8);
    bbLight = PaletteButtonAt(Panel3, "bbLight", PalettePicture(QColor(173, 173, 173)), 40, 48);
    bbBlanc = PaletteButtonAt(Panel3, "bbBlanc", PalettePicture(Qt::white), 80, 48);
    bbMask = PaletteButtonAt(Panel3, "bbMask", PalettePicture(Qt::red, QStringLiteral("mask")), 40, 88);
    bbNoMask = PaletteButtonAt(Panel3, "bbNoMask", PalettePicture(Qt::blue, QStringLiteral("no Mask")), 80, 88);
    SpeedButton1 = Button(Panel3, "SpeedButton1", QStringLiteral("&AutoMask"), 40, 128, 80, 22);
    Shape1 = Place(new Swatch(SwatchOutline, Panel3), "Shape1", 8, 154, 49, 49);
    Shape3 = Place(new Swatch(SwatchOutline, Panel3), "Shape3", 56, 154, 49, 49);
    Shape2 = Place(new Swatch(SwatchOutline, Panel3), "Shape2", 104, 154, 49, 49);
}

void TForm1::BuildPositionPanel()
{
    Panel4 = Panel(TabSheet1, "Panel4", 8, 334, 161, 75);
    E_PositionX = Edit(Panel4, "E_PositionX", QStringLiteral("E_PositionX"), 5, 6, 101, 21);
    E_PositionY = Edit(Panel4, "E_PositionY", QStringLiteral("E_PositionY"), 5, 30, 101, 21);
    for (QLineEdit* position : {E_PositionX, E_PositionY}) {
        position->setReadOnly(true);
        position->setFocusPolicy(Qt::ClickFocus);
    }
    BitBtn3 = Button(Panel4, "BitBtn3", QStringLiteral("&NewAll"), 112, 8, 41, 41);
    BitBtn3->setFocusPolicy(Qt::ClickFocus);
    Label2 = Place(new QLabel(QStringLiteral("Label2"), Panel4), "Label2", 8, 54, 145, 13);
    Label2->setAlignment(Qt::AlignCenter);
}

void TForm1::BuildFilesPage()
{
    AddPage(TabSheet2, QStringLiteral("Enreg/charger"), BitBtn6, "BitBtn6");
    Panel6 = Panel(TabSheet2, "Panel6", 8, 8, 273, 125);
    Label3 = Heading(Panel6, "Label3", QStringLiteral("Enregistrer/Charger au format de ce logiciel"), 273);
    BitBtn7 = Button(Panel6, "BitBtn7", QStringLiteral("&Charger"), 24, 44, 225, 33);
    BitBtn5 = Button(Panel6, "BitBtn5", QStringLiteral("&Enregistrer"), 24, 84, 225, 33);
    Panel5 = Panel(TabSheet2, "Panel5", 8, 141, 273, 85);
    Label4 = Heading(Panel5, "Label4", QStringLiteral("Enregistrer/Charger au format de ..."), 273);
    BitBtn9 = Button(Panel5, "BitBtn9", QStringLiteral("C&harger (*.89i ; *.9xi ; *.v2i)"), 24, 40, 225, 33);
}

void TForm1::BuildExportPage()
{
    AddPage(TabSheet3, QStringLiteral("Exporter"), BitBtn4, "BitBtn4");
    Label7 = Caption(TabSheet3, "Label7", QStringLiteral("Plugin:"), 8, 12);
    ComboBox1 = Place(new QComboBox(TabSheet3), "ComboBox1", 8, 30, 273, 23);
    Label6 = Caption(TabSheet3, "Label6", QStringLiteral("Nom Fichier:"), 8, 64);
    Edit1 = Edit(TabSheet3, "Edit1", QStringLiteral("nomPixo.extension"), 8, 82, 273, 21);
    Label8 = Caption(TabSheet3, "Label8", QStringLiteral("Nom Sprite:"), 8, 114);
    Edit2 = Edit(TabSheet3, "Edit2", QStringLiteral("Sprite"), 8, 132, 273, 21);
    Button1 = Button(TabSheet3, "Button1", QStringLiteral("&Go!"), 8, 168, 273, 33);
    if (Paths.perUser)
        BuildExportFolderLabel();
}

// In the free space under "&Go!".
void TForm1::BuildExportFolderLabel()
{
    // Says where the files go when that is the user's own export folder;
    // absent when they go beside the program.
    auto* exportFolderLabel = Place(new QLabel(TabSheet3), "exportFolderLabel", 8, 216, 273, 60);
    exportFolderLabel->setWordWrap(true);
    exportFolderLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    exportFolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    exportFolderLabel->setText(QStringLiteral("Les fichiers sont écrits dans le dossier\n") +
                               QDir::toNativeSeparators(ExportFolder()));
}

void TForm1::BuildPluginsPage()
{
    AddPage(TabSheet4, QStringLiteral("Plugins"), BitBtn2, "BitBtn2");
    LB_Plugins = Place(new QListWidget(TabSheet4), "LB_Plugins", 8, 8, 273, 97);
    Memo1 = Place(new QPlainTextEdit(QStringLiteral("Memo1"), TabSheet4), "Memo1", 8, 113, 273, 292);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TForm1::BuildOptionsPage()
{
    AddPage(TabSheet5, QStringLiteral("Options"), BitBtn8, "BitBtn8");
    CB_Apercu = OptionBox(TabSheet5, "CB_Apercu", QStringLiteral("Fenêtre &Aperçu"), 0);
    CB_ApercuAttache =
        OptionBox(TabSheet5, "CB_ApercuAttache", QStringLiteral("Fenêtre Apercu attachée à la fenêtre principale"), 1);
    CB_CouleursPrincipale =
        OptionBox(TabSheet5, "CB_CouleursPrincipale", QStringLiteral("Couleur vraies dans fenêtre Principale"), 2);
    CB_CouleursApercu =
        OptionBox(TabSheet5, "CB_CouleursApercu", QStringLiteral("Couleur vraies dans fenêtre Apercu"), 3);
    CB_OuvrirFenetre =
        OptionBox(TabSheet5, "CB_OuvrirFenetre", QStringLiteral("&Ouvrir les fichiers après exportation"), 4);
}

// Pictures from and to other programs: "Importer une image..." on the page
// "Enreg/charger", "Exporter en PNG..." and its options on "Exporter", a
// picture of another program pasted with Ctrl+V, and image files dropped on
// the main window. Every import goes through the conversion dialog; its
// "OK" is one undo step of the document (LoadCommands.h).
#pragma once

#include "Dialogs.h"
#include "EditorPanel.h"
#include "ImageConversion.h"

class QCheckBox;
class QFrame;
class QPushButton;
class QSpinBox;

class PicturePanel : public EditorPanel {
public:
    explicit PicturePanel(EditorContext& editor);

    // Heads the exports for other programs on "Exporter"; the round trips
    // add theirs below.
    QFrame* Panel7;

    // Ctrl+V with a picture of another program: the conversion dialog.
    void PasteClipboardImage();
    // Decodes the file and imports it; a file that cannot be decoded is
    // reported and changes nothing.
    void ImportImageFile(const QString& fileName);

protected:
    // Takes drops of image files before the window sees them, so that the
    // window's own drop handling never meets one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void B_ImporterImageClick();
    void B_ExporterPngClick();
    // Opens the conversion dialog for the picture; its "OK" makes the
    // converted picture the sprite, as one undo step; true when it did. A
    // document made of the picture's frames is named after name.
    bool ImportImage(const RgbaImage& image, const QString& name);

    QSpinBox* E_EchellePng;
    QCheckBox* CB_CouleursPng;
    FileDialog OpenDialog3;
    FileDialog SaveDialog2;
};

// The two questions of the round-trip commands, beside the message boxes of
// Dialogs and installed the same way: the program asks with Qt dialogs, the
// window tests install scripted answers.
//   - the variable name of a calculator picture, with a note saying what will
//     be written (one picture, or two for gray);
//   - which sprite of a C text to import, how many columns of it, and
//     whether every sprite of its size comes in as the frames of the set;
//     or the arrays to read in a layout chosen by hand (SourceImportDialog).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "DataReading.h"

struct ArraySprites;

struct ArrayChoiceItem {
    // The candidate as the user sees it: name, size, kind, and where it
    // comes from (a program's files) or its arrays (text with no file).
    QString text;
    int width;                  // the columns proposed
    int elementBits;            // the most columns there are
    int framesOfSize;           // the sprites of its size, itself included, that can be frames
    QString arrays = QString(); // the arrays it reads, when the text does not say them
};

struct ArrayChoice {
    int index; // into the items
    int width;
    bool asFrames = false; // every sprite of the chosen one's size, as the set's frames
    // The arrays read in this layout instead of the candidate, every frame
    // they hold.
    std::optional<ReadingRequest> layout = std::nullopt;
};

class RoundTripDialogs {
public:
    virtual ~RoundTripDialogs() = default;
    // nullopt when the user cancels.
    virtual std::optional<QString> AskVariableName(const QString& proposed, const QString& note) = 0;
    // items, the candidates of found, is never empty; notes say what the
    // reading skipped or could not decide. nullopt when the user cancels.
    // The program's dialog shows each candidate's picture and the notes, and
    // offers a layout chosen by hand; ChooseArray asks among the items alone
    // (a script answers there).
    virtual std::optional<ArrayChoice> ChooseInSource(const ArraySprites& found, const QList<ArrayChoiceItem>& items,
                                                      const QStringList& notes)
    {
        (void)found;
        (void)notes;
        return ChooseArray(items);
    }
    virtual std::optional<ArrayChoice> ChooseArray(const QList<ArrayChoiceItem>& items)
    {
        (void)items;
        return std::nullopt;
    }
};

RoundTripDialogs& AppRoundTripDialogs();
// Installs a replacement that the caller keeps alive; nullptr restores Qt's.
void InstallRoundTripDialogs(RoundTripDialogs* replacement);

// What the document owners (the sprite's and the map's) say to the user
// alike: names as the messages quote them, and the unsaved-changes question.
#pragma once

#include <QString>
#include <functional>
#include <string>

// « text », as every message quotes a name.
QString Quoted(const QString& text);
// A name of the document model (the file system's bytes) for a message.
QString FromFileSystem(const std::string& name);

// The question asked before a changed document is set aside, as closing
// asks it: changed is "Le sprite « x » a été modifié" or the like.
// "Enregistrer" saves (true when saved), "Ne pas enregistrer" goes on;
// "Annuler", Escape and the box's close button keep the document.
bool MaySetAsideChanged(const QString& changed, const QString& beforeWhat, const std::function<bool()>& save);

#pragma once

#include <QDir>
#include <QJsonObject>
#include <QString>

class TForm1;

// Fills the entry window from a sample: one JSON object whose keys are control names of the
// window. Text, list (an item's exact text), sentence and phone fields take strings (a phone
// its digits, "21999998888", or its text as shown, "(21)99999-8888"; "" and "(  )    -    "
// leave it empty), date fields "YYYY-MM-DD", options true or false (clicked as a user would,
// so their handlers run), and Image1 a picture file's path relative to `base`. Throws std::runtime_error
// naming the key for an unknown control or a value it cannot take.
void fillForm(TForm1& form, const QJsonObject& sample, const QDir& base);

// The same from a JSON file; paths are relative to the file's folder.
void fillFormFromFile(TForm1& form, const QString& path);

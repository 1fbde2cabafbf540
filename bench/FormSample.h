#pragma once

#include <QDir>
#include <QJsonObject>
#include <QString>

class TForm1;

// Fills the entry window from a sample: the form's data format (see main/FormData.h), put on
// top of what the form holds. The sample is checked whole first; a key or value the form
// cannot take throws FormDataError naming the key, and the form is left as it was.
void fillForm(TForm1& form, const QJsonObject& sample, const QDir& base);

// The same from a data file; a photo path is relative to the file's folder.
void fillFormFromFile(TForm1& form, const QString& path);

// Creates the program's windows as start-up does, without capture devices (a tool takes no
// photos, and the figures are the résumé's), and fills the entry window from the data file.
void createWindowsFilledFrom(const QString& path);

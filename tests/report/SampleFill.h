#pragma once
// Filling the entry window, as the report tests do before a generation.
#include "FormSample.h"
#include "Unit1.h"

#include <QDir>
#include <QJsonDocument>
#include <QTest>

inline const QString kFull = QStringLiteral(SOVRANEL_SAMPLES_DIR "/full.json");

// "@full" is the full sample; anything else a JSON object in the form's data format, put on
// top of what the form holds.
inline void fill(const QByteArray& json)
{
    if (json == "@full") {
        fillFormFromFile(*Form1, kFull);
        return;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    QVERIFY2(doc.isObject(), qPrintable(error.errorString()));
    fillForm(*Form1, doc.object(), QDir(QStringLiteral(SOVRANEL_SAMPLES_DIR)));
}

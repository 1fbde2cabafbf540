#pragma once
// What a person sees in the entry window, control by control, to compare two forms.

#include "Unit1.h"

#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/PhoneEdit.h"
#include "ui/SentenceBox.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>

inline QMap<QString, QString> formState(const TForm1& form)
{
    QMap<QString, QString> state;
    for (const EntryControl& e : form.entryControls()) {
        QString v;
        switch (e.kind) {
        case EntryKind::Text:
            v = static_cast<QLineEdit*>(e.widget)->text();
            break;
        case EntryKind::Phone:
            v = static_cast<ui::PhoneEdit*>(e.widget)->value();
            break;
        case EntryKind::Date:
            v = static_cast<ui::DateField*>(e.widget)->date().toString(Qt::ISODate);
            break;
        case EntryKind::List:
            v = static_cast<ui::ListField*>(e.widget)->text();
            break;
        case EntryKind::Sentence:
            v = static_cast<ui::SentenceBox*>(e.widget)->text();
            break;
        }
        state[e.widget->objectName()] =
            v + (e.widget->isEnabled() ? QString() : QStringLiteral(" (desligado)"));
    }
    for (const QCheckBox* option : form.findChildren<QCheckBox*>())
        state[option->objectName()] = option->isChecked() ? QStringLiteral("sim") : QStringLiteral("não");
    return state;
}

// A file's permissions less the "user" bits (which only repeat the owner's for whoever runs
// the test): a file for its owner alone reads as the owner's bits and nothing else.
inline QFileDevice::Permissions ownerOnly(const QString& path)
{
    return QFile::permissions(path) &
           ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

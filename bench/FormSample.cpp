#include "FormSample.h"

#include "Unit1.h"

#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QLineEdit>

#include <optional>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& key, const QString& why)
{
    throw std::runtime_error(QStringLiteral("\"%1\": %2").arg(key, why).toStdString());
}

QString text(const QString& key, const QJsonValue& v)
{
    if (!v.isString())
        fail(key, QStringLiteral("expected a string"));
    return v.toString();
}

void setPhone(const QString& key, ui::PhoneEdit& edit, const QString& value)
{
    const std::optional<QString> phone = ui::PhoneEdit::normalise(value);
    if (!phone)
        fail(key, QStringLiteral("not a phone number: %1").arg(value));
    edit.setValue(*phone);
}

void setPicture(const QString& key, ui::PictureBox& box, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(key, QStringLiteral("cannot read %1").arg(path));
    const QByteArray bytes = file.readAll();
    // The suffix names the decoder, so that no other decoder is loaded to guess it.
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format == "jpg")
        format = "jpeg";
    QImage image;
    if (!image.loadFromData(bytes, format.constData())) {
        format = QImageReader::imageFormat(path);
        if (!image.loadFromData(bytes))
            fail(key, QStringLiteral("not a picture: %1").arg(path));
    }
    box.setFilePicture(image, bytes, format.toUpper());
}

} // namespace

void fillForm(TForm1& form, const QJsonObject& sample, const QDir& base)
{
    for (auto it = sample.begin(); it != sample.end(); ++it) {
        const QString key = it.key();
        const QJsonValue v = it.value();
        QWidget* w = form.findChild<QWidget*>(key);
        if (!w)
            fail(key, QStringLiteral("no such control"));
        if (auto* phone = qobject_cast<ui::PhoneEdit*>(w)) {
            setPhone(key, *phone, text(key, v));
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            line->setText(text(key, v));
        } else if (auto* list = qobject_cast<ui::ListField*>(w)) {
            const int index = list->findText(text(key, v), Qt::MatchExactly);
            if (index < 0)
                fail(key, QStringLiteral("not an item of the list: %1").arg(v.toString()));
            list->setCurrentIndex(index);
        } else if (auto* date = qobject_cast<ui::DateField*>(w)) {
            const QDate d = QDate::fromString(text(key, v), Qt::ISODate);
            if (!d.isValid())
                fail(key, QStringLiteral("not a date (YYYY-MM-DD): %1").arg(v.toString()));
            date->setDate(d);
        } else if (auto* sentence = qobject_cast<ui::SentenceBox*>(w)) {
            sentence->setPlainText(text(key, v));
        } else if (auto* option = qobject_cast<QCheckBox*>(w)) {
            if (!v.isBool())
                fail(key, QStringLiteral("expected true or false"));
            if (option->isChecked() != v.toBool())
                option->click();
        } else if (auto* picture = qobject_cast<ui::PictureBox*>(w)) {
            setPicture(key, *picture, base.absoluteFilePath(text(key, v)));
        } else {
            fail(key, QStringLiteral("not an entry control"));
        }
    }
}

void fillFormFromFile(TForm1& form, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject())
        throw std::runtime_error(
            QStringLiteral("%1: not a JSON object (%2)").arg(path, error.errorString()).toStdString());
    fillForm(form, doc.object(), QFileInfo(path).absoluteDir());
}

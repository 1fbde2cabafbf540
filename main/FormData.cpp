#include "FormData.h"

#include "Photo.h"
#include "ui/PhoneEdit.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace {

[[noreturn]] void refuse(const QString& key, const QString& why)
{
    throw FormDataError(QStringLiteral("chave \"%1\": %2").arg(key, why).toStdString());
}

[[noreturn]] void refuse(const QString& why) { throw FormDataError(why.toStdString()); }

// Paths to a photo beside a sample are short; anything longer is no path we wrote.
constexpr int kMaxPhotoPathLength = 4096;

QString quoted(const QString& text, int max = 60)
{
    return QLatin1Char('"') + (text.size() > max ? text.left(max) + QStringLiteral("…") : text) +
           QLatin1Char('"');
}

QString stringOf(const QString& key, const QJsonValue& v)
{
    if (!v.isString())
        refuse(key, QStringLiteral("esperava um texto entre aspas"));
    const QString s = v.toString();
    // A lone surrogate would not survive being written as UTF-8 again.
    if (!QStringView(s).isValidUtf16())
        refuse(key, QStringLiteral("o texto tem caracteres inválidos"));
    return s;
}

QString boundedText(const FieldSpec& field, const QJsonValue& v)
{
    const QString s = stringOf(field.name, v);
    if (s.size() > field.maxLength)
        refuse(field.name, QStringLiteral("o texto tem %1 caracteres, e o limite deste campo é %2")
                               .arg(s.size())
                               .arg(field.maxLength));
    return s;
}

QDate dateOf(const FieldSpec& field, const QJsonValue& v)
{
    static const QRegularExpression shape(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{4}-[0-9]{2}-[0-9]{2}")));
    const QString s = stringOf(field.name, v);
    const QDate d = shape.match(s).hasMatch() ? QDate::fromString(s, Qt::ISODate) : QDate();
    if (!d.isValid())
        refuse(field.name, QStringLiteral("%1 não é uma data válida (AAAA-MM-DD)").arg(quoted(s)));
    if ((field.minDate.isValid() && d < field.minDate) || (field.maxDate.isValid() && d > field.maxDate))
        refuse(field.name,
               QStringLiteral("a data %1 está fora do intervalo aceito (%2 a %3)")
                   .arg(s, field.minDate.toString(Qt::ISODate), field.maxDate.toString(Qt::ISODate)));
    return d;
}

FormPhoto photoOf(const QString& key, const QJsonValue& v, const QDir& base)
{
    LoadedPicture picture;
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        if (o.size() != 1 || !o.contains(QLatin1String("jpeg")) || !o.value(QLatin1String("jpeg")).isString())
            refuse(key, QStringLiteral("esperava {\"jpeg\": \"<base64>\"}"));
        const auto decoded = QByteArray::fromBase64Encoding(
            o.value(QLatin1String("jpeg")).toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            refuse(key, QStringLiteral("a foto não está em base64 válido"));
        try {
            picture = decodePicture(*decoded, QStringLiteral("foto"), "jpeg");
        } catch (const std::exception& e) {
            refuse(key, QString::fromUtf8(e.what()));
        }
    } else if (v.isString()) {
        const QString path = stringOf(key, v);
        if (path.isEmpty() || path.size() > kMaxPhotoPathLength)
            refuse(key, QStringLiteral("o caminho da foto está vazio ou é longo demais"));
        // A photo beside the file, or in a folder below it: a file never reaches elsewhere.
        if (QDir::isAbsolutePath(path) || QDir::cleanPath(path).startsWith(QLatin1String("..")))
            refuse(key, QStringLiteral("a foto deve estar na pasta do arquivo: %1").arg(quoted(path)));
        try {
            picture = loadPicture(base.absoluteFilePath(path));
        } catch (const std::exception& e) {
            refuse(key, QString::fromUtf8(e.what()));
        }
    } else {
        refuse(key, QStringLiteral("esperava {\"jpeg\": \"<base64>\"} ou o caminho de uma imagem"));
    }
    FormPhoto photo;
    photo.image = picture.image;
    photo.source = picture.bytes;
    photo.format = picture.format;
    try {
        photo.jpeg = storedPhoto(picture.image, picture.bytes, picture.format);
    } catch (const std::exception& e) {
        refuse(key, QString::fromUtf8(e.what()));
    }
    return photo;
}

void checkFormat(const QJsonValue& v)
{
    const QString key = QStringLiteral("formato");
    if (!v.isString())
        refuse(key, QStringLiteral("esperava um texto entre aspas"));
    const QString format = v.toString();
    if (format == QLatin1String(kDataFormat))
        return;
    static const QRegularExpression versioned(
        QRegularExpression::anchoredPattern(QStringLiteral("sovranel-dados/([0-9]{1,9})")));
    const QRegularExpressionMatch m = versioned.match(format);
    if (m.hasMatch() && m.captured(1).toInt() > 1)
        refuse(key, QStringLiteral("o arquivo é da versão %1 do formato, mais nova que a deste programa (1); "
                                   "atualize o Sovranel para abri-lo")
                        .arg(m.captured(1).toInt()));
    refuse(key, QStringLiteral("%1 não é um formato de dados do Sovranel").arg(quoted(format)));
}

// JSON's string escapes, with the text kept as UTF-8.
void appendString(QByteArray& out, const QString& s)
{
    out += '"';
    const QByteArray utf8 = s.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (uchar(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[uchar(c) >> 4];
                out += hex[uchar(c) & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace

std::optional<QString> phoneValue(const QString& text)
{
    // A field's own text, a landline's 13 characters or a mobile's 14, is kept as it stands,
    // so a draft keeps a number its owner has not finished typing.
    static const QRegularExpression shown(
        QRegularExpression::anchoredPattern(QStringLiteral("\\([ 0-9]{2}\\)[ 0-9]{4,5}-[ 0-9]{4}")));
    if (shown.match(text).hasMatch())
        return text;
    // Anything else is a number as people write it: its digits, or with blanks and "+55";
    // never with a line break or another control character, which no file of ours writes.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return std::nullopt;
    return ui::PhoneEdit::normalise(text);
}

FormData readFormData(const QByteArray& bytes, const FormSchema& schema, const QDir& base)
{
    if (bytes.size() > kMaxDataFileBytes)
        refuse(QStringLiteral("o arquivo tem %1 MB, e o limite é %2 MB")
                   .arg((bytes.size() + 1024 * 1024 - 1) / (1024 * 1024))
                   .arg(kMaxDataFileBytes / (1024 * 1024)));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        refuse(QStringLiteral("o conteúdo não é um arquivo de dados válido (erro na posição %1)")
                   .arg(error.offset));
    if (!doc.isObject())
        refuse(QStringLiteral("o conteúdo não é um objeto JSON"));
    const QJsonObject object = doc.object();
    if (object.contains(QLatin1String("formato")))
        checkFormat(object.value(QLatin1String("formato")));

    FormData data;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("formato"))
            continue;
        const QJsonValue v = it.value();
        const auto field =
            std::find_if(schema.begin(), schema.end(), [&](const FieldSpec& f) { return f.name == key; });
        if (field == schema.end())
            refuse(key.left(80), QStringLiteral("não é um campo do formulário"));
        switch (field->type) {
        case FieldType::Text:
        case FieldType::Sentence:
            data.values[key] = boundedText(*field, v);
            break;
        case FieldType::Phone: {
            const QString s = stringOf(key, v);
            const std::optional<QString> phone = phoneValue(s);
            if (!phone)
                refuse(key, QStringLiteral("%1 não é um número de telefone").arg(quoted(s)));
            data.values[key] = *phone;
            break;
        }
        case FieldType::Date:
            data.values[key] = dateOf(*field, v);
            break;
        case FieldType::List: {
            const QString s = stringOf(key, v);
            if (!s.isEmpty() && !field->items.contains(s))
                refuse(key, QStringLiteral("%1 não é um item da lista").arg(quoted(s)));
            data.values[key] = s;
            break;
        }
        case FieldType::Option:
            if (!v.isBool())
                refuse(key, QStringLiteral("esperava true ou false"));
            data.values[key] = v.toBool();
            break;
        case FieldType::Photo:
            // An explicit null is no photo, as leaving the key out is.
            if (!v.isNull())
                data.photo = photoOf(key, v, base);
            break;
        }
    }
    return data;
}

FormData readFormDataFile(const QString& path, const FormSchema& schema)
{
    const QString name = QFileInfo(path).fileName();
    auto fail = [&](const QString& why) {
        throw FormDataError(QStringLiteral("Os dados do currículo \"%1\" não podem ser abertos: %2.")
                                .arg(name, why)
                                .toStdString());
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("o arquivo não pôde ser lido (%1)").arg(file.errorString()));
    // The size is checked before the content is read, so a huge file costs nothing.
    if (file.size() > kMaxDataFileBytes)
        fail(QStringLiteral("o arquivo tem %1 MB, e o limite é %2 MB")
                 .arg((file.size() + 1024 * 1024 - 1) / (1024 * 1024))
                 .arg(kMaxDataFileBytes / (1024 * 1024)));
    const QByteArray bytes = file.read(kMaxDataFileBytes + 1);
    try {
        return readFormData(bytes, schema, QFileInfo(path).absoluteDir());
    } catch (const FormDataError& e) {
        fail(QString::fromUtf8(e.what()));
    }
    return {};
}

QByteArray writeFormData(const FormData& data, const FormSchema& schema)
{
    QByteArray out;
    out.reserve(8192 + (data.photo ? data.photo->jpeg.size() * 4 / 3 : 0));
    out += "{\n  \"formato\": \"";
    out += kDataFormat;
    out += '"';
    for (const FieldSpec& field : schema) {
        QByteArray value;
        if (field.type == FieldType::Photo) {
            if (!data.photo)
                continue;
            value = "{\"jpeg\": \"" + data.photo->jpeg.toBase64() + "\"}";
        } else {
            const auto it = data.values.find(field.name);
            if (it == data.values.end())
                continue;
            switch (field.type) {
            case FieldType::Date:
                appendString(value, it->second.toDate().toString(Qt::ISODate));
                break;
            case FieldType::Option:
                value = it->second.toBool() ? "true" : "false";
                break;
            default:
                appendString(value, it->second.toString());
                break;
            }
        }
        out += ",\n  ";
        appendString(out, field.name);
        out += ": ";
        out += value;
    }
    out += "\n}\n";
    return out;
}

void saveDataFile(const QString& path, const QByteArray& content)
{
    const QString name = QFileInfo(path).fileName();
    QSaveFile file(path);
    // Unbuffered, so a disk that takes only part of the content is seen as the failure it is.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(content) != content.size() || !file.commit())
        throw std::runtime_error(
            QStringLiteral("Não foi possível salvar os dados do currículo em \"%1\" (%2).")
                .arg(name, file.errorString())
                .toStdString());
}

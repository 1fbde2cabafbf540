#pragma once

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

// The entry form's data as a file of its own: one JSON object whose keys are the entry
// window's control names, with "formato" naming the version and the photo embedded as JPEG.
// Saved data files, the draft and the samples the tools read all share it.

// What a control holds in a data file.
enum class FieldType { Text, Phone, Date, List, Sentence, Option, Photo };

struct FieldSpec {
    QString name;
    FieldType type = FieldType::Text;
    int maxLength = 0;      // Text and Sentence
    QStringList items;      // List
    QDate minDate, maxDate; // Date
};

// The controls a data file may name, in the form's order.
using FormSchema = std::vector<FieldSpec>;

struct FormPhoto {
    QImage image;
    QByteArray source; // the bytes it was decoded from, in `format`
    QByteArray format; // "JPEG", "BMP", ...
    QByteArray jpeg;   // as data files keep it (see storedPhoto)
};

// Values by control name: a QString for text, phone, list and sentence fields (a list's
// empty text while nothing is picked), a QDate for dates, a bool for options. A control the
// data does not name keeps its start-up value.
struct FormData {
    std::map<QString, QVariant> values;
    std::optional<FormPhoto> photo;
};

// A data file that cannot be taken; what() is a Portuguese sentence naming the key and reason.
class FormDataError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kDataFormat = "sovranel-dados/1";
inline constexpr qint64 kMaxDataFileBytes = 16LL * 1024 * 1024;

// Reads a whole data file's content against the schema: everything is checked (size, JSON,
// version, every key, type, length, list item, date and phone, the photo within the photo
// bounds) before anything is returned, so a caller never applies half a file. A photo given
// as a path (the samples' form) is read relative to `base`. Throws FormDataError.
FormData readFormData(const QByteArray& bytes, const FormSchema& schema, const QDir& base);

// The same from a file; the message names the file.
FormData readFormDataFile(const QString& path, const FormSchema& schema);

// The data as a file's content: "formato" first, then the controls in the schema's order,
// the photo embedded.
QByteArray writeFormData(const FormData& data, const FormSchema& schema);

// Writes the content atomically, readable and writable by the user alone (it holds document
// numbers and a photo). Throws std::runtime_error with a Portuguese message naming the file.
void saveDataFile(const QString& path, const QByteArray& content);

// A phone as a data file may give it, as the phone field's value (13 characters for a landline,
// 14 for a mobile): that value itself, or a whole number as people write it (its digits,
// "(21) 99999-8888", "+55 21 99999-8888"). Nothing when the text is no phone number, an
// incomplete one or one whose area code does not exist. The one place where a phone value is parsed.
std::optional<QString> phoneValue(const QString& text);

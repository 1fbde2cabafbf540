// Feeds arbitrary bytes to the form-data reader. Whatever it accepts must write back and read
// again as the very same data, and write the very same bytes again; anything else must end
// in a FormDataError.
#include "FormData.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

namespace {

// One control of every kind, named as the entry window names them.
const FormSchema& schema()
{
    static const FormSchema s = [] {
        FormSchema fields;
        auto add = [&](const char* name, FieldType type) -> FieldSpec& {
            fields.push_back({});
            fields.back().name = QString::fromLatin1(name);
            fields.back().type = type;
            return fields.back();
        };
        add("edt_nome", FieldType::Text).maxLength = 2000;
        add("edt_tel1", FieldType::Phone);
        FieldSpec& date = add("edt_nasc", FieldType::Date);
        date.minDate = QDate(1900, 1, 1);
        date.maxDate = QDate(9999, 12, 31);
        add("edt_sexo", FieldType::List).items = {QStringLiteral("Masculino"), QStringLiteral("Feminino")};
        add("Image1", FieldType::Photo);
        add("frase1", FieldType::Option);
        add("frase", FieldType::Sentence).maxLength = 150;
        return fields;
    }();
    return s;
}

bool same(const FormData& a, const FormData& b)
{
    return a.values == b.values && a.photo.has_value() == b.photo.has_value() &&
           (!a.photo || a.photo->jpeg == b.photo->jpeg);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The image decoders' warnings about broken pictures would only slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A folder that does not exist: a photo path can lead nowhere.
    const QDir base(QStringLiteral("/nonexistent/sovranel-fuzz"));
    try {
        const FormData first =
            readFormData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), schema(), base);
        const QByteArray written = writeFormData(first, schema());
        const FormData again = readFormData(written, schema(), base);
        if (!same(first, again) || writeFormData(again, schema()) != written)
            std::abort();
    } catch (const FormDataError&) {
    }
    return 0;
}

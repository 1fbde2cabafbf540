// Feeds arbitrary bytes to the information page's tag reader. Besides not crashing, every
// value it gives must respect the reader's rules: at most 255 characters, no double quote and
// no line break inside.
#include "webupdate/PageTags.h"

#include <cstdint>
#include <cstdlib>

namespace {

void expectSound(const QString& s)
{
    if (s.size() > webupdate::kMaxTagLength || s.contains(QLatin1Char('"')) ||
        s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray page = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const webupdate::PageInfo info = webupdate::readPageTags(page);
    for (const QString* s : {&info.productName, &info.author, &info.email, &info.version, &info.download,
                             &info.clientFileName, &info.redirection, &info.runParameters})
        expectSound(*s);

    QString name;
    QString value;
    if (webupdate::readTagLine(QString::fromLatin1(page), &name, &value)) {
        if (name.size() > webupdate::kMaxTagLength || value.size() > webupdate::kMaxTagLength ||
            name.contains(QLatin1Char('"')) || value.contains(QLatin1Char('"')))
            std::abort();
    }
    return 0;
}

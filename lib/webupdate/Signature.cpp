#include "webupdate/Signature.h"

#include <QFile>

#include <sodium.h>

namespace webupdate {
namespace {

QByteArray decoded(const QByteArray& base64, qsizetype size)
{
    const auto r = QByteArray::fromBase64Encoding(base64.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    return r && r.decoded.size() == size ? r.decoded : QByteArray();
}

} // namespace

bool publicKeyWellFormed(const QByteArray& publicKey)
{
    return !decoded(publicKey, crypto_sign_PUBLICKEYBYTES).isEmpty();
}

bool fileSignatureValid(const QString& path, const QByteArray& signature, const QByteArray& publicKey)
{
    if (sodium_init() < 0)
        return false;
    const QByteArray key = decoded(publicKey, crypto_sign_PUBLICKEYBYTES);
    const QByteArray sig = decoded(signature, crypto_sign_BYTES);
    if (key.isEmpty() || sig.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Mapped, not read: an installer may be large.
    const qint64 size = file.size();
    const uchar* bytes = size > 0 ? file.map(0, size) : reinterpret_cast<const uchar*>("");
    if (!bytes)
        return false;
    const bool valid =
        crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(sig.constData()), bytes,
                                    static_cast<unsigned long long>(size),
                                    reinterpret_cast<const unsigned char*>(key.constData())) == 0;
    if (size > 0)
        file.unmap(const_cast<uchar*>(bytes));
    return valid;
}

} // namespace webupdate

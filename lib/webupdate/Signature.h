#pragma once

#include <QByteArray>
#include <QString>

namespace webupdate {

// Ed25519 signatures of update files, through libsodium. Keys and signatures travel as base64
// text: the public key in the build, the signature in the information page.

// Whether `signature` (base64) is the signature of the file's exact bytes by the secret key
// of `publicKey` (base64). Anything malformed is simply not a valid signature.
bool fileSignatureValid(const QString& path, const QByteArray& signature, const QByteArray& publicKey);

// Whether `publicKey` is a well-formed public key (base64 of 32 bytes).
bool publicKeyWellFormed(const QByteArray& publicKey);

} // namespace webupdate

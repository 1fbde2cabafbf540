// sovranel-sign: the publisher's side of signed updates.
//
//   sovranel-sign keygen SECRET_FILE     makes a key pair, writes the secret key to SECRET_FILE
//                                        (mode 0600, never over an existing file) and prints
//                                        the public key in base64, for SOVRANEL_UPDATE_KEY
//   sovranel-sign sign SECRET_FILE FILE  prints the base64 signature of FILE's exact bytes,
//                                        for the information page's "mxSignature" tag
#include <QByteArray>
#include <QFile>
#include <QString>

#include <sodium.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: sovranel-sign keygen SECRET_FILE\n"
               "       sovranel-sign sign SECRET_FILE FILE\n",
               stderr);
    return 2;
}

int failure(const char* what, const char* path)
{
    std::fprintf(stderr, "sovranel-sign: %s: %s\n", what, path);
    return 1;
}

int keygen(const char* secretPath)
{
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    // Created here with the owner's permissions alone, and never over a key that exists: losing
    // a publisher's key would strand every installed updater.
    const int fd = ::open(secretPath, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return failure("cannot create the secret key file (does it exist already?)", secretPath);
    const bool written = ::write(fd, secretKey, sizeof secretKey) == ssize_t(sizeof secretKey);
    sodium_memzero(secretKey, sizeof secretKey);
    if (::close(fd) != 0 || !written) {
        ::unlink(secretPath);
        return failure("cannot write the secret key file", secretPath);
    }
    std::printf(
        "%s\n",
        QByteArray(reinterpret_cast<const char*>(publicKey), sizeof publicKey).toBase64().constData());
    return 0;
}

int sign(const char* secretPath, const char* filePath)
{
    QFile secretFile(QString::fromLocal8Bit(secretPath));
    if (!secretFile.open(QIODevice::ReadOnly))
        return failure("cannot read the secret key file", secretPath);
    QByteArray secretKey = secretFile.read(crypto_sign_SECRETKEYBYTES + 1);
    if (secretKey.size() != crypto_sign_SECRETKEYBYTES)
        return failure("not a secret key file", secretPath);
    QFile file(QString::fromLocal8Bit(filePath));
    if (!file.open(QIODevice::ReadOnly))
        return failure("cannot read", filePath);
    const qint64 size = file.size();
    const uchar* bytes = size > 0 ? file.map(0, size) : reinterpret_cast<const uchar*>("");
    if (!bytes)
        return failure("cannot read", filePath);
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, bytes, static_cast<unsigned long long>(size),
                         reinterpret_cast<const unsigned char*>(secretKey.constData()));
    sodium_memzero(secretKey.data(), size_t(secretKey.size()));
    std::printf(
        "%s\n",
        QByteArray(reinterpret_cast<const char*>(signature), sizeof signature).toBase64().constData());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (sodium_init() < 0) {
        std::fputs("sovranel-sign: libsodium could not start\n", stderr);
        return 1;
    }
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (command == "keygen" && argc == 3)
        return keygen(argv[2]);
    if (command == "sign" && argc == 4)
        return sign(argv[2], argv[3]);
    return usage();
}

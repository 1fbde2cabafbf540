#include "Photo.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <stdexcept>

namespace {

// A photo is a few centimetres on the printed page. These bounds keep a file that claims an
// absurd size (or a huge scan) from taking the memory of an old computer: the size is read
// from the file's header and checked before anything is decoded.
constexpr qint64 kMaxPictureFileBytes = 100LL * 1024 * 1024;
constexpr qint64 kMaxPicturePixels = 50'000'000; // a 50-megapixel camera photo still loads
constexpr int kMaxPictureSide = 20'000;
constexpr int kImageAllocationLimitMB = 256; // what a decoder may allocate for one picture

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

bool tooLarge(const QSize& size)
{
    return size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
           qint64(size.width()) * size.height() > kMaxPicturePixels;
}

QString tooLargeMessage(const QString& name, const QSize& size)
{
    return QStringLiteral("A imagem \"%1\" é grande demais para ser usada como foto (%2 × %3 pixels). "
                          "Escolha uma imagem de no máximo %4 megapixels.")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxPicturePixels / 1'000'000);
}

QString fileTooLargeMessage(const QString& name, qint64 size)
{
    return QStringLiteral("O arquivo \"%1\" é grande demais para ser usado como foto (%2 MB). "
                          "Escolha um arquivo de no máximo %3 MB.")
        .arg(name)
        .arg(size / (1024 * 1024))
        .arg(kMaxPictureFileBytes / (1024 * 1024));
}

} // namespace

LoadedPicture decodePicture(const QByteArray& bytes, const QString& name, const QByteArray& format,
                            const QString& suffix)
{
    if (bytes.size() > kMaxPictureFileBytes)
        fail(fileTooLargeMessage(name, bytes.size()));
    LoadedPicture picture;
    picture.bytes = bytes;
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QByteArray chosen = format;
    if (chosen.isEmpty())
        chosen = QImageReader::imageFormat(&buffer);
    if (chosen.isEmpty())
        chosen = suffix.toLower().toLatin1();
    QImageReader::setAllocationLimit(kImageAllocationLimitMB);
    QImageReader reader(&buffer, chosen);
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead())
        fail(QStringLiteral("O arquivo \"%1\" não é uma imagem que o Sovranel consiga abrir. "
                            "Escolha uma foto JPEG ou bitmap (BMP).")
                 .arg(name));
    const QSize claimed = reader.size();
    if (claimed.isValid() && tooLarge(claimed))
        fail(tooLargeMessage(name, claimed));
    picture.image = reader.read();
    if (picture.image.isNull())
        fail(QStringLiteral("A imagem \"%1\" está danificada ou é grande demais e não pôde ser aberta.")
                 .arg(name));
    if (tooLarge(picture.image.size()))
        fail(tooLargeMessage(name, picture.image.size()));
    picture.format = chosen.toUpper();
    return picture;
}

LoadedPicture loadPicture(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Não foi possível abrir o arquivo \"%1\".").arg(name));
    if (file.size() > kMaxPictureFileBytes)
        fail(fileTooLargeMessage(name, file.size()));
    return decodePicture(file.readAll(), name, {}, QFileInfo(path).suffix());
}

QByteArray storedPhoto(const QImage& image, const QByteArray& encoded, const QByteArray& format)
{
    if (image.isNull())
        return {};
    const bool fits = image.width() <= kStoredPhotoSide && image.height() <= kStoredPhotoSide;
    if (fits && format == "JPEG" && !encoded.isEmpty())
        return encoded;
    const QImage scaled = fits ? image
                               : image.scaled(kStoredPhotoSide, kStoredPhotoSide, Qt::KeepAspectRatio,
                                              Qt::SmoothTransformation);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    // JPEG has no alpha: a transparent picture is put on white, as the page is.
    QImage opaque(scaled.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, scaled);
    }
    if (!writer.write(opaque))
        fail(QStringLiteral("Não foi possível guardar a foto (%1).").arg(writer.errorString()));
    return out;
}

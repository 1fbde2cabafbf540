#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture read for the résumé's photo: the decoded image, the encoded bytes it came from
// and their format ("JPEG", "BMP", ...).
struct LoadedPicture {
    QImage image;
    QByteArray bytes;
    QByteArray format;
};

// Reads a picture file whole and decodes it within the photo's bounds (file size, sides,
// pixels, decoder memory). Throws std::runtime_error with a Portuguese message naming the file.
LoadedPicture loadPicture(const QString& path);

// Decodes picture bytes within the same bounds; `name` is what the messages call the
// picture. With a `format`, only that decoder is tried; else the content (or `suffix`, for
// the kinds that cannot be told by content) chooses it.
LoadedPicture decodePicture(const QByteArray& bytes, const QString& name, const QByteArray& format = {},
                            const QString& suffix = {});

// Data files keep the photo as a JPEG of at most this many pixels a side: the printed box
// is far smaller, and a file stays small whatever camera the photo came from.
constexpr int kStoredPhotoSide = 1200;

// The photo as a data file keeps it. A JPEG file's own bytes are kept as they are when the
// picture is small enough, so saving again never loses quality; anything else is scaled
// down to kStoredPhotoSide and encoded once.
QByteArray storedPhoto(const QImage& image, const QByteArray& encoded, const QByteArray& format);

#pragma once

#include "report/PreparedPages.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>

namespace report {

// The report file (".QRP") keeps prepared pages so that a résumé can be viewed and printed
// again later without the entries that made it. The layout is ours, little-endian:
//
//   magic "SOVRQRP" 0x1A, u32 format version, (from version 2) u32 checksum,
//   f64 page width, f64 page height, string title,
//   u32 picture count, per picture: u8 format (1 JPEG, 2 PNG), u32 byte count, the bytes,
//   u32 page count, per page: u32 item count, per item: u8 kind and its fields,
//   and nothing after the last page.
//
// A string is a u32 byte count and UTF-8 bytes; a colour is u8 valid and four u16 (RGBA64);
// a rectangle and a line are four f64. Pictures keep their encoded bytes (the photo's own
// JPEG), never raw pixels.
//
// The checksum is zlib's CRC-32 of every byte after it, so that a flipped byte in a text or
// the photo is refused as damage instead of shown. Version 1 files, which have none, still open.
//
// Whatever a file holds, reading it never crashes, never hangs and never allocates more than
// its size could justify: every count and length is checked against what is left of the file
// before anything is made of it, and against the caps below.
namespace reportfile {
inline constexpr std::uint32_t kVersion = 2;
inline constexpr std::uint32_t kFirstChecksummedVersion = 2;
// Magic, version and checksum: the checksum covers everything after these bytes.
inline constexpr qsizetype kChecksummedHeaderBytes = 16;

// The tag that starts each item in the file. These values are the file format: they must never
// change, whatever the order of the kinds in `Item`.
enum class ItemTag : std::uint8_t { Text = 1, Line = 2, Frame = 3, Image = 4 };
ItemTag itemTag(const Item& item);

inline constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
inline constexpr std::uint32_t kMaxPages = 10000;
inline constexpr std::uint32_t kMaxItemsPerPage = 100000;
inline constexpr std::uint32_t kMaxPictures = 1000;
inline constexpr std::uint32_t kMaxStringBytes = 1024 * 1024;
inline constexpr std::uint32_t kMaxPictureBytes = 64 * 1024 * 1024;
inline constexpr int kMaxImageSide = 10000;
inline constexpr qint64 kMaxImagePixels = 40'000'000;
// Coordinates, sizes and pen widths beyond these are no page of ours.
inline constexpr double kMaxCoordinate = 1e6;
inline constexpr double kMaxPageSide = 1e5;
inline constexpr double kMaxPointSize = 1000;
inline constexpr double kMaxPenWidth = 1000;

// Whether a picture of these dimensions may come from that many encoded bytes: within the
// caps, and no more pixels than compression could plausibly have packed into them (a flat
// image compresses far better than a photo, but not without limit).
bool pictureSizeAcceptable(qint64 encodedBytes, int width, int height);

// The checksum that the file's bytes after the header should carry.
std::uint32_t contentChecksum(const QByteArray& file);

// Sets the checksum of a file of the current version to match its content, for tools that
// change files on purpose (the fuzzer, so that it reaches past the check); other bytes are left
// as they are.
void refreshChecksum(QByteArray& file);
} // namespace reportfile

// A report file that cannot be read or written; what() is the Portuguese message for the
// person, in UTF-8, naming the file.
class ReportFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The file's bytes for these pages. Pictures in another format than JPEG or PNG, or larger than
// the reader accepts, are stored re-encoded (scaled down when needed), so that whatever is
// written can be read back; pages that could not be read back are refused with a
// ReportFileError naming `fileName`.
QByteArray encodeReportFile(const PreparedPages& pages, const QString& fileName = QString());

// The pages in a file's bytes; `fileName` names the file in the message of a ReportFileError.
PreparedPages decodeReportFile(const QByteArray& bytes, const QString& fileName);

// Writes the pages to `path` atomically: the file is replaced only once the whole of it has been
// written, so a failed save never leaves a damaged file where a good one was.
void saveReportFile(const PreparedPages& pages, const QString& path);

// Reads the pages of the report file at `path`.
PreparedPages loadReportFile(const QString& path);

} // namespace report

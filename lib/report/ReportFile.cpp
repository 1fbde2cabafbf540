#include "report/ReportFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>

#include <zlib.h>

#include <cmath>
#include <cstring>

namespace report {
namespace {

using namespace reportfile;

constexpr char kMagic[8] = {'S', 'O', 'V', 'R', 'Q', 'R', 'P', '\x1a'};

enum class PictureCode : std::uint8_t { None = 0, Jpeg = 1, Png = 2 };

// The fewest bytes each kind of record can take in a file, for checking a count against what
// is left before anything is allocated for it.
constexpr qint64 kRectBytes = 4 * 8;
constexpr qint64 kMinItemBytes = 1 + kRectBytes + 4; // an image item: kind, rectangle, index
constexpr qint64 kMinPageBytes = 4;
constexpr qint64 kMinPictureBytes = 1 + 4;

QString shown(const QString& fileName) { return QDir::toNativeSeparators(fileName); }

[[noreturn]] void fail(const QString& message) { throw ReportFileError(message.toUtf8().toStdString()); }

QString damagedMessage(const QString& fileName)
{
    return QStringLiteral("O arquivo \"%1\" está danificado ou incompleto e não pode ser aberto.")
        .arg(shown(fileName));
}

QString notOursMessage(const QString& fileName)
{
    return QStringLiteral("O arquivo \"%1\" não é um currículo salvo pelo Sovranel.").arg(shown(fileName));
}

bool finiteWithin(double v, double limit) { return std::isfinite(v) && std::fabs(v) <= limit; }

QByteArray formatName(PictureCode code) { return code == PictureCode::Jpeg ? "JPEG" : "PNG"; }

// The dimensions an encoded picture claims in its header, without decoding its pixels.
QSize claimedSize(const QByteArray& bytes, PictureCode code)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, code == PictureCode::Jpeg ? "jpeg" : "png");
    reader.setAutoDetectImageFormat(false);
    return reader.canRead() ? reader.size() : QSize();
}

// ---- writing ----

class Writer {
  public:
    explicit Writer(const QString& fileName) : m_fileName(fileName) {}

    void bytes(const char* data, qint64 n) { m_out.append(data, n); }
    void u8(std::uint8_t v) { m_out.append(char(v)); }
    void u16(std::uint16_t v)
    {
        char b[2];
        qToLittleEndian(v, b);
        bytes(b, 2);
    }
    void u32(std::uint32_t v)
    {
        char b[4];
        qToLittleEndian(v, b);
        bytes(b, 4);
    }
    void i32(std::int32_t v) { u32(std::uint32_t(v)); }
    void f64(double v, double limit = kMaxCoordinate)
    {
        if (!finiteWithin(v, limit))
            unwritable();
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian(bits, b);
        bytes(b, 8);
    }
    void count(std::size_t n, std::uint32_t cap)
    {
        if (n > cap)
            unwritable();
        u32(std::uint32_t(n));
    }
    void string(const QString& s)
    {
        const QByteArray utf8 = s.toUtf8();
        count(std::size_t(utf8.size()), kMaxStringBytes);
        bytes(utf8.constData(), utf8.size());
    }
    void colour(const QColor& c)
    {
        u8(c.isValid() ? 1 : 0);
        const QRgba64 v = c.isValid() ? c.rgba64() : QRgba64();
        u16(v.red());
        u16(v.green());
        u16(v.blue());
        u16(v.alpha());
    }
    void rect(const QRectF& r)
    {
        f64(r.x());
        f64(r.y());
        f64(r.width());
        f64(r.height());
    }

    // Pages that the reader would refuse are not written at all: a file we cannot read back
    // would lose the résumé as surely as no file.
    [[noreturn]] void unwritable() const
    {
        fail(QStringLiteral(
                 "Não foi possível salvar o arquivo \"%1\": o currículo tem conteúdo além dos limites do "
                 "formato de arquivo.")
                 .arg(shown(m_fileName)));
    }

    QByteArray take() { return std::move(m_out); }

  private:
    QString m_fileName;
    QByteArray m_out;
};

// A picture as it is stored: JPEG and PNG bytes as they are when the reader will take them,
// anything else (or too large for the reader) re-encoded as PNG, halved until it fits.
std::pair<PictureCode, QByteArray> storable(const Picture& picture)
{
    QByteArray format = picture.format.toUpper();
    if (format == "JPG")
        format = "JPEG";
    const PictureCode code = format == "JPEG"  ? PictureCode::Jpeg
                             : format == "PNG" ? PictureCode::Png
                                               : PictureCode::None;
    if (code != PictureCode::None && !picture.encoded.isEmpty()) {
        const QSize s = claimedSize(picture.encoded, code);
        if (s.isValid() && pictureSizeAcceptable(picture.encoded.size(), s.width(), s.height()))
            return {code, picture.encoded};
    }
    QImage image = picture.image;
    if (image.isNull() && !picture.encoded.isEmpty())
        image = QImage::fromData(picture.encoded);
    if (image.isNull())
        return {PictureCode::None, {}};
    for (;;) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (writer.write(image) && pictureSizeAcceptable(png.size(), image.width(), image.height()))
            return {PictureCode::Png, png};
        if (image.width() <= 1 && image.height() <= 1)
            return {PictureCode::None, {}};
        image = image.scaled(std::max(1, image.width() / 2), std::max(1, image.height() / 2),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

void writeItem(Writer& w, const Item& item, std::size_t pictureCount)
{
    w.u8(std::uint8_t(itemTag(item)));
    if (const auto* t = std::get_if<TextItem>(&item)) {
        w.rect(t->rect);
        w.string(t->text);
        w.string(t->font.family);
        if (!(t->font.pointSize > 0))
            w.unwritable();
        w.f64(t->font.pointSize, kMaxPointSize);
        w.u8(std::uint8_t((t->font.bold ? 1 : 0) | (t->font.italic ? 2 : 0) | (t->font.underline ? 4 : 0)));
        w.colour(t->colour);
        w.i32(t->flags);
    } else if (const auto* l = std::get_if<LineItem>(&item)) {
        w.f64(l->line.x1());
        w.f64(l->line.y1());
        w.f64(l->line.x2());
        w.f64(l->line.y2());
        w.colour(l->colour);
        if (l->width < 0)
            w.unwritable();
        w.f64(l->width, kMaxPenWidth);
        if (int(l->style) < int(Qt::NoPen) || int(l->style) > int(Qt::DashDotDotLine))
            w.unwritable();
        w.u8(std::uint8_t(l->style));
    } else if (const auto* f = std::get_if<FrameItem>(&item)) {
        w.rect(f->rect);
        w.colour(f->colour);
        if (f->width < 0)
            w.unwritable();
        w.f64(f->width, kMaxPenWidth);
    } else if (const auto* i = std::get_if<ImageItem>(&item)) {
        w.rect(i->rect);
        if (i->picture < -1 || (i->picture >= 0 && std::size_t(i->picture) >= pictureCount))
            w.unwritable();
        w.i32(i->picture);
    }
}

// ---- reading ----

class Reader {
  public:
    Reader(const QByteArray& bytes, const QString& fileName)
        : m_p(reinterpret_cast<const unsigned char*>(bytes.constData())), m_left(bytes.size()),
          m_fileName(fileName)
    {
    }

    [[noreturn]] void damaged() const { fail(damagedMessage(m_fileName)); }

    qint64 left() const { return m_left; }

    const unsigned char* take(qint64 n)
    {
        if (n < 0 || n > m_left)
            damaged();
        const unsigned char* at = m_p;
        m_p += n;
        m_left -= n;
        return at;
    }
    std::uint8_t u8() { return *take(1); }
    std::uint16_t u16() { return qFromLittleEndian<std::uint16_t>(take(2)); }
    std::uint32_t u32() { return qFromLittleEndian<std::uint32_t>(take(4)); }
    std::int32_t i32() { return std::int32_t(u32()); }
    double f64(double limit = kMaxCoordinate)
    {
        const std::uint64_t bits = qFromLittleEndian<std::uint64_t>(take(8));
        double v;
        std::memcpy(&v, &bits, 8);
        if (!finiteWithin(v, limit))
            damaged();
        return v;
    }
    double nonNegative(double limit)
    {
        const double v = f64(limit);
        if (v < 0)
            damaged();
        return v;
    }
    // A count of records, each at least `minEach` bytes long: checked against the cap and
    // against what is left of the file before a single one is made.
    std::uint32_t count(std::uint32_t cap, qint64 minEach)
    {
        const std::uint32_t n = u32();
        if (n > cap || qint64(n) * minEach > m_left)
            damaged();
        return n;
    }
    QByteArray blob(std::uint32_t cap)
    {
        const std::uint32_t n = count(cap, 1);
        return QByteArray(reinterpret_cast<const char*>(take(n)), n);
    }
    QString string()
    {
        const std::uint32_t n = count(kMaxStringBytes, 1);
        return QString::fromUtf8(reinterpret_cast<const char*>(take(n)), n);
    }
    QColor colour()
    {
        const bool valid = u8() != 0;
        const std::uint16_t r = u16(), g = u16(), b = u16(), a = u16();
        return valid ? QColor::fromRgba64(r, g, b, a) : QColor();
    }
    QRectF rect()
    {
        const double x = f64(), y = f64(), w = f64(), h = f64();
        return QRectF(x, y, w, h);
    }

  private:
    const unsigned char* m_p;
    qint64 m_left;
    QString m_fileName;
};

Picture readPicture(Reader& r)
{
    const std::uint8_t code = r.u8();
    if (code > std::uint8_t(PictureCode::Png))
        r.damaged();
    Picture picture;
    picture.encoded = r.blob(kMaxPictureBytes);
    if (code == std::uint8_t(PictureCode::None)) {
        if (!picture.encoded.isEmpty())
            r.damaged();
        return picture;
    }
    const auto pc = PictureCode(code);
    picture.format = formatName(pc);
    // The header's claim is checked before any pixel is decoded, and the decoded picture must
    // then be exactly what the header claimed.
    QBuffer buffer(&picture.encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, pc == PictureCode::Jpeg ? "jpeg" : "png");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.canRead() ? reader.size() : QSize();
    if (!size.isValid() || !pictureSizeAcceptable(picture.encoded.size(), size.width(), size.height()))
        r.damaged();
    if (!reader.read(&picture.image) || picture.image.size() != size)
        r.damaged();
    return picture;
}

Item readItem(Reader& r, std::size_t pictureCount)
{
    switch (ItemTag(r.u8())) {
    case ItemTag::Text: {
        TextItem t;
        t.rect = r.rect();
        t.text = r.string();
        t.font.family = r.string();
        t.font.pointSize = r.f64(kMaxPointSize);
        if (!(t.font.pointSize > 0))
            r.damaged();
        const std::uint8_t style = r.u8();
        if (style > 7)
            r.damaged();
        t.font.bold = style & 1;
        t.font.italic = style & 2;
        t.font.underline = style & 4;
        t.colour = r.colour();
        t.flags = r.i32();
        return t;
    }
    case ItemTag::Line: {
        LineItem l;
        const double x1 = r.f64(), y1 = r.f64(), x2 = r.f64(), y2 = r.f64();
        l.line = QLineF(x1, y1, x2, y2);
        l.colour = r.colour();
        l.width = r.nonNegative(kMaxPenWidth);
        const std::uint8_t style = r.u8();
        if (style > std::uint8_t(Qt::DashDotDotLine))
            r.damaged();
        l.style = Qt::PenStyle(style);
        return l;
    }
    case ItemTag::Frame: {
        FrameItem f;
        f.rect = r.rect();
        f.colour = r.colour();
        f.width = r.nonNegative(kMaxPenWidth);
        return f;
    }
    case ItemTag::Image: {
        ImageItem i;
        i.rect = r.rect();
        i.picture = r.i32();
        if (i.picture < -1 || (i.picture >= 0 && std::size_t(i.picture) >= pictureCount))
            r.damaged();
        return i;
    }
    }
    r.damaged();
}

} // namespace

namespace reportfile {
ItemTag itemTag(const Item& item)
{
    struct Tags {
        ItemTag operator()(const TextItem&) const { return ItemTag::Text; }
        ItemTag operator()(const LineItem&) const { return ItemTag::Line; }
        ItemTag operator()(const FrameItem&) const { return ItemTag::Frame; }
        ItemTag operator()(const ImageItem&) const { return ItemTag::Image; }
    };
    return std::visit(Tags{}, item);
}

std::uint32_t contentChecksum(const QByteArray& file)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* p = reinterpret_cast<const Bytef*>(file.constData());
    // zlib takes a length of at most 4 GiB - 1 at a time; report files are far smaller, but the
    // loop keeps the sum right whatever it is given.
    for (qsizetype at = kChecksummedHeaderBytes; at < file.size();) {
        const uInt n = uInt(std::min<qsizetype>(file.size() - at, 1 << 30));
        crc = crc32(crc, p + at, n);
        at += n;
    }
    return std::uint32_t(crc);
}

void refreshChecksum(QByteArray& file)
{
    if (file.size() < kChecksummedHeaderBytes)
        return;
    const auto version = qFromLittleEndian<std::uint32_t>(file.constData() + 8);
    if (version < kFirstChecksummedVersion || version > kVersion)
        return;
    char b[4];
    qToLittleEndian(contentChecksum(file), b);
    file.replace(12, 4, b, 4);
}

bool pictureSizeAcceptable(qint64 encodedBytes, int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return false;
    const qint64 pixels = qint64(width) * height;
    // Up to a small picture's worth of pixels whatever the bytes, beyond that no more than a
    // flat image's compression ratio could give.
    constexpr qint64 kFreePixels = 512 * 512;
    constexpr qint64 kPixelsPerByte = 512;
    return pixels <= kMaxImagePixels && pixels <= kFreePixels + encodedBytes * kPixelsPerByte;
}
} // namespace reportfile

QByteArray encodeReportFile(const PreparedPages& pages, const QString& fileName)
{
    Writer w(fileName);
    w.bytes(kMagic, sizeof kMagic);
    w.u32(kVersion);
    w.u32(0); // the checksum, once the content is known
    if (!(pages.pageSize.width() > 0) || !(pages.pageSize.height() > 0))
        w.unwritable();
    w.f64(pages.pageSize.width(), kMaxPageSide);
    w.f64(pages.pageSize.height(), kMaxPageSide);
    w.string(pages.title);
    w.count(pages.pictures.size(), kMaxPictures);
    for (const Picture& picture : pages.pictures) {
        const auto [code, bytes] = storable(picture);
        w.u8(std::uint8_t(code));
        w.count(std::size_t(bytes.size()), kMaxPictureBytes);
        w.bytes(bytes.constData(), bytes.size());
    }
    w.count(pages.pages.size(), kMaxPages);
    for (const PreparedPage& page : pages.pages) {
        w.count(page.items.size(), kMaxItemsPerPage);
        for (const Item& item : page.items)
            writeItem(w, item, pages.pictures.size());
    }
    QByteArray file = w.take();
    refreshChecksum(file);
    return file;
}

PreparedPages decodeReportFile(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.isEmpty())
        fail(
            QStringLiteral("O arquivo \"%1\" está vazio: não contém nenhum currículo.").arg(shown(fileName)));
    const qsizetype magicLength = qsizetype(sizeof kMagic);
    if (std::memcmp(bytes.constData(), kMagic, size_t(std::min(bytes.size(), magicLength))) != 0)
        fail(notOursMessage(fileName));
    Reader r(bytes, fileName);
    r.take(magicLength);
    const std::uint32_t version = r.u32();
    if (version > kVersion)
        fail(QStringLiteral(
                 "O arquivo \"%1\" foi salvo por uma versão mais nova do Sovranel e não pode ser aberto "
                 "por esta versão.")
                 .arg(shown(fileName)));
    if (version == 0)
        r.damaged();
    if (version >= kFirstChecksummedVersion && r.u32() != contentChecksum(bytes))
        r.damaged();

    PreparedPages pages;
    const double width = r.f64(kMaxPageSide);
    const double height = r.f64(kMaxPageSide);
    if (!(width > 0) || !(height > 0))
        r.damaged();
    pages.pageSize = QSizeF(width, height);
    pages.title = r.string();

    const std::uint32_t pictureCount = r.count(kMaxPictures, kMinPictureBytes);
    pages.pictures.reserve(pictureCount);
    for (std::uint32_t i = 0; i < pictureCount; ++i)
        pages.pictures.push_back(readPicture(r));

    const std::uint32_t pageCount = r.count(kMaxPages, kMinPageBytes);
    pages.pages.reserve(pageCount);
    for (std::uint32_t p = 0; p < pageCount; ++p) {
        PreparedPage page;
        const std::uint32_t itemCount = r.count(kMaxItemsPerPage, kMinItemBytes);
        page.items.reserve(itemCount);
        for (std::uint32_t i = 0; i < itemCount; ++i)
            page.items.push_back(readItem(r, pictureCount));
        pages.pages.push_back(std::move(page));
    }
    if (r.left() != 0)
        r.damaged();
    return pages;
}

void saveReportFile(const PreparedPages& pages, const QString& path)
{
    const QByteArray bytes = encodeReportFile(pages, path);
    QSaveFile file(path);
    auto failed = [&](const QString& why) {
        fail(QStringLiteral("Não foi possível salvar o arquivo \"%1\": %2.").arg(shown(path), why));
    };
    auto reason = [&] {
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (!folder.exists())
            return QStringLiteral("a pasta não existe mais");
        if (!folder.isWritable())
            return QStringLiteral("não há permissão para gravar nesta pasta");
        if (QFileInfo(path).isDir())
            return QStringLiteral("já existe uma pasta com este nome");
        return file.errorString();
    };
    // Unbuffered: a buffered save file reports a disk that took only part of the bytes as a
    // success at commit, and would put the cut file in place of the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failed(reason());
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        failed(QStringLiteral("a gravação falhou (o disco pode estar cheio ou ter sido removido)"));
    }
    if (!file.commit())
        failed(reason());
}

PreparedPages loadReportFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        fail(QStringLiteral("Não foi possível abrir o arquivo \"%1\": ele não existe ou foi movido.")
                 .arg(shown(path)));
    // Only a plain file: a device or a pipe could feed the reader for ever.
    if (!info.isFile())
        fail(notOursMessage(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!info.isReadable())
            fail(QStringLiteral("Não foi possível abrir o arquivo \"%1\": não há permissão para lê-lo.")
                     .arg(shown(path)));
        fail(QStringLiteral("Não foi possível abrir o arquivo \"%1\": %2.")
                 .arg(shown(path), file.errorString()));
    }
    // Read what the file holds now, and never more than the cap.
    const qint64 size = file.size();
    if (size > kMaxFileBytes)
        fail(QStringLiteral("O arquivo \"%1\" é grande demais para ser um currículo salvo pelo Sovranel.")
                 .arg(shown(path)));
    const QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        fail(QStringLiteral("Não foi possível ler o arquivo \"%1\": %2.")
                 .arg(shown(path), file.errorString()));
    return decodeReportFile(bytes, path);
}

} // namespace report

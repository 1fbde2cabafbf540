#include "report/ReportFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <functional>

using namespace report;

namespace {

QByteArray encodeImage(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

// A photo-like picture: smooth shading with detail, as a webcam or a camera gives.
QImage photoImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, ((x ^ y) * 3) % 256));
    return image;
}

Picture jpegPhoto()
{
    Picture p;
    p.format = "JPEG";
    p.encoded = encodeImage(photoImage(120, 160), "jpeg", 85);
    p.image = QImage::fromData(p.encoded, "JPEG");
    return p;
}

// Two pages of a résumé with every kind of item, in red and in the script models' faces.
PreparedPages resumePages(bool withPhoto)
{
    PreparedPages pages;
    pages.pageSize = QSizeF(793.7, 1122.5);
    pages.title = QStringLiteral("Curriculo de Maria Conceição");
    if (withPhoto)
        pages.pictures.push_back(jpegPhoto());
    const QColor red(Qt::red);
    PreparedPage first;
    first.items.push_back(FrameItem{QRectF(19, 19, 756, 1085), red, 2});
    first.items.push_back(TextItem{QRectF(40, 40, 400, 30), QStringLiteral("Maria Conceição"),
                                   FontSpec{QStringLiteral("Brush Script MT"), 18, true, false, false}, red,
                                   Qt::AlignLeft | Qt::AlignVCenter});
    first.items.push_back(LineItem{QLineF(40, 80, 754, 80), red, 1, Qt::SolidLine});
    first.items.push_back(LineItem{QLineF(40, 300.25, 754, 300.25), QColor(0, 0, 128), 0.5, Qt::DashDotLine});
    if (withPhoto)
        first.items.push_back(ImageItem{QRectF(620, 40, 120, 160), 0});
    first.items.push_back(ImageItem{QRectF(620, 40, 120, 160), -1});
    first.items.push_back(
        TextItem{QRectF(40, 320, 700, 60),
                 QStringLiteral("Experiência em atendimento,\nvendas e caixa; salário R$ 1.500,00"),
                 FontSpec{QStringLiteral("Monotype Corsiva"), 10.5, false, true, true}, QColor(),
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap});
    PreparedPage second;
    second.items.push_back(TextItem{QRectF(300, 1090, 200, 16), QStringLiteral("página 2 de 2"), FontSpec{},
                                    QColor(10, 20, 30, 128), Qt::AlignRight});
    second.items.push_back(
        TextItem{QRectF(0, 0, 0, 0), QString(), FontSpec{QString(), 1, false, false, false}, Qt::black, 0});
    pages.pages = {first, second};
    return pages;
}

void comparePages(const PreparedPages& got, const PreparedPages& want)
{
    QCOMPARE(got.pageSize, want.pageSize);
    QCOMPARE(got.title, want.title);
    QCOMPARE(got.pageCount(), want.pageCount());
    QCOMPARE(got.pictures.size(), want.pictures.size());
    for (std::size_t i = 0; i < want.pictures.size(); ++i) {
        QCOMPARE(got.pictures[i].format, want.pictures[i].format);
        QCOMPARE(got.pictures[i].encoded, want.pictures[i].encoded);
        QCOMPARE(got.pictures[i].image.size(), want.pictures[i].image.size());
    }
    for (int p = 0; p < want.pageCount(); ++p) {
        const auto& gi = got.pages[p].items;
        const auto& wi = want.pages[p].items;
        QCOMPARE(gi.size(), wi.size());
        for (std::size_t i = 0; i < wi.size(); ++i)
            QVERIFY2(gi[i] == wi[i],
                     qPrintable(QStringLiteral("page %1, item %2 differs").arg(p + 1).arg(i)));
    }
    QVERIFY(got == want);
}

// The files made here, good and bad, seed the reader's fuzzer.
void seed(const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(QStringLiteral(SOVRANEL_FUZZ_CORPUS));
    QFile f(QStringLiteral(SOVRANEL_FUZZ_CORPUS "/") + name);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QString seedName(const char* row)
{
    return QString::fromLatin1(row).replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")),
                                            QStringLiteral("-"));
}

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG that is only a header: its pixels are claimed, never given.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray ihdr("IHDR");
    char b[4];
    qToBigEndian(width, b);
    ihdr.append(b, 4);
    qToBigEndian(height, b);
    ihdr.append(b, 4);
    ihdr.append("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    qToBigEndian(quint32(13), b);
    png.append(b, 4);
    png.append(ihdr);
    qToBigEndian(crc32(ihdr), b);
    png.append(b, 4);
    return png;
}

// Builds a file byte by byte, in the report file's layout, for the cases no writer would make.
struct Craft {
    QByteArray bytes;
    Craft& raw(const QByteArray& b)
    {
        bytes.append(b);
        return *this;
    }
    Craft& u8(quint8 v) { return raw(QByteArray(1, char(v))); }
    Craft& u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        return raw(QByteArray(b, 4));
    }
    Craft& f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian(bits, b);
        return raw(QByteArray(b, 8));
    }
    Craft& str(const QByteArray& s) { return u32(quint32(s.size())).raw(s); }
    Craft& header(quint32 version = 1, double w = 794, double h = 1123)
    {
        return raw(QByteArray("SOVRQRP\x1a", 8)).u32(version).f64(w).f64(h).str("Curriculo de Ana");
    }
    Craft& rect() { return f64(10).f64(10).f64(100).f64(20); }
    Craft& colour() { return u8(1).u32(0).u32(0xFFFF0000u); }
    Craft& textItem() { return u8(1).rect().str("Ana").str("Arial").f64(10).u8(0).colour().u32(0); }
    // A file holding one picture, then one page with one item pointing at it.
    Craft& withPicture(quint8 format, const QByteArray& picture)
    {
        return header().u32(1).u8(format).str(picture).u32(1).u32(1).u8(4).rect().u32(0);
    }
};

const QString kName = QStringLiteral("/tmp/Ana.QRP");

} // namespace

Q_DECLARE_METATYPE(report::PreparedPages)
Q_DECLARE_METATYPE(report::Picture)
Q_DECLARE_METATYPE(report::Item)

class ReportFileTest : public QObject {
    Q_OBJECT

  private slots:
    void savedPagesReopenIdentical_data()
    {
        QTest::addColumn<PreparedPages>("pages");
        QTest::newRow("a two-page résumé with its photo") << resumePages(true);
        QTest::newRow("a résumé without a photo") << resumePages(false);
        PreparedPages none;
        none.pageSize = QSizeF(794, 1123);
        QTest::newRow("a report with no pages at all") << none;
        PreparedPages landscape = resumePages(false);
        landscape.pageSize = QSizeF(1123, 794);
        QTest::newRow("landscape pages") << landscape;
    }
    void savedPagesReopenIdentical()
    {
        QFETCH(PreparedPages, pages);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Maria Silva.QRP"));
        saveReportFile(pages, path);
        const PreparedPages back = loadReportFile(path);
        comparePages(back, pages);
        for (const Picture& p : back.pictures)
            QVERIFY(!p.image.isNull());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        seed(seedName(QTest::currentDataTag()), f.readAll());
    }

    // The photo is kept as its own JPEG bytes; other pictures become PNG, scaled down only when
    // the reader would refuse them, so that everything written can be read back.
    void picturesAreStoredCompactlyAndReadable_data()
    {
        QTest::addColumn<Picture>("picture");
        QTest::addColumn<QByteArray>("storedFormat");
        QTest::addColumn<QSize>("storedSize"); // empty: scaled down, proportions kept
        QTest::addColumn<bool>("bytesKept");
        QTest::newRow("a JPEG photo keeps its bytes")
            << jpegPhoto() << QByteArray("JPEG") << QSize(120, 160) << true;
        Picture lower = jpegPhoto();
        lower.format = "jpg";
        QTest::newRow("a photo named jpg in lower case keeps its bytes")
            << lower << QByteArray("JPEG") << QSize(120, 160) << true;
        Picture bmp;
        bmp.format = "BMP";
        bmp.encoded = encodeImage(photoImage(40, 30), "bmp");
        QTest::newRow("a bitmap file becomes PNG") << bmp << QByteArray("PNG") << QSize(40, 30) << false;
        Picture frame;
        frame.image = photoImage(64, 48);
        QTest::newRow("a webcam frame without bytes becomes PNG")
            << frame << QByteArray("PNG") << QSize(64, 48) << false;
        Picture flat;
        flat.format = "PNG";
        flat.image = QImage(8000, 4000, QImage::Format_Mono);
        flat.image.fill(1);
        flat.encoded = encodeImage(flat.image, "png");
        QTest::newRow("a huge flat picture is scaled down until the reader takes it")
            << flat << QByteArray("PNG") << QSize() << false;
    }
    void picturesAreStoredCompactlyAndReadable()
    {
        QFETCH(Picture, picture);
        QFETCH(QByteArray, storedFormat);
        QFETCH(QSize, storedSize);
        QFETCH(bool, bytesKept);
        PreparedPages pages = resumePages(false);
        pages.pictures = {picture};
        pages.pages[0].items.push_back(ImageItem{QRectF(620, 40, 120, 160), 0});
        const QByteArray file = encodeReportFile(pages);
        const PreparedPages back = decodeReportFile(file, kName);
        QCOMPARE(back.pictures.size(), std::size_t(1));
        const Picture& stored = back.pictures[0];
        QCOMPARE(stored.format, storedFormat);
        if (storedSize.isEmpty()) {
            QVERIFY(stored.image.width() < picture.image.width());
            QCOMPARE(stored.image.width() * picture.image.height(),
                     stored.image.height() * picture.image.width());
        } else {
            QCOMPARE(stored.image.size(), storedSize);
        }
        QCOMPARE(stored.encoded == picture.encoded, bytesKept);
        QVERIFY(file.size() <= stored.encoded.size() + 32 * 1024);
    }

    // Every crafted bad file ends in a clear Portuguese message naming the file: never a crash,
    // never a hang, never an allocation that the file's size could not justify.
    void badFilesAreRefusedWithAClearMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString damaged =
            QStringLiteral("O arquivo \"/tmp/Ana.QRP\" está danificado ou incompleto e não pode ser aberto.");
        const QString notOurs =
            QStringLiteral("O arquivo \"/tmp/Ana.QRP\" não é um currículo salvo pelo Sovranel.");
        const QByteArray good = encodeReportFile(resumePages(true));
        const QByteArray jpeg = jpegPhoto().encoded;

        QTest::newRow("an empty file")
            << QByteArray()
            << QStringLiteral("O arquivo \"/tmp/Ana.QRP\" está vazio: não contém nenhum currículo.");
        QTest::newRow("another program's file") << QByteArray("PK\x03\x04 not a résumé") << notOurs;
        QTest::newRow("a JPEG renamed .qrp") << jpeg << notOurs;
        QTest::newRow("a newer format version")
            << Craft().header(3).u32(0).u32(0).bytes
            << QStringLiteral(
                   "O arquivo \"/tmp/Ana.QRP\" foi salvo por uma versão mais nova do Sovranel e não pode ser "
                   "aberto por esta versão.");
        QTest::newRow("format version zero") << Craft().header(0).u32(0).u32(0).bytes << damaged;
        QTest::newRow("only the start of the magic") << QByteArray("SOVR") << damaged;
        QTest::newRow("truncated in the header") << good.left(20) << damaged;
        QTest::newRow("truncated in the picture")
            << good.left(good.indexOf(jpeg) + jpeg.size() / 2) << damaged;
        QTest::newRow("truncated in the last item") << good.left(good.size() - 3) << damaged;
        QTest::newRow("a picture count far beyond the file") << Craft().header().u32(900).bytes << damaged;
        QTest::newRow("a page count far beyond the file")
            << Craft().header().u32(0).u32(5000).bytes << damaged;
        QTest::newRow("a page count beyond the cap")
            << Craft().header().u32(0).u32(0xFFFFFFF0u).bytes << damaged;
        QTest::newRow("an item count far beyond the file")
            << Craft().header().u32(0).u32(1).u32(90000).bytes << damaged;
        QTest::newRow("a title length that is negative as a signed number")
            << Craft().raw(Craft().header().bytes.left(28)).u32(0xFFFFFFFFu).raw("Ana").bytes << damaged;
        QTest::newRow("a text length far beyond the file")
            << Craft().header().u32(0).u32(1).u32(1).u8(1).rect().u32(1000000).raw("Ana").bytes << damaged;
        QTest::newRow("a picture byte count beyond the file")
            << Craft().header().u32(1).u8(2).u32(60 * 1024 * 1024).raw(pngClaiming(10, 10)).bytes << damaged;
        QTest::newRow("an image claiming 100000 x 100000")
            << Craft().withPicture(2, pngClaiming(100000, 100000)).bytes << damaged;
        QTest::newRow("an image claiming 5000 x 5000 from a few bytes")
            << Craft().withPicture(2, pngClaiming(5000, 5000)).bytes << damaged;
        QTest::newRow("PNG bytes declared as JPEG")
            << Craft().withPicture(1, encodeImage(photoImage(8, 8), "png")).bytes << damaged;
        QTest::newRow("an unknown picture format") << Craft().withPicture(9, jpeg).bytes << damaged;
        QTest::newRow("an image item pointing past the pictures")
            << Craft().header().u32(0).u32(1).u32(1).u8(4).rect().u32(3).bytes << damaged;
        QTest::newRow("an unknown item kind")
            << Craft().header().u32(0).u32(1).u32(1).u8(7).rect().u32(0).bytes << damaged;
        QTest::newRow("a coordinate that is not a number") << Craft()
                                                                  .header()
                                                                  .u32(0)
                                                                  .u32(1)
                                                                  .u32(1)
                                                                  .u8(3)
                                                                  .f64(qQNaN())
                                                                  .f64(0)
                                                                  .f64(1)
                                                                  .f64(1)
                                                                  .colour()
                                                                  .f64(1)
                                                                  .bytes
                                                           << damaged;
        QTest::newRow("an infinite page width")
            << Craft().header(1, qInf(), 1123).u32(0).u32(0).bytes << damaged;
        QTest::newRow("a page of no size") << Craft().header(1, 0, 0).u32(0).u32(0).bytes << damaged;
        QTest::newRow("a font of negative size") << Craft()
                                                        .header()
                                                        .u32(0)
                                                        .u32(1)
                                                        .u32(1)
                                                        .u8(1)
                                                        .rect()
                                                        .str("Ana")
                                                        .str("Arial")
                                                        .f64(-3)
                                                        .u8(0)
                                                        .colour()
                                                        .u32(0)
                                                        .bytes
                                                 << damaged;
        QTest::newRow("a pen style beyond the known ones")
            << Craft().header().u32(0).u32(1).u32(1).u8(2).rect().colour().f64(1).u8(200).bytes << damaged;
        QTest::newRow("bytes after the last page")
            << Craft().header().u32(0).u32(1).u32(1).textItem().u8(0).bytes << damaged;
    }
    void badFilesAreRefusedWithAClearMessage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        seed(QStringLiteral("bad-") + seedName(QTest::currentDataTag()), bytes);
        try {
            decodeReportFile(bytes, kName);
            QFAIL("the bad file was read");
        } catch (const ReportFileError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    // The crafted file that the table changes is itself good, so each row fails for its own reason.
    void theCraftedFileIsGood()
    {
        const PreparedPages pages =
            decodeReportFile(Craft().header().u32(0).u32(1).u32(1).textItem().bytes, kName);
        QCOMPARE(pages.pageCount(), 1);
        QCOMPARE(std::get<TextItem>(pages.pages[0].items[0]).text, QStringLiteral("Ana"));
        const PreparedPages withPicture =
            decodeReportFile(Craft().withPicture(1, jpegPhoto().encoded).bytes, kName);
        QCOMPARE(withPicture.pictures[0].image.size(), QSize(120, 160));
    }

    // The tag that starts an item is the file format: pinned here so that reordering the item
    // kinds cannot change it.
    void itemTagsKeepTheirValues_data()
    {
        QTest::addColumn<Item>("item");
        QTest::addColumn<int>("tag");
        QTest::newRow("text") << Item(TextItem{}) << 1;
        QTest::newRow("line") << Item(LineItem{}) << 2;
        QTest::newRow("frame") << Item(FrameItem{}) << 3;
        QTest::newRow("image") << Item(ImageItem{QRectF(), -1}) << 4;
    }
    void itemTagsKeepTheirValues()
    {
        QFETCH(Item, item);
        QFETCH(int, tag);
        QCOMPARE(int(reportfile::itemTag(item)), tag);
        PreparedPages pages;
        pages.pageSize = QSizeF(794, 1123);
        pages.pages.resize(1);
        pages.pages[0].items.push_back(item);
        // Header with checksum, page size, empty title, no pictures, one page of one item.
        const QByteArray file = encodeReportFile(pages);
        QCOMPARE(int(quint8(file.at(16 + 16 + 4 + 4 + 4 + 4))), tag);
    }

    // A byte changed anywhere after the header, in a text, a number or the photo, is refused.
    void aChangedByteIsRefused()
    {
        const QByteArray good = encodeReportFile(resumePages(true));
        const QString damaged =
            QStringLiteral("O arquivo \"/tmp/Ana.QRP\" está danificado ou incompleto e não pode ser aberto.");
        const qsizetype span = good.size() - reportfile::kChecksummedHeaderBytes;
        for (int i = 0; i < 60; ++i) {
            QByteArray bad = good;
            const qsizetype at = reportfile::kChecksummedHeaderBytes + span * i / 60;
            bad[at] = char(bad[at] ^ (1 << (i % 8)));
            try {
                decodeReportFile(bad, kName);
                QFAIL(qPrintable(QStringLiteral("a file changed at byte %1 was read").arg(at)));
            } catch (const ReportFileError& e) {
                QCOMPARE(QString::fromUtf8(e.what()), damaged);
            }
        }
        QByteArray badSum = good;
        badSum[12] = char(badSum[12] ^ 1);
        QVERIFY_THROWS_EXCEPTION(ReportFileError, decodeReportFile(badSum, kName));
    }

    // Files written before the checksum came, version 1, open as they always did.
    void aFileWithoutChecksumStillOpens()
    {
        const PreparedPages pages = resumePages(true);
        QByteArray old = encodeReportFile(pages);
        old.remove(12, 4);
        old[8] = 1;
        comparePages(decodeReportFile(old, kName), pages);
    }

    // A file cut anywhere, in any section, is refused as incomplete.
    void everyTruncationIsRefused()
    {
        const QByteArray good = encodeReportFile(resumePages(true));
        for (qsizetype n = 1; n < good.size(); ++n) {
            try {
                decodeReportFile(good.left(n), kName);
                QFAIL(qPrintable(QStringLiteral("a file cut after %1 bytes was read").arg(n)));
            } catch (const ReportFileError& e) {
                QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("danificado ou incompleto")),
                         qPrintable(QStringLiteral("cut after %1 bytes: %2").arg(n).arg(e.what())));
            }
        }
    }

    void unreadablePathsAreRefusedWithAClearMessage_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("a file moved since it was listed")
            << QStringLiteral("/tmp/nao-existe/Ana.QRP")
            << QStringLiteral("Não foi possível abrir o arquivo \"/tmp/nao-existe/Ana.QRP\": ele não existe "
                              "ou foi movido.");
        QTest::newRow("a folder") << QStringLiteral("/tmp")
                                  << QStringLiteral(
                                         "O arquivo \"/tmp\" não é um currículo salvo pelo Sovranel.");
        QTest::newRow("a device that never ends")
            << QStringLiteral("/dev/zero")
            << QStringLiteral("O arquivo \"/dev/zero\" não é um currículo salvo pelo Sovranel.");
    }
    void unreadablePathsAreRefusedWithAClearMessage()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        try {
            loadReportFile(path);
            QFAIL("the path was read");
        } catch (const ReportFileError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    // A save that fails part-way leaves the file that was there before untouched, and no
    // half-written file beside it.
    void aFailedSaveKeepsTheEarlierFile_data()
    {
        QTest::addColumn<bool>("diskRefuses");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the disk refuses more bytes")
            << true
            << QStringLiteral("a gravação falhou (o disco pode estar cheio ou "
                              "ter sido removido)");
        QTest::newRow("pages the format cannot keep")
            << false << QStringLiteral("o currículo tem conteúdo além dos limites do formato de arquivo");
    }
    void aFailedSaveKeepsTheEarlierFile()
    {
        QFETCH(bool, diskRefuses);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Maria Silva.QRP"));
        PreparedPages earlier;
        earlier.pageSize = QSizeF(794, 1123);
        earlier.title = QStringLiteral("Curriculo de Maria");
        saveReportFile(earlier, path);

        PreparedPages later = resumePages(true);
        if (!diskRefuses)
            later.pages[1].items.push_back(LineItem{QLineF(0, 0, qInf(), 0)});
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        if (diskRefuses) {
            rlimit small = old;
            small.rlim_cur = 2048; // the photo alone is larger
            setrlimit(RLIMIT_FSIZE, &small);
        }
        QString message;
        try {
            saveReportFile(later, path);
        } catch (const ReportFileError& e) {
            message = QString::fromUtf8(e.what());
        }
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);

        QCOMPARE(message, QStringLiteral("Não foi possível salvar o arquivo \"%1\": %2.").arg(path, reason));
        comparePages(loadReportFile(path), earlier);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Maria Silva.QRP")});
    }

    void aSaveIntoAMissingFolderSaysSo()
    {
        const QString path = QStringLiteral("/tmp/sovranel-pasta-removida/Ana.QRP");
        try {
            saveReportFile(resumePages(false), path);
            QFAIL("the save succeeded");
        } catch (const ReportFileError& e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("Não foi possível salvar o arquivo \"%1\": a pasta não existe mais.")
                         .arg(path));
        }
    }
};

QTEST_GUILESS_MAIN(ReportFileTest)
#include "tst_report_file.moc"

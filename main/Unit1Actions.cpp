// The entry form's actions: clearing, exit dates, closing sentence, photo page.
#include "Unit1.h"

#include "Unit2.h"

#include "ui/Application.h"
#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/OpenFileDialog.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QTabWidget>

#include <stdexcept>

namespace {

// A photo is a few centimetres on the printed page. These bounds keep a file that claims an
// absurd size (or a huge scan) from taking the memory of an old computer: the size is read
// from the file's header and checked before anything is decoded.
constexpr qint64 kMaxPictureFileBytes = 100LL * 1024 * 1024;
constexpr qint64 kMaxPicturePixels = 50'000'000; // a 50-megapixel camera photo still loads
constexpr int kMaxPictureSide = 20'000;
constexpr int kImageAllocationLimitMB = 256; // what a decoder may allocate for one picture

struct LoadedPicture {
    QImage image;
    QByteArray bytes;
    QByteArray format; // "JPEG", "BMP", ...
};

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

// Reads a picture file whole: the decoder is chosen by the file's content, or by its
// extension for the kinds that cannot be told by content.
LoadedPicture loadPicture(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Não foi possível abrir o arquivo \"%1\".").arg(name));
    if (file.size() > kMaxPictureFileBytes)
        fail(QStringLiteral("O arquivo \"%1\" é grande demais para ser usado como foto (%2 MB). "
                            "Escolha um arquivo de no máximo %3 MB.")
                 .arg(name)
                 .arg(file.size() / (1024 * 1024))
                 .arg(kMaxPictureFileBytes / (1024 * 1024)));
    LoadedPicture picture;
    picture.bytes = file.readAll();
    file.close();

    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::ReadOnly);
    QByteArray format = QImageReader::imageFormat(&buffer);
    if (format.isEmpty())
        format = QFileInfo(path).suffix().toLower().toLatin1();
    QImageReader::setAllocationLimit(kImageAllocationLimitMB);
    QImageReader reader(&buffer, format);
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
    picture.format = format.toUpper();
    return picture;
}

} // namespace

void TForm1::wireActions()
{
    if (!m_wiring)
        m_wiring = std::make_unique<QObject>();
    // The focus coming into the page area from outside it (the buttons below the pages, a
    // dialog, or nothing at all when the window first gets the focus).
    connect(qApp, &QApplication::focusChanged, m_wiring.get(), [this](QWidget* old, QWidget* now) {
        auto inPages = [this](const QWidget* w) {
            return w && (w == PageControl1 || PageControl1->isAncestorOf(w));
        };
        if (inPages(now) && !inPages(old))
            ui::guarded([this] { PageControl1Enter(); });
    });
    connect(PageControl1, &QTabWidget::currentChanged, m_wiring.get(), [this] {
        if (PageControl1->currentWidget() == TabSheet8)
            ui::guarded([this] { TabSheet8Show(); });
    });
}

void TForm1::BitBtn4Click() { LimparCamposDeTexto(); }
void TForm1::LimparCampos1Click() { LimparCamposDeTexto(); }

void TForm1::LimparCamposDeTexto()
{
    for (const EntryControl& e : m_entries)
        if (e.kind == EntryKind::Text)
            static_cast<QLineEdit*>(e.widget)->clear();
}

void TForm1::BitBtn1Click()
{
    // The webcam window puts its picture into Image1 itself when the user confirms it.
    if (frm_foto)
        frm_foto->exec();
}

void TForm1::BitBtn2Click()
{
    const std::optional<QString> path = OpenPictureDialog1->execute(this);
    if (!path)
        return;
    // Loaded whole before the photo is touched: a file that fails leaves the old photo.
    const LoadedPicture picture = loadPicture(*path);
    Image1->setFilePicture(picture.image, picture.bytes, picture.format);
}

void TForm1::BitBtn5Click() { Image1->clear(); }

void TForm1::informar_saidaClick(int page)
{
    if (page < 1 || page > int(experiencias.size()))
        return;
    const ExperiencePage& e = experiencias[size_t(page - 1)];
    e.edt_exsaida->setEnabled(e.informar_saida->isChecked());
}

// At most one closing sentence is ticked, and the own sentence can be typed only while its
// option is. Unticking the others runs their handlers in turn (for frase4 that disables the
// sentence box again), as any change of a tick does.
static void chooseFixedSentence(TForm1& form, int chosen)
{
    QCheckBox* fixed[] = {form.frase1, form.frase2, form.frase3};
    if (!fixed[chosen - 1]->isChecked())
        return;
    form.frase->setEnabled(false);
    // The other three in order, frase4 in the place of the one chosen.
    for (int k = 1; k <= 3; ++k)
        (k == chosen ? form.frase4 : fixed[k - 1])->setChecked(false);
}

void TForm1::frase1Click() { chooseFixedSentence(*this, 1); }
void TForm1::frase2Click() { chooseFixedSentence(*this, 2); }
void TForm1::frase3Click() { chooseFixedSentence(*this, 3); }

void TForm1::frase4Click()
{
    if (!frase4->isChecked()) {
        frase->setEnabled(false);
        return;
    }
    frase->setEnabled(true);
    frase->setFocus(Qt::OtherFocusReason);
    frase1->setChecked(false);
    frase2->setChecked(false);
    frase3->setChecked(false);
}

void TForm1::PageControl1Enter() { frase->setEnabled(frase4->isChecked()); }

void TForm1::TabSheet8Show() { edt_escolaridade->setFocus(Qt::OtherFocusReason); }

// The entry form's actions: clearing, exit dates, closing sentence, page focus, photo page.
#include "FormFixture.h"

#include "Unit2.h"

#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/OpenFileDialog.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

namespace {

// The 46 text fields that "Limpar Campos" empties.
QStringList textFieldNames()
{
    QStringList names = {"edt_nome",   "edt_natural",     "edt_email",  "edt_rua",
                         "edt_numero", "edt_complemento", "edt_bairro", "edt_cidade",
                         "edt_curso",  "edt_escola",      "edt_rg",     "edt_cpf",
                         "edt_cp",     "edt_te",          "edt_cargo",  "edt_salario"};
    for (int n = 1; n <= 5; ++n)
        for (const char* pattern : {"edt_exnome%1", "edt_excargo%1", "edt_exobs%1", "edt_cucurso%1",
                                    "edt_cuobs%1", "edt_cuescola%1"})
            names << QString::fromLatin1(pattern).arg(n);
    return names;
}

// What a person sees in an entry control.
QString shown(const EntryControl& e)
{
    switch (e.kind) {
    case EntryKind::Text:
        return static_cast<QLineEdit*>(e.widget)->text();
    case EntryKind::Phone:
        return static_cast<ui::PhoneEdit*>(e.widget)->value();
    case EntryKind::Date:
        return static_cast<ui::DateField*>(e.widget)->date().toString(Qt::ISODate);
    case EntryKind::List:
        return static_cast<ui::ListField*>(e.widget)->text();
    case EntryKind::Sentence:
        return static_cast<ui::SentenceBox*>(e.widget)->text();
    }
    return {};
}

QImage solid(QColor colour, QSize size = {40, 30})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A bitmap file header that claims a size, followed by no pixels at all.
QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray b(54, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, b.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, b.data() + at); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, 24);
    return b;
}

// A PNG that has nothing but its header and an empty picture, claiming a size.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    auto chunk = [](const char* type, const QByteArray& data) {
        const QByteArray body = QByteArray(type) + data;
        quint32 c = 0xFFFFFFFFu; // CRC-32, which the decoder checks
        for (char byte : body) {
            c ^= quint8(byte);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        char length[4], crc[4];
        qToBigEndian(quint32(data.size()), length);
        qToBigEndian(c ^ 0xFFFFFFFFu, crc);
        return QByteArray(length, 4) + body + QByteArray(crc, 4);
    };
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8; // bits per sample
    header[9] = 2; // red, green, blue
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", header) + chunk("IDAT", {}) + chunk("IEND", {});
}

// A real small JPEG whose frame header is changed to claim another size.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray b = encoded(solid(Qt::blue), "JPEG");
    const int sof = b.indexOf(QByteArray("\xFF\xC0", 2));
    qToBigEndian(height, b.data() + sof + 5);
    qToBigEndian(width, b.data() + sof + 7);
    return b;
}

enum SentenceState { None = 0, Fixed1, Fixed2, Fixed3, Own };

const char* stateName(int s)
{
    static const char* names[] = {"none", "fixed 1", "fixed 2", "fixed 3", "own"};
    return names[s];
}

} // namespace

class ActionsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ui::OpenFileDialog::setHook({}); }
    void limparCamposEmptiesTheTextFieldsOnly_data();
    void limparCamposEmptiesTheTextFieldsOnly();
    void informarSaidaSwitchesTheExitDateAndKeepsItsDate_data();
    void informarSaidaSwitchesTheExitDateAndKeepsItsDate();
    void ticksSetByTheProgramRunTheirHandlers();
    void closingSentenceStates_data();
    void closingSentenceStates();
    void enteringThePagesReappliesTheSentenceRule_data();
    void enteringThePagesReappliesTheSentenceRule();
    void escolaridadeTakesTheFocusToItsListEveryTime();
    void webcamButtonShowsTheWebcamWindowModally();
    void pictureFile_data();
    void pictureFile();
    void cancellingThePictureDialogKeepsThePhoto();
    void excluirFotoEmptiesThePhoto_data();
    void excluirFotoEmptiesThePhoto();
};

void ActionsTest::limparCamposEmptiesTheTextFieldsOnly_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("the button Limpar Campos") << false;
    QTest::newRow("the menu item Limpar Campos") << true;
}

void ActionsTest::limparCamposEmptiesTheTextFieldsOnly()
{
    QFETCH(bool, fromMenu);
    FormFixture f;
    TForm1& w = *f.form;
    // Every page filled: the options and the own sentence first, as a person would.
    w.experiencias[1].informar_saida->setChecked(true);
    FormFixture::reveal(w.TabSheet17);
    w.frase4->setChecked(true);
    for (const EntryControl& e : w.entryControls()) {
        switch (e.kind) {
        case EntryKind::Text:
            static_cast<QLineEdit*>(e.widget)->setText("texto de " + e.widget->objectName());
            break;
        case EntryKind::Phone:
            static_cast<ui::PhoneEdit*>(e.widget)->setValue("(11)2345-6789");
            break;
        case EntryKind::Date:
            static_cast<ui::DateField*>(e.widget)->setDate(QDate(2001, 2, 3));
            break;
        case EntryKind::List:
            static_cast<ui::ListField*>(e.widget)->setCurrentIndex(1);
            break;
        case EntryKind::Sentence:
            static_cast<ui::SentenceBox*>(e.widget)->setPlainText("Minha frase");
            break;
        }
    }
    w.Image1->setBitmap(solid(Qt::red));
    f.focus("edt_cargo");
    QMap<QString, QString> before;
    for (const EntryControl& e : w.entryControls())
        before[e.widget->objectName()] = shown(e);

    if (fromMenu)
        w.LimparCampos1->trigger();
    else
        w.BitBtn4->click();

    const QStringList texts = textFieldNames();
    for (const EntryControl& e : w.entryControls()) {
        const QString name = e.widget->objectName();
        QCOMPARE(name + ": " + shown(e), name + ": " + (texts.contains(name) ? QString() : before[name]));
    }
    QVERIFY(w.experiencias[1].informar_saida->isChecked());
    QVERIFY(w.experiencias[1].edt_exsaida->isEnabled());
    QVERIFY(w.frase4->isChecked());
    QVERIFY(w.frase->isEnabled());
    QCOMPARE(w.Image1->kind(), ui::PictureKind::Bitmap);
    QCOMPARE(f.focusedName(), QStringLiteral("edt_cargo"));
    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet16);
    QVERIFY(f.dialogs.empty());
}

void ActionsTest::informarSaidaSwitchesTheExitDateAndKeepsItsDate_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= 5; ++page)
        QTest::addRow("the option of page %d switches edt_exsaida%d", page, page) << page;
}

void ActionsTest::informarSaidaSwitchesTheExitDateAndKeepsItsDate()
{
    QFETCH(int, page);
    FormFixture f;
    ExperiencePage& e = f.form->experiencias[size_t(page - 1)];
    FormFixture::reveal(e.TabSheet);
    QVERIFY(!e.edt_exsaida->isEnabled());
    QTest::mouseClick(e.informar_saida, Qt::LeftButton);
    QVERIFY(e.edt_exsaida->isEnabled());
    QCOMPARE(e.edt_exsaida->date(), QDate(2009, 5, 24));
    e.edt_exsaida->setDate(QDate(2012, 7, 1));
    QTest::mouseClick(e.informar_saida, Qt::LeftButton);
    QVERIFY(!e.edt_exsaida->isEnabled());
    QCOMPARE(e.edt_exsaida->date(), QDate(2012, 7, 1));
    // The other pages' exit dates are left alone.
    for (const ExperiencePage& other : f.form->experiencias)
        QVERIFY(!other.edt_exsaida->isEnabled());
}

void ActionsTest::ticksSetByTheProgramRunTheirHandlers()
{
    FormFixture f;
    TForm1& w = *f.form;
    w.experiencias[2].informar_saida->setChecked(true);
    QVERIFY(w.experiencias[2].edt_exsaida->isEnabled());
    w.frase4->setChecked(true);
    QVERIFY(w.frase->isEnabled());
    w.frase4->setChecked(false);
    QVERIFY(!w.frase->isEnabled());
    w.experiencias[2].informar_saida->setChecked(false);
    QVERIFY(!w.experiencias[2].edt_exsaida->isEnabled());
}

void ActionsTest::closingSentenceStates_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("option"); // 1 to 4
    QTest::addColumn<int>("to");
    for (int from = None; from <= Own; ++from)
        for (int option = 1; option <= 4; ++option) {
            if (option == from)
                QTest::addRow("from %s, unticking frase%d leaves none", stateName(from), option)
                    << from << option << int(None);
            else
                QTest::addRow("from %s, ticking frase%d goes to %s", stateName(from), option,
                              stateName(option))
                    << from << option << option;
        }
}

void ActionsTest::closingSentenceStates()
{
    QFETCH(int, from);
    QFETCH(int, option);
    QFETCH(int, to);
    FormFixture f;
    TForm1& w = *f.form;
    QCheckBox* options[] = {w.frase1, w.frase2, w.frase3, w.frase4};
    FormFixture::reveal(w.TabSheet17);
    // Some own text typed earlier, kept whatever happens to the options.
    QTest::mouseClick(w.frase4, Qt::LeftButton);
    QTest::keyClicks(w.frase, "Sou pontual");
    QTest::mouseClick(w.frase4, Qt::LeftButton);
    if (from != None)
        QTest::mouseClick(options[from - 1], Qt::LeftButton);
    QCOMPARE(w.frase->isEnabled(), from == Own);

    QTest::mouseClick(options[option - 1], Qt::LeftButton);

    for (int k = 1; k <= 4; ++k)
        QVERIFY2(options[k - 1]->isChecked() == (k == to), qPrintable(QStringLiteral("frase%1").arg(k)));
    QCOMPARE(w.frase->isEnabled(), to == Own);
    if (to == Own) {
        QCOMPARE(f.focusedName(), QStringLiteral("frase"));
        QCOMPARE(f.highlighted(), QStringList{"frase"});
    }
    QCOMPARE(w.frase->text(), QStringLiteral("Sou pontual"));
}

void ActionsTest::enteringThePagesReappliesTheSentenceRule_data()
{
    QTest::addColumn<bool>("ownTicked");
    QTest::newRow("with frase4 ticked, a disabled frase is enabled again") << true;
    QTest::newRow("with frase4 unticked, an enabled frase is disabled again") << false;
}

void ActionsTest::enteringThePagesReappliesTheSentenceRule()
{
    QFETCH(bool, ownTicked);
    FormFixture f;
    TForm1& w = *f.form;
    w.frase4->setChecked(ownTicked);
    w.BitBtn3->setFocus();
    w.frase->setEnabled(!ownTicked); // whatever happened in between
    f.focus("edt_nome");
    QCOMPARE(w.frase->isEnabled(), ownTicked);
}

void ActionsTest::escolaridadeTakesTheFocusToItsListEveryTime()
{
    FormFixture f;
    TForm1& w = *f.form;
    QTabBar* tabs = w.PageControl1->tabBar();
    auto clickTab = [&](QWidget* page) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(w.PageControl1->indexOf(page)).center());
    };
    f.focus("edt_nome");
    clickTab(w.TabSheet8);
    QCOMPARE(f.focusedName(), QStringLiteral("edt_escolaridade"));
    QCOMPARE(f.highlighted(), QStringList{"edt_escolaridade"});
    f.focus("edt_escola");
    clickTab(w.TabSheet9);
    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet9);
    clickTab(w.TabSheet8);
    QCOMPARE(f.focusedName(), QStringLiteral("edt_escolaridade"));
}

void ActionsTest::webcamButtonShowsTheWebcamWindowModally()
{
    FormFixture f;
    Tfrm_foto webcam;
    QWidget* modal = nullptr;
    QTimer::singleShot(0, &webcam, [&] {
        modal = QApplication::activeModalWidget();
        webcam.reject();
    });
    f.form->BitBtn1->click();
    QCOMPARE(modal, static_cast<QWidget*>(&webcam));
    QCOMPARE(f.form->Image1->kind(), ui::PictureKind::Empty);
}

void ActionsTest::pictureFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("format"); // the photo's format once loaded, empty when refused
    QTest::addColumn<QString>("message");   // a part of the error box's text
    const QImage green = solid(Qt::green);
    QTest::newRow("a JPEG file becomes the photo")
        << "foto.jpg" << encoded(green, "JPEG") << QByteArray("JPEG") << QString();
    QTest::newRow("a bitmap file becomes the photo")
        << "foto.bmp" << encoded(green, "BMP") << QByteArray("BMP") << QString();
    QTest::newRow("a JPEG with the extension in capitals becomes the photo")
        << "FOTO.JPEG" << encoded(green, "JPEG") << QByteArray("JPEG") << QString();
    QTest::newRow("a PNG picture named .jpg is read by its content")
        << "foto.jpg" << encoded(green, "PNG") << QByteArray("PNG") << QString();
    QTest::newRow("a text file named .jpg is refused")
        << "foto.jpg" << QByteArray("isto não é uma foto\n") << QByteArray() << "não é uma imagem";
    QTest::newRow("an empty file is refused")
        << "vazio.bmp" << QByteArray() << QByteArray() << "não é uma imagem";
    QTest::newRow("a small PNG claiming 100000 x 100000 pixels is refused before decoding")
        << "enorme.png" << pngClaiming(100000, 100000) << QByteArray()
        << "grande demais para ser usada como foto (100000 × 100000";
    QTest::newRow("a small bitmap claiming 16000 x 16000 pixels is refused before decoding")
        << "enorme.bmp" << bmpClaiming(16000, 16000) << QByteArray()
        << "grande demais para ser usada como foto (16000 × 16000";
    QTest::newRow("a bitmap header beyond what the decoder takes is refused")
        << "absurda.bmp" << bmpClaiming(100000, 100000) << QByteArray() << "não pôde ser aberta";
    QTest::newRow("a small JPEG claiming 60000 x 60000 pixels is refused before decoding")
        << "enorme.jpg" << jpegClaiming(60000, 60000) << QByteArray()
        << "grande demais para ser usada como foto (60000 × 60000";
}

void ActionsTest::pictureFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, format);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    FormFixture f;
    TForm1& w = *f.form;
    const QImage webcamShot = solid(Qt::red, {8, 6});
    w.Image1->setBitmap(webcamShot);
    const ui::OpenFileDialog* asked = nullptr;
    ui::OpenFileDialog::setHook([&](const ui::OpenFileDialog& d) -> std::optional<QString> {
        asked = &d;
        return path;
    });

    w.BitBtn2->click();

    QCOMPARE(asked, w.OpenPictureDialog1);
    if (message.isEmpty()) {
        QVERIFY(f.dialogs.empty());
        QCOMPARE(w.Image1->kind(), ui::PictureKind::File);
        QCOMPARE(w.Image1->format(), format);
        QCOMPARE(w.Image1->encoded(), content);
        QCOMPARE(w.Image1->image().size(), QSize(40, 30));
        QCOMPARE(QColor(w.Image1->image().pixel(20, 15)).green() > 200, true);
    } else {
        QCOMPARE(f.dialogs.size(), size_t(1));
        QCOMPARE(f.dialogs[0].style, ui::DialogRequest::Style::Error);
        QVERIFY2(f.dialogs[0].text.contains(message), qPrintable(f.dialogs[0].text));
        QVERIFY2(f.dialogs[0].text.contains(fileName), qPrintable(f.dialogs[0].text));
        QCOMPARE(w.Image1->kind(), ui::PictureKind::Bitmap);
        QCOMPARE(w.Image1->image(), webcamShot);
    }
}

void ActionsTest::cancellingThePictureDialogKeepsThePhoto()
{
    FormFixture f;
    TForm1& w = *f.form;
    w.Image1->setBitmap(solid(Qt::red));
    QString title, firstFilter;
    int filterIndex = 0;
    ui::OpenFileDialog::setHook([&](const ui::OpenFileDialog& d) -> std::optional<QString> {
        title = d.title;
        firstFilter = d.nameFilters().value(0);
        filterIndex = d.filterIndex;
        return std::nullopt;
    });
    w.BitBtn2->click();
    QCOMPARE(title, QStringLiteral("Escolha uma Foto para o seu Curriculo!"));
    QVERIFY2(firstFilter.startsWith("All (*.jpg "), qPrintable(firstFilter));
    QCOMPARE(filterIndex, 1);
    QCOMPARE(w.Image1->kind(), ui::PictureKind::Bitmap);
    QVERIFY(f.dialogs.empty());
}

void ActionsTest::excluirFotoEmptiesThePhoto_data()
{
    QTest::addColumn<bool>("withPhoto");
    QTest::newRow("with a photo from a file") << true;
    QTest::newRow("with no photo") << false;
}

void ActionsTest::excluirFotoEmptiesThePhoto()
{
    QFETCH(bool, withPhoto);
    FormFixture f;
    TForm1& w = *f.form;
    if (withPhoto)
        w.Image1->setFilePicture(solid(Qt::green), encoded(solid(Qt::green), "JPEG"), "JPEG");
    w.BitBtn5->click();
    QVERIFY(w.Image1->isEmpty());
    QCOMPARE(w.Image1->kind(), ui::PictureKind::Empty);
    QVERIFY(f.dialogs.empty());
}

QTEST_MAIN(ActionsTest)
#include "tst_actions.moc"

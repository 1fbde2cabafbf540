// Data files of the entry form: saved and reopened through the menu, every refusal of the
// reader with the form left as it was, and the fields' length limits.
#include "FormState.h"

#include "FormBinding.h"
#include "FormSample.h"
#include "Unit1.h"

#include "ui/Dialogs.h"
#include "ui/OpenFileDialog.h"
#include "ui/PictureBox.h"
#include "ui/SaveFileDialog.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

const QString kSamples = QStringLiteral(SOVRANEL_SAMPLES_DIR);

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The largest difference of one colour channel between two pictures of the same size.
int largestDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

QByteArray jpegOf(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return out;
}

// A real JPEG whose header claims 30000 × 30000 pixels.
QByteArray hugeClaimingJpeg()
{
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray bytes = jpegOf(small);
    for (int i = 0; i + 8 < bytes.size(); ++i)
        if (uchar(bytes[i]) == 0xFF && (uchar(bytes[i + 1]) == 0xC0 || uchar(bytes[i + 1]) == 0xC2)) {
            for (int at : {i + 5, i + 7}) {
                bytes[at] = char(30000 >> 8);
                bytes[at + 1] = char(30000 & 0xFF);
            }
            break;
        }
    return bytes;
}

QString base64Of(const QByteArray& bytes) { return QString::fromLatin1(bytes.toBase64()); }

} // namespace

class DataFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void aSavedDataFileReopensIntoTheSameForm_data();
    void aSavedDataFileReopensIntoTheSameForm();
    void theSaveDialogProposesTheNameWithoutPathSeparators_data();
    void theSaveDialogProposesTheNameWithoutPathSeparators();
    void aFileThatCannotBeTakenLeavesTheFormAsItWas_data();
    void aFileThatCannotBeTakenLeavesTheFormAsItWas();
    void replacingAFilledFormAsksFirst();
    void novoBringsEveryControlBackToItsStartValue();
    void theCommandsAnswerTheirShortcuts_data();
    void theCommandsAnswerTheirShortcuts();
    void typingAndPastingStopAtTheFieldsLimit_data();
    void typingAndPastingStopAtTheFieldsLimit();

  private:
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<ui::DialogRequest> m_dialogs;
    ui::DialogButton m_answer = ui::DialogButton::Yes;
    QString m_savedTo, m_proposed, m_openFrom;

    void save() { m_form->SalvarDados1->trigger(); }
    void open(const QString& path)
    {
        m_openFrom = path;
        m_form->AbrirDados1->trigger();
    }
};

void DataFilesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs.clear();
    m_answer = ui::DialogButton::Yes;
    ui::setDialogHook([this](const ui::DialogRequest& r) {
        m_dialogs.push_back(r);
        return r.buttons == int(ui::DialogButton::Ok) ? ui::DialogButton::Ok : m_answer;
    });
    ui::SaveFileDialog::setHook([this](const ui::SaveFileDialog& d) -> std::optional<QString> {
        m_proposed = d.proposed;
        return m_savedTo;
    });
    ui::OpenFileDialog::setHook(
        [this](const ui::OpenFileDialog&) -> std::optional<QString> { return m_openFrom; });
    m_savedTo = m_dir->filePath(QStringLiteral("dados.json"));
    Environment env; // off line, no capture devices
    env.videoSource = {};
    m_form = std::make_unique<TForm1>(env);
    m_form->show();
}

void DataFilesTest::cleanup()
{
    m_form.reset();
    ui::setDialogHook({});
    ui::SaveFileDialog::setHook({});
    ui::OpenFileDialog::setHook({});
}

void DataFilesTest::aSavedDataFileReopensIntoTheSameForm_data()
{
    QTest::addColumn<QByteArray>("onTop");
    QTest::newRow("the full sample") << QByteArray("{}");
    // Accents, line breaks and exactly the sentence's 150 characters.
    const QString sentence =
        QStringLiteral("Atenção: disponível já.\nSegunda linha, çãõ!\n").leftJustified(150, u'é');
    QTest::newRow("the own sentence, 150 characters with line breaks")
        << QJsonDocument(QJsonObject{{"frase4", true}, {"frase", sentence}, {"edt_tel2", "(  )9876-5432"}})
               .toJson();
}

void DataFilesTest::aSavedDataFileReopensIntoTheSameForm()
{
    QFETCH(QByteArray, onTop);
    fillFormFromFile(*m_form, kSamples + QStringLiteral("/full.json"));
    fillForm(*m_form, QJsonDocument::fromJson(onTop).object(), QDir(kSamples));
    const QMap<QString, QString> before = formState(*m_form);
    save();
    QVERIFY(QFile::exists(m_savedTo));
    QCOMPARE(ownerOnly(m_savedTo), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    m_form->formData().reset();
    QVERIFY(formState(*m_form) != before);
    open(m_savedTo);
    QCOMPARE(m_dialogs.size(), size_t(0)); // an empty form is replaced without a question
    QCOMPARE(formState(*m_form), before);
    const QImage original(kSamples + QStringLiteral("/foto.jpg"));
    const QImage& reopened = m_form->Image1->image();
    QCOMPARE(reopened.size(), original.size());
    QVERIFY2(largestDifference(reopened, original) <= 8, "the photo changed beyond JPEG tolerance");
    // Saving again writes the very same file: nothing drifts from one save to the next.
    const QByteArray first = fileBytes(m_savedTo);
    save();
    QCOMPARE(fileBytes(m_savedTo), first);
}

void DataFilesTest::theSaveDialogProposesTheNameWithoutPathSeparators_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("a name") << QStringLiteral("Maria Araújo") << QStringLiteral("Maria Araújo.json");
    QTest::newRow("separators") << QStringLiteral("../Ana/Maria\\") << QStringLiteral("..AnaMaria.json");
    QTest::newRow("only separators") << QStringLiteral(" / ") << QStringLiteral("curriculo.json");
    QTest::newRow("no name") << QString() << QStringLiteral("curriculo.json");
}

void DataFilesTest::theSaveDialogProposesTheNameWithoutPathSeparators()
{
    QFETCH(QString, name);
    QFETCH(QString, proposed);
    m_form->edt_nome->setText(name);
    m_savedTo.clear(); // the user cancels
    save();
    QCOMPARE(QFileInfo(m_proposed).fileName(), proposed);
}

void DataFilesTest::aFileThatCannotBeTakenLeavesTheFormAsItWas_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray full = fileBytes(kSamples + QStringLiteral("/full.json"));
    auto json = [](const QJsonObject& o) { return QJsonDocument(o).toJson(); };
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::blue);
    QByteArray pngBytes;
    QBuffer buffer(&pngBytes);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");

    QTest::newRow("over 16 MB") << QByteArray("@big") << QStringLiteral("o limite é 16 MB");
    QTest::newRow("truncated") << full.left(full.size() / 2)
                               << QStringLiteral("não é um arquivo de dados válido");
    QTest::newRow("a JPEG renamed .json") << fileBytes(kSamples + QStringLiteral("/foto.jpg"))
                                          << QStringLiteral("não é um arquivo de dados válido");
    QTest::newRow("not an object") << QByteArray("[1, 2]") << QStringLiteral("não é um objeto JSON");
    QTest::newRow("an unknown key") << json({{"edt_apelido", "Zé"}})
                                    << QStringLiteral("chave \"edt_apelido\": não é um campo do formulário");
    QTest::newRow("a name over its limit")
        << json({{"edt_nome", QString(2001, u'a')}})
        << QStringLiteral("chave \"edt_nome\": o texto tem 2001 caracteres, e o limite deste campo é 2000");
    QTest::newRow("a sentence over its limit")
        << json({{"frase", QString(151, u'a')}})
        << QStringLiteral("chave \"frase\": o texto tem 151 caracteres, e o limite deste campo é 150");
    QTest::newRow("a number for a text")
        << json({{"edt_nome", 12}}) << QStringLiteral("chave \"edt_nome\": esperava um texto");
    QTest::newRow("an option as text")
        << json({{"frase1", "sim"}}) << QStringLiteral("chave \"frase1\": esperava true ou false");
    QTest::newRow("a list text that is no item")
        << json({{"edt_cidade", "Outra"}, {"edt_sexo", "Outro"}})
        << QStringLiteral("chave \"edt_sexo\": \"Outro\" não é um item da lista");
    QTest::newRow("a day that does not exist")
        << json({{"edt_nasc", "1990-02-30"}})
        << QStringLiteral("chave \"edt_nasc\": \"1990-02-30\" não é uma data");
    QTest::newRow("a date outside the field's range")
        << json({{"edt_nasc", "1800-01-01"}})
        << QStringLiteral("chave \"edt_nasc\": a data 1800-01-01 está fora");
    QTest::newRow("a phone with letters")
        << json({{"edt_tel1", "11 abc"}}) << QStringLiteral("chave \"edt_tel1\": \"11 abc\" não é um número");
    QTest::newRow("a phone's digits with a line break after them")
        << json({{"edt_tel1", "1132564789\n"}})
        << QStringLiteral("chave \"edt_tel1\": \"1132564789\n\" não é");
    QTest::newRow("a date with a line break after it")
        << json({{"edt_nasc", "1990-03-14\n"}})
        << QStringLiteral("chave \"edt_nasc\": \"1990-03-14\n\" não é");
    QTest::newRow("a newer format") << json({{"formato", "sovranel-dados/2"}, {"edt_nome", "Zé"}})
                                    << QStringLiteral(
                                           "chave \"formato\": o arquivo é da versão 2 do formato");
    QTest::newRow("another format") << json({{"formato", "outro/1"}})
                                    << QStringLiteral("chave \"formato\": \"outro/1\" não é um formato");
    QTest::newRow("a photo that is not JPEG")
        << json({{"Image1", QJsonObject{{"jpeg", base64Of(pngBytes)}}}})
        << QStringLiteral("chave \"Image1\": O arquivo \"foto\" não é uma imagem");
    QTest::newRow("a photo over the picture bounds")
        << json({{"Image1", QJsonObject{{"jpeg", base64Of(hugeClaimingJpeg())}}}})
        << QStringLiteral("chave \"Image1\": A imagem \"foto\" é grande demais");
    QTest::newRow("a photo that is no base64")
        << json({{"Image1", QJsonObject{{"jpeg", "não é base64!"}}}})
        << QStringLiteral("chave \"Image1\": a foto não está em base64");
    QTest::newRow("a photo outside the file's folder")
        << json({{"Image1", kSamples + QStringLiteral("/foto.jpg")}})
        << QStringLiteral("chave \"Image1\": a foto deve estar na pasta do arquivo");
}

void DataFilesTest::aFileThatCannotBeTakenLeavesTheFormAsItWas()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    fillFormFromFile(*m_form, kSamples + QStringLiteral("/full.json"));
    const QMap<QString, QString> before = formState(*m_form);
    const QImage photo = m_form->Image1->image();
    const QString path = m_dir->filePath(QStringLiteral("ruim.json"));
    if (content == "@big") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(16LL * 1024 * 1024 + 1));
    } else {
        writeFile(path, content);
    }
    open(path);
    QCOMPARE(m_dialogs.size(), size_t(1));
    QCOMPARE(m_dialogs[0].style, ui::DialogRequest::Style::Error);
    QVERIFY2(m_dialogs[0].text.startsWith(
                 QStringLiteral("Os dados do currículo \"ruim.json\" não podem ser abertos")),
             qPrintable(m_dialogs[0].text));
    QVERIFY2(m_dialogs[0].text.contains(message), qPrintable(m_dialogs[0].text));
    QCOMPARE(formState(*m_form), before);
    QCOMPARE(m_form->Image1->image(), photo);
}

void DataFilesTest::replacingAFilledFormAsksFirst()
{
    writeFile(m_dir->filePath(QStringLiteral("outro.json")), R"({"edt_nome": "Outra Pessoa"})");
    m_form->edt_cidade->setText(QStringLiteral("Recife"));
    m_answer = ui::DialogButton::No;
    open(m_dir->filePath(QStringLiteral("outro.json")));
    QCOMPARE(m_dialogs.size(), size_t(1));
    QCOMPARE(m_dialogs[0].text, QStringLiteral("Deseja substituir os dados do formulário?"));
    QCOMPARE(m_dialogs[0].defaultButton, ui::DialogButton::No);
    QCOMPARE(m_form->edt_cidade->text(), QStringLiteral("Recife"));
    m_answer = ui::DialogButton::Yes;
    open(m_dir->filePath(QStringLiteral("outro.json")));
    QCOMPARE(m_form->edt_nome->text(), QStringLiteral("Outra Pessoa"));
    QCOMPARE(m_form->edt_cidade->text(), QString()); // replaced, not merged
}

void DataFilesTest::novoBringsEveryControlBackToItsStartValue()
{
    const QMap<QString, QString> start = formState(*m_form);
    fillFormFromFile(*m_form, kSamples + QStringLiteral("/full.json"));
    fillForm(*m_form, QJsonObject{{"frase4", true}, {"frase", "Minha frase"}}, QDir(kSamples));
    m_answer = ui::DialogButton::No;
    m_form->NovoCurrculo1->trigger();
    QCOMPARE(m_dialogs.back().text, QStringLiteral("Deseja apagar todos os dados do formulário?"));
    QCOMPARE(m_dialogs.back().defaultButton, ui::DialogButton::No);
    QCOMPARE(m_form->edt_nome->text(), QStringLiteral("Maria da Conceição Araújo"));
    m_answer = ui::DialogButton::Yes;
    m_form->NovoCurrculo1->trigger();
    QCOMPARE(formState(*m_form), start);
    QVERIFY(m_form->Image1->isEmpty());
    QVERIFY(!m_form->formData().holdsData());
}

void DataFilesTest::theCommandsAnswerTheirShortcuts_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("asked");
    QTest::newRow("Novo Currículo") << QStringLiteral("Ctrl+N") << QStringLiteral("question");
    QTest::newRow("Salvar Dados") << QStringLiteral("Ctrl+S") << QStringLiteral("save dialog");
    QTest::newRow("Abrir Dados") << QStringLiteral("Ctrl+O") << QStringLiteral("open dialog");
}

void DataFilesTest::theCommandsAnswerTheirShortcuts()
{
    QFETCH(QString, keys);
    QFETCH(QString, asked);
    QString seen;
    ui::SaveFileDialog::setHook([&](const ui::SaveFileDialog&) -> std::optional<QString> {
        seen = QStringLiteral("save dialog");
        return std::nullopt;
    });
    ui::OpenFileDialog::setHook([&](const ui::OpenFileDialog&) -> std::optional<QString> {
        seen = QStringLiteral("open dialog");
        return std::nullopt;
    });
    m_answer = ui::DialogButton::No;
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->edt_nome->setFocus();
    QTest::keySequence(m_form.get(), QKeySequence(keys));
    if (!m_dialogs.empty())
        seen = QStringLiteral("question");
    QCOMPARE(seen, asked);
}

void DataFilesTest::typingAndPastingStopAtTheFieldsLimit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::newRow("the name") << QStringLiteral("edt_nome") << 2000;
    QTest::newRow("a course's school") << QStringLiteral("edt_cuescola3") << 2000;
    QTest::newRow("the own sentence") << QStringLiteral("frase") << 150;
}

void DataFilesTest::typingAndPastingStopAtTheFieldsLimit()
{
    QFETCH(QString, name);
    QFETCH(int, limit);
    m_form->frase4->setChecked(true); // the sentence box takes text while its option is ticked
    QWidget* field = m_form->findChild<QWidget*>(name);
    QVERIFY(field);
    QGuiApplication::clipboard()->setText(QString(limit - 1, u'x') + QStringLiteral("yz"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(field, QStringLiteral("abc"));
    const QString text = name == QLatin1String("frase") ? m_form->frase->toPlainText()
                                                        : static_cast<QLineEdit*>(field)->text();
    QCOMPARE(text, QString(limit - 1, u'x') + QStringLiteral("y"));
}

QTEST_MAIN(DataFilesTest)
#include "tst_data_files.moc"

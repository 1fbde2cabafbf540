// The modern page layout as the main window fills it: what prints, in which order, in which
// lettering, and where the style and save dialogs take it.
#include "ModernTemplate.h"
#include "PageTexts.h"
#include "Program.h"
#include "SampleFill.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit6.h"
#include "Unit7.h"

#include "report/PreviewWindow.h"
#include "report/ReportFile.h"
#include "ui/ColourBox.h"
#include "ui/Dialogs.h"
#include "ui/FolderList.h"
#include "ui/PictureBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using report::PreparedPages;
using report::TextItem;

namespace {

const QString kArial = QStringLiteral("Arial");
constexpr double kMargin = 37.8;

// What a generation does before its preview, in a layout.
PreparedPages generate(PageLayout layout, const QString& font = kArial, const QColor& colour = Qt::black,
                       bool counter = true)
{
    FillOptions options;
    options.fontName = font;
    options.colour = colour;
    options.pageCounter = counter;
    options.layout = layout;
    Form1->prepareResume(options);
    return Form1->filledReport().prepare();
}

const TextItem* find(const PreparedPages& pages, const QString& text)
{
    for (const TextItem* t : textItems(pages))
        if (t->text == text)
            return t;
    return nullptr;
}

bool isFooter(const TextItem* t)
{
    return t->text == QLatin1String("Sovranel 3.1") || t->text.startsWith("página ");
}

const QStringList kHeadings = {"Experiência Profissional", "Formação", "Cursos", "Informações Adicionais"};

} // namespace

class ModernLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init()
    {
        Environment env;
        env.videoSource = {}; // no capture devices
        createWindows(env);
    }
    void cleanup() { destroyWindows(); }

    void theFullSampleLeadsWithTheNameAndKeepsTheSectionOrder();
    void whatIsEmptyIsLeftOut_data();
    void whatIsEmptyIsLeftOut();
    void jobDatesReadAsARange_data();
    void jobDatesReadAsARange();
    void theLetteringModelReachesTheBodyUnlessItIsAScript_data();
    void theLetteringModelReachesTheBodyUnlessItIsAScript();
    void theFullSampleTakesFewerPagesThanTheClassicForm();
    void longTextsWrapInsideTheMarginsAndAHeadingNeverEndsAPage();
    void aSecondFillingShowsNothingOfTheFirst();
    void theFillingMarksEveryStageInOrder();
    void theStyleDialogChoosesTheLayoutAndTheSaveFollowsIt();

  private:
    QTemporaryDir m_dir;
};

void ModernLayoutTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    // Every question the program asks answers No; a dialog nobody expected cannot hang a test.
    ui::setDialogHook([](const ui::DialogRequest&) { return ui::DialogButton::No; });
}

void ModernLayoutTest::theFullSampleLeadsWithTheNameAndKeepsTheSectionOrder()
{
    fill("@full");
    const PreparedPages p = generate(PageLayout::Moderno);
    const QStringList all = texts(p);
    const QStringList order = {
        "Maria da Conceição Araújo",
        "Gerente administrativa ou de loja",
        "(11)3256-4789  ·  (11)98765-4321  ·  maria.araujo@exemplo.com.br  ·  São Paulo/SP",
        "Nascimento: 14/03/1990  ·  Estado civil: Casado  ·  Naturalidade: São João del-Rei",
        "Experiência Profissional",
        "Gerente de loja",
        "02/2019 – 06/2024",
        "Padaria Pão de Açúcar Ltda.  ·  Tel. (11)3845-2210",
        "Coordenação de equipe com doze funcionários, caixa e fornecedores.",
        "Vendedora (primeiro emprego)",
        "desde 06/2008",
        "Formação",
        "Formação Superior – Administração de Empresas",
        "Universidade Católica de Santos",
        "Cursos",
        "Gestão de Pessoas e Liderança",
        "·  Fundação Getúlio Vargas  ·  6 Meses",
        "Certificado com carga horária de 120 horas.",
        "Primeiros Socorros",
        "Informações Adicionais",
        "Salário Pretendido: R$ 4.500,00 (ou a combinar)",
        "Carteira Profissional: 0012345 série 001-SP  ·  Título Eleitoral: 1234 5678 9012",
        "R.G.: 12.345.678-9  ·  C.P.F.: 123.456.789-09",
        "\"Coloco-me à disposição para uma entrevista ou possível contratação.\"",
        "Sovranel 3.1",
        "página 1 de 1",
    };
    const QString missing = missingInOrder(all, order);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing or out of order: \"%1\" in %2")
                                               .arg(missing, all.join(QStringLiteral(" | ")))));
    for (const QString& heading : kHeadings)
        QCOMPARE(all.count(heading), 1);
    // No product title, no address, no sex, no page frame.
    for (const char* gone : {"Sovranel Vitae", "Avenida Brigadeiro Faria Lima", "Pinheiros", "Feminino",
                             "Apartamento 52, bloco B", "Cargo Pretendido:"})
        QVERIFY2(!all.join(QLatin1Char('|')).contains(QString::fromUtf8(gone)), gone);
    QCOMPARE(countOf<report::FrameItem>(p), 0);

    // The name is the largest text, bold; the photo sits at the top right, no larger than the
    // classic form's; nothing lies outside the margins.
    const TextItem* name = find(p, QStringLiteral("Maria da Conceição Araújo"));
    QCOMPARE(name->font.pointSize, 20.0);
    QVERIFY(name->font.bold);
    for (const TextItem* t : textItems(p))
        QVERIFY2(t == name || t->font.pointSize < 20, qPrintable(t->text));
    QCOMPARE(countOf<report::ImageItem>(p), 1);
    for (const report::Item& item : p.pages[0].items) {
        if (auto* image = std::get_if<report::ImageItem>(&item)) {
            QVERIFY(image->rect.width() <= 129 && image->rect.height() <= 137);
            QCOMPARE(image->rect.right(), p.pageSize.width() - kMargin);
            QCOMPARE(image->rect.top(), kMargin);
            QVERIFY(name->rect.right() < image->rect.left());
        }
    }
    for (const TextItem* t : textItems(p)) {
        QVERIFY2(t->rect.left() >= kMargin - 0.01 && t->rect.right() <= p.pageSize.width() - kMargin + 0.01,
                 qPrintable(t->text));
        QVERIFY2(t->rect.top() >= kMargin - 0.01 && t->rect.bottom() <= p.pageSize.height() - kMargin + 0.01,
                 qPrintable(t->text));
    }
}

void ModernLayoutTest::whatIsEmptyIsLeftOut_data()
{
    QTest::addColumn<QByteArray>("sample");
    QTest::addColumn<QStringList>("present"); // in this order
    QTest::addColumn<QStringList>("absent");  // no text holds any of these
    QTest::addColumn<int>("images");

    QTest::newRow("an empty form prints its birth date, no phones, no heading and no full stop")
        << QByteArray("{}") << QStringList{"Nascimento: 01/01/1985", "Sovranel 3.1", "página 1 de 1"}
        << (kHeadings + QStringList{"(", "Estado civil", "Naturalidade", "\".\""}) << 0;
    QTest::newRow("no jobs: no experience heading")
        << QByteArray(
               R"({"edt_nome": "Ana", "edt_escolaridade": "2º Grau Completo", "edt_cucurso1": "Excel"})")
        << QStringList{"Ana", "Formação", "2º Grau Completo", "Cursos", "Excel"}
        << QStringList{"Experiência Profissional", "desde"} << 0;
    QTest::newRow("only job 3: the heading still prints, the company leads without a position")
        << QByteArray(R"({"edt_exnome3": "Oficina Três", "edt_exentrada3": "2015-02-01"})")
        << QStringList{"Experiência Profissional", "Oficina Três", "desde 02/2015"}
        << QStringList{"Tel.", "Cursos"} << 0;
    QTest::newRow("a job's empty phone and remark take no line")
        << QByteArray(R"({"edt_exnome1": "Loja", "edt_excargo1": "Caixa"})") << QStringList{"Caixa", "Loja"}
        << QStringList{"Tel.", "(  )"} << 0;
    QTest::newRow("no courses: no course heading")
        << QByteArray(R"({"edt_exnome1": "Loja", "edt_cuobs1": "sem curso"})") << QStringList{"Loja"}
        << QStringList{"Cursos", "sem curso"} << 0;
    QTest::newRow("only course 5: the heading still prints")
        << QByteArray(R"({"edt_cucurso5": "Curso Cinco", "edt_cuduracao5": "1 Ano"})")
        << QStringList{"Cursos", "Curso Cinco", "·  1 Ano"} << QStringList{} << 0;
    QTest::newRow("a photo prints at the top right")
        << QByteArray(R"({"Image1": "foto.jpg"})") << QStringList{} << QStringList{} << 1;
    QTest::newRow("only the voter card and the taxpayer number: nothing")
        << QByteArray(R"({"edt_te": "99887766", "edt_cpf": "111.222.333-44"})") << QStringList{}
        << QStringList{"Informações Adicionais", "99887766", "111.222.333-44"} << 0;
    QTest::newRow("only documents: the heading and the pairs that have their key")
        << QByteArray(R"({"edt_cp": "123", "edt_te": "456", "edt_cpf": "789"})")
        << QStringList{"Informações Adicionais", "Carteira Profissional: 123  ·  Título Eleitoral: 456"}
        << QStringList{"789", "Salário"} << 0;
    QTest::newRow("only the position sought: beneath the name, no additional information")
        << QByteArray(R"({"edt_nome": "Ana", "edt_cargo": "Vendedora"})") << QStringList{"Ana", "Vendedora"}
        << QStringList{"Informações Adicionais"} << 0;
    QTest::newRow("untouched phones print nothing, a number without its area code prints bare")
        << QByteArray(R"({"edt_tel2": "(  )3256-4789", "edt_email": "a@b.br"})")
        << QStringList{"3256-4789  ·  a@b.br"} << QStringList{"("} << 0;
    QTest::newRow("an own sentence left empty prints nothing")
        << QByteArray(R"({"frase4": true})") << QStringList{} << QStringList{"\""} << 0;
}

void ModernLayoutTest::whatIsEmptyIsLeftOut()
{
    QFETCH(QByteArray, sample);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(int, images);

    fill(sample);
    const PreparedPages p = generate(PageLayout::Moderno);
    const QStringList all = texts(p);
    const QString missing = missingInOrder(all, present);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing or out of order: \"%1\" in %2")
                                               .arg(missing, all.join(QStringLiteral(" | ")))));
    for (const QString& a : absent)
        for (const QString& t : all)
            QVERIFY2(!t.contains(a), qPrintable(QStringLiteral("\"%1\" in \"%2\"").arg(a, t)));
    QCOMPARE(countOf<report::ImageItem>(p), images);
    QCOMPARE(p.pageCount(), 1);
    // A heading prints once, however many blocks the section has.
    for (const QString& heading : kHeadings)
        QVERIFY(all.count(heading) <= 1);
}

void ModernLayoutTest::jobDatesReadAsARange_data()
{
    QTest::addColumn<QByteArray>("sample");
    QTest::addColumn<QString>("dates");
    QTest::newRow("with the exit date ticked")
        << QByteArray(R"({"edt_exnome1": "A", "edt_exentrada1": "2015-02-10", "informar_saida": true,
                          "edt_exsaida1": "2019-03-31"})")
        << QStringLiteral("02/2015 – 03/2019");
    QTest::newRow("without an exit date the job reads as going on")
        << QByteArray(R"({"edt_exnome2": "B", "edt_exentrada2": "2015-02-10"})")
        << QStringLiteral("desde 02/2015");
    QTest::newRow("an exit date typed but not ticked does not print")
        << QByteArray(R"({"edt_exnome4": "D", "edt_exentrada4": "2015-02-10", "edt_exsaida4": "2019-03-31"})")
        << QStringLiteral("desde 02/2015");
}

void ModernLayoutTest::jobDatesReadAsARange()
{
    QFETCH(QByteArray, sample);
    QFETCH(QString, dates);
    fill(sample);
    const PreparedPages p = generate(PageLayout::Moderno);
    const TextItem* t = find(p, dates);
    QVERIFY2(t, qPrintable(texts(p).join(QStringLiteral(" | "))));
    // Right-aligned at the band's right edge.
    QVERIFY(t->flags & Qt::AlignRight);
    QCOMPARE(t->rect.right(), p.pageSize.width() - kMargin);
}

void ModernLayoutTest::theLetteringModelReachesTheBodyUnlessItIsAScript_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("body");
    QTest::newRow("model 1") << QStringLiteral("Arial") << kArial;
    QTest::newRow("model 2, a script") << QStringLiteral("Monotype Corsiva") << kArial;
    QTest::newRow("model 3, a script") << QStringLiteral("Brush Script MT") << kArial;
    QTest::newRow("another face goes to the body too")
        << QStringLiteral("Liberation Serif") << QStringLiteral("Liberation Serif");
}

void ModernLayoutTest::theLetteringModelReachesTheBodyUnlessItIsAScript()
{
    QFETCH(QString, font);
    QFETCH(QString, body);
    fill("@full");
    const QColor red(Qt::red);
    const PreparedPages p = generate(PageLayout::Moderno, font, red);
    const TextItem* name = find(p, QStringLiteral("Maria da Conceição Araújo"));
    QCOMPARE(name->font.family, font);
    QCOMPARE(name->colour, red);
    for (const QString& heading : kHeadings) {
        const TextItem* h = find(p, heading);
        QCOMPARE(h->font.family, font);
        QVERIFY(h->font.bold);
        QCOMPARE(h->colour, red);
    }
    for (const TextItem* t : textItems(p)) {
        if (t == name || kHeadings.contains(t->text))
            continue;
        QCOMPARE(t->font.family, isFooter(t) ? kArial : body);
        QVERIFY2(t->colour != red, qPrintable(t->text)); // the body stays dark
    }
    for (const report::Item& item : p.pages[0].items)
        if (auto* rule = std::get_if<report::LineItem>(&item))
            QCOMPARE(rule->colour, red);
}

void ModernLayoutTest::theFullSampleTakesFewerPagesThanTheClassicForm()
{
    fill("@full");
    const int classic = generate(PageLayout::Classico).pageCount();
    const int modern = generate(PageLayout::Moderno).pageCount();
    QCOMPARE(classic, 2);
    QVERIFY2(modern < classic, qPrintable(QString::number(modern)));
    // The classic form is still there as it was, and fills as before.
    QVERIFY(texts(generate(PageLayout::Classico)).contains(QStringLiteral("Sovranel Vitae")));
    QCOMPARE(Form1->filledReport().title, QStringLiteral("Curriculo de Maria da Conceição Araújo"));
}

void ModernLayoutTest::longTextsWrapInsideTheMarginsAndAHeadingNeverEndsAPage()
{
    fill("@full");
    QString remark;
    while (remark.size() < 900)
        remark += QStringLiteral("Atendimento, caixa, estoque, fornecedores e treinamento de equipe. ");
    for (int n = 1; n <= 5; ++n)
        fill(QStringLiteral(R"({"edt_exobs%1": "%2", "edt_cuobs%1": "%2"})").arg(n).arg(remark).toUtf8());
    const QString name =
        QStringLiteral("Maria da Conceição Aparecida dos Santos Araújo de Albuquerque Figueiredo");
    const QString course = QStringLiteral(
        "Técnicas de Atendimento, Vendas, Negociação e Fidelização de Clientes no Varejo Moderno");
    fill(QStringLiteral(R"({"edt_nome": "%1", "edt_cucurso2": "%2"})").arg(name, course).toUtf8());
    const PreparedPages p = generate(PageLayout::Moderno);
    QVERIFY2(p.pageCount() >= 2, qPrintable(QString::number(p.pageCount())));
    QString words;
    for (const TextItem* t : textItems(p)) {
        QVERIFY2(t->rect.left() >= kMargin - 0.01 && t->rect.right() <= p.pageSize.width() - kMargin + 0.01,
                 qPrintable(t->text));
        QVERIFY2(t->rect.bottom() <= p.pageSize.height() - kMargin + 0.01, qPrintable(t->text));
        words += t->text + QLatin1Char(' ');
    }
    // Nothing lost: the long name wraps beside the photo, the course's school goes to a line
    // of its own.
    QVERIFY2(words.simplified().contains(name), qPrintable(words));
    QVERIFY(words.contains(QStringLiteral("Senac São Paulo  ·  3 Meses")));
    for (const TextItem* t : textItems(p, 0))
        if (t->font.pointSize == 20)
            QVERIFY2(t->rect.right() < p.pageSize.width() - kMargin - 96, qPrintable(t->text));
    QCOMPARE(words.simplified().count(remark.simplified()), 10);
    for (int page = 0; page < p.pageCount(); ++page) {
        const auto items = textItems(p, page);
        for (size_t i = 0; i < items.size(); ++i)
            if (kHeadings.contains(items[i]->text))
                QVERIFY2(i + 1 < items.size() && !isFooter(items[i + 1]), qPrintable(items[i]->text));
        QCOMPARE(items.back()->text, QStringLiteral("página %1 de %2").arg(page + 1).arg(p.pageCount()));
    }
    // Without the counter the footer keeps the product name alone.
    const PreparedPages quiet = generate(PageLayout::Moderno, kArial, Qt::black, false);
    for (int page = 0; page < quiet.pageCount(); ++page)
        QCOMPARE(texts(quiet, page).last(), QStringLiteral("Sovranel 3.1"));
}

void ModernLayoutTest::aSecondFillingShowsNothingOfTheFirst()
{
    fill(R"({"edt_nome": "Primeiro", "edt_exnome1": "Empresa A", "edt_cp": "111", "frase2": true,
             "Image1": "foto.jpg"})");
    generate(PageLayout::Moderno);
    fill(R"({"edt_nome": "Segundo", "edt_exnome1": "", "edt_exnome2": "Empresa B", "edt_cp": "",
             "frase2": false})");
    Form1->Image1->clear();
    const PreparedPages p = generate(PageLayout::Moderno);
    const QString all = texts(p).join('|');
    for (const char* gone : {"Primeiro", "Empresa A", "111", "Busco novas"})
        QVERIFY2(!all.contains(QString::fromUtf8(gone)), gone);
    for (const char* shown : {"Segundo", "Empresa B", "Experiência Profissional"})
        QVERIFY2(all.contains(QString::fromUtf8(shown)), shown);
    QCOMPARE(countOf<report::ImageItem>(p), 0);
}

// The progress bars of the generation and the save follow these stages.
void ModernLayoutTest::theFillingMarksEveryStageInOrder()
{
    fill("@full");
    QList<int> stages;
    FillOptions options;
    options.layout = PageLayout::Moderno;
    options.progress = [&](FillStage s) { stages << int(s); };
    Form1->PreencherCurriculo(options);
    QList<int> expected;
    for (int s = int(FillStage::Font); s <= int(FillStage::Sentence); ++s)
        expected << s;
    QCOMPARE(stages, expected);
}

void ModernLayoutTest::theStyleDialogChoosesTheLayoutAndTheSaveFollowsIt()
{
    QVERIFY(impressao->Layout1->isChecked());
    QVERIFY(!impressao->Layout2->isChecked());
    QCOMPARE(impressao->layout(), PageLayout::Classico);
    // The dialog grew below its other controls, which stay where they were.
    QCOMPARE(impressao->BitBtn1->geometry(), QRect(448, 272, 123, 41));
    QVERIFY(impressao->Layout2->geometry().bottom() < impressao->height());

    fill(R"({"edt_nome": "Ana Lúcia", "edt_exnome1": "Loja"})");
    impressao->show();
    QVERIFY(QTest::qWaitForWindowExposed(impressao));
    QTest::mouseClick(impressao->Image5, Qt::LeftButton);
    QVERIFY(impressao->Layout2->isChecked());
    QCOMPARE(impressao->layout(), PageLayout::Moderno);

    QStringList previewed;
    QTimer::singleShot(0, this, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* preview = qobject_cast<report::PreviewWindow*>(w); preview && preview->isVisible()) {
                previewed = texts(Form1->filledReport().prepare());
                preview->close();
            }
    });
    impressao->BitBtn1->click();
    QVERIFY(previewed.contains(QStringLiteral("Experiência Profissional")));
    QVERIFY(!previewed.contains(QStringLiteral("Sovranel Vitae")));

    // The save dialog prints in the layout the style dialog holds.
    frm_salvar->lista->setFolder(m_dir.path());
    frm_salvar->BitBtn1->click();
    const QStringList saved = texts(report::loadReportFile(m_dir.filePath(QStringLiteral("Ana Lúcia.QRP"))));
    QVERIFY2(saved.contains(QStringLiteral("Experiência Profissional")), qPrintable(saved.join('|')));
    QVERIFY(!saved.contains(QStringLiteral("Sovranel Vitae")));
    QVERIFY(saved.contains(QStringLiteral("página 1 de 1")));

    QTest::mouseClick(impressao->Image4, Qt::LeftButton);
    QCOMPARE(impressao->layout(), PageLayout::Classico);
}

QTEST_MAIN(ModernLayoutTest)
#include "tst_modern_layout.moc"

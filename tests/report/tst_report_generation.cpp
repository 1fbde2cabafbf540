// The résumé report as the main window makes it: the filling of the template from the entry
// fields, the page total, the title, the two generation commands and the outputs.
#include "PageTexts.h"
#include "Program.h"
#include "SampleFill.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit6.h"

#include "report/Output.h"
#include "report/PreviewWindow.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Counts = QHash<QString, int>;
using report::PreparedPages;
using report::TextItem;

namespace {

// What the generation command does before its preview.
PreparedPages generate()
{
    Form1->prepareResume(FillOptions()); // Arial, black, with the page counter
    return Curriculo->report().prepare();
}

// The texts on the line of the `nth` "Telefone:" title, left to right.
QString phoneLine(const PreparedPages& pages, int nth)
{
    std::vector<const TextItem*> items = textItems(pages);
    const TextItem* title = nullptr;
    for (const TextItem* t : items)
        if (t->text == QLatin1String("Telefone:") && nth-- == 0) {
            title = t;
            break;
        }
    if (!title)
        return QStringLiteral("<no line>");
    std::vector<const TextItem*> line;
    for (const TextItem* t : items)
        if (std::abs(t->rect.top() - title->rect.top()) < 0.5 &&
            std::abs(t->rect.left() - title->rect.left()) < 400)
            line.push_back(t);
    std::sort(line.begin(), line.end(),
              [](const TextItem* a, const TextItem* b) { return a->rect.left() < b->rect.left(); });
    QStringList out;
    for (size_t i = 0; i < line.size(); ++i) {
        // A longer number pushes what follows it instead of running into it.
        if (i > 0 && line[i]->rect.left() < line[i - 1]->rect.right() - 0.01)
            return QStringLiteral("<\"%1\" overlaps \"%2\">").arg(line[i - 1]->text, line[i]->text);
        out << line[i]->text;
    }
    return out.join(QLatin1Char(' '));
}

// The first fault of the pages' geometry, or empty: every item inside its page's frame, and no
// text over another text or over a picture.
QString geometryFault(const PreparedPages& pages)
{
    constexpr double e = 0.01;
    for (int p = 0; p < pages.pageCount(); ++p) {
        QRectF frame;
        std::vector<std::pair<QRectF, QString>> boxes; // texts and pictures
        for (const report::Item& item : pages.pages[size_t(p)].items)
            if (auto* f = std::get_if<report::FrameItem>(&item))
                frame = f->rect;
        const QRectF inside = frame.adjusted(-e, -e, e, e);
        for (const report::Item& item : pages.pages[size_t(p)].items) {
            const QString where = QStringLiteral("page %1: ").arg(p + 1);
            if (auto* t = std::get_if<TextItem>(&item)) {
                if (!inside.contains(t->rect))
                    return where + QStringLiteral("\"%1\" outside the frame").arg(t->text);
                boxes.emplace_back(t->rect, t->text);
            } else if (auto* i = std::get_if<report::ImageItem>(&item)) {
                if (!inside.contains(i->rect))
                    return where + QStringLiteral("a picture outside the frame");
                boxes.emplace_back(i->rect, QStringLiteral("[picture]"));
            } else if (auto* l = std::get_if<report::LineItem>(&item)) {
                if (!inside.contains(l->line.p1()) || !inside.contains(l->line.p2()))
                    return where + QStringLiteral("a line outside the frame");
            }
        }
        for (size_t a = 0; a < boxes.size(); ++a)
            for (size_t b = a + 1; b < boxes.size(); ++b)
                if (boxes[a].first.adjusted(e, e, -e, -e).intersects(boxes[b].first.adjusted(e, e, -e, -e)))
                    return QStringLiteral("page %1: \"%2\" over \"%3\"")
                        .arg(p + 1)
                        .arg(boxes[a].second, boxes[b].second);
    }
    return QString();
}

// The largest empty stretch between two things on a page, the room above the footer aside.
double largestGap(const PreparedPages& pages, int* page)
{
    double largest = 0;
    for (int p = 0; p < pages.pageCount(); ++p) {
        std::vector<std::pair<double, double>> spans;
        for (const report::Item& item : pages.pages[size_t(p)].items)
            std::visit(
                [&](const auto& i) {
                    using T = std::decay_t<decltype(i)>;
                    if constexpr (std::is_same_v<T, report::LineItem>)
                        spans.emplace_back(i.line.y1(), i.line.y1());
                    else if constexpr (!std::is_same_v<T, report::FrameItem>)
                        spans.emplace_back(i.rect.top(), i.rect.bottom());
                },
                item);
        std::sort(spans.begin(), spans.end());
        const double footer = spans.empty() ? 0 : spans.back().first - 0.01;
        double reach = spans.empty() ? 0 : spans.front().second;
        for (const auto& [top, bottom] : spans) {
            if (top >= footer)
                break;
            if (top - reach > largest) {
                largest = top - reach;
                *page = p + 1;
            }
            reach = std::max(reach, bottom);
        }
    }
    return largest;
}

// Every text of the pages run together without blanks, as a reader takes in the lines.
QString runningText(const PreparedPages& pages)
{
    return texts(pages).join(QString()).remove(QLatin1Char(' '));
}

template <class W> W* topLevel()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(w); found && found->isVisible())
            return found;
    return nullptr;
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class ReportGenerationTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void filling_data();
    void filling();
    void theFooterCountsThePagesOnEveryPage();
    void thePageTotalFollowsEachGeneration();
    void aSecondGenerationShowsNothingOfTheFirstButAnUnchosenSentence();
    void aLongRemarkWrapsAndPushesTheRestDown();
    void theStyleReachesEveryTextButTheFooterFont();
    void theSaveVariantColoursOnlyTheSectionLinesAndKeepsTheCounter();
    void theFillingMarksEveryStageInOrder();
    void answeringNoShowsTheProgressAndWaitsForAMaximizedPreview();
    void answeringYesOpensTheStyleDialogAndNothingElse();
    void thePdfAndHtmlHoldTheWholeResume();
    void longValuesStayWholeInsideTheFrame_data();
    void longValuesStayWholeInsideTheFrame();
    void longRemarksMakeBandsNoTallerThanTheirTexts_data();
    void longRemarksMakeBandsNoTallerThanTheirTexts();
    void theCounterKeepsItsTextsApartAtAnyPageCount();
    void anEmojiInTheNamePrintsAndTheRestOfTheLineStays();
    void aSampleThatTheFormCannotTakeNamesTheKey_data();
    void aSampleThatTheFormCannotTakeNamesTheKey();
    void phoneLines_data();
    void phoneLines();
    void aResumeWithoutPhonesHasNoEmptyTemplateInItsPdf();

  private:
    QList<ui::DialogRequest> m_asked;
    ui::DialogButton m_answer = ui::DialogButton::No;
};

void ReportGenerationTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    ui::setDialogHook([this](const ui::DialogRequest& r) {
        m_asked << r;
        return m_answer;
    });
}

void ReportGenerationTest::init()
{
    m_asked.clear();
    m_answer = ui::DialogButton::No;
    Environment env;
    env.videoSource = {}; // no capture devices
    createWindows(env);
}

void ReportGenerationTest::cleanup() { destroyWindows(); }

void ReportGenerationTest::filling_data()
{
    QTest::addColumn<QByteArray>("sample");
    QTest::addColumn<QStringList>("present"); // in this order
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lines"); // -1: not checked

    const QStringList headings = {QStringLiteral("Experiências Profissionais"),
                                  QStringLiteral("Escolaridade"), QStringLiteral("Cursos "),
                                  QStringLiteral("Informações Adicionais")};
    QTest::newRow("every entry field lands in its report label")
        << QByteArray("@full")
        << QStringList{"Sovranel Vitae",
                       "Nome:",
                       "Maria da Conceição Araújo",
                       "Nascimento:",
                       "14/03/1990",
                       "Sexo:",
                       "Feminino",
                       "Naturalidade:",
                       "São João del-Rei",
                       "Estado Civil:",
                       "Casado",
                       "Telefone:",
                       "(11)3256-4789",
                       "/",
                       "(11)98765-4321",
                       "Email:",
                       "maria.araujo@exemplo.com.br",
                       "Rua:",
                       "Avenida Brigadeiro Faria Lima",
                       "Número:",
                       "1.234",
                       "Complemento:",
                       "Apartamento 52, bloco B",
                       "Bairro:",
                       "Pinheiros",
                       "Cidade:",
                       "São Paulo",
                       "U.F.:",
                       "SP",
                       "Experiências Profissionais",
                       "Nome da Empresa:",
                       "Padaria Pão de Açúcar Ltda.",
                       "Cargo que ocupava:",
                       "Gerente de loja",
                       "Admissão:",
                       "01/02/2019",
                       "Demissão:",
                       "30/06/2024",
                       "Telefone:",
                       "(11)3845-2210",
                       "Observações:",
                       "Coordenação de equipe com doze funcionários, caixa e fornecedores.",
                       "Livraria Cultura e Ciência",
                       "02/06/2008",
                       "(11)3098-1122",
                       "Escolaridade",
                       "Escolaridade:",
                       "Formação Superior",
                       "Descrição:",
                       "Administração de Empresas",
                       "Escola / Instituto:",
                       "Universidade Católica de Santos",
                       "Cursos ",
                       "Descrição do Curso: ",
                       "Gestão de Pessoas e Liderança",
                       "Observações:",
                       "Certificado com carga horária de 120 horas.",
                       "Escola / Instituto:",
                       "Fundação Getúlio Vargas",
                       "Duração do Curso:",
                       "6 Meses",
                       "Primeiros Socorros",
                       "Cruz Vermelha Brasileira",
                       "2 Meses",
                       "Informações Adicionais",
                       "Carteira Profissional:",
                       "0012345 série 001-SP",
                       "Titulo Eleitoral:",
                       "1234 5678 9012",
                       "R.G.:",
                       "12.345.678-9",
                       "C.P.F.:",
                       "123.456.789-09",
                       "Cargo Pretendido:",
                       "Gerente administrativa ou de loja",
                       "Salário Pretendido:",
                       "R$ 4.500,00 (ou a combinar)",
                       "\"Coloco-me à disposição para uma entrevista ou possível contratação.\""}
        << QStringList{"nome", "empresa1", "."}
        << Counts{{"Demissão:", 4}, {"Nome da Empresa:", 5}, {"Descrição do Curso: ", 5}} << 2 << 13;
    QTest::newRow("an empty form on the first generation prints the title band, a full stop and 1 of 1")
        << QByteArray("{}")
        << QStringList{"Sovranel Vitae", "Nome:",  "Nascimento:", "01/01/1985", "Telefone:", "U.F.:", ".",
                       "Sovranel 3.1",   "página", "1",           "de",         "1"}
        << headings + QStringList{"/", "(  )    -    "} << Counts{} << 1 << 1;
    QTest::newRow("experience 2 without experience 1 prints without the heading")
        << QByteArray(R"({"edt_exnome2": "Oficina Dois"})") << QStringList{"Nome da Empresa:", "Oficina Dois"}
        << QStringList{"Experiências Profissionais"} << Counts{{"Nome da Empresa:", 1}} << 1 << 2;
    QTest::newRow("an unticked exit option hides the exit title and date")
        << QByteArray(R"({"edt_exnome1": "A1", "edt_exsaida1": "2020-01-02"})")
        << QStringList{"A1", "Admissão:"} << QStringList{"Demissão:", "02/01/2020"} << Counts{} << 1 << -1;
    QTest::newRow("a ticked exit option prints its title and date")
        << QByteArray(R"({"edt_exnome1": "A1", "informar_saida": true, "edt_exsaida1": "2020-01-02"})")
        << QStringList{"Admissão:", "Demissão:", "02/01/2020"} << QStringList{} << Counts{} << 1 << -1;
    QTest::newRow("a ticked exit option with an untouched date prints the initial date")
        << QByteArray(R"({"edt_exnome3": "C", "informar_saida3": true})")
        << QStringList{"Demissão:", "24/05/2009"} << QStringList{"Experiências Profissionais"} << Counts{}
        << 1 << -1;
    QTest::newRow("course 5 prints on its own description when course 4 is empty")
        << QByteArray(R"({"edt_cucurso5": "Curso Cinco"})")
        << QStringList{"Descrição do Curso: ", "Curso Cinco"} << QStringList{"Cursos "} << Counts{} << 1 << 2;
    QTest::newRow("course 5 without its description stays out when course 4 prints")
        << QByteArray(
               R"({"edt_cucurso4": "Curso Quatro", "edt_cuobs5": "Nota do quinto", "edt_cuduracao5": "1 Ano"})")
        << QStringList{"Curso Quatro"} << QStringList{"Nota do quinto", "1 Ano", "Cursos "}
        << Counts{{"Descrição do Curso: ", 1}} << 1 << 2;
    QTest::newRow("the voter card alone prints nothing")
        << QByteArray(R"({"edt_te": "99887766"})") << QStringList{}
        << QStringList{"Informações Adicionais", "Titulo Eleitoral:", "99887766"} << Counts{} << 1 << 1;
    QTest::newRow("the taxpayer number alone prints nothing")
        << QByteArray(R"({"edt_cpf": "111.222.333-44"})") << QStringList{}
        << QStringList{"Informações Adicionais", "C.P.F.:", "111.222.333-44"} << Counts{} << 1 << 1;
    QTest::newRow("the salary alone prints the heading, its line and the salary")
        << QByteArray(R"({"edt_salario": "R$ 2.000,00"})")
        << QStringList{"Informações Adicionais", "Salário Pretendido:", "R$ 2.000,00"}
        << QStringList{"Carteira Profissional:", "R.G.:", "Cargo Pretendido:"} << Counts{} << 1 << 2;
    QTest::newRow("the work book brings the voter card with it")
        << QByteArray(R"({"edt_cp": "123", "edt_te": "456"})")
        << QStringList{"Informações Adicionais", "Carteira Profissional:", "123", "Titulo Eleitoral:", "456"}
        << QStringList{"R.G.:"} << Counts{} << 1 << 2;
    QTest::newRow("the schooling band follows its level alone")
        << QByteArray(R"({"edt_curso": "Direito", "edt_escola": "USP"})") << QStringList{}
        << QStringList{"Escolaridade", "Direito", "USP"} << Counts{} << 1 << 1;
    QTest::newRow("an own sentence left empty prints its line and no text")
        << QByteArray(R"({"frase4": true})") << QStringList{"Sovranel Vitae"} << QStringList{"."} << Counts{}
        << 1 << 1;
    QTest::newRow("an own sentence prints as typed, its line breaks included")
        << QByteArray(R"({"frase4": true, "frase": "Primeira linha\nSegunda linha"})")
        << QStringList{"Primeira linha", "Segunda linha"} << QStringList{"."} << Counts{} << 1 << 1;
}

void ReportGenerationTest::filling()
{
    QFETCH(QByteArray, sample);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(Counts, counts);
    QFETCH(int, pages);
    QFETCH(int, lines);

    fill(sample);
    const PreparedPages p = generate();
    const QStringList all = texts(p);
    const QString missing = missingInOrder(all, present);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing or out of order: \"%1\" in %2")
                                               .arg(missing, all.join(QStringLiteral(" | ")))));
    for (const QString& a : absent)
        QVERIFY2(!all.contains(a), qPrintable(QStringLiteral("unexpected \"%1\"").arg(a)));
    for (auto it = counts.begin(); it != counts.end(); ++it)
        QCOMPARE(all.count(it.key()), it.value());
    QCOMPARE(p.pageCount(), pages);
    QCOMPARE(Curriculo->txt4->caption, QString::number(pages));
    if (lines >= 0)
        QCOMPARE(countOf<report::LineItem>(p), lines);
    // Nothing runs past the band's right edge or into the footer.
    for (const TextItem* t : textItems(p)) {
        QVERIFY2(t->rect.right() <= 793.7 - 37.8 + 0.01, qPrintable(t->text));
        QVERIFY2(t->text == QLatin1String("Sovranel 3.1") || t->text == QLatin1String("página") ||
                     t->text == QLatin1String("de") || t->rect.bottom() <= 1122.5 - 37.8 - 16 + 0.01 ||
                     t->rect.top() >= 1122.5 - 37.8 - 16,
                 qPrintable(t->text));
    }
}

void ReportGenerationTest::theFooterCountsThePagesOnEveryPage()
{
    fill("@full");
    const PreparedPages p = generate();
    QCOMPARE(p.pageCount(), 2);
    for (int page = 0; page < 2; ++page) {
        const QStringList t = texts(p, page);
        QCOMPARE(t.mid(t.size() - 5),
                 (QStringList{"Sovranel 3.1", "página", QString::number(page + 1), "de", "2"}));
    }
    QCOMPARE(p.title, QStringLiteral("Curriculo de Maria da Conceição Araújo"));
}

void ReportGenerationTest::thePageTotalFollowsEachGeneration()
{
    const QByteArray shorten = R"({"edt_exnome2": "", "edt_exnome3": "", "edt_exnome4": "", "edt_exnome5": "",
                                   "edt_cucurso2": "", "edt_cucurso3": "", "edt_cucurso4": "", "edt_cucurso5": "",
                                   "edt_cp": "", "edt_rg": "", "edt_cargo": "", "edt_salario": ""})";
    const QByteArray lengthen = R"({"edt_exnome2": "Dois", "edt_exnome3": "Três", "edt_exnome4": "Quatro",
                                    "edt_exnome5": "Cinco", "edt_cucurso2": "Dois", "edt_cucurso3": "Três"})";
    fill("@full");
    const struct {
        QByteArray change;
        int total;
    } steps[] = {{{}, 2}, {shorten, 1}, {lengthen, 2}, {{}, 2}};
    for (const auto& step : steps) {
        if (!step.change.isEmpty())
            fill(step.change);
        const PreparedPages p = generate();
        QCOMPARE(p.pageCount(), step.total);
        QCOMPARE(texts(p, 0).last(), QString::number(step.total));
        QCOMPARE(texts(p, p.pageCount() - 1).last(), QString::number(step.total));
    }
}

void ReportGenerationTest::aSecondGenerationShowsNothingOfTheFirstButAnUnchosenSentence()
{
    fill(R"({"edt_nome": "Primeiro", "edt_exnome1": "Empresa A", "edt_cucurso1": "Curso A", "edt_cp": "111",
             "edt_escolaridade": "2º Grau Completo", "frase2": true})");
    generate();
    fill(R"({"edt_nome": "Segundo", "edt_exnome1": "", "edt_exnome2": "Empresa B", "edt_cucurso1": "",
             "edt_cp": "", "edt_rg": "222", "frase2": false})");
    const QStringList all = texts(generate());
    for (const char* gone :
         {"Primeiro", "Empresa A", "Curso A", "111", "Carteira Profissional:", "Experiências Profissionais"})
        QVERIFY2(!all.contains(QString::fromUtf8(gone)), gone);
    for (const char* shown :
         {"Segundo", "Empresa B", "222", "2º Grau Completo",
          "\"Busco novas experiências e conhecimentos para ser um profissional qualificado.\""})
        QVERIFY2(all.contains(QString::fromUtf8(shown)), shown);
    QCOMPARE(Curriculo->report().title, QStringLiteral("Curriculo de Segundo"));
}

void ReportGenerationTest::aLongRemarkWrapsAndPushesTheRestDown()
{
    fill(R"({"edt_exnome1": "Empresa", "edt_exnome2": "Seguinte"})");
    const PreparedPages before = generate();
    QString remark;
    while (remark.size() < 600)
        remark += QStringLiteral("Responsável pelo atendimento, caixa e organização do estoque. ");
    remark = remark.left(600);
    Form1->experiencias[0].edt_exobs->setText(remark);
    const PreparedPages after = generate();

    QStringList lines;
    for (const TextItem* t : textItems(after))
        if (remark.contains(t->text) && t->text.size() > 3)
            lines << t->text;
    QVERIFY2(lines.size() >= 5, qPrintable(lines.join('|')));
    QCOMPARE(lines.join(QString()).remove(' '), QString(remark).remove(' '));
    auto topOf = [](const PreparedPages& p, const QString& text) {
        for (const TextItem* t : textItems(p))
            if (t->text == text)
                return t->rect.top();
        return -1.0;
    };
    const double grown = topOf(after, QStringLiteral("Seguinte")) - topOf(before, QStringLiteral("Seguinte"));
    QVERIFY2(grown >= (lines.size() - 1) * 14,
             qPrintable(QStringLiteral("%1 for %2 lines").arg(grown).arg(lines.size())));
    QCOMPARE(after.pageCount(), 1);
}

void ReportGenerationTest::theStyleReachesEveryTextButTheFooterFont()
{
    fill("@full");
    Form1->PreencherCurriculo(QStringLiteral("Brush Script MT"), Qt::red, false);
    Form1->TotalDePaginas();
    const PreparedPages p = Curriculo->report().prepare();
    QCOMPARE(p.pageCount(), 2);
    for (const TextItem* t : textItems(p)) {
        const bool footer = t->text == QLatin1String("Sovranel 3.1");
        QCOMPARE(t->font.family, footer ? QStringLiteral("Arial") : QStringLiteral("Brush Script MT"));
        QCOMPARE(t->colour, QColor(Qt::red));
    }
    for (int page = 0; page < 2; ++page) {
        QVERIFY(!texts(p, page).contains(QStringLiteral("página")));
        QCOMPARE(texts(p, page).last(), QStringLiteral("Sovranel 3.1"));
        for (const report::Item& item : p.pages[size_t(page)].items) {
            if (auto* l = std::get_if<report::LineItem>(&item))
                QCOMPARE(l->colour, QColor(Qt::red));
            if (auto* f = std::get_if<report::FrameItem>(&item))
                QCOMPARE(f->colour, QColor(Qt::red));
        }
    }
    QVERIFY(Curriculo->nome->font().bold);
    QVERIFY(Curriculo->titulo2->font().italic && Curriculo->titulo2->font().underline);
    QCOMPARE(Curriculo->titulo->font().pointSize, 16.0);
}

void ReportGenerationTest::theSaveVariantColoursOnlyTheSectionLinesAndKeepsTheCounter()
{
    fill("@full");
    Form1->PreencherCurriculo(QStringLiteral("Arial"), Qt::black, false); // the counter switched off
    FillOptions save;
    save.fontName = QStringLiteral("Monotype Corsiva");
    save.colour = Qt::blue;
    save.colourTargets = FillOptions::ColourTargets::SectionLines;
    save.setPageCounter = false;
    save.pageCounter = true; // not applied: the save leaves the counter as it was
    Form1->PreencherCurriculo(save);
    for (int n = 1; n <= 13; ++n)
        QCOMPARE(Curriculo->linhas[size_t(n - 1)]->pen, n <= 5 ? QColor(Qt::blue) : QColor(Qt::black));
    QCOMPARE(Curriculo->sovranel->colour(), QColor(Qt::black));
    QCOMPARE(Curriculo->report().frameColour, QColor(Qt::blue));
    QCOMPARE(Curriculo->cargop->colour(), QColor(Qt::blue));
    QCOMPARE(Curriculo->cargop->font().family, QStringLiteral("Monotype Corsiva"));
    QVERIFY(!Curriculo->txt1->enabled && !Curriculo->txt4->enabled);
}

void ReportGenerationTest::theFillingMarksEveryStageInOrder()
{
    QList<int> stages;
    FillOptions options;
    options.progress = [&](FillStage s) { stages << int(s); };
    Form1->PreencherCurriculo(options);
    QList<int> expected;
    for (int s = int(FillStage::Font); s <= int(FillStage::Sentence); ++s)
        expected << s;
    QCOMPARE(stages, expected);
}

void ReportGenerationTest::answeringNoShowsTheProgressAndWaitsForAMaximizedPreview()
{
    fill(R"({"edt_nome": "Ana Lúcia"})");
    QList<int> positions;
    connect(Form1->Progresso, &QProgressBar::valueChanged, this, [&](int v) { positions << v; });
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* w = topLevel<report::PreviewWindow>();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Report Preview : Curriculo de Ana Lúcia"));
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(w->view()->zoomFactor(), 1.0);
        QVERIFY(!Form1->Progresso->isHidden()); // shown while the preview is open
        QCOMPARE(Form1->Progresso->value(), 100);
        seen = true;
        w->close();
    });
    Form1->BitBtn3->click();
    QVERIFY(seen);
    QVERIFY(Form1->Progresso->isHidden());
    QCOMPARE(positions, (QList<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 70, 90, 100}));
    QCOMPARE(m_asked.size(), 1);
    const ui::DialogRequest& q = m_asked.first();
    QCOMPARE(q.caption, QStringLiteral("Configurações Avançadas"));
    QCOMPARE(q.text, QStringLiteral("Gostaria de configurar cores e estilo do seu Currículo?"));
    QCOMPARE(q.buttons, int(ui::DialogButton::Yes) | int(ui::DialogButton::No));
    QCOMPARE(q.defaultButton, ui::DialogButton::Yes);
    QVERIFY(!q.icon);
}

void ReportGenerationTest::answeringYesOpensTheStyleDialogAndNothingElse()
{
    m_answer = ui::DialogButton::Yes;
    bool modal = false, preview = true, progress = true;
    QTimer::singleShot(0, this, [&] {
        modal = QApplication::activeModalWidget() == impressao;
        preview = topLevel<report::PreviewWindow>() != nullptr;
        progress = !Form1->Progresso->isHidden();
        impressao->reject();
    });
    Form1->GerarCurrculo1->trigger();
    QVERIFY(modal);
    QVERIFY(!preview);
    QVERIFY(!progress);
    QVERIFY(Form1->Progresso->isHidden());
    QCOMPARE(m_asked.size(), 1);
}

void ReportGenerationTest::thePdfAndHtmlHoldTheWholeResume()
{
    fill("@full");
    const PreparedPages p = generate();
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("r.html"));
    report::saveAs(p, html);
    QFile file(html);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    for (const QString& t : texts(p))
        QVERIFY2(page.contains(t.toHtmlEscaped()), qPrintable(t));
    QCOMPARE(page.count(QStringLiteral("src=\"data:image/jpeg;base64,")), 1);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    for (const char* font : {"Arial", "Monotype Corsiva", "Brush Script MT"}) {
        Form1->PreencherCurriculo(QString::fromLatin1(font), Qt::black, true);
        Form1->TotalDePaginas();
        const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
        report::saveAs(Curriculo->report().prepare(), pdf);
        const QString text = pdfText(pdf);
        for (const char* wanted : {"Maria da Conceição Araújo", "Experiências Profissionais", "certificação",
                                   "Coloco-me à disposição", "página 1 de 2", "página 2 de 2"})
            QVERIFY2(text.contains(QString::fromUtf8(wanted)),
                     qPrintable(QStringLiteral("%1: %2\n%3").arg(font, wanted, text)));
    }
}

namespace {

// A value of exactly `length` characters, told apart from the others by its first word.
QString probeValue(const QString& tag, int length)
{
    static const QStringList words = QStringLiteral("Doutor Antônio Carlos de Oliveira Figueiredo Jardim das "
                                                    "Flores Vila Nova Conceição São José dos Campos Ribeirão")
                                         .split(' ');
    QString v = tag;
    for (int i = 0; v.size() < length; ++i)
        v += QLatin1Char(' ') + words[i % words.size()];
    return v.left(length).trimmed();
}

// Fills the text fields of every line holding two pairs or more, and the name beside the photo,
// with values of `length` characters; returns them in print order.
QStringList fillProbe(int length)
{
    const char* const fields[] = {"edt_nome",   "edt_natural", "edt_rua", "edt_numero", "edt_bairro",
                                  "edt_cidade", "edt_cp",      "edt_te",  "edt_rg",     "edt_cpf"};
    // Nine-digit mobiles are longer than the template foresaw.
    QJsonObject sample{
        {"Image1", "foto.jpg"},         {"edt_ec", "Divorciado"},      {"edt_uf", "SP"},
        {"edt_exnome1", "Empresa Um"},  {"informar_saida", true},      {"edt_sexo", "Feminino"},
        {"edt_tel1", "(11)98765-4321"}, {"edt_tel2", "(21)99876-5432"}};
    QStringList values;
    for (const char* f : fields) {
        values << probeValue(QString::fromLatin1(f + 4), length);
        sample.insert(QString::fromLatin1(f), values.last());
    }
    fill(QJsonDocument(sample).toJson());
    return values;
}

} // namespace

void ReportGenerationTest::longValuesStayWholeInsideTheFrame_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("length");
    for (const char* font : {"Arial", "Monotype Corsiva", "Brush Script MT"})
        for (int length : {30, 60, 90, 200})
            QTest::newRow(qPrintable(QStringLiteral("%1 characters in %2").arg(length).arg(font)))
                << QString::fromLatin1(font) << length;
}

void ReportGenerationTest::longValuesStayWholeInsideTheFrame()
{
    QFETCH(QString, font);
    QFETCH(int, length);
    const QStringList values = fillProbe(length);
    Form1->PreencherCurriculo(font, Qt::black, true);
    Form1->TotalDePaginas();
    const PreparedPages p = Curriculo->report().prepare();

    const QString fault = geometryFault(p);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    const QString running = runningText(p);
    qsizetype from = 0;
    for (const QString& v : values) {
        const qsizetype at = running.indexOf(QString(v).remove(' '), from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" is not whole, or out of order").arg(v)));
        from = at + 1;
    }
    const QStringList all = texts(p);
    for (const char* title : {"Nome:", "Naturalidade:", "Estado Civil:", "Telefone:", "Rua:", "Número:",
                              "Bairro:", "Cidade:", "U.F.:", "Admissão:", "Demissão:",
                              "Carteira Profissional:", "Titulo Eleitoral:", "R.G.:", "C.P.F.:"})
        QVERIFY2(all.contains(QString::fromUtf8(title)),
                 qPrintable(QStringLiteral("%1 is broken").arg(title)));

    // The phone line reads as one row: first phone, "/", second phone.
    const TextItem *first = nullptr, *slash = nullptr, *second = nullptr;
    for (const TextItem* t : textItems(p, 0)) {
        if (t->text == Curriculo->telefone1->caption)
            first = t;
        else if (t->text == QLatin1String("/"))
            slash = t;
        else if (t->text == Curriculo->telefone2->caption)
            second = t;
    }
    QVERIFY(first && slash && second);
    QCOMPARE(slash->rect.top(), first->rect.top());
    QCOMPARE(second->rect.top(), first->rect.top());
    QVERIFY(first->rect.right() < slash->rect.left() && slash->rect.right() < second->rect.left());
}

void ReportGenerationTest::longRemarksMakeBandsNoTallerThanTheirTexts_data()
{
    QTest::addColumn<QString>("font");
    for (const char* font : {"Arial", "Monotype Corsiva", "Brush Script MT"})
        QTest::newRow(font) << QString::fromLatin1(font);
}

void ReportGenerationTest::longRemarksMakeBandsNoTallerThanTheirTexts()
{
    QFETCH(QString, font);
    fill("@full");
    QStringList remarks = fillProbe(200);
    for (int n = 0; n < 5; ++n) {
        remarks << probeValue(QStringLiteral("experiencia%1").arg(n + 1), 2000);
        Form1->experiencias[size_t(n)].edt_exobs->setText(remarks.last());
        remarks << probeValue(QStringLiteral("curso%1").arg(n + 1), 2000);
        Form1->cursos[size_t(n)].edt_cuobs->setText(remarks.last());
    }
    Form1->PreencherCurriculo(font, Qt::black, true);
    Form1->TotalDePaginas();
    const PreparedPages p = Curriculo->report().prepare();

    const QString fault = geometryFault(p);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    const QString running = runningText(p);
    for (const QString& r : remarks)
        QVERIFY2(running.contains(QString(r).remove(' ')), qPrintable(r.left(16)));
    // A band as tall as its texts leaves no stretch wider than the template's own spacing;
    // the page count then follows from the texts.
    int page = 0;
    const double gap = largestGap(p, &page);
    QVERIFY2(gap < 48, qPrintable(QStringLiteral("%1 px empty on page %2").arg(gap).arg(page)));
    QCOMPARE(Curriculo->txt4->caption, QString::number(p.pageCount()));
}

void ReportGenerationTest::theCounterKeepsItsTextsApartAtAnyPageCount()
{
    Form1->PreencherCurriculo(QStringLiteral("Arial"), Qt::black, true);
    QStringList lines;
    for (int i = 1; i <= 900; ++i)
        lines << QStringLiteral("linha %1").arg(i);
    Curriculo->frase->caption = lines.join('\n');
    Form1->TotalDePaginas();
    const PreparedPages p = Curriculo->report().prepare();
    QVERIFY2(p.pageCount() >= 12, qPrintable(QString::number(p.pageCount())));
    const QString fault = geometryFault(p);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    const QString total = QString::number(p.pageCount());
    for (int page = 0; page < p.pageCount(); ++page) {
        const auto items = textItems(p, page);
        QVERIFY(items.size() > 5); // never a footer alone
        const std::vector<const TextItem*> counter(items.end() - 4, items.end());
        QCOMPARE(counter[0]->text, QStringLiteral("página"));
        QCOMPARE(counter[1]->text, QString::number(page + 1));
        QCOMPARE(counter[3]->text, total);
        for (int i = 1; i < 4; ++i)
            QVERIFY2(counter[size_t(i)]->rect.left() >= counter[size_t(i - 1)]->rect.right() + 2,
                     qPrintable(QStringLiteral("page %1: %2").arg(page + 1).arg(counter[size_t(i)]->text)));
    }
    QCOMPARE(missingInOrder(texts(p), lines), QString());

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    report::saveAs(p, pdf);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("página 10 de ") + total), qPrintable(text.right(400)));
}

void ReportGenerationTest::anEmojiInTheNamePrintsAndTheRestOfTheLineStays()
{
    // 😀 and ✔ are in the fallback faces; U+1FAE0 (a melting face) is in none of them.
    const QString name = QStringLiteral("Ana 😀 Souza ✔ fim \U0001FAE0 ok");
    QJsonObject sample{{"edt_nome", name}};
    fill(QJsonDocument(sample).toJson());
    const PreparedPages p = generate();
    const QString printed = QStringLiteral("Ana 😀 Souza ✔ fim \uFFFD ok");
    QVERIFY2(texts(p).contains(printed), qPrintable(texts(p).join('|')));
    QVERIFY(geometryFault(p).isEmpty());

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    report::saveAs(p, pdf);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(printed), qPrintable(text.left(200)));
    // Everything beyond the name extracts as before.
    QVERIFY(text.contains(QStringLiteral("Nascimento:")));
}

void ReportGenerationTest::aSampleThatTheFormCannotTakeNamesTheKey_data()
{
    QTest::addColumn<QByteArray>("sample");
    QTest::addColumn<QString>("message");
    QTest::newRow("an unknown control")
        << QByteArray(R"({"edt_apelido": "Zé"})")
        << QStringLiteral("chave \"edt_apelido\": não é um campo do formulário");
    QTest::newRow("a list value that is not an item")
        << QByteArray(R"({"edt_sexo": "Outro"})")
        << QStringLiteral("chave \"edt_sexo\": \"Outro\" não é um item da lista");
    QTest::newRow("a date that is not a date")
        << QByteArray(R"({"edt_nasc": "31/12/1990"})")
        << QStringLiteral("chave \"edt_nasc\": \"31/12/1990\" não é uma data");
    QTest::newRow("a phone with letters")
        << QByteArray(R"({"edt_tel1": "11 abc"})")
        << QStringLiteral("chave \"edt_tel1\": \"11 abc\" não é um número de telefone");
    QTest::newRow("an option given as text")
        << QByteArray(R"({"frase1": "sim"})") << QStringLiteral("chave \"frase1\": esperava true ou false");
    QTest::newRow("a photo that is not there")
        << QByteArray(R"({"Image1": "nao-existe.jpg"})")
        << QStringLiteral("chave \"Image1\": Não foi possível abrir o arquivo \"nao-existe.jpg\"");
}

void ReportGenerationTest::aSampleThatTheFormCannotTakeNamesTheKey()
{
    QFETCH(QByteArray, sample);
    QFETCH(QString, message);
    try {
        fillForm(*Form1, QJsonDocument::fromJson(sample).object(),
                 QDir(QStringLiteral(SOVRANEL_SAMPLES_DIR)));
        QFAIL("the sample was taken");
    } catch (const std::runtime_error& e) {
        QVERIFY2(QString::fromUtf8(e.what()).startsWith(message), e.what());
    }
}

void ReportGenerationTest::phoneLines_data()
{
    QTest::addColumn<QByteArray>("sample");
    QTest::addColumn<QString>("identity");
    QTest::addColumn<QString>("company"); // of the first experience
    QTest::newRow("no phone prints the titles alone") << QByteArray(R"({"edt_exnome1": "A"})") << "Telefone:"
                                                      << "Telefone:";
    QTest::newRow("a landline in edt_tel1")
        << QByteArray(R"({"edt_tel1": "1132564789"})") << "Telefone: (11)3256-4789"
        << "<no line>";
    QTest::newRow("a mobile in edt_tel1")
        << QByteArray(R"({"edt_tel1": "21999998888"})") << "Telefone: (21)99999-8888"
        << "<no line>";
    QTest::newRow("a landline in edt_tel2 alone takes the first place")
        << QByteArray(R"({"edt_tel2": "(11)3256-4789"})") << "Telefone: (11)3256-4789"
        << "<no line>";
    QTest::newRow("a mobile in edt_tel2 alone takes the first place")
        << QByteArray(R"({"edt_tel2": "(21)99999-8888"})") << "Telefone: (21)99999-8888"
        << "<no line>";
    QTest::newRow("a landline and a mobile")
        << QByteArray(R"({"edt_tel1": "1132564789", "edt_tel2": "21999998888"})")
        << "Telefone: (11)3256-4789 / (21)99999-8888"
        << "<no line>";
    QTest::newRow("a mobile and a landline")
        << QByteArray(R"({"edt_tel1": "21999998888", "edt_tel2": "1132564789"})")
        << "Telefone: (21)99999-8888 / (11)3256-4789"
        << "<no line>";
    QTest::newRow("a landline in a company phone")
        << QByteArray(R"({"edt_exnome1": "A", "edt_extelefone1": "1132564789"})") << "Telefone:"
        << "Telefone: (11)3256-4789";
    QTest::newRow("a mobile in a company phone")
        << QByteArray(R"({"edt_exnome1": "A", "edt_extelefone1": "(21)99999-8888"})") << "Telefone:"
        << "Telefone: (21)99999-8888";
    QTest::newRow("the untouched text given for every phone prints none")
        << QByteArray(
               R"({"edt_exnome1": "A", "edt_tel1": "(  )    -    ", "edt_tel2": "", "edt_extelefone1": "(  )    -    "})")
        << "Telefone:"
        << "Telefone:";
}

void ReportGenerationTest::phoneLines()
{
    QFETCH(QByteArray, sample);
    QFETCH(QString, identity);
    QFETCH(QString, company);
    fill(sample);
    const PreparedPages p = generate();
    QCOMPARE(phoneLine(p, 0), identity);
    QCOMPARE(phoneLine(p, 1), company);
    // A single number is the first one, with no "/" after it.
    if (identity.count(QLatin1Char('(')) == 1) {
        QCOMPARE(Curriculo->telefone1->caption, identity.mid(10));
        QVERIFY(Curriculo->barra->caption.isEmpty());
        QVERIFY(Curriculo->telefone2->caption.isEmpty());
    }
}

void ReportGenerationTest::aResumeWithoutPhonesHasNoEmptyTemplateInItsPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QJsonDocument doc = QJsonDocument::fromJson([] {
        QFile f(kFull);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    QJsonObject sample = doc.object();
    for (const QString& key : sample.keys())
        if (key.startsWith(QLatin1String("edt_tel")) || key.startsWith(QLatin1String("edt_extelefone")))
            sample.remove(key);
    fillForm(*Form1, sample, QDir(QStringLiteral(SOVRANEL_SAMPLES_DIR)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    report::saveAs(generate(), pdf);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Padaria Pão de Açúcar")), qPrintable(text));
    QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("\\(\\s*\\)|(^|\\s)-(\\s|$)"))),
             qPrintable(text));
    // The phone titles stand alone on their lines.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (line.contains(QLatin1String("Telefone:")))
            QCOMPARE(line.trimmed(), QStringLiteral("Telefone:"));
}

QTEST_MAIN(ReportGenerationTest)
#include "tst_report_generation.moc"

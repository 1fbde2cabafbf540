// The banded report engine on small templates of its own: pagination, growth, outputs and
// the preview window.
#include "PageTexts.h"
#include "report/Output.h"
#include "report/PreviewWindow.h"
#include "report/Template.h"

#include <QBuffer>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace report;

namespace {

const TextItem* findText(const PreparedPages& pages, const QString& text, int* page = nullptr)
{
    for (size_t p = 0; p < pages.pages.size(); ++p)
        for (const Item& item : pages.pages[p].items)
            if (auto* t = std::get_if<TextItem>(&item); t && t->text == text) {
                if (page)
                    *page = int(p) + 1;
                return t;
            }
    return nullptr;
}

// A report of `bands` sub-detail bands of `height` px, each with a label "band N", and a
// footer with "página", the page number.
struct Fixture {
    Report report;
    std::vector<Band*> bands;
    Fixture(int count, double height)
    {
        report.setFont(FontSpec{QStringLiteral("Arial"), 10}, Qt::black);
        Band* title = report.addBand(BandKind::Title, QStringLiteral("title"), 40);
        title->add<Label>(QStringLiteral("heading"), QRectF(10, 10, 0, 16), QStringLiteral("Título Único"));
        for (int i = 1; i <= count; ++i) {
            Band* b = report.addBand(BandKind::SubDetail, QStringLiteral("band%1").arg(i), height);
            b->add<Label>(QStringLiteral("label%1").arg(i), QRectF(10, 0, 0, 16),
                          QStringLiteral("band %1").arg(i));
            bands.push_back(b);
        }
        Band* footer = report.addBand(BandKind::PageFooter, QStringLiteral("footer"), 16);
        footer->add<Label>(QStringLiteral("pagina"), QRectF(600, 0, 0, 11), QStringLiteral("página"));
        footer->add<PageNumber>(QStringLiteral("numero"), QRectF(650, 0, 0, 11));
    }
};

PreviewWindow* openPreview()
{
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<PreviewWindow*>(t); p && p->isVisible())
            return p;
    return nullptr;
}

bool hasPdfTools() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class ReportEngineTest : public QObject {
    Q_OBJECT
  private slots:
    void pagination_data();
    void pagination();
    void aDisabledLabelIsNotDrawnButItsBandKeepsItsHeight();
    void aLongTextWrapsAtTheBandsEdgeAndItsBandGrows();
    void aLongerTextPushesTheTextsAfterItOnItsLine();
    void aBandTallerThanAPageGoesOnOverTheNextPages();
    void aPairThatNoLongerFitsItsLineMovesToANewRow_data();
    void aPairThatNoLongerFitsItsLineMovesToANewRow();
    void htmlEmbedsTheFacesItUsesWithAFallbackStack();
    void pdfHasTheTitleTheCreatorAndExtractableAccents();
    void htmlIsOneFileWithEveryTextAndThePicture();
    void savingRefusesAnUnknownFormatAndAnUnwritableFolder();
    void thePreviewOpensMaximizedAtFullSizeAndPages();
    void thePreviewSavesInTheFormatOfTheChosenName();
};

void ReportEngineTest::pagination_data()
{
    QTest::addColumn<int>("bands");
    QTest::addColumn<double>("height");
    QTest::addColumn<QList<int>>("disabled");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("firstOnPage2");

    // 1122.5 high, 37.8 margins, 16 footer and a 40 px title band leave 990.9 px for bands.
    QTest::newRow("bands that fit stay on one page") << 9 << 110.0 << QList<int>{} << 1 << QString();
    QTest::newRow("the band that does not fit starts the next page")
        << 10 << 110.0 << QList<int>{} << 2 << QStringLiteral("band 10");
    QTest::newRow("a disabled band takes no space") << 10 << 110.0 << QList<int>{3} << 1 << QString();
    QTest::newRow("many bands fill three pages")
        << 25 << 110.0 << QList<int>{} << 3 << QStringLiteral("band 10");
}

void ReportEngineTest::pagination()
{
    QFETCH(int, bands);
    QFETCH(double, height);
    QFETCH(QList<int>, disabled);
    QFETCH(int, pages);
    QFETCH(QString, firstOnPage2);

    Fixture f(bands, height);
    for (int d : disabled)
        f.bands[size_t(d - 1)]->enabled = false;
    const PreparedPages p = f.report.prepare();
    QCOMPARE(p.pageCount(), pages);
    QCOMPARE(f.report.pageCount(), pages);
    QCOMPARE(p.pageSize, QSizeF(793.7, 1122.5));

    // The title once, on the first page; the bands in order; the footer at every page's
    // bottom with that page's number.
    QCOMPARE(texts(p, 0).first(), QStringLiteral("Título Único"));
    for (int page = 0; page < pages; ++page) {
        const QStringList t = texts(p, page);
        QCOMPARE(t.mid(t.size() - 2), (QStringList{QStringLiteral("página"), QString::number(page + 1)}));
        const TextItem* footer = nullptr;
        for (const Item& item : p.pages[size_t(page)].items)
            if (auto* ti = std::get_if<TextItem>(&item); ti && ti->text == QStringLiteral("página"))
                footer = ti;
        QVERIFY(footer);
        QCOMPARE(footer->rect.top(), 1122.5 - 37.8 - 16);
        if (page > 0)
            QVERIFY(!t.contains(QStringLiteral("Título Único")));
    }
    if (!firstOnPage2.isEmpty())
        QCOMPARE(texts(p, 1).first(), firstOnPage2);
    for (int d : disabled)
        QVERIFY(!findText(p, QStringLiteral("band %1").arg(d)));
    // Bands follow each other without gaps: band 2 starts where band 1 ends.
    const double y1 = findText(p, QStringLiteral("band 1"))->rect.top();
    const double y2 =
        findText(p, disabled.contains(2) ? QStringLiteral("band 3") : QStringLiteral("band 2"))->rect.top();
    QCOMPARE(y2 - y1, height);
}

void ReportEngineTest::aDisabledLabelIsNotDrawnButItsBandKeepsItsHeight()
{
    Fixture f(2, 100);
    f.report.find<Label>(QStringLiteral("label1"))->enabled = false;
    f.bands[0]->add<Label>(QStringLiteral("other"), QRectF(200, 0, 0, 16), QStringLiteral("ainda aqui"));
    const PreparedPages p = f.report.prepare();
    QVERIFY(!findText(p, QStringLiteral("band 1")));
    QCOMPARE(findText(p, QStringLiteral("band 2"))->rect.top() -
                 findText(p, QStringLiteral("ainda aqui"))->rect.top(),
             100.0);
}

void ReportEngineTest::aLongTextWrapsAtTheBandsEdgeAndItsBandGrows()
{
    Fixture f(2, 60);
    const QString word = QStringLiteral("Observação ");
    const QString longText = word.repeated(60).trimmed() + QStringLiteral(" https://exemplo.com.br/") +
                             QStringLiteral("x").repeated(150);
    Label* l = f.report.find<Label>(QStringLiteral("label1"));
    l->geometry.moveLeft(100);
    l->caption = longText;
    Label* below =
        f.bands[0]->add<Label>(QStringLiteral("below"), QRectF(10, 30, 0, 16), QStringLiteral("abaixo"));
    const PreparedPages p = f.report.prepare();

    QStringList lines;
    double right = 0, lastBottom = 0;
    for (const Item& item : p.pages[0].items)
        if (auto* t = std::get_if<TextItem>(&item); t && t->rect.left() == 37.8 + 100) {
            lines << t->text;
            right = std::max(right, t->rect.right());
            lastBottom = t->rect.bottom();
        }
    QVERIFY2(lines.size() >= 4, qPrintable(lines.join('|')));
    QVERIFY(right <= 793.7 - 37.8 + 0.01);
    // Nothing lost: the lines are the text, broken at blanks (and inside the over-long word).
    QCOMPARE(lines.join(QString()).remove(' '), QString(longText).remove(' '));
    // What stood below the text moved down with it, and so did the next band.
    const TextItem* abaixo = findText(p, below->caption);
    QVERIFY(abaixo->rect.top() >= lastBottom - 0.01);
    const double growth = abaixo->rect.top() - (37.8 + 40 + 30);
    QVERIFY(growth > 0);
    QCOMPARE(findText(p, QStringLiteral("band 2"))->rect.top(), 37.8 + 40 + 60 + growth);
}

void ReportEngineTest::aLongerTextPushesTheTextsAfterItOnItsLine()
{
    Fixture f(1, 40);
    Band* b = f.bands[0];
    b->add<Label>(QStringLiteral("title"), QRectF(100, 20, 0, 16),
                  QStringLiteral("Um título bem mais longo:"));
    b->add<Label>(QStringLiteral("value"), QRectF(130, 20, 0, 16), QStringLiteral("valor"));
    const PreparedPages p = f.report.prepare();
    const TextItem* title = findText(p, QStringLiteral("Um título bem mais longo:"));
    const TextItem* value = findText(p, QStringLiteral("valor"));
    QVERIFY(value->rect.left() > title->rect.right());
    QCOMPARE(value->rect.top(), title->rect.top());
}

void ReportEngineTest::aBandTallerThanAPageGoesOnOverTheNextPages()
{
    Fixture f(1, 40);
    Label* l = f.report.find<Label>(QStringLiteral("label1"));
    QStringList paragraphs;
    for (int i = 1; i <= 90; ++i)
        paragraphs << QStringLiteral("linha %1").arg(i);
    l->caption = paragraphs.join('\n');
    const PreparedPages p = f.report.prepare();
    QCOMPARE(p.pageCount(), 2);
    QStringList all;
    for (int page = 0; page < p.pageCount(); ++page) {
        for (const Item& item : p.pages[size_t(page)].items)
            if (auto* t = std::get_if<TextItem>(&item); t && t->text.startsWith(QLatin1String("linha"))) {
                all << t->text;
                QVERIFY(t->rect.bottom() <= 1122.5 - 37.8 - 16 + 0.01);
            }
    }
    QCOMPARE(all, paragraphs);
}

void ReportEngineTest::aPairThatNoLongerFitsItsLineMovesToANewRow_data()
{
    QTest::addColumn<int>("length"); // of the first pair's value
    QTest::addColumn<bool>("pushed");
    QTest::addColumn<bool>("newRow");
    QTest::newRow("values that fit keep their places") << 10 << false << false;
    QTest::newRow("a longer value pushes the next pair along its line") << 45 << true << false;
    QTest::newRow("a pair that would be squeezed moves to a new row at its own place")
        << 100 << false << true;
    QTest::newRow("a value longer than its line wraps at the edge, the next pair below it")
        << 300 << false << true;
}

void ReportEngineTest::aPairThatNoLongerFitsItsLineMovesToANewRow()
{
    QFETCH(int, length);
    QFETCH(bool, pushed);
    QFETCH(bool, newRow);
    Fixture f(2, 40);
    Band* b = f.bands[0];
    auto add = [&](const char* name, double left, const QString& text) {
        return b->add<Label>(QString::fromLatin1(name), QRectF(left, 10, 0, 16), text);
    };
    const QString value = QStringLiteral("Jardim das Flores ").repeated(20).left(length);
    b->addPair(add("t1", 10, QStringLiteral("Bairro:")), {add("v1", 60, value)});
    b->addPair(add("t2", 300, QStringLiteral("Cidade:")), {add("v2", 350, QStringLiteral("São Paulo"))});
    const PreparedPages p = f.report.prepare();

    const TextItem* title = findText(p, QStringLiteral("Cidade:"));
    const TextItem* city = findText(p, QStringLiteral("São Paulo"));
    QVERIFY(title && city);
    QCOMPARE(city->rect.top(), title->rect.top());
    QVERIFY(city->rect.left() > title->rect.right());
    double valueBottom = 0, valueRight = 0;
    QString printed;
    for (const Item& item : p.pages[0].items)
        if (auto* t = std::get_if<TextItem>(&item); t && t->rect.left() == 37.8 + 60) {
            printed += t->text;
            valueBottom = std::max(valueBottom, t->rect.bottom());
            valueRight = std::max(valueRight, t->rect.right());
        }
    QCOMPARE(printed.remove(' '), value.trimmed().remove(' '));
    QVERIFY(valueRight <= 793.7 - 37.8);
    const double lineTop = 37.8 + 40 + 10;
    if (newRow) {
        QCOMPARE(title->rect.left(), 37.8 + 300);
        QVERIFY(title->rect.top() >= valueBottom);
    } else {
        QCOMPARE(title->rect.top(), lineTop);
        QCOMPARE(title->rect.left() > 37.8 + 300, pushed);
        QVERIFY(title->rect.left() > valueRight);
    }
    // The band grew by what its line took beyond one row, and the next band moved with it.
    const double grown = std::max(valueBottom, title->rect.bottom()) - (lineTop + title->rect.height());
    QCOMPARE(findText(p, QStringLiteral("band 2"))->rect.top(), 37.8 + 40 + 40 + grown);
}

void ReportEngineTest::htmlEmbedsTheFacesItUsesWithAFallbackStack()
{
    Fixture f(1, 40);
    f.report.find<Label>(QStringLiteral("label1"))
        ->setFont(FontSpec{QStringLiteral("Arial"), 10, true}, Qt::black);
    const QString plain = QString::fromUtf8(toHtml(f.report.prepare()));
    // The regular and the bold face, each once, and every text naming its embedded face first.
    QCOMPARE(plain.count(QStringLiteral("@font-face")), 2);
    QCOMPARE(plain.count(QStringLiteral("src: url(data:font/ttf;base64,")), 2);
    QVERIFY(plain.contains(QStringLiteral("font-family:'Sovranel Arial', 'Arial', 'Liberation Sans'")));
    QVERIFY(!plain.contains(QStringLiteral("Sovranel Reserva")));

    // A symbol that the face lacks brings the fallback face that draws it.
    f.report.find<Label>(QStringLiteral("label1"))->caption = QStringLiteral("band 1 ✔");
    const QString symbol = QString::fromUtf8(toHtml(f.report.prepare()));
    QCOMPARE(symbol.count(QStringLiteral("@font-face")), 3);
    QVERIFY(symbol.contains(QStringLiteral("font-family:'Sovranel Arial', 'Sovranel Reserva 1', 'Arial'")));
}

void ReportEngineTest::pdfHasTheTitleTheCreatorAndExtractableAccents()
{
    if (!hasPdfTools())
        QSKIP("pdftotext is not installed");
    Fixture f(12, 110);
    f.report.title = QStringLiteral("Curriculo de João");
    f.report.find<Label>(QStringLiteral("label1"))->caption = QStringLiteral("Ação, coração e eficiência");
    f.report.find<Label>(QStringLiteral("label2"))
        ->setFont(FontSpec{QStringLiteral("Brush Script MT"), 10}, Qt::red);
    f.report.find<Label>(QStringLiteral("label2"))->caption = QStringLiteral("Profissional certificado");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.pdf"));
    writePdf(f.report.prepare(), path);

    const QString text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("Ação, coração e eficiência")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Profissional certificado")));
    QVERIFY(text.contains(QStringLiteral("Título Único")));
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title: +Curriculo de João"))),
             qPrintable(info));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator: +Sovranel 3.1"))));
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages: +2"))));
    QVERIFY(info.contains(QStringLiteral("A4")));
    const QString fonts = run(QStringLiteral("pdffonts"), {path});
    for (const QString& line : fonts.split('\n').mid(2))
        if (!line.trimmed().isEmpty())
            QVERIFY2(line.contains(QRegularExpression(QStringLiteral("\\syes\\s"))), qPrintable(fonts));
}

void ReportEngineTest::htmlIsOneFileWithEveryTextAndThePicture()
{
    Fixture f(2, 100);
    f.report.title = QStringLiteral("Curriculo de <Ana> & Cia");
    Image* image = f.bands[0]->add<Image>(QStringLiteral("foto"), QRectF(500, 0, 60, 60));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    image->setPicture(picture);
    f.report.find<Label>(QStringLiteral("label1"))->caption = QStringLiteral("Sr. <b>Ribeiro</b> & filhos");
    const QString html = QString::fromUtf8(toHtml(f.report.prepare()));
    QVERIFY(html.contains(QStringLiteral("<title>Curriculo de &lt;Ana&gt; &amp; Cia</title>")));
    QVERIFY(html.contains(QStringLiteral("Sr. &lt;b&gt;Ribeiro&lt;/b&gt; &amp; filhos")));
    QVERIFY(html.contains(QStringLiteral("Título Único")));
    QVERIFY(html.contains(QStringLiteral("src=\"data:image/png;base64,")));
    QCOMPARE(html.count(QStringLiteral("class=\"page\"")), 1);
    QVERIFY(!html.contains(QStringLiteral("http")));
}

void ReportEngineTest::savingRefusesAnUnknownFormatAndAnUnwritableFolder()
{
    Fixture f(1, 40);
    const PreparedPages p = f.report.prepare();
    QTemporaryDir dir;
    try {
        saveAs(p, dir.filePath(QStringLiteral("a.doc")));
        QFAIL("an unknown format was written");
    } catch (const std::runtime_error& e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("não é conhecido")));
    }
    for (const char* name : {"nao/existe/a.pdf", "nao/existe/a.html"}) {
        try {
            saveAs(p, dir.filePath(QString::fromLatin1(name)));
            QFAIL("a file was reported written into a missing folder");
        } catch (const std::runtime_error& e) {
            QVERIFY(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Não foi possível gravar")));
        }
    }
    QCOMPARE(saveFormats().front().suffix, QStringLiteral("pdf"));
}

void ReportEngineTest::thePreviewOpensMaximizedAtFullSizeAndPages()
{
    Fixture f(25, 110);
    f.report.title = QStringLiteral("Curriculo de Ana");
    bool checked = false;
    QTimer::singleShot(0, [&] {
        PreviewWindow* w = openPreview();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Report Preview : Curriculo de Ana"));
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QVERIFY(!w->isModal());
        QCOMPARE(w->view()->zoomFactor(), 1.0);
        QCOMPARE(w->view()->pageCount(), 3);
        w->lastPage();
        QCOMPARE(w->currentPage(), 3);
        w->previousPage();
        QCOMPARE(w->currentPage(), 2);
        w->firstPage();
        w->previousPage();
        QCOMPARE(w->currentPage(), 1);
        w->nextPage();
        QCOMPARE(w->currentPage(), 2);
        w->zoomIn();
        QVERIFY(w->view()->zoomFactor() > 1.0);
        for (QAction* a : w->findChild<QToolBar*>()->actions())
            if (!a->isSeparator() && a->objectName() != QLatin1String(""))
                QVERIFY2(!a->toolTip().isEmpty() && !a->icon().isNull(), qPrintable(a->objectName()));
        checked = true;
        w->close();
    });
    PreviewWindow::showAndWait(f.report.prepare());
    QVERIFY(checked);
}

void ReportEngineTest::thePreviewSavesInTheFormatOfTheChosenName()
{
    Fixture f(1, 40);
    f.report.title = QStringLiteral("Curriculo de Ana");
    QTemporaryDir dir;
    QStringList offered;
    QString proposed, answer;
    PreviewWindow::setSaveDialogHook([&](const QStringList& filters, const QString& p) {
        offered = filters;
        proposed = p;
        return answer;
    });
    auto* w = new PreviewWindow(f.report.prepare());
    answer = dir.filePath(QStringLiteral("ana.pdf"));
    w->save();
    QVERIFY(offered.first().contains(QStringLiteral("*.pdf")));
    QVERIFY(offered.join(' ').contains(QStringLiteral("*.html")));
    QVERIFY(proposed.endsWith(QStringLiteral("Curriculo de Ana.pdf")));
    answer = dir.filePath(QStringLiteral("ana.html"));
    w->save();
    answer = dir.filePath(QStringLiteral("sem-extensao"));
    w->save();
    QFile pdf(dir.filePath(QStringLiteral("ana.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    QFile html(dir.filePath(QStringLiteral("ana.html")));
    QVERIFY(html.open(QIODevice::ReadOnly));
    QVERIFY(html.readAll().contains("Título Único"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("sem-extensao.pdf"))));
    PreviewWindow::setSaveDialogHook({});
    delete w;
}

QTEST_MAIN(ReportEngineTest)
#include "tst_report_engine.moc"

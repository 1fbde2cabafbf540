// The résumé styled, saved and reopened as a person does it: the style dialog's OK, the save
// dialog's "Salvar", "Abrir (QRP)", the preview's save, and the whole-process tool.
#include "FormSample.h"
#include "Program.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit6.h"
#include "Unit7.h"

#include "report/Output.h"
#include "report/PreviewWindow.h"
#include "report/ReportFile.h"
#include "ui/Application.h"
#include "ui/ColourBox.h"
#include "ui/Dialogs.h"
#include "ui/FolderList.h"
#include "ui/OpenFileDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

using report::PreparedPages;

namespace {

const QString kFull = QStringLiteral(SOVRANEL_SAMPLES_DIR "/full.json");

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 8)); }

QList<report::PreviewWindow*> previews()
{
    QList<report::PreviewWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<report::PreviewWindow*>(w); p && p->isVisible())
            out << p;
    return out;
}

void closeAllPreviews()
{
    for (report::PreviewWindow* p : previews())
        p->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes a preview the way a person does, with a click on its close button that goes through
// the window system, so that a preview blocked by a modal dialog would stay open.
void clickClose(report::PreviewWindow* preview)
{
    auto* bar = preview->findChild<QToolBar*>(QStringLiteral("toolbar"));
    QAction* close = preview->findChild<QAction*>(QStringLiteral("fechar"));
    QWidget* button = bar->widgetForAction(close);
    const QPoint at = button->mapTo(preview, button->rect().center());
    QTest::mouseClick(preview->windowHandle(), Qt::LeftButton, {}, at);
}

// Starts `start`, which opens a preview and waits for it to close; `look` sees the preview, then
// the preview is closed with a click (or, if that click is blocked, by force, so that the test
// fails instead of hanging).
void whileTheOnePreviewIsOpen(const std::function<void()>& start,
                              const std::function<void(report::PreviewWindow*)>& look, bool* closedByClick)
{
    const auto before = previews();
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (report::PreviewWindow* p : previews())
            if (!before.contains(p)) {
                poll.stop();
                look(p);
                // The click may already have deleted the window.
                QPointer<report::PreviewWindow> guard(p);
                clickClose(p);
                *closedByClick = !guard || !guard->isVisible();
                if (!*closedByClick)
                    guard->close();
                return;
            }
    });
    poll.start();
    start();
}

// The footer's texts of each page: those level with the product label or below it.
QList<QStringList> footers(const PreparedPages& pages)
{
    QList<QStringList> out;
    for (const report::PreparedPage& page : pages.pages) {
        double top = 1e9;
        for (const report::Item& item : page.items)
            if (auto* t = std::get_if<report::TextItem>(&item); t && t->text == QLatin1String("Sovranel 3.1"))
                top = t->rect.top();
        QStringList texts;
        for (const report::Item& item : page.items)
            if (auto* t = std::get_if<report::TextItem>(&item); t && t->rect.top() >= top - 0.5)
                texts << t->text;
        out << texts;
    }
    return out;
}

QList<QStringList> countedFooters(int pages)
{
    QList<QStringList> out;
    for (int p = 1; p <= pages; ++p)
        out << QStringList{"Sovranel 3.1", "página", QString::number(p), "de", QString::number(pages)};
    return out;
}

bool isFooterText(const report::PreparedPage& page, const report::TextItem& t)
{
    for (const report::Item& item : page.items)
        if (auto* s = std::get_if<report::TextItem>(&item); s && s->text == QLatin1String("Sovranel 3.1"))
            return t.rect.top() >= s->rect.top() - 0.5;
    return false;
}

PreparedPages styledGeneration(const QString& font, const QColor& colour, bool counter)
{
    FillOptions options;
    options.fontName = font;
    options.colour = colour;
    options.pageCounter = counter;
    Form1->prepareResume(options);
    return Curriculo->report().prepare();
}

} // namespace

class SaveFlowTest : public QObject {
    Q_OBJECT

    QStringList m_messages;
    QTemporaryDir m_dir;

    // "Salvar" in the save dialog, with `folder` open; returns the file it names.
    QString save(const QString& folder)
    {
        frm_salvar->show();
        frm_salvar->lista->setFolder(folder);
        click(frm_salvar->BitBtn1);
        return frm_salvar->reportFileName();
    }

    // The style dialog's OK, with a look at the preview it opens.
    void styledOk(const std::function<void(report::PreviewWindow*)>& look)
    {
        bool closedByClick = false;
        QTimer::singleShot(0, this, [&] {
            whileTheOnePreviewIsOpen([] { click(impressao->BitBtn1); }, look, &closedByClick);
        });
        impressao->exec();
        QVERIFY2(closedByClick, "the preview did not answer a click while the style dialog was open");
    }

  private slots:
    void initTestCase()
    {
        ui::setDialogHook([this](const ui::DialogRequest& r) {
            m_messages << r.text;
            return ui::DialogButton::Ok;
        });
        createWindows(Environment());
        fillFormFromFile(*Form1, kFull);
    }
    void cleanupTestCase()
    {
        closeAllPreviews();
        destroyWindows();
    }
    void init() { m_messages.clear(); }
    void cleanup() { closeAllPreviews(); }

    // Before any generation the footer counts pages, and the total is the number saved; the
    // progress bar walks its marks and hides again.
    void aSaveBeforeAnyGenerationCountsTheTruePages()
    {
        QList<int> positions;
        connect(frm_salvar->progresso, &QProgressBar::valueChanged, this, [&](int v) { positions << v; });
        const QString file = save(m_dir.path());
        disconnect(frm_salvar->progresso, nullptr, this, nullptr);
        QVERIFY(!frm_salvar->isVisible());
        QVERIFY(!frm_salvar->progresso->isVisible());
        QCOMPARE(file, m_dir.path() + QStringLiteral("/Maria da Conceição Araújo.QRP"));
        QCOMPARE(positions, (QList<int>{20, 40, 50, 55, 60, 65, 70, 75, 80, 82, 85, 87, 90, 91, 92, 95, 0}));
        const PreparedPages pages = report::loadReportFile(file);
        QVERIFY(pages.pageCount() >= 2);
        QCOMPARE(footers(pages), countedFooters(pages.pageCount()));
        QCOMPARE(pages.title, QStringLiteral("Curriculo de Maria da Conceição Araújo"));
        QVERIFY(m_messages.isEmpty());
    }

    // Red chosen and the dialog cancelled: the save still uses red, on the five section lines,
    // the frame and the texts, and nowhere else.
    void aColourChosenThenCancelledColoursTheSaveOnlyWhereItShould()
    {
        impressao->show();
        QVERIFY(impressao->cor->selectName(QStringLiteral("Vermelho")));
        click(impressao->BitBtn2);
        QVERIFY(previews().isEmpty());

        const PreparedPages saved = report::loadReportFile(save(m_dir.path()));
        const PreparedPages allRed = styledGeneration(QStringLiteral("Arial"), Qt::red, true);
        QCOMPARE(saved.pageCount(), allRed.pageCount());
        int solid = 0, dashed = 0, footer = 0;
        for (int p = 0; p < saved.pageCount(); ++p) {
            const auto& got = saved.pages[size_t(p)].items;
            const auto& red = allRed.pages[size_t(p)].items;
            QCOMPARE(got.size(), red.size());
            for (size_t i = 0; i < got.size(); ++i) {
                const QString where = QStringLiteral("page %1, item %2").arg(p + 1).arg(i);
                if (auto* l = std::get_if<report::LineItem>(&got[i]); l && l->style != Qt::SolidLine) {
                    QVERIFY2(l->colour == QColor(Qt::black), qPrintable(where));
                    ++dashed;
                } else if (auto* t = std::get_if<report::TextItem>(&got[i]);
                           t && isFooterText(saved.pages[size_t(p)], *t)) {
                    QVERIFY2(t->colour == QColor(Qt::black), qPrintable(where));
                    ++footer;
                } else {
                    QVERIFY2(got[i] == red[i], qPrintable(where));
                    solid += std::holds_alternative<report::LineItem>(got[i]);
                }
            }
        }
        QVERIFY(solid >= 5 && dashed >= 1 && footer >= 5);
        impressao->cor->selectName(QStringLiteral("Preto"));
    }

    // OK reads "Aguarde..." and stays disabled until the next showing; without the counter the
    // footer prints only the product label, and a later save keeps it so.
    void theStyledGenerationWithoutTheCounter()
    {
        impressao->paginas->setChecked(false);
        QString caption;
        bool enabled = true;
        QList<QStringList> shown;
        styledOk([&](report::PreviewWindow* p) {
            caption = impressao->BitBtn1->text();
            enabled = impressao->BitBtn1->isEnabled();
            shown = footers(p->pages());
        });
        QCOMPARE(caption, QStringLiteral("Aguarde..."));
        QVERIFY(!enabled);
        QCOMPARE(impressao->result(), int(QDialog::Accepted));
        QVERIFY(shown.size() >= 2);
        for (const QStringList& f : shown)
            QCOMPARE(f, QStringList{"Sovranel 3.1"});
        QCOMPARE(impressao->BitBtn1->text(), QStringLiteral("Aguarde..."));
        impressao->show();
        QCOMPARE(impressao->BitBtn1->text(), QStringLiteral("OK"));
        QVERIFY(impressao->BitBtn1->isEnabled());
        impressao->hide();

        const PreparedPages saved = report::loadReportFile(save(m_dir.path()));
        for (const QStringList& f : footers(saved))
            QCOMPARE(f, QStringList{"Sovranel 3.1"});
        impressao->paginas->setChecked(true);
    }

    // Model 3 in red, previewed, saved, reopened: the very pages that were previewed.
    void aSavedResumeReopensAsItWasPreviewed()
    {
        click(impressao->Image3);
        QVERIFY(impressao->cor->selectName(QStringLiteral("Vermelho")));
        PreparedPages previewed;
        styledOk([&](report::PreviewWindow* p) { previewed = p->pages(); });
        QVERIFY(previewed.pageCount() >= 2);

        const QString file = save(m_dir.path());
        const PreparedPages before = Curriculo->report().prepare();
        Form1->edt_nome->setText(QStringLiteral("Outra Pessoa"));
        ui::OpenFileDialog::setHook([&](const ui::OpenFileDialog& d) -> std::optional<QString> {
            if (!d.nameFilters().join(QLatin1Char(' ')).contains(QLatin1String("*.QRP")))
                return std::nullopt;
            return file;
        });
        Form1->BitBtn7->click();
        ui::OpenFileDialog::setHook({});
        const auto open = previews();
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.first()->pages(), previewed);
        QCOMPARE(open.first()->windowTitle(),
                 QStringLiteral("Report Preview : Curriculo de Maria da Conceição Araújo"));
        QCOMPARE(Curriculo->report().prepare(), before);
        QVERIFY(m_messages.isEmpty());

        Form1->edt_nome->setText(QStringLiteral("Maria da Conceição Araújo"));
        click(impressao->Image1);
        impressao->cor->selectName(QStringLiteral("Preto"));
    }

    void reopening_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: the file dialog is cancelled
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelling the file dialog opens nothing") << QByteArray() << QString();
        QTest::newRow("a picture renamed .qrp gives the reader's message")
            << QByteArray("\xFF\xD8\xFF\xE0 JFIF")
            << QStringLiteral("O arquivo \"%1\" não é um currículo salvo pelo Sovranel.");
        QTest::newRow("a cut file gives the reader's message")
            << QByteArray("SOVRQRP\x1a\x01\x00", 10)
            << QStringLiteral("O arquivo \"%1\" está danificado ou incompleto e não pode ser aberto.");
    }
    void reopening()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(QStringLiteral("Ruim.QRP"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        ui::OpenFileDialog::setHook([&](const ui::OpenFileDialog&) -> std::optional<QString> {
            if (content.isEmpty())
                return std::nullopt;
            return path;
        });
        Form1->BitBtn7->click();
        ui::OpenFileDialog::setHook({});
        QVERIFY(previews().isEmpty());
        QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message.arg(path)});
    }

    // A preview open from one file keeps its pages when another file is opened.
    void anEarlierPreviewKeepsItsPages()
    {
        PreparedPages one = Curriculo->report().prepare();
        PreparedPages two = one;
        two.title = QStringLiteral("Curriculo de Outra Pessoa");
        two.pages.pop_back();
        const QString first = m_dir.filePath(QStringLiteral("um.qrp"));
        const QString second = m_dir.filePath(QStringLiteral("dois.QRP"));
        report::saveReportFile(one, first);
        report::saveReportFile(two, second);
        for (const QString& file : {first, second}) {
            ui::OpenFileDialog::setHook(
                [&](const ui::OpenFileDialog&) -> std::optional<QString> { return file; });
            Form1->AbrirCurrculo1->trigger();
        }
        ui::OpenFileDialog::setHook({});
        const auto open = previews();
        QCOMPARE(open.size(), 2);
        const bool firstIsFirst = open[0]->pages() == one;
        QCOMPARE(open[firstIsFirst ? 0 : 1]->pages(), one);
        QCOMPARE(open[firstIsFirst ? 1 : 0]->pages(), two);
        QCOMPARE(open[firstIsFirst ? 0 : 1]->currentPage(), 1);
    }

    // A write that fails shows why, and leaves the dialog ready for another try.
    void aFailedWriteLeavesTheDialogUsable()
    {
        const QString folder = m_dir.filePath(QStringLiteral("ocupada"));
        QDir().mkpath(folder + QStringLiteral("/Maria da Conceição Araújo.QRP"));
        save(folder);
        QCOMPARE(m_messages,
                 QStringList{QStringLiteral("Não foi possível salvar o arquivo \"%1/Maria da Conceição "
                                            "Araújo.QRP\": já existe uma pasta com este nome.")
                                 .arg(folder)});
        QVERIFY(frm_salvar->isVisible());
        QVERIFY(!frm_salvar->progresso->isVisible());
        QVERIFY(frm_salvar->BitBtn1->isVisible() && frm_salvar->BitBtn1->isEnabled());
        QVERIFY(frm_salvar->BitBtn2->isVisible());
        const QString file = save(m_dir.path());
        QVERIFY(!frm_salvar->isVisible());
        QCOMPARE(report::loadReportFile(file).title,
                 QStringLiteral("Curriculo de Maria da Conceição Araújo"));
    }

    // The preview offers the report file between PDF and HTML, and what it writes reopens alike.
    void thePreviewSavesAReportFile()
    {
        QStringList offered;
        for (const report::SaveFormat& f : report::saveFormats())
            offered << f.description;
        QCOMPARE(offered, (QStringList{"Adobe PDF (*.pdf)", "Curriculo (*.qrp)", "Página HTML (*.html)"}));
        const QString path = m_dir.filePath(QStringLiteral("da-visualizacao.qrp"));
        report::PreviewWindow::setSaveDialogHook([&](const QStringList&, const QString&) { return path; });
        report::PreviewWindow preview(Curriculo->report().prepare());
        preview.save();
        report::PreviewWindow::setSaveDialogHook({});
        QCOMPARE(report::loadReportFile(path), preview.pages());
    }

    // The whole-process tool reads a saved résumé in place of a sample, and refuses a bad one.
    void resumeToPdfTakesASavedResume_data()
    {
        QTest::addColumn<QString>("input"); // "saved", "sample" or "bad"
        QTest::addColumn<QString>("out");
        QTest::newRow("a sample to a report file") << "sample"
                                                   << "amostra.qrp";
        QTest::newRow("a saved résumé to PDF") << "saved"
                                               << "saida.pdf";
        QTest::newRow("a saved résumé to another report file") << "saved"
                                                               << "copia.QRP";
        QTest::newRow("a bad file ends in the reader's message") << "bad"
                                                                 << "nunca.pdf";
    }
    void resumeToPdfTakesASavedResume()
    {
        QFETCH(QString, input);
        QFETCH(QString, out);
        const PreparedPages pages = Curriculo->report().prepare();
        QString in = m_dir.filePath(QStringLiteral("entrada.qrp"));
        if (input == QLatin1String("sample")) {
            in = kFull;
        } else if (input == QLatin1String("bad")) {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("%PDF-1.4 not a résumé");
        } else {
            report::saveReportFile(pages, in);
        }
        const QString outPath = m_dir.filePath(out);
        QProcess tool;
        tool.start(QStringLiteral(SOVRANEL_RESUME_TO_PDF), {in, outPath});
        QVERIFY(tool.waitForFinished(60000));
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        if (input == QLatin1String("bad")) {
            QCOMPARE(tool.exitCode(), 1);
            QVERIFY2(err.contains(
                         QStringLiteral("O arquivo \"%1\" não é um currículo salvo pelo Sovranel.").arg(in)),
                     qPrintable(err));
            QVERIFY(!QFile::exists(outPath));
            return;
        }
        QVERIFY2(tool.exitCode() == 0, qPrintable(err));
        if (out.endsWith(QLatin1String(".pdf"))) {
            QFile pdf(outPath);
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        } else if (input == QLatin1String("sample")) {
            QVERIFY(report::loadReportFile(outPath).pageCount() >= 2);
        } else {
            QCOMPARE(report::loadReportFile(outPath), pages);
        }
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
    SaveFlowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_flow.moc"

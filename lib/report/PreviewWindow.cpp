#include "report/PreviewWindow.h"

#include "report/Output.h"

#include "ui/Application.h"
#include "ui/Look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

namespace report {
namespace {

PreviewWindow::SaveDialogHook& saveHook()
{
    static PreviewWindow::SaveDialogHook hook;
    return hook;
}

constexpr double kZoomStep = 1.25;

} // namespace

void PreviewWindow::setSaveDialogHook(SaveDialogHook hook) { saveHook() = std::move(hook); }

// Long but flat: it sets up the printer, the view and the tool bar's table of commands in turn.
PreviewWindow::PreviewWindow(PreparedPages pages, QWidget* parent)
    : QMainWindow(parent), m_pages(std::move(pages)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Report Preview : ") + m_pages.title);
    resize(600, 600);

    const QSizeF mm = m_pages.pageSize * (25.4 / 96.0);
    m_printer->setPageSize(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::FuzzyOrientationMatch));
    m_printer->setPageOrientation(m_pages.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    m_printer->setFullPage(true);
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    m_printer->setDocName(m_pages.title);
    m_printer->setCreator(QStringLiteral("Sovranel 3.1"));

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("view"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &PreviewWindow::paintRequested);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PreviewWindow::updatePageLabel);
    setCentralWidget(m_view);

    auto* bar = addToolBar(QStringLiteral("Visualização"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    struct Command {
        const char* name;
        const char* icon;
        QStyle::StandardPixmap fallback;
        const char* tip;
        void (PreviewWindow::*slot)();
        QKeySequence key;
    };
    const Command commands[] = {
        {"primeira", "go-first", QStyle::SP_MediaSkipBackward, "Primeira página", &PreviewWindow::firstPage,
         QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {"anterior", "go-previous", QStyle::SP_ArrowLeft, "Página anterior", &PreviewWindow::previousPage,
         QKeySequence(Qt::Key_PageUp)},
        {"proxima", "go-next", QStyle::SP_ArrowRight, "Próxima página", &PreviewWindow::nextPage,
         QKeySequence(Qt::Key_PageDown)},
        {"ultima", "go-last", QStyle::SP_MediaSkipForward, "Última página", &PreviewWindow::lastPage,
         QKeySequence(Qt::CTRL | Qt::Key_End)},
        {nullptr, nullptr, {}, nullptr, nullptr, {}},
        {"aumentar", "zoom-in", QStyle::SP_ArrowUp, "Aumentar o zoom", &PreviewWindow::zoomIn,
         QKeySequence::ZoomIn},
        {"diminuir", "zoom-out", QStyle::SP_ArrowDown, "Diminuir o zoom", &PreviewWindow::zoomOut,
         QKeySequence::ZoomOut},
        {"largura",
         "zoom-fit-width",
         QStyle::SP_TitleBarMaxButton,
         "Ajustar à largura da janela",
         &PreviewWindow::fitWidth,
         {}},
        {"inteira",
         "zoom-fit-best",
         QStyle::SP_TitleBarNormalButton,
         "Página inteira",
         &PreviewWindow::wholePage,
         {}},
        {nullptr, nullptr, {}, nullptr, nullptr, {}},
        {"imprimir", "document-print", QStyle::SP_FileDialogDetailedView, "Imprimir", &PreviewWindow::print,
         QKeySequence::Print},
        {"configurar",
         "document-page-setup",
         QStyle::SP_FileDialogInfoView,
         "Configurar a impressora",
         &PreviewWindow::printerSetup,
         {}},
        {"salvar", "document-save-as", QStyle::SP_DialogSaveButton,
         "Salvar em arquivo (PDF, currículo ou HTML)", &PreviewWindow::save, QKeySequence::Save},
        {nullptr, nullptr, {}, nullptr, nullptr, {}},
        {"fechar", "window-close", QStyle::SP_DialogCloseButton, "Fechar a visualização",
         &PreviewWindow::closeWindow, QKeySequence(Qt::Key_Escape)},
    };
    for (const Command& c : commands) {
        if (!c.name) {
            bar->addSeparator();
            continue;
        }
        QAction* a = bar->addAction(ui::themeIcon(c.icon, c.fallback), QString::fromUtf8(c.tip));
        a->setObjectName(QString::fromLatin1(c.name));
        a->setToolTip(QString::fromUtf8(c.tip));
        if (!c.key.isEmpty())
            a->setShortcut(c.key);
        const auto slot = c.slot;
        connect(a, &QAction::triggered, this,
                [this, slot] { ui::guarded([this, slot] { (this->*slot)(); }); });
    }
    bar->addSeparator();
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("pagina"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(m_pageLabel);

    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_view->setZoomFactor(1.0);
    setWindowState(windowState() | Qt::WindowMaximized);
    updatePageLabel();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showAndWait(PreparedPages pages)
{
    // Opened from a modal dialog (the style dialog's OK), the window belongs to that dialog, or the
    // dialog's modality would keep the person from paging, printing or closing it.
    QPointer<PreviewWindow> window = new PreviewWindow(std::move(pages), QApplication::activeModalWidget());
    QEventLoop loop;
    connect(window, &PreviewWindow::closed, &loop, &QEventLoop::quit);
    window->showMaximized();
    if (window)
        loop.exec();
}

int PreviewWindow::currentPage() const { return m_view->currentPage(); }

void PreviewWindow::paintRequested(QPrinter* printer)
{
    QPainter painter(printer);
    paintPages(m_pages, *printer, painter);
}

void PreviewWindow::updatePageLabel()
{
    m_pageLabel->setText(
        QStringLiteral("Página %1 de %2").arg(std::max(1, m_view->currentPage())).arg(m_pages.pageCount()));
}

void PreviewWindow::firstPage()
{
    m_view->setCurrentPage(1);
    updatePageLabel();
}

void PreviewWindow::previousPage()
{
    m_view->setCurrentPage(std::max(1, m_view->currentPage() - 1));
    updatePageLabel();
}

void PreviewWindow::nextPage()
{
    m_view->setCurrentPage(std::min(m_view->pageCount(), m_view->currentPage() + 1));
    updatePageLabel();
}

void PreviewWindow::lastPage()
{
    m_view->setCurrentPage(m_view->pageCount());
    updatePageLabel();
}

void PreviewWindow::closeWindow() { close(); }
void PreviewWindow::zoomIn() { m_view->zoomIn(kZoomStep); }
void PreviewWindow::zoomOut() { m_view->zoomOut(kZoomStep); }
void PreviewWindow::fitWidth() { m_view->fitToWidth(); }
void PreviewWindow::wholePage() { m_view->fitInView(); }

void PreviewWindow::print()
{
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    dialog.setMinMax(1, m_pages.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Only the chosen range goes to the printer.
    PreparedPages chosen = m_pages;
    if (m_printer->printRange() == QPrinter::PageRange && m_printer->fromPage() > 0) {
        const int from = m_printer->fromPage(), to = std::min(m_printer->toPage(), m_pages.pageCount());
        chosen.pages.assign(m_pages.pages.begin() + (from - 1), m_pages.pages.begin() + to);
    }
    printPages(chosen, *m_printer);
}

void PreviewWindow::printerSetup()
{
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("Configurar a impressora"));
    if (dialog.exec() == QDialog::Accepted)
        m_view->updatePreview();
}

void PreviewWindow::save()
{
    QStringList filters;
    for (const SaveFormat& f : saveFormats())
        filters << f.description;
    if (m_lastFolder.isEmpty())
        m_lastFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = m_pages.title.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("Curriculo");
    const QString proposed =
        QDir(m_lastFolder).filePath(name + QLatin1Char('.') + saveFormats().front().suffix);

    QString path;
    QString selected = filters.front();
    if (saveHook()) {
        path = saveHook()(filters, proposed);
    } else {
        path = QFileDialog::getSaveFileName(this, QStringLiteral("Salvar o currículo"), proposed,
                                            filters.join(QStringLiteral(";;")), &selected);
    }
    if (path.isEmpty())
        return;
    // A name typed without a suffix takes the chosen format's.
    if (QFileInfo(path).suffix().isEmpty()) {
        const int chosen = std::max<qsizetype>(0, filters.indexOf(selected));
        path += QLatin1Char('.') + saveFormats()[size_t(chosen)].suffix;
    }
    m_lastFolder = QFileInfo(path).absolutePath();
    saveAs(m_pages, path);
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace report

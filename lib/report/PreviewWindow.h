#pragma once

#include "report/PreparedPages.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace report {

// The preview of prepared pages: paging, zoom, printing, printer set-up and saving. Caption
// "Report Preview : " and the title; it opens maximized at 100 %.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit PreviewWindow(PreparedPages pages, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const PreparedPages& pages() const { return m_pages; }
    QPrintPreviewWidget* view() const { return m_view; }
    int currentPage() const; // from 1

    // Shows the pages in a new window and waits, with the event loop running, until the user
    // closes it. The window is not modal: the rest of the program stays usable meanwhile.
    static void showAndWait(PreparedPages pages);

    // Tests replace the save dialog: given the filters and the proposed one, it returns the
    // chosen path (empty for cancel).
    using SaveDialogHook = std::function<QString(const QStringList& filters, const QString& proposed)>;
    static void setSaveDialogHook(SaveDialogHook hook);

  public slots:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void wholePage();
    void print();
    void printerSetup();
    void save();
    void closeWindow();

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void paintRequested(QPrinter* printer);
    void updatePageLabel();

    PreparedPages m_pages;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QLabel* m_pageLabel = nullptr;
    QString m_lastFolder;
};

} // namespace report

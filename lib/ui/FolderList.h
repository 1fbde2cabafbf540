#pragma once

#include <QListWidget>

namespace ui {

// A folder chooser in one list: the current folder's path from the root down, each an open
// folder one step further in, then the current folder's subfolders. A double-click or Enter on
// a listed folder makes it the current folder; a single click only highlights it.
class FolderList : public QListWidget {
    Q_OBJECT
  public:
    explicit FolderList(QWidget* parent = nullptr);

    // The current folder in the platform's notation, with a trailing separator only at the root.
    QString folder() const;
    // Opens `path`, or the nearest folder above it that still exists.
    void setFolder(const QString& path);
    // Lists the current folder afresh (its subfolders may have changed, or it may be gone).
    void refresh() { setFolder(m_folder); }

  signals:
    void folderChanged(const QString& folder);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fill();
    void open(QListWidgetItem* item);

    QString m_folder; // absolute, clean, with '/' separators
};

} // namespace ui

#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace ui {

// A file-open dialog described as the forms describe it: a title and a filter of
// description and pattern pairs separated by "|" ("Bitmaps (*.bmp)|*.bmp|..."), the entry
// at filterIndex (1-based) selected when it opens. Patterns match without regard to case.
class OpenFileDialog {
  public:
    QString title;
    QString filter;
    int filterIndex = 1;
    // Also list the matching files whose names start with a dot, which the system hides
    // (a file saved under an empty name is such a one). Hidden folders stay out of sight.
    bool listHiddenFiles = false;

    // The file chosen, or nothing when the user cancelled.
    std::optional<QString> execute(QWidget* parent) const;

    // The window execute() shows, set up but not yet shown.
    std::unique_ptr<QFileDialog> makeDialog(QWidget* parent) const;

    // The filter in the toolkit's notation: "Bitmaps (*.bmp *.BMP)" entries, one per pair.
    QStringList nameFilters() const;

    // When set, execute() asks the hook instead of showing a window (tests answer with it).
    using Hook = std::function<std::optional<QString>(const OpenFileDialog&)>;
    static void setHook(Hook hook);
};

} // namespace ui

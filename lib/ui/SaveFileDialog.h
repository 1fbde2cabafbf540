#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace ui {

// A file-save dialog described as the forms describe it: a title, a filter of description
// and pattern pairs separated by "|" (as OpenFileDialog takes it) and the file proposed.
// The filter's first pattern's extension is added to a name typed without one.
class SaveFileDialog {
  public:
    QString title;
    QString filter;
    QString proposed; // a path, or only a file name

    // The file chosen, or nothing when the user cancelled.
    std::optional<QString> execute(QWidget* parent) const;

    // When set, execute() asks the hook instead of showing a window (tests answer with it).
    using Hook = std::function<std::optional<QString>(const SaveFileDialog&)>;
    static void setHook(Hook hook);
};

} // namespace ui

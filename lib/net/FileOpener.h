#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace net {

// Opens a file through the desktop, as a double click would: the shell's "open" with the
// parameters on Windows; the desktop's handler (xdg-open) elsewhere, which takes no
// parameters. Returns false when the desktop refused.
bool openFile(const QString& path, const QString& parameters = {}, QWidget* owner = nullptr);

// When set, openFile() hands its path and parameters to the hook instead (tests record them).
using OpenHook = std::function<bool(const QString& path, const QString& parameters)>;
void setOpenHook(OpenHook hook);

} // namespace net

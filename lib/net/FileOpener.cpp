#include "net/FileOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>
#ifdef _MSC_VER
#pragma comment(lib, "shell32")
#endif
#endif

namespace net {
namespace {

OpenHook& hook()
{
    static OpenHook h;
    return h;
}

} // namespace

void setOpenHook(OpenHook h) { hook() = std::move(h); }

bool openFile(const QString& path, const QString& parameters, QWidget* owner)
{
    if (hook())
        return hook()(path, parameters);
#ifdef Q_OS_WIN
    const QString file = QDir::toNativeSeparators(path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    HWND window = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    const HINSTANCE result =
        ShellExecuteW(window, L"open", reinterpret_cast<LPCWSTR>(file.utf16()),
                      parameters.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(parameters.utf16()),
                      reinterpret_cast<LPCWSTR>(folder.utf16()), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
#else
    Q_UNUSED(parameters);
    Q_UNUSED(owner);
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
#endif
}

} // namespace net

#include "net/ProgramStarter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace net {
namespace {

StartHook& hook()
{
    static StartHook h;
    return h;
}

} // namespace

void setStartHook(StartHook h) { hook() = std::move(h); }

QString executableName(const QString& baseName)
{
#ifdef Q_OS_WIN
    return baseName + QStringLiteral(".exe");
#else
    return baseName;
#endif
}

bool startProgram(const QString& name)
{
    if (hook())
        return hook()(name);
    QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    const QFileInfo beside(path);
    if (!beside.isFile() || !beside.isExecutable())
        path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        return false;
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

} // namespace net

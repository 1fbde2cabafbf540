#include "capture/Backend.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <algorithm>

namespace capture {

namespace {

struct Plugin {
    QString key;
    QString file;
};

QList<Plugin> installedPlugins()
{
    QList<Plugin> plugins;
    for (const QString& path : QCoreApplication::libraryPaths()) {
        const QDir dir(path + QStringLiteral("/multimedia"));
        for (const QString& name : dir.entryList(QDir::Files)) {
            const QString file = dir.filePath(name);
            const QJsonObject meta = QPluginLoader(file).metaData();
            if (meta.value(QStringLiteral("IID")).toString() !=
                QStringLiteral("org.qt-project.Qt.QPlatformMediaPlugin"))
                continue;
            for (const QJsonValue& key :
                 meta.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray())
                plugins.append({key.toString(), file});
        }
    }
    return plugins;
}

bool check()
{
    const QString requested = qEnvironmentVariable("QT_MEDIA_BACKEND");
    QList<Plugin> candidates = installedPlugins();
    // GStreamer first: the desktop's own capture stack, and the toolkit's choice here too.
    std::stable_partition(candidates.begin(), candidates.end(),
                          [](const Plugin& p) { return p.key == QStringLiteral("gstreamer"); });
    for (const Plugin& plugin : candidates) {
        if (!requested.isEmpty() && plugin.key != requested)
            continue;
        // Loading it proves its libraries are there; the toolkit then finds it already loaded.
        QPluginLoader loader(plugin.file);
        if (!loader.load())
            continue;
        if (requested.isEmpty())
            qputenv("QT_MEDIA_BACKEND", plugin.key.toUtf8());
        return true;
    }
    return false;
}

} // namespace

bool backendAvailable()
{
    static const bool available = check();
    return available;
}

} // namespace capture

#pragma once

// Starts tests/online/fixture_server.py on a free 127.0.0.1 port for the life of a test
// executable, and lets each case say what the server holds and read what it was asked.
// Also: putting an entry into a URL cache, as an earlier fetch would have.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDiskCache>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

struct FixtureRequest {
    QString line; // "GET /path HTTP/1.1"
    QList<QPair<QString, QString>> headers;

    QString header(const QString& name) const
    {
        for (const auto& [key, value] : headers)
            if (key.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        return {};
    }
};

class FixtureServer {
  public:
    // Starts the server; check started() before relying on it.
    FixtureServer()
    {
        m_process.setProgram(QStandardPaths::findExecutable(QStringLiteral("python3")));
        m_process.setArguments(
            {QStringLiteral(SOVRANEL_TEST_SOURCE_DIR "/fixture_server.py"), m_root.path()});
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT "))
            m_port = line.mid(5).toInt();
    }

    ~FixtureServer()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool started() const { return m_port > 0; }
    int port() const { return m_port; }
    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port)); }

    // Empties the server's files and its log of requests.
    void reset()
    {
        QDir root(m_root.path());
        for (const QString& entry : root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            QFileInfo info(root.filePath(entry));
            if (info.isDir())
                QDir(info.filePath()).removeRecursively();
            else
                root.remove(entry);
        }
    }

    // Serves `body` at `path`; `mode` ("404", "hang", "slow 0.2", "redirect /x") changes how.
    void serve(const QString& path, const QByteArray& body, const QString& mode = {})
    {
        const QString file = m_root.path() + path;
        QDir().mkpath(QFileInfo(file).path());
        write(file, body);
        if (!mode.isEmpty())
            write(file + QStringLiteral(".mode"), mode.toUtf8());
    }

    QList<FixtureRequest> requests() const
    {
        QList<FixtureRequest> all;
        QFile log(m_root.filePath(QStringLiteral("requests.log")));
        if (!log.open(QIODevice::ReadOnly))
            return all;
        while (!log.atEnd()) {
            const QJsonObject entry = QJsonDocument::fromJson(log.readLine()).object();
            FixtureRequest r;
            r.line = entry.value(QStringLiteral("line")).toString();
            for (const QJsonValue& h : entry.value(QStringLiteral("headers")).toArray())
                r.headers.append({h.toArray().at(0).toString(), h.toArray().at(1).toString()});
            all.append(r);
        }
        return all;
    }

    // The request lines received, in order.
    QStringList requestLines() const
    {
        QStringList lines;
        for (const FixtureRequest& r : requests())
            lines.append(r.line);
        return lines;
    }

  private:
    static void write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
};

// Stores a small body for `url` in the cache, as a fetch of it would have.
// Gives this test process a URL cache of its own, so test programs running side by side
// never share one (the toolkit's test mode would put them all in one folder).
inline void useOwnCacheFolder()
{
    static QTemporaryDir folder;
    qputenv("XDG_CACHE_HOME", folder.path().toLocal8Bit());
}

inline void seedCache(QNetworkDiskCache& cache, const QUrl& url)
{
    QNetworkCacheMetaData meta;
    meta.setUrl(url);
    meta.setSaveToDisk(true);
    meta.setRawHeaders({{"Content-Type", "text/plain"}});
    QIODevice* body = cache.prepare(meta);
    QVERIFY(body);
    body->write("conteúdo");
    cache.insert(body);
}

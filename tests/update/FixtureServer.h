#pragma once

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

// The test web server (fixture_server.py) on a free port of 127.0.0.1, serving the files the
// test puts under its root and recording every request it receives.
class FixtureServer {
  public:
    struct Request {
        QString line;
        QJsonObject headers;
        QString header(const char* name) const { return headers.value(QLatin1String(name)).toString(); }
    };

    FixtureServer()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(python, {QStringLiteral(SOVRANEL_TEST_SOURCE_DIR "/fixture_server.py"), m_root.path(),
                                 logPath()});
        if (m_process.waitForStarted(10000) && m_process.waitForReadyRead(10000))
            m_port = quint16(m_process.readLine().trimmed().toUInt());
    }

    ~FixtureServer()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool isRunning() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    QString root() const { return m_root.path(); }
    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
    }

    void put(const QString& path, const QByteArray& content) const
    {
        const QString file = m_root.filePath(path.mid(1));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }

    // The requests received so far, in order; with a user agent given, only those it sent.
    QList<Request> requests(const QString& userAgent = {}) const
    {
        QList<Request> list;
        QFile f(logPath());
        if (!f.open(QIODevice::ReadOnly))
            return list;
        while (!f.atEnd()) {
            const QJsonObject o = QJsonDocument::fromJson(f.readLine()).object();
            Request r{o.value(QLatin1String("line")).toString(),
                      o.value(QLatin1String("headers")).toObject()};
            if (userAgent.isEmpty() || r.header("User-Agent") == userAgent)
                list.append(r);
        }
        return list;
    }

    QStringList requestLines(const QString& userAgent = {}) const
    {
        QStringList lines;
        for (const Request& r : requests(userAgent))
            lines.append(r.line);
        return lines;
    }

    // Forgets every file served and every request seen.
    void clear() const
    {
        const QDir root(m_root.path());
        for (const QFileInfo& entry :
             root.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (entry.isDir())
                QDir(entry.absoluteFilePath()).removeRecursively();
            else
                QFile::remove(entry.absoluteFilePath());
        }
    }

  private:
    QString logPath() const { return m_root.filePath(QStringLiteral(".requests.log")); }

    QTemporaryDir m_root;
    QProcess m_process;
    quint16 m_port = 0;
};

#include "webupdate/UpdateCheck.h"

#include "webupdate/HttpGet.h"
#include "webupdate/Signature.h"

#include "net/FileOpener.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>

namespace webupdate {

bool UpdateCheck::isSafeFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20)
            return false;
    }
    return true;
}

bool UpdateCheck::isRefusedName(const QString& name, const QStringList& refused)
{
    // Trailing dots and blanks name the same file on some systems.
    QString plain = name;
    while (plain.endsWith(QLatin1Char('.')) || plain.endsWith(QLatin1Char(' ')))
        plain.chop(1);
    const QString stem = plain.section(QLatin1Char('.'), 0, 0);
    for (const QString& entry : refused) {
        const QString& compared = entry.contains(QLatin1Char('.')) ? plain : stem;
        if (compared.compare(entry, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Long but flat: the events in the one order callers rely on, each step ending the check early.
bool UpdateCheck::check()
{
    if (m_running)
        return false;
    m_running = true;
    m_aborted = false;
    m_failure = Failure::None;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{m_running};

    emitEvent(onBeforeGetInfo);
    if (!readInformationPage()) {
        m_info = {};
        emitEvent(onDownloadError);
    }
    emitEvent(onAfterGetInfo);
    if (m_aborted)
        return false;
    if (m_info.productName.isEmpty() || m_info.version.isEmpty()) {
        emitEvent(onDownloadError);
        return false;
    }
    if (!isNewerVersion(m_info.version, productInfo.version, productInfo.versionFormat)) {
        emitEvent(onNoUpdateFound);
        return false;
    }

    bool canUpdate = true;
    emitEvent(onUpdateAvailable, productInfo.version, m_info.version, canUpdate);
    if (!canUpdate || m_aborted)
        return false;

    bool showInfo = true;
    bool checkForUpdate = true;
    emitEvent(onBeforeShowInfo, showInfo, checkForUpdate);
    bool accepted = true;
    if (showInfo && !m_aborted) {
        InfoWindow window(infoCaption, owner);
        window.navigate(productInfo.url);
        accepted = window.exec() == QDialog::Accepted;
        checkForUpdate = window.checkForUpdate();
    }
    emitEvent(onAfterShowInfo, checkForUpdate);
    if (!accepted || m_aborted)
        return false;

    // A name from the page must not reach outside the target folder, nor replace one of the
    // installation's own files (the programs above all).
    if (!isSafeFileName(m_info.clientFileName) || isRefusedName(m_info.clientFileName, refusedNames)) {
        emitEvent(onDownloadError);
        return false;
    }
    QString fileName = clientFilePath();
    emitEvent(onGetClientFileName, fileName);
    if (QFileInfo::exists(fileName)) {
        bool overwrite = options.overwrite;
        emitEvent(onClientFileExists, fileName, overwrite);
        if (!overwrite)
            return false;
    }
    if (m_aborted)
        return false;

    emitEvent(onBeforeDownload, fileName);
    const bool ok =
        !m_info.download.isEmpty() && download(productInfo.url.resolved(QUrl(m_info.download)), fileName);
    if (m_aborted)
        return false;
    if (!ok && m_failure == Failure::None)
        m_failure = Failure::Transfer;
    if (!ok)
        emitEvent(onDownloadError);
    emitEvent(onAfterDownload, fileName, ok);
    if (!ok)
        return false;

    if (options.runUpdate && !net::openFile(fileName, m_info.runParameters, owner))
        emitEvent(onCannotExecute);
    if (options.terminate)
        QCoreApplication::quit();
    return true;
}

bool UpdateCheck::readInformationPage()
{
    m_info = {};
    QUrl url = productInfo.url;
    QSet<QUrl> seen;
    const QDeadlineTimer deadline(infoTimeoutMs);
    for (int page = 0; page < kMaxInfoPages; ++page) {
        if (seen.contains(url))
            return false; // the redirections go round in a circle
        seen.insert(url);
        QBuffer text;
        text.open(QIODevice::WriteOnly);
        if (!transfer(url, &text, false, deadline) || text.data().isEmpty())
            return false;
        const PageInfo read = readPageTags(text.data(), tagInfo);
        if (read.redirection.isEmpty()) {
            m_info = read;
            return true;
        }
        url = url.resolved(QUrl(read.redirection));
    }
    return false;
}

bool UpdateCheck::transfer(const QUrl& url, QIODevice* sink, bool download, QDeadlineTimer deadline)
{
    HttpRequest request;
    request.url = url;
    request.defaultPort = httpPort;
    request.userAgent = "TmxWebUpdate";
    // The credentials are the information page's server's: another server named by a page
    // never sees them.
    if (url.host() == productInfo.url.host() && url.port(httpPort) == productInfo.url.port(httpPort)) {
        request.userName = userName;
        request.password = password;
    }
    request.requireLength = download;
    request.maxBody = download ? -1 : kMaxInfoPageBytes;
    request.idleTimeoutMs = idleTimeoutMs;
    request.deadline = deadline;
    if (download) {
        request.minBytesPerSecond = minDownloadRate;
        request.rateWindowMs = rateWindowMs;
    }
    const HttpResult r = httpGet(
        request, sink, [this](qint64 total, qint64 received) { emitEvent(onDownload, total, received); },
        [this] { return !m_aborted; });
    return r.ok && !m_aborted;
}

bool UpdateCheck::download(const QUrl& url, const QString& fileName)
{
    if (!publicKey.isEmpty())
        return signedDownload(url, fileName);
    // The transfer goes into a temporary file beside the target, which takes the target's
    // place only once the whole announced length arrived: a failed transfer leaves an existing
    // file as it was and no half file under the update's name.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!transfer(url, &file, true, QDeadlineTimer(QDeadlineTimer::Forever))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool UpdateCheck::signedDownload(const QUrl& url, const QString& fileName)
{
    if (m_info.signature.isEmpty()) {
        m_failure = Failure::Signature;
        return false;
    }
    // The bytes go to a hidden file beside the target first; only a download whose signature
    // verifies takes the target's place, and a bad one leaves an existing file as it was.
    QTemporaryFile received(QFileInfo(fileName).absolutePath() + QStringLiteral("/.update-XXXXXX"));
    if (!received.open() || !transfer(url, &received, true, QDeadlineTimer(QDeadlineTimer::Forever)) ||
        !received.flush())
        return false;
    if (!fileSignatureValid(received.fileName(), m_info.signature.toLatin1(), publicKey)) {
        m_failure = Failure::Signature;
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !received.seek(0))
        return false;
    while (!received.atEnd()) {
        const QByteArray block = received.read(1 << 20);
        if (block.isEmpty() || file.write(block) != block.size()) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

QString UpdateCheck::clientFilePath() const
{
    const QString folder =
        QDir(targetFolder).exists() && !targetFolder.isEmpty() ? targetFolder : QDir::tempPath();
    return QDir::toNativeSeparators(QDir(folder).filePath(m_info.clientFileName));
}

} // namespace webupdate

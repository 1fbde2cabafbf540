#pragma once

#include "webupdate/InfoWindow.h"
#include "webupdate/PageTags.h"
#include "webupdate/VersionRule.h"

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QIODevice;
class QWidget;

namespace webupdate {

struct ProductInfo {
    QUrl url;                              // the information page
    QString version = QStringLiteral("0"); // ours, compared with the published one
    VersionFormat versionFormat = VersionFormat::Standard;
};

struct UpdateOptions {
    bool runUpdate = true;  // open the downloaded file
    bool overwrite = true;  // replace a file of the same name
    bool terminate = false; // quit the application after opening the file
};

// Bounds that keep a wrong or hostile server from holding the check.
constexpr int kMaxInfoPages = 10;             // pages in an "mxRedirection" chain
constexpr qint64 kMaxInfoPageBytes = 1 << 20; // one information page

// One update check: reads the information page (following its redirections), compares the
// published version with ours, asks through its events, shows the page, downloads the update
// file into the target folder and opens it. Every step is reported through the event members,
// in this order: beforeGetInfo, (download progress, downloadError), afterGetInfo, then either
// downloadError or noUpdateFound, or updateAvailable, beforeShowInfo, afterShowInfo,
// getClientFileName, clientFileExists, beforeDownload, download progress, (downloadError),
// afterDownload, and cannotExecute when the desktop refuses to open the file.
class UpdateCheck {
  public:
    TagNames tagInfo;
    ProductInfo productInfo;
    InfoCaptions infoCaption;
    UpdateOptions options;
    quint16 httpPort = 80;
    QString userName;
    QString password;
    QString targetFolder;     // where the update file goes; the temporary folder when it is missing
    QWidget* owner = nullptr; // parent of the information window
    // Names the download may never take: the installation's own files in the target folder. An
    // entry without an extension ("Sovranel") stands for that name with any extension; every
    // entry matches in any letter case.
    QStringList refusedNames;
    // The publisher's Ed25519 public key, in base64. When set, a download is kept and opened
    // only when the page's signature of its exact bytes verifies against it; when empty,
    // downloads are not signed.
    QByteArray publicKey;
    int idleTimeoutMs = 30000;
    // The information page and all its redirections together must come within this time.
    int infoTimeoutMs = 60000;
    // A download fails when fewer bytes a second than this arrive on average over a window.
    qint64 minDownloadRate = 1024;
    int rateWindowMs = 30000;

    std::function<void()> onBeforeGetInfo;
    std::function<void()> onAfterGetInfo;
    std::function<void()> onDownloadError;
    std::function<void()> onNoUpdateFound;
    std::function<void(const QString& actualVersion, const QString& newVersion, bool& canUpdate)>
        onUpdateAvailable;
    std::function<void(bool& showInfo, bool& checkForUpdate)> onBeforeShowInfo;
    std::function<void(bool checkForUpdate)> onAfterShowInfo;
    std::function<void(QString& fileName)> onGetClientFileName;
    std::function<void(QString& fileName, bool& overwrite)> onClientFileExists;
    std::function<void(const QString& fileName)> onBeforeDownload;
    std::function<void(qint64 total, qint64 downloaded)> onDownload;
    std::function<void(const QString& fileName, bool succeeded)> onAfterDownload;
    std::function<void()> onCannotExecute;

    // Runs one check. A call made while a check runs (from an event handler or a click served
    // during a transfer) returns false at once. Returns whether an update was downloaded.
    bool check();

    // Ends a running check at its next step, without further events (its window is closing).
    void abort() { m_aborted = true; }
    bool isRunning() const { return m_running; }

    // Why the last download failed: a failed transfer, or a missing or wrong signature.
    enum class Failure { None, Transfer, Signature };
    Failure failure() const { return m_failure; }

    // What the last information page said.
    const PageInfo& info() const { return m_info; }

    // Whether a client-side file name stays inside the target folder: a plain file name, with
    // no folder part and no "." or "..".
    static bool isSafeFileName(const QString& name);

    // Whether a client-side file name is one of `refused` (see refusedNames).
    static bool isRefusedName(const QString& name, const QStringList& refused);

  private:
    bool readInformationPage();
    bool transfer(const QUrl& url, QIODevice* sink, bool download, QDeadlineTimer deadline);
    bool download(const QUrl& url, const QString& fileName);
    bool signedDownload(const QUrl& url, const QString& fileName);
    QString clientFilePath() const;
    template <typename F, typename... A> void emitEvent(const F& f, A&&... args)
    {
        if (f && !m_aborted)
            f(std::forward<A>(args)...);
    }

    PageInfo m_info;
    Failure m_failure = Failure::None;
    bool m_running = false;
    bool m_aborted = false;
};

} // namespace webupdate

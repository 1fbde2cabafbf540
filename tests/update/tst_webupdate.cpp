#include "FixtureServer.h"
#include "UpdateFixtures.h"

#include "net/FileOpener.h"
#include "webupdate/PageTags.h"
#include "webupdate/Signature.h"
#include "webupdate/UpdateCheck.h"
#include "webupdate/VersionRule.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>

#include <algorithm>
#include <memory>

using webupdate::UpdateCheck;

class WebUpdateTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tagLines_data();
    void tagLines();
    void pages_data();
    void pages();
    void versionRule_data();
    void versionRule();

    void wholeCheck_data();
    void wholeCheck();
    void silentEnds_data();
    void silentEnds();
    void redirectionPages_data();
    void redirectionPages();
    void existingFileIsOverwrittenWithoutQuestion();
    void failedDownloadLeavesTheOldFile_data();
    void failedDownloadLeavesTheOldFile();
    void failedInformationPage_data();
    void failedInformationPage();
    void informationPageHasATotalBound();
    void signToolMakesKeysAndSignatures();
    void signedDownloads_data();
    void signedDownloads();
    void credentialsStayWithThePagesServer();
    void unsafeClientNameIsRefused_data();
    void unsafeClientNameIsRefused();
    void namesLikeTheProgramsAreNotRefused();
    void missingTargetFolderMeansTheTemporaryFolder();
    void checkWhileRunningIsIgnored();
    void infoWindowKeepsItsButtonsCentred_data();
    void infoWindowKeepsItsButtonsCentred();

  private:
    QString target(const QString& name) const
    {
        return QDir::toNativeSeparators(QDir(m_target).filePath(name));
    }
    QStringList eventsWithoutProgress() const
    {
        QStringList e = m_events;
        e.removeAll(QStringLiteral("download"));
        return e;
    }
    void publish(const QString& download, const QString& clientName = QStringLiteral("setup.bin"));

    std::unique_ptr<FixtureServer> m_server;
    QTemporaryDir m_work;
    QTemporaryDir m_keys; // the publisher's side of the signed cases
    QString m_target;
    std::unique_ptr<UpdateCheck> m_check;
    QStringList m_events;
    QList<QPair<qint64, qint64>> m_progress;
    QStringList m_opened;
    bool m_desktopOpens = true;
    bool m_canUpdate = true;
    InfoWindowAnswer m_info;
    QByteArray m_update;
};

void WebUpdateTest::initTestCase()
{
    m_server = std::make_unique<FixtureServer>();
    QVERIFY2(m_server->started(), "the test web server did not start");
    net::setOpenHook([this](const QString& path, const QString& parameters) {
        m_opened.append(path + QLatin1Char('|') + parameters);
        return m_desktopOpens;
    });
    m_update.resize(300 * 1024);
    QRandomGenerator gen(7);
    for (char& c : m_update)
        c = char(gen.bounded(256));
}

void WebUpdateTest::init()
{
    m_server->clear();
    m_events.clear();
    m_progress.clear();
    m_opened.clear();
    m_desktopOpens = true;
    m_canUpdate = true;
    m_target = m_work.filePath(QStringLiteral("target/"));
    QDir(m_target).removeRecursively();
    QDir().mkpath(m_target);
    m_server->serve(QStringLiteral("/files/setup.bin"), m_update);

    m_check = std::make_unique<UpdateCheck>();
    UpdateCheck& u = *m_check;
    u.productInfo.url = m_server->url(QStringLiteral("/sovranel/update.htm"));
    u.targetFolder = m_target;
    u.idleTimeoutMs = 10000;
    u.rateWindowMs = 1000;
    u.refusedNames = {QStringLiteral("Sovranel"), QStringLiteral("update"), QStringLiteral("qt.conf")};
    auto note = [this](const QString& e) { m_events.append(e); };
    auto yes = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    u.onBeforeGetInfo = [=] { note(QStringLiteral("beforeGetInfo")); };
    u.onAfterGetInfo = [=] { note(QStringLiteral("afterGetInfo")); };
    u.onDownloadError = [=] { note(QStringLiteral("downloadError")); };
    u.onNoUpdateFound = [=] { note(QStringLiteral("noUpdateFound")); };
    u.onUpdateAvailable = [=, this](const QString& actual, const QString& published, bool& canUpdate) {
        note(QStringLiteral("updateAvailable %1 %2").arg(actual, published));
        QVERIFY(canUpdate);
        canUpdate = m_canUpdate;
    };
    u.onBeforeShowInfo = [=](bool& showInfo, bool& checkForUpdate) {
        note(QStringLiteral("beforeShowInfo %1 %2").arg(yes(showInfo), yes(checkForUpdate)));
    };
    u.onAfterShowInfo = [=](bool checkForUpdate) {
        note(QStringLiteral("afterShowInfo ") + yes(checkForUpdate));
    };
    u.onGetClientFileName = [=](QString& fileName) { note(QStringLiteral("getClientFileName ") + fileName); };
    u.onClientFileExists = [=](QString& fileName, bool& overwrite) {
        note(QStringLiteral("clientFileExists %1 %2").arg(fileName, yes(overwrite)));
    };
    u.onBeforeDownload = [=](const QString& fileName) { note(QStringLiteral("beforeDownload ") + fileName); };
    u.onDownload = [=, this](qint64 total, qint64 downloaded) {
        if (m_events.value(m_events.size() - 1) != QLatin1String("download"))
            note(QStringLiteral("download"));
        m_progress.append({total, downloaded});
    };
    u.onAfterDownload = [=](const QString& fileName, bool ok) {
        note(QStringLiteral("afterDownload %1 %2")
                 .arg(fileName, ok ? QStringLiteral("ok") : QStringLiteral("failed")));
    };
    u.onCannotExecute = [=] { note(QStringLiteral("cannotExecute")); };
}

void WebUpdateTest::cleanup()
{
    m_info.stop();
    m_check.reset();
}

void WebUpdateTest::publish(const QString& download, const QString& clientName)
{
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", QStringLiteral("Sovranel")},
                              {"mxVersion", QStringLiteral("3.1.0.7")},
                              {"mxAuthor", QStringLiteral("Equipe Sovranel")},
                              {"mxEmail", QStringLiteral("contato@sovranel.com.br")},
                              {"mxDownload", download},
                              {"mxClientSideName", clientName},
                              {"mxRunParameters", QStringLiteral("/silent")}}));
}

// ---- the page reader and the version rule

void WebUpdateTest::tagLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("carries");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("a meta name in capitals carries a tag")
        << R"(<META NAME="mxProduct" CONTENT="Sovranel">)" << true << "mxProduct"
        << "Sovranel";
    QTest::newRow("a meta name in lower case carries none")
        << R"(<meta name="mxProduct" content="Sovranel">)" << false << ""
        << "";
    QTest::newRow("a blank before the equals sign carries none")
        << R"(<META NAME ="mxProduct" CONTENT="Sovranel">)" << false << ""
        << "";
    QTest::newRow("the content attribute may be written in any case")
        << R"(<META NAME="mxVersion" cOnTeNt="3.1.0.7">)" << true << "mxVersion"
        << "3.1.0.7";
    QTest::newRow("blanks may stand between CONTENT= and its quote")
        << R"(<META NAME="mxVersion" CONTENT= "3.1">)" << true << "mxVersion"
        << "3.1";
    QTest::newRow("a tag without CONTENT= has an empty value")
        << R"(<META NAME="mxAuthor">)" << true << "mxAuthor"
        << "";
    QTest::newRow("a value without its closing quote runs to the end of the line")
        << R"(<META NAME="mxAuthor" CONTENT="Equipe)" << true << "mxAuthor"
        << "Equipe";
    QTest::newRow("names are cut at 255 characters")
        << QStringLiteral(R"(<META NAME="%1" CONTENT="x">)").arg(QString(300, QLatin1Char('n'))) << true
        << QString(255, QLatin1Char('n')) << "x";
    QTest::newRow("values are cut at 255 characters")
        << QStringLiteral(R"(<META NAME="mxProduct" CONTENT="%1">)").arg(QString(300, QLatin1Char('v')))
        << true << "mxProduct" << QString(255, QLatin1Char('v'));
}

void WebUpdateTest::tagLines()
{
    QFETCH(QString, line);
    QString name;
    QString value;
    QTEST(webupdate::readTagLine(line, &name, &value), "carries");
    if (webupdate::readTagLine(line, &name, &value)) {
        QTEST(name, "name");
        QTEST(value, "value");
    }
}

void WebUpdateTest::pages_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("version");

    QTest::newRow("the last occurrence of a name counts")
        << QByteArray("<META NAME=\"mxProduct\" CONTENT=\"Old\">\n<META NAME=\"mxVersion\" CONTENT=\"1\">\n"
                      "<META NAME=\"mxProduct\" CONTENT=\"New\">\n")
        << "New"
        << "1";
    QTest::newRow("names are case-sensitive")
        << QByteArray("<META NAME=\"mxproduct\" CONTENT=\"x\">\n<META NAME=\"MXVERSION\" CONTENT=\"1\">\n")
        << ""
        << "";
    QTest::newRow("a page without mxProduct gives no product")
        << QByteArray("<META NAME=\"mxVersion\" CONTENT=\"2.0\">\n") << ""
        << "2.0";
    QTest::newRow("a page without mxVersion gives no version")
        << QByteArray("<META NAME=\"mxProduct\" CONTENT=\"Sovranel\">") << "Sovranel"
        << "";
    QTest::newRow("lines end with CR, LF or CR LF")
        << QByteArray("<META NAME=\"mxProduct\" CONTENT=\"A\">\r<META NAME=\"mxVersion\" CONTENT=\"2\">\r\n"
                      "<META NAME=\"mxProduct\" CONTENT=\"B\">")
        << "B"
        << "2";
    QTest::newRow("one tag per line: a second one on the line is not read")
        << QByteArray("<META NAME=\"mxProduct\" CONTENT=\"A\"><META NAME=\"mxVersion\" CONTENT=\"2\">") << "A"
        << "";
    QTest::newRow("a UTF-8 page")
        << QStringLiteral("<META NAME=\"mxProduct\" CONTENT=\"Currículo\">").toUtf8() << "Currículo"
        << "";
    QTest::newRow("a Latin-1 page")
        << QStringLiteral("<META NAME=\"mxProduct\" CONTENT=\"Currículo\">").toLatin1() << "Currículo"
        << "";
}

void WebUpdateTest::pages()
{
    QFETCH(QByteArray, page);
    const webupdate::PageInfo info = webupdate::readPageTags(page);
    QTEST(info.productName, "product");
    QTEST(info.version, "version");
}

void WebUpdateTest::versionRule_data()
{
    QTest::addColumn<QString>("published");
    QTest::addColumn<QString>("ours");
    QTest::addColumn<bool>("newer");

    QTest::newRow("3.1.0.7 is newer than 0") << "3.1.0.7"
                                             << "0" << true;
    QTest::newRow("1 is newer than 0") << "1"
                                       << "0" << true;
    QTest::newRow("0.9 is not newer than 0: only our one part is compared") << "0.9"
                                                                            << "0" << false;
    QTest::newRow("a part that is no number counts as 0") << "a"
                                                          << "0" << false;
    QTest::newRow("parts are numbers, not text") << "3.10"
                                                 << "3.9" << true;
    QTest::newRow("the first differing part decides") << "3.0.9"
                                                      << "3.1.0" << false;
    QTest::newRow("an equal version is not newer") << "3.1.0.6"
                                                   << "3.1.0.6" << false;
    QTest::newRow("a missing part counts as 0") << "3.1"
                                                << "3.1.0.6" << false;
    QTest::newRow("a later build is newer") << "3.1.0.7"
                                            << "3.1.0.6" << true;
}

void WebUpdateTest::versionRule()
{
    QFETCH(QString, published);
    QFETCH(QString, ours);
    QTEST(webupdate::isNewerVersion(published, ours), "newer");
}

// ---- checks against the test web server

void WebUpdateTest::wholeCheck_data()
{
    QTest::addColumn<bool>("portInAddress");
    QTest::addColumn<QString>("download");
    QTest::addColumn<QStringList>("downloadRequests");
    QTest::addColumn<QString>("downloadHost");
    QTest::addColumn<bool>("desktopOpens");

    const QString port = QString::number(m_server->port());
    QTest::newRow("a bare download path is fetched from the page's host")
        << true << "/files/setup.bin" << QStringList{"GET /files/setup.bin HTTP/1.0"} << "127.0.0.1:" + port
        << true;
    QTest::newRow("a full download address is fetched from its own host")
        << true << "http://localhost:" + port + "/files/setup.bin"
        << QStringList{"GET /files/setup.bin HTTP/1.0"} << "localhost:" + port << true;
    QTest::newRow("an HTTP redirection of the download is followed")
        << true << "/redirect/files/setup.bin"
        << QStringList{"GET /redirect/files/setup.bin HTTP/1.0", "GET /files/setup.bin HTTP/1.0"}
        << "127.0.0.1:" + port << true;
    QTest::newRow("a server that keeps the connection open after the whole file")
        << true << "/keepopen/files/setup.bin" << QStringList{"GET /keepopen/files/setup.bin HTTP/1.0"}
        << "127.0.0.1:" + port << true;
    QTest::newRow("an address without a port is fetched on HTTPPort")
        << false << "/files/setup.bin" << QStringList{"GET /files/setup.bin HTTP/1.0"} << "127.0.0.1:" + port
        << true;
    QTest::newRow("a file the desktop cannot open ends in cannotExecute")
        << true << "/files/setup.bin" << QStringList{"GET /files/setup.bin HTTP/1.0"} << "127.0.0.1:" + port
        << false;
}

void WebUpdateTest::wholeCheck()
{
    QFETCH(bool, portInAddress);
    QFETCH(QString, download);
    QFETCH(QStringList, downloadRequests);
    QFETCH(bool, desktopOpens);
    publish(download);
    if (!portInAddress) {
        m_check->productInfo.url = QUrl(QStringLiteral("http://127.0.0.1/sovranel/update.htm"));
        m_check->httpPort = m_server->port();
    }
    m_desktopOpens = desktopOpens;
    m_info.answer(true);

    QVERIFY(m_check->check());

    const QString file = target(QStringLiteral("setup.bin"));
    QStringList expected{"beforeGetInfo",
                         "download",
                         "afterGetInfo",
                         "updateAvailable 0 3.1.0.7",
                         "beforeShowInfo true true",
                         "afterShowInfo true",
                         "getClientFileName " + file,
                         "beforeDownload " + file,
                         "download",
                         "afterDownload " + file + " ok"};
    if (!desktopOpens)
        expected << "cannotExecute";
    QCOMPARE(m_events, expected);
    QCOMPARE(m_progress.last(), qMakePair(qint64(m_update.size()), qint64(m_update.size())));
    QList<qint64> downloaded;
    for (const auto& [total, got] : m_progress) {
        if (total == m_update.size())
            downloaded << got;
    }
    QVERIFY(std::is_sorted(downloaded.cbegin(), downloaded.cend()));

    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == m_update);
    QCOMPARE(QDir(m_target).entryList(QDir::Files | QDir::Hidden), QStringList{"setup.bin"});
    QCOMPARE(m_opened, QStringList{file + "|/silent"});
    QCOMPARE(m_check->info().author, QStringLiteral("Equipe Sovranel"));

    const QList<FixtureRequest> requests = m_server->requests(QStringLiteral("TmxWebUpdate"));
    QCOMPARE(requests.size(), 1 + downloadRequests.size());
    QCOMPARE(requests[0].line, QStringLiteral("GET /sovranel/update.htm HTTP/1.0"));
    QCOMPARE(requests[0].header("Cache-Control"), QStringLiteral("no-cache"));
    QCOMPARE(requests[0].header("Pragma"), QStringLiteral("no-cache"));
    for (int i = 0; i < downloadRequests.size(); ++i)
        QCOMPARE(requests[1 + i].line, downloadRequests[i]);
    QTEST(requests[1].header("Host"), "downloadHost");

    QVERIFY(m_info.seen.shown);
    QCOMPARE(m_info.seen.caption, QStringLiteral("mxWebUpdate"));
    QCOMPARE(m_info.seen.outerSize, QSize(530, 453));
    QCOMPARE(m_info.seen.checkBox, QStringLiteral("Perguntar no futuro."));
    QVERIFY(m_info.seen.ticked);
    QCOMPARE(m_info.seen.ok, QStringLiteral("&OK"));
    QCOMPARE(m_info.seen.cancel, QStringLiteral("&Cancelar"));
    QVERIFY(m_info.seen.okIsDefault);
    QCOMPARE(m_info.seen.page, m_check->productInfo.url);
}

void WebUpdateTest::silentEnds_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("answering No to the update ends the check")
        << false << QStringList{"beforeGetInfo", "download", "afterGetInfo", "updateAvailable 0 3.1.0.7"};
    QTest::newRow("pressing Cancelar in the information window ends the check")
        << true << QStringList{"beforeGetInfo",
                               "download",
                               "afterGetInfo",
                               "updateAvailable 0 3.1.0.7",
                               "beforeShowInfo true true",
                               "afterShowInfo true"};
}

void WebUpdateTest::silentEnds()
{
    QFETCH(bool, answerYes);
    publish(QStringLiteral("/files/setup.bin"));
    m_canUpdate = answerYes;
    m_info.answer(false);

    QVERIFY(!m_check->check());

    QTEST(m_events, "events");
    QCOMPARE(m_info.seen.shown, answerYes);
    QCOMPARE(m_server->requestLines(QStringLiteral("TmxWebUpdate")),
             QStringList{"GET /sovranel/update.htm HTTP/1.0"});
    QVERIFY(QDir(m_target).isEmpty());
    QVERIFY(m_opened.isEmpty());
}

void WebUpdateTest::redirectionPages_data()
{
    QTest::addColumn<QString>("redirection");

    QTest::newRow("a path on the same server") << "/sovranel/moved.htm";
    QTest::newRow("a name beside the page") << "moved.htm";
    QTest::newRow("a full address")
        << QStringLiteral("http://127.0.0.1:%1/sovranel/moved.htm").arg(m_server->port());
}

void WebUpdateTest::redirectionPages()
{
    QFETCH(QString, redirection);
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", "Old"}, {"mxVersion", "9"}, {"mxRedirection", redirection}}));
    m_server->serve(QStringLiteral("/sovranel/moved.htm"),
                    infoPage({{"mxProduct", "Sovranel"}, {"mxVersion", "3.1.0.7"}}));
    m_canUpdate = false;

    m_check->check();

    QCOMPARE(m_check->info().productName, QStringLiteral("Sovranel"));
    QCOMPARE(eventsWithoutProgress().last(), QStringLiteral("updateAvailable 0 3.1.0.7"));
    QCOMPARE(m_server->requestLines(QStringLiteral("TmxWebUpdate")),
             (QStringList{"GET /sovranel/update.htm HTTP/1.0", "GET /sovranel/moved.htm HTTP/1.0"}));
}

void WebUpdateTest::existingFileIsOverwrittenWithoutQuestion()
{
    publish(QStringLiteral("/files/setup.bin"));
    const QString file = target(QStringLiteral("setup.bin"));
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the previous update");
    }
    m_info.answer(true);

    QVERIFY(m_check->check());

    QVERIFY(m_events.contains("clientFileExists " + file + " true"));
    QCOMPARE(m_events.indexOf("clientFileExists " + file + " true"),
             m_events.indexOf("getClientFileName " + file) + 1);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == m_update);
}

void WebUpdateTest::failedDownloadLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("download");
    QTest::addColumn<bool>("oldFile");

    QTest::newRow("no Content-Length") << "/nolength/files/setup.bin" << true;
    QTest::newRow("no Content-Length and no earlier file: nothing is left")
        << "/nolength/files/setup.bin" << false;
    QTest::newRow("a Content-Length larger than the body") << "/longer/files/setup.bin" << true;
    QTest::newRow("a Content-Length smaller than the body") << "/shorter/files/setup.bin" << true;
    QTest::newRow("an error status with a body") << "/404/files/setup.bin" << true;
    QTest::newRow("a file the server does not have") << "/files/none.bin" << false;
    QTest::newRow("a page without mxDownload") << "" << true;
    QTest::newRow("a download that trickles below the least rate") << "/trickle/files/setup.bin" << true;
}

void WebUpdateTest::failedDownloadLeavesTheOldFile()
{
    QFETCH(QString, download);
    QFETCH(bool, oldFile);
    publish(download);
    const QString file = target(QStringLiteral("setup.bin"));
    if (oldFile) {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the previous update");
    }
    m_info.answer(true);

    QVERIFY(!m_check->check());

    QStringList tail{"getClientFileName " + file};
    if (oldFile)
        tail << "clientFileExists " + file + " true";
    tail << "beforeDownload " + file << "downloadError"
         << "afterDownload " + file + " failed";
    QCOMPARE(eventsWithoutProgress().mid(5), tail);
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(QDir(m_target).entryList(QDir::Files | QDir::Hidden),
             oldFile ? QStringList{"setup.bin"} : QStringList{});
    if (oldFile) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("the previous update"));
    }
}

namespace {
// Runs the publisher's tool; its first line of output.
QByteArray signTool(const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess tool;
    tool.start(QStringLiteral(SOVRANEL_SIGN_TOOL), arguments);
    tool.waitForFinished(10000);
    if (exitCode)
        *exitCode = tool.exitCode();
    return tool.readAllStandardOutput().trimmed();
}
} // namespace

// keygen prints a public key and keeps the secret key for its owner alone, never over an
// existing one; sign prints a signature.
void WebUpdateTest::signToolMakesKeysAndSignatures()
{
    const QString secret = m_keys.filePath(QStringLiteral("tool.key"));
    QFile::remove(secret);
    int code = -1;
    const QByteArray publicKey = signTool({QStringLiteral("keygen"), secret}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(QByteArray::fromBase64(publicKey).size(), 32);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFile(secret).permissions() & others, QFileDevice::Permissions());
    signTool({QStringLiteral("keygen"), secret}, &code);
    QCOMPARE(code, 1);
    const QString file = m_keys.filePath(QStringLiteral("tool.bin"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(m_update);
    f.close();
    const QByteArray signature = signTool({QStringLiteral("sign"), secret, file}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(QByteArray::fromBase64(signature).size(), 64);
    QVERIFY(webupdate::fileSignatureValid(file, signature, publicKey));
}

// With a key in the build, the download is kept and opened only when the page's signature of
// its exact bytes verifies; anything else fails like a cut transfer, and the old file stays.
void WebUpdateTest::signedDownloads_data()
{
    QTest::addColumn<QString>("signature"); // "good", "other", or the page's text itself
    QTest::addColumn<bool>("kept");
    QTest::newRow("the publisher's signature of the file") << "good" << true;
    QTest::newRow("no signature on the page") << "" << false;
    QTest::newRow("the signature of other bytes") << "other" << false;
    QTest::newRow("a signature that is no base64") << "não é uma assinatura" << false;
    QTest::newRow("a signature of the wrong length") << "c2hvcnQ=" << false;
}

void WebUpdateTest::signedDownloads()
{
    QFETCH(QString, signature);
    QFETCH(bool, kept);
    const QString secret = m_keys.filePath(QStringLiteral("publisher.key"));
    static QByteArray publicKey;
    if (publicKey.isEmpty())
        publicKey = signTool({QStringLiteral("keygen"), secret});
    QVERIFY(!publicKey.isEmpty());
    const QString signedFile = m_keys.filePath(QStringLiteral("signed.bin"));
    QFile f(signedFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(signature == QLatin1String("other") ? QByteArray("another installer") : m_update);
    f.close();
    if (signature == QLatin1String("good") || signature == QLatin1String("other"))
        signature = QString::fromLatin1(signTool({QStringLiteral("sign"), secret, signedFile}));

    m_server->serve(QStringLiteral("/sovranel/update.htm"), infoPage({{"mxProduct", "Sovranel"},
                                                                      {"mxVersion", "3.1.0.7"},
                                                                      {"mxDownload", "/files/setup.bin"},
                                                                      {"mxClientSideName", "setup.bin"},
                                                                      {"mxSignature", signature}}));
    QFile old(target(QStringLiteral("setup.bin")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the previous update");
    old.close();
    m_check->publicKey = publicKey;
    m_info.answer(true);

    QCOMPARE(m_check->check(), kept);

    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), kept ? m_update : QByteArray("the previous update"));
    QCOMPARE(m_opened.size(), kept ? 1 : 0);
    QCOMPARE(m_check->failure(), kept ? UpdateCheck::Failure::None : UpdateCheck::Failure::Signature);
    QCOMPARE(QDir(m_target).entryList(QDir::Files | QDir::Hidden), QStringList{"setup.bin"});
}

// A server that sends a byte now and then is never silent for long, yet must not hold the check.
void WebUpdateTest::informationPageHasATotalBound()
{
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", "Sovranel"}, {"mxVersion", "5"}}), QStringLiteral("trickle"));
    m_check->infoTimeoutMs = 1500;

    QVERIFY(!m_check->check());

    QCOMPARE(m_events, (QStringList{"beforeGetInfo", "downloadError", "afterGetInfo", "downloadError"}));
}

// The user name and password go to the information page's own server alone: not to another
// server a redirection leads to, nor to one the page names for the download.
void WebUpdateTest::credentialsStayWithThePagesServer()
{
    const QString elsewhere = QStringLiteral("http://localhost:%1").arg(m_server->port());
    m_server->serve(QStringLiteral("/sovranel/update.htm"), {},
                    QStringLiteral("redirect ") + elsewhere + QStringLiteral("/sovranel/real.htm"));
    m_server->serve(QStringLiteral("/sovranel/real.htm"),
                    infoPage({{"mxProduct", "Sovranel"},
                              {"mxVersion", "3.1.0.7"},
                              {"mxDownload", elsewhere + QStringLiteral("/files/setup.bin")},
                              {"mxClientSideName", "setup.bin"}}));
    m_check->userName = QStringLiteral("ana");
    m_check->password = QStringLiteral("segredo");
    m_info.answer(true);

    QVERIFY(m_check->check());

    const QList<FixtureRequest> requests = m_server->requests(QStringLiteral("TmxWebUpdate"));
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[0].header("Authorization"),
             QStringLiteral("Basic ") + QByteArray("ana:segredo").toBase64());
    QCOMPARE(requests[1].line, QStringLiteral("GET /sovranel/real.htm HTTP/1.0"));
    QCOMPARE(requests[1].header("Authorization"), QString());
    QCOMPARE(requests[2].line, QStringLiteral("GET /files/setup.bin HTTP/1.0"));
    QCOMPARE(requests[2].header("Authorization"), QString());
}

void WebUpdateTest::failedInformationPage_data()
{
    QTest::addColumn<QVariantMap>("pages");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("pageRequests");

    const QStringList failed{"beforeGetInfo", "downloadError", "afterGetInfo", "downloadError"};
    const QString page = QStringLiteral("/sovranel/update.htm");
    const auto redirect = [](const QString& to) {
        return infoPage({{"mxProduct", "Sovranel"}, {"mxVersion", "5"}, {"mxRedirection", to}});
    };

    QTest::newRow("the server is unreachable") << QVariantMap{} << false << failed << 0;
    QTest::newRow("the page is missing") << QVariantMap{} << true << failed << 1;
    QTest::newRow("the page is empty") << QVariantMap{{page, QByteArray()}} << true << failed << 1;
    QTest::newRow("the page has no mxProduct")
        << QVariantMap{{page, infoPage({{"mxVersion", "3.1.0.7"}})}} << true
        << QStringList{"beforeGetInfo", "afterGetInfo", "downloadError"} << 1;
    QTest::newRow("the page has no mxVersion")
        << QVariantMap{{page, infoPage({{"mxProduct", "Sovranel"}})}} << true
        << QStringList{"beforeGetInfo", "afterGetInfo", "downloadError"} << 1;
    QTest::newRow("the published version 0.9 is not newer")
        << QVariantMap{{page, infoPage({{"mxProduct", "Sovranel"}, {"mxVersion", "0.9"}})}} << true
        << QStringList{"beforeGetInfo", "afterGetInfo", "noUpdateFound"} << 1;
    QTest::newRow("redirection pages that point at each other")
        << QVariantMap{{page, redirect("/sovranel/b.htm")},
                       {"/sovranel/b.htm", redirect("/sovranel/update.htm")}}
        << true << failed << 2;
    QVariantMap chain{{page, redirect("/p1.htm")}};
    for (int i = 1; i < 12; ++i)
        chain.insert(QStringLiteral("/p%1.htm").arg(i), redirect(QStringLiteral("/p%1.htm").arg(i + 1)));
    QTest::newRow("a chain of more than ten redirection pages") << chain << true << failed << 10;
    QTest::newRow("a page larger than 1 MiB")
        << QVariantMap{{page, infoPage({{"mxProduct", "Sovranel"}, {"mxVersion", "5"}}) +
                                  QByteArray(webupdate::kMaxInfoPageBytes, ' ')}}
        << true << failed << 1;
}

void WebUpdateTest::failedInformationPage()
{
    QFETCH(QVariantMap, pages);
    QFETCH(bool, reachable);
    for (auto it = pages.cbegin(); it != pages.cend(); ++it)
        m_server->serve(it.key(), it.value().toByteArray());
    if (!reachable) {
        QTcpServer gone;
        QVERIFY(gone.listen(QHostAddress::LocalHost));
        m_check->productInfo.url =
            QUrl(QStringLiteral("http://127.0.0.1:%1/update.htm").arg(gone.serverPort()));
    }

    QVERIFY(!m_check->check());

    QTEST(eventsWithoutProgress(), "events");
    QTEST(int(m_server->requests(QStringLiteral("TmxWebUpdate")).size()), "pageRequests");
}

void WebUpdateTest::unsafeClientNameIsRefused_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("a name climbing out of the folder") << "../evil.bin";
    QTest::newRow("a name climbing out with backslashes") << "..\\evil.bin";
    QTest::newRow("a name with a folder part") << "sub/evil.bin";
    QTest::newRow("an absolute path") << "/tmp/evil.bin";
    QTest::newRow("the parent folder itself") << "..";
    QTest::newRow("no name at all") << "";
    QTest::newRow("the résumé program") << "Sovranel";
    QTest::newRow("the résumé program in capitals with an extension") << "SOVRANEL.EXE";
    QTest::newRow("the updater with another extension") << "update.sh";
    QTest::newRow("the updater with a trailing dot") << "Update.";
    QTest::newRow("a file installed beside them, in other letter case") << "Qt.Conf";
}

void WebUpdateTest::unsafeClientNameIsRefused()
{
    QFETCH(QString, name);
    publish(QStringLiteral("/files/setup.bin"), name);
    m_info.answer(true);

    QVERIFY(!m_check->check());

    QCOMPARE(eventsWithoutProgress().mid(3),
             (QStringList{"beforeShowInfo true true", "afterShowInfo true", "downloadError"}));
    QCOMPARE(m_server->requests(QStringLiteral("TmxWebUpdate")).size(), 1);
    QVERIFY(QDir(m_target).isEmpty());
    QCOMPARE(QDir(m_work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"target"});
}

// Names that only resemble the installation's files are ordinary downloads.
void WebUpdateTest::namesLikeTheProgramsAreNotRefused()
{
    const QStringList refused{QStringLiteral("Sovranel"), QStringLiteral("update"),
                              QStringLiteral("qt.conf")};
    for (const char* name :
         {"Sovranel-3.2.0.0.run", "setup.bin", "update-3.2.exe", "qt.conf.txt", "myupdate"})
        QVERIFY2(!UpdateCheck::isRefusedName(QString::fromLatin1(name), refused), name);
}

void WebUpdateTest::missingTargetFolderMeansTheTemporaryFolder()
{
    publish(QStringLiteral("/files/setup.bin"));
    const QString temporary = m_work.filePath(QStringLiteral("tmp"));
    QDir().mkpath(temporary);
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.toUtf8());
    m_check->targetFolder = m_work.filePath(QStringLiteral("no such folder/"));
    m_info.answer(true);

    const bool downloaded = m_check->check();
    qputenv("TMPDIR", oldTemp);

    QVERIFY(downloaded);
    QVERIFY(QFileInfo(QDir(temporary).filePath(QStringLiteral("setup.bin"))).size() == m_update.size());
    QCOMPARE(m_opened,
             QStringList{QDir::toNativeSeparators(QDir(temporary).filePath("setup.bin")) + "|/silent"});
}

void WebUpdateTest::checkWhileRunningIsIgnored()
{
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", "Sovranel"}, {"mxVersion", "0"}}));
    QList<bool> again;
    m_check->onDownload = [&](qint64, qint64) { again.append(m_check->check()); };

    m_check->check();

    QVERIFY(!again.isEmpty());
    QVERIFY(!again.contains(true));
    QCOMPARE(m_events, (QStringList{"beforeGetInfo", "afterGetInfo", "noUpdateFound"}));
    QCOMPARE(m_server->requests(QStringLiteral("TmxWebUpdate")).size(), 1);
}

void WebUpdateTest::infoWindowKeepsItsButtonsCentred_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("at its own size") << 530;
    QTest::newRow("made wider") << 900;
    QTest::newRow("made narrower") << 300;
}

void WebUpdateTest::infoWindowKeepsItsButtonsCentred()
{
    QFETCH(int, width);
    webupdate::InfoWindow window{webupdate::InfoCaptions{}};
    window.show();
    window.resize(width, 400);
    QCoreApplication::processEvents();

    const QRect ok = window.okButton->geometry();
    const QRect cancel = window.cancelButton->geometry();
    QCOMPARE(cancel.left() - ok.right() - 1, 3);
    QCOMPARE(ok.top(), cancel.top());
    QVERIFY(qAbs((ok.left() + cancel.right()) / 2 - window.width() / 2) <= 1);
    QVERIFY(window.browser->geometry().bottom() < window.checkBox->geometry().top());
    QVERIFY(window.checkBox->geometry().bottom() < ok.top());
}

QTEST_MAIN(WebUpdateTest)
#include "tst_webupdate.moc"

// The network layer under the on-line step, against a real local server: the blocking GET,
// the page view, and the purge of the URL cache.
#include "CacheFixtures.h"
#include "FixtureServer.h"

#include "net/CachePurge.h"
#include "net/HttpGet.h"
#include "net/Network.h"
#include "net/NetworkFetcher.h"
#include "net/WebView.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryFile>
#include <QTest>
#include <QTextDocument>

namespace {

const QString kPath = QStringLiteral("/sovranel/ultimaversao.txt");

// Shows a page view and lets it lay its page out, so that it asks for every picture.
void shown(QTextBrowser& view)
{
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.document()->documentLayout()->documentSize();
    QTest::qWait(50);
}

// A flat square picture as PNG: a few bytes on the wire, side x side x 4 bytes decoded.
QByteArray pngOf(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString failureOf(const QUrl& url, const net::HttpLimits& limits)
{
    try {
        net::httpGet(url, limits);
    } catch (const net::HttpFailure& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class NetTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        useOwnCacheFolder();
        QVERIFY2(m_server.started(), "the fixture server did not start");
        QVERIFY(m_localPicture.open());
        m_localPicture.write(pngOf(8));
        m_localPicture.close();
    }
    void init() { m_server.clear(); }

    void getReturnsTheBodyByteForByte_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("mode");
        QTest::newRow("a version with no line end") << QByteArray("3.1.0.6") << QString();
        QTest::newRow("line breaks and blanks are kept") << QByteArray(" 3.1.0.7\r\n\n") << QString();
        QTest::newRow("bytes above 127 and a zero are not converted")
            << QByteArray("v\xe9\x80\x00z", 5) << QString();
        QTest::newRow("an empty body") << QByteArray() << QString();
        QTest::newRow("a body of exactly 64 KiB") << QByteArray(64 * 1024, 'x') << QString();
        QTest::newRow("a slow body that ends within the bound")
            << QByteArray("3.1.0.8") << QStringLiteral("slow 0.05");
    }
    void getReturnsTheBodyByteForByte()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, mode);
        m_server.serve(kPath, body, mode);
        QCOMPARE(net::httpGet(m_server.base().resolved(QUrl(kPath))), body);
    }

    void getAsksTheServerItselfForAFreshCopy()
    {
        m_server.serve(kPath, "3.1.0.6");
        net::httpGet(m_server.base().resolved(QUrl(kPath)));
        net::httpGet(m_server.base().resolved(QUrl(kPath))); // the cache does not answer in its place
        const QList<FixtureRequest> requests = m_server.requests();
        QCOMPARE(requests.size(), 2);
        for (const FixtureRequest& r : requests) {
            QCOMPARE(r.line, QStringLiteral("GET /sovranel/ultimaversao.txt HTTP/1.1"));
            QCOMPARE(r.header(QStringLiteral("Cache-Control")), QStringLiteral("no-cache"));
            QCOMPARE(r.header(QStringLiteral("Connection")), QStringLiteral("keep-alive"));
            QCOMPARE(r.header(QStringLiteral("Host")), QStringLiteral("127.0.0.1:%1").arg(m_server.port()));
        }
    }

    void getFails_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<QString>("text");
        QTest::newRow("a missing file")
            << QStringLiteral("404") << 10000 << QStringLiteral("respondeu \"404 Not Found\"");
        QTest::newRow("a server error")
            << QStringLiteral("500") << 10000 << QStringLiteral("respondeu \"500 Internal Server Error\"");
        QTest::newRow("a server error with a body")
            << QStringLiteral("500 erro interno") << 10000
            << QStringLiteral("respondeu \"500 Internal Server Error\"");
        QTest::newRow("a redirection, which is not followed")
            << QStringLiteral("redirect /outro.txt") << 10000 << QStringLiteral("respondeu \"302 Found\"");
        QTest::newRow("a body that does not decompress, in Portuguese and the toolkit's words")
            << QStringLiteral("badgzip") << 10000
            << QStringLiteral(
                   "a resposta do servidor veio danificada e não pôde ser lida.\nMotivo técnico: ");
        QTest::newRow("a server that never answers")
            << QStringLiteral("hang") << 1000
            << QStringLiteral("não respondeu em 1 segundo ao pedido de http://");
        QTest::newRow("a body that comes too slowly")
            << QStringLiteral("slow 0.4") << 1000 << QStringLiteral("não respondeu em 1 segundo");
    }
    void getFails()
    {
        QFETCH(QString, mode);
        QFETCH(int, timeoutMs);
        QFETCH(QString, text);
        m_server.serve(kPath, "3.1.0.6", mode);
        m_server.serve(QStringLiteral("/outro.txt"), "3.1.0.6");
        const QString failure = failureOf(m_server.base().resolved(QUrl(kPath)), {timeoutMs, 64 * 1024});
        QVERIFY2(failure.contains(text), qPrintable(failure));
        QVERIFY(!m_server.requestLines().contains(QStringLiteral("GET /outro.txt HTTP/1.1")));
    }

    void getRefusesABodyAboveTheCap()
    {
        m_server.serve(kPath, QByteArray(64 * 1024 + 1, 'x'));
        QVERIFY(
            failureOf(m_server.base().resolved(QUrl(kPath)), {}).contains(QStringLiteral("passa de 64 KiB")));
    }

    void getFailsClearlyWhenNobodyListens()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString text = failureOf(QUrl(QStringLiteral("http://127.0.0.1:%1/x.txt").arg(port)), {});
        QVERIFY2(text.startsWith(QStringLiteral("Não foi possível obter http://127.0.0.1:")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("recusou a conexão")), qPrintable(text));
    }

    void theGetsServerIsReachedPastTheSystemsProxy()
    {
        // The toolkit never sends loopback traffic through a proxy, so this asks the program's
        // stack which way it would send requests to a distant server.
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("proxy.exemplo.org"), 3128));
        const auto restore = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); });
        const QUrl server(QStringLiteral("http://www.sovranel.com.br/sovranel/ultimaversao.txt"));
        const QUrl banner(QStringLiteral("http://www.sovranel.com.br/banners-sovranel?v=3104"));
        const QUrl other(QStringLiteral("http://www.exemplo.org/pagina.html"));
        const auto way = [](const QUrl& url) {
            return net::manager()->proxyFactory()->queryProxy(QNetworkProxyQuery(url)).value(0).type();
        };
        QCOMPARE(way(server), QNetworkProxy::HttpProxy);
        {
            const net::DirectRoute direct(server);
            QCOMPARE(way(server), QNetworkProxy::NoProxy);
            QCOMPARE(way(banner), QNetworkProxy::NoProxy);
            QCOMPARE(way(other), QNetworkProxy::HttpProxy);
        }
        QCOMPARE(way(server), QNetworkProxy::HttpProxy);
    }

    void pageViewReadsThePagesCharacterSet_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("a UTF-8 page") << QByteArray("<p>Promo\xc3\xa7\xc3\xa3o</p>");
        QTest::newRow("a single-byte page that names no character set")
            << QByteArray("<p>Promo\xe7\xe3o</p>");
        QTest::newRow("a page that names its character set") << QByteArray(
            "<html><head><meta charset=\"iso-8859-1\"></head><body>Promo\xe7\xe3o</body></html>");
    }
    void pageViewReadsThePagesCharacterSet()
    {
        QFETCH(QByteArray, page);
        m_server.serve(QStringLiteral("/pagina.html"), page);
        net::WebView view(net::networkFetcher(net::manager()));
        QSignalSpy loaded(&view, &net::WebView::pageLoaded);
        view.navigate(m_server.base().resolved(QUrl(QStringLiteral("/pagina.html"))));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.at(0).at(0).toBool(), true);
        QCOMPARE(view.toPlainText().trimmed(), QStringLiteral("Promoção"));
    }

    // A page may show pictures from its own server alone: never a local file, a resource built
    // into the program, or another site.
    void pageViewLoadsOnlyFromThePagesServer_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("a picture of the page's server") << QStringLiteral("/img/a.png") << true;
        QTest::newRow("a local file") << QUrl::fromLocalFile(m_localPicture.fileName()).toString() << false;
        QTest::newRow("a resource of the program")
            << QStringLiteral("qrc:/qt-project.org/styles/commonstyle/images/standardbutton-ok-16.png")
            << false;
        QTest::newRow("another site")
            << QStringLiteral("http://localhost:%1/img/a.png").arg(m_server.port()) << false;
        QTest::newRow("an inline picture")
            << QStringLiteral("data:image/png;base64,") + pngOf(8).toBase64() << false;
    }
    void pageViewLoadsOnlyFromThePagesServer()
    {
        QFETCH(QString, source);
        QFETCH(bool, loaded);
        QVERIFY(QFile::exists(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-ok-16.png")));
        m_server.serve(QStringLiteral("/img/a.png"), pngOf(8));
        m_server.serve(
            QStringLiteral("/pagina.html"),
            QStringLiteral("<p>Oferta</p><img src=\"%1\"><img src=\"/img/a.png\">").arg(source).toUtf8());
        net::WebView view(net::networkFetcher(net::manager()));
        QSignalSpy page(&view, &net::WebView::pageLoaded);
        view.navigate(m_server.base().resolved(QUrl(QStringLiteral("/pagina.html"))));
        QVERIFY(page.wait(10000));
        const QUrl own = m_server.base().resolved(QUrl(QStringLiteral("/img/a.png")));
        shown(view);
        QTRY_VERIFY(isPicture(view.document()->resource(QTextDocument::ImageResource, own)));
        QCOMPARE(isPicture(view.document()->resource(QTextDocument::ImageResource, QUrl(source))), loaded);
        QCOMPARE(m_server.requestLines().filter(QStringLiteral("/img/a.png")).size(), 1);
    }

    // 300 pictures of 4 MB each once took the program to gigabytes: a page gets at most 32
    // resources and 16 MB of decoded pictures, and the rest is not loaded.
    void pageViewKeepsToItsBudget()
    {
        const QByteArray picture = pngOf(1024); // 4 MB once decoded
        QByteArray html = "<p>Muitas fotos</p>";
        for (int i = 0; i < 300; ++i) {
            m_server.serve(QStringLiteral("/fotos/%1.png").arg(i), picture);
            html += QStringLiteral("<img src=\"/fotos/%1.png\">").arg(i).toUtf8();
        }
        m_server.serve(QStringLiteral("/pagina.html"), html);
        net::WebView view(net::networkFetcher(net::manager()));
        QSignalSpy page(&view, &net::WebView::pageLoaded);
        view.navigate(m_server.base().resolved(QUrl(QStringLiteral("/pagina.html"))));
        QVERIFY(page.wait(10000));
        shown(view);
        QTRY_COMPARE(view.decodedBytes(), net::WebView::kMaxPageBytes);
        QTest::qWait(300);
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum()); // the rest of the page
        QTest::qWait(300);
        QCOMPARE(view.decodedBytes(), net::WebView::kMaxPageBytes);
        QCOMPARE(view.resourcesRequested(), net::WebView::kMaxResources);
        QVERIFY(m_server.requestLines().filter(QStringLiteral("/fotos/")).size() <=
                net::WebView::kMaxResources);
    }

    void serverDomainIsTheHostLessItsFirstLabel_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("domain");
        QTest::newRow("a host in a domain")
            << QStringLiteral("www.sovranel.com.br") << QStringLiteral("sovranel.com.br");
        QTest::newRow("an address") << QStringLiteral("127.0.0.1") << QStringLiteral("0.0.1");
        QTest::newRow("a host of one label is its own domain")
            << QStringLiteral("localhost") << QStringLiteral("localhost");
        QTest::newRow("no host") << QString() << QString();
    }
    void serverDomainIsTheHostLessItsFirstLabel()
    {
        QFETCH(QString, host);
        QFETCH(QString, domain);
        QCOMPARE(net::serverDomain(host), domain);
    }

    void purgeRemovesTheDomainsEntries_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("stays");
        const QString d = QStringLiteral("sovranel.com.br");
        QTest::newRow("the server's own file goes")
            << d << "http://www.sovranel.com.br/sovranel/ultimaversao.txt" << false;
        QTest::newRow("another host of the domain goes")
            << d << "http://img.sovranel.com.br/banner.png" << false;
        QTest::newRow("another scheme goes") << d << "https://sovranel.com.br/" << false;
        QTest::newRow("the domain in the path goes")
            << d << "http://cdn.exemplo.org/sovranel.com.br/logo.png" << false;
        QTest::newRow("the domain in the query goes")
            << d << "http://cdn.exemplo.org/px.gif?de=sovranel.com.br" << false;
        QTest::newRow("another site stays")
            << d << "http://www.exemplo.org/sovranel/ultimaversao.txt" << true;
        QTest::newRow("the domain in other letter case stays")
            << d << "http://cdn.exemplo.org/Sovranel.COM.br/a.png" << true;
        QTest::newRow("an empty domain removes nothing")
            << QString() << "http://www.sovranel.com.br/a.png" << true;
    }
    void purgeRemovesTheDomainsEntries()
    {
        QFETCH(QString, domain);
        QFETCH(QString, url);
        QFETCH(bool, stays);
        const QUrl entry(url);
        const QUrl other(QStringLiteral("http://www.exemplo.org/pagina.html"));
        QTemporaryDir folder;
        {
            // Entries left by an earlier run: the purge finds them on disk.
            QNetworkDiskCache earlier;
            earlier.setCacheDirectory(folder.path());
            seedCache(earlier, entry);
            seedCache(earlier, other);
        }
        QNetworkDiskCache cache;
        cache.setCacheDirectory(folder.path());
        QVERIFY(cache.metaData(entry).isValid());
        QCOMPARE(net::purgeCache(&cache, domain), stays ? 0 : 1);
        QCOMPARE(cache.metaData(entry).isValid(), stays);
        QVERIFY(cache.metaData(other).isValid());
    }

  private:
    FixtureServer m_server;
    QTemporaryFile m_localPicture{QDir::tempPath() + QStringLiteral("/local-XXXXXX.png")};
};

QTEST_MAIN(NetTest)
#include "tst_net.moc"

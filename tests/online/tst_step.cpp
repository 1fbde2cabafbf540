// The main window's on-line step against a real local server, the about box and the start
// of the updater.
#include "CacheFixtures.h"
#include "FixtureServer.h"

#include "Unit1.h"
#include "Unit5.h"

#include "net/Network.h"
#include "net/ProgramStarter.h"
#include "net/WebView.h"
#include "ui/BalloonHint.h"
#include "ui/Dialogs.h"
#include "ui/StatusBar.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFrame>
#include <QHelpEvent>
#include <QImage>
#include <QNetworkDiskCache>
#include <QTest>

#include <vector>

namespace {

const QString kHint = QStringLiteral("Região reservada para navegação com acesso à internet.");
const QString kNotice = QStringLiteral("Clique em \"Atualizar\" e procure por atualizações!");
const QString kBannerLine = QStringLiteral("GET /banners-sovranel?v=3104 HTTP/1.1");

QByteArray png()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool cached(const QUrl& url) { return net::urlCache()->metaData(url).isValid(); }

} // namespace

class StepTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        useOwnCacheFolder();
        QVERIFY2(m_server.started(), "the fixture server did not start");
        ui::setDialogHook([this](const ui::DialogRequest& r) {
            m_dialogs.push_back(r);
            return ui::DialogButton::Ok;
        });
    }
    void cleanupTestCase() { ui::setDialogHook({}); }
    void init()
    {
        m_server.clear();
        m_dialogs.clear();
        net::urlCache()->clear();
        m_server.serve(QStringLiteral("/banners-sovranel"),
                       "<html><body><p>Oferta da semana</p><img src=\"/img/selo.png\"><img "
                       "src=\"/img/selo.png\"></body></html>");
        m_server.serve(QStringLiteral("/img/selo.png"), png());
    }

    void onLineStart_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("notice");  // the message box's text; empty when none
        QTest::addColumn<QString>("failure"); // part of the error box's text; empty when none
        const auto box = [](const char* latest) {
            return QStringLiteral("Nova versão disponível (") + QString::fromUtf8(latest) +
                   QStringLiteral("). Clique em \"Atualizar\" e procure por atualizações!");
        };
        QTest::newRow("the same version shows no notice")
            << QByteArray("3.1.0.6") << QString() << QString() << QString();
        QTest::newRow("the version and a line break show the notice with the break inside")
            << QByteArray("3.1.0.6\n") << QString() << box("3.1.0.6\n") << QString();
        QTest::newRow("an older version shows the notice all the same")
            << QByteArray("3.0.9.9") << QString() << box("3.0.9.9") << QString();
        QTest::newRow("an empty file shows the notice with nothing inside")
            << QByteArray() << QString() << box("") << QString();
        QTest::newRow("a link in the body is shown as its characters")
            << QByteArray("<a href='http://x/baixe-aqui.exe'>CLIQUE AQUI</a>") << QString()
            << box("<a href='http://x/baixe-aqui.exe'>CLIQUE AQUI</a>") << QString();
        QTest::newRow("a body longer than 300 characters is cut with an ellipsis")
            << QByteArray(400, 'x') << QString()
            << box(QByteArray(300, 'x').append("\xe2\x80\xa6").constData()) << QString();
        QTest::newRow("a missing file ends the step in the error box")
            << QByteArray("3.1.0.6") << QStringLiteral("404") << QString() << QStringLiteral("404 Not Found");
        QTest::newRow("a server that never answers ends the step in the error box within the bound")
            << QByteArray("3.1.0.6") << QStringLiteral("hang") << QString()
            << QStringLiteral("não respondeu em 10 segundos");
    }
    void onLineStart()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, mode);
        QFETCH(QString, notice);
        QFETCH(QString, failure);
        m_server.serve(QStringLiteral("/sovranel/ultimaversao.txt"), body, mode);
        const QUrl old = m_server.base().resolved(QUrl(QStringLiteral("/img/velho.png")));
        const QUrl elsewhere(QStringLiteral("http://www.exemplo.org/banner.png"));
        seedCache(*net::urlCache(), old);
        seedCache(*net::urlCache(), elsewhere);

        QElapsedTimer clock;
        clock.start();
        TForm1 form(onLine(m_server.base()));
        QVERIFY2(clock.elapsed() < 30000, "the step must end within its bound");

        // The purge ran first, whatever came after it.
        QVERIFY(!cached(old));
        QVERIFY(cached(elsewhere));
        QCOMPARE(m_server.requestLines().value(0), QStringLiteral("GET /sovranel/ultimaversao.txt HTTP/1.1"));

        if (!failure.isEmpty()) {
            QCOMPARE(m_dialogs.size(), size_t(1));
            QCOMPARE(m_dialogs[0].style, ui::DialogRequest::Style::Error);
            QVERIFY2(m_dialogs[0].text.contains(failure), qPrintable(m_dialogs[0].text));
            QVERIFY(form.propagandas->address().isEmpty());
            QVERIFY(form.propagandas->isHidden());
            QVERIFY(!form.StatusBar1->panelText(0).contains(kNotice));
            QCOMPARE(m_server.requests().size(), 1);
            return;
        }
        if (notice.isEmpty()) {
            QCOMPARE(m_dialogs.size(), size_t(0));
            QVERIFY(!form.StatusBar1->panelText(0).contains(kNotice));
        } else {
            QCOMPARE(m_dialogs.size(), size_t(1));
            QCOMPARE(m_dialogs[0].style, ui::DialogRequest::Style::Plain);
            QCOMPARE(m_dialogs[0].text, notice);
            QCOMPARE(form.StatusBar1->panelText(0), kNotice);
        }
        // Hint off, the banner requested and shown.
        QCOMPARE(form.propagandas->toolTip(), QString());
        QCOMPARE(form.painel_browser->toolTip(), QString());
        QVERIFY(!form.propagandas->isHidden());
        QTRY_VERIFY(m_server.requestLines().contains(kBannerLine));
        QTRY_VERIFY(form.propagandas->toPlainText().contains(QStringLiteral("Oferta da semana")));
    }

    void bannerLoadsItsPicturesOnceThroughTheProgramsCache()
    {
        m_server.serve(QStringLiteral("/sovranel/ultimaversao.txt"), "3.1.0.6");
        TForm1 form(onLine(m_server.base()));
        const QUrl picture = m_server.base().resolved(QUrl(QStringLiteral("/img/selo.png")));
        QTRY_VERIFY(isPicture(form.propagandas->document()->resource(QTextDocument::ImageResource, picture)));
        QCOMPARE(m_server.requestLines().count(QStringLiteral("GET /img/selo.png HTTP/1.1")), 1);
        QTRY_VERIFY(cached(picture)); // so the next start's purge sees it
    }

    void offLineStart_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("hasServer");
        QTest::newRow("the machine is off line") << false << true;
        QTest::newRow("the build names no update server") << true << false;
    }
    void offLineStart()
    {
        QFETCH(bool, connected);
        QFETCH(bool, hasServer);
        m_server.serve(QStringLiteral("/sovranel/ultimaversao.txt"), "3.0.0.0");
        const QUrl old = m_server.base().resolved(QUrl(QStringLiteral("/img/velho.png")));
        seedCache(*net::urlCache(), old);
        Environment env = onLine(hasServer ? m_server.base() : QUrl());
        env.connected = [connected] { return connected; };

        TForm1 form(env);

        QCOMPARE(m_dialogs.size(), size_t(0));
        QVERIFY(form.propagandas->isHidden());
        QVERIFY(form.propagandas->address().isEmpty());
        QCOMPARE(form.propagandas->toolTip(), kHint);
        QCOMPARE(form.painel_browser->toolTip(), kHint); // shows over the banner area
        QVERIFY(cached(old));
        QTest::qWait(100); // let anything that was wrongly started reach the server
        QCOMPARE(m_server.requests().size(), 0);
    }

    void offLineTheHintComesUpOverTheBannerArea()
    {
        ui::BalloonHint::install(qApp);
        TForm1 form; // off line: the browser is hidden, the panel beneath carries the hint
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint spot = form.painel_browser->mapTo(&form, form.painel_browser->rect().center());
        QWidget* under = form.childAt(spot);
        QVERIFY(under);
        QHelpEvent rest(QEvent::ToolTip, under->mapFrom(&form, spot), form.mapToGlobal(spot));
        QApplication::sendEvent(under, &rest);
        QCOMPARE(ui::BalloonHint::instance()->text(), kHint);
    }

    void aboutBoxNamesTheVersionOnEveryActivation()
    {
        QCOMPARE(VersaoDoPrograma(), QStringLiteral("3.1.0.6"));
        Tsobre box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Sovranel 3.1"));
        QCOMPARE(box.size(), QSize(250, 200));
        const Qt::WindowFlags flags = box.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(box.Image1->geometry().contains(box.rect()));

        // The picture is there once the box is seen.
        box.show();
        QVERIFY(!box.Image1->pixmap().isNull());
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(box.windowTitle(), QStringLiteral("Sovranel 3.1.0.6"));
        box.setWindowTitle(QStringLiteral("Sovranel 3.1"));
        QEvent again(QEvent::WindowActivate);
        QApplication::sendEvent(&box, &again);
        QCOMPARE(box.windowTitle(), QStringLiteral("Sovranel 3.1.0.6"));
    }

    void updaterCommandClosesTheProgramEvenWithoutAnUpdater()
    {
        QStringList started;
        net::setStartHook([&started](const QString& name) {
            started.append(name);
            return false; // no updater beside the program
        });
        const auto restore = qScopeGuard([] { net::setStartHook({}); });
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ProcurarAtualizaes1->trigger();
        QCOMPARE(started, QStringList{QStringLiteral("update")});
        QVERIFY(!form.isVisible());
        QCOMPARE(m_dialogs.size(), size_t(0));
    }

  private:
    static Environment onLine(const QUrl& server)
    {
        Environment env;
        env.now = [] { return QDateTime(QDate(2010, 3, 5), QTime(9, 0)); };
        env.connected = [] { return true; };
        env.updateServer = server;
        return env;
    }

    FixtureServer m_server;
    std::vector<ui::DialogRequest> m_dialogs;
};

QTEST_MAIN(StepTest)
#include "tst_step.moc"

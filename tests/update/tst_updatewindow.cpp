#include "FixtureServer.h"
#include "UpdateFixtures.h"

#include "Program.h"
#include "Unit1.h"
#include "Unit2.h"

#include "net/FileOpener.h"
#include "net/ProgramStarter.h"
#include "ui/Dialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

class UpdateWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsInTheirPlaces_data();
    void controlsInTheirPlaces();
    void windowsAsCreated();
    void wholeCheckThroughTheWindow();
    void theUpdaterKeepsNoUrlCache();
    void theProgramsAreNeverReplaced_data();
    void theProgramsAreNeverReplaced();
    void anUnsignedDownloadSaysSo();
    void pageTextsAreShownAsPlainText_data();
    void pageTextsAreShownAsPlainText();
    void messagesOfACheck_data();
    void messagesOfACheck();
    void secondPressDuringACheckIsIgnored();
    void closingStartsSovranel_data();
    void closingStartsSovranel();

  private:
    void publish(const QString& version, const QString& download);
    QString target(const QString& name) const
    {
        return QDir::toNativeSeparators(QDir(m_target.path()).filePath(name));
    }

    std::unique_ptr<FixtureServer> m_server;
    QTemporaryDir m_target;
    QStringList m_dialogs;
    QStringList m_started;
    QStringList m_opened;
    ui::DialogButton m_answer = ui::DialogButton::Yes;
    InfoWindowAnswer m_info;
    QByteArray m_update;
};

void UpdateWindowTest::initTestCase()
{
    // Closing the update window here must not end the test run.
    QApplication::setQuitOnLastWindowClosed(false);
    m_server = std::make_unique<FixtureServer>();
    QVERIFY2(m_server->started(), "the test web server did not start");
    m_update = QByteArray(150 * 1024, 'u');

    ui::setDialogHook([this](const ui::DialogRequest& r) {
        static const char* kinds[] = {"Warning", "Error", "Information", "Confirm"};
        QStringList buttons;
        if (r.buttons & int(ui::DialogButton::Yes))
            buttons << "Yes";
        if (r.buttons & int(ui::DialogButton::No))
            buttons << "No";
        if (r.buttons & int(ui::DialogButton::Ok))
            buttons << "OK";
        m_dialogs << QStringLiteral("%1 (%2): %3 [%4]")
                         .arg(QLatin1String(kinds[int(r.kind)]), r.caption, r.text,
                              buttons.join(QLatin1Char(' ')));
        return (r.buttons & int(ui::DialogButton::Yes)) ? m_answer : ui::DialogButton::Ok;
    });
    net::setStartHook([this](const QString& name) {
        m_started << name;
        return true;
    });
    net::setOpenHook([this](const QString& path, const QString&) {
        m_opened << path;
        return true;
    });
}

void UpdateWindowTest::init()
{
    m_server->clear();
    m_server->serve(QStringLiteral("/files/setup.bin"), m_update);
    m_dialogs.clear();
    m_started.clear();
    m_opened.clear();
    m_answer = ui::DialogButton::Yes;
    for (const QString& f : QDir(m_target.path()).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(QDir(m_target.path()).filePath(f));

    createWindows();
    QVERIFY(form_MainWindow && Form_Message);
    form_MainWindow->mxWebUpdate.productInfo.url = m_server->url(QStringLiteral("/sovranel/update.htm"));
    form_MainWindow->mxWebUpdate.targetFolder = m_target.path() + QLatin1Char('/');
    form_MainWindow->show();
}

void UpdateWindowTest::cleanup()
{
    m_info.stop();
    destroyWindows();
}

void UpdateWindowTest::publish(const QString& version, const QString& download)
{
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", QStringLiteral("Sovranel")},
                              {"mxVersion", version},
                              {"mxAuthor", QStringLiteral("Equipe Sovranel")},
                              {"mxEmail", QStringLiteral("contato@sovranel.com.br")},
                              {"mxDownload", download},
                              {"mxClientSideName", QStringLiteral("setup.bin")}}));
}

void UpdateWindowTest::controlsInTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place"); // a width of -1: as wide as its caption
    QTest::addColumn<QString>("caption");

    QTest::newRow("the group box") << "grp_ComponentUpdate" << QRect(9, 8, 336, 129) << "Atualização:";
    QTest::newRow("the product label") << "Label1" << QRect(10, 24, -1, -1) << "Aplicativo";
    QTest::newRow("the author label") << "Label4" << QRect(10, 40, -1, -1) << "Autor:";
    QTest::newRow("the e-mail label") << "Label5" << QRect(10, 56, -1, -1) << "E-mail:";
    QTest::newRow("the product name, a blank") << "lbl_ProductName" << QRect(63, 24, -1, -1) << " ";
    QTest::newRow("the author, a blank") << "lbl_Author" << QRect(63, 40, -1, -1) << " ";
    QTest::newRow("the e-mail, a blank") << "lbl_Email" << QRect(63, 56, -1, -1) << " ";
    QTest::newRow("the bevel") << "Bevel" << QRect(8, 72, 321, 9) << "";
    QTest::newRow("the file label, empty") << "lbl_File" << QRect(8, 78, -1, -1) << "";
    QTest::newRow("the picture") << "Image1" << QRect(272, 8, 57, 57) << "";
    QTest::newRow("the progress bar") << "ProgressBar" << QRect(8, 96, 321, 24) << "";
    QTest::newRow("the update button") << "btn_Update" << QRect(64, 144, 107, 41) << "Atualizar";
    QTest::newRow("the exit button") << "btn_Exit" << QRect(176, 144, 107, 41) << "Desconectar";
}

void UpdateWindowTest::controlsInTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    auto* w = form_MainWindow->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(w->pos(), place.topLeft());
    if (place.width() >= 0)
        QCOMPARE(w->size(), place.size());
    QString caption;
    if (auto* l = qobject_cast<QLabel*>(w))
        caption = l->text();
    else if (auto* b = qobject_cast<QPushButton*>(w))
        caption = b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        caption = g->title();
    QTEST(caption, "caption");
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QCOMPARE(b->iconSize(), QSize(24, 24));
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
}

void UpdateWindowTest::windowsAsCreated()
{
    QCOMPARE(form_MainWindow->windowTitle(), QStringLiteral("Sovranel - Atualizador"));
    QCOMPARE(form_MainWindow->size(), QSize(352, 192));
    QCOMPARE(form_MainWindow->minimumSize(), form_MainWindow->maximumSize());
    const Qt::WindowFlags flags = form_MainWindow->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(form_MainWindow->ProgressBar->value(), 0);
    QCOMPARE(form_MainWindow->Image1->pixmap().size(), QSize(256, 256));
    QCOMPARE(form_MainWindow->mxWebUpdate.productInfo.version, QStringLiteral("0"));
    QVERIFY(form_MainWindow->mxWebUpdate.options.runUpdate &&
            form_MainWindow->mxWebUpdate.options.overwrite &&
            !form_MainWindow->mxWebUpdate.options.terminate);

    // The creation handler points the download at the updater's own folder.
    form_MainWindow->FormCreate();
    QCOMPARE(form_MainWindow->mxWebUpdate.targetFolder,
             QCoreApplication::applicationDirPath() + QLatin1Char('/'));

    // A skin of its own.
    QVERIFY(!form_MainWindow->styleSheet().isEmpty());

    QVERIFY(!Form_Message->isVisible());
    QVERIFY(Form_Message->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(Form_Message->size(), QSize(214, 78));
    QCOMPARE(Form_Message->panel_message->geometry(), QRect(0, 0, 214, 78));
    QCOMPARE(Form_Message->panel_message->alignment(), Qt::AlignCenter);
    QCOMPARE(Form_Message->panel_message->frameShadow(), QFrame::Raised);
}

void UpdateWindowTest::wholeCheckThroughTheWindow()
{
    publish(QStringLiteral("3.1.0.7"), QStringLiteral("/files/setup.bin"));
    m_info.answer(true);
    QString message = QStringLiteral("not seen");
    QTimer::singleShot(0, [&] {
        if (Form_Message->isVisible())
            message = Form_Message->panel_message->text();
    });

    form_MainWindow->btn_Update->click();

    QCOMPARE(message, QStringLiteral("Verificando se há atualizações..."));
    QVERIFY(!Form_Message->isVisible());
    QCOMPARE(
        m_dialogs,
        (QStringList{
            "Warning (Warning): Uma nova versão está disponível \r\nGostaria de atualizar agora? [Yes No]",
            "Information (Information): A atualização será feita. [OK]",
            "Information (Information): A atualização foi baixada. [OK]"}));
    QVERIFY(m_info.seen.shown);
    QCOMPARE(form_MainWindow->lbl_ProductName->text(), QStringLiteral("Sovranel"));
    QCOMPARE(form_MainWindow->lbl_Author->text(), QStringLiteral("Equipe Sovranel"));
    QCOMPARE(form_MainWindow->lbl_Email->text(), QStringLiteral("contato@sovranel.com.br"));
    QCOMPARE(form_MainWindow->lbl_File->text(), QStringLiteral("Baixando arquivo setup.bin"));
    QCOMPARE(form_MainWindow->ProgressBar->maximum(), int(m_update.size()));
    QCOMPARE(form_MainWindow->ProgressBar->value(), int(m_update.size()));
    QCOMPARE(QFileInfo(target("setup.bin")).size(), qint64(m_update.size()));
    QCOMPARE(m_opened, QStringList{target("setup.bin")});
    QVERIFY(m_started.isEmpty());
}

// A page naming one of the installation's own files gets the download error before anything is
// written; the program beside the updater stays as it was, mode and all.
void UpdateWindowTest::theProgramsAreNeverReplaced_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("the résumé program") << "Sovranel";
    QTest::newRow("the résumé program, another case and extension") << "sovranel.EXE";
    QTest::newRow("the updater itself") << "update";
}

void UpdateWindowTest::theProgramsAreNeverReplaced()
{
    QFETCH(QString, name);
    QFile program(target(name));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", QStringLiteral("Sovranel")},
                              {"mxVersion", QStringLiteral("3.1.0.7")},
                              {"mxDownload", QStringLiteral("/files/setup.bin")},
                              {"mxClientSideName", name}}));
    m_info.answer(true);
    form_MainWindow->btn_Update->click();
    QCOMPARE(m_dialogs.last(), QStringLiteral("Error (Error): Não foi possível baixar a atualização. [OK]"));
    QVERIFY(program.open(QIODevice::ReadOnly));
    QCOMPARE(program.readAll(), QByteArray("#!/bin/sh\n"));
    QVERIFY(program.permissions() & QFileDevice::ExeOwner);
    QVERIFY(m_opened.isEmpty());
    QVERIFY(!m_server->requestLines().join(' ').contains("setup.bin"));
}

// With a key in the build, a download without a valid signature fails with a message of its own.
void UpdateWindowTest::anUnsignedDownloadSaysSo()
{
    publish(QStringLiteral("3.1.0.7"), QStringLiteral("/files/setup.bin"));
    form_MainWindow->mxWebUpdate.publicKey = QByteArray(32, 'k').toBase64();
    m_info.answer(true);
    form_MainWindow->btn_Update->click();
    QCOMPARE(m_dialogs.last(),
             QStringLiteral("Error (Error): A atualização não tem uma assinatura válida. [OK]"));
    QVERIFY(m_opened.isEmpty());
    QVERIFY(!QFileInfo::exists(target("setup.bin")));
}

// The information page is never kept on disk, and the cache earlier versions kept goes at start.
void UpdateWindowTest::theUpdaterKeepsNoUrlCache()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/http";
    QVERIFY(QDir().mkpath(cache + "/data8"));
    QFile old(cache + "/data8/page.d");
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();
    removeOldUrlCache();
    QVERIFY(!QFileInfo::exists(cache));

    publish(QStringLiteral("3.1.0.7"), QStringLiteral("/files/setup.bin"));
    m_info.answer(true);
    form_MainWindow->btn_Update->click();
    QVERIFY(m_info.seen.shown);
    QVERIFY(!QFileInfo::exists(cache));
}

void UpdateWindowTest::pageTextsAreShownAsPlainText_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("the product, a link") << "lbl_ProductName"
                                         << "<a href='http://x/baixe.exe'>CLIQUE</a>";
    QTest::newRow("the author, a huge style") << "lbl_Author"
                                              << "<b style='font-size:40px'>Equipe</b>";
    QTest::newRow("the e-mail, a local picture") << "lbl_Email"
                                                 << "<img src=file:///etc/hostname>";
}

void UpdateWindowTest::pageTextsAreShownAsPlainText()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    m_server->serve(QStringLiteral("/sovranel/update.htm"),
                    infoPage({{"mxProduct", label == "lbl_ProductName" ? text : QStringLiteral("Sovranel")},
                              {"mxVersion", QStringLiteral("0.9")},
                              {"mxAuthor", label == "lbl_Author" ? text : QString()},
                              {"mxEmail", label == "lbl_Email" ? text : QString()}}));
    form_MainWindow->btn_Update->click();
    auto* shown = form_MainWindow->findChild<QLabel*>(label);
    QVERIFY(shown);
    QCOMPARE(shown->text(), text);
    QCOMPARE(shown->textFormat(), Qt::PlainText);
    QCOMPARE(form_MainWindow->lbl_File->textFormat(), Qt::PlainText);
    QCOMPARE(Form_Message->panel_message->textFormat(), Qt::PlainText);
}

void UpdateWindowTest::messagesOfACheck_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("download");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<QStringList>("dialogs");

    const QString question =
        "Warning (Warning): Uma nova versão está disponível \r\nGostaria de atualizar agora? [Yes No]";
    const QString failed = "Error (Error): Não foi possível baixar a atualização. [OK]";
    QTest::newRow("a version that is not newer")
        << "0.9"
        << "/files/setup.bin" << true << QStringList{"Error (Error): Nenhuma atualização disponível! [OK]"};
    QTest::newRow("no page on the server") << ""
                                           << "" << true << QStringList{failed, failed};
    QTest::newRow("answering No") << "3.1.0.7"
                                  << "/files/setup.bin" << false << QStringList{question};
    QTest::newRow("a download without its length")
        << "3.1.0.7"
        << "/nolength/files/setup.bin" << true
        << QStringList{question, "Information (Information): A atualização será feita. [OK]", failed};
}

void UpdateWindowTest::messagesOfACheck()
{
    QFETCH(QString, version);
    QFETCH(QString, download);
    QFETCH(bool, answerYes);
    if (!version.isEmpty())
        publish(version, download);
    m_answer = answerYes ? ui::DialogButton::Yes : ui::DialogButton::No;
    m_info.answer(true);

    form_MainWindow->btn_Update->click();

    QTEST(m_dialogs, "dialogs");
    QVERIFY(m_opened.isEmpty());
    QVERIFY(!QFileInfo::exists(target("setup.bin")));
    QVERIFY(!Form_Message->isVisible());
}

void UpdateWindowTest::secondPressDuringACheckIsIgnored()
{
    publish(QStringLiteral("0"), QStringLiteral("/files/setup.bin"));
    QTimer::singleShot(0, [] { form_MainWindow->btn_Update->click(); });

    form_MainWindow->btn_Update->click();

    QCOMPARE(m_dialogs, QStringList{"Error (Error): Nenhuma atualização disponível! [OK]"});
    QCOMPARE(m_server->requests(QStringLiteral("TmxWebUpdate")).size(), 1);
}

void UpdateWindowTest::closingStartsSovranel_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("pressing Desconectar") << "button";
    QTest::newRow("closing the window") << "close";
    QTest::newRow("closing the window while a check runs") << "during a check";
}

void UpdateWindowTest::closingStartsSovranel()
{
    QFETCH(QString, how);
    if (how == QLatin1String("button")) {
        form_MainWindow->btn_Exit->click();
    } else if (how == QLatin1String("close")) {
        form_MainWindow->close();
    } else {
        publish(QStringLiteral("3.1.0.7"), QStringLiteral("/files/setup.bin"));
        QTimer::singleShot(0, [] { form_MainWindow->close(); });
        form_MainWindow->btn_Update->click();
        // The check ends quietly with its window.
        QVERIFY(m_dialogs.isEmpty());
        QVERIFY(!Form_Message->isVisible());
    }
    QVERIFY(!form_MainWindow->isVisible());
    QCOMPARE(m_started, QStringList{net::executableName(QStringLiteral("Sovranel"))});
}

QTEST_MAIN(UpdateWindowTest)
#include "tst_updatewindow.moc"

// The draft: kept a second after a change, put back silently at the next start, set aside
// when it cannot be read, erased by "Novo", held by one running copy only, and kept across a
// killed program (the program block itself, run in a child process of this test).
#include "FormState.h"

#include "Draft.h"
#include "FormBinding.h"
#include "Program.h"
#include "Unit1.h"

#include "ui/Dialogs.h"
#include "ui/PictureBox.h"
#include "ui/StatusBar.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<TForm1> makeForm()
{
    Environment env; // off line, no capture devices
    env.videoSource = {};
    auto form = std::make_unique<TForm1>(env);
    form->show();
    return form;
}

} // namespace

class DraftTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void aChangeIsKeptWithinASecondReadableByTheUserAlone();
    void theDraftComesBackSilentlyAtTheNextStart();
    void aDraftThatCannotBeReadIsSetAside();
    void novoErasesFormAndDraft();
    void aSecondCopyNeitherRestoresNorWrites();
    void theDraftSurvivesAKilledProgram();

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<ui::DialogRequest> m_dialogs;
    QString folder() const { return m_dir->filePath(QStringLiteral("dados")); }
};

void DraftTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs.clear();
    ui::setDialogHook([this](const ui::DialogRequest& r) {
        m_dialogs.push_back(r);
        return r.buttons == int(ui::DialogButton::Ok) ? ui::DialogButton::Ok : ui::DialogButton::Yes;
    });
}

void DraftTest::cleanup() { ui::setDialogHook({}); }

void DraftTest::aChangeIsKeptWithinASecondReadableByTheUserAlone()
{
    auto form = makeForm();
    Draft draft(*form, folder());
    QVERIFY(draft.start());
    QVERIFY(!QFile::exists(draft.path())); // nothing typed, nothing written
    QTest::keyClicks(form->edt_nome, QStringLiteral("Joana"));
    QVERIFY(!QFile::exists(draft.path()));
    QTRY_VERIFY_WITH_TIMEOUT(fileBytes(draft.path()).contains("\"edt_nome\": \"Joana\""), 2000);
    QCOMPARE(ownerOnly(draft.path()), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(ownerOnly(folder()), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // A change just before the window closes is written as it closes.
    form->experiencias[0].edt_excargo->setText(QStringLiteral("Cozinheira"));
    form->close();
    QVERIFY(fileBytes(draft.path()).contains("\"edt_excargo1\": \"Cozinheira\""));
}

void DraftTest::theDraftComesBackSilentlyAtTheNextStart()
{
    QMap<QString, QString> typed;
    {
        auto form = makeForm();
        Draft draft(*form, folder());
        QVERIFY(draft.start());
        form->edt_nome->setText(QStringLiteral("João Araújo"));
        form->edt_sexo->setCurrentIndex(0);
        form->experiencias[1].informar_saida->setChecked(true);
        form->experiencias[1].edt_exsaida->setDate(QDate(2020, 2, 29));
        form->frase4->setChecked(true);
        form->frase->setPlainText(QStringLiteral("Linha um\nlinha dois"));
        QImage photo(60, 80, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        form->Image1->setBitmap(photo);
        typed = formState(*form);
    } // the draft writes what is pending as it goes
    auto form = makeForm();
    form->PageControl1->setCurrentIndex(3);
    form->edt_cidade->setFocus();
    QWidget* focusedBefore = form->focusWidget();
    Draft draft(*form, folder());
    const QByteArray written = fileBytes(draft.path());
    QVERIFY(draft.start());
    QCOMPARE(formState(*form), typed);
    QCOMPARE(form->Image1->image().size(), QSize(60, 80));
    QCOMPARE(form->PageControl1->currentIndex(), 3);
    QCOMPARE(form->focusWidget(), focusedBefore);
    QCOMPARE(form->StatusBar1->panelText(0), QStringLiteral("Rascunho recuperado."));
    form->Timer1Timer(); // the greeting waits while the notice shows
    QCOMPARE(form->StatusBar1->panelText(0), QStringLiteral("Rascunho recuperado."));
    QVERIFY(m_dialogs.empty());
    // A restore is no change: nothing is written after it.
    QTest::qWait(Draft::kDelayMs + 300);
    QCOMPARE(fileBytes(draft.path()), written);
}

void DraftTest::aDraftThatCannotBeReadIsSetAside()
{
    QDir().mkpath(folder());
    QFile bad(QDir(folder()).filePath(QStringLiteral("rascunho.json")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"edt_nome": "Metade", "edt_sexo": "Out)");
    bad.close();
    auto form = makeForm();
    const QMap<QString, QString> empty = formState(*form);
    Draft draft(*form, folder());
    QVERIFY(draft.start());
    QCOMPARE(formState(*form), empty);
    QVERIFY(!QFile::exists(draft.path()));
    QCOMPARE(fileBytes(draft.setAsidePath()), QByteArray(R"({"edt_nome": "Metade", "edt_sexo": "Out)"));
    QCOMPARE(m_dialogs.size(), size_t(1));
    QCOMPARE(m_dialogs[0].style, ui::DialogRequest::Style::Error);
    QVERIFY2(m_dialogs[0].text.contains(QStringLiteral("rascunho.json.invalido")),
             qPrintable(m_dialogs[0].text));
    QVERIFY2(m_dialogs[0].text.contains(QStringLiteral("não é um arquivo de dados válido")),
             qPrintable(m_dialogs[0].text));
}

void DraftTest::novoErasesFormAndDraft()
{
    auto form = makeForm();
    Draft draft(*form, folder());
    QVERIFY(draft.start());
    form->edt_nome->setText(QStringLiteral("Joana"));
    draft.flush();
    QVERIFY(QFile::exists(draft.path()));
    form->edt_cidade->setText(QStringLiteral("Natal")); // pending when the form is erased
    form->NovoCurrculo1->trigger();
    QCOMPARE(form->edt_nome->text(), QString());
    QVERIFY(!QFile::exists(draft.path()));
    QTest::qWait(Draft::kDelayMs + 300);
    QVERIFY(!QFile::exists(draft.path()));
}

void DraftTest::aSecondCopyNeitherRestoresNorWrites()
{
    auto first = makeForm();
    Draft kept(*first, folder());
    QVERIFY(kept.start());
    first->edt_nome->setText(QStringLiteral("Primeira"));
    kept.flush();
    const QByteArray written = fileBytes(kept.path());

    auto second = makeForm();
    Draft other(*second, folder());
    QVERIFY(!other.start());
    QCOMPARE(second->edt_nome->text(), QString());
    QVERIFY2(second->StatusBar1->panelText(0).contains(QStringLiteral("não guarda rascunho")),
             qPrintable(second->StatusBar1->panelText(0)));
    second->edt_nome->setText(QStringLiteral("Segunda"));
    QTest::qWait(Draft::kDelayMs + 300);
    other.flush();
    QCOMPARE(fileBytes(kept.path()), written);
}

// The child's side: the program block as Sovranel runs it, with a name and a job typed once
// the window is up ("type"), or the form's name and job written to stdout ("report").
static QByteArray childRole;

static int child(const QByteArray& role)
{
    childRole = role;
    qAddPreRoutine([] {
        QCoreApplication::setApplicationName(QStringLiteral("Sovranel"));
        auto* poll = new QTimer(qApp);
        poll->setInterval(50);
        QObject::connect(poll, &QTimer::timeout, poll, [poll] {
            if (!Form1 || !Form1->isVisible())
                return;
            poll->stop();
            if (childRole == "type") {
                QTest::keyClicks(Form1->edt_nome, QStringLiteral("Joana Araujo"));
                QTest::keyClicks(Form1->experiencias[0].edt_excargo, QStringLiteral("Cozinheira"));
                std::printf("typed\n");
                std::fflush(stdout);
            } else {
                std::printf("%s|%s\n", qPrintable(Form1->edt_nome->text()),
                            qPrintable(Form1->experiencias[0].edt_excargo->text()));
                std::fflush(stdout);
                Form1->close();
            }
        });
        poll->start();
    });
    static char name[] = "Sovranel";
    char* argv[] = {name, nullptr};
    int argc = 1;
    return runProgram(argc, argv);
}

void DraftTest::theDraftSurvivesAKilledProgram()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString draftPath = m_dir->filePath(QStringLiteral("Sovranel/rascunho.json"));
    auto run = [&](const char* role) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--child"), QString::fromLatin1(role)});
        return p;
    };

    auto typing = run("type");
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += typing->readAllStandardOutput()).contains("typed"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(fileBytes(draftPath).contains("Cozinheira"), 3000);
    typing->kill();
    QVERIFY(typing->waitForFinished(5000));

    auto reporting = run("report");
    QVERIFY(reporting->waitForFinished(20000));
    QCOMPARE(QString::fromUtf8(reporting->readAllStandardOutput()).trimmed(),
             QStringLiteral("Joana Araujo|Cozinheira"));
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argv[2]);
    QApplication app(argc, argv);
    DraftTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_draft.moc"

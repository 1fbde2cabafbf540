// How the program meets a Linux desktop: the toolkit's own texts in Portuguese while the
// program's quoted English texts stay as they are, Brazilian dates outside a Portuguese
// session, the command line, and names for screen readers.
#include "Program.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit6.h"

#include "report/PreviewWindow.h"
#include "ui/Application.h"
#include "ui/CommandLine.h"
#include "ui/DateField.h"
#include "ui/Dialogs.h"
#include "ui/PhoneEdit.h"
#include "ui/StatusBar.h"
#include "webupdate/TargetFolder.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <optional>

Q_DECLARE_METATYPE(ui::DialogKind)

namespace {

// A Friday morning, for the greeting.
const QDateTime kFriday(QDate(2026, 12, 11), QTime(9, 30));

QString accessibleText(QWidget* w, QAccessible::Text which)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(which) : QString();
}

// The texts of the labels that the accessibility layer ties to `w`.
QStringList labelsOf(QWidget* w)
{
    QStringList texts;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface)
        for (const auto& [label, relation] : iface->relations(QAccessible::Label))
            texts << label->text(QAccessible::Name);
    return texts;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
        Environment env;
        env.now = [] { return kFriday; };
        env.videoSource = {};
        createWindows(env);
        QVERIFY(Form1);
    }
    void cleanupTestCase() { destroyWindows(); }

    void toolkitTextsArePortuguese()
    {
        // What the program leaves to the toolkit speaks Portuguese.
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
        QCOMPARE(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Salvar"));
    }

    void typedDialogKeepsItsEnglishTexts_data()
    {
        QTest::addColumn<ui::DialogKind>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("warning") << ui::DialogKind::Warning << "Warning";
        QTest::newRow("error") << ui::DialogKind::Error << "Error";
        QTest::newRow("information") << ui::DialogKind::Information << "Information";
        QTest::newRow("confirmation") << ui::DialogKind::Confirmation << "Confirm";
    }
    void typedDialogKeepsItsEnglishTexts()
    {
        QFETCH(ui::DialogKind, kind);
        QFETCH(QString, title);
        QString seenTitle;
        QStringList seenButtons;
        // Reads the real window while it is up, then answers it.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                seenButtons << b->text();
            box->buttons().first()->click();
        });
        ui::messageDlg(QStringLiteral("Texto"), kind,
                       int(ui::DialogButton::Yes) | int(ui::DialogButton::No) | int(ui::DialogButton::Ok));
        QCOMPARE(seenTitle, title);
        seenButtons.sort();
        QCOMPARE(seenButtons, QStringList({"&No", "&Yes", "OK"}));
    }

    void quotedTextsOfTheWindowsStayEnglish()
    {
        QCOMPARE(frm_foto->BitBtn1->text(), QStringLiteral("Cancel"));
        QCOMPARE(impressao->BitBtn2->text(), QStringLiteral("Cancel"));
        QCOMPARE(ui::PhoneEdit::invalidInputMessage(),
                 QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
        report::PreparedPages pages;
        pages.title = QStringLiteral("Curriculo de Maria");
        report::PreviewWindow preview(pages);
        QCOMPARE(preview.windowTitle(), QStringLiteral("Report Preview : Curriculo de Maria"));
    }

    void interfaceLocaleIsPortugueseWhateverTheSession_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("C") << "C"
                           << "pt_BR";
        QTest::newRow("English") << "en_US"
                                 << "pt_BR";
        QTest::newRow("German") << "de_DE"
                                << "pt_BR";
        QTest::newRow("Brazil") << "pt_BR"
                                << "pt_BR";
        QTest::newRow("Portugal keeps its own") << "pt_PT"
                                                << "pt_PT";
        QTest::newRow("Angola keeps its own") << "pt_AO"
                                              << "pt_AO";
    }
    void interfaceLocaleIsPortugueseWhateverTheSession()
    {
        QFETCH(QString, system);
        QFETCH(QString, chosen);
        QCOMPARE(ui::interfaceLocale(QLocale(system)).name(), chosen);
    }

    void datesAreBrazilianInACSession()
    {
        // main() starts the program under LC_ALL=C.UTF-8.
        Form1->Timer1Timer();
        QCOMPARE(Form1->StatusBar1->panelText(0),
                 QStringLiteral("  Bom dia! Hoje é sexta-feira, 11 de dezembro de  2026"));
        ui::DateField field;
        field.setDate(QDate(1990, 3, 14));
        QCOMPARE(field.displayFormat(), QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(field.shortText(), QStringLiteral("14/03/1990"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("answered");
        QTest::newRow("help") << QStringList{"--help"} << true;
        QTest::newRow("short help") << QStringList{"-h"} << true;
        QTest::newRow("version") << QStringList{"--version"} << true;
        QTest::newRow("short version") << QStringList{"-v"} << true;
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << false;
        QTest::newRow("toolkit option") << QStringList{"-reverse"} << false;
        QTest::newRow("program's own options") << QStringList{"a.json", "b.pdf", "--font", "Arial"} << false;
        QTest::newRow("after the end of options") << QStringList{"--", "--help"} << false;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, answered);
        const ui::CommandLineInfo info{QStringLiteral("sovranel"), QStringLiteral("3.1.0.6"), QString(),
                                       QStringLiteral("Descrição.")};
        const std::optional<int> code = ui::answerCommandLine(QStringList{"sovranel"} + arguments, info);
        QCOMPARE(code.has_value(), answered);
        if (answered)
            QCOMPARE(*code, 0);
    }

    void helpIsPortuguese()
    {
        const ui::CommandLineInfo info{QStringLiteral("sovranel-pdf"),
                                       QStringLiteral("3.1.0.6"),
                                       QStringLiteral("DADOS.json SAIDA.pdf"),
                                       QStringLiteral("Faz o currículo."),
                                       {{QStringLiteral("--preview"), QStringLiteral("mostra o currículo")}}};
        const QString help = ui::helpText(info);
        QVERIFY2(help.startsWith(QStringLiteral("Uso: sovranel-pdf [opções] DADOS.json SAIDA.pdf\n")),
                 qPrintable(help));
        for (const char* line : {"  -h, --help     mostra esta ajuda e sai\n",
                                 "  -v, --version  mostra a versão do programa e sai\n",
                                 "  --preview      mostra o currículo\n", "Faz o currículo."})
            QVERIFY2(help.contains(QString::fromUtf8(line)), line);
    }

    void everyEntryFieldIsNamedByItsLabel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        const QList<std::pair<const char*, const char*>> single = {
            {"edt_nome", "Digite o seu nome:"},
            {"edt_nasc", "Nascimento"},
            {"edt_sexo", "Sexo"},
            {"edt_ec", "Estado Civil"},
            {"edt_tel1", "Telefone 1"},
            {"edt_tel2", "Telefone 2"},
            {"edt_natural", "Sua naturalidade"},
            {"edt_email", "Seu e-mail"},
            {"edt_rua", "Nome da rua"},
            {"edt_numero", "Número"},
            {"edt_complemento", "Complemento (não é necessário)"},
            {"edt_bairro", "Bairro"},
            {"edt_cidade", "Cidade"},
            {"edt_uf", "U.F."},
            {"edt_escolaridade", "Escolaridade"},
            {"edt_curso", "Descrição do Curso (Exemplo: Engenharia Civil)"},
            {"edt_escola", "Nome da Escola / Instituto ou Faculdade"},
            {"edt_rg", "R.G."},
            {"edt_cpf", "C.P.F."},
            {"edt_cp", "Nº da Carteira Profissional"},
            {"edt_te", "Título Eleitoral"},
            {"edt_cargo", "Cargo Pretendido (ou a combinar)"},
            {"edt_salario", "Salário Pretendido (ou a combinar)"},
            {"frase", "Usar a frase que eu escrever abaixo:"},
        };
        const QList<std::pair<const char*, const char*>> perPage = {
            {"edt_exnome%1", "Nome da Empresa"},
            {"edt_excargo%1", "Cargo que Ocupava / Função que exercia"},
            {"edt_exobs%1", "Observações (Tipo da contratação, Motivo da demissão e etc.)."},
            {"edt_exentrada%1", "Admissão (entrada)"},
            {"edt_exsaida%1", "Demissão (saída)"},
            {"edt_extelefone%1", "Telefone da Empresa"},
            {"edt_cucurso%1", "Descrição do Curso"},
            {"edt_cuobs%1", "Observações"},
            {"edt_cuescola%1", "Nome da Escola / Instituto"},
            {"edt_cuduracao%1", "Duração do Curso"},
        };
        for (const auto& [name, label] : single)
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(label);
        for (int page = 1; page <= 5; ++page)
            for (const auto& [name, label] : perPage) {
                const QString n = QString::fromLatin1(name).arg(page);
                QTest::newRow(qPrintable(n)) << n << QString::fromUtf8(label);
            }
    }
    void everyEntryFieldIsNamedByItsLabel()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        auto* field = Form1->findChild<QWidget*>(name);
        QVERIFY(field);
        QCOMPARE(accessibleText(field, QAccessible::Name), label);
        if (!field->accessibleName().isEmpty())
            return; // no label of its own: the name stands in for it
        // The address fields are also labelled by their group box.
        QVERIFY2(labelsOf(field).contains(label), qPrintable(labelsOf(field).join(QLatin1Char('|'))));
        QCOMPARE(accessibleText(field, QAccessible::Description), field->toolTip());
    }

    void updateGoesWhereTheUserMayWrite_data()
    {
        QTest::addColumn<bool>("ownWritable");
        QTest::addColumn<bool>("homeUsable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("own folder") << true << true << "own";
        QTest::newRow("installed for everyone") << false << true << "downloads";
        QTest::newRow("no download folder either") << false << false << "temp";
    }
    void updateGoesWhereTheUserMayWrite()
    {
        QFETCH(bool, ownWritable);
        QFETCH(bool, homeUsable);
        QFETCH(QString, expected);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString own = home.filePath(QStringLiteral("programa"));
        QVERIFY(QDir().mkpath(own));
        // A home that is a plain file has no download folder to make.
        const QString homePath = homeUsable ? home.path() : home.filePath(QStringLiteral("arquivo"));
        if (!homeUsable) {
            QFile f(homePath);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", homePath.toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        const QString chosen = webupdate::updateFolder(own, [&](const QString& folder) {
            return folder == own ? ownWritable : webupdate::isWritableFolder(folder);
        });
        qputenv("HOME", oldHome);
        if (!oldConfig.isEmpty())
            qputenv("XDG_CONFIG_HOME", oldConfig);
        const QString downloads = QDir(homePath).filePath(QStringLiteral("Downloads"));
        const QString want = expected == "own" ? own : expected == "downloads" ? downloads : QDir::tempPath();
        QCOMPARE(chosen, want);
        QCOMPARE(QFileInfo(downloads).isDir(), expected == "downloads");
    }

    void buttonsAreNamedByTheirCaptions()
    {
        for (QPushButton* b : {Form1->BitBtn1, Form1->BitBtn2, Form1->BitBtn3, Form1->BitBtn4, Form1->BitBtn5,
                               Form1->BitBtn6, Form1->BitBtn7}) {
            QCOMPARE(accessibleText(b, QAccessible::Name), b->text());
            QCOMPARE(accessibleText(b, QAccessible::Description), b->toolTip());
        }
    }
};

int main(int argc, char** argv)
{
    // A session that is not Portuguese, as on a machine set up in English or left at C.
    setenv("LC_ALL", "C.UTF-8", 1);
    ui::Application app(argc, argv);
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"

#include "Program.h"
#include "Unit1.h"
#include "Unit6.h"
#include "Unit7.h"

#include "ui/Application.h"
#include "ui/ColourBox.h"
#include "ui/Dialogs.h"
#include "ui/DriveList.h"
#include "ui/FolderList.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The names of `window`'s controls in the order Tab visits them, among those in `names`.
QStringList tabOrder(QWidget* window, const QStringList& names)
{
    QWidget* first = window->findChild<QWidget*>(names.first());
    QStringList seen;
    QWidget* w = first;
    do {
        if (names.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return seen;
}

QString checkedModels()
{
    QString s;
    for (QCheckBox* box : {impressao->Modelo1, impressao->Modelo2, impressao->Modelo3})
        s += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, 8)); }

void makeFolders(const QString& root, const QStringList& paths)
{
    for (const QString& p : paths)
        QDir(root).mkpath(p);
}

QStringList listed(const ui::FolderList* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class SaveDialogsTest : public QObject {
    Q_OBJECT

    QStringList m_messages;

  private slots:
    void initTestCase()
    {
        ui::setDialogHook([this](const ui::DialogRequest& r) {
            m_messages << r.text;
            return ui::DialogButton::Ok;
        });
        createWindows(Environment());
    }
    void cleanupTestCase() { destroyWindows(); }
    void init() { m_messages.clear(); }

    void theStyleDialogStartsOnModel1InBlackWithTheCounter()
    {
        QCOMPARE(checkedModels(), QStringLiteral("100"));
        QCOMPARE(impressao->fonte->text(), QStringLiteral("Arial"));
        QVERIFY(!impressao->fonte->isVisibleTo(impressao));
        QCOMPARE(impressao->cor->selectedColour(), QColor(Qt::black));
        QCOMPARE(impressao->cor->selectedName(), QStringLiteral("Preto"));
        QVERIFY(impressao->paginas->isChecked());
        QVERIFY(impressao->BitBtn1->isDefault());
    }

    void tabOrdersFollowTheDesign_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("the style dialog")
            << QStringLiteral("impressao")
            << QStringList{"BitBtn1", "BitBtn2", "fonte", "Modelo1", "Modelo2", "Modelo3", "cor", "paginas"};
        QTest::newRow("the save dialog")
            << QStringLiteral("frm_salvar") << QStringList{"BitBtn1", "BitBtn2", "lista", "DriveComboBox1"};
    }
    void tabOrdersFollowTheDesign()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        QWidget* w = window == QLatin1String("impressao") ? static_cast<QWidget*>(impressao) : frm_salvar;
        QCOMPARE(tabOrder(w, order), order);
    }

    // A click on a picture checks its box; a click on the checked box clears it, and the font
    // stays the one last chosen.
    void modelSelection_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("font");
        QTest::newRow("a picture click checks its box and takes its font") << QStringList{"Image3"} << "001"
                                                                           << "Brush Script MT";
        QTest::newRow("a second click on the same picture changes nothing")
            << QStringList{"Image3", "Image3"} << "001"
            << "Brush Script MT";
        QTest::newRow("an unchecked box clicked clears the others")
            << QStringList{"Image3", "Modelo2"} << "010"
            << "Monotype Corsiva";
        QTest::newRow("the checked box clicked leaves none checked and keeps the font")
            << QStringList{"Modelo2", "Modelo2"} << "000"
            << "Monotype Corsiva";
        QTest::newRow("a picture after none checked checks again")
            << QStringList{"Modelo2", "Modelo2", "Image1"} << "100"
            << "Arial";
    }
    void modelSelection()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, checked);
        QFETCH(QString, font);
        impressao->Modelo1->setChecked(true);
        impressao->show();
        QVERIFY(QTest::qWaitForWindowExposed(impressao));
        for (const QString& name : clicks)
            click(impressao->findChild<QWidget*>(name));
        QCOMPARE(checkedModels(), checked);
        QCOMPARE(impressao->fonte->text(), font);
        impressao->hide();
        impressao->Modelo1->setChecked(true);
    }

    void cancelKeepsEveryChoice()
    {
        impressao->show();
        QVERIFY(QTest::qWaitForWindowExposed(impressao));
        click(impressao->Image3);
        QVERIFY(impressao->cor->selectName(QStringLiteral("Vermelho")));
        impressao->paginas->setChecked(false);
        click(impressao->BitBtn2);
        QVERIFY(!impressao->isVisible());
        QCOMPARE(impressao->result(), int(QDialog::Rejected));
        impressao->show();
        QCOMPARE(checkedModels(), QStringLiteral("001"));
        QCOMPARE(impressao->fonte->text(), QStringLiteral("Brush Script MT"));
        QCOMPARE(impressao->cor->selectedColour(), QColor(Qt::red));
        QVERIFY(!impressao->paginas->isChecked());
        impressao->hide();
        impressao->Modelo1->setChecked(true);
        impressao->cor->selectName(QStringLiteral("Preto"));
        impressao->paginas->setChecked(true);
    }

    void theColourBoxOffersNamedColoursWithBlackFirst()
    {
        ui::ColourBox box;
        QCOMPARE(box.currentIndex(), 0);
        QCOMPARE(box.selectedColour(), QColor(Qt::black));
        const QStringList expected{"Preto",          "Vermelho", "Azul-marinho",    "Branco",
                                   "Verde-dinheiro", "Creme",    "Fundo da janela", "Realce"};
        for (const QString& name : expected) {
            QVERIFY2(box.findText(name) >= 0, qPrintable(name));
            QVERIFY(!box.itemIcon(box.findText(name)).isNull());
        }
        QVERIFY(!box.isEditable());
        QVERIFY(!box.selectName(QStringLiteral("Personalizado...")));
        QVERIFY(box.selectName(QStringLiteral("Azul-céu")));
        QCOMPARE(box.selectedColour(), QColor(0xA6, 0xCA, 0xF0));
    }

    // A desktop colour is what the palette says when the colour is read, not when it was listed.
    void aDesktopColourFollowsThePalette()
    {
        ui::ColourBox box;
        QVERIFY(box.selectName(QStringLiteral("Realce")));
        const QPalette old = QApplication::palette();
        QPalette p = old;
        p.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
        QApplication::setPalette(p);
        QCOMPARE(box.selectedColour(), QColor(1, 2, 3));
        QApplication::setPalette(old);
    }

    // The path from the root down as open folders, then the subfolders; only a double-click or
    // Enter opens one.
    void theFolderListOpensOnlyOnDoubleClickOrEnter_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("opened"); // relative to the temporary folder
        QTest::newRow("a single click only highlights") << "click"
                                                        << "";
        QTest::newRow("a double-click opens") << "double-click"
                                              << "Documentos";
        QTest::newRow("Enter opens the highlighted folder") << "enter"
                                                            << "Documentos";
    }
    void theFolderListOpensOnlyOnDoubleClickOrEnter()
    {
        QFETCH(QString, action);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        makeFolders(dir.path(), {"Documentos/Cartas", "area de trabalho", ".escondida"});
        ui::FolderList list;
        list.resize(233, 400);
        list.setFolder(dir.path());
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QStringList path = QDir::cleanPath(dir.path()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        const QStringList expected = QStringList{"/"} + path + QStringList{"area de trabalho", "Documentos"};
        QCOMPARE(listed(&list), expected);
        QCOMPARE(list.currentItem()->text(), path.last());

        QListWidgetItem* docs = list.item(list.count() - 1);
        const QPoint at = list.visualItemRect(docs).center();
        if (action == QLatin1String("click"))
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        else if (action == QLatin1String("double-click")) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
        } else {
            list.setCurrentItem(docs);
            QTest::keyClick(&list, Qt::Key_Return);
        }
        QCOMPARE(list.folder(), QDir::toNativeSeparators(QDir::cleanPath(dir.filePath(opened))));
        if (action == QLatin1String("click"))
            QCOMPARE(list.currentItem()->text(), QStringLiteral("Documentos"));
    }

    void aVanishedFolderGivesWayToTheNearestOneAbove()
    {
        QTemporaryDir dir;
        makeFolders(dir.path(), {"pen/fotos"});
        ui::FolderList list;
        list.setFolder(dir.filePath(QStringLiteral("pen/fotos")));
        QDir(dir.filePath(QStringLiteral("pen"))).removeRecursively();
        list.refresh();
        QCOMPARE(list.folder(), QDir::cleanPath(dir.path()));
        list.setFolder(QStringLiteral("/"));
        QCOMPARE(list.folder(), QStringLiteral("/"));
        QCOMPARE(listed(&list).first(), QStringLiteral("/"));
    }

    // Choosing a drive opens the folder last opened on it; opening a folder selects its drive.
    void theDriveListFollowsAndLeadsTheFolderList()
    {
        QTemporaryDir dir;
        makeFolders(dir.path(), {"PENDRIVE/trabalhos", "casa"});
        const QString pen = QDir::cleanPath(dir.filePath(QStringLiteral("PENDRIVE")));
        ui::FolderList list;
        ui::DriveList drives;
        drives.setVolumes({{QStringLiteral("/"), QStringLiteral("Sistema (/)"), false},
                           {pen, QStringLiteral("PENDRIVE (%1)").arg(pen), true}});
        list.setFolder(dir.filePath(QStringLiteral("casa")));
        drives.setFolderList(&list);
        QCOMPARE(drives.currentIndex(), 0);

        list.setFolder(pen + QStringLiteral("/trabalhos"));
        QCOMPARE(drives.currentIndex(), 1);
        emit drives.activated(0);
        QCOMPARE(list.folder(), QDir::cleanPath(dir.filePath(QStringLiteral("casa"))));
        emit drives.activated(1);
        QCOMPARE(list.folder(), pen + QStringLiteral("/trabalhos"));

        // Listed again (as each showing does), a drive keeps its folder.
        drives.setVolumes(drives.volumes());
        emit drives.activated(0);
        emit drives.activated(1);
        QCOMPARE(list.folder(), pen + QStringLiteral("/trabalhos"));
    }

    void theSystemDrivesStartWithTheRoot()
    {
        const auto volumes = ui::DriveList::systemVolumes();
        QVERIFY(!volumes.empty());
        QCOMPARE(volumes.front().rootPath, QStringLiteral("/"));
        for (const auto& v : volumes)
            QVERIFY2(!v.rootPath.startsWith(QLatin1String("/proc")) &&
                         !v.rootPath.startsWith(QLatin1String("/sys")),
                     qPrintable(v.rootPath));
    }

    void reportFileNames_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("a folder and a name") << "/home/maria/Documentos"
                                             << "Maria Silva"
                                             << "/home/maria/Documentos/Maria Silva.QRP";
        QTest::newRow("the root gives two separators in a row") << "/"
                                                                << "Maria Silva"
                                                                << "//Maria Silva.QRP";
        QTest::newRow("an empty name gives .QRP") << "/home/maria"
                                                  << ""
                                                  << "/home/maria/.QRP";
        QTest::newRow("the name as typed, blanks included") << "/tmp"
                                                            << " Ana  "
                                                            << "/tmp/ Ana  .QRP";
    }
    void reportFileNames()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, file);
        QCOMPARE(Tfrm_salvar::reportFileName(folder, name), file);
    }

    // The target is the folder that is open, not one that is merely highlighted.
    void aHighlightedFolderIsNotTheTarget()
    {
        QTemporaryDir dir;
        makeFolders(dir.path(), {"sub"});
        frm_salvar->lista->setFolder(dir.path());
        Form1->edt_nome->setText(QStringLiteral("Maria Silva"));
        frm_salvar->lista->setCurrentRow(frm_salvar->lista->count() - 1);
        QCOMPARE(frm_salvar->lista->currentItem()->text(), QStringLiteral("sub"));
        QCOMPARE(frm_salvar->reportFileName(),
                 QDir::cleanPath(dir.path()) + QStringLiteral("/Maria Silva.QRP"));
    }

    // A name holding a separator would write outside the chosen folder: refused, nothing written,
    // and the dialog stays as it was.
    void aNameWithASeparatorIsRefused()
    {
        QTemporaryDir dir;
        makeFolders(dir.path(), {"Maria"});
        frm_salvar->lista->setFolder(dir.path());
        Form1->edt_nome->setText(QStringLiteral("Maria/Silva"));
        frm_salvar->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm_salvar));
        click(frm_salvar->BitBtn1);
        QCOMPARE(m_messages, QStringList{QStringLiteral(
                                 "O nome \"Maria/Silva\" contém uma barra (/), que não pode fazer parte do "
                                 "nome de um arquivo. Corrija o nome na aba \"Dados Principais\" e salve "
                                 "de novo.")});
        QVERIFY(frm_salvar->isVisible());
        QVERIFY(!frm_salvar->progresso->isVisible());
        QVERIFY(frm_salvar->BitBtn1->isVisible());
        QVERIFY(QDir(dir.filePath(QStringLiteral("Maria"))).isEmpty());
        frm_salvar->hide();
    }

    // Only the two buttons close the save dialog; "Cancelar" writes nothing and keeps the folder.
    void cancelWritesNothingAndKeepsTheFolder()
    {
        QTemporaryDir dir;
        frm_salvar->lista->setFolder(dir.path());
        Form1->edt_nome->setText(QStringLiteral("Maria Silva"));
        frm_salvar->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm_salvar));
        QTest::keyClick(frm_salvar, Qt::Key_Escape);
        QVERIFY(frm_salvar->isVisible());
        click(frm_salvar->BitBtn2);
        QVERIFY(!frm_salvar->isVisible());
        QVERIFY(QDir(dir.path()).isEmpty());
        frm_salvar->show();
        QCOMPARE(frm_salvar->lista->folder(), QDir::cleanPath(dir.path()));
        frm_salvar->hide();
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
    SaveDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogs.moc"

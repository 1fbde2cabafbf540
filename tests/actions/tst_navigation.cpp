// Enter-key navigation and the focus highlight of the main window.
#include "FormFixture.h"

#include "ui/PhoneEdit.h"
#include "ui/SentenceBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabBar>

namespace {

// The Enter order of each page, as a person reads the page.
const QStringList kPersonal = {"edt_nome",        "edt_nasc",    "edt_sexo",   "edt_ec",  "edt_tel1",
                               "edt_tel2",        "edt_natural", "edt_email",  "edt_rua", "edt_numero",
                               "edt_complemento", "edt_bairro",  "edt_cidade", "edt_uf"};
const QStringList kExperience = {"edt_exnome%1",    "edt_excargo%1", "edt_exobs%1",
                                 "edt_exentrada%1", "edt_exsaida%1", "edt_extelefone%1"};
const QStringList kSchooling = {"edt_escolaridade", "edt_curso", "edt_escola"};
const QStringList kCourse = {"edt_cucurso%1", "edt_cuobs%1", "edt_cuescola%1", "edt_cuduracao%1"};
const QStringList kInformation = {"edt_rg", "edt_cpf", "edt_cp", "edt_te", "edt_cargo", "edt_salario"};

QString exitOption(int page)
{
    return page == 1 ? QStringLiteral("informar_saida") : QStringLiteral("informar_saida%1").arg(page);
}

// Counts the Enter keys that reach the window, i.e. that a field passed on.
class EnterSpy : public QObject {
  public:
    int passedOn = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return)
            ++passedOn;
        return false;
    }
};

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT
  private slots:
    void aFocusLeaveIsSeenAfterTheFocusMoved();
    void enterMovesAlongThePage_data();
    void enterMovesAlongThePage();
    void tabKeepsTheFormsOwnOrder_data();
    void tabKeepsTheFormsOwnOrder();
    void enterInAnIncompletePhoneKeepsTheFocusThere_data();
    void enterInAnIncompletePhoneKeepsTheFocusThere();
    void escapeAfterARefusalGivesBackTheNumberFromBefore();
    void theHighlightFollowsTheFocus();
    void theSentenceBoxKeepsTheHighlightWhileTypingAndLosesItWhenLeft();
    void aTabClickPutsTheFocusOnThePageControl_data();
    void aTabClickPutsTheFocusOnThePageControl();
};

void NavigationTest::aFocusLeaveIsSeenAfterTheFocusMoved()
{
    // The highlight repaints from the field left, so it must already see the new field.
    FormFixture f;
    f.focus("edt_nome");
    struct Watch : QObject {
        QString focusAtLeave, windowFocusAtLeave;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::FocusOut) {
                focusAtLeave = FormFixture::focusedName();
                windowFocusAtLeave = static_cast<QWidget*>(o)->window()->focusWidget()->objectName();
            }
            return false;
        }
    } watch;
    f.named("edt_nome")->installEventFilter(&watch);
    f.named("edt_email")->setFocus(Qt::MouseFocusReason);
    QCOMPARE(watch.focusAtLeave, QStringLiteral("edt_email"));
    QCOMPARE(watch.windowFocusAtLeave, QStringLiteral("edt_email"));
    QCOMPARE(f.highlighted(), QStringList{"edt_email"});
}

void NavigationTest::enterMovesAlongThePage_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("exitDatePage"); // the page whose exit date is switched on, 0 for none

    auto chain = [](const QStringList& order, int page, int exitDatePage) {
        auto at = [page](const QString& n) { return page ? n.arg(page) : n; };
        for (int i = 0; i + 1 < order.size(); ++i)
            QTest::addRow("Enter in %s goes to %s", qPrintable(at(order[i])), qPrintable(at(order[i + 1])))
                << at(order[i]) << at(order[i + 1]) << exitDatePage;
        QTest::addRow("Enter in %s, the end of its chain, stays there", qPrintable(at(order.last())))
            << at(order.last()) << at(order.last()) << exitDatePage;
    };
    chain(kPersonal, 0, 0);
    for (int page = 1; page <= 5; ++page)
        chain(kExperience, page, page);
    chain(kSchooling, 0, 0);
    for (int page = 1; page <= 5; ++page)
        chain(kCourse, page, 0);
    chain(kInformation, 0, 0);
    for (int page = 1; page <= 5; ++page)
        QTest::addRow("Enter in edt_exentrada%d passes the disabled exit date on to the company phone", page)
            << QStringLiteral("edt_exentrada%1").arg(page) << QStringLiteral("edt_extelefone%1").arg(page)
            << 0;
}

void NavigationTest::enterMovesAlongThePage()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, exitDatePage);
    FormFixture f;
    if (exitDatePage)
        f.named<QCheckBox>(exitOption(exitDatePage))->setChecked(true);
    f.focus(from);
    QCOMPARE(f.focusedName(), from);
    auto* line = qobject_cast<QLineEdit*>(f.named(from));
    const QString textBefore = line ? line->text() : QString();
    EnterSpy spy;
    f.form->installEventFilter(&spy);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QCOMPARE(f.focusedName(), to);
    QCOMPARE(f.highlighted(), QStringList{to});
    if (from != to)
        QCOMPARE(spy.passedOn, 0);
    if (line)
        QCOMPARE(line->text(), textBefore);
    QVERIFY(f.dialogs.empty());
}

void NavigationTest::tabKeepsTheFormsOwnOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QString>("to");
    QTest::newRow("Tab from edt_tel2 goes to the address, edt_rua") << "edt_tel2" << false << "edt_rua";
    QTest::newRow("Tab from edt_uf goes back up to edt_natural") << "edt_uf" << false << "edt_natural";
    QTest::newRow("Tab from edt_natural goes to edt_email") << "edt_natural" << false << "edt_email";
    QTest::newRow("Tab from the date edt_nasc goes to edt_sexo, not to the month")
        << "edt_nasc" << false << "edt_sexo";
    QTest::newRow("Shift+Tab from the date edt_exsaida1 goes back to edt_exentrada1")
        << "edt_exsaida1" << true << "edt_exentrada1";
    QTest::newRow("Tab from edt_escola goes to the list at the top, edt_escolaridade")
        << "edt_escola" << false << "edt_escolaridade";
}

void NavigationTest::tabKeepsTheFormsOwnOrder()
{
    QFETCH(QString, from);
    QFETCH(bool, backwards);
    QFETCH(QString, to);
    FormFixture f;
    f.named<QCheckBox>("informar_saida")->setChecked(true);
    f.focus(from);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(f.focusedName(), to);
    QCOMPARE(f.highlighted(), QStringList{to});
}

void NavigationTest::enterInAnIncompletePhoneKeepsTheFocusThere_data()
{
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("refused");
    QTest::newRow("one digit in edt_tel1 is refused and the focus stays") << "edt_tel1"
                                                                          << "1"
                                                                          << "edt_tel1" << true;
    QTest::newRow("one digit in edt_tel2 is refused and the focus stays") << "edt_tel2"
                                                                          << "1"
                                                                          << "edt_tel2" << true;
    QTest::newRow("one digit in edt_extelefone2, a chain end, is refused") << "edt_extelefone2"
                                                                           << "1"
                                                                           << "edt_extelefone2" << true;
    QTest::newRow("a whole number in edt_tel1 goes on to edt_tel2") << "edt_tel1"
                                                                    << "1123456789"
                                                                    << "edt_tel2" << false;
    QTest::newRow("a whole number in edt_tel2 goes on to edt_natural") << "edt_tel2"
                                                                       << "1123456789"
                                                                       << "edt_natural" << false;
    QTest::newRow("an untouched edt_tel1 goes on to edt_tel2") << "edt_tel1"
                                                               << ""
                                                               << "edt_tel2" << false;
}

void NavigationTest::enterInAnIncompletePhoneKeepsTheFocusThere()
{
    QFETCH(QString, phone);
    QFETCH(QString, typed);
    QFETCH(QString, to);
    QFETCH(bool, refused);
    FormFixture f;
    // What the window shows while the error box is up.
    QStringList highlightedDuringBox;
    ui::setDialogHook([&](const ui::DialogRequest& r) {
        f.dialogs.push_back(r);
        highlightedDuringBox = f.highlighted();
        return ui::DialogButton::Ok;
    });
    f.focus(phone);
    QTest::keyClicks(QApplication::focusWidget(), typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    if (refused) {
        QTRY_COMPARE(f.dialogs.size(), size_t(1));
        QCOMPARE(f.dialogs[0].style, ui::DialogRequest::Style::Error);
        QCOMPARE(f.dialogs[0].text, ui::errorText(ui::PhoneEdit::invalidInputMessage()));
        QCOMPARE(highlightedDuringBox, QStringList{phone});
    }
    QTest::qWait(0); // a refusal would come back from a zero timer
    QCOMPARE(f.focusedName(), to);
    QCOMPARE(f.highlighted(), QStringList{to});
    QCOMPARE(f.dialogs.size(), size_t(refused ? 1 : 0));
}

void NavigationTest::escapeAfterARefusalGivesBackTheNumberFromBefore()
{
    FormFixture f;
    auto* phone = f.named<ui::PhoneEdit>("edt_tel1");
    phone->setValue("(11)2345-6789");
    f.focus("edt_tel1");
    QTest::keyClick(phone, Qt::Key_End);
    QTest::keyClick(phone, Qt::Key_Backspace);
    QTest::keyClick(phone, Qt::Key_Return);
    QTRY_COMPARE(f.dialogs.size(), size_t(1));
    // The window gets the keyboard back once the error box is gone.
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(phone, &back);
    QTest::keyClick(phone, Qt::Key_Escape);
    QCOMPARE(phone->value(), QStringLiteral("(11)2345-6789"));
    QTest::keyClick(phone, Qt::Key_Return);
    QCOMPARE(f.focusedName(), QStringLiteral("edt_tel2"));
    QCOMPARE(f.dialogs.size(), size_t(1));
}

void NavigationTest::theHighlightFollowsTheFocus()
{
    FormFixture f;
    QVERIFY(f.highlighted().isEmpty());

    f.focus("edt_nome");
    QCOMPARE(f.highlighted(), QStringList{"edt_nome"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.highlighted(), QStringList{"edt_nasc"});

    // From a phone field to an option: no field is marked.
    f.focus("edt_extelefone1");
    QCOMPARE(f.highlighted(), QStringList{"edt_extelefone1"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.focusedName(), QStringLiteral("informar_saida"));
    QVERIFY2(f.highlighted().isEmpty(), qPrintable(f.highlighted().join(' ')));

    // A click into a field of another page, after switching the page with the mouse.
    f.focus("edt_cpf");
    QTabBar* tabs = f.form->PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {},
                      tabs->tabRect(f.form->PageControl1->indexOf(f.form->TabSheet9)).center());
    QTest::mouseClick(f.named("edt_cuobs1"), Qt::LeftButton);
    QCOMPARE(f.focusedName(), QStringLiteral("edt_cuobs1"));
    QCOMPARE(f.highlighted(), QStringList{"edt_cuobs1"});

    // A disabled exit date cannot take the focus, so it is never marked; switched on, it is.
    f.focus("edt_exsaida1");
    QVERIFY(!f.highlighted().contains("edt_exsaida1"));
    f.named<QCheckBox>("informar_saida")->setChecked(true);
    f.focus("edt_exsaida1");
    QCOMPARE(f.highlighted(), QStringList{"edt_exsaida1"});
}

void NavigationTest::theSentenceBoxKeepsTheHighlightWhileTypingAndLosesItWhenLeft()
{
    FormFixture f;
    FormFixture::reveal(f.form->TabSheet17);
    QTest::mouseClick(f.form->frase4, Qt::LeftButton);
    QCOMPARE(f.focusedName(), QStringLiteral("frase"));
    for (QChar c : QStringLiteral("Sou dedicado")) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCOMPARE(f.highlighted(), QStringList{"frase"});
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(f.focusedName(), QStringLiteral("frase4"));
    QVERIFY2(f.highlighted().isEmpty(), qPrintable(f.highlighted().join(' ')));
    QCOMPARE(f.form->frase->text(), QStringLiteral("Sou dedicado"));
}

void NavigationTest::aTabClickPutsTheFocusOnThePageControl_data()
{
    QTest::addColumn<QString>("pages");      // the page control whose tab is clicked
    QTest::addColumn<int>("tab");            // its tab
    QTest::addColumn<QString>("fieldFirst"); // the field that has the focus (and the yellow) before
    QTest::addColumn<QString>("focused");    // where the focus is afterwards; "" for the page control

    const char* outer[] = {"Dados Principais",
                           "Experiências Profissionais",
                           "Escolaridade",
                           "Cursos",
                           "Foto",
                           "Informações",
                           "Frase"};
    for (int i = 0; i < 7; ++i)
        QTest::newRow(outer[i]) << "PageControl1" << i << (i == 0 ? "edt_cpf" : "edt_nome")
                                << (i == 2 ? "edt_escolaridade" : "");
    QTest::newRow("2ª Experiência") << "PageControl2" << 1 << "edt_exnome1"
                                    << "";
    QTest::newRow("5ª Experiência, from an exit date") << "PageControl2" << 4 << "edt_exentrada1"
                                                       << "";
    QTest::newRow("3º Curso") << "PageControl3" << 2 << "edt_cuescola1"
                              << "";
}

void NavigationTest::aTabClickPutsTheFocusOnThePageControl()
{
    QFETCH(QString, pages);
    QFETCH(int, tab);
    QFETCH(QString, fieldFirst);
    QFETCH(QString, focused);
    FormFixture f;
    f.focus(fieldFirst);
    QCOMPARE(f.highlighted(), QStringList{fieldFirst});

    auto* control = f.named<QTabWidget>(pages);
    QTabBar* tabs = control->tabBar();
    // Within the tab and the bar (without the program's font faces, the last tab may run past it).
    QPoint at = tabs->tabRect(tab).center();
    at.setX(std::min(at.x(), tabs->width() - 4));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, at);
    QCOMPARE(control->currentIndex(), tab);
    if (focused.isEmpty()) {
        QCOMPARE(QApplication::focusWidget(), tabs);
        QVERIFY2(f.highlighted().isEmpty(), qPrintable(f.highlighted().join(' ')));
        // What is typed next goes into no field.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
        for (const EntryControl& e : f.form->entryControls())
            if (auto* edit = qobject_cast<QLineEdit*>(e.widget); edit && e.kind == EntryKind::Text)
                QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    } else {
        QCOMPARE(f.focusedName(), focused);
        QCOMPARE(f.highlighted(), QStringList{focused});
    }
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"

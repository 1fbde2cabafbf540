// The platform layer's entry controls and dialogs, driven as a user drives them.
#include "ui/Application.h"
#include "ui/BalloonHint.h"
#include "ui/Dialogs.h"
#include "ui/PhoneEdit.h"
#include "ui/SentenceBox.h"

#include <QClipboard>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using ui::PhoneEdit;

namespace {

// Types into the focused widget: '>' is the right arrow, '<' backspace, anything else itself.
void type(QWidget* w, const QString& keys)
{
    for (const QChar c : keys) {
        if (c == QLatin1Char('>'))
            QTest::keyClick(w, Qt::Key_Right);
        else if (c == QLatin1Char('<'))
            QTest::keyClick(w, Qt::Key_Backspace);
        else
            QTest::keyClicks(w, QString(c));
    }
}

// A window with a phone field and a plain field after it, and every dialog recorded.
struct PhoneWindow {
    QWidget window;
    PhoneEdit* phone = new PhoneEdit;
    QLineEdit* next = new QLineEdit;
    QList<ui::DialogRequest> dialogs;

    PhoneWindow()
    {
        auto* row = new QHBoxLayout(&window);
        row->addWidget(phone);
        row->addWidget(next);
        ui::setDialogHook([this](const ui::DialogRequest& r) {
            dialogs << r;
            return ui::DialogButton::Ok;
        });
        window.show();
        QApplication::setActiveWindow(&window);
    }
    ~PhoneWindow() { ui::setDialogHook({}); }

    bool enter()
    {
        phone->setFocus(Qt::MouseFocusReason);
        phone->home(false);
        return QTest::qWaitFor([this] { return phone->hasFocus(); });
    }
    // Presses Tab and lets the field's check run; true when it took the focus back.
    bool leave()
    {
        const qsizetype before = dialogs.size();
        QTest::keyClick(phone, Qt::Key_Tab);
        QTest::qWait(20);
        return dialogs.size() > before && phone->hasFocus();
    }
};

} // namespace

class TestUi : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
    }

    void phoneValueAsTyped_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("value");
        QTest::newRow("an untouched field reads blanks and literals") << ""
                                                                      << "(  )    -    ";
        QTest::newRow("a whole number reads with its area code") << "1132345678"
                                                                 << "(11)3234-5678";
        QTest::newRow("eight digits alone leave two blanks for the area code") << ">>>32345678"
                                                                               << "(  )3234-5678";
        QTest::newRow("a one-digit area code reads with a leading blank") << "1>32345678"
                                                                          << "( 1)3234-5678";
        QTest::newRow("a digit in the second area position reads the same") << ">>132345678"
                                                                            << "( 1)3234-5678";
        QTest::newRow("letters and signs are not taken") << "a1b1x3234 y5678"
                                                         << "(11)3234-5678";
        QTest::newRow("a digit typed and deleted reads blank again") << "1<"
                                                                     << "(  )    -    ";
        QTest::newRow("a short number keeps its blanks at the end") << "11323456"
                                                                    << "(11)3234-56  ";
        QTest::newRow("digits deleted from the end read as blanks around the dash") << "1132345678<<<<<"
                                                                                    << "(11)323 -    ";
    }
    void phoneValueAsTyped()
    {
        QFETCH(QString, keys);
        QFETCH(QString, value);
        PhoneWindow w;
        QVERIFY(w.enter());
        type(w.phone, keys);
        QCOMPARE(w.phone->value(), value);
        QCOMPARE(w.phone->value().size(), PhoneEdit::kLength);

        // The same value written by the program reads back unchanged and is no user change.
        PhoneEdit copy;
        copy.setValue(value);
        QCOMPARE(copy.value(), value);
        QVERIFY(!copy.isChanged());
    }

    void phoneShowsUnderscoresInEmptyPositions()
    {
        PhoneEdit phone;
        QCOMPARE(phone.displayText(), QStringLiteral("(__)____-____"));
        QCOMPARE(phone.value(), PhoneEdit::emptyValue());
    }

    void phoneRefusesToLeaveChangedAndIncomplete_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("refused");
        QTest::newRow("an untouched field leaves freely") << "" << false;
        QTest::newRow("a whole number leaves freely") << "1132345678" << false;
        QTest::newRow("eight digits without area code leave freely") << ">>>32345678" << false;
        QTest::newRow("a digit typed and deleted is refused") << "1<" << true;
        QTest::newRow("a number one digit short is refused") << "113234567" << true;
        QTest::newRow("an area code alone is refused") << "11" << true;
    }
    void phoneRefusesToLeaveChangedAndIncomplete()
    {
        QFETCH(QString, keys);
        QFETCH(bool, refused);
        PhoneWindow w;
        QVERIFY(w.enter());
        type(w.phone, keys);
        QCOMPARE(w.leave(), refused);
        if (!refused) {
            QVERIFY(w.dialogs.isEmpty());
            QTRY_VERIFY(w.next->hasFocus());
            return;
        }
        QCOMPARE(w.dialogs.size(), 1);
        const ui::DialogRequest& box = w.dialogs.first();
        QCOMPARE(box.style, ui::DialogRequest::Style::Error);
        QCOMPARE(box.caption, QStringLiteral("Sovranel 3.1"));
        QCOMPARE(box.text, QStringLiteral("Invalid input value.  Use escape key to abandon changes."));
        QCOMPARE(box.buttons, int(ui::DialogButton::Ok));
        QVERIFY(box.icon);
        // Refused again on every try, until it is complete or abandoned.
        QVERIFY(w.leave());
        QCOMPARE(w.dialogs.size(), 2);
    }

    void phoneEscapeGivesBackTheTextOnEntering_data()
    {
        QTest::addColumn<QString>("firstVisit");
        QTest::addColumn<QString>("secondVisit");
        QTest::addColumn<bool>("refusedFirst");
        QTest::addColumn<QString>("value");
        QTest::newRow("a digit typed into an untouched field, refused, then abandoned")
            << ""
            << "1" << true << "(  )    -    ";
        QTest::newRow("a number with a digit deleted, refused, then abandoned")
            << "1132345678"
            << "<" << true << "(11)3234-5678";
        QTest::newRow("a number without area code with a digit deleted, then abandoned")
            << ">>>32345678"
            << "<" << true << "(  )3234-5678";
        QTest::newRow("a whole number typed over another, abandoned before leaving")
            << "1132345678"
            << "2199998888" << false << "(11)3234-5678";
    }
    void phoneEscapeGivesBackTheTextOnEntering()
    {
        QFETCH(QString, firstVisit);
        QFETCH(QString, secondVisit);
        QFETCH(bool, refusedFirst);
        QFETCH(QString, value);
        PhoneWindow w;
        QVERIFY(w.enter());
        type(w.phone, firstVisit);
        QVERIFY(!w.leave());
        QVERIFY(w.enter());
        if (secondVisit.size() == 10)
            w.phone->selectAll();
        else
            w.phone->end(false);
        type(w.phone, secondVisit);
        if (refusedFirst)
            QVERIFY(w.leave());
        QTest::keyClick(w.phone, Qt::Key_Escape);
        QCOMPARE(w.phone->value(), value);
        QVERIFY(!w.phone->isChanged());
        const qsizetype boxes = w.dialogs.size();
        QVERIFY(!w.leave());
        QCOMPARE(w.dialogs.size(), boxes);
        QTRY_VERIFY(w.next->hasFocus());
    }

    void sentenceBoxStopsTypingAtItsLimit()
    {
        ui::SentenceBox box;
        box.show();
        QApplication::setActiveWindow(&box);
        box.setFocus();
        QTest::keyClicks(&box, QString(160, QLatin1Char('a')));
        QCOMPARE(box.text().size(), 150);
        // Typing over a selection replaces it, even in a full box.
        QTextCursor c = box.textCursor();
        c.setPosition(0);
        c.setPosition(3, QTextCursor::KeepAnchor);
        box.setTextCursor(c);
        QTest::keyClicks(&box, QStringLiteral("xyz!"));
        QCOMPARE(box.text(), QStringLiteral("xyz") + QString(147, QLatin1Char('a')));
    }

    void sentenceBoxCutsPastedText_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        const QString a70(70, QLatin1Char('a')), c70(70, QLatin1Char('c'));
        QTest::newRow("a paste that fits goes in whole") << "abc" << 3 << 0 << "def"
                                                         << "abcdef";
        QTest::newRow("a paste at the end is cut to the room left")
            << a70 + c70 << 140 << 0 << QString(20, QLatin1Char('b'))
            << a70 + c70 + QString(10, QLatin1Char('b'));
        QTest::newRow("a paste in the middle keeps the text after it")
            << a70 + c70 << 70 << 0 << QString(20, QLatin1Char('b'))
            << a70 + QString(10, QLatin1Char('b')) + c70;
        QTest::newRow("a paste over a selection counts the selection as room")
            << QString(150, QLatin1Char('a')) << 0 << 10 << QString(20, QLatin1Char('b'))
            << QString(10, QLatin1Char('b')) + QString(140, QLatin1Char('a'));
        QTest::newRow("a paste into a full box changes nothing")
            << QString(150, QLatin1Char('a')) << 75 << 0 << "b" << QString(150, QLatin1Char('a'));
    }
    void sentenceBoxCutsPastedText()
    {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(int, selected);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        ui::SentenceBox box;
        box.setPlainText(before);
        QTextCursor c = box.textCursor();
        c.setPosition(cursor);
        c.setPosition(cursor + selected, QTextCursor::KeepAnchor);
        box.setTextCursor(c);
        QApplication::clipboard()->setText(pasted);
        box.paste();
        QCOMPARE(box.text(), after);
    }

    void sentenceBoxLetsTabMoveOn()
    {
        QWidget window;
        auto* box = new ui::SentenceBox;
        auto* next = new QLineEdit;
        auto* row = new QHBoxLayout(&window);
        row->addWidget(box);
        row->addWidget(next);
        window.show();
        QApplication::setActiveWindow(&window);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_VERIFY(next->hasFocus());
        QCOMPARE(box->text(), QString());
    }

    void errorTextEndsInAFullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a text without a full stop gets one") << "Arquivo corrompido"
                                                             << "Arquivo corrompido.";
        QTest::newRow("a text with a full stop keeps it alone") << "Arquivo corrompido."
                                                                << "Arquivo corrompido.";
        QTest::newRow("an exclamation still gets a full stop") << "Falhou!"
                                                               << "Falhou!.";
        QTest::newRow("an ellipsis is a full stop already") << "Aguarde..."
                                                            << "Aguarde...";
    }
    void errorTextEndsInAFullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ui::errorText(message), shown);
    }

    // Whatever a server or a file puts into a box is shown as the characters it is: no link to
    // click, no local picture, no style.
    void everyBoxShowsMarkupAsPlainText_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        const QString link = QStringLiteral("<a href='http://x/baixe-aqui.exe'>CLIQUE AQUI</a>");
        const QString picture = QStringLiteral("<img src=file:///etc/hostname>");
        const QString heading = QStringLiteral("<h1 style='color:red'>Erro</h1>");
        QTest::newRow("the standard error box, a heading") << 0 << heading;
        QTest::newRow("the plain message box, a link") << 1 << link;
        QTest::newRow("the typed dialog, a local picture") << 2 << picture;
        QTest::newRow("the Yes/No question, a link") << 3 << link;
    }
    void everyBoxShowsMarkupAsPlainText()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        Qt::TextFormat format = Qt::RichText;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(b);
            format = b->textFormat();
            shown = b->text();
            b->done(0);
        });
        switch (box) {
        case 0:
            ui::showErrorBox(text);
            text = ui::errorText(text);
            break;
        case 1:
            ui::showMessage(text);
            break;
        case 2:
            ui::messageDlg(text, ui::DialogKind::Information, int(ui::DialogButton::Ok));
            break;
        case 3:
            ui::askYesNo(QStringLiteral("Sovranel 3.1"), text, ui::DialogButton::No);
            break;
        }
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, text);
    }

    void outsideTextIsCutToKeepTheBoxOnScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("300 characters stay whole") << QString(300, u'x') << QString(300, u'x');
        QTest::newRow("301 are cut with an ellipsis")
            << QString(301, u'x') << QString(300, u'x') + QChar(0x2026);
        QTest::newRow("a short text is kept") << QStringLiteral("3.1.0.7") << QStringLiteral("3.1.0.7");
    }
    void outsideTextIsCutToKeepTheBoxOnScreen()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ui::shortened(text), shown);
    }

    void failureEscapingAHandlerEndsInTheErrorBox()
    {
        // An object whose every event handler throws, as a faulty handler would.
        struct Faulty : QObject {
            int calls = 0;
            bool event(QEvent*) override
            {
                ++calls;
                throw std::runtime_error("Não foi possível abrir o arquivo");
            }
        } faulty;
        QList<ui::DialogRequest> dialogs;
        ui::setDialogHook([&](const ui::DialogRequest& r) {
            dialogs << r;
            return ui::DialogButton::Ok;
        });
        QEvent e1(QEvent::User), e2(QEvent::User);
        QCoreApplication::sendEvent(&faulty, &e1);
        QCoreApplication::sendEvent(&faulty, &e2); // and the program goes on
        ui::setDialogHook({});
        QCOMPARE(faulty.calls, 2);
        QCOMPARE(dialogs.size(), 2);
        QCOMPARE(dialogs[0].style, ui::DialogRequest::Style::Error);
        QCOMPARE(dialogs[0].caption, QStringLiteral("Sovranel 3.1"));
        QCOMPARE(dialogs[0].text, QStringLiteral("Não foi possível abrir o arquivo."));
    }

    void balloonShowsTheHintOfTheControlOrItsParent()
    {
        QWidget window;
        window.setToolTip(QStringLiteral("Digite o seu email "));
        auto* inner = new QWidget(&window);
        auto* own = new QWidget(&window);
        own->setToolTip(QStringLiteral("Telefone da empresa."));
        window.resize(200, 100);
        inner->setGeometry(0, 0, 50, 50);
        own->setGeometry(100, 0, 50, 50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const struct {
            QWidget* under;
            QString hint;
        } cases[] = {{own, QStringLiteral("Telefone da empresa.")},
                     {inner, QStringLiteral("Digite o seu email ")}};
        for (const auto& c : cases) {
            QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), c.under->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(c.under, &help);
            QVERIFY(ui::BalloonHint::instance()->isVisible());
            QCOMPARE(ui::BalloonHint::instance()->text(), c.hint);
        }
        QTest::keyClick(&window, Qt::Key_A);
        QVERIFY(!ui::BalloonHint::instance()->isVisible());
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    TestUi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui.moc"

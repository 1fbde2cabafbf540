// The platform layer's entry controls and dialogs, driven as a user drives them.
#include "ui/Application.h"
#include "ui/BalloonHint.h"
#include "ui/ColourBox.h"
#include "ui/Dialogs.h"
#include "ui/Look.h"
#include "ui/OpenFileDialog.h"
#include "ui/PhoneEdit.h"
#include "ui/SentenceBox.h"
#include "ui/Skin.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
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
        QTest::newRow("a landline grown into a mobile, abandoned before leaving")
            << "1132345678"
            << "9" << false << "(11)3234-5678";
        QTest::newRow("a mobile typed over a landline, abandoned before leaving")
            << "1132345678"
            << "21999998888" << false << "(11)3234-5678";
        QTest::newRow("a mobile cut short, refused, then abandoned") << "21999998888"
                                                                     << "<<" << true << "(21)99999-8888";
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
        if (secondVisit.size() >= 10)
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

    void phoneTakesLandlinesAndMobiles_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("paste");   // with Ctrl+V after the keys
        QTest::addColumn<QString>("value");   // once the focus tried to leave
        QTest::addColumn<QString>("refusal"); // the error box, empty when it may leave
        const QString incomplete = PhoneEdit::invalidInputMessage() + QLatin1Char('.');
        const auto unknown = [](const char* area) { return PhoneEdit::unknownAreaCodeMessage(area); };

        QTest::newRow("ten digits with the area code are a landline") << "1132564789"
                                                                      << ""
                                                                      << "(11)3256-4789"
                                                                      << "";
        QTest::newRow("eleven digits with the area code turn into a mobile") << "21999998888"
                                                                             << ""
                                                                             << "(21)99999-8888"
                                                                             << "";
        QTest::newRow("eight digits past the area code are a landline") << ">>>32564789"
                                                                        << ""
                                                                        << "(  )3256-4789"
                                                                        << "";
        QTest::newRow("nine digits past the area code are a mobile") << ">>>999998888"
                                                                     << ""
                                                                     << "(  )99999-8888"
                                                                     << "";
        QTest::newRow("seven digits past the area code are incomplete") << ">>>3256478"
                                                                        << ""
                                                                        << "(  )3256-478 " << incomplete;
        QTest::newRow("a tenth digit after the area code finds no room") << "219999988887"
                                                                         << ""
                                                                         << "(21)99999-8888"
                                                                         << "";
        QTest::newRow("an old eight-digit number starting with 9 stays a landline") << "1198765432"
                                                                                    << ""
                                                                                    << "(11)9876-5432"
                                                                                    << "";
        QTest::newRow("a mobile's last digit deleted is a landline again") << "21999998888<"
                                                                           << ""
                                                                           << "(21)9999-9888"
                                                                           << "";
        QTest::newRow("a mobile's digits all deleted are incomplete") << "21999998888<<<<<<<<<"
                                                                      << ""
                                                                      << "(21)    -    " << incomplete;
        QTest::newRow("an area code that does not exist is refused") << "2032564789"
                                                                     << ""
                                                                     << "(20)3256-4789" << unknown("20");
        QTest::newRow("area code 00 is refused") << "0032564789"
                                                 << ""
                                                 << "(00)3256-4789" << unknown("00");
        QTest::newRow("a one-digit area code is refused") << "1>32564789"
                                                          << ""
                                                          << "( 1)3256-4789" << unknown("1");
        QTest::newRow("a pasted mobile with a blank after the area code") << ""
                                                                          << "(21) 99999-8888"
                                                                          << "(21)99999-8888"
                                                                          << "";
        QTest::newRow("a pasted mobile in groups") << ""
                                                   << "21 99999 8888"
                                                   << "(21)99999-8888"
                                                   << "";
        QTest::newRow("a pasted mobile with the country code") << ""
                                                               << "+55 21 99999-8888"
                                                               << "(21)99999-8888"
                                                               << "";
        QTest::newRow("a pasted landline with the long-distance prefix") << ""
                                                                         << "(011) 3256-4789"
                                                                         << "(11)3256-4789"
                                                                         << "";
        QTest::newRow("a pasted number without area code keeps the one typed") << "11"
                                                                               << "3256-4789"
                                                                               << "(11)3256-4789"
                                                                               << "";
        QTest::newRow("a pasted mobile replaces a typed landline") << "1132564789"
                                                                   << "(21)99999-8888"
                                                                   << "(21)99999-8888"
                                                                   << "";
        QTest::newRow("a paste with words in it gives its digits as typed") << ""
                                                                            << "tel. 11 3256-4789"
                                                                            << "(11)3256-4789"
                                                                            << "";
        QTest::newRow("a pasted number with an unknown area code is refused on leaving")
            << ""
            << "(20) 3256-4789"
            << "(20)3256-4789" << unknown("20");
    }
    void phoneTakesLandlinesAndMobiles()
    {
        QFETCH(QString, keys);
        QFETCH(QString, paste);
        QFETCH(QString, value);
        QFETCH(QString, refusal);
        PhoneWindow w;
        QVERIFY(w.enter());
        type(w.phone, keys);
        if (!paste.isEmpty()) {
            QGuiApplication::clipboard()->setText(paste);
            QTest::keyClick(w.phone, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(w.leave(), !refusal.isEmpty());
        QCOMPARE(w.phone->value(), value);
        QCOMPARE(w.phone->isMobile(), value.size() == PhoneEdit::kMobileLength);
        if (refusal.isEmpty()) {
            QVERIFY(w.dialogs.isEmpty());
            QTRY_VERIFY(w.next->hasFocus());
        } else {
            QCOMPARE(w.dialogs.size(), 1);
            QCOMPARE(w.dialogs.first().style, ui::DialogRequest::Style::Error);
            QCOMPARE(w.dialogs.first().text, refusal);
        }
        // What the field holds reads back the same when the program sets it.
        PhoneEdit copy;
        copy.setValue(value);
        QCOMPARE(copy.value(), value);
    }

    void phoneGapInAMobileClosesOnLeaving()
    {
        PhoneWindow w;
        QVERIFY(w.enter());
        type(w.phone, QStringLiteral("21999998888"));
        w.phone->setCursorPosition(5);
        QTest::keyClick(w.phone, Qt::Key_Delete);
        QCOMPARE(w.phone->value(), QStringLiteral("(21)9 999-8888"));
        QVERIFY(!w.leave());
        QCOMPARE(w.phone->value(), QStringLiteral("(21)9999-8888"));
        QVERIFY(!w.phone->isMobile());
    }

    void phonePastesThroughItsMenuAsThroughTheKeyboard()
    {
        PhoneWindow w;
        QVERIFY(w.enter());
        QGuiApplication::clipboard()->setText(QStringLiteral("+55 21 99999-8888"));
        bool pasted = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu)
                for (auto* a : menu->actions())
                    qDebug() << a->objectName() << a->text();
            for (QAction* a : menu ? menu->actions() : QList<QAction*>())
                if (a->text().endsWith(QLatin1String("\tCtrl+V"))) {
                    a->trigger();
                    pasted = true;
                }
            if (menu)
                menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w.phone->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(w.phone, &event);
        QVERIFY(pasted);
        QCOMPARE(w.phone->value(), QStringLiteral("(21)99999-8888"));
        QVERIFY(w.phone->isChanged());
    }

    void phoneNormalisesWrittenNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value"); // empty: not a phone number
        const QString none;
        QTest::newRow("a mobile's digits") << "21999998888"
                                           << "(21)99999-8888";
        QTest::newRow("a landline's digits") << "1132564789"
                                             << "(11)3256-4789";
        QTest::newRow("a mobile as shown") << "(21)99999-8888"
                                           << "(21)99999-8888";
        QTest::newRow("a landline as shown without area code") << "(  )3256-4789"
                                                               << "(  )3256-4789";
        QTest::newRow("eight digits alone") << "32564789"
                                            << "(  )3256-4789";
        QTest::newRow("the country code without a plus") << "55 11 3256 4789"
                                                         << "(11)3256-4789";
        QTest::newRow("nothing") << ""
                                 << "(  )    -    ";
        QTest::newRow("the untouched field") << "(  )    -    "
                                             << "(  )    -    ";
        QTest::newRow("letters") << "11 abc" << none;
        QTest::newRow("too few digits") << "113256" << none;
        QTest::newRow("too many digits") << "219999988887" << none;
        QTest::newRow("an incomplete number as shown") << "(11)3256-47  " << none;
        QTest::newRow("an area code that does not exist") << "(20)3256-4789" << none;
        QTest::newRow("a one-digit area code") << "( 1)3256-4789" << none;
        QTest::newRow("another country") << "+351 21 999 8888" << none;
    }
    void phoneNormalisesWrittenNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        const std::optional<QString> got = PhoneEdit::normalise(text);
        QCOMPARE(got.value_or(QString()), value);
    }

    // The forms' Windows faces are asked for by the installed faces that stand for them, and
    // look as they did when asked for by name.
    void formFontsAskForInstalledFaces()
    {
        QCOMPARE(ui::installedFaces(QStringLiteral("MS Sans Serif")).join(u',').toLower(),
                 QStringLiteral("liberation sans,dejavu sans"));
        QCOMPARE(ui::installedFaces(QStringLiteral("Liberation Sans")),
                 QStringList{QStringLiteral("Liberation Sans")});
        QCOMPARE(ui::installedFaces(QStringLiteral("No Such Face")),
                 QStringList{QStringLiteral("No Such Face")});
        for (const QString& family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")}) {
            QFont named(family);
            named.setPixelSize(11);
            QFont asked = ui::formFont(family);
            asked.setPixelSize(11);
            QCOMPARE(QFontInfo(asked).family(), QFontInfo(named).family());
            QCOMPARE(QFontMetrics(asked).horizontalAdvance(QStringLiteral("Dados Principais")),
                     QFontMetrics(named).horizontalAdvance(QStringLiteral("Dados Principais")));
        }
    }

    // A skinned field shows its state in its own colour, whatever kind of field it is, and a
    // button the mouse and the press; the skin's measures reach the toolkit's own drawing (a
    // tab's name has the whole tab), and a window skinned after its controls were made
    // measures them as one skinned first.
    void skinDrawsStatesAndMeasuresTabs()
    {
        ui::Skin skin;
        skin.field = Qt::white;
        skin.fieldBorder = Qt::darkGray;
        skin.fieldDisabled = QColor(0xeef1f4);
        skin.focus = Qt::yellow;
        auto makeTabs = [](QWidget* window) {
            auto* tabs = new QTabWidget(window);
            tabs->addTab(new QWidget, QStringLiteral("Dados Principais"));
            tabs->addTab(new QWidget, QStringLiteral("Experiências Profissionais"));
            tabs->setGeometry(4, 4, 400, 200);
            return tabs;
        };
        QWidget window;
        ui::applySkin(&window, skin);
        QTabWidget* tabs = makeTabs(&window);
        auto* line = new QLineEdit(&window);
        auto* date = new QDateEdit(&window);
        auto* list = new QComboBox(&window);
        auto* text = new QPlainTextEdit(&window);
        int y = 210;
        for (QWidget* field : std::initializer_list<QWidget*>{line, date, list, text}) {
            field->setGeometry(8, y, 120, 21);
            y += 25;
        }
        window.resize(420, y);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Inside the border, before any text.
        auto shown = [](QWidget* field) {
            return field->grab().toImage().pixelColor(2, field->height() / 2);
        };
        for (QWidget* field : std::initializer_list<QWidget*>{line, date, list, text}) {
            const QByteArray kind = field->metaObject()->className();
            QCOMPARE(shown(field), QColor(Qt::white));
            ui::setHighlighted(field, true);
            QVERIFY2(shown(field) == QColor(Qt::yellow), kind);
            ui::setHighlighted(field, false);
            field->setEnabled(false);
            QVERIFY2(shown(field) == skin.fieldDisabled, kind);
        }

        // A button shows the mouse over it and its press.
        skin.buttonTop = skin.buttonBottom = QColor(0xeeeeee);
        skin.buttonBorder = Qt::darkGray;
        skin.buttonPressed = QColor(0xc9d4e0);
        skin.accent = QColor(0x2f6db5);
        QWidget buttons;
        ui::applySkin(&buttons, skin);
        auto* button = new QPushButton(QStringLiteral("OK"), &buttons);
        button->setGeometry(0, 0, 80, 24);
        auto drawn = [&](QStyle::State state) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.state = QStyle::State_Enabled | state;
            QImage image(button->size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            button->style()->drawControl(QStyle::CE_PushButton, &option, &painter, button);
            return image;
        };
        QCOMPARE(drawn({}).pixelColor(6, 12), QColor(0xeeeeee));
        QCOMPARE(drawn({}).pixelColor(40, 0), QColor(Qt::darkGray));
        QCOMPARE(drawn(QStyle::State_MouseOver).pixelColor(40, 0), skin.accent);
        QCOMPARE(drawn(QStyle::State_Sunken).pixelColor(6, 12), skin.buttonPressed);

        QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            QStyleOptionTab option;
            option.initFrom(bar);
            option.rect = bar->tabRect(i);
            option.text = bar->tabText(i);
            const QRect room = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
            QVERIFY2(room.width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                     qPrintable(bar->tabText(i)));
        }

        QWidget late;
        QTabWidget* lateTabs = makeTabs(&late);
        late.show();
        QVERIFY(QTest::qWaitForWindowExposed(&late));
        ui::applySkin(&late, skin);
        for (int i = 0; i < bar->count(); ++i)
            QTRY_COMPARE(lateTabs->tabBar()->tabRect(i), bar->tabRect(i));
    }

    void phoneShowsAMobileWholeInItsNarrowField_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("a personal phone, 79 px") << 79;
        QTest::newRow("a company phone, 105 px") << 105;
    }
    void phoneShowsAMobileWholeInItsNarrowField()
    {
        QFETCH(int, width);
        // The program's window font, and a skin put on once the fields are there.
        QWidget window;
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(11);
        window.setFont(font);
        auto* phone = new PhoneEdit(&window);
        phone->setGeometry(8, 8, width, 21);
        ui::Skin skin;
        skin.field = Qt::white;
        skin.fieldBorder = Qt::darkGray;
        ui::applySkin(&window, skin);
        window.show();
        QApplication::setActiveWindow(&window);
        phone->setFocus();
        QVERIFY(QTest::qWaitFor([&] { return phone->hasFocus(); }));
        for (const QString& number : {QStringLiteral("1132564789"), QStringLiteral("21999998888")}) {
            phone->selectAll();
            QTest::keyClicks(phone, number);
            // Scrolled text would put the end and the start less than the text's width apart.
            // The field works out its scrolling as it paints.
            phone->end(false);
            phone->grab();
            const int end = phone->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            phone->home(false);
            phone->grab();
            const int start = phone->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
            const qreal advance = QFontMetricsF(phone->font()).horizontalAdvance(phone->displayText());
            QVERIFY2(end - start >= advance - 1, qPrintable(phone->displayText()));
            QVERIFY(phone->font().letterSpacing() >= 90);
        }
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

    void enterPressesTheFocusedButtonAndNoButtonIsMadeTheDefault()
    {
        // A dialog that names no default: Enter in its list belongs to the list, and Enter on
        // a focused button presses that button, not the first one.
        QDialog dialog;
        auto* first = new QPushButton(QStringLiteral("Salvar"), &dialog);
        auto* second = new QPushButton(QStringLiteral("Cancelar"), &dialog);
        auto* list = new QListWidget(&dialog);
        list->addItems({QStringLiteral("a"), QStringLiteral("b")});
        first->setGeometry(0, 0, 80, 25);
        second->setGeometry(90, 0, 80, 25);
        list->setGeometry(0, 30, 170, 60);
        QSignalSpy firstClicks(first, &QPushButton::clicked);
        QSignalSpy secondClicks(second, &QPushButton::clicked);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!first->isDefault() && !second->isDefault());

        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(firstClicks.count() + secondClicks.count(), 0);
        QVERIFY(dialog.isVisible());

        second->setFocus(Qt::TabFocusReason);
        QTest::keyClick(second, Qt::Key_Return);
        QTest::keyClick(second, Qt::Key_Space);
        QCOMPARE(secondClicks.count(), 2);
        QCOMPARE(firstClicks.count(), 0);

        // Held down, Enter presses once: its repeats press nothing more.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(second, &repeat);
        QCOMPARE(secondClicks.count(), 2);
    }

    void openDialogListsFilesNamedOnlyByTheirExtension()
    {
        QTemporaryDir dir;
        for (const char* name : {".QRP", "Maria.qrp", "notas.txt", ".oculto.txt"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(".config")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Curriculos")));

        ui::OpenFileDialog open;
        open.filter = QStringLiteral("Curriculo (*.qrp)|*.qrp");
        const auto listed = [&](bool hiddenToo) {
            open.listHiddenFiles = hiddenToo;
            const std::unique_ptr<QFileDialog> dialog = open.makeDialog(nullptr);
            dialog->setDirectory(dir.path());
            auto* files = dialog->findChild<QFileSystemModel*>();
            if (!files)
                return QStringList{QStringLiteral("(no list of our own)")};
            QAbstractItemModel* shown =
                dialog->proxyModel() ? static_cast<QAbstractItemModel*>(dialog->proxyModel()) : files;
            // The folder's row, found afresh each time: the folder is read in the background
            // and the rows move meanwhile.
            const auto root = [&] {
                const QModelIndex folder = files->index(dir.path());
                return dialog->proxyModel() ? dialog->proxyModel()->mapFromSource(folder) : folder;
            };
            if (!QTest::qWaitFor([&] { return shown->rowCount(root()) >= 2; }, 5000))
                return QStringList{QStringLiteral("(not read)")};
            QTest::qWait(200);
            QStringList names;
            for (int row = 0; row < shown->rowCount(root()); ++row)
                names << shown->index(row, 0, root()).data().toString();
            names.sort();
            return names;
        };
        QCOMPARE(listed(true), (QStringList{".QRP", "Curriculos", "Maria.qrp"}));
        QCOMPARE(listed(false), (QStringList{"Curriculos", "Maria.qrp"}));
    }

    void colourNamesReadWholeInTheNarrowBox()
    {
        ui::ColourBox box;
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(11);
        box.setFont(font);
        box.setGeometry(0, 0, 89, 21);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(box.swatchRect().width() < 16);
        // The standard and the extended colours, the ones people pick, show whole.
        for (int i = 0; i < 20; ++i) {
            box.setCurrentIndex(i);
            QCOMPARE(box.shownName(), box.currentText());
            QVERIFY(box.nameFont(box.currentText()).pixelSize() >= ui::ColourBox::kLeastNamePixels);
            QVERIFY(box.nameRect().right() < box.width());
        }
        QVERIFY(box.selectName(QStringLiteral("Vermelho")));
        QCOMPARE(box.nameFont(box.currentText()).pixelSize(), 11); // no smaller than needed
        // A name too long even for the least font is cut with "…", and shows whole as a hint.
        QVERIFY(box.selectName(QStringLiteral("Sombra 3D escura")));
        QVERIFY(box.shownName().endsWith(QChar(0x2026)));
        QCOMPARE(box.toolTip(), QStringLiteral("Sombra 3D escura"));
        // In the open list every name has its own room, and the highlight is the desktop's.
        QVERIFY(box.view()->styleSheet().contains(QApplication::palette().color(QPalette::Highlight).name()));
    }

    // Icons are looked up when first painted: what they paint must be what an immediate look-up
    // gives, whether the theme has the icon or the style's standard one stands in.
    void deferredIconsPaintWhatALookUpGives_data()
    {
        QTest::addColumn<QByteArray>("themeName");
        QTest::addColumn<int>("fallback");
        QTest::newRow("a name no theme has: the standard icon")
            << QByteArray("sovranel-no-such-icon") << int(QStyle::SP_DialogCancelButton);
        QTest::newRow("a common theme name") << QByteArray("folder-open") << int(QStyle::SP_DirOpenIcon);
        QTest::newRow("the style's own icon") << QByteArray() << int(QStyle::SP_TrashIcon);
    }
    void deferredIconsPaintWhatALookUpGives()
    {
        QFETCH(QByteArray, themeName);
        QFETCH(int, fallback);
        const auto which = QStyle::StandardPixmap(fallback);
        const QString name = QString::fromLatin1(themeName);
        // The application's style hands out deferred icons itself; the style under it does not.
        const auto* proxy = qobject_cast<const QProxyStyle*>(QApplication::style());
        QVERIFY(proxy);
        const QIcon expected = !name.isEmpty() && QIcon::hasThemeIcon(name)
                                   ? QIcon::fromTheme(name)
                                   : proxy->baseStyle()->standardIcon(which);
        const QIcon deferred = name.isEmpty() ? QApplication::style()->standardIcon(which)
                                              : ui::themeIcon(themeName.constData(), which);
        QVERIFY(!deferred.isNull());
        QCOMPARE(deferred.actualSize(QSize(16, 16)), QSize(16, 16)); // asked before any painting
        for (const int size : {16, 24}) {
            QVERIFY2(deferred.pixmap(size).toImage() == expected.pixmap(size).toImage(),
                     "pixmap pixels differ");
            QImage painted(size, size, QImage::Format_ARGB32_Premultiplied), direct = painted;
            painted.fill(Qt::transparent);
            direct.fill(Qt::transparent);
            {
                QPainter p(&painted);
                deferred.paint(&p, QRect(0, 0, size, size));
            }
            {
                QPainter p(&direct);
                expected.paint(&p, QRect(0, 0, size, size));
            }
            QVERIFY2(painted == direct, "painted pixels differ");
        }
        // A second button naming the same icon shares the first one's pictures.
        const QIcon again = name.isEmpty() ? QApplication::style()->standardIcon(which)
                                           : ui::themeIcon(themeName.constData(), which);
        QCOMPARE(again.pixmap(16).cacheKey(), deferred.pixmap(16).cacheKey());
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    TestUi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui.moc"

#include "ui/PhoneEdit.h"

#include "ui/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>

namespace ui {
namespace {

constexpr QChar kBlank = QLatin1Char('_');
// Positions of the display text: 0 "(", 1-2 area code, 3 ")", then the number: a landline's
// 4-7, "-" at 8, 9-12; a mobile's 4-8, "-" at 9, 10-13.
constexpr int kAreaFirst = 1;
constexpr int kAreaLast = 2;
constexpr int kNumberFirst = 4;

int lengthOf(bool mobile) { return mobile ? PhoneEdit::kMobileLength : PhoneEdit::kLength; }
int dashAt(bool mobile) { return mobile ? 9 : 8; }
int digitsOf(bool mobile) { return mobile ? 9 : 8; }
bool isLiteral(int i, bool mobile) { return i == 0 || i == 3 || i == dashAt(mobile); }
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The display position of the number's digit `index`; the end of the text past the last one.
int numberPosition(int index, bool mobile)
{
    const int beforeDash = dashAt(mobile) - kNumberFirst;
    if (index >= digitsOf(mobile))
        return lengthOf(mobile);
    return index < beforeDash ? kNumberFirst + index : dashAt(mobile) + 1 + index - beforeDash;
}

// How many of the number's positions come before display position `pos`.
int numberIndexAt(int pos, bool mobile)
{
    int n = 0;
    for (int i = kNumberFirst; i < std::min(pos, lengthOf(mobile)); ++i)
        n += !isLiteral(i, mobile);
    return n;
}

// The text shown for an area code (two characters, blank or underscore when empty) and the
// number's digits; blanks in `number` stay empty positions.
QString compose(const QString& area, const QString& number)
{
    const bool mobile = number.size() > 8;
    const QString n = number.leftJustified(digitsOf(mobile), kBlank);
    const int beforeDash = dashAt(mobile) - kNumberFirst;
    return QLatin1Char('(') + area.leftJustified(2, kBlank, true) + QLatin1Char(')') + n.left(beforeDash) +
           QLatin1Char('-') + n.mid(beforeDash);
}

struct Number {
    QString area;   // two digits, or empty
    QString digits; // eight or nine
};

bool onlyDigits(QStringView s) { return std::all_of(s.begin(), s.end(), isAsciiDigit); }

// Collects the digits of `s`; false when it has anything but digits, blanks, dashes and dots.
bool collectDigits(QStringView s, QString& digits)
{
    for (const QChar c : s) {
        if (isAsciiDigit(c))
            digits += c;
        else if (!c.isSpace() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            return false;
    }
    return true;
}

// A whole number in any of the ways people write it, its area code unchecked.
std::optional<Number> parseNumber(const QString& text)
{
    QStringView s = QStringView(text).trimmed();
    bool country = false;
    if (s.startsWith(QLatin1Char('+'))) {
        s = s.mid(1).trimmed();
        if (!s.startsWith(QLatin1String("55")))
            return std::nullopt;
        s = s.mid(2).trimmed();
        country = true;
    }
    Number n;
    QString digits;
    if (const qsizetype open = s.indexOf(QLatin1Char('(')); open >= 0) {
        // "(21)", "(021)" or the field's own "(  )": what the parentheses hold is the area code.
        const qsizetype close = s.indexOf(QLatin1Char(')'), open);
        if (close < 0 || !s.left(open).trimmed().isEmpty())
            return std::nullopt;
        QString area = s.mid(open + 1, close - open - 1).trimmed().toString();
        if (!onlyDigits(area))
            return std::nullopt;
        if (area.size() == 3 && area.startsWith(QLatin1Char('0')))
            area.remove(0, 1); // the long-distance prefix
        if (!area.isEmpty() && area.size() != 2)
            return std::nullopt;
        n.area = area;
        if (!collectDigits(s.mid(close + 1), digits))
            return std::nullopt;
    } else {
        if (!collectDigits(s, digits))
            return std::nullopt;
        if (!country && (digits.size() == 12 || digits.size() == 13) &&
            digits.startsWith(QLatin1String("55")))
            digits.remove(0, 2);
        if ((digits.size() == 11 || digits.size() == 12) && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        if (digits.size() == 10 || digits.size() == 11) {
            n.area = digits.left(2);
            digits.remove(0, 2);
        }
    }
    if (digits.size() != 8 && digits.size() != 9)
        return std::nullopt;
    n.digits = digits;
    return n;
}

} // namespace

PhoneEdit::PhoneEdit(QWidget* parent) : QLineEdit(parent)
{
    m_mobile = true; // so that the first template is set
    setTemplate(false);
    connect(this, &QLineEdit::textEdited, this, [this] { m_changed = true; });
}

QString PhoneEdit::invalidInputMessage()
{
    return QStringLiteral("Invalid input value.  Use escape key to abandon changes");
}

QString PhoneEdit::unknownAreaCodeMessage(const QString& area)
{
    return QStringLiteral("O código de área (%1) não existe no Brasil. Digite um DDD de dois algarismos, "
                          "como (11) ou (21), ou deixe-o em branco; a tecla Esc abandona as alterações.")
        .arg(area);
}

bool PhoneEdit::isAreaCode(QStringView digits)
{
    // The area codes of the national numbering plan.
    static constexpr std::array<int, 67> kCodes = {
        11, 12, 13, 14, 15, 16, 17, 18, 19, // São Paulo
        21, 22, 24, 27, 28,                 // Rio de Janeiro, Espírito Santo
        31, 32, 33, 34, 35, 37, 38,         // Minas Gerais
        41, 42, 43, 44, 45, 46, 47, 48, 49, // Paraná, Santa Catarina
        51, 53, 54, 55,                     // Rio Grande do Sul
        61, 62, 63, 64, 65, 66, 67, 68, 69, // Centre-West, Tocantins, Acre, Rondônia
        71, 73, 74, 75, 77, 79,             // Bahia, Sergipe
        81, 82, 83, 84, 85, 86, 87, 88, 89, // North-East
        91, 92, 93, 94, 95, 96, 97, 98, 99, // North, Maranhão
    };
    if (digits.size() != 2 || !onlyDigits(digits))
        return false;
    const int code = digits.toInt();
    return std::binary_search(kCodes.begin(), kCodes.end(), code);
}

std::optional<QString> PhoneEdit::normalise(const QString& text)
{
    if (text.isEmpty() || text == emptyValue() || text == QStringLiteral("(  )     -    "))
        return emptyValue();
    const std::optional<Number> n = parseNumber(text);
    if (!n || (!n->area.isEmpty() && !isAreaCode(n->area)))
        return std::nullopt;
    return compose(n->area.isEmpty() ? QStringLiteral("  ") : n->area, n->digits);
}

QString PhoneEdit::printed(const QString& value)
{
    return std::any_of(value.begin(), value.end(), isAsciiDigit) ? value : QString();
}

QString PhoneEdit::value() const
{
    const int length = lengthOf(m_mobile);
    QString shown = displayText().leftJustified(length, kBlank, true);
    QString area;
    for (int i = kAreaFirst; i <= kAreaLast; ++i)
        if (shown[i] != kBlank)
            area += shown[i];
    QString v = shown;
    const QString areaField = area.rightJustified(kAreaLast - kAreaFirst + 1, QLatin1Char(' '));
    v.replace(kAreaFirst, areaField.size(), areaField);
    v.replace(kBlank, QLatin1Char(' '));
    return v;
}

void PhoneEdit::setValue(const QString& value)
{
    showPositions(value);
    m_changed = false;
}

void PhoneEdit::setTemplate(bool mobile)
{
    if (mobile == m_mobile)
        return;
    m_mobile = mobile;
    // In the toolkit's notation "0" is an optional digit and "9" a required one.
    setInputMask(mobile ? QStringLiteral("(00)99999-9999;_") : QStringLiteral("(00)9999-9999;_"));
    setMaxLength(lengthOf(mobile));
    fitTextToWidth();
}

void PhoneEdit::showPositions(const QString& shown)
{
    const bool mobile = shown.size() == kMobileLength;
    setTemplate(mobile);
    // Digit by digit at its own position: the toolkit's setText() moves digits forwards over
    // empty required positions, which would turn "(11)32 4-5678" into "(11)324_-5678".
    const int length = lengthOf(mobile);
    const QString v = shown.leftJustified(length, QLatin1Char(' '), true);
    setText(QString());
    for (int i = 0; i < length; ++i) {
        if (isLiteral(i, mobile) || !isAsciiDigit(v[i]))
            continue;
        setCursorPosition(i);
        insert(QString(v[i]));
    }
    setCursorPosition(0);
}

QString PhoneEdit::leaveProblem() const
{
    const QString shown = displayText().leftJustified(lengthOf(m_mobile), kBlank, true);
    int digits = 0;
    for (int i = kNumberFirst; i < shown.size(); ++i)
        digits += isAsciiDigit(shown[i]);
    if (digits != 8 && digits != 9)
        return invalidInputMessage();
    const QString area = shown.mid(kAreaFirst, 2);
    if (area == QString(2, kBlank) || isAreaCode(area))
        return QString();
    return unknownAreaCodeMessage(QString(area).remove(kBlank));
}

void PhoneEdit::typeDigit(QChar digit)
{
    const QString shown = displayText();
    QString number;
    for (int i = kNumberFirst; i < shown.size(); ++i)
        if (isAsciiDigit(shown[i]))
            number += shown[i];
    // A ninth digit typed after a whole landline makes it a mobile.
    if (!m_mobile && !hasSelectedText() && cursorPosition() >= kLength && number.size() == 8) {
        showPositions(compose(shown.mid(kAreaFirst, 2), number + digit));
        setCursorPosition(kMobileLength);
        m_changed = true;
        return;
    }
    insert(QString(digit));
    if (displayText() != shown)
        m_changed = true;
}

void PhoneEdit::pasteText(const QString& text)
{
    if (isReadOnly())
        return;
    if (const std::optional<Number> n = parseNumber(text)) {
        // A number without area code keeps the one already typed.
        const QString area = n->area.isEmpty() ? displayText().mid(kAreaFirst, 2) : n->area;
        showPositions(compose(area, n->digits));
        setCursorPosition(lengthOf(m_mobile));
        m_changed = true;
        return;
    }
    for (const QChar c : text)
        if (isAsciiDigit(c))
            typeDigit(c);
    fitDigitsToTemplate();
}

void PhoneEdit::fitDigitsToTemplate()
{
    if (!m_mobile)
        return;
    const QString shown = displayText().leftJustified(kMobileLength, kBlank, true);
    QString number;
    bool gap = false;
    for (int i = kNumberFirst; i < kMobileLength; ++i) {
        if (isLiteral(i, true))
            continue;
        if (!isAsciiDigit(shown[i]))
            gap = true;
        else if (gap)
            return; // a blank inside the number stays where the user made it
        else
            number += shown[i];
    }
    if (number.size() > 8)
        return;
    const int cursor = cursorPosition();
    const int index = numberIndexAt(cursor, true);
    showPositions(compose(shown.mid(kAreaFirst, 2), number).left(kLength));
    setCursorPosition(cursor < kNumberFirst ? cursor : numberPosition(index, false));
    m_changed = true;
}

void PhoneEdit::fitTextToWidth()
{
    if (m_fitting)
        return;
    m_fitting = true;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    // The line edit keeps two pixels on either side of its text, and two for the cursor.
    const int room = contents.width() - margins.left() - margins.right() - 2 * 2 - 2;
    const QString widest = m_mobile ? QStringLiteral("(00)00000-0000") : QStringLiteral("(00)0000-0000");
    QFont measured = font();
    qreal spacing = 100;
    for (;; spacing -= 1) {
        measured.setLetterSpacing(QFont::PercentageSpacing, spacing);
        if (spacing <= 90 || QFontMetricsF(measured).horizontalAdvance(widest) <= room)
            break;
    }
    if (font().letterSpacingType() != QFont::PercentageSpacing || font().letterSpacing() != spacing)
        setFont(measured);
    m_fitting = false;
}

void PhoneEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    fitTextToWidth();
}

bool PhoneEdit::event(QEvent* event)
{
    const bool done = QLineEdit::event(event);
    if (event->type() == QEvent::Polish)
        fitTextToWidth();
    return done;
}

void PhoneEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitTextToWidth();
}

void PhoneEdit::focusInEvent(QFocusEvent* event)
{
    // Coming back from another window (the error box, a menu) is no entering: Escape must
    // still give back the number from before the changes.
    const bool returning =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!m_refusing && !(returning && m_changed))
        m_textOnEnter = displayText();
    QLineEdit::focusInEvent(event);
}

void PhoneEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A passing pop-up (a menu, the error box itself) is no leaving.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!mayLeave()) {
        refuseLeaving();
        return;
    }
    if (!m_changed)
        return;
    // The count of digits decides the template: a mobile's gap closed makes a landline.
    if (const std::optional<QString> v = normalise(value()); v && *v != value())
        showPositions(*v);
}

void PhoneEdit::refuseLeaving()
{
    if (!m_refusing)
        refuse();
}

void PhoneEdit::refuse()
{
    m_refusing = true;
    QString message = leaveProblem();
    if (message.isEmpty())
        message = invalidInputMessage();
    // Report and take the focus back from a zero timer: doing so inside the focus-out
    // itself would garble the toolkit's focus bookkeeping.
    QTimer::singleShot(0, this, [this, message] {
        QApplication::beep();
        showErrorBox(message);
        if (isVisible() && isEnabled())
            setFocus(Qt::OtherFocusReason);
        m_refusing = false;
        emit inputRefused();
    });
}

void PhoneEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_changed) {
        showPositions(m_textOnEnter);
        m_changed = false;
        event->accept();
        return;
    }
    // Enter checks the number as leaving would, and keeps the focus when it refuses.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !mayLeave()) {
        refuseLeaving();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        pasteText(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && isAsciiDigit(text[0]) && !m_mobile && cursorPosition() >= kLength &&
        !isReadOnly()) {
        typeDigit(text[0]);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    fitDigitsToTemplate();
}

void PhoneEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QPointer<PhoneEdit> self(this);
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    // Pasting goes through the number's own reading, as Ctrl+V does. The toolkit's menu names
    // its entries only by their texts, which end in the shortcut.
    const QString pasteKey =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* paste : menu->actions()) {
        if (!paste->text().endsWith(pasteKey))
            continue;
        disconnect(paste, &QAction::triggered, this, &QLineEdit::paste);
        connect(paste, &QAction::triggered, this,
                [this] { pasteText(QGuiApplication::clipboard()->text()); });
    }
    menu->exec(event->globalPos());
    if (self)
        fitDigitsToTemplate();
}

void PhoneEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteText(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void PhoneEdit::dropEvent(QDropEvent* event)
{
    if (event->source() != this && event->mimeData()->hasText() && !isReadOnly()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        pasteText(event->mimeData()->text());
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

} // namespace ui

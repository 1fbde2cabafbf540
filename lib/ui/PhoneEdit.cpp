#include "ui/PhoneEdit.h"

#include "ui/Dialogs.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace ui {
namespace {

constexpr QChar kBlank = QLatin1Char('_');
// Positions of the display text: 0 "(", 1-2 area code, 3 ")", 4-7, 8 "-", 9-12.
constexpr int kAreaFirst = 1;
constexpr int kAreaLast = 2;
bool isLiteral(int i) { return i == 0 || i == 3 || i == 8; }

} // namespace

PhoneEdit::PhoneEdit(QWidget* parent) : QLineEdit(parent)
{
    // In the toolkit's notation "0" is an optional digit and "9" a required one.
    setInputMask(QStringLiteral("(00)9999-9999;_"));
    setMaxLength(kLength);
    connect(this, &QLineEdit::textEdited, this, [this] { m_changed = true; });
}

QString PhoneEdit::invalidInputMessage()
{
    return QStringLiteral("Invalid input value.  Use escape key to abandon changes");
}

QString PhoneEdit::value() const
{
    QString shown = displayText().leftJustified(kLength, kBlank, true);
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

void PhoneEdit::showPositions(const QString& shown)
{
    // Digit by digit at its own position: the toolkit's setText() moves digits forwards over
    // empty required positions, which would turn "(11)32 4-5678" into "(11)324_-5678".
    const QString v = shown.leftJustified(kLength, QLatin1Char(' '), true);
    setText(QString());
    for (int i = 0; i < kLength; ++i) {
        if (isLiteral(i) || !v[i].isDigit())
            continue;
        setCursorPosition(i);
        insert(QString(v[i]));
    }
    setCursorPosition(0);
}

bool PhoneEdit::isComplete() const { return hasAcceptableInput(); }

void PhoneEdit::focusInEvent(QFocusEvent* event)
{
    if (!m_refusing)
        m_textOnEnter = displayText();
    QLineEdit::focusInEvent(event);
}

void PhoneEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A passing pop-up (a menu, the error box itself) is no leaving.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (m_changed && !isComplete() && !m_refusing)
        refuse();
}

void PhoneEdit::refuse()
{
    m_refusing = true;
    // Report and take the focus back from a zero timer: doing so inside the focus-out
    // itself would garble the toolkit's focus bookkeeping.
    QTimer::singleShot(0, this, [this] {
        QApplication::beep();
        showErrorBox(invalidInputMessage());
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
    QLineEdit::keyPressEvent(event);
}

} // namespace ui

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
bool isRequired(int i) { return (i >= 4 && i <= 7) || (i >= 9 && i <= 12); }
bool isLiteral(int i) { return i == 0 || i == 3 || i == 8; }

} // namespace

PhoneEdit::PhoneEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("(99)0000-0000;_"));
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
    const QString v = value.leftJustified(kLength, QLatin1Char(' '), true);
    // Position by position, as the field holds them: a blank is an empty position.
    QString shown;
    for (int i = 0; i < kLength; ++i) {
        if (isLiteral(i))
            continue;
        shown += v[i].isDigit() ? v[i] : kBlank;
    }
    setText(shown);
    m_changed = false;
}

bool PhoneEdit::isComplete() const
{
    const QString shown = displayText().leftJustified(kLength, kBlank, true);
    for (int i = 0; i < kLength; ++i)
        if (isRequired(i) && !shown[i].isDigit())
            return false;
    return true;
}

void PhoneEdit::focusInEvent(QFocusEvent* event)
{
    // Coming back from another window (the error box, a menu) is no entering: Escape must
    // still give back the number from before the changes.
    const bool returning =
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    if (!m_refusing && !(returning && m_changed))
        m_textOnEnter = text();
    QLineEdit::focusInEvent(event);
}

void PhoneEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A passing pop-up (a menu, the error box itself) is no leaving.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!mayLeave())
        refuseLeaving();
}

void PhoneEdit::refuseLeaving()
{
    if (!m_refusing)
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
        setText(m_textOnEnter);
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
    QLineEdit::keyPressEvent(event);
}

} // namespace ui

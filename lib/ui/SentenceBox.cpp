#include "ui/SentenceBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace ui {

SentenceBox::SentenceBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes on to the next control, as in every other field of a form.
    setTabChangesFocus(true);
    // Whatever slips past the insert paths (an input method, a program) is cut back too.
    connect(this, &QPlainTextEdit::textChanged, this, &SentenceBox::enforceLimit);
}

void SentenceBox::setMaxLength(int n)
{
    m_maxLength = n;
    enforceLimit();
}

int SentenceBox::room() const
{
    const QTextCursor c = textCursor();
    const int selected = c.selectionEnd() - c.selectionStart();
    return m_maxLength - (toPlainText().size() - selected);
}

void SentenceBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const int n = room();
    if (n <= 0)
        return;
    insertPlainText(source->text().left(n));
}

void SentenceBox::keyPressEvent(QKeyEvent* event)
{
    const QString t = event->text();
    const bool inserts =
        !t.isEmpty() && (t[0].isPrint() || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    if (inserts && !(event->modifiers() & Qt::ControlModifier) && room() <= 0) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SentenceBox::enforceLimit()
{
    if (m_enforcing || toPlainText().size() <= m_maxLength)
        return;
    m_enforcing = true;
    QTextCursor c(document());
    c.setPosition(m_maxLength);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    m_enforcing = false;
}

} // namespace ui

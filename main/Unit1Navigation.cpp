// Keyboard navigation and the focus highlight of the main window.
#include "Unit1.h"

#include "ui/Application.h"
#include "ui/Look.h"
#include "ui/PhoneEdit.h"
#include "ui/SentenceBox.h"

#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {

// Where Enter takes the focus: the next field of the same page in reading order. "%1" rows
// hold for each of the five experience and course pages. A field that is no "from" here (the
// last of each chain) keeps its own Enter.
struct EnterStep {
    const char* from;
    const char* to;
};

constexpr EnterStep kEnterSteps[] = {
    {"edt_nome", "edt_nasc"},
    {"edt_nasc", "edt_sexo"},
    {"edt_sexo", "edt_ec"},
    {"edt_ec", "edt_tel1"},
    {"edt_tel1", "edt_tel2"},
    {"edt_tel2", "edt_natural"},
    {"edt_natural", "edt_email"},
    {"edt_email", "edt_rua"},
    {"edt_rua", "edt_numero"},
    {"edt_numero", "edt_complemento"},
    {"edt_complemento", "edt_bairro"},
    {"edt_bairro", "edt_cidade"},
    {"edt_cidade", "edt_uf"},
    {"edt_exnome%1", "edt_excargo%1"},
    {"edt_excargo%1", "edt_exobs%1"},
    {"edt_exobs%1", "edt_exentrada%1"},
    {"edt_exentrada%1", "edt_exsaida%1"},
    {"edt_exsaida%1", "edt_extelefone%1"},
    {"edt_escolaridade", "edt_curso"},
    {"edt_curso", "edt_escola"},
    {"edt_cucurso%1", "edt_cuobs%1"},
    {"edt_cuobs%1", "edt_cuescola%1"},
    {"edt_cuescola%1", "edt_cuduracao%1"},
    {"edt_rg", "edt_cpf"},
    {"edt_cpf", "edt_cp"},
    {"edt_cp", "edt_te"},
    {"edt_te", "edt_cargo"},
    {"edt_cargo", "edt_salario"},
};

bool isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & Qt::ControlModifier);
}

bool canTakeFocus(const QWidget* w)
{
    return w->isEnabled() && w->isVisible() && w->focusPolicy() != Qt::NoFocus;
}

// Watches the entry controls: Enter moves along the chains, and every focus change of an
// entry control repaints the highlight.
class EntryWatcher : public QObject {
  public:
    EntryWatcher(TForm1* form, QObject* parent) : QObject(parent), m_form(form) {}

    void addStep(QWidget* from, QWidget* to)
    {
        if (from && to)
            m_next.insert(from, to);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            m_form->MudancaDeFoco();
            break;
        case QEvent::KeyPress:
            if (auto* from = qobject_cast<QWidget*>(watched);
                from && m_next.contains(from) && isEnter(static_cast<QKeyEvent*>(event))) {
                moveOn(from);
                return true; // the field never sees this Enter, nor does anything around it
            }
            break;
        default:
            break;
        }
        return false;
    }

  private:
    void moveOn(QWidget* from)
    {
        // A phone number that may not be left is refused where it is, so the focus and the
        // highlight never wander off while the error box is up.
        if (auto* phone = qobject_cast<ui::PhoneEdit*>(from); phone && !phone->mayLeave()) {
            phone->refuseLeaving();
            return;
        }
        // A field that cannot take the focus (an exit date while its option is off) passes it
        // on to the next one of its chain.
        QWidget* to = m_next.value(from);
        while (to && !canTakeFocus(to))
            to = m_next.value(to);
        if (to)
            to->setFocus(Qt::TabFocusReason);
    }

    TForm1* m_form;
    QHash<QWidget*, QWidget*> m_next;
};

} // namespace

void TForm1::wireNavigation()
{
    if (!m_wiring)
        m_wiring = std::make_unique<QObject>();
    auto* watcher = new EntryWatcher(this, m_wiring.get());
    for (const EntryControl& e : m_entries)
        e.widget->installEventFilter(watcher);
    // The window's named controls, gathered in one walk rather than one for each step.
    QHash<QString, QWidget*> byName;
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !byName.contains(w->objectName()))
            byName.insert(w->objectName(), w);
    auto named = [&byName](const QString& name) {
        QWidget* w = byName.value(name);
        Q_ASSERT_X(w, "wireNavigation", qPrintable(name));
        return w;
    };
    for (const EnterStep& step : kEnterSteps) {
        const QString from = QString::fromLatin1(step.from);
        const QString to = QString::fromLatin1(step.to);
        if (!from.contains(QLatin1String("%1"))) {
            watcher->addStep(named(from), named(to));
            continue;
        }
        for (int page = 1; page <= 5; ++page)
            watcher->addStep(named(from.arg(page)), named(to.arg(page)));
    }
    // A click on a page tab puts the focus on the page control itself, as Tab would, and not
    // into the first field of the new page: the person only chose a page, and typing must not
    // land in a field they did not pick. Pages with a show handler of their own still choose.
    for (QTabWidget* pages : {PageControl1, PageControl2, PageControl3})
        pages->tabBar()->setFocusPolicy(Qt::StrongFocus);
    // Typing in the sentence box repaints too.
    connect(frase, &QPlainTextEdit::textChanged, watcher, ui::guard(this, &TForm1::MudancaDeFoco));
}

void TForm1::MudancaDeFoco()
{
    // The control that holds this window's focus: it keeps it while a message box or a menu
    // is up, so the field being worked on stays marked behind them.
    const QWidget* focused = focusWidget();
    auto holdsFocus = [focused](const QWidget* w) {
        return focused && (focused == w || w->isAncestorOf(focused));
    };
    // One pass per kind, in component order; the kinds do not overlap, so each control is
    // painted once.
    for (EntryKind kind :
         {EntryKind::Text, EntryKind::Date, EntryKind::List, EntryKind::Phone, EntryKind::Sentence})
        for (const EntryControl& e : m_entries)
            if (e.kind == kind)
                ui::setHighlighted(e.widget, holdsFocus(e.widget));
}

#include "ui/Dialogs.h"

#include "ui/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {
namespace {

DialogHook& hook()
{
    static DialogHook h;
    return h;
}

QString kindTitle(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return QStringLiteral("Warning");
    case DialogKind::Error:
        return QStringLiteral("Error");
    case DialogKind::Information:
        return QStringLiteral("Information");
    case DialogKind::Confirmation:
        return QStringLiteral("Confirm");
    }
    return {};
}

QMessageBox::Icon kindIcon(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return QMessageBox::Warning;
    case DialogKind::Error:
        return QMessageBox::Critical;
    case DialogKind::Information:
        return QMessageBox::Information;
    case DialogKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

DialogButton run(const DialogRequest& request)
{
    if (hook())
        return hook()(request);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.caption);
    // Texts here often come from a server, a file or the person: never read as markup, so a
    // page cannot put a link, a picture or a style into a box of ours.
    box.setTextFormat(Qt::PlainText);
    box.setText(request.text);
    if (request.style == DialogRequest::Style::Error)
        box.setIcon(QMessageBox::Critical);
    else if (request.icon)
        box.setIcon(kindIcon(request.kind));
    else
        box.setIcon(QMessageBox::NoIcon);

    struct Choice {
        DialogButton button;
        const char* caption;
        QMessageBox::ButtonRole role;
    };
    static const Choice choices[] = {
        {DialogButton::Yes, "&Yes", QMessageBox::YesRole},
        {DialogButton::No, "&No", QMessageBox::NoRole},
        {DialogButton::Ok, "OK", QMessageBox::AcceptRole},
    };
    QHash<QAbstractButton*, DialogButton> pressed;
    for (const Choice& c : choices) {
        if (!(request.buttons & int(c.button)))
            continue;
        QPushButton* b = box.addButton(QString::fromUtf8(c.caption), c.role);
        pressed.insert(b, c.button);
        if (c.button == request.defaultButton)
            box.setDefaultButton(b);
    }
    box.exec();
    return pressed.value(box.clickedButton(), DialogButton::None);
}

} // namespace

void setDialogHook(DialogHook h) { hook() = std::move(h); }

QString shortened(const QString& text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    return text.left(maxChars) + QChar(0x2026);
}

QString errorText(const QString& message)
{
    if (message.endsWith(QLatin1Char('.')))
        return message;
    return message + QLatin1Char('.');
}

void showErrorBox(const QString& message)
{
    DialogRequest r;
    r.style = DialogRequest::Style::Error;
    r.caption = Application::title();
    r.text = errorText(message);
    r.kind = DialogKind::Error;
    r.icon = true;
    run(r);
}

void showMessage(const QString& text)
{
    DialogRequest r;
    r.caption = Application::title();
    r.text = text;
    run(r);
}

DialogButton messageDlg(const QString& text, DialogKind kind, DialogButtons buttons,
                        DialogButton defaultButton)
{
    DialogRequest r;
    r.style = DialogRequest::Style::Typed;
    r.caption = kindTitle(kind);
    r.text = text;
    r.kind = kind;
    r.buttons = buttons;
    r.icon = true;
    if (defaultButton == DialogButton::None)
        defaultButton = (buttons & int(DialogButton::Yes)) ? DialogButton::Yes : DialogButton::Ok;
    r.defaultButton = defaultButton;
    return run(r);
}

DialogButton askYesNo(const QString& caption, const QString& text, DialogButton defaultButton)
{
    DialogRequest r;
    r.style = DialogRequest::Style::Typed;
    r.caption = caption;
    r.text = text;
    r.kind = DialogKind::Confirmation;
    r.buttons = int(DialogButton::Yes) | int(DialogButton::No);
    r.defaultButton = defaultButton;
    r.icon = false;
    return run(r);
}

} // namespace ui

#pragma once
// A main window on screen with the keyboard focus, its dialogs answered and recorded.

#include "Unit1.h"

#include "ui/Dialogs.h"
#include "ui/Look.h"

#include <QApplication>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <vector>

struct FormFixture {
    std::vector<ui::DialogRequest> dialogs;
    std::unique_ptr<TForm1> form;

    FormFixture()
    {
        ui::setDialogHook([this](const ui::DialogRequest& r) {
            dialogs.push_back(r);
            return ui::DialogButton::Ok;
        });
        Environment env; // off line, no capture devices
        env.videoSource = {};
        form = std::make_unique<TForm1>(env);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    ~FormFixture()
    {
        form.reset();
        ui::setDialogHook({});
    }

    template <typename W = QWidget> W* named(const QString& name) const
    {
        auto* w = form->findChild<W*>(name);
        if (!w)
            qFatal("no control named %s", qPrintable(name));
        return w;
    }

    // Brings every page that holds `w` to the front.
    static void reveal(QWidget* w)
    {
        std::vector<std::pair<QTabWidget*, QWidget*>> pages;
        for (QWidget* child = w; child; child = child->parentWidget())
            if (auto* stack = qobject_cast<QStackedWidget*>(child->parentWidget()))
                if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                    pages.emplace_back(tabs, child);
        for (auto it = pages.rbegin(); it != pages.rend(); ++it)
            it->first->setCurrentWidget(it->second);
    }

    // Puts the keyboard focus into a control as the Tab key would.
    void focus(const QString& name) const
    {
        QWidget* w = named(name);
        reveal(w);
        w->setFocus(Qt::TabFocusReason);
    }

    static QString focusedName()
    {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("(nothing)");
    }

    // The entry controls that show the highlight.
    QStringList highlighted() const
    {
        QStringList names;
        for (const EntryControl& e : form->entryControls())
            if (ui::isHighlighted(e.widget))
                names << e.widget->objectName();
        return names;
    }
};

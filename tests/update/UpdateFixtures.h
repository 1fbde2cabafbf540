#pragma once

#include "webupdate/InfoWindow.h"

#include "net/WebView.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <initializer_list>
#include <utility>

// An information page carrying the given tags, one META line each, in a page a browser shows.
inline QByteArray infoPage(std::initializer_list<std::pair<const char*, QString>> tags)
{
    QByteArray page = "<html><head><title>Atualização</title>\n";
    for (const auto& [name, value] : tags)
        page +=
            QStringLiteral("<META NAME=\"%1\" CONTENT=\"%2\">\n").arg(QLatin1String(name), value).toUtf8();
    page += "</head>\n<body><h1>Sovranel</h1><p>Uma nova versão do Sovranel está pronta.</p></body></html>\n";
    return page;
}

// Presses OK or Cancel in the information window as soon as it shows, noting what it showed.
class InfoWindowAnswer {
  public:
    struct Seen {
        bool shown = false;
        QString caption;
        QSize outerSize;
        QString checkBox;
        bool ticked = false;
        QString ok;
        QString cancel;
        bool okIsDefault = false;
        QUrl page;
    };

    InfoWindowAnswer()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
    }

    void answer(bool ok)
    {
        m_ok = ok;
        seen = {};
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    Seen seen;

  private:
    void look()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<webupdate::InfoWindow*>(w);
            if (!window || !window->isVisible())
                continue;
            m_timer.stop();
            seen = {true,
                    window->windowTitle(),
                    window->frameGeometry().size(),
                    window->checkBox->text(),
                    window->checkBox->isChecked(),
                    window->okButton->text(),
                    window->cancelButton->text(),
                    window->okButton->isDefault(),
                    window->browser->address()};
            (m_ok ? window->okButton : window->cancelButton)->click();
            return;
        }
    }

    QTimer m_timer;
    bool m_ok = true;
};

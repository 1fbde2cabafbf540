// The main window's on-line step, the program's version and the start of the updater.
#include "Unit1.h"

#include "net/CachePurge.h"
#include "net/ProgramStarter.h"
#include "net/Remote.h"
#include "net/WebView.h"
#include "ui/Dialogs.h"
#include "ui/StatusBar.h"

#include <QFrame>
#include <QStringList>

namespace {

const QString kNotice = QStringLiteral("Clique em \"Atualizar\" e procure por atualizações!");

// Switches the banner's hint. Its text is the browser's own; while the browser is hidden the
// panel beneath it shows the hint, so it comes up over the banner area all the same.
void switchBannerHint(TForm1& form, bool on)
{
    QWidget* browser = form.propagandas;
    if (!browser->property("hintText").isValid())
        browser->setProperty("hintText", browser->toolTip());
    const QString text = on ? browser->property("hintText").toString() : QString();
    browser->setToolTip(text);
    form.painel_browser->setToolTip(text);
}

} // namespace

QString VersaoDoPrograma()
{
#ifdef SOVRANEL_VERSION
    // Always four numbers without leading zeros, as the build's version may name fewer.
    QStringList parts = QStringLiteral(SOVRANEL_VERSION).split(QLatin1Char('.'));
    if (parts.join(QString()).isEmpty())
        return {};
    QStringList numbers;
    for (int i = 0; i < 4; ++i)
        numbers.append(QString::number(i < parts.size() ? parts[i].toUInt() : 0u));
    return numbers.join(QLatin1Char('.'));
#else
    return {};
#endif
}

void TForm1::VerificarVersaoOnline()
{
    const QUrl& server = m_env.updateServer;
    if (server.isEmpty() || !m_env.connected || !m_env.connected()) {
        switchBannerHint(*this, true);
        propagandas->setVisible(false);
        return;
    }
    LimparCacheDoServidor();
    // The body is single-byte text, compared and shown exactly as it came.
    const QString latest = QString::fromLatin1(
        m_env.httpGet(server.resolved(QUrl(QStringLiteral("/sovranel/ultimaversao.txt")))));
    if (latest != VersaoDoPrograma()) {
        ui::showMessage(QStringLiteral("Nova versão disponível (") + ui::shortened(latest) +
                        QStringLiteral("). ") + kNotice);
        StatusBar1->setPanelText(0, kNotice);
    }
    switchBannerHint(*this, false);
    propagandas->setVisible(true);
    propagandas->navigate(server.resolved(QUrl(QStringLiteral("/banners-sovranel?v=3104"))));
}

void TForm1::LimparCacheDoServidor()
{
    net::remote::purgeCache(net::serverDomain(m_env.updateServer.host()));
}

void TForm1::ProcurarAtualizaes1Click()
{
    // Whether the updater started or not, the main program closes: the updater starts it again.
    net::startProgram(net::executableName(QStringLiteral("update")));
    close();
}

#include "net/HttpGet.h"

#include "net/Network.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopeGuard>
#include <QTimer>

namespace net {
namespace {

// Why a request failed, in Portuguese, as a person can act on it.
QString reason(const QNetworkReply& reply)
{
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("o servidor recusou a conexão");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("o servidor encerrou a conexão");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("o servidor não foi encontrado");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return QStringLiteral("a rede não está disponível");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("a transferência foi interrompida");
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("a conexão com o servidor falhou");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return QStringLiteral("o servidor intermediário (proxy) da rede falhou");
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::UnknownContentError:
        return QStringLiteral("a resposta do servidor veio danificada e não pôde ser lida");
    default:
        return QStringLiteral("a transferência falhou");
    }
}

// The failure's text: the Portuguese reason, and for the toolkit's less common reasons its own
// (English) words on a second line, for whoever has to look into it.
QString failureText(const QString& address, const QNetworkReply& reply)
{
    QString text = QStringLiteral("Não foi possível obter %1: %2.").arg(address, reason(reply));
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
        return text; // said in full above
    default:
        return text + QStringLiteral("\nMotivo técnico: ") + reply.errorString();
    }
}

constexpr int kMaxPhrase = 100;

[[noreturn]] void fail(const QString& text) { throw HttpFailure(text.toStdString()); }

} // namespace

QByteArray httpGet(const QUrl& url, const HttpLimits& limits)
{
    const QString address = url.toString();
    QNetworkRequest request(url);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Connection", "keep-alive");
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    const DirectRoute direct(url);
    QNetworkReply* reply = manager()->get(request);
    const auto release = qScopeGuard([reply] { reply->deleteLater(); });

    enum class Cut { None, Time, Size } cut = Cut::None;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        cut = Cut::Time;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64 total) {
        if (cut == Cut::None && (received > limits.maxBody || total > limits.maxBody)) {
            cut = Cut::Size;
            reply->abort();
        }
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(limits.timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    if (cut == Cut::Time) {
        const int seconds = (limits.timeoutMs + 999) / 1000;
        fail(QStringLiteral("O servidor não respondeu em %1 %2 ao pedido de %3.")
                 .arg(seconds)
                 .arg(seconds == 1 ? QStringLiteral("segundo") : QStringLiteral("segundos"), address));
    }
    const QByteArray body = cut == Cut::None ? reply->readAll() : QByteArray();
    if (cut == Cut::Size || body.size() > limits.maxBody)
        fail(QStringLiteral("A resposta a %1 passa de %2 KiB.").arg(address).arg(limits.maxBody / 1024));

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        const int code = status.toInt();
        if (code < 200 || code > 299) {
            // The server's own words, kept short: they go into a box as they are.
            QString phrase = QString::fromLatin1(
                reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
            if (phrase.size() > kMaxPhrase)
                phrase = phrase.left(kMaxPhrase) + QChar(0x2026);
            fail(QStringLiteral("O servidor respondeu \"%1 %2\" ao pedido de %3.")
                     .arg(QString::number(code), phrase, address));
        }
    }
    if (reply->error() != QNetworkReply::NoError)
        fail(failureText(address, *reply));
    return body;
}

} // namespace net

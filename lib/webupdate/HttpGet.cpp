#include "webupdate/HttpGet.h"

#include <QEventLoop>
#include <QIODevice>
#include <QTcpSocket>
#include <QTimer>

namespace webupdate {
namespace {

constexpr qsizetype kMaxHead = 64 * 1024;
constexpr int kPollMs = 50;
// Once the announced length is in, how long to wait for the server to close (and so show that
// nothing more follows) before taking the body as complete.
constexpr int kCloseGraceMs = 2000;

struct Head {
    int status = 0;
    qint64 length = -1;
    QByteArray location;
};

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Parses the status line and the header lines; false when it is no HTTP answer.
bool parseHead(const QByteArray& text, Head* head, QString* error)
{
    const QList<QByteArray> lines = text.split('\n');
    const QList<QByteArray> status = lines.value(0).trimmed().split(' ');
    bool ok = false;
    head->status = status.value(1).toInt(&ok);
    if (!status.value(0).startsWith("HTTP/") || !ok) {
        *error = QStringLiteral("resposta HTTP inválida");
        return false;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            const qint64 n = value.toLongLong(&ok);
            if (!ok || n < 0 || (head->length >= 0 && head->length != n)) {
                *error = QStringLiteral("Content-Length inválido");
                return false;
            }
            head->length = n;
        } else if (name == "location") {
            head->location = value;
        }
    }
    return true;
}

QByteArray requestText(const HttpRequest& request, const QUrl& url, int port)
{
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (port != 80)
        host += ':' + QByteArray::number(port);

    QByteArray text = "GET " + target + " HTTP/1.0\r\n";
    text += "Host: " + host + "\r\n";
    if (!request.userAgent.isEmpty())
        text += "User-Agent: " + request.userAgent + "\r\n";
    text += "Accept: */*\r\n";
    text += "Pragma: no-cache\r\nCache-Control: no-cache\r\n";
    if (!request.userName.isEmpty())
        text += "Authorization: Basic " + (request.userName + u':' + request.password).toUtf8().toBase64() +
                "\r\n";
    text += "\r\n";
    return text;
}

// One request and its answer. Returns the address to follow when the answer is a redirection.
QUrl exchange(const HttpRequest& request, const QUrl& url, QIODevice* sink, const HttpProgress& progress,
              const std::function<bool()>& keepGoing, HttpResult& r)
{
    r = HttpResult{};
    r.url = url;
    if (url.scheme() != QLatin1String("http") || url.host().isEmpty()) {
        r.error = QStringLiteral("endereço não suportado: %1").arg(url.toString());
        return {};
    }
    const int port = url.port(request.defaultPort);

    enum class End { None, Closed, Failed };
    End end = End::None;
    QEventLoop loop;
    QTcpSocket socket;
    QTimer idle;
    QTimer poll;
    QByteArray headText;
    bool haveHead = false;
    bool stopReading = false;
    bool complete = false;
    Head head;

    auto finish = [&](End e, const QString& why = {}) {
        if (end != End::None)
            return;
        end = e;
        if (e == End::Failed)
            r.error = why;
        loop.quit();
    };
    auto stillWanted = [&] {
        if (keepGoing && !keepGoing())
            finish(End::Failed, QStringLiteral("transferência interrompida"));
        return end == End::None;
    };
    auto body = [&](const QByteArray& data) {
        if (data.isEmpty())
            return;
        r.received += data.size();
        if (head.length >= 0 && r.received > head.length)
            return finish(End::Failed, QStringLiteral("mais dados que o anunciado"));
        if (request.maxBody >= 0 && r.received > request.maxBody)
            return finish(End::Failed, QStringLiteral("resposta grande demais"));
        if (sink->write(data) != data.size())
            return finish(End::Failed, sink->errorString());
        if (progress)
            progress(head.length >= 0 ? head.length : r.received, r.received);
    };
    auto consume = [&] {
        if (end != End::None)
            return;
        QByteArray data = socket.readAll();
        if (data.isEmpty())
            return;
        idle.start();
        if (!haveHead) {
            headText += data;
            qsizetype sep = headText.indexOf("\r\n\r\n");
            qsizetype sepLength = 4;
            const qsizetype bare = headText.indexOf("\n\n");
            if (bare >= 0 && (sep < 0 || bare < sep)) {
                sep = bare;
                sepLength = 2;
            }
            if (sep < 0) {
                if (headText.size() > kMaxHead)
                    finish(End::Failed, QStringLiteral("cabeçalho grande demais"));
                return;
            }
            QString error;
            if (!parseHead(headText.left(sep), &head, &error))
                return finish(End::Failed, error);
            haveHead = true;
            r.status = head.status;
            r.announced = head.length;
            data = headText.mid(sep + sepLength);
            headText.clear();
            // Nothing but a successful answer's body is worth reading.
            if (head.status < 200 || head.status > 299) {
                stopReading = true;
                return finish(End::Closed);
            }
        }
        body(data);
        if (end == End::None && r.received == head.length && !complete) {
            complete = true;
            idle.setInterval(std::min(kCloseGraceMs, request.idleTimeoutMs));
            idle.start();
        }
        stillWanted();
    };

    QObject::connect(&socket, &QTcpSocket::connected, &socket, [&] {
        socket.write(requestText(request, url, port));
        idle.start();
    });
    QObject::connect(&socket, &QIODevice::readyRead, &socket, consume);
    QObject::connect(&socket, &QAbstractSocket::disconnected, &socket, [&] {
        consume();
        finish(End::Closed);
    });
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &socket, [&](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) {
            consume();
            finish(End::Closed);
        } else {
            finish(End::Failed, socket.errorString());
        }
    });
    idle.setSingleShot(true);
    idle.setInterval(request.idleTimeoutMs);
    QObject::connect(&idle, &QTimer::timeout, &socket, [&] {
        if (complete)
            finish(End::Closed); // a server that keeps the connection open after the whole body
        else
            finish(End::Failed, QStringLiteral("o servidor não respondeu a tempo"));
    });
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &socket, stillWanted);

    socket.connectToHost(url.host(), port);
    idle.start();
    poll.start();
    if (end == End::None)
        loop.exec();
    if (end == End::None) // the application is quitting
        finish(End::Failed, QStringLiteral("transferência interrompida"));
    QObject::disconnect(&socket, nullptr, nullptr, nullptr);
    socket.abort();

    if (end == End::Failed)
        return {};
    if (!haveHead) {
        r.error = QStringLiteral("o servidor fechou a conexão sem responder");
        return {};
    }
    if (isRedirect(head.status) && !head.location.isEmpty())
        return url.resolved(QUrl::fromEncoded(head.location));
    if (stopReading) {
        r.error = QStringLiteral("o servidor respondeu %1").arg(head.status);
        return {};
    }
    if (head.length >= 0 && r.received != head.length) {
        r.error = QStringLiteral("recebidos %1 de %2 bytes").arg(r.received).arg(head.length);
        return {};
    }
    if (head.length < 0 && request.requireLength) {
        r.error = QStringLiteral("o servidor não informou o tamanho");
        return {};
    }
    r.ok = true;
    return {};
}

} // namespace

HttpResult httpGet(const HttpRequest& request, QIODevice* sink, const HttpProgress& progress,
                   const std::function<bool()>& keepGoing)
{
    HttpResult r;
    QUrl url = request.url;
    for (int hop = 0;; ++hop) {
        const QUrl next = exchange(request, url, sink, progress, keepGoing, r);
        if (next.isEmpty())
            return r;
        if (hop >= request.maxRedirects) {
            r.ok = false;
            r.error = QStringLiteral("redirecionamentos demais");
            return r;
        }
        url = next;
    }
}

} // namespace webupdate

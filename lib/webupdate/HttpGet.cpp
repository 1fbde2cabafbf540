#include "webupdate/HttpGet.h"

#include <QElapsedTimer>
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

// Whether two addresses name the same server: credentials go to the page's own server alone.
bool sameOrigin(const QUrl& a, const QUrl& b, int defaultPort)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port(defaultPort) == b.port(defaultPort);
}

// One request and its answer, step by step: connect, send the request, read the head, read
// the body, and (after the connection ended) say where a redirection leads. The steps run from
// the socket's signals inside a local event loop, so the windows stay alive meanwhile.
class Exchange {
  public:
    Exchange(const HttpRequest& request, const QUrl& url, QIODevice* sink, const HttpProgress& progress,
             const std::function<bool()>& keepGoing, HttpResult& result)
        : m_request(request), m_url(url), m_port(url.port(request.defaultPort)), m_sink(sink),
          m_progress(progress), m_keepGoing(keepGoing), m_r(result)
    {
    }

    // Runs the exchange; returns the address to follow when the answer is a redirection.
    QUrl run()
    {
        m_r = HttpResult{};
        m_r.url = m_url;
        if (m_url.scheme() != QLatin1String("http") || m_url.host().isEmpty()) {
            m_r.error = QStringLiteral("endereço não suportado: %1").arg(m_url.toString());
            return {};
        }
        connectToServer();
        if (m_end == End::None)
            m_loop.exec();
        if (m_end == End::None) // the application is quitting
            finish(End::Failed, QStringLiteral("transferência interrompida"));
        QObject::disconnect(&m_socket, nullptr, nullptr, nullptr);
        m_socket.abort();
        return m_end == End::Failed ? QUrl() : followRedirection();
    }

  private:
    enum class End { None, Closed, Failed };

    void connectToServer()
    {
        QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this] { sendRequest(); });
        QObject::connect(&m_socket, &QIODevice::readyRead, &m_socket, [this] { readAvailable(); });
        QObject::connect(&m_socket, &QAbstractSocket::disconnected, &m_socket, [this] { closed(); });
        QObject::connect(&m_socket, &QAbstractSocket::errorOccurred, &m_socket,
                         [this](QAbstractSocket::SocketError e) {
                             if (e == QAbstractSocket::RemoteHostClosedError)
                                 closed();
                             else
                                 finish(End::Failed, m_socket.errorString());
                         });
        m_idle.setSingleShot(true);
        m_idle.setInterval(m_request.idleTimeoutMs);
        QObject::connect(&m_idle, &QTimer::timeout, &m_socket, [this] {
            if (m_complete)
                finish(End::Closed); // a server that keeps the connection open after the whole body
            else
                finish(End::Failed, QStringLiteral("o servidor não respondeu a tempo"));
        });
        m_poll.setInterval(kPollMs);
        QObject::connect(&m_poll, &QTimer::timeout, &m_socket, [this] {
            stillWanted();
            checkPace();
        });
        m_paceClock.start();
        m_socket.connectToHost(m_url.host(), m_port);
        m_idle.start();
        m_poll.start();
    }

    void sendRequest()
    {
        m_socket.write(requestText());
        m_idle.start();
    }

    QByteArray requestText() const
    {
        QByteArray target = m_url.path(QUrl::FullyEncoded).toLatin1();
        if (target.isEmpty())
            target = "/";
        if (m_url.hasQuery())
            target += '?' + m_url.query(QUrl::FullyEncoded).toLatin1();
        QByteArray host = m_url.host(QUrl::FullyEncoded).toLatin1();
        if (host.contains(':'))
            host = '[' + host + ']';
        if (m_port != 80)
            host += ':' + QByteArray::number(m_port);

        QByteArray text = "GET " + target + " HTTP/1.0\r\n";
        text += "Host: " + host + "\r\n";
        if (!m_request.userAgent.isEmpty())
            text += "User-Agent: " + m_request.userAgent + "\r\n";
        text += "Accept: */*\r\n";
        text += "Pragma: no-cache\r\nCache-Control: no-cache\r\n";
        if (!m_request.userName.isEmpty() && sameOrigin(m_url, m_request.url, m_request.defaultPort))
            text += "Authorization: Basic " +
                    (m_request.userName + u':' + m_request.password).toUtf8().toBase64() + "\r\n";
        text += "\r\n";
        return text;
    }

    void readAvailable()
    {
        if (m_end != End::None)
            return;
        QByteArray data = m_socket.readAll();
        if (data.isEmpty())
            return;
        m_idle.start();
        m_paceBytes += data.size();
        if (!m_haveHead && !readHead(data))
            return;
        readBody(data);
        if (m_end == End::None && m_r.received == m_head.length && !m_complete) {
            m_complete = true;
            m_idle.setInterval(std::min(kCloseGraceMs, m_request.idleTimeoutMs));
            m_idle.start();
        }
        stillWanted();
    }

    // Gathers the head; once it is whole, leaves in `data` what follows it and returns true.
    bool readHead(QByteArray& data)
    {
        m_headText += data;
        qsizetype sep = m_headText.indexOf("\r\n\r\n");
        qsizetype sepLength = 4;
        const qsizetype bare = m_headText.indexOf("\n\n");
        if (bare >= 0 && (sep < 0 || bare < sep)) {
            sep = bare;
            sepLength = 2;
        }
        if (sep < 0) {
            if (m_headText.size() > kMaxHead)
                finish(End::Failed, QStringLiteral("cabeçalho grande demais"));
            return false;
        }
        QString error;
        if (!parseHead(m_headText.left(sep), &m_head, &error)) {
            finish(End::Failed, error);
            return false;
        }
        m_haveHead = true;
        m_r.status = m_head.status;
        m_r.announced = m_head.length;
        data = m_headText.mid(sep + sepLength);
        m_headText.clear();
        // Nothing but a successful answer's body is worth reading.
        if (m_head.status < 200 || m_head.status > 299) {
            m_stopReading = true;
            finish(End::Closed);
            return false;
        }
        return true;
    }

    void readBody(const QByteArray& data)
    {
        if (data.isEmpty())
            return;
        m_r.received += data.size();
        if (m_head.length >= 0 && m_r.received > m_head.length)
            return finish(End::Failed, QStringLiteral("mais dados que o anunciado"));
        if (m_request.maxBody >= 0 && m_r.received > m_request.maxBody)
            return finish(End::Failed, QStringLiteral("resposta grande demais"));
        if (m_sink->write(data) != data.size())
            return finish(End::Failed, m_sink->errorString());
        if (m_progress)
            m_progress(m_head.length >= 0 ? m_head.length : m_r.received, m_r.received);
    }

    void closed()
    {
        readAvailable();
        finish(End::Closed);
    }

    // The answer as a whole, once the connection ended: the address a redirection leads to, or
    // the outcome in the result.
    QUrl followRedirection()
    {
        if (!m_haveHead) {
            m_r.error = QStringLiteral("o servidor fechou a conexão sem responder");
            return {};
        }
        if (isRedirect(m_head.status) && !m_head.location.isEmpty())
            return m_url.resolved(QUrl::fromEncoded(m_head.location));
        if (m_stopReading) {
            m_r.error = QStringLiteral("o servidor respondeu %1").arg(m_head.status);
            return {};
        }
        if (m_head.length >= 0 && m_r.received != m_head.length) {
            m_r.error = QStringLiteral("recebidos %1 de %2 bytes").arg(m_r.received).arg(m_head.length);
            return {};
        }
        if (m_head.length < 0 && m_request.requireLength) {
            m_r.error = QStringLiteral("o servidor não informou o tamanho");
            return {};
        }
        m_r.ok = true;
        return {};
    }

    void stillWanted()
    {
        if (m_keepGoing && !m_keepGoing())
            finish(End::Failed, QStringLiteral("transferência interrompida"));
        else if (m_request.deadline.hasExpired())
            finish(End::Failed, QStringLiteral("o servidor demorou demais"));
    }

    // A server that trickles keeps the idle bound from ever ending the transfer: over each
    // window of time at least the least rate must arrive.
    void checkPace()
    {
        if (m_complete || m_request.minBytesPerSecond <= 0 || m_paceClock.elapsed() < m_request.rateWindowMs)
            return;
        if (m_paceBytes * 1000 < m_request.minBytesPerSecond * m_paceClock.elapsed())
            return finish(End::Failed, QStringLiteral("a transferência está lenta demais"));
        m_paceBytes = 0;
        m_paceClock.start();
    }

    void finish(End e, const QString& why = {})
    {
        if (m_end != End::None)
            return;
        m_end = e;
        if (e == End::Failed)
            m_r.error = why;
        m_loop.quit();
    }

    const HttpRequest& m_request;
    const QUrl m_url;
    const int m_port;
    QIODevice* m_sink;
    const HttpProgress& m_progress;
    const std::function<bool()>& m_keepGoing;
    HttpResult& m_r;

    End m_end = End::None;
    QEventLoop m_loop;
    QTcpSocket m_socket;
    QTimer m_idle;
    QTimer m_poll;
    QElapsedTimer m_paceClock;
    qint64 m_paceBytes = 0;
    QByteArray m_headText;
    bool m_haveHead = false;
    bool m_stopReading = false;
    bool m_complete = false;
    Head m_head;
};

} // namespace

HttpResult httpGet(const HttpRequest& request, QIODevice* sink, const HttpProgress& progress,
                   const std::function<bool()>& keepGoing)
{
    HttpResult r;
    QUrl url = request.url;
    for (int hop = 0;; ++hop) {
        const QUrl next = Exchange(request, url, sink, progress, keepGoing, r).run();
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

// The page view's memory under a hostile banner: a page of 300 pictures of 4 MB each (decoded),
// served from this process on 127.0.0.1. Prints what the view loaded and the process's peak
// memory; run it under /usr/bin/time -v for the whole-process figure.
//
//   page_budget [PICTURES] [SIDE]     (300 pictures of 1024 x 1024 by default)
#include "net/NetworkFetcher.h"
#include "net/WebView.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QNetworkAccessManager>
#include <QScrollBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A one-request-per-connection web server: "/" is the page, anything else the picture.
class Server : public QTcpServer {
  public:
    Server(QByteArray page, QByteArray picture) : m_page(std::move(page)), m_picture(std::move(picture)) {}

  protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request = socket->readAll();
            const bool page = request.startsWith("GET / ");
            const QByteArray& body = page ? m_page : m_picture;
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: " +
                          QByteArray(page ? "text/html" : "image/png") +
                          "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

  private:
    QByteArray m_page;
    QByteArray m_picture;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int pictures = argc > 1 ? std::atoi(argv[1]) : 300;
    const int side = argc > 2 ? std::atoi(argv[2]) : 1024;

    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray html = "<p>Banner</p>";
    for (int i = 0; i < pictures; ++i)
        html += "<img src=\"/p/" + QByteArray::number(i) + ".png\">";

    Server server(html, png);
    server.listen(QHostAddress::LocalHost);
    const long before = peakKiB();

    QNetworkAccessManager manager;
    net::WebView view(net::networkFetcher(&manager));
    view.resize(800, 600);
    view.show();
    QElapsedTimer clock;
    clock.start();
    view.navigate(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort())));
    // Give every picture its chance, scrolling through the page as a reader would.
    QTimer scroll;
    QObject::connect(&scroll, &QTimer::timeout, &view,
                     [&] { view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + 400); });
    scroll.start(20);
    QTimer::singleShot(5000, &app, &QApplication::quit);
    app.exec();

    std::printf("pictures on the page        %d (%d x %d, %.1f MB decoded each)\n", pictures, side, side,
                side * side * 4 / 1048576.0);
    std::printf("resources requested         %d\n", view.resourcesRequested());
    std::printf("decoded and kept            %.1f MB\n", view.decodedBytes() / 1048576.0);
    std::printf("peak memory before the page %ld KiB\n", before);
    std::printf("peak memory                 %ld KiB\n", peakKiB());
    return 0;
}

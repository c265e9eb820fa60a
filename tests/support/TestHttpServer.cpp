#include "support/TestHttpServer.h"

#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <stdexcept>

QByteArray TestHttpServer::Request::formValue(const QByteArray& name) const {
    QByteArray query = body;
    const qsizetype q = target.indexOf('?');
    if (method == "GET" && q >= 0) query = target.mid(q + 1);
    const QByteArray plus = query.replace('+', ' ');
    const QUrlQuery form(QString::fromLatin1(plus));
    return form.queryItemValue(QString::fromLatin1(name), QUrl::FullyDecoded).toUtf8();
}

TestHttpServer::TestHttpServer() : server_(std::make_unique<QTcpServer>()) {
    listen();
}

TestHttpServer::TestHttpServer(const QSslConfiguration& tls) : tls_(true) {
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(tls);
    server_ = std::move(server);
    listen();
}

void TestHttpServer::listen() {
    if (!server_->listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("test server cannot listen");
    connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString TestHttpServer::url(const QString& path) const {
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(tls_ ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(port())
        .arg(path);
}

std::pair<QSslCertificate, QSslKey> makeLocalCertificate() {
    QTemporaryDir dir;
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-keyout"),
                   dir.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"),
                   dir.filePath(QStringLiteral("cert.pem"))});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        throw std::runtime_error("openssl made no certificate");
    QFile cert(dir.filePath(QStringLiteral("cert.pem")));
    QFile key(dir.filePath(QStringLiteral("key.pem")));
    if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        throw std::runtime_error("no certificate");
    return {QSslCertificate(cert.readAll()), QSslKey(key.readAll(), QSsl::Ec)};
}

void TestHttpServer::route(const QByteArray& path, Response response) {
    routes_[path] = [response](const Request&) { return response; };
}

void TestHttpServer::route(const QByteArray& path, Handler handler) {
    routes_[path] = std::move(handler);
}

void TestHttpServer::serve(QTcpSocket* socket) {
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0 || socket->property("answered").toBool()) return;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    Request request;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.target = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
    }
    const qsizetype length = request.headers.value("content-length", "0").toLongLong();
    if (buffer.size() - headEnd - 4 < length) return;
    request.body = buffer.mid(headEnd + 4, length);
    QByteArray path = request.target;
    if (path.startsWith("http://")) path = path.mid(path.indexOf('/', 7));
    request.path = path.left(path.indexOf('?') >= 0 ? path.indexOf('?') : path.size());
    requests << request;
    socket->setProperty("answered", true);

    const auto handler = routes_.constFind(request.path);
    send(socket, handler != routes_.constEnd() ? (*handler)(request) : Response::error(404, "Not Found"));
}

namespace {

// Writes one response onto its socket, piece by piece; lives as a child of the socket.
class ResponseWriter : public QObject {
public:
    ResponseWriter(QTcpSocket* socket, TestHttpServer::Response response)
        : QObject(socket), socket_(socket), response_(std::move(response)) {
        QTimer::singleShot(response_.delayMs, this, [this] {
            writeHead();
            next();
        });
    }

private:
    void writeHead() {
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response_.status) + ' ' + response_.reason + "\r\n";
        out += "Content-Type: " + response_.contentType + "\r\n";
        for (const auto& [name, value] : response_.headers) out += name + ": " + value + "\r\n";
        if (!response_.neverEnd) {
            qsizetype size = 0;
            for (const QByteArray& chunk : response_.chunks) size += chunk.size();
            if (response_.announcedLength >= 0) size = response_.announcedLength;
            out += "Content-Length: " + QByteArray::number(size) + "\r\n";
        }
        out += "Connection: close\r\n\r\n";
        socket_->write(out);
        socket_->flush();
    }
    void next() {
        if (piece_ < response_.chunks.size()) {
            if (response_.beforePiece) response_.beforePiece(piece_);
            socket_->write(response_.chunks[piece_]);
            socket_->flush();
            ++piece_;
            QTimer::singleShot(response_.chunkDelayMs, this, [this] { next(); });
            return;
        }
        if (!response_.neverEnd) socket_->disconnectFromHost();
    }

    QTcpSocket* socket_;
    TestHttpServer::Response response_;
    qsizetype piece_ = 0;
};

} // namespace

void TestHttpServer::send(QTcpSocket* socket, const Response& response) {
    new ResponseWriter(socket, response);
}

#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <functional>
#include <memory>
#include <utility>

class QSslCertificate;
class QSslConfiguration;
class QSslKey;

// A small HTTP/1.1 server of the tests' own on 127.0.0.1, answering on the UI thread (the code under
// test waits in event loops, so the server runs meanwhile). Every answer closes its connection.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QByteArray target;                     // as sent: origin form, or absolute form through a proxy
        QByteArray path;                       // without query
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
        QByteArray formValue(const QByteArray& name) const; // from the url-encoded body or query
    };
    struct Response {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray contentType = "text/html; charset=utf-8";
        QList<QPair<QByteArray, QByteArray>> headers;
        QList<QByteArray> chunks;                   // the body, sent piece by piece
        int delayMs = 0;                            // before the head
        int chunkDelayMs = 0;                       // between the pieces
        bool neverEnd = false;                      // after the pieces the connection stays open and silent
        qsizetype announcedLength = -1;             // a Content-Length other than the body's: cut short
        std::function<void(int piece)> beforePiece; // called before piece 1, 2, ... is sent

        static Response html(const QByteArray& body) {
            Response r;
            r.chunks << body;
            return r;
        }
        static Response error(int status, const QByteArray& reason) {
            Response r;
            r.status = status;
            r.reason = reason;
            r.chunks << "<html><body>" + reason + "</body></html>";
            return r;
        }
        static Response redirect(const QByteArray& location) {
            Response r;
            r.status = 302;
            r.reason = "Found";
            r.headers << qMakePair(QByteArray("Location"), location);
            return r;
        }
    };
    using Handler = std::function<Response(const Request&)>;

    TestHttpServer();
    // The same over TLS with the given certificate and key: an HTTPS server.
    explicit TestHttpServer(const QSslConfiguration& tls);
    quint16 port() const { return server_->serverPort(); }
    QString url(const QString& path) const;

    void route(const QByteArray& path, Response response);
    void route(const QByteArray& path, Handler handler);

    QList<Request> requests;

private:
    void serve(QTcpSocket* socket);
    void send(QTcpSocket* socket, const Response& response);

    void listen();

    std::unique_ptr<QTcpServer> server_;
    bool tls_ = false;
    QHash<QByteArray, Handler> routes_;
};

// A certificate for 127.0.0.1 made for this run by openssl, and its key; the test trusts it where it wants
// (QSslConfiguration::defaultConfiguration().addCaCertificate).
std::pair<QSslCertificate, QSslKey> makeLocalCertificate();

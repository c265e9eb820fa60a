#include "platform/HttpClient.h"
#include "TestHttpServer.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using Response = TestHttpServer::Response;

class HttpClientTest : public ::testing::Test {
protected:
    HttpClientTest() { http.setSilenceTimeout(std::chrono::milliseconds(2000)); }

    QByteArray get(const QString& path, HttpRequest request = {}) {
        request.url = server.url(path);
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        http.get(request, sink);
        return sink.data();
    }

    TestHttpServer server;
    QtHttpClient http;
};

TEST_F(HttpClientTest, StatusCodesOfFourHundredAndAboveCarryCodeAndReason) {
    const struct {
        int status;
        QByteArray reason;
    } cases[] = {
        {400, "Bad Request"}, {403, "Forbidden"}, {404, "Not Found"}, {500, "Internal Server Error"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        server.route("/e", Response::error(c.status, c.reason));
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        try {
            http.get({server.url(QStringLiteral("/e")), {}, QStringLiteral("80")}, sink);
            FAIL() << "no error";
        } catch (const HttpError& e) {
            EXPECT_EQ(e.statusCode(), c.status);
            EXPECT_EQ(e.reasonPhrase(), QString::fromLatin1(c.reason));
        }
        // The body of the error page arrived all the same.
        EXPECT_EQ(sink.data(), "<html><body>" + c.reason + "</body></html>");
    }
}

TEST_F(HttpClientTest, FollowsRedirectsButOnlySoMany) {
    server.route("/a", Response::redirect("/b"));
    server.route("/b", Response::redirect(server.url(QStringLiteral("/c")).toLatin1()));
    server.route("/c", Response::html("arrived"));
    EXPECT_EQ(get(QStringLiteral("/a")), QByteArray("arrived"));

    server.route("/loop", Response::redirect("/loop"));
    http.setMaxRedirects(3);
    try {
        get(QStringLiteral("/loop"));
        FAIL() << "no error";
    } catch (const HttpError&) {
        FAIL() << "a redirect loop is no HTTP status failure";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("zu oft weiter"))) << e.message().toStdString();
    }
    EXPECT_LE(server.requests.size(), 3 + 4 + 1);
}

TEST_F(HttpClientTest, BodyIsWrittenAsItArrives) {
    Response slow;
    slow.chunks = {QByteArray(3000, 'a'), QByteArray(3000, 'b'), QByteArray(10, 'c')};
    slow.chunkDelayMs = 150;
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QList<qint64> sizes;
    slow.beforePiece = [&](int) { sizes << sink.size(); };
    server.route("/slow", slow);
    http.get({server.url(QStringLiteral("/slow")), {}, QStringLiteral("80")}, sink);
    EXPECT_EQ(sizes, (QList<qint64>{0, 3000, 6000}));
    EXPECT_EQ(sink.size(), 6010);
}

TEST_F(HttpClientTest, SilenceEndsTheTransferWithAGermanMessage) {
    Response hang;
    hang.chunks = {"begun"};
    hang.neverEnd = true;
    server.route("/hang", hang);
    http.setSilenceTimeout(std::chrono::milliseconds(300));
    QElapsedTimer clock;
    clock.start();
    try {
        get(QStringLiteral("/hang"));
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("kamen keine Daten"))) << e.message().toStdString();
    }
    EXPECT_LT(clock.elapsed(), 5000);

    // A slow answer that keeps sending is not cut off.
    Response trickle;
    trickle.chunks = {"1", "2", "3", "4", "5"};
    trickle.chunkDelayMs = 150;
    server.route("/trickle", trickle);
    EXPECT_EQ(get(QStringLiteral("/trickle")), QByteArray("12345"));
}

TEST_F(HttpClientTest, BadAddressesAndProxyPortsAreErrors) {
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    EXPECT_THROW(http.get({QString(), {}, QStringLiteral("80")}, sink), AppError);
    EXPECT_THROW(http.get({QStringLiteral("ftp://127.0.0.1/"), {}, QStringLiteral("80")}, sink), AppError);
    for (const char* port : {"", "x", "0", "70000"}) {
        SCOPED_TRACE(port);
        EXPECT_THROW(http.get({server.url(QStringLiteral("/")), QStringLiteral("127.0.0.1"),
                               QString::fromLatin1(port)},
                              sink),
                     AppError);
    }
    EXPECT_TRUE(server.requests.isEmpty());
}

// Debian's tinyproxy, started with a configuration of the test's own on a free port.
class Tinyproxy {
public:
    Tinyproxy() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();
        QFile config(dir_.filePath(QStringLiteral("tinyproxy.conf")));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nLogFile \"%2\"\nLogLevel Info\n"
                                    "MaxClients 10\nAllow 127.0.0.1\nViaProxyName \"ziehboxtest\"\n")
                         .arg(port_)
                         .arg(logPath())
                         .toUtf8());
        config.close();
        process_.setProgram(QStandardPaths::findExecutable(QStringLiteral("tinyproxy")));
        process_.setArguments({QStringLiteral("-d"), QStringLiteral("-c"), config.fileName()});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (process_.program().isEmpty()) return;
        process_.start();
        if (!process_.waitForStarted(5000)) return;
        // Wait (bounded) until it listens.
        for (int i = 0; i < 100 && !ready_; ++i) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port_);
            ready_ = socket.waitForConnected(100);
            if (!ready_) QThread::msleep(50);
        }
    }
    ~Tinyproxy() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished(3000);
    }
    bool ready() const { return ready_; }
    quint16 port() const { return port_; }
    QString logPath() const { return dir_.filePath(QStringLiteral("tinyproxy.log")); }
    QByteArray log() const {
        QFile f(logPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
    bool ready_ = false;
};

TEST_F(HttpClientTest, GoesThroughTheProxyWhenAHostIsSet) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.ready()) << "tinyproxy did not start";
    server.route("/content/d/homepage/", Response::html("through the proxy"));

    EXPECT_EQ(get(QStringLiteral("/content/d/homepage/"),
                  {{}, QStringLiteral("127.0.0.1"), QString::number(proxy.port())}),
              QByteArray("through the proxy"));
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(server.requests[0].headers.value("via").contains("ziehboxtest"));
    EXPECT_EQ(server.requests[0].headers.value("user-agent"), QByteArray("Mozilla/3.0 (compatible)"));
    EXPECT_TRUE(proxy.log().contains(
        QStringLiteral("GET %1").arg(server.url(QStringLiteral("/content/d/homepage/"))).toLatin1()))
        << proxy.log().toStdString();

    // Without a host the same client goes direct again.
    EXPECT_EQ(get(QStringLiteral("/content/d/homepage/")), QByteArray("through the proxy"));
    ASSERT_EQ(server.requests.size(), 2);
    EXPECT_FALSE(server.requests[1].headers.contains("via"));
}

} // namespace

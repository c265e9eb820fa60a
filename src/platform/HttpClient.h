#pragma once

#include "platform/AppError.h"

#include <QNetworkReply>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class QIODevice;
class QNetworkAccessManager;

// An HTTP answer with status code 400 or higher.
class HttpError : public AppError {
public:
    HttpError(int statusCode, const QString& reasonPhrase);
    int statusCode() const { return statusCode_; }
    const QString& reasonPhrase() const { return reasonPhrase_; }

private:
    int statusCode_;
    QString reasonPhrase_;
};

// A transfer the user ended.
class HttpCancelled : public AppError {
public:
    HttpCancelled() : AppError(QStringLiteral("Das Laden wurde abgebrochen.")) {}
};

// What a GET needs: the address, and the HTTP proxy to go through when proxyHost is not empty.
struct HttpRequest {
    QString url;
    QString proxyHost;
    QString proxyPort = QStringLiteral("80");
    // Asked now and then while the transfer waits: true ends it with HttpCancelled.
    std::function<bool()> cancelled = nullptr;
};

// Makes the proxy of the request (none without a host) the application's, which the browser engine's
// requests go through; an invalid port throws AppError, as for a GET.
void useApplicationProxy(const HttpRequest& request);

// The German text of a failed transfer, one for each kind of failure; Qt's own words never reach the
// user. Through a proxy, a refused or lost connection is the proxy's.
QString networkErrorText(QNetworkReply::NetworkError error, const QUrl& url, const HttpRequest& request = {});

// The HTTP client the draw page download drives.
class HttpClient {
public:
    static constexpr const char* Agent = "Mozilla/3.0 (compatible)";
    static constexpr const char* Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";

    virtual ~HttpClient() = default;
    // Fetches the address and writes the body into sink as it arrives. Window events are processed while
    // it waits. Throws HttpError for a status of 400 or higher (the body received stays in sink),
    // HttpCancelled when the request's cancelled says so, and AppError for every other failure.
    virtual void get(const HttpRequest& request, QIODevice& sink) = 0;
};

// QNetworkAccessManager behind the port.
class QtHttpClient : public HttpClient {
public:
    static constexpr std::chrono::milliseconds DefaultSilenceTimeout{30000};
    static constexpr std::chrono::milliseconds DefaultOverallTimeout{180000};
    static constexpr int DefaultMaxRedirects = 10;

    QtHttpClient();
    ~QtHttpClient() override;

    // A transfer that receives nothing for this long is given up.
    void setSilenceTimeout(std::chrono::milliseconds timeout) { silenceTimeout_ = timeout; }
    // A transfer that has not ended this long after it began is given up, however it trickles.
    void setOverallTimeout(std::chrono::milliseconds timeout) { overallTimeout_ = timeout; }
    void setMaxRedirects(int count) { maxRedirects_ = count; }

    void get(const HttpRequest& request, QIODevice& sink) override;

private:
    QNetworkAccessManager* manager();

    std::unique_ptr<QNetworkAccessManager> manager_;
    std::chrono::milliseconds silenceTimeout_ = DefaultSilenceTimeout;
    std::chrono::milliseconds overallTimeout_ = DefaultOverallTimeout;
    int maxRedirects_ = DefaultMaxRedirects;
};

#include "platform/HttpClient.h"

#include "platform/FileErrors.h"

#include <QEventLoop>
#include <QFileDevice>
#include <QIODevice>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <memory>

HttpError::HttpError(int statusCode, const QString& reasonPhrase)
    : AppError(QStringLiteral("Der Server meldet %1 %2").arg(statusCode).arg(reasonPhrase)),
      statusCode_(statusCode), reasonPhrase_(reasonPhrase) {}

QtHttpClient::QtHttpClient() = default;
QtHttpClient::~QtHttpClient() = default;

QNetworkAccessManager* QtHttpClient::manager() {
    if (!manager_) manager_ = std::make_unique<QNetworkAccessManager>();
    return manager_.get();
}

namespace {

QNetworkProxy proxyFor(const HttpRequest& request) {
    const QString host = request.proxyHost.trimmed();
    // Without a host no proxy at all, not even one from the environment.
    if (host.isEmpty()) return QNetworkProxy(QNetworkProxy::NoProxy);
    bool ok = false;
    const int port = request.proxyPort.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        throw AppError(QStringLiteral("Der Proxy-Port \"%1\" ist ungültig.").arg(request.proxyPort));
    return QNetworkProxy(QNetworkProxy::HttpProxy, host, static_cast<quint16>(port));
}

} // namespace

void useApplicationProxy(const HttpRequest& request) {
    QNetworkProxy::setApplicationProxy(proxyFor(request));
}

QString networkErrorText(QNetworkReply::NetworkError error, const QUrl& url, const HttpRequest& request) {
    const QString host = url.host();
    const QString address = url.toDisplayString();
    const QString proxy = request.proxyHost.trimmed() + QLatin1Char(':') + request.proxyPort.trimmed();
    // Through a proxy the connection itself is the proxy's: a refused or lost connection is its failure.
    if (!request.proxyHost.trimmed().isEmpty()) {
        switch (error) {
        case QNetworkReply::ConnectionRefusedError:
            error = QNetworkReply::ProxyConnectionRefusedError;
            break;
        case QNetworkReply::HostNotFoundError:
            error = QNetworkReply::ProxyNotFoundError;
            break;
        case QNetworkReply::RemoteHostClosedError:
            error = QNetworkReply::ProxyConnectionClosedError;
            break;
        case QNetworkReply::TimeoutError:
            error = QNetworkReply::ProxyTimeoutError;
            break;
        default:
            break;
        }
    }
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Der Server \"%1\" wurde nicht gefunden. Besteht eine Verbindung zum Internet?")
            .arg(host);
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Der Server \"%1\" hat die Verbindung abgelehnt.").arg(host);
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Der Server \"%1\" hat die Verbindung unerwartet geschlossen.").arg(host);
    case QNetworkReply::TimeoutError:
        return QStringLiteral("Der Server \"%1\" antwortet nicht.").arg(host);
    case QNetworkReply::ProxyConnectionRefusedError:
        return QStringLiteral("Der Proxy-Server \"%1\" hat die Verbindung abgelehnt.").arg(proxy);
    case QNetworkReply::ProxyNotFoundError:
        return QStringLiteral("Der Proxy-Server \"%1\" wurde nicht gefunden.").arg(proxy);
    case QNetworkReply::ProxyConnectionClosedError:
        return QStringLiteral("Der Proxy-Server \"%1\" hat die Verbindung unerwartet geschlossen.")
            .arg(proxy);
    case QNetworkReply::ProxyTimeoutError:
        return QStringLiteral("Der Proxy-Server \"%1\" antwortet nicht.").arg(proxy);
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("Der Proxy-Server \"%1\" verlangt eine Anmeldung.").arg(proxy);
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Die sichere Verbindung (TLS) zu \"%1\" ist fehlgeschlagen.").arg(host);
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("Die Seite \"%1\" leitet zu oft weiter.").arg(address);
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Die Seite \"%1\" leitet von https auf eine unsichere http-Adresse weiter; dem "
                              "wird nicht gefolgt.")
            .arg(address);
    default:
        return QStringLiteral("Die Seite \"%1\" konnte nicht geladen werden.").arg(address);
    }
}

namespace {

// A body that could not be stored: the file's own German text when the sink is a file.
QString sinkErrorText(const QIODevice& sink) {
    if (const auto* file = qobject_cast<const QFileDevice*>(&sink))
        return fileerrors::text(file->fileName(), fileerrors::Access::Write, file->error());
    return QStringLiteral("Die heruntergeladene Seite konnte nicht gespeichert werden.");
}

} // namespace

void QtHttpClient::get(const HttpRequest& request, QIODevice& sink) {
    const QUrl url = QUrl::fromUserInput(request.url.trimmed());
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        throw AppError(QStringLiteral("Die Adresse \"%1\" ist ungültig.").arg(request.url));

    QNetworkAccessManager* nam = manager();
    nam->setProxy(proxyFor(request));

    QNetworkRequest req(url);
    req.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(Agent));
    req.setRawHeader("Accept", Accept);
    // Redirects are followed, but never from https down to http, and only so many.
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    req.setMaximumRedirectsAllowed(maxRedirects_);
    req.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    std::unique_ptr<QNetworkReply> reply(nam->get(req));
    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    silence.setInterval(silenceTimeout_);
    bool timedOut = false;
    bool writeFailed = false;
    bool tooLong = false;
    bool cancelled = false;

    QObject::connect(&silence, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QTimer overall;
    overall.setSingleShot(true);
    QObject::connect(&overall, &QTimer::timeout, &loop, [&] {
        tooLong = true;
        reply->abort();
    });
    // The user's "Abbrechen" is looked at a few times a second.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!request.cancelled || !request.cancelled()) return;
        cancelled = true;
        reply->abort();
    });
    auto alive = [&] { silence.start(); };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, alive);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, alive);
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, alive);
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        silence.start();
        const QByteArray chunk = reply->readAll();
        if (!writeFailed && sink.write(chunk) != chunk.size()) {
            writeFailed = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    silence.start();
    overall.start(overallTimeout_);
    if (request.cancelled) poll.start(100);
    if (!reply->isFinished()) loop.exec();
    silence.stop();
    overall.stop();
    poll.stop();

    // What arrived together with the end of the transfer.
    if (!writeFailed && reply->bytesAvailable() > 0) {
        const QByteArray rest = reply->readAll();
        if (sink.write(rest) != rest.size()) writeFailed = true;
    }
    // A file keeps the last pieces in its buffer: a full disk shows only here.
    if (auto* file = qobject_cast<QFileDevice*>(&sink); file && !writeFailed && !file->flush())
        writeFailed = true;

    if (cancelled) throw HttpCancelled();
    if (writeFailed) throw AppError(sinkErrorText(sink));
    if (tooLong)
        throw AppError(
            QStringLiteral("Die Seite \"%1\" war nach %2 Sekunden nicht ganz geladen; das Laden wurde "
                           "abgebrochen.")
                .arg(url.toDisplayString())
                .arg(QLocale().toString(static_cast<double>(overallTimeout_.count()) / 1000.0)));
    const bool viaProxy = !request.proxyHost.trimmed().isEmpty();
    if (timedOut) {
        const QString seconds = QLocale().toString(static_cast<double>(silenceTimeout_.count()) / 1000.0);
        // The silence may be the proxy's or the server's behind it: both are named.
        if (viaProxy)
            throw AppError(QStringLiteral("Die Verbindung zu \"%1\" über den Proxy-Server \"%2:%3\" wurde "
                                          "abgebrochen: %4 Sekunden lang kamen keine Daten.")
                               .arg(url.toDisplayString(), request.proxyHost.trimmed(),
                                    request.proxyPort.trimmed(), seconds));
        throw AppError(
            QStringLiteral("Die Verbindung zu \"%1\" wurde abgebrochen: %2 Sekunden lang kamen keine Daten.")
                .arg(url.toDisplayString(), seconds));
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A proxy that wants a password answers with its own status 407; the page was never asked for.
    if (viaProxy &&
        (reply->error() == QNetworkReply::ProxyAuthenticationRequiredError || status.toInt() == 407))
        throw AppError(networkErrorText(QNetworkReply::ProxyAuthenticationRequiredError, url, request));
    if (status.isValid() && status.toInt() >= 400)
        throw HttpError(status.toInt(),
                        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    if (reply->error() != QNetworkReply::NoError)
        throw AppError(networkErrorText(reply->error(), url, request));
}

#include "platform/HttpClient.h"

#include <QEventLoop>
#include <QIODevice>
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
    QString writeError;

    QObject::connect(&silence, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    auto alive = [&] { silence.start(); };
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, alive);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, alive);
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, alive);
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        silence.start();
        const QByteArray chunk = reply->readAll();
        if (writeError.isEmpty() && sink.write(chunk) != chunk.size()) {
            writeError = sink.errorString();
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    silence.start();
    if (!reply->isFinished()) loop.exec();
    silence.stop();

    // What arrived together with the end of the transfer.
    if (writeError.isEmpty() && reply->bytesAvailable() > 0) {
        const QByteArray rest = reply->readAll();
        if (sink.write(rest) != rest.size()) writeError = sink.errorString();
    }

    const QString address = url.toDisplayString();
    if (!writeError.isEmpty())
        throw AppError(
            QStringLiteral("Die heruntergeladene Seite konnte nicht gespeichert werden: %1").arg(writeError));
    if (timedOut)
        throw AppError(
            QStringLiteral("Die Verbindung zu \"%1\" wurde abgebrochen: %2 Sekunden lang kamen keine Daten.")
                .arg(address)
                .arg(static_cast<double>(silenceTimeout_.count()) / 1000.0));
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400)
        throw HttpError(status.toInt(),
                        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    if (reply->error() == QNetworkReply::TooManyRedirectsError)
        throw AppError(QStringLiteral("Die Seite \"%1\" leitet zu oft weiter.").arg(address));
    if (reply->error() != QNetworkReply::NoError)
        throw AppError(QStringLiteral("Die Seite \"%1\" konnte nicht geladen werden: %2")
                           .arg(address, reply->errorString()));
}

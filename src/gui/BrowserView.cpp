#include "gui/BrowserView.h"

#include "platform/HttpClient.h"

#include <QChildEvent>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString jsString(const QString& text) {
    // A JSON string is a JavaScript string literal with every character escaped that needs it.
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// The engine's own error numbers, told as the kinds of failure the program has German texts for.
QNetworkReply::NetworkError kindOf(const QWebEngineLoadingInfo& info) {
    if (info.errorDomain() == QWebEngineLoadingInfo::CertificateErrorDomain)
        return QNetworkReply::SslHandshakeFailedError;
    switch (info.errorCode()) {
    case -105: // name not resolved
    case -137: // name resolution failed
        return QNetworkReply::HostNotFoundError;
    case -102: // connection refused
        return QNetworkReply::ConnectionRefusedError;
    case -100: // connection closed
    case -101: // connection reset
    case -324: // empty response
        return QNetworkReply::RemoteHostClosedError;
    case -7:   // timed out
    case -118: // connection timed out
        return QNetworkReply::TimeoutError;
    case -130: // proxy connection failed
        return QNetworkReply::ProxyConnectionRefusedError;
    case -107: // TLS protocol error
    case -113: // no common TLS version or cipher
        return QNetworkReply::SslHandshakeFailedError;
    default:
        // The engine's certificate errors lie between -200 and -299.
        return info.errorCode() <= -200 && info.errorCode() > -300 ? QNetworkReply::SslHandshakeFailedError
                                                                   : QNetworkReply::UnknownNetworkError;
    }
}

QString reasonOf(const QWebEngineLoadingInfo& info) {
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        return QStringLiteral("Der Server meldet den Fehler %1.").arg(info.errorCode());
    const QNetworkReply::NetworkError kind = kindOf(info);
    if (kind == QNetworkReply::UnknownNetworkError)
        return QStringLiteral("Der Browser meldet den Fehler %1.").arg(info.errorCode());
    return networkErrorText(kind, info.url());
}

} // namespace

BrowserView::BrowserView(QWidget* parent) : QWebEngineView(parent) {
    // Every navigation counts, also one to the address already shown, which changes no URL.
    connect(this, &QWebEngineView::loadStarted, this, [this] { emit navigateComplete(); });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (ok) emit documentComplete();
    });
    connect(page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        // A load that was stopped (no error) or aborted (-3) was replaced by a newer one: no failure.
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus || info.errorCode() == 0 ||
            info.errorCode() == -3)
            return;
        emit loadFailed(reasonOf(info));
    });
}

bool BrowserView::event(QEvent* event) {
    if (event->type() == QEvent::ChildPolished) {
        auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
        if (child && child->focusPolicy() != Qt::NoFocus && child->accessibleName().isEmpty())
            child->setAccessibleName(accessibleName());
    }
    return QWebEngineView::event(event);
}

void BrowserView::navigate(const QUrl& url) {
    load(url);
}

void BrowserView::fillAndSubmit(const QString& form, const QString& field, const QString& value,
                                std::function<void(const QString& error)> done) {
    // Runs in a world of its own, so the page's scripts cannot change what document or submit mean.
    const QString script = QStringLiteral(R"((function () {
  var form = document.forms.namedItem(%1);
  if (!form) return "form";
  var element = form.elements.namedItem(%2);
  if (element && !element.tagName && element.length) element = element[0];
  if (!element) return "field";
  element.value = %3;
  HTMLFormElement.prototype.submit.call(form);
  return "ok";
})())")
                               .arg(jsString(form), jsString(field), jsString(value));
    page()->runJavaScript(
        script, QWebEngineScript::ApplicationWorld, [form, field, done](const QVariant& result) {
            const QString answer = result.toString();
            if (answer == QLatin1String("ok"))
                done(QString());
            else if (answer == QLatin1String("form"))
                done(QStringLiteral("Die Seite enthält kein Formular \"%1\".").arg(form));
            else if (answer == QLatin1String("field"))
                done(QStringLiteral("Das Formular \"%1\" enthält kein Feld \"%2\".").arg(form, field));
            else
                done(QStringLiteral("Das Formular \"%1\" konnte nicht ausgefüllt werden.").arg(form));
        });
}

std::optional<QString> BrowserView::bodyHtml(int timeoutMs) {
    auto html = std::make_shared<QString>();
    auto answered = std::make_shared<bool>(false);
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    page()->runJavaScript(QStringLiteral("document.body ? document.body.innerHTML : \"\""),
                          QWebEngineScript::ApplicationWorld,
                          [html, answered, guard](const QVariant& result) {
                              *html = result.toString();
                              *answered = true;
                              if (guard) guard->quit();
                          });
    if (!*answered) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        // A web run waits here between two pages: a click or a typed date must not change it meanwhile.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!*answered) return std::nullopt;
    return *html;
}

void prepareBrowserEngine() {
#ifdef Q_OS_UNIX
    if (::geteuid() != 0) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char* flag : {"--no-sandbox", "--disable-gpu"}) {
        if (flags.contains(flag)) continue;
        if (!flags.isEmpty()) flags += ' ';
        flags += flag;
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
#endif
}

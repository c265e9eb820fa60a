#include "platform/BrowserView.h"

#include <QChildEvent>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <memory>

namespace {

QString jsString(const QString& text) {
    // A JSON string is a JavaScript string literal with every character escaped that needs it.
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

} // namespace

BrowserView::BrowserView(QWidget* parent) : QWebEngineView(parent) {
    // Every navigation counts, also one to the address already shown, which changes no URL.
    connect(this, &QWebEngineView::loadStarted, this, [this] { emit navigateComplete(); });
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        // A page that could not be reached never completes; the user closes the window.
        if (ok) emit documentComplete();
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
        loop.exec();
    }
    if (!*answered) return std::nullopt;
    return *html;
}

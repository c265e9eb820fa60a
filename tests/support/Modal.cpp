#include "support/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

void whenModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> action,
               std::chrono::milliseconds bound) {
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, bound, matches, action] {
        QWidget* up = QApplication::activeModalWidget();
        if (up && matches(up)) {
            poll->stop();
            poll->deleteLater();
            action(up);
            return;
        }
        if (clock->elapsed() < bound.count()) return;
        poll->stop();
        poll->deleteLater();
        ADD_FAILURE() << "the expected modal window did not come up";
        if (auto* dialog = qobject_cast<QDialog*>(up)) dialog->reject();
    });
    poll->start();
}

void whenModalNamed(const char* objectName, std::function<void(QWidget*)> action) {
    const QString name = QString::fromLatin1(objectName);
    whenModal([name](QWidget* w) { return w->objectName() == name; }, std::move(action));
}

void whenModalOf(const char* className, std::function<void(QWidget*)> action) {
    whenModal([className](QWidget* w) { return w->inherits(className); }, std::move(action));
}

void acceptFileDialog(QWidget* fileDialog, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(fileDialog);
    ASSERT_NE(dialog, nullptr);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

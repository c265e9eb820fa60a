#include "app/Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::message(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::information(parent, caption, text);
}

void QtDialogs::error(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::critical(parent, caption, text);
}

QString QtDialogs::input(QWidget* parent, const QString& caption, const QString& prompt,
                         const QString& preset) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    return ok ? answer : preset;
}

bool QtDialogs::question(QWidget* parent, const QString& caption, const QString& text) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

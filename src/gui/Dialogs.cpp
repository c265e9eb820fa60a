#include "gui/Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

void QtDialogs::message(QWidget* parent, const QString& caption, const QString& text,
                        const QString& details) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    // A long list goes into the scrollable details, never into a box taller than the screen.
    box.setDetailedText(details);
    box.exec();
}

bool QtDialogs::messageOrStop(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void QtDialogs::error(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::critical(parent, caption, text);
}

std::optional<QString> QtDialogs::input(QWidget* parent, const QString& caption, const QString& prompt,
                                        const QString& preset) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

bool QtDialogs::question(QWidget* parent, const QString& caption, const QString& text, bool yesFirst) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 yesFirst ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

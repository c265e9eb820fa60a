#include "app/ControlBinding.h"

#include "platform/Controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>

namespace {

// A tool bar shows its widgets through actions; their visibility is the action's.
QAction* toolBarAction(QWidget* w) {
    auto* bar = qobject_cast<QToolBar*>(w->parentWidget());
    if (!bar) return nullptr;
    for (QAction* a : bar->actions())
        if (bar->widgetForAction(a) == w) return a;
    return nullptr;
}

bool explicitlyHidden(QWidget* w) {
    if (QAction* a = toolBarAction(w)) return !a->isVisible();
    return w->isHidden();
}

} // namespace

ControlBinding::ControlBinding(Controls& controls, QWidget* root) : QObject(root), controls_(controls) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || qobject_cast<QTabWidget*>(w) ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        bind(w);
    }
    connect(&controls_, &Controls::changed, this, [this](const QString& name, Controls::Property property) {
        apply(name, static_cast<int>(property));
    });
}

void ControlBinding::bind(QWidget* w) {
    const QString name = w->objectName();
    Controls& c = controls_;
    // A spin box's inner line edit carries the edit's name; the value lives under the up-down's name.
    if (qobject_cast<QLineEdit*>(w) && qobject_cast<QSpinBox*>(w->parentWidget())) return;
    bound_.insert(name, w);

    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (c.has(name))
            edit->setText(c.text(name));
        else
            c.setText(name, edit->text());
        connect(edit, &QLineEdit::textChanged, this, [this, edit, name](const QString& text) {
            if (syncing_) return;
            controls_.setText(name, text);
            // The stored text may differ (the tip cells' rule); show what is stored.
            const QString stored = controls_.text(name);
            if (edit->text() != stored) {
                const int cursor = edit->cursorPosition();
                edit->setText(stored);
                edit->setCursorPosition(std::min(cursor, static_cast<int>(stored.size())));
            }
        });
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        if (c.has(name))
            box->setChecked(c.checked(name));
        else
            c.setChecked(name, box->isChecked());
        connect(box, &QCheckBox::toggled, this, [this, name](bool on) { controls_.setChecked(name, on); });
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        if (c.has(name)) spin->setValue(c.value(name));
        c.setValue(name, spin->value());
        connect(spin, &QSpinBox::valueChanged, this, [this, name](int v) { controls_.setValue(name, v); });
    } else if (auto* date = qobject_cast<QDateEdit*>(w)) {
        if (c.has(name) && c.date(name).isValid()) date->setDate(c.date(name));
        c.setDate(name, date->date());
        connect(date, &QDateEdit::dateChanged, this,
                [this, name](const QDate& d) { controls_.setDate(name, d); });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        if (c.has(name))
            memo->setPlainText(c.text(name));
        else
            c.setText(name, memo->toPlainText());
        connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, name] {
            if (!syncing_) controls_.setText(name, memo->toPlainText());
        });
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        if (c.has(name))
            l->setText(c.text(name));
        else
            c.setText(name, l->text());
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        const bool known = c.has(name);
        if (!known) c.setText(name, b->text());
        // A switch on a tool bar keeps its state like a check box.
        if (b->isCheckable()) {
            if (known)
                b->setChecked(c.checked(name));
            else
                c.setChecked(name, b->isChecked());
            connect(b, &QAbstractButton::toggled, this,
                    [this, name](bool on) { controls_.setChecked(name, on); });
        }
    }
    if (explicitlyHidden(w)) c.setVisible(name, false);
    if (!w->isEnabled()) c.setEnabled(name, false);
}

void ControlBinding::apply(const QString& name, int propertyValue) {
    QWidget* w = bound_.value(name);
    if (!w) return;
    const Controls& c = controls_;
    syncing_ = true;
    switch (static_cast<Controls::Property>(propertyValue)) {
    case Controls::Property::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (edit->text() != c.text(name)) edit->setText(c.text(name));
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            l->setText(c.text(name));
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
            if (memo->toPlainText() != c.text(name)) memo->setPlainText(c.text(name));
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            b->setText(c.text(name));
        }
        break;
    case Controls::Property::Checked:
        if (auto* box = qobject_cast<QAbstractButton*>(w)) box->setChecked(c.checked(name));
        break;
    case Controls::Property::Value:
        if (auto* spin = qobject_cast<QSpinBox*>(w)) {
            spin->setValue(c.value(name));
            syncing_ = false;
            // A value outside the spin box's range is clamped; the control state follows what is shown.
            if (spin->value() != c.value(name)) controls_.setValue(name, spin->value());
        }
        break;
    case Controls::Property::Date:
        if (auto* date = qobject_cast<QDateEdit*>(w)) {
            if (c.date(name).isValid()) date->setDate(c.date(name));
            syncing_ = false;
            if (date->date() != c.date(name)) controls_.setDate(name, date->date());
        }
        break;
    case Controls::Property::Red: {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, c.red(name) ? QColor(Qt::red) : QColor(Qt::black));
        w->setPalette(p);
        break;
    }
    case Controls::Property::Enabled:
        w->setEnabled(c.enabled(name));
        break;
    case Controls::Property::Visible:
        if (QAction* a = toolBarAction(w))
            a->setVisible(c.visible(name));
        else
            w->setVisible(c.visible(name));
        break;
    }
    syncing_ = false;
}

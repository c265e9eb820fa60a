#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class Controls;
class QWidget;

// Binds every named widget under a root to its entry in Controls, both ways: what the user types, checks or
// picks is the control state at once, and what an operation writes there is what the widget shows.
// Controls that hold no value of their own yet take the widget's.
class ControlBinding : public QObject {
    Q_OBJECT
public:
    // Only the widgets under root: the dialogs have controls of the same names.
    ControlBinding(Controls& controls, QWidget* root);

    // The widget bound under that name, or nullptr.
    QWidget* widget(const QString& name) const { return bound_.value(name); }
    bool binds(const QString& name) const { return bound_.contains(name); }

private:
    void bind(QWidget* widget);
    // A control's property changed: the widget follows.
    void apply(const QString& name, int property);

    Controls& controls_;
    QHash<QString, QWidget*> bound_;
    bool syncing_ = false; // a widget set from the control state does not write it back
};

#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

// The state of the window's controls, by objectName: texts and captions, check states, spinner
// positions, dates, colours, enabled and visible. The logic reads and writes it; the main window binds
// every widget to it both ways, so what an operation reads is what the user sees.
class Controls : public QObject {
    Q_OBJECT
public:
    enum class Property { Text, Checked, Value, Date, Red, Enabled, Visible };
    Q_ENUM(Property)

    using TextFilter = std::function<QString(const QString&)>;

    bool has(const QString& name) const { return entries_.contains(name); }

    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text);
    // A filter runs on every text written to that control before it is stored (the tip cells' rule).
    void setTextFilter(const QString& name, TextFilter filter);

    bool checked(const QString& name) const;
    void setChecked(const QString& name, bool checked);

    int value(const QString& name) const;
    void setValue(const QString& name, int value);

    QDate date(const QString& name) const;
    void setDate(const QString& name, const QDate& date);

    // Font colour of a label: red, or the default black.
    bool red(const QString& name) const;
    void setRed(const QString& name, bool red);

    // Controls are enabled and visible unless set otherwise.
    bool enabled(const QString& name) const;
    void setEnabled(const QString& name, bool enabled);
    bool visible(const QString& name) const;
    void setVisible(const QString& name, bool visible);

signals:
    void changed(const QString& name, Controls::Property property);

private:
    struct Entry {
        QString text;
        bool checked = false;
        int value = 0;
        QDate date;
        bool red = false;
        bool enabled = true;
        bool visible = true;
        TextFilter filter;
    };
    template <typename T> void set(const QString& name, T Entry::*field, const T& value, Property property);

    QHash<QString, Entry> entries_;
};

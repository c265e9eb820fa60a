#include "platform/Controls.h"

template <typename T>
void Controls::set(const QString& name, T Entry::*field, const T& value, Property property) {
    Entry& e = entries_[name];
    if (e.*field == value) return;
    e.*field = value;
    emit changed(name, property);
}

QString Controls::text(const QString& name) const {
    return entries_.value(name).text;
}

void Controls::setText(const QString& name, const QString& text) {
    const auto it = entries_.constFind(name);
    const QString stored = (it != entries_.constEnd() && it->filter) ? it->filter(text) : text;
    set(name, &Entry::text, stored, Property::Text);
}

void Controls::setTextFilter(const QString& name, TextFilter filter) {
    entries_[name].filter = std::move(filter);
    setText(name, text(name));
}

bool Controls::checked(const QString& name) const {
    return entries_.value(name).checked;
}
void Controls::setChecked(const QString& name, bool checked) {
    set(name, &Entry::checked, checked, Property::Checked);
}

int Controls::value(const QString& name) const {
    return entries_.value(name).value;
}
void Controls::setValue(const QString& name, int value) {
    set(name, &Entry::value, value, Property::Value);
}

QDate Controls::date(const QString& name) const {
    return entries_.value(name).date;
}
void Controls::setDate(const QString& name, const QDate& date) {
    set(name, &Entry::date, date, Property::Date);
}

bool Controls::red(const QString& name) const {
    return entries_.value(name).red;
}
void Controls::setRed(const QString& name, bool red) {
    set(name, &Entry::red, red, Property::Red);
}

bool Controls::enabled(const QString& name) const {
    const auto it = entries_.constFind(name);
    return it == entries_.constEnd() || it->enabled;
}
void Controls::setEnabled(const QString& name, bool enabled) {
    set(name, &Entry::enabled, enabled, Property::Enabled);
}

bool Controls::visible(const QString& name) const {
    const auto it = entries_.constFind(name);
    return it == entries_.constEnd() || it->visible;
}
void Controls::setVisible(const QString& name, bool visible) {
    set(name, &Entry::visible, visible, Property::Visible);
}

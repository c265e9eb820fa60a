#pragma once

#include <QDate>

// Today's date; tests set a fixed day.
class Clock {
public:
    QDate today() const { return fixed_.isValid() ? fixed_ : QDate::currentDate(); }
    void setToday(const QDate& day) { fixed_ = day; }

private:
    QDate fixed_;
};

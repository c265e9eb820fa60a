#include "stats/DrawFilter.h"

#include "platform/Controls.h"
#include "platform/Dates.h"

DrawFilter::DrawFilter(const Controls& controls, const Game& game)
    : fromDate_(dates::toDayNumber(controls.date(QStringLiteral("DateTimePicker2")))), weekdays_{0, 0} {
    for (std::size_t i = 0; i < 2 && i < game.drawDays.size(); ++i)
        if (controls.checked(dayBoxName(int(i)))) weekdays_[i] = game.drawDays[i].weekday;
}

QString DrawFilter::dayBoxName(int index) {
    return index == 0 ? QStringLiteral("CheckBox16") : QStringLiteral("CheckBox17");
}

void DrawFilter::installDefaults(Controls& controls) {
    controls.setDate(QStringLiteral("DateTimePicker2"), dates::earliestDate());
    controls.setChecked(dayBoxName(0), true);
    controls.setChecked(dayBoxName(1), true);
}

bool DrawFilter::passesWeekday(double date) const {
    const int wd = dates::weekday(date);
    return wd != 0 && (wd == weekdays_[0] || wd == weekdays_[1]);
}

bool DrawFilter::passes(const Draw& record) const {
    return record.date >= fromDate_ && passesWeekday(record.date);
}

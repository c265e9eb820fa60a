#include "stats/DrawFilter.h"

#include "platform/Controls.h"
#include "platform/Dates.h"

DrawFilter::DrawFilter(const Controls& controls)
    : fromDate_(dates::toDayNumber(controls.date(QStringLiteral("DateTimePicker2")))),
      saturdays_(controls.checked(QStringLiteral("CheckBox16"))),
      wednesdays_(controls.checked(QStringLiteral("CheckBox17"))) {}

void DrawFilter::installDefaults(Controls& controls) {
    controls.setDate(QStringLiteral("DateTimePicker2"), dates::earliestDate());
    controls.setChecked(QStringLiteral("CheckBox16"), true);
    controls.setChecked(QStringLiteral("CheckBox17"), true);
}

bool DrawFilter::passesWeekday(double date) const {
    const int wd = dates::weekday(date);
    return (saturdays_ && wd == dates::Saturday) || (wednesdays_ && wd == dates::Wednesday);
}

bool DrawFilter::passes(const Draw& record) const {
    return record.date >= fromDate_ && passesWeekday(record.date);
}

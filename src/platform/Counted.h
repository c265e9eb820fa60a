#pragma once

#include <QString>

// German counts with their noun in the right number: "1 Ziehung", "2 Ziehungen", "0 Ziehungen".
inline QString inNumber(qint64 count, const QString& one, const QString& many) {
    return count == 1 ? one : many;
}
inline QString counted(qint64 count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + inNumber(count, one, many);
}

#pragma once

#include <QLocale>
#include <QString>

// German counts with their noun in the right number: "1 Ziehung", "2 Ziehungen", "0 Ziehungen".
inline QString inNumber(qint64 count, const QString& one, const QString& many) {
    return count == 1 ? one : many;
}
inline QString counted(qint64 count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + inNumber(count, one, many);
}

// A small count as a word: "sechs Zahlen", "zwei Sterne"; a larger one in digits.
inline QString inWords(int count) {
    static const char* const words[] = {"null",   "eins", "zwei", "drei", "vier", "fünf", "sechs",
                                        "sieben", "acht", "neun", "zehn", "elf",  "zwölf"};
    return count >= 0 && count < 13 ? QString::fromUtf8(words[count]) : QString::number(count);
}

// An amount of Rappen as francs: "120.00", "1’234.50", "−100.00" (a minus sign); whole Rappen all the way,
// the francs grouped as the locale groups them.
inline QString formatCents(qint64 cents) {
    const QLocale locale;
    const qint64 whole = cents < 0 ? -cents : cents;
    const QString amount = locale.toString(whole / 100) + locale.decimalPoint() +
                           QStringLiteral("%1").arg(whole % 100, 2, 10, QLatin1Char('0'));
    return cents < 0 ? QChar(0x2212) + amount : amount;
}

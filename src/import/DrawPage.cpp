#include "import/DrawPage.h"

#include "platform/Dates.h"

namespace {

constexpr int NumberWindow = 150;

QString notANumber(const QString& text) {
    return QStringLiteral("\"%1\" ist kein gültiger Ganzzahlwert.").arg(text);
}

// Stores the trimmed text as the next slot; false (with the error set) when it does not convert.
bool takeSlot(DrawPageLine& result, const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok) {
        result.kind = DrawPageLine::Kind::Invalid;
        result.error = notANumber(trimmed);
        return false;
    }
    result.values[static_cast<std::size_t>(result.filled++)] = value;
    return true;
}

} // namespace

DrawPageLine parseDrawPageLine(const QString& line, int currentYear, const QLocale& locale) {
    DrawPageLine result;
    if (!line.contains(QLatin1String("Ziehung"))) return result;

    const qsizetype dateEnd = line.indexOf(QLatin1String(":<br>"));
    if (dateEnd < 8) return result;

    // Check the shape of the number list before anything is taken from the line, so that a line that
    // does not fit the eight values changes nothing.
    const qsizetype bold = line.indexOf(QLatin1String("<b>"));
    QString text;
    if (bold >= 0) {
        text = line.mid(bold + 3, NumberWindow);
        qsizetype commas = 0;
        QString rest = text;
        for (qsizetype c = rest.indexOf(QLatin1Char(',')); c >= 0; c = rest.indexOf(QLatin1Char(','))) {
            ++commas;
            rest = rest.mid(c + 2);
        }
        // Five commas, the sixth number, ZZ and SZ fill exactly the eight values; fewer would leave
        // slots of the line before standing, more would overrun them.
        if (commas != 5) return result;
        const qsizetype zz = rest.indexOf(QLatin1String("ZZ:"));
        if (zz < 0 || rest.indexOf(QLatin1String("SZ:"), zz + 3) < 0) return result;
    }

    const QString dateText = line.mid(dateEnd - 8, 8);
    result.date = dates::parseShortDate(dateText, currentYear, locale);
    if (!result.date.isValid()) {
        result.kind = DrawPageLine::Kind::Invalid;
        result.error = QStringLiteral("\"%1\" ist kein gültiges Datum.").arg(dateText);
        return result;
    }
    if (bold < 0) {
        result.kind = DrawPageLine::Kind::DateOnly;
        return result;
    }

    for (qsizetype c = text.indexOf(QLatin1Char(',')); c >= 0; c = text.indexOf(QLatin1Char(','))) {
        if (!takeSlot(result, text.left(c))) return result;
        text = text.mid(c + 2);
    }
    // The sixth number: its first two characters (a one-digit number is followed by a blank).
    if (!takeSlot(result, text.left(2))) return result;
    text = text.mid(text.indexOf(QLatin1String("ZZ:")) + 3);
    // ZZ: up to two characters after the blanks that follow "ZZ:", so that "ZZ: 43" gives 43, not 4.
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isSpace()) ++digits;
    text = text.mid(digits);
    if (!takeSlot(result, text.left(2))) return result;
    text = text.mid(text.indexOf(QLatin1String("SZ:")) + 3);
    const qsizetype tag = text.indexOf(QLatin1Char('<'));
    if (!takeSlot(result, tag >= 0 ? text.left(tag) : text)) return result;

    result.kind = DrawPageLine::Kind::Draw;
    return result;
}

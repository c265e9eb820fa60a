// Feeds arbitrary page text, line by line, to the draw page parser.
#include "import/DrawPage.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Switzerland));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        const DrawPageLine r = parseDrawPageLine(line, 2026);
        if (r.filled < 0 || r.filled > DrawPageLine::Slots) std::abort();
        if (r.kind == DrawPageLine::Kind::Ignored && (r.filled != 0 || r.date.isValid())) std::abort();
        if ((r.kind == DrawPageLine::Kind::Draw || r.kind == DrawPageLine::Kind::DateOnly) &&
            !r.date.isValid())
            std::abort();
        if ((r.kind == DrawPageLine::Kind::Invalid) == r.error.isEmpty()) std::abort();
        if (r.date.isValid() && r.date.year() > 2026) std::abort();
        // A line taken as a draw fills all eight slots; none is left from the line before.
        if (r.kind == DrawPageLine::Kind::Draw && r.filled != DrawPageLine::Slots) std::abort();
    }
    return 0;
}

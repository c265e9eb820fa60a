#pragma once

#include <QString>

// The addresses behind the link labels.
namespace links {
inline constexpr const char* partnerSiteName = "www.lottozahlen-statistik.ch";
inline constexpr const char* partnerPage = "https://www.lottozahlen-statistik.ch/";
inline constexpr const char* makerDownloadPage = "https://www.tolbrand.de/ziehbox/download.html";
inline constexpr const char* operatorHomePage = "https://www.swisslos.ch/";
inline constexpr const char* operatorSiteName = "www.swisslos.ch";

// "abc" becomes "a b c": the banner writes the address letter by letter.
inline QString spacedOut(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0) out += QLatin1Char(' ');
        out += text[i];
    }
    return out;
}
} // namespace links

#pragma once

// The web pages the import reads; the app hands them in, tests use their own.
namespace importaddresses {

// The page announcing the latest draws, parsed by the download of "Zahlen der letzten Ziehung".
inline constexpr const char* DrawPage = "http://www.swisslos.ch/content/d/homepage/";
// The public list of the draws of "6 aus 42", kept up to date by its owner after every draw (from 25.06.2025
// on, both weekdays, in date order): the address "Aktualisieren" reads unless the user gives another.
inline constexpr const char* DrawList42 =
    "https://raw.githubusercontent.com/braamane/lotto/main/swisslotto_diff.csv";
// The public list of the quotas of "6 aus 42", newest first.
inline constexpr const char* QuotaList42 = "https://raw.githubusercontent.com/NicolasRamosaj/"
                                           "swiss_lotto_analyser/main/data/swisslotto_2013_2024.csv";
// The public list of the draws of EuroMillions, of the same owner and layout.
inline constexpr const char* DrawListEM =
    "https://raw.githubusercontent.com/braamane/lotto/main/euromillions_diff.csv";
// The operator's statistics page with the search form for one draw date.
inline constexpr const char* StatisticsPage =
    "https://www.swisslos.ch/swisslotto/statistiken/currentnumberspagefilter.do";

} // namespace importaddresses

#pragma once

// The web pages the import reads; the app hands them in, tests use their own.
namespace importaddresses {

// The page announcing the latest draws, parsed by the download of "Zahlen der letzten Ziehung".
inline constexpr const char* DrawPage = "http://www.swisslos.ch/content/d/homepage/";
// The operator's statistics page with the search form for one draw date.
inline constexpr const char* StatisticsPage =
    "https://www.swisslos.ch/swisslotto/statistiken/currentnumberspagefilter.do";

} // namespace importaddresses

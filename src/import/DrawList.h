#pragma once

#include <functional>

class HttpClient;
struct Session;

// The list of draws a game without the operator's pages ("6 aus 42", EuroMillions) is kept up to date from:
// a file at the address the user gives on page "Internet-Optionen" (the game's edit, URL42Edit), in any
// layout "Import aus Text" reads.
namespace drawlist {

// "Aktualisieren" for such a game: downloads the list through the program's HTTP client (the proxy, time
// limit and redirects of the other downloads, at most the import's 50 MB) with its progress in the status
// bar and an "Abbrechen" while it loads, and hands the text to the import's own read, ask and store steps,
// the address in place of a file name. An empty address, an empty body or a web page instead of a list say so
// and change nothing; a list that brings nothing new says "Keine neuen Ziehungen.". showNewest puts the
// newest draw on display.
void update(Session& session, HttpClient& http, const std::function<void()>& showNewest);

} // namespace drawlist

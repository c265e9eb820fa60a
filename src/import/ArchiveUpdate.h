#pragma once

#include <QDate>

#include <functional>

class Controls;
class HttpClient;
class StatisticsBrowser;
struct Session;

// The draw date the update asks for after `day`: a Wednesday is followed by the Saturday 3 days later,
// every other day by the day 4 days later (a Saturday by the next Wednesday; any other weekday reaches
// a draw day within a few such steps).
QDate nextRequestDate(const QDate& day);

// "Datenbank aktualisieren" (BitBtn1, SpeedButton10): asks the statistics page for every draw date
// after the newest stored draw (or after DateTimePicker1 for an empty archive) up to today, and appends
// the draws found. Stops before the next date once SpeedButton8 is hidden, and at once when the user
// closes the browser window. However the run ends, the archive is closed and the buttons are restored;
// a failure (archive not writable, a draw that does not read, a page that does not load within the
// limit or cannot be read) is thrown as AppError after that, with the records appended so far kept.
void updateArchive(Session& session, StatisticsBrowser& browser);
// "Datenbank neu anlegen" (BitBtn2): after a yes to the question, reads every draw date after
// DateTimePicker1 up to today into a new archive built aside, which replaces the old one in one atomic
// step only when the run has reached today. Stopped or failed, the old archive stays as it was and a
// message says so.
void rebuildArchive(Session& session, StatisticsBrowser& browser);
// "Aktualisieren" (BitBtn1, SpeedButton10) of the current game: the operator's pages for a game that has
// them (updateArchive), its list of draws for one that has that (drawlist::update).
void updateDraws(Session& session, StatisticsBrowser& browser, HttpClient& http,
                 const std::function<void()>& showNewest);
// SpeedButton8: the request to stop a running update before its next date.
void requestUpdateStop(Controls& controls);

#include "import/LatestDraws.h"
#include "ImportFixture.h"
#include "import/DrawList.h"
#include "import/ImportedDraws.h"
#include "platform/AppError.h"
#include "platform/Dates.h"
#include "platform/HttpClient.h"
#include "support/TestHttpServer.h"

#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <deque>
#include <gtest/gtest.h>

namespace {

QString str(const char* text) {
    return QString::fromUtf8(text);
}

const QByteArray DrawPage =
    "<html><body>\r\n"
    "<h1>Lotto</h1>\r\n"
    "<td>Ziehung vom Mittwoch, 02.10.02:<br></td><td><b>1, 8, 15, 22, 29, 36 ZZ: 43 SZ: 2</b>\r\n"
    "<td>Ziehung vom Samstag, 05.10.02:<br></td><td><b>3, 12, 17, 25, 33, 41 ZZ: 7 SZ: 4</b>\r\n"
    "</body></html>\r\n";

const char* const WednesdayResults[] = {"Label22", "Label23", "Label24", "Label25", "Label26", "Label27"};
const char* const SaturdayResults[] = {"Label15", "Label16", "Label17", "Label18", "Label19", "Label20"};

class LatestDrawsTest : public ::testing::Test {
protected:
    LatestDrawsTest() {
        f.controls.setText(QStringLiteral("URLEdit"), server.url(QStringLiteral("/content/d/homepage/")));
        http.setSilenceTimeout(std::chrono::milliseconds(2000));
        for (const char* label :
             {"Label3", "Label1", "Label6", "Label7", "Label5", "Label2", "Label9", "Label8"})
            f.controls.setText(QString::fromLatin1(label), QStringLiteral("datum"));
    }
    QString text(const char* name) const { return f.controls.text(QString::fromLatin1(name)); }

    ImportFixture f;
    TestHttpServer server;
    QtHttpClient http;
};

TEST_F(LatestDrawsTest, ShowsBothDrawsAndChecksTheTips) {
    server.route("/content/d/homepage/", TestHttpServer::Response::html(DrawPage));
    f.setTip(0, {3, 12, 17, 1, 2, 4});     // Saturday: 3 hits
    f.setTip(1, {1, 8, 7, 40, 41, 42});    // Wednesday: 2 hits; Saturday: 1 hit + ZZ
    f.setTip(2, {36, 29, 22, 15, 8, 1});   // Wednesday: 6 hits
    f.setTip(5, {43, 44, 45, 10, 11, 13}); // Wednesday: ZZ only

    loadLatestDraws(f.session, http);

    EXPECT_EQ(f.ui.statusHistory[0], QStringList({QStringLiteral("Loading"),
                                                  QStringLiteral("Received %1 bytes").arg(DrawPage.size())}));
    EXPECT_EQ(f.dir.readFile(QStringLiteral("Lotto.html")), DrawPage);
    EXPECT_TRUE(f.controls.enabled(QStringLiteral("Button1")));

    EXPECT_EQ(text("Label3"), QStringLiteral("02.10.2002"));
    EXPECT_EQ(text("Label1"), QStringLiteral("1  8  15  22  29  36"));
    EXPECT_EQ(text("Label6"), QStringLiteral("ZZ: 43"));
    EXPECT_EQ(text("Label7"), QStringLiteral("SZ: 2"));
    EXPECT_EQ(text("Label5"), QStringLiteral("05.10.2002"));
    EXPECT_EQ(text("Label2"), QStringLiteral("3  12  17  25  33  41"));
    EXPECT_EQ(text("Label9"), QStringLiteral("ZZ: 7"));
    EXPECT_EQ(text("Label8"), QStringLiteral("SZ: 4"));

    // The CurrentDraw holds the last matching line.
    EXPECT_EQ(f.state.currentDraw, makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4));

    const struct {
        int row;
        QString wednesday, saturday;
        bool wednesdayRed, saturdayRed;
    } hits[] = {
        {0, "1", "3", false, true},      {1, "2", "1 + Z", false, false}, {2, "6", "0", true, false},
        {5, "0 + Z", "0", false, false}, {3, "0", "0", false, false},
    };
    for (const auto& h : hits) {
        SCOPED_TRACE(h.row);
        EXPECT_EQ(text(WednesdayResults[h.row]), h.wednesday);
        EXPECT_EQ(text(SaturdayResults[h.row]), h.saturday);
        EXPECT_EQ(f.controls.red(QString::fromLatin1(WednesdayResults[h.row])), h.wednesdayRed);
        EXPECT_EQ(f.controls.red(QString::fromLatin1(SaturdayResults[h.row])), h.saturdayRed);
    }
    // The request carried the client's own agent and accept headers.
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0].headers.value("user-agent"), QByteArray("Mozilla/3.0 (compatible)"));
    EXPECT_EQ(server.requests[0].headers.value("accept"),
              QByteArray("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"));
}

TEST_F(LatestDrawsTest, PageShapesThatChangeNoLabel) {
    const struct {
        const char* name;
        QByteArray page;
        double date; // of the CurrentDraw afterwards
    } cases[] = {
        {"Sunday line sets the Draw only", "Ziehung 06.10.02:<br><b>4, 5, 6, 7, 8, 9 ZZ: 10 SZ: 1</b>\n",
         dates::toDayNumber(QDate(2002, 10, 6))},
        {"no Ziehung line", "<html><b>4, 5, 6, 7, 8, 9 ZZ: 10 SZ: 1</b> 05.10.02:<br></html>\n", 0},
        {"broken lines",
         "Ziehung:<br>\nZiehung 05.10.02:<br><b>1, 2, 3, 4, 5, 6, 7, 8, 9, 10 ZZ: 1 SZ: 2\nZiehung\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.route("/content/d/homepage/", TestHttpServer::Response::html(c.page));
        f.state.currentDraw.date = 12345;
        loadLatestDraws(f.session, http);
        EXPECT_EQ(f.state.currentDraw.date, c.date);
        for (const char* label :
             {"Label3", "Label1", "Label6", "Label7", "Label5", "Label2", "Label9", "Label8"})
            EXPECT_EQ(text(label), QStringLiteral("datum")) << label;
        EXPECT_EQ(text("Label15"), QString());
        EXPECT_TRUE(f.ui.errors.isEmpty());
    }
}

TEST_F(LatestDrawsTest, HttpFailureShowsOnlyInTheStatusAndTheBodyIsStillParsed) {
    TestHttpServer::Response notFound = TestHttpServer::Response::error(404, "Not Found");
    notFound.chunks = {"Ziehung 05.10.02:<br><b>3, 12, 17, 25, 33, 41 ZZ: 7 SZ: 4</b>\n"};
    server.route("/content/d/homepage/", notFound);
    loadLatestDraws(f.session, http);
    EXPECT_EQ(f.ui.status(0), QStringLiteral("Failed : 404 Not Found"));
    EXPECT_EQ(text("Label2"), QStringLiteral("3  12  17  25  33  41"));
    EXPECT_TRUE(f.controls.enabled(QStringLiteral("Button1")));

    server.route("/content/d/homepage/", TestHttpServer::Response::error(503, "Service Unavailable"));
    loadLatestDraws(f.session, http);
    EXPECT_EQ(f.ui.status(0), QStringLiteral("Failed : 503 Service Unavailable"));
    EXPECT_EQ(text("Label2"), QStringLiteral("3  12  17  25  33  41")); // labels keep their texts
}

TEST_F(LatestDrawsTest, ConversionFailureEndsTheParseWithWhatCameBeforeShown) {
    server.route("/content/d/homepage/", TestHttpServer::Response::html(
                                             "Ziehung 02.10.02:<br><b>1, 8, 15, 22, 29, 36 ZZ: 43 SZ: 2</b>\n"
                                             "Ziehung 05.10.02:<br><b>3, 12, x, 25, 33, 41 ZZ: 7 SZ: 4</b>\n"
                                             "Ziehung 09.10.02:<br><b>1, 2, 3, 4, 5, 6 ZZ: 7 SZ: 8</b>\n"));
    try {
        loadLatestDraws(f.session, http);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("\"x\" ist kein gültiger Ganzzahlwert."));
    }
    EXPECT_EQ(text("Label1"), QStringLiteral("1  8  15  22  29  36"));
    EXPECT_EQ(text("Label3"), QStringLiteral("02.10.2002")); // the line after the failure is not read
    EXPECT_EQ(f.state.currentDraw.date, dates::toDayNumber(QDate(2002, 10, 5)));
    EXPECT_TRUE(f.controls.enabled(QStringLiteral("Button1")));
}

TEST_F(LatestDrawsTest, UnreachableHostIsAnErrorAfterTheOldFileIsEmptied) {
    f.dir.writeFile(QStringLiteral("Lotto.html"),
                    "Ziehung 05.10.02:<br><b>3, 12, 17, 25, 33, 41 ZZ: 7 SZ: 4</b>\n");
    // A port nobody listens on: take a free one and close it again.
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    f.controls.setText(QStringLiteral("URLEdit"), QStringLiteral("http://127.0.0.1:%1/").arg(port));
    EXPECT_THROW(loadLatestDraws(f.session, http), AppError);
    EXPECT_EQ(f.ui.status(0), QStringLiteral("Loading"));
    EXPECT_TRUE(f.controls.enabled(QStringLiteral("Button1")));
    EXPECT_EQ(f.dir.readFile(QStringLiteral("Lotto.html")), QByteArray());
    EXPECT_EQ(text("Label5"), QStringLiteral("datum"));
}

TEST_F(LatestDrawsTest, DownloadFileThatCannotBeCreatedChangesNothing) {
    server.route("/content/d/homepage/", TestHttpServer::Response::html(DrawPage));
    f.state.currentDraw.date = 777;
    // The archive as the download file would be emptied by it: refused like a file that cannot be made.
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    const QByteArray archive = f.dir.readFile(QStringLiteral("ZahlenCH.dat"));
    for (const QString& name :
         {QString(), f.dir.file(QStringLiteral("no/such/dir/Lotto.html")), f.dir.archivePath()}) {
        SCOPED_TRACE(name.toStdString());
        f.controls.setText(QStringLiteral("FileNameEdit"), name);
        EXPECT_THROW(loadLatestDraws(f.session, http), AppError);
        EXPECT_TRUE(server.requests.isEmpty());
        EXPECT_TRUE(f.ui.statusHistory[0].isEmpty());
        EXPECT_TRUE(f.controls.enabled(QStringLiteral("Button1")));
        EXPECT_EQ(f.state.currentDraw.date, 777);
    }
    EXPECT_EQ(f.dir.readFile(QStringLiteral("ZahlenCH.dat")), archive);
}

TEST_F(LatestDrawsTest, ButtonIsDisabledWhileTheTransferRuns) {
    TestHttpServer::Response slow = TestHttpServer::Response::html("<html>");
    slow.chunks << "</html>";
    slow.chunkDelayMs = 100;
    bool disabledMeanwhile = false;
    slow.beforePiece = [&](int) { disabledMeanwhile = !f.controls.enabled(QStringLiteral("Button1")); };
    server.route("/content/d/homepage/", slow);
    loadLatestDraws(f.session, http);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(f.controls.enabled(QStringLiteral("Button1")));
}

} // namespace

// "Aktualisieren" of "6 aus 42": the list of draws at the address of URL42Edit, in the layouts the import
// reads, through its questions; what is not a list, or cannot be had, changes nothing.
TEST_F(LatestDrawsTest, TheListOf6Aus42BringsItsNewDraws) {
    const auto records = shippedDraws(Game::sixOf42());
    const std::vector<Draw> stored(records.end() - 2, records.end()); // up to 31.12.2025
    auto withNew = stored;
    withNew.insert(withNew.end(), {makeDraw(QDate(2026, 1, 3), {2, 9, 17, 22, 30, 41}, 5),
                                   makeDraw(QDate(2026, 1, 7), {4, 8, 15, 16, 23, 42}, 1)});
    const QByteArray fields =
        "Datum;Zahlen;Glückszahl\n31.12.2025;1;11;23;37;39;40;6\n03.01.2026;2;9;17;22;30;41;5\n"
        "07.01.2026;4;8;15;16;23;42;1\n";
    // A list as large as the public one (140 KB): every draw of the record and the two new ones, in its
    // layout.
    QByteArray whole = "id,datum,system,jahr,wochentag,ziehungszahlen,sonderzahlen,erstellt_am\n";
    std::vector<Draw> all = records;
    all.insert(all.end(), withNew.end() - 2, withNew.end());
    for (const Draw& d : all) {
        const QDate day = dates::fromDayNumber(d.date);
        QStringList six;
        for (const int n : d.numbers) six << QString::number(n);
        whole += QStringLiteral("x%1,%2,swisslotto,%3,%4,\"[%5]\",[%6],%2 02:45:01.123\n")
                     .arg(whole.size())
                     .arg(day.toString(Qt::ISODate))
                     .arg(day.year())
                     .arg(QLocale::c().dayName(day.dayOfWeek()), six.join(QStringLiteral(", ")))
                     .arg(d.extras[0])
                     .toLatin1();
    }
    const QString url = server.url(QStringLiteral("/ziehungen.csv"));
    // Over HTTPS: a server whose certificate, made for this run, is trusted for it, and one whose is not.
    const auto [certificate, key] = makeLocalCertificate();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(certificate);
    tls.setPrivateKey(key);
    TestHttpServer secure(tls);
    const auto [otherCertificate, otherKey] = makeLocalCertificate();
    tls.setLocalCertificate(otherCertificate);
    tls.setPrivateKey(otherKey);
    TestHttpServer untrusted(tls);
    const QSslConfiguration trustedBefore = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = trustedBefore;
    trusting.addCaCertificate(certificate);
    QSslConfiguration::setDefaultConfiguration(trusting);
    const QString secureUrl = secure.url(QStringLiteral("/ziehungen.csv"));
    const QString proxied = QStringLiteral("http://ziehungen.test/ziehungen.csv");
    const QString taken =
        str("Import abgeschlossen: 2 neue Ziehungen, 0 ersetzt, 1 unverändert, 0 Zeilen übersprungen.");
    using R = TestHttpServer::Response;
    // A list that trickles past the overall limit, and one that never ends until "Abbrechen".
    R trickle = R::html(fields);
    trickle.chunks = {"Datum;", "Zahlen;", "Glückszahl\n", "31.12.2025;1;11;23;37;39;40;6\n"};
    trickle.chunkDelayMs = 200;
    R endless = trickle;
    endless.neverEnd = true;
    const struct {
        QString address;
        R response;
        bool no; // the answer to a question
        std::vector<Draw> archive;
        QString message; // the report or the error
        const char* question;
        bool cancel = false; // "Abbrechen" while it loads
    } cases[] = {
        // clang-format off
        {url, R::html(fields), false, withNew, taken, nullptr},
        {secureUrl, R::html(fields), false, withNew, taken, nullptr},
        {untrusted.url(QStringLiteral("/ziehungen.csv")), R::html(fields), false, stored,
         str("Die sichere Verbindung (TLS) zu \"127.0.0.1\" ist fehlgeschlagen."), nullptr},
        {url, R::html("#,Numbers,,Lucky\n2025-12-31,\"[1, 11, 23, 37, 39, 40]\",,6\n2026-01-03,\"[2, 9, 17, 22, 30, 41]\",,5\n"
                      "2026-01-07,\"[4, 8, 15, 16, 23, 42]\",,1\n"), false, withNew, taken, nullptr},
        {proxied, R::html("31.12.2025;\"{1,11,23,37,39,40}\";6\r\n03.01.2026;\"{2,9,17,22,30,41}\";5\r\n"
                          "07.01.2026;\"{4,8,15,16,23,42}\";1\r\n"), false, withNew, taken, nullptr},
        {url, R::html(fields + "08.01.2026;4;8;15;16;23;42;1\n"), true, withNew,
         str("Import abgeschlossen: 2 neue Ziehungen, 0 ersetzt, 1 unverändert, 1 Zeile übersprungen.\n\n%1, Zeile 5: "
             "kein Ziehungstag").arg(url),
         "1 Zeile ist auf einen Tag ohne Ziehung datiert (Donnerstag, 08.01.2026); keine Statistik zählt sie. Soll sie "
         "trotzdem übernommen werden?"},
        {url, R::html("31.12.2025;1;11;23;37;39;41;6\n"), true, stored, str("Keine neuen Ziehungen."),
         "1 Ziehung weicht von der gespeicherten ab. Soll sie ersetzt werden?"},
        {QString(), {}, false, stored,
         str("Bitte tragen Sie auf der Seite „Internet-Optionen“ die Adresse einer Ziehungsliste von 6 aus 42 ein."), nullptr},
        {str("http://nirgends.invalid/liste.csv"), {}, false, stored,
         str("Der Server \"nirgends.invalid\" wurde nicht gefunden. Besteht eine Verbindung zum Internet?"), nullptr},
        {url, R::error(404, "Not Found"), false, stored,
         str("Die Ziehungsliste \"%1\" konnte nicht geladen werden: Der Server meldet den Fehler 404.").arg(url), nullptr},
        {url, R::html("<!DOCTYPE html>\n<html><body>Wartung</body></html>"), false, stored,
         str("Unter der Adresse \"%1\" steht eine Webseite, keine Ziehungsliste. Es wurde nichts übernommen.").arg(url),
         nullptr},
        {url, trickle, false, stored,
         str("Die Seite \"%1\" war nach 0.4 Sekunden nicht ganz geladen; das Laden wurde abgebrochen.").arg(url), nullptr},
        {url, endless, false, stored, {}, nullptr, true},
        // The public list's layout, with a page read twice: 03.01.2026 repeats the stored 31.12.2025.
        {url, R::html("id,datum,system,jahr,wochentag,ziehungszahlen,sonderzahlen,erstellt_am\n"
                      "x1,2026-01-03,swisslotto,2026,Saturday,\"[1, 11, 23, 37, 39, 40]\",[6],2026-01-04 02:45:01.1\n"
                      "x2,2026-01-07,swisslotto,2026,Wednesday,\"[4, 8, 15, 16, 23, 42]\",[1],2026-01-08 02:45:01.1\n"),
         true, {stored[0], stored[1], withNew[3]},
         str("Import abgeschlossen: 1 neue Ziehung, 0 ersetzt, 0 unverändert, 1 Zeile übersprungen.\n\n%1, Zeile 2: "
             "wiederholt die Ziehung vom 31.12.2025").arg(url),
         "1 Ziehung wiederholt genau die Ziehung des vorigen Ziehungstags (Samstag, 03.01.2026 wie Mittwoch, 31.12.2025); "
         "das ist fast immer ein Fehler der Liste. Soll sie trotzdem übernommen werden?"},
        {url, R::html(whole), false, all,
         str("Import abgeschlossen: 1354 neue Ziehungen, 0 ersetzt, 2 unverändert, 0 Zeilen übersprungen."), nullptr},
        {url, R::html(QByteArray(importlimits::MaxBytes + 1, '1')), false, stored,
         str("Die Datei \"%1\" ist größer als 50 MB und wird nicht eingelesen.").arg(url), nullptr},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        ImportFixture env(QDate(2026, 12, 8));
        env.state.game = &Game::sixOf42();
        env.dir.writeArchive(stored, QStringLiteral("Zahlen42.dat"));
        env.controls.setText(QStringLiteral("URL42Edit"), c.address);
        // The host of the proxied list is known to the proxy only: the tests' server.
        if (c.address == proxied)
            env.controls.setText(QStringLiteral("ProxyHostEdit"), QStringLiteral("127.0.0.1"));
        env.controls.setText(QStringLiteral("ProxyPortEdit"), QString::number(server.port()));
        for (TestHttpServer* s : {&server, &secure, &untrusted}) s->route("/ziehungen.csv", c.response);
        // The overall limit is met by the list that trickles only: 50 MB take longer than that under the
        // sanitizers, and the limit of a list too large is what that row is about.
        http.setOverallTimeout(c.response.chunkDelayMs > 0 ? std::chrono::milliseconds(400)
                                                           : std::chrono::seconds(60));
        env.ui.questionAnswers = {!c.no};
        if (c.cancel)
            env.ui.cancelWhen = [&env] { return env.ui.statusTexts[1].contains(QStringLiteral("geladen")); };
        int shown = 0;
        QString error;
        try {
            drawlist::update(env.session, http, [&shown] { ++shown; });
        } catch (const AppError& e) {
            error = e.message();
        }
        EXPECT_EQ(error.isEmpty() ? env.ui.messages.value(0) : error, c.message);
        EXPECT_EQ(env.ui.questions, c.question ? QStringList{str(c.question)} : QStringList());
        EXPECT_EQ(env.dir.readArchive(QStringLiteral("Zahlen42.dat")), c.archive);
        EXPECT_EQ(shown, error.isEmpty() && !c.address.isEmpty() && !c.cancel ? 1 : 0);
        // The status of the download goes at every end; a cancelled one says so.
        EXPECT_EQ(env.ui.statusTexts[1],
                  c.cancel ? str("Das Laden der Ziehungsliste wurde abgebrochen.") : QString());
        EXPECT_FALSE(env.ui.cancelOffered);
    }
    QSslConfiguration::setDefaultConfiguration(trustedBefore);
}

// "Aktualisieren" of EuroMillions: its public list at the address of URLEMEdit, five numbers and two stars
// as lists; a repeat of the draw day before is asked about as for "6 aus 42".
TEST_F(LatestDrawsTest, TheListOfEuroMillionsBringsItsNewDraws) {
    const Game& em = Game::euroMillions();
    std::vector<Draw> stored{shippedDraws(em).back()}; // 30.12.2025
    server.route(
        "/euromillions.csv",
        TestHttpServer::Response::html(
            "id,datum,system,jahr,wochentag,ziehungszahlen,sonderzahlen,erstellt_am\n"
            "e1,2025-12-30,euromillions,2025,Tuesday,\"[11, 26, 29, 34, 44]\",\"[1, 10]\",2025-12-31\n"
            "e2,2026-01-02,euromillions,2026,Friday,\"[11, 26, 29, 34, 44]\",\"[1, 10]\",2026-01-03\n"
            "e3,2026-01-06,euromillions,2026,Tuesday,\"[6, 7, 23, 32, 36]\",\"[11, 12]\",2026-01-07\n"));
    ImportFixture env(QDate(2026, 12, 8));
    env.state.game = &em;
    env.dir.writeArchive(stored, em.archiveFile);
    env.controls.setText(em.drawListEdit, server.url(QStringLiteral("/euromillions.csv")));
    drawlist::update(env.session, http, [] {});
    EXPECT_TRUE(
        env.ui.questions.value(0).startsWith(str("1 Ziehung wiederholt genau die Ziehung des vorigen")));
    EXPECT_TRUE(env.ui.messages.value(0).startsWith(
        str("Import abgeschlossen: 1 neue Ziehung, 0 ersetzt, 1 unverändert, 1 Zeile übersprungen.")));
    Draw newest = makeDraw(QDate(2026, 1, 6), {6, 7, 23, 32, 36});
    newest.extras = {11, 12};
    EXPECT_EQ(env.dir.readArchive(em.archiveFile), (std::vector<Draw>{stored[0], newest}));
}

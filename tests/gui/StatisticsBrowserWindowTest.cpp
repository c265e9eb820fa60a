// The real browser engine, offscreen, against pages of the tests' own server.
#include "gui/StatisticsBrowserWindow.h"
#include "gui/BrowserView.h"
#include "import/ArchiveUpdate.h"
#include "import/DrawEntry.h"
#include "import/ImportFixture.h"
#include "import/TextImport.h"
#include "platform/AppError.h"
#include "support/TestHttpServer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>
#include <unistd.h>

namespace {

using Response = TestHttpServer::Response;

const QByteArray SearchPath = "/swisslotto/statistiken/currentnumberspagefilter.do";

const QByteArray SearchPage = R"(<html><head><title>Statistik</title></head><body>
<iframe src="/frame"></iframe>
<form name="StatisticForm" method="post" action="/swisslotto/statistiken/result.do">
<input type="text" name="filterDate" value="01.01.1999">
<input type="submit" name="submit" value="Suchen">
</form></body></html>)";

// The result page answers the date sent; it has a draw only for the dates in `draws`. onResult sees
// every date asked for as its request arrives.
void serveStatistics(TestHttpServer& server, std::map<QByteArray, QByteArray> draws = {},
                     std::function<void(const QByteArray&)> onResult = {}) {
    server.route(SearchPath, Response::html(SearchPage));
    server.route("/frame", Response::html("<html><body>Rahmen</body></html>"));
    server.route("/swisslotto/statistiken/result.do", [draws,
                                                       onResult](const TestHttpServer::Request& request) {
        const QByteArray date = request.formValue("filterDate");
        if (onResult) onResult(date);
        QByteArray body = "<html><body><h1>Ziehung vom " + date + "</h1>\n";
        const auto draw = draws.find(date);
        if (draw != draws.end())
            body +=
                "<script>\nwindow.dataLayer = [{}];\nwindow.dataLayer[0][\"extSpiel\"] = \"swisslotto\";\n"
                "window.dataLayer[0][\"extZahlen\"] = \"" +
                draw->second + "\";\n</script>\n";
        return Response::html(body + "</body></html>");
    });
}

// Shows the window modally, but never longer than the bound; false when the bound ended it.
bool showWithin(StatisticsBrowserWindow& window, int ms) {
    bool timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &window, [&] {
        timedOut = true;
        window.reject();
    });
    guard.start(ms);
    window.showModal();
    return !timedOut;
}

// A port on which nothing listens.
quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // closed again when the probe goes
}

class StatisticsBrowserWindowTest : public ::testing::Test {
protected:
    StatisticsBrowserWindowTest() : window(QUrl(server.url(QString::fromLatin1(SearchPath)))) {}

    ImportFixture f;
    TestHttpServer server;
    StatisticsBrowserWindow window;
};

TEST_F(StatisticsBrowserWindowTest, FillsSubmitsAndClosesOncePerPage) {
    serveStatistics(server, {{"05.10.2002", "3,12,17,25,33,41,7"}});
    EXPECT_EQ(window.objectName(), QStringLiteral("TForm6"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Rudazevovor werden eingelesen"));
    EXPECT_EQ(window.size(), QSize(870, 500));
    EXPECT_EQ(window.browser(), nullptr); // no engine before the first use

    window.setFilterDateText(QStringLiteral("05.10.2002"));
    window.start();
    ASSERT_NE(window.browser(), nullptr);
    EXPECT_EQ(window.browser()->objectName(), QStringLiteral("WebBrowser11"));
    EXPECT_TRUE(window.submitPending());

    ASSERT_TRUE(showWithin(window, 20000)) << "the search page did not close the window";
    EXPECT_FALSE(window.submitPending());
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(showWithin(window, 20000)) << "the result page did not close the window";

    const auto posts = std::count_if(server.requests.begin(), server.requests.end(),
                                     [](const auto& r) { return r.method == "POST"; });
    ASSERT_EQ(posts, 1);
    // While the run waits for the body, what the user types waits too: a key from the window system, queued
    // as the platform queues it.
    QLineEdit typed;
    typed.show();
    typed.activateWindow();
    QApplication::setActiveWindow(&typed);
    typed.setFocus();
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
        typed.windowHandle(), QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    const QString body = window.bodyHtml().value_or(QString());
    EXPECT_EQ(typed.text(), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(typed.text(), QStringLiteral("x"));
    EXPECT_TRUE(body.contains(QStringLiteral("Ziehung vom 05.10.2002"))) << body.toStdString();
    EXPECT_TRUE(body.contains(QStringLiteral("\"extSpiel\"] = \"swisslotto\";"))) << body.toStdString();
    EXPECT_TRUE(f.ui.errors.isEmpty());
}

TEST_F(StatisticsBrowserWindowTest, EmptyDateIsSentAsIs) {
    serveStatistics(server);
    window.start();
    ASSERT_TRUE(showWithin(window, 20000));
    ASSERT_TRUE(showWithin(window, 20000));
    // The engine may still ask for a favicon after the form: look for the form's request itself.
    const auto post = std::find_if(server.requests.begin(), server.requests.end(),
                                   [](const auto& r) { return r.method == "POST"; });
    ASSERT_NE(post, server.requests.end());
    EXPECT_EQ(post->formValue("filterDate"), QByteArray());
    EXPECT_TRUE(window.bodyHtml().value_or(QString()).contains(QStringLiteral("Ziehung vom </h1>")));
}

// A page without the search form, or one that cannot be loaded at all (an unknown host, a refused
// connection), ends the run at once with one message that says why, and stores nothing.
TEST_F(StatisticsBrowserWindowTest, APageThatCannotServeEndsTheRunAtOnceWithOneMessage) {
    // page: served as the search page; empty: the address is asked for instead
    // clang-format off
    const struct { const char* name; QByteArray page; QString address, error; } cases[] = {
        {"no form", "<html><body><form name=\"Other\"><input name=\"filterDate\"></form></body></html>", {},
         QStringLiteral("Die Seite enthält kein Formular \"StatisticForm\". Das Einlesen wurde beendet.")},
        {"no field", "<html><body><form name=\"StatisticForm\"><input name=\"date\"></form></body></html>", {},
         QStringLiteral("Das Formular \"StatisticForm\" enthält kein Feld \"filterDate\". Das Einlesen wurde beendet.")},
        {"unknown host", {}, QStringLiteral("http://lotto.invalid/statistik"),
         QStringLiteral("Die Seite für den 09.10.2002 konnte nicht geladen werden. Der Server \"lotto.invalid\" wurde nicht "
                        "gefunden. Besteht eine Verbindung zum Internet? Das Einlesen wurde beendet.")},
        {"connection refused", {}, QStringLiteral("http://127.0.0.1:%1/statistik"),
         QStringLiteral("Die Seite für den 09.10.2002 konnte nicht geladen werden. Der Server \"127.0.0.1\" hat die "
                        "Verbindung abgelehnt. Das Einlesen wurde beendet.")},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.ui.errors.clear();
        f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
        const QByteArray before = f.dir.readFile(QStringLiteral("ZahlenCH.dat"));
        if (c.page.isEmpty())
            window.setStatisticsPage(
                QUrl(c.address.contains(QLatin1String("%1")) ? c.address.arg(closedPort()) : c.address));
        else {
            window.setStatisticsPage(QUrl(server.url(QString::fromLatin1(SearchPath))));
            server.route(SearchPath, Response::html(c.page));
        }
        QElapsedTimer clock;
        clock.start();
        QString error;
        try {
            updateArchive(f.session, window);
        } catch (const AppError& e) {
            error = e.message();
        }
        EXPECT_LT(clock.elapsed(), 20000); // at once, not at the page load limit
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(f.ui.errors.isEmpty()); // the window itself says nothing: one message
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(f.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
    }
}

TEST_F(StatisticsBrowserWindowTest, UpdateRunThroughTheRealBrowser) {
    serveStatistics(server, {{"09.10.2002", "9,19,29,39,44,45,1"}});
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    // A window that does not close within the bound fails the test instead of hanging it.
    bool stuck = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, &window, [&] {
        if (window.isVisible()) {
            stuck = true;
            window.reject();
        }
    });
    guard.start(20000);
    updateArchive(f.session, window);
    EXPECT_FALSE(stuck);
    const auto records = f.dir.readArchive();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], makeDraw(QDate(2002, 10, 9), {9, 19, 29, 39, 44, 45}, 1, 4));
    const auto posts = std::count_if(server.requests.begin(), server.requests.end(),
                                     [](const auto& r) { return r.method == "POST"; });
    EXPECT_EQ(posts, 2); // 09.10.2002 and 12.10.2002
    EXPECT_TRUE(f.ui.errors.isEmpty());
}

// "Datenbank neu anlegen" through the real browser: the new archive replaces the old one only when the
// run has reached today with at least one draw, and, when it read fewer draws than the old one holds from
// the start date on, only after a yes; a run that fails half-way or that the user stops leaves it byte for
// byte. While it waits for a page, every other operation on the archive is refused and changes nothing.
TEST_F(StatisticsBrowserWindowTest, RebuildReplacesTheArchiveOnlyWhenItIsComplete) {
    const std::vector<Draw> old = {makeDraw(QDate(2002, 9, 28), {1, 2, 3, 4, 5, 6}, 7, 3),
                                   makeDraw(QDate(2002, 10, 2), {11, 12, 13, 14, 15, 16}, 17, 8)};
    std::vector<Draw> larger = old;
    larger.push_back(makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 8));
    larger.push_back(makeDraw(QDate(2002, 10, 9), {9, 19, 29, 39, 44, 45}, 1, 8));
    const QString fewer =
        QStringLiteral("Das Neueinlesen hat 2 Ziehungen ergeben; die bisherige Datenbank hat ab dem "
                       "01.10.2002 3 Ziehungen. Soll sie trotzdem ersetzt werden?");
    const std::map<QByteArray, QByteArray> both = {{"05.10.2002", "3,12,17,25,33,41,7"},
                                                   {"09.10.2002", "9,19,29,39,44,45,1"}};
    const QString kept = QStringLiteral("Die bisherige Datenbank bleibt unverändert.");
    // othersTry: other operations on the archive while it waits for a page; asked: the question after the
    // run, if any; says: the end of the message or error
    // clang-format off
    const struct { const char* name; std::vector<Draw> stored; std::map<QByteArray, QByteArray> draws; bool userCloses, othersTry;
                   std::deque<bool> answers; QString asked; bool replaced; QString says; } cases[] = {
        {"complete", old, both, false, false, {true}, {}, true, {}},
        {"others refused while it waits", old, both, false, true, {true}, {}, true, {}},
        {"fails half-way", old, {{"05.10.2002", "3,12,17,25,33,41,7"}, {"09.10.2002", "9,19,29,39,44,46,1"}}, false, false, {true}, {}, false, kept},
        {"stopped by the user", old, both, true, false, {true}, {}, false, kept},
        {"no draw read", old, {}, false, false, {true}, {}, false, QStringLiteral("Das Neueinlesen hat keine Ziehungen ergeben.\n\n") + kept},
        {"fewer than stored, kept", larger, both, false, false, {true, false}, fewer, false, kept},
        {"fewer than stored, replaced", larger, both, false, false, {true, true}, fewer, true, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.dir.writeArchive(c.stored);
        const QByteArray before = f.dir.readFile(QStringLiteral("ZahlenCH.dat"));
        f.ui.errors.clear();
        f.ui.messages.clear();
        f.ui.questions.clear();
        f.ui.presets.clear();
        QStringList refused;
        serveStatistics(server, c.draws, [&](const QByteArray& date) {
            if (c.userCloses && date == "09.10.2002")
                QTimer::singleShot(0, &window, [&] { window.reject(); });
            if (!c.othersTry || date != "05.10.2002") return;
            // The rebuild holds the archive while the page is on its way: each of these is refused at once.
            f.dir.writeFile(QStringLiteral("neu.csv"), "12.10.2002;1;2;3;4;5;6;7\n");
            const QStringList file{f.dir.file(QStringLiteral("neu.csv"))};
            // clang-format off
            const std::vector<std::pair<const char*, std::function<void()>>> others = {
                {"import", [&] { importDrawFiles(f.session, [&] { return file; }, [] {}); }},
                {"entry", [&] { enterDraw(f.session, [](const Draw& p) { return std::optional(p); }, [] {}); }},
                {"deletion", [&] { deleteCurrentDraw(f.session, [] {}); }},
                {"update", [&] { updateArchive(f.session, window); }},
                {"rebuild", [&] { rebuildArchive(f.session, window); }},
            };
            // clang-format on
            for (const auto& [name, run] : others) {
                try {
                    run();
                } catch (const AppError& e) {
                    refused << QString::fromLatin1(name) + QStringLiteral(": ") + e.message();
                }
            }
            EXPECT_EQ(f.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
        });
        f.controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2002, 10, 1));
        f.ui.questionAnswers = c.answers;
        QString error;
        try {
            rebuildArchive(f.session, window);
        } catch (const AppError& e) {
            error = e.message();
        }
        QStringList questions{
            QStringLiteral("Soll die Datenbank gelöscht und ab dem 01.10.2002 neu eingelesen werden?")};
        std::vector<Ui::Preset> presets{Ui::Preset::Yes};
        if (!c.asked.isEmpty()) {
            questions << c.asked;
            presets.push_back(Ui::Preset::No);
        }
        EXPECT_EQ(f.ui.questions, questions);
        EXPECT_EQ(f.ui.presets, presets);
        if (c.othersTry) {
            const QString busy = ArchiveGate::BusyText;
            EXPECT_EQ(refused, (QStringList{"import: " + busy, "entry: " + busy, "deletion: " + busy,
                                            "update: " + busy, "rebuild: " + busy}));
        }
        const QString said = error + f.ui.messages.join(QLatin1Char('|'));
        if (c.replaced) {
            EXPECT_EQ(said, QString());
            EXPECT_EQ(f.dir.readArchive(),
                      (std::vector<Draw>{makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 0),
                                         makeDraw(QDate(2002, 10, 9), {9, 19, 29, 39, 44, 45}, 1, 0)}));
        } else {
            EXPECT_TRUE(said.endsWith(c.says)) << said.toStdString();
            EXPECT_EQ(f.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
        }
        EXPECT_FALSE(QFile::exists(f.dir.file(QStringLiteral("ZahlenCH.dat~"))));
        EXPECT_FALSE(f.controls.visible(QStringLiteral("SpeedButton8")));
        EXPECT_FALSE(f.state.archiveGate.busy());
    }
    // Answered no: nothing is asked of the page, nothing changes.
    const auto requests = server.requests.size();
    const QByteArray before = f.dir.readFile(QStringLiteral("ZahlenCH.dat"));
    rebuildArchive(f.session, window);
    EXPECT_EQ(server.requests.size(), requests);
    EXPECT_EQ(f.dir.readFile(QStringLiteral("ZahlenCH.dat")), before);
}

// A result page that never completes ends the run at the page load limit, with the date named.
TEST_F(StatisticsBrowserWindowTest, AStalledPageEndsTheRunAtTheLimit) {
    serveStatistics(server);
    Response stalled;
    stalled.chunks << "<html><body>Ziehung vom 09.10.2002";
    stalled.neverEnd = true;
    server.route("/swisslotto/statistiken/result.do", stalled);
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    window.setPageLoadLimit(std::chrono::milliseconds(1500));
    try {
        updateArchive(f.session, window);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Die Seite für den 09.10.2002 wurde nicht")))
            << e.message().toStdString();
    }
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(f.dir.readArchive().size(), 1u);
    EXPECT_FALSE(f.controls.visible(QStringLiteral("SpeedButton8")));
}

TEST(PrepareBrowserEngine, SwitchesTheSandboxOffOnlyForRoot) {
    const QByteArray saved = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--lang=de");
    prepareBrowserEngine();
    prepareBrowserEngine(); // twice adds nothing twice
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", saved);
    if (::geteuid() == 0)
        EXPECT_EQ(flags, QByteArray("--lang=de --no-sandbox --disable-gpu"));
    else
        EXPECT_EQ(flags, QByteArray("--lang=de"));
}

} // namespace

// The browser's requests go through the proxy of page "Internet-Optionen", as the program's others do: the
// statistics page of a host no name server knows is reached only through it.
TEST_F(StatisticsBrowserWindowTest, TheBrowserGoesThroughTheProxy) {
    serveStatistics(server, {{"09.10.2002", "9,19,29,39,44,45,1"}});
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    window.setStatisticsPage(
        QUrl(QStringLiteral("http://lotto.statistik.test") + QString::fromLatin1(SearchPath)));
    f.controls.setText(QStringLiteral("ProxyHostEdit"), QStringLiteral("127.0.0.1"));
    f.controls.setText(QStringLiteral("ProxyPortEdit"), QString::number(server.port()));
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, &window, [&] { window.reject(); });
    guard.start(20000);
    updateArchive(f.session, window);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    EXPECT_EQ(f.dir.readArchive().size(), 2u);
    ASSERT_FALSE(server.requests.isEmpty());
    for (const auto& r : server.requests)
        EXPECT_TRUE(r.target.startsWith("http://lotto.statistik.test/")) << r.target.toStdString();
    EXPECT_TRUE(f.ui.errors.isEmpty());
}

#include "import/ArchiveUpdate.h"
#include "ImportFixture.h"
#include "archive/ArchiveFiles.h"
#include "archive/ArchiveLock.h"
#include "import/DrawEntry.h"
#include "import/ShippedRecord.h"
#include "import/TextImport.h"
#include "platform/AppError.h"
#include "platform/Browser.h"
#include "platform/Dates.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <unistd.h>

namespace {

const QString Marker = QStringLiteral("window.dataLayer[0][\"extSpiel\"] = \"swisslotto\";");

QString resultPage(const QString& date, const QStringList& draws) {
    QString page = QStringLiteral("<div class=\"result\">Ziehung vom %1</div>\n<script>\n").arg(date);
    for (const QString& draw : draws)
        page += Marker + QStringLiteral("\nwindow.dataLayer[0][\"extZahlen\"] = \"%1\";\n").arg(draw);
    return page + QStringLiteral("</script>\n");
}

// What an operation says when it fails; empty when it does not.
QString errorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

// Stands in for the browser window: answers each date from a table and records the calling protocol.
class FakeStatisticsBrowser : public StatisticsBrowser {
public:
    void setFilterDateText(const QString& text) override { filter_ = text; }
    QString filterDateText() const override { return filter_; }
    void start() override {
        calls << QStringLiteral("start ") + filter_;
        shows_ = 0;
    }
    Shown showModal() override {
        ++shows_;
        calls << QStringLiteral("show");
        if (shows_ == 2) {
            requested << filter_;
            if (onResult) onResult(filter_);
            const auto outcome = outcomes.find(filter_);
            if (outcome != outcomes.end()) {
                failure_ =
                    QStringLiteral(
                        "Die Seite für den %1 konnte nicht geladen werden. Der Server \"lotto.invalid\" "
                        "wurde nicht gefunden. Besteht eine Verbindung zum Internet?")
                        .arg(filter_);
                return outcome->second;
            }
        }
        return Shown::Loaded;
    }
    QString failure() const override { return failure_; }
    // The result page of `date` with the draws given.
    void serve(const QString& date, const QStringList& draws) { pages[date] = resultPage(date, draws); }
    std::optional<QString> bodyHtml() override {
        if (unreadable.contains(filter_)) return std::nullopt;
        const auto page = pages.find(filter_);
        return page != pages.end() ? page->second : QStringLiteral("<p>Keine Ziehung</p>");
    }

    std::map<QString, QString> pages;
    std::map<QString, Shown> outcomes; // how the result page's display ends; else Loaded
    QStringList unreadable;            // dates whose page body cannot be read
    QStringList requested;
    QStringList calls;
    std::function<void(const QString&)> onResult;

private:
    QString filter_;
    QString failure_;
    int shows_ = 0;
};

// Every button that writes the archive.
const QStringList ArchiveButtons{QStringLiteral("BitBtn1"), QStringLiteral("SpeedButton10"),
                                 QStringLiteral("BitBtn2"), QStringLiteral("BitBtn9"),
                                 QStringLiteral("BitBtn8"), QStringLiteral("BitBtn6")};

class ArchiveUpdateTest : public ::testing::Test {
protected:
    void expectIdle() {
        for (const QString& button : ArchiveButtons)
            EXPECT_TRUE(f.controls.enabled(button)) << button.toStdString();
        EXPECT_FALSE(f.state.archiveGate.busy());
        EXPECT_FALSE(f.controls.visible(QStringLiteral("SpeedButton8")));
        EXPECT_FALSE(f.controls.visible(QStringLiteral("Memo1")));
        EXPECT_EQ(f.controls.text(QStringLiteral("Memo1")), QString());
    }

    ImportFixture f;
    FakeStatisticsBrowser browser;
};

TEST(NextRequestDate, FollowsTheDrawDays) {
    const struct {
        QDate from, to;
    } cases[] = {
        {QDate(2002, 10, 5), QDate(2002, 10, 9)},  // Saturday -> Wednesday
        {QDate(2002, 10, 9), QDate(2002, 10, 12)}, // Wednesday -> Saturday
        {QDate(2000, 1, 1), QDate(2000, 1, 5)},    // Saturday
        {QDate(2002, 10, 6), QDate(2002, 10, 10)}, // Sunday: four days on
    };
    for (const auto& c : cases) EXPECT_EQ(nextRequestDate(c.from), c.to) << c.from.toString().toStdString();
    // Any weekday reaches a draw day within five steps and then keeps to them.
    for (int start = 0; start < 7; ++start) {
        QDate day = QDate(2002, 10, 6).addDays(start);
        int steps = 0;
        while (dates::weekday(day) != dates::Wednesday && dates::weekday(day) != dates::Saturday) {
            day = nextRequestDate(day);
            ASSERT_LE(++steps, 5);
        }
        for (int i = 0; i < 10; ++i) {
            day = nextRequestDate(day);
            EXPECT_TRUE(dates::weekday(day) == dates::Wednesday || dates::weekday(day) == dates::Saturday);
        }
    }
}

TEST_F(ArchiveUpdateTest, AppendsTheDrawsAfterTheNewestUpToToday) {
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 2), {1, 2, 3, 4, 5, 6}, 7, 3),
                        makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    browser.serve("09.10.2002", {"9,19,29,39,44,45,1"});
    browser.onResult = [&](const QString&) {
        // Greyed while the run holds the archive.
        for (const QString& button : ArchiveButtons)
            EXPECT_FALSE(f.controls.enabled(button)) << button.toStdString();
        EXPECT_TRUE(f.controls.visible(QStringLiteral("SpeedButton8")));
        // A date the user puts into the field meanwhile changes nothing: the run keeps its own.
        f.controls.setDate(QStringLiteral("DateTimePicker1"), QDate(1999, 1, 1));
    };

    updateArchive(f.session, browser);

    EXPECT_EQ(browser.requested, (QStringList{"09.10.2002", "12.10.2002"}));
    EXPECT_EQ(browser.calls.mid(0, 3), (QStringList{"start 09.10.2002", "show", "show"}));
    const auto records = f.dir.readArchive();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2], makeDraw(QDate(2002, 10, 9), {9, 19, 29, 39, 44, 45}, 1, 4));
    EXPECT_EQ(f.state.referenceDate, dates::toDayNumber(QDate(2002, 10, 5)));
    // The evaluation shows the newest draw; the tip page comes last.
    EXPECT_EQ(f.state.currentDraw.date, dates::toDayNumber(QDate(2002, 10, 9)));
    EXPECT_EQ(f.ui.pages.front(), QStringLiteral("TabSheet4"));
    EXPECT_EQ(f.ui.pages.back(), QStringLiteral("TabSheet1"));
    EXPECT_TRUE(f.ui.errors.isEmpty());
    expectIdle();
}

TEST_F(ArchiveUpdateTest, EmptyArchiveStartsAfterTheChosenDateWithSzZero) {
    f.clock.setToday(QDate(2000, 1, 12));
    f.controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2000, 1, 1));
    browser.serve("05.01.2000", {"1,2,3,4,5,6,7"});
    browser.serve("08.01.2000", {"20,21,22,23,24,25,26"});
    browser.pages[QStringLiteral("12.01.2000")] = QStringLiteral("<p>Ziehung vom 12.01.2000 folgt</p>");

    updateArchive(f.session, browser);

    EXPECT_EQ(browser.requested, (QStringList{"05.01.2000", "08.01.2000", "12.01.2000", "15.01.2000"}));
    const auto records = f.dir.readArchive();
    EXPECT_EQ(f.dir.readArchive(),
              (std::vector<Draw>{makeDraw(QDate(2000, 1, 5), {1, 2, 3, 4, 5, 6}, 7, 0),
                                 makeDraw(QDate(2000, 1, 8), {20, 21, 22, 23, 24, 25}, 26, 0)}));
    expectIdle();
}

TEST_F(ArchiveUpdateTest, PagesWithoutTheDateOrAMarkerWriteNothing) {
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    // The page of another date carries a marker, but not the requested date.
    browser.pages[QStringLiteral("09.10.2002")] =
        resultPage(QStringLiteral("05.10.2002"), {QStringLiteral("1,2,3,4,5,6,7")});
    // The requested date, no marker, and a marker on the very last line.
    browser.pages[QStringLiteral("12.10.2002")] =
        QStringLiteral("12.10.2002\nz = \"1,2,3,4,5,6,7\";\n") + Marker;
    f.clock.setToday(QDate(2002, 10, 12));
    updateArchive(f.session, browser);
    EXPECT_EQ(browser.requested.size(), 3);
    EXPECT_EQ(f.dir.readArchive().size(), 1u);
    EXPECT_TRUE(f.ui.errors.isEmpty());
    expectIdle();
}

TEST_F(ArchiveUpdateTest, StopTakesEffectAtTheNextDate) {
    f.clock.setToday(QDate(2002, 12, 31));
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    browser.serve("09.10.2002", {"1,2,3,4,5,6,7"});
    browser.serve("12.10.2002", {"8,9,10,11,12,13,14"});
    browser.onResult = [&](const QString& date) {
        if (date == QStringLiteral("12.10.2002")) requestUpdateStop(f.controls);
    };
    updateArchive(f.session, browser);
    EXPECT_EQ(browser.requested, (QStringList{"09.10.2002", "12.10.2002"}));
    EXPECT_EQ(f.dir.readArchive().size(), 3u); // the date in progress is finished
    expectIdle();
}

TEST_F(ArchiveUpdateTest, ImpossibleDrawEndsTheRunAndKeepsWhatWasWritten) {
    f.clock.setToday(QDate(2002, 12, 31));
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    browser.serve("09.10.2002", {"1,2,3,4,5,6,7"});
    browser.serve("12.10.2002", {"8,9,10,11,12,13,14", "8,9,10,11,12,13,46"});
    const QString error = errorOf([&] { updateArchive(f.session, browser); });
    EXPECT_TRUE(error.contains(QStringLiteral("46"))) << error.toStdString();
    EXPECT_EQ(browser.requested.size(), 2);
    const auto records = f.dir.readArchive();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2], makeDraw(QDate(2002, 10, 12), {8, 9, 10, 11, 12, 13}, 14, 4));
    expectIdle();

    // A page with two draws of one date: the archive takes no second draw of a date, and the run ends.
    browser.serve("16.10.2002", {"1,2,3,4,5,6,7", "8,9,10,11,12,13,14"});
    browser.requested.clear();
    EXPECT_EQ(errorOf([&] { updateArchive(f.session, browser); }),
              QStringLiteral("Die Ziehung vom 16.10.2002 ist nicht neuer als die zuletzt gespeicherte vom "
                             "16.10.2002 und wird nicht angehängt."));
    EXPECT_EQ(browser.requested, QStringList{QStringLiteral("16.10.2002")});
    EXPECT_EQ(f.dir.readArchive().size(), 4u);
    expectIdle();
}

// Makes the archive unwritable for the duration of the object, also for a test that runs as root:
// root ignores file modes, so the process then acts as the unprivileged user "nobody" (65534), for whom
// the directory is readable but the file is not writable. The saved set-user-ID stays root, so the
// effective ID can be switched back.
class ReadOnlyArchive {
public:
    explicit ReadOnlyArchive(const TestDir& dir) : path_(dir.archivePath()) {
        QFile::setPermissions(path_,
                              QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        if (::geteuid() == 0) {
            QFile::setPermissions(QDir(dir.path()).absolutePath(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
            switched_ = ::seteuid(65534) == 0;
        }
    }
    ~ReadOnlyArchive() {
        if (switched_ && ::seteuid(0) != 0) std::abort();
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    bool effective() const {
        QFile probe(path_);
        return !probe.open(QIODevice::ReadWrite);
    }

private:
    QString path_;
    bool switched_ = false;
};

TEST_F(ArchiveUpdateTest, ReadOnlyArchiveIsReportedAndNothingIsLost) {
    const std::vector<Draw> stored = {makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)};
    f.dir.writeArchive(stored);
    browser.serve("09.10.2002", {"1,2,3,4,5,6,7"});
    {
        ReadOnlyArchive readOnly(f.dir);
        if (!readOnly.effective()) GTEST_SKIP() << "cannot make the archive read-only here";
        EXPECT_THROW(updateArchive(f.session, browser), AppError);
    }
    EXPECT_TRUE(browser.requested.isEmpty());
    EXPECT_EQ(f.dir.readArchive(), stored);
    expectIdle();
}

// The user closing the browser window stops the run like the stop button; a page that does not load in
// time or cannot be read ends it with a message. What was stored before stays; the date never counts
// as one without a draw, so the next update asks for it again.
TEST_F(ArchiveUpdateTest, AClosedWindowOrAPageThatDoesNotComeEndsTheRun) {
    using Shown = StatisticsBrowser::Shown;
    const QString notRead = QStringLiteral(
        "Die Ergebnisseite für den 12.10.2002 konnte nicht gelesen werden. Das Einlesen wurde beendet.");
    // clang-format off
    const struct { const char* name; std::optional<Shown> outcome; bool unreadable; QString body, error; } cases[] = {
        {"closed by the user", Shown::Closed, false, QString(), QString()},
        {"not loaded in time", Shown::TimedOut, false, QString(),
         QStringLiteral("Die Seite für den 12.10.2002 wurde nicht innerhalb von 60 Sekunden geladen. Das Einlesen wurde beendet.")},
        {"not loaded at all", Shown::Failed, false, QString(),
         QStringLiteral("Die Seite für den 12.10.2002 konnte nicht geladen werden. Der Server \"lotto.invalid\" wurde nicht "
                        "gefunden. Besteht eine Verbindung zum Internet? Das Einlesen wurde beendet.")},
        {"body not readable", std::nullopt, true, QString(), notRead},
        {"empty body", std::nullopt, false, QStringLiteral(" \n"), notRead},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportFixture env;
        FakeStatisticsBrowser web;
        env.clock.setToday(QDate(2002, 12, 31));
        env.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
        env.state.currentDraw = makeDraw(QDate(2002, 9, 28), {1, 2, 3, 4, 5, 6}, 7); // on display
        web.serve("09.10.2002", {"1,2,3,4,5,6,7"});
        web.pages[QStringLiteral("12.10.2002")] =
            c.body.isNull() ? resultPage(QStringLiteral("12.10.2002"), {"8,9,10,11,12,13,14"}) : c.body;
        if (c.outcome) web.outcomes[QStringLiteral("12.10.2002")] = *c.outcome;
        if (c.unreadable) web.unreadable << QStringLiteral("12.10.2002");
        EXPECT_EQ(errorOf([&] { updateArchive(env.session, web); }), c.error);
        EXPECT_EQ(web.requested, (QStringList{"09.10.2002", "12.10.2002"}));
        EXPECT_EQ(env.dir.readArchive().size(), 2u);
        EXPECT_TRUE(env.controls.enabled(QStringLiteral("BitBtn1")));
        EXPECT_FALSE(env.controls.visible(QStringLiteral("SpeedButton8")));
        // The date field shows the draw on display, which "Löschen" would name: the newest after a stop,
        // the one shown before after a failure.
        EXPECT_EQ(env.controls.date(QStringLiteral("DateTimePicker1")),
                  dates::fromDayNumber(env.state.currentDraw.date));
        EXPECT_EQ(env.state.currentDraw.date,
                  dates::toDayNumber(c.error.isEmpty() ? QDate(2002, 10, 9) : QDate(2002, 9, 28)));
    }
}

} // namespace

namespace {

// The archive's file calls in their order, the k-th of which fails with the given error - and, with
// laterToo, every call after it, the clean-up included; all of them counted. A failing write on a full
// disk has written half of its bytes, as a disk that fills up does.
class FailingFiles : public ArchiveFiles {
public:
    int failAt = 0; // 1-based; 0 fails none
    bool laterToo = false;
    int error = 0;
    int calls = 0;
    QStringList log;

    int open(const QString& path, Open how, int& fd) override {
        if (fails("open")) return fd = -1, error;
        return ArchiveFiles::open(path, how, fd);
    }
    int size(int fd, qint64& bytes) override { return fails("size") ? error : ArchiveFiles::size(fd, bytes); }
    int read(int fd, qint64 offset, char* data, qint64 size) override {
        return fails("read") ? error : ArchiveFiles::read(fd, offset, data, size);
    }
    int write(int fd, qint64 offset, const char* data, qint64 size) override {
        if (!fails("write")) return ArchiveFiles::write(fd, offset, data, size);
        if (error == ENOSPC) ArchiveFiles::write(fd, offset, data, size / 2);
        return error;
    }
    int truncate(int fd, qint64 size) override {
        return fails("truncate") ? error : ArchiveFiles::truncate(fd, size);
    }
    int setPermissions(int fd, unsigned mode) override {
        return fails("setPermissions") ? error : ArchiveFiles::setPermissions(fd, mode);
    }
    int sync(int fd) override { return fails("sync") ? error : ArchiveFiles::sync(fd); }
    int close(int fd) override {
        const int result = ArchiveFiles::close(fd); // the descriptor goes whatever close says
        return fails("close") ? error : result;
    }
    int rename(const QString& from, const QString& to) override {
        return fails("rename") ? error : ArchiveFiles::rename(from, to);
    }
    int remove(const QString& path) override { return fails("remove") ? error : ArchiveFiles::remove(path); }
    int syncFolder(const QString& folder) override {
        return fails("syncFolder") ? error : ArchiveFiles::syncFolder(folder);
    }

private:
    bool fails(const char* call) {
        log << QLatin1String(call);
        ++calls;
        return failAt > 0 && (calls == failAt || (laterToo && calls > failAt));
    }
};

} // namespace

// Whatever file call of a write fails, with a full disk, an I/O error or a refused permission: the
// archive afterwards is byte for byte the old one or the new one, no work file is left, the next
// operation may start, and the user is told in German. Every writing operation, every call it makes.
TEST(ArchiveFaults, AFileCallThatFailsLeavesTheOldOrTheNewArchive) {
    const std::vector<Draw> stored = {makeDraw(QDate(2002, 9, 28), {1, 2, 3, 4, 5, 6}, 7, 3),
                                      makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)};
    const auto entering = [](const Draw& draw) {
        return [draw](ImportFixture& env) {
            env.ui.questionAnswers = {true}; // to replace a stored draw
            enterDraw(
                env.session, [draw](const Draw&) { return std::optional(draw); }, [] {});
        };
    };
    const struct {
        const char* name;
        bool withArchive;
        std::function<void(ImportFixture&)> run;
    } operations[] = {
        {"entry between two draws", true, entering(makeDraw(QDate(2002, 10, 2), {8, 9, 10, 11, 12, 13}, 14))},
        {"entry in place of a draw", true,
         entering(makeDraw(QDate(2002, 10, 5), {8, 9, 10, 11, 12, 13}, 14))},
        {"entry behind the newest", true, entering(makeDraw(QDate(2002, 10, 9), {8, 9, 10, 11, 12, 13}, 14))},
        {"deletion", true,
         [](ImportFixture& env) {
             env.state.currentDraw = makeDraw(QDate(2002, 9, 28), {1, 2, 3, 4, 5, 6}, 7, 3);
             env.ui.questionAnswers = {true};
             deleteCurrentDraw(env.session, [] {});
         }},
        {"import", true,
         [](ImportFixture& env) {
             env.dir.writeFile(QStringLiteral("neu.csv"), "09.10.2002;8;9;10;11;12;13;14\n");
             importDrawFiles(
                 env.session, [&] { return QStringList{env.dir.file(QStringLiteral("neu.csv"))}; }, [] {});
         }},
        {"rebuild", true,
         [](ImportFixture& env) {
             FakeStatisticsBrowser web;
             web.serve("05.10.2002", {"3,12,17,25,33,41,7"});
             web.serve("09.10.2002", {"9,19,29,39,44,45,1"});
             env.controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2002, 10, 1));
             env.ui.questionAnswers = {true};
             rebuildArchive(env.session, web);
         }},
        {"update", true,
         [](ImportFixture& env) {
             FakeStatisticsBrowser web;
             web.serve("09.10.2002", {"9,19,29,39,44,45,1"});
             updateArchive(env.session, web);
         }},
        {"first-start copy", false,
         [](ImportFixture& env) {
             env.dir.writeFile(QStringLiteral("record.csv"),
                               "Datum;Zahl 1;Zahl 2;Zahl 3;Zahl 4;Zahl 5;Zahl 6;ZZ\n"
                               "04.01.1986;2;5;9;15;22;28;43\n"
                               "11.01.1986;6;7;12;17;28;34;13\n"
                               "18.01.1986;2;10;25;31;35;38;20\n");
             env.ui.questionAnswers = {true};
             shippedrecord::offer(env.session, env.dir.file(QStringLiteral("record.csv")));
         }},
    };
    int tried = 0;
    for (const auto& op : operations) {
        SCOPED_TRACE(op.name);
        // The run without a failure: how many calls it makes, and the archive it leaves.
        FailingFiles counting;
        QByteArray oldBytes;
        QByteArray newBytes;
        {
            ImportFixture env;
            if (op.withArchive) env.dir.writeArchive(stored);
            oldBytes = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
            env.state.archiveGate.setFiles(counting);
            ASSERT_NO_THROW(op.run(env));
            newBytes = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
            ASSERT_NE(newBytes, oldBytes);
        }
        // A rewrite puts its work file on the disk and closes it before the rename, and the folder after it.
        const QStringList& calls = counting.log;
        if (calls.contains(QStringLiteral("rename"))) {
            const auto rename = calls.indexOf(QStringLiteral("rename"));
            EXPECT_EQ(calls.mid(rename - 2), (QStringList{"sync", "close", "rename", "syncFolder"}));
            EXPECT_LT(calls.lastIndexOf(QStringLiteral("write")), rename - 2);
        } else {
            EXPECT_EQ(calls.mid(calls.lastIndexOf(QStringLiteral("write"))),
                      (QStringList{"write", "sync", "close"}));
        }
        for (int k = 1; k <= counting.calls; ++k) {
            for (const int error : {ENOSPC, EIO, EACCES}) {
                for (const bool laterToo : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << "call " << k << ", errno " << error << (laterToo ? " and later" : ""));
                    ++tried;
                    ImportFixture env;
                    if (op.withArchive) env.dir.writeArchive(stored);
                    FailingFiles files;
                    files.failAt = k;
                    files.laterToo = laterToo;
                    files.error = error;
                    env.state.archiveGate.setFiles(files);
                    const QString told = errorOf([&] { op.run(env); });
                    // An append cut back where it began puts that on the disk as well.
                    if (!laterToo && !calls.contains(QStringLiteral("rename")) &&
                        files.log.value(k - 1) == "write") {
                        EXPECT_EQ(files.log.mid(k, 2), (QStringList{"truncate", "sync"}));
                    }
                    const QByteArray now = env.dir.readFile(QStringLiteral("ZahlenCH.dat"));
                    // A cut-back that failed too leaves a piece shorter than a record, which is never read.
                    const QByteArray read = now.left(now.size() - now.size() % 16);
                    EXPECT_TRUE(now == oldBytes || now == newBytes || (laterToo && read == oldBytes))
                        << now.size() << " bytes";
                    EXPECT_EQ(QFile::exists(env.dir.archivePath()), op.withArchive || now == newBytes);
                    // A work file whose removal failed goes at the next start.
                    if (laterToo) ArchiveLock::take(env.dir.path(), [](const QString&) { return false; });
                    EXPECT_FALSE(QFile::exists(env.dir.file(QStringLiteral("ZahlenCH.dat~"))));
                    EXPECT_FALSE(QFile::exists(env.dir.file(QStringLiteral("Zahlen.da~"))));
                    EXPECT_FALSE(env.state.archiveGate.busy());
                    EXPECT_TRUE(told.contains(QStringLiteral("ZahlenCH.dat\""))) << told.toStdString();
                    EXPECT_TRUE(env.ui.errors.isEmpty());
                }
            }
        }
    }
    std::cout << "injection points tried: " << tried << std::endl;
}

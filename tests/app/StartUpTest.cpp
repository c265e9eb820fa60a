#include "WindowFixture.h"

#include "app/AppSetup.h"
#include "app/ProgramDir.h"
#include "archive/ArchiveLock.h"
#include "platform/Dates.h"
#include "platform/Random.h"
#include "platform/SettingsStore.h"
#include "support/FakeUi.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QSpinBox>
#include <QSysInfo>
#include <QTest>
#include <csignal>
#include <deque>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QString text(WindowFixture& f, const char* name) {
    return f.find<QLineEdit>(QString::fromLatin1(name))->text();
}

// Values in the settings store as a user's earlier run, or a damaged file, left them.
void store(const WindowFixture& f, const std::vector<std::pair<const char*, QVariant>>& values) {
    QSettings raw(f.settingsFile, QSettings::IniFormat);
    for (const auto& [name, value] : values) raw.setValue(QString::fromLatin1(name), value);
}

// What the window holds for a stored value, as text.
QString shown(WindowFixture& f, const QString& name) {
    const AppState& s = f.context->state;
    if (name == QLatin1String("TippTop")) return QString::number(s.tippTop);
    if (name == QLatin1String("TippLeft")) return QString::number(s.tippLeft);
    if (name == QLatin1String("Land")) return QString::number(s.land);
    if (name.startsWith(QLatin1String("Chekcbox")))
        return f.find<QCheckBox>(QStringLiteral("CheckBox") + name.mid(8))->isChecked() ? QStringLiteral("1")
                                                                                        : QStringLiteral("0");
    if (name.startsWith(QLatin1String("UpDown"))) return QString::number(f.find<QSpinBox>(name)->value());
    if (name == QLatin1String("DateTimePicker2"))
        return f.find<QDateEdit>(name)->date().toString(QStringLiteral("dd.MM.yyyy"));
    return f.find<QLineEdit>(name)->text();
}
} // namespace

TEST(StartUp, FirstStartWithAnEmptyStoreShowsTheFormDefaults) {
    WindowFixture f;
    f.open();
    EXPECT_EQ(text(f, "FileNameEdit"), f.dir.path() + QStringLiteral("Lotto.html"));
    EXPECT_EQ(text(f, "ProxyPortEdit"), QStringLiteral("80"));
    EXPECT_EQ(text(f, "ProxyHostEdit"), QString());
    EXPECT_EQ(text(f, "URL42Edit"),
              QStringLiteral("https://raw.githubusercontent.com/braamane/lotto/main/swisslotto_diff.csv"));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->date(), QDate(1955, 10, 9));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker1"))->date(), f.today);
    EXPECT_EQ(f.context->state.referenceDate, 20371.0);
    EXPECT_EQ(f.context->state.maxCalcRuns, 100000);
    EXPECT_TRUE(f.context->state.readyFlag);
    EXPECT_EQ(f.context->state.tippTop, 71);
    EXPECT_EQ(f.context->state.tippLeft, 42);
    // Without an archive: the evaluation's message, then the frequencies' file error; the window opens.
    EXPECT_EQ(f.dialogs->messages,
              QStringList{QStringLiteral("Lesen Sie zuerst die Daten der Ziehungen ein")});
    EXPECT_EQ(f.dialogs->errors.size(), 1);
}

TEST(StartUp, StoredValuesAreCheckedAndCorrected) {
    WindowFixture f;
    store(f, {{"FileNameEdit", QString()},
              {"URL42Edit", QString()}, // the user's empty address stays
              {"ProxyPortEdit", "3128"},
              {"Edit1", "46"},
              {"Edit2", "abc"},
              {"Edit3", "07"},
              {"UpDown7", 3},
              {"UpDown8", 7}});
    f.open();
    EXPECT_EQ(text(f, "FileNameEdit"), f.dir.path() + QStringLiteral("Lotto.html"));
    EXPECT_EQ(text(f, "ProxyPortEdit"), QStringLiteral("80"));
    EXPECT_EQ(text(f, "URL42Edit"), QString());
    EXPECT_EQ((QStringList{text(f, "Edit1"), text(f, "Edit2"), text(f, "Edit3"), text(f, "Edit4")}),
              (QStringList{QString(), QString(), QStringLiteral("7"), QStringLiteral("4")}));
    EXPECT_EQ(f.context->state.maxCalcRuns, 3000);
    EXPECT_EQ(f.find<QSpinBox>(QStringLiteral("UpDown8"))->value(), 6); // the tip count steps by two
    f.find<QSpinBox>(QStringLiteral("UpDown7"))->setValue(250);
    EXPECT_EQ(f.context->state.maxCalcRuns, 250000);
}

TEST(StartUp, AWrongTypedValueKeepsOnlyItsDefault) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    store(f, {{"Chekcbox1", 0},
              {"UpDown2", "viel"},
              {"UpDown3", 1},
              {"Edit7", "44"},
              {"ProxyHostEdit", "proxy.example"},
              {"FileNameEdit", "/tmp/mein.html"}});
    const auto expectTheUsersValues = [&f] {
        EXPECT_FALSE(f.find<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
        EXPECT_EQ(f.find<QSpinBox>(QStringLiteral("UpDown2"))->value(), 200); // the default
        EXPECT_EQ(f.find<QSpinBox>(QStringLiteral("UpDown3"))->value(), 1);
        EXPECT_EQ(text(f, "Edit7"), QStringLiteral("44"));
        EXPECT_EQ(text(f, "ProxyHostEdit"), QStringLiteral("proxy.example"));
        EXPECT_EQ(text(f, "FileNameEdit"), QStringLiteral("/tmp/mein.html"));
    };
    f.open();
    ASSERT_EQ(f.dialogs->errors.size(), 1);
    EXPECT_TRUE(f.dialogs->errors[0].contains(QStringLiteral("UpDown2")));
    EXPECT_EQ(f.dialogs->captions.value(0), QStringLiteral("Tolbrands Lotto"));
    expectTheUsersValues();
    // Start-up went on: ready, seeded from the clock, the draw on display, the frequencies drawn.
    EXPECT_TRUE(f.context->state.readyFlag);
    Random unseeded;
    EXPECT_NE(f.context->random.random(1000000), unseeded.random(1000000));
    EXPECT_EQ(f.context->state.currentDraw.date, dates::toDayNumber(QDate(2002, 10, 5)));
    EXPECT_EQ(f.context->chart.barCount(), 45);

    f.reopen(); // saved at close: the wrong value is now the default, the rest is as the user had it
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
    expectTheUsersValues();

    // Each value that is read beside another: the wrong one keeps its default, its neighbour is the user's.
    const QByteArray binary("\x01\x02", 2);
    const QString address = QStringLiteral("http://127.0.0.1:1/seite/");
    // clang-format off
    const struct { const char* wrong; std::vector<std::pair<const char*, QVariant>> stored;
                   std::vector<std::pair<const char*, QString>> shown; } pairs[] = {
        {"TippTop", {{"TippTop", "hoch"}, {"TippLeft", 50}}, {{"TippTop", "71"}, {"TippLeft", "50"}}},
        {"TippLeft", {{"TippTop", 60}, {"TippLeft", "breit"}}, {{"TippTop", "60"}, {"TippLeft", "42"}}},
        {"Land", {{"Land", "CH"}, {"TippTop", 60}}, {{"Land", "1"}, {"TippTop", "60"}}},
        {"Chekcbox1", {{"Chekcbox1", "nein"}, {"Chekcbox2", 0}}, {{"Chekcbox1", "1"}, {"Chekcbox2", "0"}}},
        {"UpDown7", {{"UpDown7", "viel"}, {"UpDown8", 4}}, {{"UpDown7", "100"}, {"UpDown8", "4"}}},
        {"UpDown8", {{"UpDown7", 3}, {"UpDown8", "acht"}}, {{"UpDown7", "3"}, {"UpDown8", "10"}}},
        {"Edit8", {{"Edit7", "44"}, {"Edit8", binary}, {"Edit9", "45"}}, {{"Edit7", "44"}, {"Edit8", ""}, {"Edit9", "45"}}},
        {"FileNameEdit", {{"FileNameEdit", binary}, {"URLEdit", address}},
         {{"FileNameEdit", "<Programmordner>Lotto.html"}, {"URLEdit", address}}},
        {"URLEdit", {{"FileNameEdit", "/tmp/mein.html"}, {"URLEdit", QStringList{"a", "b"}}, {"ProxyHostEdit", "proxy.example"}},
         {{"FileNameEdit", "/tmp/mein.html"}, {"URLEdit", "http://www.swisslos.ch/content/d/homepage/"}, {"ProxyHostEdit", "proxy.example"}}},
        {"ProxyHostEdit", {{"URLEdit", address}, {"ProxyHostEdit", binary}}, {{"URLEdit", address}, {"ProxyHostEdit", ""}}},
        {"ProxyPortEdit",
         {{"ProxyHostEdit", "proxy.example"}, {"ProxyPortEdit", binary}, {"DateTimePicker2", QByteArray::fromHex("00000000c053e240")}},
         {{"ProxyHostEdit", "proxy.example"}, {"ProxyPortEdit", "80"}, {"DateTimePicker2", "05.10.2002"}}},
        {"DateTimePicker2", {{"ProxyHostEdit", "proxy.example"}, {"ProxyPortEdit", "3128"}, {"DateTimePicker2", "05.10.2002"}},
         {{"ProxyPortEdit", "3128"}, {"DateTimePicker2", "09.10.1955"}}},
    };
    // clang-format on
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.wrong);
        WindowFixture g;
        g.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
        store(g, pair.stored);
        g.open();
        EXPECT_EQ(g.dialogs->errors,
                  QStringList{QStringLiteral("Ungültiger Datentyp für den Wert \"") +
                              QLatin1String(pair.wrong) + QStringLiteral("\" in den Einstellungen")});
        for (const auto& [name, value] : pair.shown)
            EXPECT_EQ(shown(g, QString::fromLatin1(name)),
                      QString(value).replace(QStringLiteral("<Programmordner>"), g.dir.path()))
                << name;
    }
}

TEST(StartUp, SaveAtCloseAndRestoreBringBackEveryValue) {
    WindowFixture f;
    f.open();
    Controls& c = f.context->controls;
    for (int n = 1; n <= 15; ++n) c.setChecked(QStringLiteral("CheckBox%1").arg(n), n % 2 == 0);
    const int positions[] = {120, 190, 2, 0, 2, 4, 7, 6};
    for (int n = 1; n <= 8; ++n) c.setValue(QStringLiteral("UpDown%1").arg(n), positions[n - 1]);
    for (int r = 0; r < TipGrid::Rows; ++r)
        for (int col = 0; col < TipGrid::Columns; ++col)
            f.context->grid.setCellText(r, col, QString::number((r * 6 + col) % 45 + 1));
    c.setText(QStringLiteral("FileNameEdit"), QStringLiteral("/tmp/andere.html"));
    c.setText(QStringLiteral("URLEdit"), QStringLiteral("http://127.0.0.1:1/seite/"));
    c.setText(QStringLiteral("ProxyHostEdit"), QStringLiteral("proxy.example"));
    c.setText(QStringLiteral("ProxyPortEdit"), QStringLiteral("3128"));
    c.setText(QStringLiteral("URL42Edit"), QStringLiteral("http://127.0.0.1:1/liste.csv"));
    c.setDate(QStringLiteral("DateTimePicker2"), QDate(2001, 1, 6));
    f.context->state.tippTop = 60;
    f.context->state.tippLeft = 50;
    f.context->state.land = 3;

    f.reopen();
    Controls& d = f.context->controls;
    for (int n = 1; n <= 15; ++n) EXPECT_EQ(d.checked(QStringLiteral("CheckBox%1").arg(n)), n % 2 == 0) << n;
    for (int n = 1; n <= 8; ++n) EXPECT_EQ(d.value(QStringLiteral("UpDown%1").arg(n)), positions[n - 1]) << n;
    for (int r = 0; r < TipGrid::Rows; ++r)
        for (int col = 0; col < TipGrid::Columns; ++col)
            EXPECT_EQ(f.context->grid.cellText(r, col), QString::number((r * 6 + col) % 45 + 1));
    EXPECT_EQ(text(f, "FileNameEdit"), QStringLiteral("/tmp/andere.html"));
    EXPECT_EQ(d.text(QStringLiteral("URLEdit")), QStringLiteral("http://127.0.0.1:1/seite/"));
    EXPECT_EQ(text(f, "ProxyHostEdit"), QStringLiteral("proxy.example"));
    EXPECT_EQ(text(f, "ProxyPortEdit"), QStringLiteral("3128"));
    EXPECT_EQ(text(f, "URL42Edit"), QStringLiteral("http://127.0.0.1:1/liste.csv"));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->date(), QDate(2001, 1, 6));
    EXPECT_EQ(f.context->state.referenceDate, dates::toDayNumber(QDate(2001, 1, 6)));
    EXPECT_EQ(std::tuple(f.context->state.tippTop, f.context->state.tippLeft, f.context->state.land),
              std::tuple(60, 50, 3));
    EXPECT_EQ(f.context->state.maxCalcRuns, 7000);

    // The check boxes are stored under their own value names, bools as 0 and 1.
    QSettings raw(f.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Chekcbox2")).toString(), QStringLiteral("1"));
    EXPECT_EQ(raw.value(QStringLiteral("Chekcbox3")).toString(), QStringLiteral("0"));
    EXPECT_FALSE(raw.contains(QStringLiteral("CheckBox16")));
    EXPECT_FALSE(raw.contains(QStringLiteral("DateTimePicker1")));
}

// One program per archive: while the real program runs on a folder, a second start there is told so and
// touches nothing; once that program has been killed, its lock is stale, the next start takes it and
// clears the work file the killed run left.
TEST(StartUp, OneProgramPerArchive) {
    TestDir dir;
    // A copy of its own keeps its archive beside itself, in the test's folder.
    const QString program = dir.file(QStringLiteral("ziehbox"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZIEHBOX_PROGRAM), program));
    QProcess other;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.file(QStringLiteral("config")));
    other.setProcessEnvironment(env);
    other.start(program);
    ASSERT_TRUE(other.waitForStarted(30000));
    const qint64 otherPid = other.processId();
    const QString lockFile = dir.file(QString::fromLatin1(ArchiveLock::FileName));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(lockFile).size() > 0; }, 30000));

    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    ScriptedDialogs dialogs;
    EXPECT_EQ(claimArchive(dir.path(), dialogs), nullptr);
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral(
                                  "Die Datenbank wird bereits von einem anderen Ziehbox-Fenster benutzt.")});
    EXPECT_EQ(dialogs.captions, QStringList{QStringLiteral("Tolbrands Lotto")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);

    other.kill();
    ASSERT_TRUE(other.waitForFinished(30000));
    ASSERT_TRUE(QFile::exists(lockFile)); // left behind by the killed program
    dir.writeFile(QStringLiteral("ZahlenCH.dat~"), "half a rewrite");
    dialogs.errors.clear();
    auto lock = claimArchive(dir.path(), dialogs);
    EXPECT_NE(lock, nullptr);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("ZahlenCH.dat~"))));
    lock.reset();

    // A lock no program of this computer can be told to hold: asked about with Nein first, kept with
    // Nein, lifted with Ja.
    const QString shown = QDir::toNativeSeparators(lockFile);
    // clang-format off
    const struct { const char* name; QByteArray content; QString question; } unjudged[] = {
        {"empty after a power cut", "",
         QStringLiteral("Die Sperrdatei \"%1\" ist leer oder beschädigt, etwa nach einem Stromausfall. Ob noch ein Ziehbox-Fenster "
                        "die Datenbank benutzt, lässt sich nicht feststellen. Soll die Sperre aufgehoben werden?").arg(shown)},
        {"another computer's", "4711\nziehbox\nanderer-rechner\n",
         QStringLiteral("Die Datenbank ist durch die Sperrdatei \"%1\" des Computers \"anderer-rechner\" gesperrt. Ob dort noch "
                        "ein Ziehbox-Fenster die Datenbank benutzt, lässt sich von hier aus nicht feststellen. Soll die Sperre "
                        "aufgehoben werden?").arg(shown)},
    };
    // clang-format on
    for (const auto& c : unjudged) {
        SCOPED_TRACE(c.name);
        for (const bool lift : {false, true}) {
            dir.writeFile(QString::fromLatin1(ArchiveLock::FileName), c.content);
            ScriptedDialogs asked;
            asked.questionAnswers = {lift};
            lock = claimArchive(dir.path(), asked);
            EXPECT_EQ(lock != nullptr, lift);
            EXPECT_EQ(asked.questions, QStringList{c.question});
            EXPECT_EQ(asked.yesFirst, std::vector<bool>{false});
            EXPECT_TRUE(asked.errors.isEmpty());
            lock.reset();
        }
    }

    // A folder the lock cannot be written to, as an ordinary user (root writes everywhere): said so, also
    // where a killed program's lock stands in it.
    const QString folder = QDir::toNativeSeparators(QFileInfo(lockFile).absolutePath());
    const std::pair<QByteArray, QString> readOnly[] = {
        {{},
         QStringLiteral(
             "Die Sperrdatei \"%1\" kann nicht angelegt werden: keine Berechtigung, im Ordner \"%2\" zu "
             "schreiben.")
             .arg(shown, folder)},
        {QByteArray::number(otherPid) + "\nziehbox\n" + QSysInfo::machineHostName().toUtf8() + "\n",
         QStringLiteral(
             "Die Sperrdatei \"%1\" eines beendeten Ziehbox-Fensters lässt sich nicht ersetzen: Der Ordner "
             "\"%2\" kann nicht beschrieben werden, etwa weil der Datenträger schreibgeschützt ist.")
             .arg(shown, folder)},
    };
    for (const auto& [content, text] : readOnly) {
        QFile::remove(lockFile);
        if (!content.isEmpty()) {
            dir.writeFile(QString::fromLatin1(ArchiveLock::FileName), content);
            QFile::setPermissions(lockFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther);
        }
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
        const bool root = ::geteuid() == 0;
        ASSERT_TRUE(!root || ::seteuid(65534) == 0);
        ScriptedDialogs refused;
        EXPECT_EQ(claimArchive(dir.path(), refused), nullptr);
        ASSERT_TRUE(!root || ::seteuid(0) == 0);
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(refused.errors, QStringList{text});
    }
    // A disk that takes no byte more (a limit of the file size stands in for a full one): said so.
    QFile::remove(lockFile);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = limit;
    none.rlim_cur = 0;
    ::setrlimit(RLIMIT_FSIZE, &none);
    ScriptedDialogs full;
    EXPECT_EQ(claimArchive(dir.path(), full), nullptr);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(full.errors,
              QStringList{QStringLiteral("Die Sperrdatei \"%1\" konnte nicht geschrieben werden. Ist der "
                                         "Datenträger voll?")
                              .arg(shown)});
}

TEST(ProgramDir, TrailingSeparatorAndUnwritableFolders) {
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/opt/ziehbox")), QStringLiteral("/opt/ziehbox/"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
    TestDir data;
    const QString userData = data.path() + QStringLiteral("Tolbrand/Ziehbox");
    EXPECT_EQ(
        resolveProgramDir(QStringLiteral("/opt/ziehbox"), userData, [](const QString&) { return true; }),
        QStringLiteral("/opt/ziehbox/"));
    EXPECT_EQ(
        resolveProgramDir(QStringLiteral("/opt/ziehbox"), userData, [](const QString&) { return false; }),
        userData + QLatin1Char('/'));
    EXPECT_TRUE(QDir(userData).exists());
    // An installed program keeps its data in the user's folder even when it may write beside itself, as
    // root may in /usr/bin.
    EXPECT_EQ(QDir::cleanPath(installedDataDir(QStringLiteral("/usr/bin"))),
              QStringLiteral("/usr/share/ziehbox"));
    const QString bin = data.path() + QStringLiteral("usr/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(data.path() + QStringLiteral("usr/share/ziehbox")));
    for (const bool writable : {true, false})
        EXPECT_EQ(resolveProgramDir(bin, userData, [writable](const QString&) { return writable; }),
                  userData + QLatin1Char('/'))
            << writable;
    EXPECT_TRUE(isWritableDir(data.path()));
    EXPECT_FALSE(isWritableDir(data.path() + QStringLiteral("fehlt")));
}

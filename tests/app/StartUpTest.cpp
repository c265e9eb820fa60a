#include "WindowFixture.h"

#include "app/ProgramDir.h"
#include "platform/Dates.h"
#include "platform/Random.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {
QString text(WindowFixture& f, const char* name) {
    return f.find<QLineEdit>(QString::fromLatin1(name))->text();
}
} // namespace

TEST(StartUp, FirstStartWithAnEmptyStoreShowsTheFormDefaults) {
    WindowFixture f;
    f.open();
    EXPECT_EQ(text(f, "FileNameEdit"), f.dir.path() + QStringLiteral("Lotto.html"));
    EXPECT_EQ(text(f, "ProxyPortEdit"), QStringLiteral("80"));
    EXPECT_EQ(text(f, "ProxyHostEdit"), QString());
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
    {
        QSettings raw(f.settingsFile, QSettings::IniFormat);
        raw.setValue(QStringLiteral("FileNameEdit"), QString());
        raw.setValue(QStringLiteral("ProxyPortEdit"), QStringLiteral("3128"));
        raw.setValue(QStringLiteral("Edit1"), QStringLiteral("46"));
        raw.setValue(QStringLiteral("Edit2"), QStringLiteral("abc"));
        raw.setValue(QStringLiteral("Edit3"), QStringLiteral("07"));
        raw.setValue(QStringLiteral("UpDown7"), 3);
        raw.setValue(QStringLiteral("UpDown8"), 7);
    }
    f.open();
    EXPECT_EQ(text(f, "FileNameEdit"), f.dir.path() + QStringLiteral("Lotto.html"));
    EXPECT_EQ(text(f, "ProxyPortEdit"), QStringLiteral("80"));
    EXPECT_EQ(text(f, "Edit1"), QString());
    EXPECT_EQ(text(f, "Edit2"), QString());
    EXPECT_EQ(text(f, "Edit3"), QStringLiteral("7"));
    EXPECT_EQ(text(f, "Edit4"), QStringLiteral("4"));
    EXPECT_EQ(f.context->state.maxCalcRuns, 3000);
    EXPECT_EQ(f.find<QSpinBox>(QStringLiteral("UpDown8"))->value(), 6); // the tip count steps by two
    f.find<QSpinBox>(QStringLiteral("UpDown7"))->setValue(250);
    EXPECT_EQ(f.context->state.maxCalcRuns, 250000);
}

TEST(StartUp, AWrongTypedValueKeepsOnlyItsDefault) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    {
        QSettings raw(f.settingsFile, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Chekcbox1"), 0);
        raw.setValue(QStringLiteral("UpDown2"), QStringLiteral("viel"));
        raw.setValue(QStringLiteral("UpDown3"), 1);
        raw.setValue(QStringLiteral("Edit7"), QStringLiteral("44"));
        raw.setValue(QStringLiteral("ProxyHostEdit"), QStringLiteral("proxy.example"));
        raw.setValue(QStringLiteral("FileNameEdit"), QStringLiteral("/tmp/mein.html"));
    }
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
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->date(), QDate(2001, 1, 6));
    EXPECT_EQ(f.context->state.referenceDate, dates::toDayNumber(QDate(2001, 1, 6)));
    EXPECT_EQ(f.context->state.tippTop, 60);
    EXPECT_EQ(f.context->state.tippLeft, 50);
    EXPECT_EQ(f.context->state.land, 3);
    EXPECT_EQ(f.context->state.maxCalcRuns, 7000);

    // The check boxes are stored under their own value names, bools as 0 and 1.
    QSettings raw(f.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Chekcbox2")).toString(), QStringLiteral("1"));
    EXPECT_EQ(raw.value(QStringLiteral("Chekcbox3")).toString(), QStringLiteral("0"));
    EXPECT_FALSE(raw.contains(QStringLiteral("CheckBox16")));
    EXPECT_FALSE(raw.contains(QStringLiteral("DateTimePicker1")));
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
    EXPECT_TRUE(isWritableDir(data.path()));
    EXPECT_FALSE(isWritableDir(data.path() + QStringLiteral("fehlt")));
}

#include "WindowFixture.h"
#include "gui/DesktopShell.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QLineEdit* cell(WindowFixture& f, int row, int column) {
    return f.find<QLineEdit>(TipGrid::cellName(row, column));
}
} // namespace

TEST(TipGridWindow, TypingKeepsOnlyPlainNumbers) {
    WindowFixture f;
    f.open(false);
    struct Case {
        const char* keys;
        const char* kept;
    };
    const Case typed[] = {{"46", ""}, {"45", "45"}, {"0", ""}, {"7", "7"}, {"12a", ""}, {"4a5", "5"}};
    for (const auto& t : typed) {
        QLineEdit* e = cell(f, 5, 2);
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(t.keys));
        EXPECT_EQ(e->text(), QString::fromLatin1(t.kept)) << t.keys;
        EXPECT_EQ(f.context->grid.cellText(5, 2), QString::fromLatin1(t.kept)) << t.keys;
    }
    // Pasted text passes the same rule.
    QLineEdit* e = cell(f, 6, 0);
    e->insert(QStringLiteral("007"));
    EXPECT_EQ(e->text(), QStringLiteral("7"));
    e->clear();
    e->insert(QStringLiteral("12a"));
    EXPECT_EQ(e->text(), QString());
    // The cursor stays usable: a digit typed before the first one forms the number the user sees.
    e->clear();
    QTest::keyClicks(e, QStringLiteral("3"));
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClicks(e, QStringLiteral("2"));
    EXPECT_EQ(e->text(), QStringLiteral("23"));
}

TEST(TipGridWindow, ClearButtonEmptiesEveryCellAndLabel) {
    WindowFixture f;
    f.open(false);
    f.context->controls.setText(TipGrid::hitLabelName(0), QStringLiteral("6"));
    f.context->controls.setText(TipGrid::sumLabelName(13), QStringLiteral("100"));
    cell(f, 13, 5)->setText(QStringLiteral("44"));
    f.click(QStringLiteral("SpeedButton11"));
    for (int r = 0; r < TipGrid::Rows; ++r) {
        for (int c = 0; c < TipGrid::Columns; ++c) EXPECT_EQ(cell(f, r, c)->text(), QString());
        EXPECT_EQ(f.find<QLabel>(TipGrid::hitLabelName(r))->text(), QString());
        EXPECT_EQ(f.find<QLabel>(TipGrid::sumLabelName(r))->text(), QString());
    }
    EXPECT_TRUE(f.context->controls.checked(QStringLiteral("CheckBox1")));
}

TEST(TipGridWindow, LinksOpenTheirAddresses) {
    WindowFixture f;
    f.open(false);
    for (const char* name : {"Label43", "Panel5", "Label44", "Label52"}) {
        QWidget* w = f.find<QWidget>(QString::fromLatin1(name));
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
    }
    ASSERT_EQ(f.shell->opened.size(), 4);
    EXPECT_EQ(f.shell->opened[0], f.shell->opened[1]);
    EXPECT_NE(f.shell->opened[2], f.shell->opened[0]);
    EXPECT_EQ(f.shell->opened[3], f.find<QLabel>(QStringLiteral("Label52"))->text());

    // A desktop that opens nothing (no xdg-open; the offscreen platform opens nothing at all) says so, for
    // a link and for the tips' text file, which is written all the same.
    f.context->shell = std::make_unique<DesktopShell>();
    f.shell = nullptr;
    QTest::mouseClick(f.find<QWidget>(QStringLiteral("Label44")), Qt::LeftButton, {}, QPoint(2, 2));
    f.click(QStringLiteral("BitBtn7"));
    EXPECT_EQ(
        f.dialogs->errors,
        (QStringList{QStringLiteral("Die Adresse \"https://www.tolbrand.de/ziehbox/download.html\" konnte "
                                    "nicht geöffnet werden: Es ist kein Programm zum Öffnen eingerichtet "
                                    "(unter Linux das Paket xdg-utils)."),
                     QStringLiteral("Die Datei \"%1Tipp.txt\" konnte nicht geöffnet werden: Es ist kein "
                                    "Programm zum Öffnen eingerichtet (unter Linux das Paket xdg-utils).")
                         .arg(f.dir.path())}));
    EXPECT_TRUE(f.dir.readFile(QStringLiteral("Tipp.txt")).startsWith("Tolbrands Lotto-Tipp"));
}

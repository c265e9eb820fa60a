#include "WindowFixture.h"

#include "platform/Dates.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Acts on the next modal dialog once it is up; the wait is bounded.
void whenModal(std::function<void(QWidget*)> action, int tries = 300) {
    QTimer::singleShot(10, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == QLatin1String("TForm3"))
            action(w);
        else if (tries > 0)
            whenModal(action, tries - 1);
    });
}

} // namespace

// "Eingeben" through the window and the real dialog: the draw is stored sorted and comes on display.
TEST(ArchiveWindow, EnteringADrawThroughTheDialogStoresItAndShowsIt) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    f.open();
    whenModal([](QWidget* dialog) {
        dialog->findChild<QDateEdit*>(QStringLiteral("DateTimePicker1"))->setDate(QDate(2002, 10, 9));
        const int typed[] = {41, 3, 25, 17, 12, 33, 7};
        for (int i = 0; i < 7; ++i) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
            edit->selectAll();
            QTest::keyClicks(edit, QString::number(typed[i]));
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    });
    f.click(QStringLiteral("BitBtn8"));
    const auto stored = f.dir.readArchive();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1], makeDraw(QDate(2002, 10, 9), {3, 12, 17, 25, 33, 41}, 7, 4));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker1"))->date(), QDate(2002, 10, 9));
    EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label35"))->text().endsWith(QStringLiteral("41 Z:7")));

    // "Löschen" takes the draw on display out again and shows the newest one left.
    f.click(QStringLiteral("BitBtn6"));
    ASSERT_EQ(f.dir.readArchive().size(), 1u);
    EXPECT_EQ(f.context->state.currentDraw.date, dates::toDayNumber(QDate(2002, 10, 5)));
    EXPECT_TRUE(f.dialogs->errors.isEmpty());
}

TEST(ArchiveWindow, ExportWritesTheChosenFile) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 23, 34, 45}, 7, 4)});
    f.open();
    QString offered;
    f.context->chooseExportFile = [&](const QString& name) {
        offered = name;
        return name;
    };
    f.context->controls.setDate(QStringLiteral("DateTimePicker1"), QDate(2002, 1, 1));
    f.click(QStringLiteral("BitBtn3"));
    EXPECT_EQ(offered, f.dir.path() + QStringLiteral("CHJ2002.csv"));
    EXPECT_EQ(f.dir.readFile(QStringLiteral("CHJ2002.csv")),
              QByteArray("05.10.2002;3;12;17;23;34;45;7;\r\n"));
}

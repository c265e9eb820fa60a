#include "WindowFixture.h"

#include "support/Modal.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList rowsOf(const QTableWidget* table) {
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            if (!table->isColumnHidden(c))
                cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

// Two slips saved through TForm9, the draws that hit them imported: the report says what they reached, the
// page shows both with their hits, stake, what was paid and what chance expects; a slip goes after its
// question.
TEST(SlipWindow, SlipsAreCheckedAgainstTheDrawsThatCome) {
    const struct {
        int game;
        QDate today, offered, first;
        const char* tipsA[2]; // numbers and the Glückszahl where the game has one
        const char* tipB;
        const char *lines, *report;
        QStringList before, after, hitsA;
        const char* totals;
    } columns[] = {
        {42,
         {2026, 1, 2},
         {2026, 1, 3},
         {2025, 12, 27},
         {"1 8 16 40 41 42 2", "1 11 23 37 2 3 1"},
         "2 3 4 5 6 7 3",
         "27.12.2025;1;8;16;24;26;34;2\n31.12.2025;1;11;23;37;39;40;6\n",
         // The quotas of those draws, shipped along: 21.40 for "3 + GZ", 95.95 for "4".
         "Meine Scheine: Schein ab 27.12.2025, Tipp 1: 3 + GZ am 27.12.2025, CHF 21.40 laut Quoten, Tipp 2: "
         "4 am "
         "31.12.2025, CHF 95.95 laut Quoten.",
         {"27.12.2025|0 von 1 gezogen, 1 fehlt im Archiv|1|2.50|–|0.00|–",
          "27.12.2025|0 von 2 gezogen, 2 fehlen im Archiv|2|10.00|–|0.00|–"},
         {"27.12.2025|abgeschlossen|1|2.50|–|0.00|–",
          "27.12.2025|abgeschlossen|2|10.00|1 × 4, 1 × 3 + GZ|20.00|117.35"},
         {"Sa. 27.12.25|1  8  16  24  26  34 GZ:2|3 + GZ (21.40)|–",
          "Mi. 31.12.25|1  11  23  37  39  40 GZ:6|–|4 (95.95)"},
         "Einsatz total CHF 12.50 · Ausbezahlt CHF 20.00 · Bilanz CHF 7.50\n"
         "Bei reinem Zufall erwartet: 0.11 × 3, 0.023 × 3 + GZ, 0.0075 × 4, 0.0015 × 4 + GZ"},
        {45,
         {2013, 1, 10},
         {2013, 1, 5},
         {2013, 1, 5},
         {"3 8 24 40 41 42", "2 13 25 32 1 4"},
         "5 6 7 9 10 11",
         "05.01.2013;3;8;24;30;32;33;38\n09.01.2013;2;13;25;32;34;35;29\n",
         "Meine Scheine: Schein ab 05.01.2013, Tipp 1: 3 am 05.01.2013, Tipp 2: 4 am 09.01.2013.",
         {"05.01.2013|0 von 1 gezogen, 1 fehlt im Archiv|1|1.50|–|0.00",
          "05.01.2013|0 von 2 gezogen, 2 fehlen im Archiv|2|6.00|–|0.00"},
         {"05.01.2013|abgeschlossen|1|1.50|–|0.00", "05.01.2013|abgeschlossen|2|6.00|1 × 4, 1 × 3|20.00"},
         {"Sa. 05.01.13|3  8  24  30  32  33 Z:38|3|–", "Mi. 09.01.13|2  13  25  32  34  35 Z:29|–|4"},
         "Einsatz total CHF 7.50 · Ausbezahlt CHF 20.00 · Bilanz CHF 12.50\n"
         "Bei reinem Zufall erwartet: 0.11 × 3, 0.0068 × 4, 0.00014 × 5, 0.0000037 × 5 + ZZ"},
        {50,
         {2026, 1, 2},
         {2026, 1, 2},
         {2025, 12, 26},
         {"12 22 32 1 2 3 5", "11 26 29 7 8 1 10"},
         "2 3 4 5 6 7 8",
         "26.12.2025;12;22;32;36;48;3;4\n30.12.2025;11;26;29;34;44;1;10\n",
         "Meine Scheine: Schein ab 26.12.2025, Tipp 1: 3 + 1 am 26.12.2025, Tipp 2: 3 + 2 am 30.12.2025.",
         {"26.12.2025|0 von 1 gezogen, 1 fehlt im Archiv|1|3.50|–|0.00",
          "26.12.2025|0 von 2 gezogen, 2 fehlen im Archiv|2|14.00|–|0.00"},
         {"26.12.2025|abgeschlossen|1|3.50|–|0.00",
          "26.12.2025|abgeschlossen|2|14.00|1 × 3 + 2, 1 × 3 + 1|20.00"},
         {"Fr. 26.12.25|12  22  32  36  48 Sterne:3 4|3 + 1|–",
          "Di. 30.12.25|11  26  29  34  44 Sterne:1 10|–|3 + 2"},
         "Einsatz total CHF 17.50 · Ausbezahlt CHF 20.00 · Bilanz CHF 2.50\n"
         "Bei reinem Zufall erwartet: 0.23 × 2, 0.10 × 2 + 1, 0.027 × 1 + 2, 0.016 × 3, 0.0071 × 3 + 1, "
         "0.00035 × 3 + 2\nEin Tipp kostet in der Schweiz CHF 3.50 mit der „2. Chance“, die das Programm "
         "nicht "
         "prüft."},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.game);
        const Game& game = Game::byValue(c.game);
        WindowFixture f;
        f.today = c.today;
        std::vector<Draw> draws = shippedDraws(game);
        draws.resize(draws.size() - 2);
        f.playing(game, draws);
        f.dataFolders = {QFileInfo(shippedRecordPath()).absolutePath()};
        f.open();
        const auto enter = [&f, &game](int row, const char* tip) {
            const QStringList typed = QString::fromLatin1(tip).split(QLatin1Char(' '));
            const int drawn = game.numbers.drawn;
            for (int i = 0; i < typed.size(); ++i)
                f.find<QLineEdit>(i < drawn ? TipGrid::cellName(row, i)
                                            : TipGrid::extraCellName(row, i - drawn))
                    ->setText(typed[i]);
        };
        int most = 0; // the draws a slip from its first draw may play
        const auto save = [&](int draws, QDate* offered, QString* stake) {
            whenModalNamed("TForm9", [&](QWidget* dialog) {
                auto* first = dialog->findChild<QDateEdit*>(QStringLiteral("DateEdit9"));
                if (offered) *offered = first->date();
                first->setDate(c.first);
                most = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit9"))->maximum();
                dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit9"))->setValue(draws);
                if (stake) *stake = dialog->findChild<QLabel*>(QStringLiteral("Label91"))->text();
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn91")),
                                  Qt::LeftButton);
            });
            f.click(QStringLiteral("BitBtn20"));
        };
        QDate offered;
        QString stake;
        enter(0, c.tipsA[0]);
        enter(1, c.tipsA[1]);
        save(2, &offered, &stake);
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(most, c.game == 45 ? 2 : 52); // 6 aus 45 ended on 9 January 2013
        EXPECT_EQ(stake, QStringLiteral("Einsatz: 2 Tipps × 2 Ziehungen × CHF %1 = CHF %2")
                             .arg(formatCents(game.tipPriceCents), formatCents(4 * game.tipPriceCents)));
        f.click(QStringLiteral("SpeedButton11"));
        enter(0, c.tipB);
        save(1, nullptr, nullptr);

        f.find<QTabWidget>(QStringLiteral("PageControl1"))
            ->setCurrentWidget(f.find<QWidget>(QStringLiteral("TabSheet7")));
        auto* slips = f.find<QTableWidget>(QStringLiteral("ScheinGrid"));
        EXPECT_EQ(rowsOf(slips), c.before);

        f.dir.writeFile(QStringLiteral("neu.csv"), c.lines);
        f.context->chooseImportFiles = [&f] { return QStringList{f.dir.file(QStringLiteral("neu.csv"))}; };
        f.click(QStringLiteral("BitBtn9"));
        EXPECT_TRUE(f.dialogs->messages.value(f.dialogs->messages.size() - 1)
                        .endsWith(QStringLiteral("\n\n") + c.report))
            << f.dialogs->messages.join(QStringLiteral("\n---\n")).toStdString();
        if (c.game == 42) {
            // Until the player types what he was paid, the balance counts what the quotas paid.
            EXPECT_TRUE(
                f.find<QLabel>(QStringLiteral("Label90"))
                    ->text()
                    .startsWith(QStringLiteral("Einsatz total CHF 12.50 · Ausbezahlt CHF 117.35 · Bilanz CHF "
                                               "104.85, Gewinne ohne Eintrag laut Quoten\n")));
        }
        slips->selectRow(1);
        slips->item(1, 5)->setText(QStringLiteral("20"));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return f.find<QLabel>(QStringLiteral("Label90"))->text() == c.totals; }, 10000))
            << f.find<QLabel>(QStringLiteral("Label90"))->text().toStdString();
        EXPECT_EQ(rowsOf(slips), c.after);
        EXPECT_EQ(rowsOf(f.find<QTableWidget>(QStringLiteral("TreffGrid"))), c.hitsA);
        EXPECT_EQ(f.window->status(1).indexOf(QStringLiteral("Meine Scheine")),
                  -1); // said once, in the report

        f.dialogs->questionAnswers = {true};
        slips->selectRow(0);
        f.click(QStringLiteral("BitBtn93"));
        EXPECT_EQ(
            f.dialogs->questions.value(f.dialogs->questions.size() - 1),
            QStringLiteral("Soll der Schein ab %1 mit 1 Tipp gelöscht werden?").arg(c.after[0].left(10)));
        EXPECT_EQ(rowsOf(slips), c.after.mid(1));
        EXPECT_TRUE(f.dialogs->errors.isEmpty()) << f.dialogs->errors.join(QLatin1Char('\n')).toStdString();
    }
}

// A store of slips that cannot be read is told once at start, naming its file, and on the page; it stays as
// it was, whatever the draws do.
TEST(SlipWindow, AStoreThatCannotBeReadIsToldOnceAndKept) {
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2002, 10, 5), {3, 12, 17, 25, 33, 41}, 7, 4)});
    const QByteArray damaged(4096, 'x');
    f.dir.writeFile(QStringLiteral("Scheine.sqlite"), damaged);
    f.open();
    f.context->askForDraw = [](const Draw&) {
        return std::optional(makeDraw(QDate(2002, 10, 9), {1, 2, 3, 4, 5, 6}, 7));
    };
    f.click(QStringLiteral("BitBtn8"));
    f.find<QTabWidget>(QStringLiteral("PageControl1"))
        ->setCurrentWidget(f.find<QWidget>(QStringLiteral("TabSheet7")));
    const QString told =
        QStringLiteral("Die Datei \"%1\" ist beschädigt oder keine Datenbank der Scheine; sie bleibt, "
                       "wie sie ist.")
            .arg(f.dir.file(QStringLiteral("Scheine.sqlite")));
    EXPECT_EQ(f.dialogs->errors, QStringList{told});
    EXPECT_EQ(f.window->status(1), QStringLiteral("Meine Scheine: ") + told);
    EXPECT_EQ(f.find<QLabel>(QStringLiteral("Label90"))->text(), told);
    EXPECT_EQ(f.dir.readFile(QStringLiteral("Scheine.sqlite")), damaged);
}

// A slip is saved from draw day to draw day, changed through TForm9 with its tips one a line - what it was
// paid stays and only what the change makes different is said - and copied to a file of the player's.
TEST(SlipWindow, ASlipIsChangedAndCopied) {
    WindowFixture f;
    f.today = QDate(2026, 1, 2);
    f.playing(Game::sixOf42(), shippedDraws(Game::sixOf42()));
    f.open();
    const QStringList tip = QStringLiteral("1 8 16 40 41 42 2").split(' ');
    for (int i = 0; i < 7; ++i)
        f.find<QLineEdit>(i < 6 ? TipGrid::cellName(0, i) : TipGrid::extraCellName(0))->setText(tip[i]);
    QList<QDate> stepped;
    whenModalNamed("TForm9", [&](QWidget* dialog) {
        auto* first = dialog->findChild<QDateEdit*>(QStringLiteral("DateEdit9"));
        stepped << first->date();
        QTest::keyClick(first, Qt::Key_Up); // Saturday to Wednesday
        stepped << first->date();
        QTest::keyClick(first, Qt::Key_Down);
        QTest::keyClick(first, Qt::Key_Down);
        stepped << first->date();
        emit first->calendarWidget()->clicked(QDate(2026, 1, 4)); // a Sunday: the next draw day
        EXPECT_TRUE(QTest::qWaitFor([&] { return first->date() == QDate(2026, 1, 7); }, 5000));
        stepped << first->date();
        first->setDate(QDate(2025, 12, 27));
        dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit9"))->setValue(2);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn91")), Qt::LeftButton);
    });
    f.click(QStringLiteral("BitBtn20"));
    EXPECT_EQ(stepped, (QList<QDate>{{2026, 1, 3}, {2026, 1, 7}, {2025, 12, 31}, {2026, 1, 7}}));
    EXPECT_EQ(f.window->status(1),
              QStringLiteral("Schein ab 27.12.2025 mit 1 Tipp gespeichert. Meine Scheine: "
                             "Schein ab 27.12.2025, Tipp 1: 3 + GZ am 27.12.2025."));
    f.find<QTabWidget>(QStringLiteral("PageControl1"))
        ->setCurrentWidget(f.find<QWidget>(QStringLiteral("TabSheet7")));
    auto* slips = f.find<QTableWidget>(QStringLiteral("ScheinGrid"));
    slips->item(0, 5)->setText(QStringLiteral("26.80"));
    QString shown;
    whenModalNamed("TForm9", [&](QWidget* dialog) {
        auto* memo = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Memo9"));
        shown = dialog->windowTitle() + '|' + memo->toPlainText();
        memo->setPlainText(QStringLiteral("1 8 16 24 41 42  GZ 2"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn91")), Qt::LeftButton);
    });
    f.click(QStringLiteral("BitBtn94"));
    EXPECT_EQ(shown, QStringLiteral("Schein ändern|1 8 16 40 41 42  GZ 2"));
    EXPECT_EQ(f.window->status(1),
              QStringLiteral("Schein ab 27.12.2025 mit 1 Tipp geändert. Meine Scheine: korrigiert: Schein ab "
                             "27.12.2025, Tipp 1 am 27.12.2025 nun 4 + GZ, vorher 3 + GZ."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return slips->item(0, 5)->text() == QStringLiteral("26.80"); }, 10000));
    EXPECT_EQ(slips->item(0, 4)->text(), QStringLiteral("1 × 4 + GZ"));

    // The copy is a store of its own with the same slip; no file of the program is written over.
    const QString copy = f.dir.file(QStringLiteral("Sicherung.sqlite"));
    for (const QString& target : {f.dir.file(QStringLiteral("Zahlen42.dat")), copy}) {
        f.context->chooseBackupFile = [&target](const QString&) { return target; };
        f.click(QStringLiteral("BitBtn95"));
    }
    EXPECT_TRUE(f.dialogs->errors.value(0).contains(QStringLiteral("ist eine Datei der Datenbank")))
        << f.dialogs->errors.join('\n').toStdString();
    EXPECT_EQ(f.window->status(1), QStringLiteral("Scheine gesichert in \"%1\".").arg(copy));
    QDir(f.dir.path()).mkdir(QStringLiteral("kopie"));
    QFile::rename(copy, f.dir.file(QStringLiteral("kopie/Scheine.sqlite")));
    SlipStore copied(f.dir.file(QStringLiteral("kopie/")));
    ASSERT_EQ(copied.slips(Game::sixOf42()).size(), 1u);
    EXPECT_EQ(copied.slips(Game::sixOf42())[0].paidCents, 2680);
}

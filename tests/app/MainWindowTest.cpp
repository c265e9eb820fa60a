#include "WindowFixture.h"

#include "app/AppSetup.h"
#include "gui/BrowserView.h"
#include "gui/ChartView.h"
#include "gui/DrawEntryDialog.h"
#include "gui/FileDialogs.h"
#include "gui/HitBalanceDialog.h"
#include "gui/PrintSettingsDialog.h"
#include "gui/StatisticsBrowserWindow.h"
#include "support/Modal.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QResizeEvent>
#include <QSet>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Expect {
    const char* name;
    const char* text; // caption; nullptr: not checked
    const char* hint; // tooltip; nullptr: not checked
    bool visible = true;
};

QString str(const char* s) {
    return QString::fromUtf8(s);
}

// Shown unless hidden on purpose; a tool bar shows its widgets through actions.
bool shown(QWidget* w) {
    if (auto* bar = qobject_cast<QToolBar*>(w->parentWidget()))
        for (QAction* a : bar->actions())
            if (bar->widgetForAction(a) == w) return a->isVisible();
    return !w->isHidden();
}

} // namespace

TEST(MainWindow, EveryControlIsThereWithItsCaptionAndHint) {
    WindowFixture f;
    MainWindow& w = f.open(false);
    EXPECT_EQ(w.objectName(), QStringLiteral("TForm1"));
    EXPECT_EQ(w.windowTitle(), str("Tolbrands Lotto - Tippgenerator für Spiel 6 aus 45 für die Schweiz"));
    EXPECT_EQ(w.size(), QSize(519, 451));
    EXPECT_EQ(w.font().pixelSize(), 13);
    EXPECT_EQ(w.font().family(), QStringLiteral("Arial"));

    auto* pages = f.find<QTabWidget>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    // clang-format off
    const std::pair<const char*, const char*> tabs[] = {{"TabSheet1", "Lottotipp"}, {"TabSheet7", "Meine Scheine"},
        {"TabSheet2", "Zahlen der letzten Ziehung"},
        {"TabSheet6", "Berechnungs-Optionen"}, {"TabSheet5", "Diagramm"}, {"TabSheet4", "Datenbank"}, {"TabSheet3", "Internet-Optionen"}};
    // clang-format on
    // Every control has a name of its own: two of one name would share one state.
    QStringList names;
    for (const QWidget* w : pages->findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            names << w->objectName();
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
    ASSERT_EQ(pages->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), str(tabs[i].first));
        EXPECT_EQ(pages->tabText(i), str(tabs[i].second));
    }
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_NE(f.find<QStatusBar>(QStringLiteral("StatusBar1")), nullptr);
    EXPECT_EQ(f.find<QLabel>(QStringLiteral("StatusPanel0"))->width(), 150);

    // clang-format off
    const Expect controls[] = {
        {"Label28", "1. Tipp", nullptr},
        {"Label73", "14. Tipp", nullptr},
        {"SpeedButton11", nullptr, "Löschen aller Tipps"},
        {"SpeedButton4", "Tipps in DB suchen", "Hier können Sie suchen ob dieser Tipp schon einmal gezagen würde"},
        {"SpeedButton13", nullptr, "Hier können Sie den Zufall etwas nachhelfen und wirklich Ihren Tipp generieren"},
        {"BitBtn4", "Tipps berechnen", "Die eingestellt Anzahl von Tipps wird mit den vorgegebenen Parametern berechnet"},
        {"BitBtn5", nullptr, nullptr},
        {"SpeedButton6", nullptr, nullptr},
        {"SpeedButton7", nullptr, nullptr},
        {"Label35", nullptr, nullptr},
        {"Label13", "Quersumme", nullptr},
        {"CheckBox16", "Samstag Ziehungen", nullptr},
        {"CheckBox17", "Mittwoch Ziehungen", nullptr},
        {"BitBtn7", "Tipp",
         "Der Tipp wurd als Textgespeichert und angezeigt. Kann natürlich auch gedrucktwerden und zur annahmestelle gebracht werden."},
        {"SpeedButton12", "Schein", "Wenn Sie schon einen Lottoschein haben können Sie Hier den Tipp direkt in den Schein drucken"},
        {"Button6", "Tippverteilung", "Hier sehen Sie ein Diagramm der Zahlenverteilung des Tipps"},
        {"Label44", "T o l b r a n d 's  Z i e h b o x   V 1 . 6", nullptr},
        {"Label43", nullptr, nullptr},
        {"Panel2", nullptr, nullptr},
        {"Panel5", nullptr, nullptr},
        {"Label3", "datum", nullptr},
        {"Label5", "datum", nullptr},
        {"Label6", "ZZ:", nullptr},
        {"Label7", "SZ:", nullptr},
        {"Label9", "ZZ:", nullptr},
        {"Label8", "SZ:", nullptr},
        {"Label1", "", nullptr},
        {"Label2", "", nullptr},
        {"Button1", "Rudazevovor aus dem Internet laden", nullptr},
        {"CheckBox1", "Zahlen mit einer häufigen Paarebildung bevorzugen", nullptr},
        {"CheckBox2", "Zahlen die besonders oft gezogen wurden bevorzugen", nullptr},
        {"CheckBox3", "maximal                 Übereinstimmungen mit anderen Tipps", nullptr},
        {"CheckBox4", "maximal                 Zahl der letzten Ziehung zulassen", nullptr},
        {"CheckBox5", "maximal                 Zahl der vorletzten Ziehung zulassen", nullptr},
        {"CheckBox6", "Zahlen mit einer häufigen Dreiergruppenbildung bevorzugen", nullptr},
        {"CheckBox7", "Zahlen mit einer häufigen Viergruppenbildung bevorzugen", nullptr},
        {"CheckBox8", "eine Paarbildung pro Tipp erzwingen", nullptr},
        {"CheckBox9", "Tipp darf noch keinen              er aus der Datenbank entsprechen", nullptr},
        {"CheckBox10", "Zahlen die am längsten überfällig, als nicht gezogen wurden bevorzugen", nullptr},
        {"CheckBox11", "seltensten", nullptr},
        {"CheckBox12", "seltensten", nullptr},
        {"CheckBox13", "seltensten", nullptr},
        {"CheckBox14", "Zahlen die besonders selten gezogen wurden bevorzugen", nullptr},
        {"CheckBox15", "für den Tipp nur bevorzugte Zahlen verwenden!", nullptr},
        {"Label51", "Quersummer von                  bis                     im Tipp zulassen", nullptr},
        {"TeeCommander1", nullptr, nullptr},
        {"SpeedButton1", nullptr, nullptr},
        {"SpeedButton2", nullptr, "Wie oft wurden die einzelnen Zahlen gezogen"},
        {"SpeedButton3", "SZ", "Wie oft wurden die jeweiligen SUperzahlen gezogen", false},
        {"SpeedButton9", "QS", "Verteilung der Quersummen der Ziehungen"},
        {"SpeedButton14", "Zufall", "Zeigt, was der reine Zufall erwarten lässt"},
        {"SpeedButton5", nullptr, "Bewertung des Tipps für die Ziehung des gewählten Datums"},
        {"BitBtn1", "Datenbank aktualisieren", nullptr},
        {"BitBtn2", "Datenbank neu anlegen",
         "Beim neu anlegen der Datenbank, wird mit dem Einlesen bei dem Eingestellten Datum begonnen. Ein Datum bis 1955 ist möglich."},
        {"SpeedButton8", nullptr, "Stoppt das Einlesen", false},
        {"BitBtn3", "Export nach Text", nullptr},
        {"BitBtn9", "Import aus Text", "Ziehungen aus einer Text- oder CSV-Datei in die Datenbank übernehmen"},
        {"Button2", "Paare suchen", nullptr},
        {"Button3", "Dreier suchen", nullptr},
        {"Button4", "Vierer suchen", nullptr},
        {"Button5", "Ausstehende", nullptr},
        {"Button7", "Trefferbilanz", "Wie oft hätten die Tipps in den gewählten Ziehungen gewonnen?"},
        {"BitBtn6", "Löschen", nullptr},
        {"BitBtn8", "Eingeben", nullptr},
        {"Label11", "Max.Berechnungsläufe", nullptr},
        {"Label12", "Tausend", nullptr},
        {"Memo1", nullptr, nullptr, false},
        {"Label29", nullptr, nullptr},
        {"Panel1", nullptr, nullptr},
        {"Label53", "Proxy-Server", nullptr},
        {"Label54", "Porxy-Port", nullptr},
        {"Label55", "Temp-Datei für Internetabruf", nullptr},
        {"Label56", "Internetquelle für Lottozahlenabruf", nullptr, false},
        {"ProxyHostEdit", "", nullptr},
        {"ProxyPortEdit", "80", nullptr},
        {"FileNameEdit", nullptr, nullptr},
        {"URLEdit", nullptr, nullptr, false},
        {"Label59", "Ziehungsliste 6 aus 42 (Adresse):", nullptr},
        {"Label78", "Öffentliche Liste, nach jeder Ziehung nachgeführt. Jede andere Adresse einer Liste der Ziehungen kann eingetragen werden.", nullptr},
        {"Label52", nullptr, nullptr},
        {"Label57", nullptr, nullptr},
    };
    // clang-format on
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* widget = f.find<QWidget>(str(c.name));
        ASSERT_NE(widget, nullptr);
        if (c.text) {
            QString text;
            if (auto* l = qobject_cast<QLabel*>(widget)) text = l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(widget)) text = b->text();
            if (auto* e = qobject_cast<QLineEdit*>(widget)) text = e->text();
            EXPECT_EQ(text, str(c.text));
        }
        if (c.hint) {
            EXPECT_EQ(widget->toolTip(), str(c.hint));
        }
        EXPECT_EQ(shown(widget), c.visible);
        EXPECT_EQ(f.context->controls.visible(str(c.name)), c.visible);
    }
    EXPECT_FALSE(f.find<QLineEdit>(QStringLiteral("URLEdit"))->isEnabled());
    EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label43"))->text().startsWith(QStringLiteral("w w w . ")));

    // clang-format off
    const struct { const char* upDown; const char* edit; int value, min, max; } spins[] = {
        {"UpDown1", "Edit37", 110, 21, 279},  {"UpDown2", "Edit38", 200, 21, 279},
        {"UpDown3", "Edit39", 3, 0, 5},       {"UpDown4", "Edit40", 1, 0, 5},
        {"UpDown5", "Edit41", 1, 0, 5},       {"UpDown6", "Edit42", 5, 3, 6},
        {"UpDown7", "Edit55", 100, 1, 10000}, {"UpDown8", "Edit80", 10, 2, 14},
    };
    // clang-format on
    for (const auto& s : spins) {
        SCOPED_TRACE(s.upDown);
        auto* spin = f.find<QSpinBox>(str(s.upDown));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(std::tuple(spin->value(), spin->minimum(), spin->maximum()),
                  std::tuple(s.value, s.min, s.max));
        ASSERT_NE(spin->findChild<QLineEdit*>(str(s.edit)), nullptr);
        EXPECT_EQ(f.context->controls.value(str(s.upDown)), s.value);
    }
    auto* tipCount = f.find<QSpinBox>(QStringLiteral("UpDown8"));
    EXPECT_EQ(tipCount->singleStep(), 2);
    EXPECT_TRUE(tipCount->findChild<QLineEdit*>()->isReadOnly());
    for (int step = 0; step < 3; ++step) tipCount->stepUp();
    EXPECT_EQ(tipCount->value(), 14);
    auto* digitSum = f.find<QSpinBox>(QStringLiteral("UpDown1"));
    digitSum->setValue(300);
    EXPECT_EQ(digitSum->value(), 279);
    digitSum->setValue(5);
    EXPECT_EQ(digitSum->value(), 21);
    EXPECT_EQ(f.context->controls.value(QStringLiteral("UpDown1")), 21);

    for (const char* picker : {"DateTimePicker1", "DateTimePicker2"}) {
        auto* date = f.find<QDateEdit>(str(picker));
        ASSERT_NE(date, nullptr) << picker;
        EXPECT_TRUE(date->calendarPopup());
        EXPECT_EQ(date->minimumDate(), QDate(1955, 10, 9));
    }
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->date(), QDate(1955, 10, 9));
    auto* chance = f.find<QAbstractButton>(QStringLiteral("SpeedButton14"));
    EXPECT_TRUE(chance->isCheckable());
    EXPECT_TRUE(chance->isChecked());
    EXPECT_TRUE(f.context->controls.checked(QStringLiteral("SpeedButton14")));

    std::vector<bool> checked;
    for (int n = 1; n <= 15; ++n)
        checked.push_back(f.find<QCheckBox>(QStringLiteral("CheckBox%1").arg(n))->isChecked());
    EXPECT_EQ(checked, (std::vector<bool>{true, true, true, true, true, true, true, true, true, true, false,
                                          false, false, true, false}));

    // The tip grid: row 1 shows 1 .. 6, every other cell is empty, the tab order runs row by row.
    for (int r = 0; r < TipGrid::Rows; ++r)
        for (int c = 0; c < TipGrid::Columns; ++c) {
            auto* cell = f.find<QLineEdit>(TipGrid::cellName(r, c));
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->text(), r == 0 ? QString::number(c + 1) : QString());
            ASSERT_NE(f.find<QLabel>(TipGrid::hitLabelName(r)), nullptr);
            ASSERT_NE(f.find<QLabel>(TipGrid::sumLabelName(r)), nullptr);
        }
    auto nextTabStop = [](QWidget* from) {
        QWidget* w = from->nextInFocusChain();
        while (w != from && !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
        return w;
    };
    EXPECT_EQ(nextTabStop(f.find<QLineEdit>(QStringLiteral("Edit6"))),
              f.find<QLineEdit>(QStringLiteral("Edit7")));
    EXPECT_EQ(nextTabStop(f.find<QLineEdit>(QStringLiteral("Edit36"))),
              f.find<QLineEdit>(QStringLiteral("Edit43")));
    EXPECT_EQ(f.find<QLineEdit>(QStringLiteral("Edit2"))->x() -
                  f.find<QLineEdit>(QStringLiteral("Edit1"))->x(),
              32);
}

TEST(MainWindow, NumberSpinnersSitOverTheBlanksOfTheirCaptions) {
    WindowFixture f;
    f.open(false);
    for (const auto& [box, spin] : {std::pair{"CheckBox3", "UpDown3"}, {"CheckBox9", "UpDown6"}}) {
        const QRect boxRect = f.find<QCheckBox>(str(box))->geometry();
        const QRect spinRect = f.find<QSpinBox>(str(spin))->geometry();
        EXPECT_TRUE(boxRect.contains(spinRect.topLeft())) << box;
        EXPECT_GT(spinRect.width(), 30) << spin;
    }
}

// Every control a user reaches with the keyboard has a German name for a screen reader, on every page of
// the window and in its dialogs, the browser window included.
TEST(MainWindow, EveryControlHasANameForScreenReaders) {
    WindowFixture f;
    MainWindow& w = f.open(false);
    // Shown, so that the tool bars lay out the controls they hold.
    w.show();
    DrawEntryDialog entry(Game::sixOf45(), &w);
    PrintSettingsDialog printSettings(&w);
    HitBalanceDialog balance(HitBalance{}, &w);
    // The browser window makes its browser on first use: start it on an empty page.
    auto* browserWindow = w.findChild<StatisticsBrowserWindow*>(QStringLiteral("TForm6"));
    ASSERT_NE(browserWindow, nullptr);
    browserWindow->setStatisticsPage(QUrl(QStringLiteral("about:blank")));
    browserWindow->start();
    ASSERT_NE(browserWindow->browser(), nullptr);

    QStringList walked;
    const auto walk = [&](QWidget* top, const QString& where) {
        for (QWidget* control : top->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(top) || !control->isEnabled())
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(face, nullptr);
            EXPECT_FALSE(face->text(QAccessible::Name).trimmed().isEmpty())
                << where.toStdString() << " " << control->objectName().toStdString() << " "
                << control->metaObject()->className();
            walked << control->objectName();
        }
    };
    // Each page in turn: a page the tab widget does not show hides its controls.
    auto* pages = f.find<QTabWidget>(QStringLiteral("PageControl1"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        walk(&w, pages->widget(i)->objectName());
    }
    for (QWidget* top : std::initializer_list<QWidget*>{&entry, &printSettings, &balance, browserWindow})
        walk(top, top->objectName());
    // The walk reached the pages after the first, and the chart's own view.
    for (const char* control :
         {"Edit37", "CheckBox15", "DateTimePicker2", "SpeedButton14", "Button5", "ProxyHostEdit"})
        EXPECT_TRUE(walked.contains(str(control))) << control;

    const auto name = [&](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    const auto named = [&](const char* control) { return name(f.find<QWidget>(str(control))); };
    EXPECT_EQ(named("Edit8"), str("2. Tipp, 2. Zahl"));
    EXPECT_EQ(named("Label47"), str("8. Tipp Treffer"));
    EXPECT_EQ(named("Label77"), str("14. Tipp Quersumme"));
    EXPECT_EQ(named("SpeedButton11"), str("Löschen aller Tipps"));
    EXPECT_EQ(named("SpeedButton14"), str("Zufall: was der reine Zufall erwarten lässt"));
    // The browser draws its page into a widget of its own, which takes the focus.
    QWidget* page = browserWindow->browser()->focusProxy();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(name(page), str("Statistikseite des Lottobetreibers"));

    // The chart and the view inside it that takes the focus: its name, and the caption it shows.
    f.context->chart.setBottomTitle(QStringLiteral("Zahlenverteilung"));
    f.find<ChartView>(QStringLiteral("Chart1"))->refresh();
    EXPECT_EQ(f.find<QWidget>(QStringLiteral("Chart1"))->accessibleDescription(), str("Zahlenverteilung"));
    auto* inner = f.find<QWidget>(QStringLiteral("Chart1"))->findChild<QChartView*>();
    ASSERT_NE(inner, nullptr);
    EXPECT_NE(inner->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(name(inner), str("Diagramm"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(inner)->text(QAccessible::Description),
              str("Zahlenverteilung"));
}

// Qt's own dialogs speak German: the save dialog of the export and a yes/no question.
TEST(MainWindow, QtsOwnDialogsSpeakGerman) {
    TestDir dir;
    const auto buttonTexts = [](QWidget* box) {
        QStringList texts;
        for (auto* b : box->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(box) && !b->text().isEmpty()) texts << b->text().remove(QLatin1Char('&'));
        texts.sort();
        return texts;
    };
    QString title;
    QStringList buttons;
    whenModalOf("QFileDialog", [&](QWidget* dialog) {
        title = dialog->windowTitle();
        buttons = buttonTexts(dialog);
        qobject_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_EQ(chooseExportFile(dir.file(QStringLiteral("CHJ2002.csv"))), QString());
    EXPECT_EQ(title, str("Speichern unter"));
    EXPECT_TRUE(buttons.contains(str("Abbrechen"))) << buttons.join(' ').toStdString();
    EXPECT_TRUE(buttons.contains(str("Speichern"))) << buttons.join(' ').toStdString();

    whenModalOf("QMessageBox", [&](QWidget* box) {
        buttons = buttonTexts(box);
        qobject_cast<QDialog*>(box)->reject();
    });
    QtDialogs().question(nullptr, str("Tolbrands Lotto"), str("Soll der Tipp jetzt berechnet werden?"), true);
    EXPECT_EQ(buttons, (QStringList{str("Ja"), str("Nein")}));
}

// The titles as the X server holds them, set up as the program sets up its application: nothing
// appended to the main window's or the entry dialog's caption. Runs under its own X server (CTest's
// XServer.WindowTitles); elsewhere it is skipped.
TEST(XServer, WindowTitlesAreExactlyAsGiven) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server";
    setUpApplication(*qApp);
    const auto xTitle = [](QWidget* w) {
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w, 10000));
        QProcess xprop;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        xprop.setProcessEnvironment(env);
        xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w->winId()),
                                              QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME")});
        EXPECT_TRUE(xprop.waitForFinished(10000));
        QStringList titles;
        for (const QByteArray& line : xprop.readAllStandardOutput().split('\n'))
            if (line.contains('"')) titles << QString::fromUtf8(line.mid(line.indexOf('"') + 1).chopped(1));
        return titles;
    };
    WindowFixture f;
    MainWindow& w = f.open(false);
    const QString main = str("Tolbrands Lotto - Tippgenerator für Spiel 6 aus 45 für die Schweiz");
    EXPECT_EQ(xTitle(&w), (QStringList{main, main}));
    DrawEntryDialog entry(Game::sixOf45(), &w);
    EXPECT_EQ(xTitle(&entry),
              (QStringList{str("Zahlen der Ziehung eingeben"), str("Zahlen der Ziehung eingeben")}));
}

// Under an English desktop the window is as German as under a German one: weekdays, dates, numbers.
TEST(MainWindow, TheWindowIsGermanWhateverTheDesktop) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    WindowFixture f;
    f.dir.writeArchive({makeDraw(QDate(2013, 1, 9), {2, 13, 25, 32, 34, 35}, 29)});
    f.today = QDate(2013, 1, 10);
    f.open();
    EXPECT_EQ(f.find<QLabel>(QStringLiteral("Label35"))->text(),
              str("Mi. 09.01.13    2  13  25  32  34  35 Z:29"));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker1"))->text(), QStringLiteral("09.01.2013"));
    EXPECT_EQ(f.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->text(), QStringLiteral("09.10.1955"));
    EXPECT_EQ(QLocale().name(), QStringLiteral("de_CH"));
}

// A window made smaller than the pages are laid out for, where no window manager keeps it from that,
// takes its least size again.
TEST(XServer, TheWindowKeepsItsLeastSize) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server";
    // The sizes the window is told, to know when the X server's answer has come.
    struct Sizes : QObject {
        QList<QSize> seen;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Resize) seen << static_cast<QResizeEvent*>(event)->size();
            return false;
        }
    } sizes;
    WindowFixture f;
    MainWindow& w = f.open(false);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, 10000));
    w.installEventFilter(&sizes);
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("windowsize"), QString::number(w.winId()),
                                              QStringLiteral("300"), QStringLiteral("200")});
    ASSERT_TRUE(xdotool.waitForFinished(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizes.seen.contains(QSize(300, 200)); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return sizes.seen.last() == MainWindow::DesignedSize; }, 10000));
    EXPECT_EQ(w.size(), MainWindow::DesignedSize);
}

// The box of the game: either game with its own archive, cells, charts and controls, kept between runs; a
// switch is refused while another operation holds the archive.
TEST(MainWindow, TheGameBoxServesEitherGame) {
    WindowFixture f;
    f.today = QDate(2026, 1, 1);
    f.dir.writeArchive(shippedDraws());
    f.dir.writeArchive(shippedDraws(Game::sixOf42()), QStringLiteral("Zahlen42.dat"));
    f.open();
    const auto box = [&f] { return f.find<QComboBox>(QStringLiteral("ComboBox1")); };
    ASSERT_NE(box(), nullptr);
    EXPECT_EQ(box()->toolTip(), QStringLiteral("Spiel"));
    EXPECT_EQ(box()->itemText(0) + '|' + box()->itemText(1), QStringLiteral("6 aus 45|6 aus 42"));
    const QString noSource = str("Für 6 aus 42 nicht verfügbar: neue Ziehungen mit „Import aus Text“ oder "
                                 "„Eingeben“ übernehmen.");
    const auto choose = [&](int index) {
        box()->setCurrentIndex(index);
        emit box()->activated(index);
    };
    const auto shows42 = [&](bool yes) {
        EXPECT_EQ(f.window->windowTitle(), str("Tolbrands Lotto - Tippgenerator für Spiel %1 für die Schweiz")
                                               .arg(yes ? "6 aus 42" : "6 aus 45"));
        EXPECT_EQ(box()->currentIndex(), yes ? 1 : 0);
        EXPECT_EQ(f.context->chart.barCount(), yes ? 42 : 45);
        EXPECT_EQ(shown(f.find<QWidget>(QStringLiteral("Edit101"))), yes);
        EXPECT_EQ(f.find<QWidget>(QStringLiteral("Edit114"))->toolTip() + " | " +
                      f.find<QWidget>(QStringLiteral("Label76"))->toolTip() + " | " +
                      f.find<QWidget>(QStringLiteral("Label77"))->toolTip(),
                  yes ? str("Glückszahl dieses Tipps | Treffer gegen die angezeigte Ziehung; + G: die "
                            "Glückszahl getroffen | Quersumme des Tipps")
                      : str("Zusatzzahl dieses Tipps | Treffer gegen die angezeigte Ziehung; + Z: die "
                            "Zusatzzahl getroffen | Quersumme des Tipps"));
        EXPECT_EQ(shown(f.find<QWidget>(QStringLiteral("SpeedButton15"))), yes);
        // The page of the latest draws is greyed for "6 aus 42" and says why.
        EXPECT_EQ(f.find<QWidget>(QStringLiteral("Label3"))->isEnabled(), !yes);
        EXPECT_EQ(f.find<QLabel>(QStringLiteral("Label60"))
                      ->isVisibleTo(f.find<QWidget>(QStringLiteral("TabSheet2"))),
                  yes);
        // "Aktualisieren" reads the list of draws of "6 aus 42"; what has no source is greyed and says why.
        for (const char* name : {"BitBtn2", "Button1", "SpeedButton12"})
            EXPECT_EQ(f.find<QWidget>(str(name))->isEnabled(), !yes) << name;
        EXPECT_TRUE(f.find<QWidget>(QStringLiteral("BitBtn1"))->isEnabled());
        EXPECT_EQ(f.find<QWidget>(QStringLiteral("BitBtn2"))->toolTip(),
                  yes ? noSource
                      : str("Beim neu anlegen der Datenbank, wird mit dem Einlesen bei dem Eingestellten "
                            "Datum begonnen. Ein Datum bis 1955 ist möglich."));
        EXPECT_EQ(
            f.find<QWidget>(QStringLiteral("BitBtn1"))->toolTip(),
            yes ? str("Neue Ziehungen von 6 aus 42 aus der Ziehungsliste übernehmen, deren Adresse auf der "
                      "Seite „Internet-Optionen“ steht")
                : QString());
        EXPECT_EQ(
            f.find<QWidget>(QStringLiteral("SpeedButton12"))->toolTip(),
            yes ? str("Für 6 aus 42 ist kein Wettschein hinterlegt.")
                : str("Wenn Sie schon einen Lottoschein haben können Sie Hier den Tipp direkt in den Schein "
                      "drucken"));
    };
    // Each game keeps its own tips, the Glückszahlen of "6 aus 42" with them, between switches and runs.
    const auto row = [&f](int r) {
        return f.context->grid.rowTexts(r).join(' ').trimmed() + " GZ " +
               QString::number(f.context->grid.extraCell(r));
    };
    f.context->grid.writeTip(0, {3, 12, 17, 25, 33, 45});
    shows42(false);
    choose(1);
    shows42(true);
    EXPECT_EQ(row(0), QStringLiteral("1 2 3 4 5 6 GZ 0"));
    EXPECT_EQ(f.window->status(0), QStringLiteral("1354 Ziehungen")); // the game shown
    f.context->grid.writeTip(1, {4, 8, 15, 16, 23, 42});
    f.context->grid.setExtraCell(1, 5);
    // Leaving a Glückszahl's cell evaluates its row against the draw on display (GZ 6).
    auto* extraCell = f.find<QLineEdit>(QStringLiteral("Edit102"));
    extraCell->setText(QStringLiteral("6"));
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(extraCell, &leave);
    EXPECT_EQ(f.context->controls.text(TipGrid::hitLabelName(1)), QStringLiteral("1 + G"));
    EXPECT_EQ(f.find<QLabel>(QStringLiteral("Label35"))->text(),
              str("Mi. 31.12.25    1  11  23  37  39  40 GZ:6"));
    EXPECT_TRUE(f.window->status(1).endsWith(QStringLiteral("Zahlen42.dat")));

    f.reopen();
    shows42(true);
    {
        const ArchiveLease busy = f.context->state.archiveGate.take();
        choose(0);
    }
    shows42(true);
    EXPECT_EQ(f.dialogs->errors, QStringList{ArchiveGate::BusyText});
    EXPECT_EQ(row(1), QStringLiteral("4 8 15 16 23 42 GZ 6"));
    choose(0);
    shows42(false);
    EXPECT_TRUE(f.find<QLabel>(QStringLiteral("Label35"))->text().endsWith(QStringLiteral(" Z:29")));
    EXPECT_EQ(row(0) + " | " + row(1), QStringLiteral("3 12 17 25 33 45 GZ 0 |  GZ 0"));
}

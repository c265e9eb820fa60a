#include "app/Pages.h"

#include "app/AppLinks.h"
#include "game/Game.h"
#include "gui/ChartView.h"
#include "gui/Icons.h"
#include "platform/Dates.h"
#include "state/TipGrid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename W> W* make(QWidget* parent, const QString& name, int x, int y, int w, int h) {
    auto* widget = new W(parent);
    if (!name.isEmpty()) widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h = 17) {
    auto* l = make<QLabel>(parent, name, x, y, w, h);
    l->setText(text);
    return l;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h,
                    const QString& hint = QString()) {
    auto* b = make<QPushButton>(parent, name, x, y, w, h);
    b->setText(text);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

QToolButton* speedButton(QWidget* parent, const QString& name, const QString& text,
                         QStyle::StandardPixmap icon, int x, int y, int w, int h,
                         const QString& hint = QString()) {
    auto* b = make<QToolButton>(parent, name, x, y, w, h);
    if (text.isEmpty()) {
        b->setIcon(parent->style()->standardIcon(icon));
    } else {
        b->setText(text);
    }
    if (!hint.isEmpty()) b->setToolTip(hint);
    b->setAutoRaise(false);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, int x, int y, int w,
                    int h = 20) {
    auto* c = make<QCheckBox>(parent, name, x, y, w, h);
    c->setText(text);
    return c;
}

// An edit with its up-down: one spin box named after the up-down, its line edit after the edit.
QSpinBox* upDown(QWidget* parent, const QString& upDownName, const QString& editName, int min, int max,
                 int value, int x, int y, int w, int h = 21) {
    auto* s = make<QSpinBox>(parent, upDownName, x, y, w, h);
    s->setRange(min, max);
    s->setValue(value);
    s->findChild<QLineEdit*>()->setObjectName(editName);
    return s;
}

// Where the first run of three or more blanks of a caption starts and how wide it is, in the widget.
QRect blankGap(const QWidget* widget, const QString& text, int textStart, int occurrence = 0) {
    const QFontMetrics fm(widget->font());
    int from = 0;
    for (int i = 0; i <= occurrence; ++i) {
        from = static_cast<int>(text.indexOf(QLatin1String("   "), from));
        if (from < 0) return {};
        int to = from;
        while (to < text.size() && text[to] == QLatin1Char(' ')) ++to;
        if (i == occurrence) {
            const int x = textStart + fm.horizontalAdvance(text.left(from + 1));
            const int w =
                fm.horizontalAdvance(text.mid(from, to - from)) - fm.horizontalAdvance(QLatin1Char(' ')) * 3;
            return {x, 0, w, widget->height()};
        }
        from = to;
    }
    return {};
}

// A check box whose caption leaves room for its number spinner, which sits over the blanks.
QSpinBox* gapSpinner(QCheckBox* box, const QString& upDownName, const QString& editName, int min, int max,
                     int value) {
    QStyleOptionButton option;
    option.initFrom(box);
    const int textStart = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
    const QRect gap = blankGap(box, box->text(), textStart);
    return upDown(box->parentWidget(), upDownName, editName, min, max, value, box->x() + gap.x(), box->y(),
                  gap.width());
}

// The panel above the tips: the draw on display with its steps, the weekdays and the game.
void tipPageHeader(QWidget* page) {
    auto* top = make<QFrame>(page, QStringLiteral("Panel3"), 0, 0, 505, 46);
    top->setFrameShape(QFrame::StyledPanel);
    speedButton(top, QStringLiteral("SpeedButton6"), QString(), QStyle::SP_ArrowLeft, 4, 3, 24, 20);
    label(top, QStringLiteral("Label35"), QString(), 30, 5, 272);
    speedButton(top, QStringLiteral("SpeedButton7"), QString(), QStyle::SP_ArrowRight, 304, 3, 24, 20);
    label(top, QStringLiteral("Label13"), QStringLiteral("Quersumme"), 334, 5, 136);
    speedButton(top, QStringLiteral("SpeedButton10"), QString(), QStyle::SP_BrowserReload, 476, 3, 24, 20,
                QStringLiteral("Aktualisieren der Rudazevovor aus dem Internet") + QLatin1Char(' ') +
                    QLatin1String(links::operatorSiteName));
    checkBox(top, QStringLiteral("CheckBox16"), QStringLiteral("Samstag Ziehungen"), 6, 24, 150)
        ->setChecked(true);
    checkBox(top, QStringLiteral("CheckBox17"), QStringLiteral("Mittwoch Ziehungen"), 160, 24, 160)
        ->setChecked(true);
    // The game the program serves; what it holds follows it.
    auto* game = make<QComboBox>(top, QStringLiteral("ComboBox1"), 400, 23, 100, 21);
    for (const Game* g : Game::all()) game->addItem(g->name, static_cast<int>(g->id));
    game->setToolTip(QStringLiteral("Spiel"));
}

// The 14 rows of cells with their labels.
void tipRows(QWidget* page) {
    for (int r = 0; r < TipGrid::Rows; ++r) {
        const int y = 50 + r * 22;
        label(page, TipGrid::rowLabelName(r), QStringLiteral("%1. Tipp").arg(r + 1), 4, y + 2, 52);
        for (int c = 0; c < TipGrid::Columns; ++c) {
            auto* cell = make<QLineEdit>(page, TipGrid::cellName(r, c), 58 + 32 * c, y, 30, 20);
            cell->setMaxLength(3);
            cell->setAlignment(Qt::AlignRight);
        }
        // The tip's own extra number, where the game has one; applyGameToWindow shows it and moves the
        // labels beside it.
        for (int place = 0; place < TipGrid::ExtraColumns; ++place) {
            auto* extra =
                make<QLineEdit>(page, TipGrid::extraCellName(r, place), 252 + 28 * place, y, 26, 20);
            extra->setMaxLength(2);
            extra->setAlignment(Qt::AlignRight);
            extra->hide();
        }
        // The hit label reaches under the digit sum, which a tip with a number twice leaves empty for
        // "Zahl doppelt".
        label(page, TipGrid::hitLabelName(r), QString(), 254, y + 2, 78);
        auto* sum = label(page, TipGrid::sumLabelName(r), QString(), 302, y + 2, 30);
        sum->setToolTip(QStringLiteral("Quersumme des Tipps"));
        sum->raise();
        // What a hit of the tip is paid against the same hit of an average tip, where the game's
        // popularity is known; applyGameToWindow shows it.
        auto* worth = label(page, TipGrid::worthLabelName(r), QString(), 324, y + 2, 29);
        QFont small = worth->font();
        small.setPixelSize(11);
        worth->setFont(small);
        worth->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        worth->hide();
    }
    // The Saturday results of the downloaded draws stand beside rows 1 .. 6.
    for (int r = 0; r < 6; ++r)
        label(page, QStringLiteral("Label%1").arg(15 + r), QString(), 334, 52 + r * 22, 40);
    page->findChild<QLabel*>(QStringLiteral("Label28"))->setCursor(Qt::PointingHandCursor);
}

// The program's banner and the partner's panel, both links.
void tipPageBanners(QWidget* page) {
    auto* banner = make<QFrame>(page, QStringLiteral("Panel5"), 4, 360, 370, 30);
    banner->setFrameShape(QFrame::Panel);
    banner->setFrameShadow(QFrame::Raised);
    banner->setCursor(Qt::PointingHandCursor);
    auto* title = label(banner, QStringLiteral("Label44"),
                        QStringLiteral("T o l b r a n d 's  Z i e h b o x   V 1 . 6"), 40, 5, 290, 20);
    title->setAlignment(Qt::AlignCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    // Shorter than it was by the room of "Schein speichern" below it.
    auto* partner = make<QFrame>(page, QStringLiteral("Panel2"), 378, 50, 126, 104);
    partner->setFrameShape(QFrame::Panel);
    partner->setFrameShadow(QFrame::Sunken);
    partner->setCursor(Qt::PointingHandCursor);
    auto* partnerLabel = label(partner, QStringLiteral("Label43"),
                               links::spacedOut(QLatin1String(links::partnerSiteName)), 4, 4, 118, 96);
    partnerLabel->setWordWrap(true);
    partnerLabel->setAlignment(Qt::AlignCenter);
}

// The column of buttons beside the tips: calculation, seed, count, search and output.
void tipPageButtons(QWidget* page, QWidget* window) {
    button(page, QStringLiteral("BitBtn20"), QStringLiteral("Schein speichern"), 378, 158, 126, 28,
           QStringLiteral(
               "Die Tipps als Schein aufbewahren, den Sie spielen: er wird nach jeder Ziehung geprüft"));
    button(page, QStringLiteral("BitBtn4"), QStringLiteral("Tipps berechnen"), 378, 190, 126, 28,
           QStringLiteral("Die eingestellt Anzahl von Tipps wird mit den vorgegebenen Parametern berechnet"))
        ->setIcon(window->style()->standardIcon(QStyle::SP_MediaPlay));
    speedButton(
        page, QStringLiteral("SpeedButton13"), QString(), QStyle::SP_DialogHelpButton, 378, 222, 28, 26,
        QStringLiteral("Hier können Sie den Zufall etwas nachhelfen und wirklich Ihren Tipp generieren"))
        ->setIcon(icons::clover());
    speedButton(page, QStringLiteral("SpeedButton11"), QString(), QStyle::SP_TrashIcon, 410, 222, 28, 26,
                QStringLiteral("Löschen aller Tipps"));
    button(page, QStringLiteral("BitBtn22"), QStringLiteral("System"), 442, 222, 62, 26,
           QStringLiteral("Ein Vollsystem, eines mit Bankzahlen oder ein gekürztes mit geprüfter Garantie"));
    label(page, QStringLiteral("TipCountLabel"), QStringLiteral("Anzahl:"), 442, 226, 60);
    auto* count =
        upDown(page, QStringLiteral("UpDown8"), QStringLiteral("Edit80"), 2, 14, 10, 454, 252, 50, 22);
    count->setSingleStep(2);
    count->findChild<QLineEdit*>()->setReadOnly(true);
    page->findChild<QLabel*>(QStringLiteral("TipCountLabel"))->setGeometry(378, 256, 70, 17);
    button(page, QStringLiteral("SpeedButton4"), QStringLiteral("Tipps in DB suchen"), 378, 280, 126, 24,
           QStringLiteral("Hier können Sie suchen ob dieser Tipp schon einmal gezagen würde"));
    button(page, QStringLiteral("BitBtn7"), QStringLiteral("Tipp"), 378, 308, 61, 24,
           QStringLiteral(
               "Der Tipp wurd als Textgespeichert und angezeigt. Kann natürlich auch gedrucktwerden und zur "
               "annahmestelle gebracht werden."));
    button(
        page, QStringLiteral("SpeedButton12"), QStringLiteral("Schein"), 443, 308, 61, 24,
        QStringLiteral(
            "Wenn Sie schon einen Lottoschein haben können Sie Hier den Tipp direkt in den Schein drucken"));
    button(page, QStringLiteral("Button6"), QStringLiteral("Tippverteilung"), 378, 336, 126, 24,
           QStringLiteral("Hier sehen Sie ein Diagramm der Zahlenverteilung des Tipps"));
    button(page, QStringLiteral("BitBtn5"), QStringLiteral("Schließen"), 378, 364, 126, 24)
        ->setIcon(window->style()->standardIcon(QStyle::SP_DialogCloseButton));
}

QWidget* tipPage(QWidget* window) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet1"));
    tipPageHeader(page);
    tipRows(page);
    tipPageBanners(page);
    tipPageButtons(page, window);
    return page;
}

// The slips the player keeps: their table, the hits of the one selected, the totals.
QWidget* slipsPage(QWidget* window) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet7"));
    // Its columns are the view's (gui/SlipsView.h).
    auto* slips = make<QTableWidget>(page, QStringLiteral("ScheinGrid"), 4, 4, 497, 150);
    slips->setSelectionBehavior(QAbstractItemView::SelectRows);
    slips->setSelectionMode(QAbstractItemView::SingleSelection);
    slips->verticalHeader()->hide();
    slips->horizontalHeader()->setStretchLastSection(true);
    auto* hits = make<QTableWidget>(page, QStringLiteral("TreffGrid"), 4, 158, 497, 150);
    hits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    hits->verticalHeader()->hide();
    auto* totals = label(page, QStringLiteral("Label90"), QString(), 4, 312, 390, 60);
    totals->setWordWrap(true);
    totals->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    const struct {
        const char* name;
        QString text, hint;
    } actions[] = {
        {"BitBtn94", QStringLiteral("Schein ändern"),
         QStringLiteral("Erste Ziehung, Ziehungen und Tipps des gewählten Scheins ändern")},
        {"BitBtn93", QStringLiteral("Schein löschen"), QString()},
        {"BitBtn95", QStringLiteral("Sichern …"),
         QStringLiteral("Eine Kopie aller Scheine in eine Datei Ihrer Wahl schreiben")},
    };
    for (const auto& a : actions)
        buttons->addWidget(button(page, QLatin1String(a.name), a.text, 400, 312, 101, 26, a.hint));
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(slips, 1);
    layout->addWidget(hits, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(totals, 1);
    bottom->addLayout(buttons);
    layout->addLayout(bottom);
    return page;
}

QWidget* latestDrawPage(QWidget* window) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet2"));
    QFont bold = page->font();
    bold.setBold(true);
    label(page, QStringLiteral("WednesdayTitle"), QStringLiteral("Mittwochsziehung:"), 16, 20, 140)
        ->setFont(bold);
    label(page, QStringLiteral("Label3"), QStringLiteral("datum"), 160, 20, 120);
    label(page, QStringLiteral("Label1"), QString(), 16, 46, 300);
    label(page, QStringLiteral("Label6"), QStringLiteral("ZZ:"), 330, 46, 70);
    label(page, QStringLiteral("Label7"), QStringLiteral("SZ:"), 410, 46, 70);
    label(page, QStringLiteral("SaturdayTitle"), QStringLiteral("Samstagziehung:"), 16, 96, 140)
        ->setFont(bold);
    label(page, QStringLiteral("Label5"), QStringLiteral("datum"), 160, 96, 120);
    label(page, QStringLiteral("Label2"), QString(), 16, 122, 300);
    label(page, QStringLiteral("Label9"), QStringLiteral("ZZ:"), 330, 122, 70);
    label(page, QStringLiteral("Label8"), QStringLiteral("SZ:"), 410, 122, 70);
    button(page, QStringLiteral("Button1"), QStringLiteral("Rudazevovor aus dem Internet laden"), 16, 180,
           280, 28);
    // For a game without the operator's page the window greys the page and says why.
    auto* note = label(page, QStringLiteral("Label60"), QString(), 16, 220, 480, 40);
    note->setWordWrap(true);
    note->hide();
    return page;
}

// The digit sums a tip may have: two spinners over the blanks of one caption.
void digitSumRow(QWidget* page, int x, int y) {
    const QString digitCaption =
        QStringLiteral("Quersummer von                  bis                     im Tipp zulassen");
    auto* digits = label(page, QStringLiteral("Label51"), digitCaption, x + 4, y + 2, 420, 21);
    const QRect first = blankGap(digits, digitCaption, 0, 0);
    const QRect second = blankGap(digits, digitCaption, 0, 1);
    upDown(page, QStringLiteral("UpDown1"), QStringLiteral("Edit37"), 21, 279, 110, digits->x() + first.x(),
           y, first.width());
    upDown(page, QStringLiteral("UpDown2"), QStringLiteral("Edit38"), 21, 279, 200, digits->x() + second.x(),
           y, second.width());
}

QWidget* optionsPage(QWidget* window) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet6"));
    const int x = 8;
    int y = 8;
    const int step = 25;
    digitSumRow(page, x, y);
    y += step + 2;

    auto box = [&](int n, const QString& text, bool checked, int w = 380) {
        auto* c = checkBox(page, QStringLiteral("CheckBox%1").arg(n), text, x, y, w);
        c->setChecked(checked);
        return c;
    };
    auto rarest = [&](int n) {
        checkBox(page, QStringLiteral("CheckBox%1").arg(n), QStringLiteral("seltensten"), 400, y, 100);
    };

    box(1, QStringLiteral("Zahlen mit einer häufigen Paarebildung bevorzugen"), true);
    rarest(11);
    y += step;
    box(2, QStringLiteral("Zahlen die besonders oft gezogen wurden bevorzugen"), true);
    y += step;
    gapSpinner(box(3, QStringLiteral("maximal                 Übereinstimmungen mit anderen Tipps"), true),
               QStringLiteral("UpDown3"), QStringLiteral("Edit39"), 0, 5, 3);
    y += step;
    gapSpinner(box(4, QStringLiteral("maximal                 Zahl der letzten Ziehung zulassen"), true),
               QStringLiteral("UpDown4"), QStringLiteral("Edit40"), 0, 5, 1);
    y += step;
    gapSpinner(box(5, QStringLiteral("maximal                 Zahl der vorletzten Ziehung zulassen"), true),
               QStringLiteral("UpDown5"), QStringLiteral("Edit41"), 0, 5, 1);
    y += step;
    box(6, QStringLiteral("Zahlen mit einer häufigen Dreiergruppenbildung bevorzugen"), true);
    rarest(12);
    y += step;
    box(7, QStringLiteral("Zahlen mit einer häufigen Viergruppenbildung bevorzugen"), true);
    rarest(13);
    y += step;
    box(8, QStringLiteral("eine Paarbildung pro Tipp erzwingen"), true);
    y += step;
    gapSpinner(box(9, QStringLiteral("Tipp darf noch keinen              er aus der Datenbank entsprechen"),
                   true, 420),
               QStringLiteral("UpDown6"), QStringLiteral("Edit42"), 3, 6, 5);
    y += step;
    box(10, QStringLiteral("Zahlen die am längsten überfällig, als nicht gezogen wurden bevorzugen"), true,
        495);
    y += step;
    box(14, QStringLiteral("Zahlen die besonders selten gezogen wurden bevorzugen"), true);
    y += step;
    box(15, QStringLiteral("für den Tipp nur bevorzugte Zahlen verwenden!"), false);
    y += step + 4;
    // What the players' choices do to a prize, said as it is: the chance stays, the sharing changes.
    box(30, QStringLiteral("Beliebte Tipps meiden"), false, 200); // its tool tip follows the game
    label(page, QStringLiteral("Label81"),
          QStringLiteral("Die Gewinnchance bleibt dieselbe; ein Gewinn wird seltener geteilt."), x + 20,
          y + 20, 470);
    return page;
}

// The chart's tool bar: picture, clipboard, print, the statistics without a button of their own, chance and
// the date the statistics count from.
QToolBar* chartToolBar(QWidget* page, QWidget* window) {
    auto* bar = make<QToolBar>(page, QStringLiteral("TeeCommander1"), 0, 0, 505, 30);
    bar->setIconSize(QSize(18, 18));
    auto tool = [&](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                    const QString& hint) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        if (text.isEmpty()) {
            b->setIcon(window->style()->standardIcon(icon));
        } else {
            b->setText(text);
        }
        b->setToolTip(hint);
        bar->addWidget(b);
        return b;
    };
    tool(QStringLiteral("ChartSaveButton"), QString(), QStyle::SP_DialogSaveButton,
         QStringLiteral("Diagramm als PNG-Bild speichern"));
    tool(QStringLiteral("ChartCopyButton"), QStringLiteral("Kopieren"), QStyle::SP_FileIcon,
         QStringLiteral("Diagramm in die Zwischenablage kopieren"));
    tool(QStringLiteral("ChartPrintButton"), QStringLiteral("Drucken"), QStyle::SP_FileDialogDetailedView,
         QStringLiteral("Diagramm drucken"));
    bar->addSeparator();
    tool(QStringLiteral("SpeedButton1"), QString(), QStyle::SP_FileDialogListView, QString())
        ->setIcon(icons::surface());
    tool(QStringLiteral("SpeedButton2"), QString(), QStyle::SP_FileDialogContentsView,
         QStringLiteral("Wie oft wurden die einzelnen Zahlen gezogen"))
        ->setIcon(icons::bars());
    // Hidden: nothing ever shows it, the operation behind it is complete.
    bar->addWidget(new QWidget(bar));
    auto* superNumbers = tool(QStringLiteral("SpeedButton3"), QStringLiteral("SZ"), QStyle::SP_CustomBase,
                              QStringLiteral("Wie oft wurden die jeweiligen SUperzahlen gezogen"));
    tool(QStringLiteral("SpeedButton9"), QStringLiteral("QS"), QStyle::SP_CustomBase,
         QStringLiteral("Verteilung der Quersummen der Ziehungen"));
    tool(QStringLiteral("SpeedButton15"), QStringLiteral("GZ"), QStyle::SP_CustomBase,
         QStringLiteral("Häufigkeit der Glückszahlen"));
    // Line, band and verdict of pure chance on the charts; on unless the user switched it off.
    auto* chance = tool(QStringLiteral("SpeedButton14"), QStringLiteral("Zufall"), QStyle::SP_CustomBase,
                        QStringLiteral("Zeigt, was der reine Zufall erwarten lässt"));
    chance->setCheckable(true);
    chance->setChecked(true);
    bar->addSeparator();
    auto* from = new QDateEdit(bar);
    from->setObjectName(QStringLiteral("DateTimePicker2"));
    from->setCalendarPopup(true);
    from->setMinimumDate(dates::earliestDate());
    from->setDate(dates::earliestDate());
    from->setDisplayFormat(dates::shortDateFormat());
    bar->addWidget(from);
    for (QAction* action : bar->actions())
        if (bar->widgetForAction(action) == superNumbers) action->setVisible(false);
    superNumbers->setVisible(false);
    return bar;
}

QWidget* chartPage(QWidget* window, ChartModel& chart, ChartView*& chartView) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet5"));
    QToolBar* bar = chartToolBar(page, window);
    chartView = new ChartView(chart, page);
    chartView->setObjectName(QStringLiteral("Chart1"));
    // The tool bar on top, the chart filling the rest of the page however large the window grows.
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    bar->setFixedHeight(30);
    layout->addWidget(bar);
    layout->addWidget(chartView, 1);
    return page;
}

QWidget* databasePage(QWidget* window) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet4"));
    auto* date = make<QDateEdit>(page, QStringLiteral("DateTimePicker1"), 8, 8, 110, 22);
    date->setCalendarPopup(true);
    date->setMinimumDate(dates::earliestDate());
    date->setDisplayFormat(dates::shortDateFormat());
    speedButton(page, QStringLiteral("SpeedButton5"), QString(), QStyle::SP_DialogApplyButton, 122, 8, 26, 22,
                QStringLiteral("Bewertung des Tipps für die Ziehung des gewählten Datums"));
    label(page, QStringLiteral("Label29"), QString(), 154, 11, 345);

    button(page, QStringLiteral("BitBtn1"), QStringLiteral("Datenbank aktualisieren"), 8, 44, 260, 26);
    button(page, QStringLiteral("BitBtn2"), QStringLiteral("Datenbank neu anlegen"), 8, 74, 260, 26,
           QStringLiteral(
               "Beim neu anlegen der Datenbank, wird mit dem Einlesen bei dem Eingestellten Datum begonnen. "
               "Ein Datum bis 1955 ist möglich."));
    speedButton(page, QStringLiteral("SpeedButton8"), QString(), QStyle::SP_BrowserStop, 272, 44, 26, 26,
                QStringLiteral("Stoppt das Einlesen"))
        ->setVisible(false);
    button(page, QStringLiteral("BitBtn3"), QStringLiteral("Export nach Text"), 8, 104, 128, 26);
    button(page, QStringLiteral("BitBtn9"), QStringLiteral("Import aus Text"), 140, 104, 128, 26,
           QStringLiteral("Ziehungen aus einer Text- oder CSV-Datei in die Datenbank übernehmen"));
    button(page, QStringLiteral("BitBtn8"), QStringLiteral("Eingeben"), 8, 144, 128, 26);
    button(page, QStringLiteral("BitBtn6"), QStringLiteral("Löschen"), 140, 144, 128, 26);

    button(page, QStringLiteral("Button2"), QStringLiteral("Paare suchen"), 300, 44, 130, 26);
    button(page, QStringLiteral("Button3"), QStringLiteral("Dreier suchen"), 300, 74, 130, 26);
    button(page, QStringLiteral("Button4"), QStringLiteral("Vierer suchen"), 300, 104, 130, 26);
    button(page, QStringLiteral("Button5"), QStringLiteral("Ausstehende"), 300, 134, 130, 26);
    button(page, QStringLiteral("Button7"), QStringLiteral("Trefferbilanz"), 300, 164, 130, 26,
           QStringLiteral("Wie oft hätten die Tipps in den gewählten Ziehungen gewonnen?"));

    label(page, QStringLiteral("Label11"), QStringLiteral("Max.Berechnungsläufe"), 8, 192, 150);
    upDown(page, QStringLiteral("UpDown7"), QStringLiteral("Edit55"), 1, 10000, 100, 160, 188, 80, 22);
    label(page, QStringLiteral("Label12"), QStringLiteral("Tausend"), 246, 192, 80);

    auto* memo = make<QPlainTextEdit>(page, QStringLiteral("Memo1"), 8, 224, 490, 160);
    memo->setVisible(false);
    return page;
}

QWidget* internetPage(QWidget* window) {
    auto* page = new QWidget(window);
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto* panel = make<QFrame>(page, QStringLiteral("Panel1"), 0, 0, 505, 394);
    label(panel, QStringLiteral("Label53"), QStringLiteral("Proxy-Server"), 8, 12, 190);
    make<QLineEdit>(panel, QStringLiteral("ProxyHostEdit"), 200, 8, 296, 22);
    label(panel, QStringLiteral("Label54"), QStringLiteral("Porxy-Port"), 8, 40, 190);
    make<QLineEdit>(panel, QStringLiteral("ProxyPortEdit"), 200, 36, 80, 22)->setText(QStringLiteral("80"));
    label(panel, QStringLiteral("Label55"), QStringLiteral("Temp-Datei für Internetabruf"), 8, 68, 190);
    make<QLineEdit>(panel, QStringLiteral("FileNameEdit"), 200, 64, 296, 22);
    label(panel, QStringLiteral("Label56"), QStringLiteral("Internetquelle für Lottozahlenabruf"), 8, 96, 190)
        ->setVisible(false);
    auto* url = make<QLineEdit>(panel, QStringLiteral("URLEdit"), 200, 92, 296, 22);
    url->setVisible(false);
    url->setEnabled(false);
    // Where "Aktualisieren" of "6 aus 42" reads its list of draws.
    label(panel, QStringLiteral("Label59"), QStringLiteral("Ziehungsliste 6 aus 42 (Adresse):"), 8, 124, 190);
    make<QLineEdit>(panel, QStringLiteral("URL42Edit"), 200, 120, 296, 22);
    auto* listNote =
        label(panel, QStringLiteral("Label78"),
              QStringLiteral("Öffentliche Liste, nach jeder Ziehung nachgeführt. Jede andere Adresse "
                             "einer Liste der Ziehungen kann eingetragen werden."),
              200, 144, 296, 30);
    listNote->setWordWrap(true);
    // Where it reads the quotas of "6 aus 42", and the list of EuroMillions.
    const struct {
        const char *caption, *edit, *note;
        QString text;
        int y;
    } lists[] = {
        {"Label83", "URL42QEdit", "Label80", QStringLiteral("Quotenliste 6 aus 42 (Adresse):"), 176},
        {"Label82", "URLEMEdit", "Label79", QStringLiteral("Ziehungsliste EuroMillions (Adresse):"), 232},
    };
    for (const auto& l : lists) {
        label(panel, QLatin1String(l.caption), l.text, 8, l.y + 4, 190);
        make<QLineEdit>(panel, QLatin1String(l.edit), 200, l.y, 296, 22);
        label(panel, QLatin1String(l.note), listNote->text(), 200, l.y + 24, 296, 30)->setWordWrap(true);
    }

    auto link = [&](const QString& name, const QString& intro, const QString& address, int y) {
        label(panel, QString(), intro, 8, y, 490);
        auto* l = label(panel, name, address, 24, y + 20, 470);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(p);
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
    };
    link(QStringLiteral("Label52"), QStringLiteral("Updates und die neueste Version gibt es bei:"),
         QLatin1String(links::makerDownloadPage), 290);
    link(QStringLiteral("Label57"), QStringLiteral("Die aktuellen Ziehungen und Quoten finden unter:"),
         QLatin1String(links::operatorHomePage), 324);
    link(QStringLiteral("Label58"), QStringLiteral("Unser Partner für Lottostatistiken:"),
         QLatin1String(links::partnerPage), 358);
    return page;
}

// Every cell and label of the tips says which tip it belongs to.
void nameTipRows(QTabWidget* pages) {
    for (int r = 0; r < TipGrid::Rows; ++r) {
        for (int c = 0; c < TipGrid::Columns; ++c)
            pages->findChild<QWidget*>(TipGrid::cellName(r, c))
                ->setAccessibleName(QStringLiteral("%1. Tipp, %2. Zahl").arg(r + 1).arg(c + 1));
        pages->findChild<QWidget*>(TipGrid::hitLabelName(r))
            ->setAccessibleName(QStringLiteral("%1. Tipp Treffer").arg(r + 1));
        pages->findChild<QWidget*>(TipGrid::sumLabelName(r))
            ->setAccessibleName(QStringLiteral("%1. Tipp Quersumme").arg(r + 1));
    }
}

void nameForScreenReaders(QTabWidget* pages, ChartView* chartView) {
    nameTipRows(pages);
    // Controls that show no text of their own that would name them.
    const std::pair<const char*, const char*> names[] = {
        {"SpeedButton6", "Vorherige Ziehung"},
        {"SpeedButton7", "Nächste Ziehung"},
        {"SpeedButton1", "Zahlenverteilung Jahr für Jahr"},
        {"DateTimePicker1", "Datum der Ziehung für die Bewertung und das Einlesen"},
        {"DateTimePicker2", "Statistik ab Datum"},
        {"UpDown1", "Quersumme von"},
        {"UpDown2", "Quersumme bis"},
        {"UpDown3", "Maximale Übereinstimmungen mit anderen Tipps"},
        {"UpDown4", "Maximale Zahl der letzten Ziehung"},
        {"UpDown5", "Maximale Zahl der vorletzten Ziehung"},
        {"UpDown6", "Übereinstimmungen mit der Datenbank, die ein Tipp nicht haben darf"},
        {"UpDown7", "Max.Berechnungsläufe in Tausend"},
        {"UpDown8", "Anzahl der Tipps"},
        {"ProxyHostEdit", "Proxy-Server"},
        {"ProxyPortEdit", "Proxy-Port"},
        {"FileNameEdit", "Temp-Datei für Internetabruf"},
        {"URLEdit", "Internetquelle für Lottozahlenabruf"},
        {"URL42Edit", "Ziehungsliste 6 aus 42 (Adresse)"},
        {"URLEMEdit", "Ziehungsliste EuroMillions (Adresse)"},
        {"URL42QEdit", "Quotenliste 6 aus 42 (Adresse)"},
        {"Memo1", "Text der gelesenen Seite"},
        {"Chart1", "Diagramm"},
        {"SpeedButton14", "Zufall: was der reine Zufall erwarten lässt"},
        {"ComboBox1", "Spiel"},
        {"ScheinGrid", "Meine Scheine"},
        {"TreffGrid", "Treffer des gewählten Scheins"},
    };
    for (const auto& [name, text] : names) {
        auto* w = pages->findChild<QWidget*>(QString::fromLatin1(name));
        w->setAccessibleName(QString::fromUtf8(text));
        // A spinner's edit is what takes the keys.
        if (auto* edit = w->findChild<QLineEdit*>()) edit->setAccessibleName(QString::fromUtf8(text));
    }
    // The chart's focusable view inside carries the chart's name and caption.
    chartView->updateScreenReaderTexts();
    pages->setAccessibleName(QStringLiteral("Seiten"));
    pages->tabBar()->setAccessibleName(QStringLiteral("Seiten"));
    // A button that shows only a picture is named by its hint.
    for (auto* b : pages->findChildren<QAbstractButton*>())
        if (b->text().isEmpty() && b->accessibleName().isEmpty()) b->setAccessibleName(b->toolTip());
}

} // namespace

QTabWidget* pages::build(QWidget* window, ChartModel& chart, ChartView*& chartView) {
    auto* pages = new QTabWidget(window);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->setUsesScrollButtons(true);
    pages->addTab(tipPage(window), QStringLiteral("Lottotipp"));
    pages->addTab(slipsPage(window), QStringLiteral("Meine Scheine"));
    pages->addTab(latestDrawPage(window), QStringLiteral("Zahlen der letzten Ziehung"));
    pages->addTab(optionsPage(window), QStringLiteral("Berechnungs-Optionen"));
    pages->addTab(chartPage(window, chart, chartView), QStringLiteral("Diagramm"));
    pages->addTab(databasePage(window), QStringLiteral("Datenbank"));
    pages->addTab(internetPage(window), QStringLiteral("Internet-Optionen"));
    pages->setCurrentIndex(0);
    nameForScreenReaders(pages, chartView);
    return pages;
}

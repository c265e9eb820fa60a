#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/AppLinks.h"
#include "app/ControlBinding.h"
#include "app/GameChoice.h"
#include "app/Pages.h"
#include "app/StartUp.h"
#include "evaluation/Evaluation.h"
#include "generator/RandomSeed.h"
#include "generator/TipDistribution.h"
#include "generator/TipSearch.h"
#include "gui/ChartView.h"
#include "gui/DrawEntryDialog.h"
#include "gui/FileDialogs.h"
#include "gui/HitBalanceDialog.h"
#include "gui/PrintPreview.h"
#include "gui/PrintSettingsDialog.h"
#include "gui/SaveSlipDialog.h"
#include "gui/SlipsView.h"
#include "gui/StatisticsBrowserWindow.h"
#include "import/ArchiveUpdate.h"
#include "import/LatestDraws.h"
#include "import/ShippedRecord.h"
#include "output/SlipPrinter.h"
#include "output/TipText.h"
#include "platform/AppError.h"
#include "platform/ChartModel.h"
#include "platform/Counted.h"
#include "platform/Dates.h"
#include "slips/QuotaBook.h"
#include "slips/SlipStore.h"
#include "stats/ChartPlan.h"
#include "stats/DrawFilter.h"
#include "stats/Statistics.h"
#include "stats/TipWorth.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {
constexpr qint64 repaintIntervalMs = 50;

QString appTitle() {
    return QString::fromLatin1(AppTitle);
}
QString titleOf(const Game& game) {
    return QStringLiteral("Tolbrands Lotto - Tippgenerator für Spiel %1 für die Schweiz").arg(game.name);
}
} // namespace

MainWindow::MainWindow(AppContext& context)
    : ctx_(context), services_{*this,          context.controls, context.chart, context.clock,
                               context.random, *context.sound,   *context.shell},
      session_{services_, context.state, context.grid, context.options}, steps_(session_) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(titleOf(*context.state.game));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    // The size the pages are laid out for is the smallest; the window may grow, and the chart with it.
    setMinimumSize(DesignedSize);
    resize(DesignedSize);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels_[i]->setFrameShape(QFrame::StyledPanel);
    }
    statusPanels_[0]->setFixedWidth(150);
    statusPanels_[1]->setMinimumWidth(50);
    bar->addWidget(statusPanels_[0]);
    bar->addWidget(statusPanels_[1], 1);
    cancelButton_ = new QPushButton(QStringLiteral("Abbrechen"), bar);
    cancelButton_->setObjectName(QStringLiteral("BitBtn21"));
    cancelButton_->setToolTip(QStringLiteral("Bricht das Laden ab"));
    cancelButton_->hide();
    bar->addPermanentWidget(cancelButton_);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    setStatusBar(bar);

    pages_ = pages::build(this, context.chart, chartView_);
    setCentralWidget(pages_);
    // The slip report and its settings dialog live for the whole run.
    printSettings_ = std::make_unique<PrintSettingsDialog>(this);
    if (!context.preview) ownPreview_ = std::make_unique<PrintPreview>(this, refuseDrawFile());
    slipPrinter_ = std::make_unique<SlipPrinter>(
        *printSettings_, context.preview ? *context.preview : *ownPreview_, context.state.programDir);
    // The browser engine itself starts on the window's first use, not here.
    statisticsBrowser_ = std::make_unique<StatisticsBrowserWindow>(context.statisticsPage, this);
    binding_ = new ControlBinding(context.controls, pages_);
    wireOperations();
    applyGameToWindow(*context.state.game);
    statusRepaintClock_.start();
    windowRepaintClock_.start();
}

MainWindow::~MainWindow() = default;

// ---- operations --------------------------------------------------------------------------------------

void MainWindow::runOperation(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const AppError& e) {
        error(e.message());
    } catch (const std::exception&) {
        // Never the library's own English words.
        error(QStringLiteral("Ein unerwarteter Fehler ist aufgetreten; der Vorgang wurde abgebrochen."));
    }
}

void MainWindow::wireOperations() {
    Session& s = session_;
    AppContext& c = ctx_;
    const auto showForDate = [&s] { showDrawForDate(s); };
    const auto showNewest = [this] { showNewestDraw(); };

    // Which control starts which operation.
    const std::vector<std::pair<QString, std::function<void()>>> buttons = {
        {QStringLiteral("SpeedButton2"), [&s] { showNumberFrequencies(s); }},
        {QStringLiteral("SpeedButton1"), [&s] { countYearSurface(s); }},
        {QStringLiteral("SpeedButton3"), [&s] { countSuperNumbers(s); }},
        {QStringLiteral("SpeedButton9"), [&s] { countDigitSums(s); }},
        {QStringLiteral("SpeedButton15"), [&s] { showExtraNumbers(s); }},
        {QStringLiteral("Button2"), [&s] { countNeighbourGroups(s, 2); }},
        {QStringLiteral("Button3"), [&s] { countNeighbourGroups(s, 3); }},
        {QStringLiteral("Button4"), [&s] { countNeighbourGroups(s, 4); }},
        {QStringLiteral("Button5"), [&s] { countOverdueNumbers(s); }},
        {QStringLiteral("SpeedButton5"), [&s] { showDrawForDate(s); }},
        {QStringLiteral("SpeedButton6"), [&s] { previousDraw(s); }},
        {QStringLiteral("SpeedButton7"), [&s] { nextDraw(s); }},
        {QStringLiteral("SpeedButton4"), [&s] { searchTipsInArchive(s); }},
        {QStringLiteral("Button7"), [this] { showTipHitBalance(); }},
        {QStringLiteral("BitBtn22"), [this] { showSystems(); }},
        {QStringLiteral("BitBtn4"), [this, &s] { calculateTips(s, steps_); }},
        {QStringLiteral("SpeedButton13"), [this, &s] { chooseRandomSeed(s, steps_); }},
        {QStringLiteral("SpeedButton11"), [&c] { c.grid.clearAll(); }},
        {QStringLiteral("Button6"), [&s] { showTipDistribution(s); }},
        {QStringLiteral("ChartSaveButton"), [this] { saveChartPicture(); }},
        {QStringLiteral("ChartCopyButton"), [this] { chartView_->copyToClipboard(); }},
        {QStringLiteral("ChartPrintButton"), [this] { chartView_->print(refuseDrawFile()); }},
        {QStringLiteral("BitBtn7"), [&c] { writeTipText(c.state, c.grid, *c.shell, c.clock.today()); }},
        {QStringLiteral("SpeedButton12"), [this, &c] { slipPrinter_->printSlip(c.state, c.grid, c.clock); }},
        {QStringLiteral("SpeedButton8"), [&c] { requestUpdateStop(c.controls); }},
        {QStringLiteral("Button1"), [&s, &c] { loadLatestDraws(s, *c.http); }},
        {QStringLiteral("BitBtn1"),
         [this, &s, &c, showNewest] { updateDraws(s, browser(), *c.http, showNewest); }},
        {QStringLiteral("SpeedButton10"),
         [this, &s, &c, showNewest] { updateDraws(s, browser(), *c.http, showNewest); }},
        {QStringLiteral("BitBtn2"), [this, &s] { rebuildArchive(s, browser()); }},
        {QStringLiteral("BitBtn5"), [this] { close(); }},
        {QStringLiteral("BitBtn8"), [this, &s, showForDate] { enterDraw(s, drawPrompt(), showForDate); }},
        {QStringLiteral("BitBtn6"), [&s, showForDate] { deleteCurrentDraw(s, showForDate); }},
        {QStringLiteral("BitBtn3"), [this, &s] { exportArchive(s, exportChooser()); }},
        {QStringLiteral("BitBtn9"),
         [this, &s, showNewest] { importDrawFiles(s, importChooser(), showNewest); }},
        {QStringLiteral("BitBtn20"), [this, &s, &c] { slips::saveSlip(s, *c.slips, slipPrompt()); }},
        {QStringLiteral("BitBtn93"),
         [this, &s, &c] {
             if (const Slip* slip = slipsView_->selected()) slips::deleteSlip(s, *c.slips, *slip);
         }},
        {QStringLiteral("BitBtn94"),
         [this, &s, &c] {
             if (const Slip* slip = slipsView_->selected())
                 slips::changeSlip(s, *c.slips, *slip, slipPrompt());
         }},
        {QStringLiteral("BitBtn95"), [this, &s, &c] { slips::backUpSlips(s, *c.slips, backupChooser()); }},
    };
    // The operations that may change the draws of the archive, however they end.
    const QStringList changingDraws{QStringLiteral("BitBtn1"), QStringLiteral("SpeedButton10"),
                                    QStringLiteral("BitBtn2"), QStringLiteral("BitBtn8"),
                                    QStringLiteral("BitBtn6"), QStringLiteral("BitBtn9")};
    // A name of these tables that names no control would wire nothing without a word.
    const auto named = [this](const QString& name) {
        QWidget* w = pages_->findChild<QWidget*>(name);
        if (!w) throw std::logic_error("no control named " + name.toStdString());
        return w;
    };
    for (const auto& [name, op] : buttons) {
        auto* b = qobject_cast<QAbstractButton*>(named(name));
        if (!b) throw std::logic_error("no button named " + name.toStdString());
        const bool changes = changingDraws.contains(name);
        connect(b, &QAbstractButton::clicked, this, [this, op, changes] {
            const QString before = status(1);
            slipsChecked_ = false;
            runOperation(op);
            if (changes) drawsChanged(before);
        });
    }
    // Page "Meine Scheine" shows what is stored when it comes up and after a slip was saved or deleted.
    connect(pages_, &QTabWidget::currentChanged, this, [this] {
        if (pages_->currentWidget()->objectName() == QLatin1String("TabSheet7")) refreshSlips();
    });
    for (const char* name : {"BitBtn20", "BitBtn93", "BitBtn94"})
        connect(pages_->findChild<QAbstractButton*>(QLatin1String(name)), &QAbstractButton::clicked, this,
                [this] { refreshSlips(); });
    slipsView_ = new SlipsView(named(QStringLiteral("TabSheet7")), ctx_.controls);
    connect(slipsView_, &SlipsView::paidEdited, this, [this](const Slip& slip, const QString& typed) {
        runOperation([this, &slip, &typed] { slips::setPaid(*ctx_.slips, slip, typed); });
        // Back to what is stored, whether it was taken or refused; the totals follow.
        QTimer::singleShot(0, this, [this] { refreshSlips(); });
    });
    // The quotas of a list read, and those of the shipped record for draws that came without theirs.
    ctx_.state.takeQuotas = [this](const QStringList& texts, const std::vector<Draw>& archive) {
        const Game& game = session_.game();
        QStringList told{quotas::takeTexts(*ctx_.quotas, game, archive, texts),
                         quotas::takeRecord(*ctx_.quotas, game, archive,
                                            shippedrecord::find(ctx_.dataFolders, game.quotaRecord))};
        told.removeAll(QString());
        return told.join(QLatin1Char('\n'));
    };
    ctx_.state.popularity = [this]() -> const share::Model* {
        const Game& game = session_.game();
        if (game.popularityModel.isEmpty()) return nullptr;
        auto known = popularity_.find(int(game.id));
        if (known == popularity_.end())
            known =
                popularity_
                    .emplace(int(game.id),
                             worth::loadModel(shippedrecord::find(ctx_.dataFolders, game.popularityModel)))
                    .first;
        return known->second.get();
    };
    // An operation that checks the slips itself (the import, for its report) is not followed by a second
    // check.
    ctx_.state.checkSlips = [this] {
        slipsChecked_ = true;
        return slips::checkSlips(session_, *ctx_.slips, ctx_.quotas.get());
    };

    // The game's box: the game the user picks becomes the current one.
    auto* game = pages_->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    connect(game, &QComboBox::activated, this, [this, game](int index) {
        runOperation([this, game, index] { chooseGame(Game::byValue(game->itemData(index).toInt())); });
    });

    // Labels and panels that act on a click.
    const auto openPartner = [this] { ctx_.shell->open(QLatin1String(links::partnerPage)); };
    const std::vector<std::pair<QString, std::function<void()>>> clickables = {
        {QStringLiteral("Label28"), [this] { calculateTips(session_, steps_); }},
        {QStringLiteral("Label43"), openPartner},
        {QStringLiteral("Panel2"), openPartner},
        {QStringLiteral("Panel5"), openPartner},
        {QStringLiteral("Label44"), [this] { ctx_.shell->open(QLatin1String(links::makerDownloadPage)); }},
        {QStringLiteral("Label52"),
         [this] { ctx_.shell->open(ctx_.controls.text(QStringLiteral("Label52"))); }},
        {QStringLiteral("Label57"),
         [this] { ctx_.shell->open(ctx_.controls.text(QStringLiteral("Label57"))); }},
        {QStringLiteral("Label58"),
         [this] { ctx_.shell->open(ctx_.controls.text(QStringLiteral("Label58"))); }},
    };
    for (const auto& [name, op] : clickables) {
        QWidget* w = named(name);
        clicks_.insert(w, op);
        w->installEventFilter(this);
    }

    // Leaving any tip cell evaluates the grid while it is ready.
    for (const QString& cell : TipGrid::cellNames() + TipGrid::extraCellNames())
        if (QWidget* w = pages_->findChild<QWidget*>(cell)) w->installEventFilter(this);

    // The run limit follows its spinner on every change; the chart shows chance while "Zufall" is on; the
    // share factors follow the tip cells, once for all cells a change writes.
    const QStringList cells = TipGrid::cellNames() + TipGrid::extraCellNames();
    connect(&ctx_.controls, &Controls::changed, this,
            [this, tipCells = QSet<QString>(cells.begin(), cells.end())](const QString& name,
                                                                         Controls::Property property) {
                if (property == Controls::Property::Text && !worthDue_ && tipCells.contains(name)) {
                    worthDue_ = true;
                    QTimer::singleShot(0, this, [this] { showTipWorth(); });
                }
                if (property == Controls::Property::Value && name == QLatin1String("UpDown7"))
                    ctx_.state.maxCalcRuns = ctx_.controls.value(name) * 1000;
                if (property == Controls::Property::Checked && name == QLatin1String("SpeedButton14"))
                    showChance(ctx_.controls.checked(name));
            });
    ctx_.chart.setChanceShown(ctx_.controls.checked(QStringLiteral("SpeedButton14")));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && ctx_.state.readyFlag && binding_->binds(watched->objectName()) &&
        watched->objectName().startsWith(QLatin1String("Edit"))) {
        runOperation([this] { komplettcheck(session_); });
    }
    const auto click = clicks_.constFind(watched);
    if (click != clicks_.constEnd()) {
        if (event->type() == QEvent::MouseButtonPress) return true;
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto op = click.value();
            runOperation(op);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showChance(bool on) {
    ChartModel& chart = ctx_.chart;
    const QString verdict = chart.verdict();
    chart.setChanceShown(on);
    // The verdict of the frequencies on display comes and goes with the switch.
    const bool counts = chart.meaning() == ChartModel::Meaning::NumberFrequencies ||
                        chart.meaning() == ChartModel::Meaning::ExtraNumbers;
    if (verdict.isEmpty() || !counts) return;
    if (on)
        setStatus(1, verdict);
    else if (status(1) == verdict)
        setStatus(1, QString());
}

// The draw entry dialog, the export's save dialog and the import's open dialog, unless a test stands in.
DrawPrompt MainWindow::drawPrompt() {
    if (ctx_.askForDraw) return ctx_.askForDraw;
    return [this](const Draw& preset) { return askForDraw(preset, session_.game(), this); };
}

std::function<void(const QString&)> MainWindow::refuseDrawFile() const {
    return [this](const QString& file) { DrawArchive::refuseAsTarget(ctx_.state.programDir, file); };
}

ExportFileChooser MainWindow::exportChooser() {
    if (ctx_.chooseExportFile) return ctx_.chooseExportFile;
    return [this](const QString& name) { return chooseExportFile(name, this); };
}

ImportFileChooser MainWindow::importChooser() {
    if (ctx_.chooseImportFiles) return ctx_.chooseImportFiles;
    return [this] { return chooseImportFiles(ctx_.state.programDir, this); };
}

PrizesOfDraws MainWindow::prizesOfDraws() {
    // In francs where the game's quotas are public; a store of them that cannot be read is told and the
    // counts are shown all the same.
    return [this](const std::vector<Draw>& records) -> std::optional<PrizeTable> {
        try {
            return quotas::prizesIfKept(ctx_.quotas.get(), session_.game(), records);
        } catch (const AppError& e) {
            session_.services.ui.message(e.message());
            return std::nullopt;
        }
    };
}

void MainWindow::showTipHitBalance() {
    if (const auto balance = tipHitBalance(session_, prizesOfDraws())) showHitBalance(*balance, this);
}

void MainWindow::showSystems() {
    SystemActions actions;
    actions.run = [this](const std::function<void()>& operation) { runOperation(operation); };
    actions.toGrid = [this](const std::vector<Tip>& tips) {
        ctx_.grid.clearAll();
        for (int r = 0; r < TipGrid::Rows && r < int(tips.size()); ++r) {
            ctx_.grid.writeTip(r, Tip{tips[std::size_t(r)].numbers, {}});
            ctx_.grid.setExtraCells(r, tips[std::size_t(r)].extras);
        }
        komplettcheck(session_);
        const int left = int(tips.size()) - TipGrid::Rows;
        return left > 0 ? QStringLiteral("Die ersten %1 Tipps stehen im Raster; %2 passten nicht hinein.")
                              .arg(TipGrid::Rows)
                              .arg(left)
                        : QStringLiteral("Alle Tipps stehen im Raster.");
    };
    actions.toSlip = [this](const std::vector<Tip>& tips) {
        slips::saveTipsAsSlip(session_, *ctx_.slips, slipPrompt(), tips);
        refreshSlips();
    };
    actions.asText = [this](const std::vector<Tip>& tips) {
        writeSystemText(ctx_.state, tips, *ctx_.shell, ctx_.clock.today());
    };
    actions.hitBalance = [this](const std::vector<Tip>& tips) {
        showHitBalance(tipsHitBalance(session_, tips, prizesOfDraws()), this);
    };
    // What the dialog last held, kept with the settings.
    Controls& c = ctx_.controls;
    SystemFields fields;
    if (c.has(QStringLiteral("Edit140"))) {
        fields = {c.text(QStringLiteral("Edit140")), c.text(QStringLiteral("Edit141")),
                  c.text(QStringLiteral("Edit142")),
                  std::clamp(c.text(QStringLiteral("ComboBox10")).toInt(), 0, 3)};
    }
    SystemDialog dialog(session_.game(), fields, actions, this);
    dialog.exec();
    fields = dialog.fields();
    c.setText(QStringLiteral("Edit140"), fields.numbers);
    c.setText(QStringLiteral("Edit141"), fields.bank);
    c.setText(QStringLiteral("Edit142"), fields.lucky);
    c.setText(QStringLiteral("ComboBox10"), QString::number(fields.kind));
}

// What start-up shows of the archive: the draw for today and the frequencies.
void MainWindow::showNewestDraw() {
    showDrawForDate(session_);
    countNumberFrequencies(session_);
}

StatisticsBrowser& MainWindow::browser() {
    return ctx_.browser ? *ctx_.browser : static_cast<StatisticsBrowser&>(*statisticsBrowser_);
}

void MainWindow::saveChartPicture() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Diagramm speichern"),
                                                      ctx_.state.programDir + QStringLiteral("Diagramm.png"),
                                                      QStringLiteral("PNG-Bild (*.png)"));
    if (path.isEmpty()) return;
    DrawArchive::refuseAsTarget(ctx_.state.programDir, path);
    if (!chartView_->savePng(path))
        throw AppError(QStringLiteral("Das Bild \"%1\" konnte nicht gespeichert werden.").arg(path));
}

// ---- start-up and shutdown ---------------------------------------------------------------------------

void MainWindow::chooseGame(const Game& game) {
    if (&game == ctx_.state.game) return;
    const Game& before = *ctx_.state.game;
    try {
        gamechoice::makeCurrent(session_, game);
    } catch (...) {
        applyGameToWindow(before); // the box goes back to the game that stays
        throw;
    }
    applyGameToWindow(game);
    // The slips' page shows the other game's from now on.
    slipsView_->show({});
    // Its record is offered the first time the game is shown in a run; after a Nein the next start asks.
    const int taken = offered_.contains(static_cast<int>(game.id)) ? 0 : offerShippedRecord();
    if (session_.archive().holdsNoDraw()) {
        // Nothing of the other game stays, and no box repeats on every switch how to get draws.
        drawChart(services_, ChartPlan{});
        setStatus(0, drawCountText());
        const bool record = !shippedrecord::find(ctx_.dataFolders, game).isEmpty();
        setStatus(1,
                  QStringLiteral(
                      "Keine Ziehungen von %1 gespeichert: „Import aus Text“ auf der Seite „Datenbank“%2.")
                      .arg(game.name, record ? QStringLiteral(" oder die mitgelieferten beim nächsten Start")
                                             : QString()));
        return;
    }
    showCurrentGame(taken);
    sayNews();
    if (pages_->currentWidget()->objectName() == QLatin1String("TabSheet7")) refreshSlips();
}

void MainWindow::sayNews() {
    // Before what the status bar says of the archive.
    const QString news = slipNews();
    if (!news.isEmpty()) setStatus(1, status(1).isEmpty() ? news : news + QStringLiteral("  ") + status(1));
}

void MainWindow::showCurrentGame(int taken) {
    ctx_.controls.setDate(QStringLiteral("DateTimePicker1"), ctx_.clock.today());
    runOperation([this] { showDrawForDate(session_); });
    runOperation([this] { countNumberFrequencies(session_); });
    // The record just taken says so; otherwise the count of the game's draws.
    if (taken == 0) setStatus(0, drawCountText());
    // Draws missing since the newest stored one matter more than where the archive is; an installed program
    // keeps it in the user's data folder.
    const QString told = takeShippedQuotas();
    const QString missing = missingDrawsText();
    const QString where = !missing.isEmpty() ? missing
                                             : QStringLiteral("Datenbank: ") +
                                                   QDir::toNativeSeparators(ctx_.state.archivePath());
    setStatus(1, told.isEmpty() ? where : told + QStringLiteral("  ") + where);
}

QString MainWindow::takeShippedQuotas() {
    const Game& game = session_.game();
    if (game.quotaRecord.isEmpty() || session_.archive().holdsNoDraw()) return {};
    QString told;
    // Once, into an empty store: the draws that come later bring the record's quotas with their import.
    runOperation([&] {
        if (!ctx_.quotas->holdsAny(game))
            told = quotas::takeRecord(*ctx_.quotas, game, session_.archive().scan(),
                                      shippedrecord::find(ctx_.dataFolders, game.quotaRecord));
    });
    return told;
}

void MainWindow::showTipWorth() {
    worthDue_ = false;
    const share::Model* model = ctx_.state.popularity();
    if (!model) return;
    // A tip that repeats the newest draw is told so.
    std::optional<Draw> newest;
    try {
        if (!session_.archive().holdsNoDraw()) newest = session_.archive().lastRecord();
    } catch (const AppError&) {
        // an archive that cannot be read says so itself
    }
    const auto rows =
        worth::rowsOf(session_.grid, session_.game(), *model, newest ? &newest->numbers : nullptr);
    for (int r = 0; r < TipGrid::Rows; ++r) {
        const auto& shown = rows[std::size_t(r)];
        ctx_.controls.setText(TipGrid::worthLabelName(r), shown ? shown->text : QString());
        binding_->widget(TipGrid::worthLabelName(r))->setToolTip(shown ? shown->toolTip : QString());
    }
}

QString MainWindow::missingDrawsText() const {
    const Game& game = session_.game();
    if (game.lastDraw.isValid() || session_.archive().holdsNoDraw()) return {};
    std::optional<Draw> newest;
    try {
        newest = session_.archive().lastRecord();
    } catch (const AppError&) {
        return {}; // an archive that cannot be read says so itself
    }
    if (!newest) return {};
    // Today's draw may still be to come.
    const QDate today = ctx_.clock.today();
    const QDate stored = dates::fromDayNumber(newest->date);
    if (stored >= game.previousDrawDay(today.addDays(-1))) return {};
    return QStringLiteral("Neueste Ziehung: %1 – seither %2 nicht gespeichert; „Aktualisieren“ holt sie.")
        .arg(dates::formatFixedDate(stored), counted(game.drawDaysBetween(stored, today),
                                                     QStringLiteral("Ziehung"), QStringLiteral("Ziehungen")));
}

int MainWindow::offerShippedRecord() {
    offered_.insert(static_cast<int>(session_.game().id));
    int taken = 0;
    runOperation([this, &taken] {
        taken = shippedrecord::offer(session_, shippedrecord::find(ctx_.dataFolders, session_.game()));
    });
    return taken;
}

QString MainWindow::drawCountText() const {
    return counted(session_.archive().count(), QStringLiteral("Ziehung"), QStringLiteral("Ziehungen"));
}

QString MainWindow::archiveStateText() const {
    const QString missing = missingDrawsText();
    if (!missing.isEmpty() || session_.game().lastDraw.isValid() || session_.archive().holdsNoDraw())
        return missing;
    std::optional<Draw> newest;
    try {
        newest = session_.archive().lastRecord();
    } catch (const AppError&) {
        return {};
    }
    if (!newest) return {};
    return QStringLiteral("Neueste Ziehung: %1 – die Datenbank ist auf dem neuesten Stand.")
        .arg(dates::formatFixedDate(newest->date));
}

void MainWindow::drawsChanged(const QString& statusBefore) {
    setStatus(0, drawCountText());
    // What the operation said stays, followed by what the slips reached and what the archive lacks now.
    const QString said = status(1) != statusBefore ? status(1) : QString();
    sayWithArchive(said, slipsChecked_ ? QString() : slipNews());
}

void MainWindow::sayWithArchive(const QString& said, const QString& news) {
    QStringList parts;
    for (const QString& part : {said, news, archiveStateText()})
        if (!part.isEmpty()) parts << part;
    if (!parts.isEmpty()) setStatus(1, parts.join(QStringLiteral("  ")));
    if (pages_->currentWidget()->objectName() == QLatin1String("TabSheet7")) refreshSlips();
}

QString MainWindow::slipNews() {
    // A store that cannot be read was told in a box at start; after each change of the draws the status bar
    // says it, instead of a box each time.
    try {
        return slips::checkSlips(session_, *ctx_.slips, ctx_.quotas.get());
    } catch (const AppError& e) {
        return QStringLiteral("Meine Scheine: ") + e.message();
    }
}

slips::SlipPrompt MainWindow::slipPrompt() {
    if (ctx_.askForSlip) return ctx_.askForSlip;
    return [this](const Game& game, const slips::SlipForm& offered, bool changeTips) {
        return askForSlip(game, offered, changeTips, this);
    };
}

ExportFileChooser MainWindow::backupChooser() {
    if (ctx_.chooseBackupFile) return ctx_.chooseBackupFile;
    return [this](const QString& suggested) { return chooseBackupFile(suggested, this); };
}

void MainWindow::refreshSlips() {
    slips::Page page;
    try {
        page = slips::pageOf(session_, *ctx_.slips, ctx_.quotas.get());
    } catch (const AppError& e) {
        page.totals = e.message(); // the store is never replaced: the page says why it shows nothing
    }
    slipsView_->show(page);
}

void MainWindow::applyGameToWindow(const Game& game) {
    setWindowTitle(titleOf(game));
    auto* box = pages_->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    box->setCurrentIndex(box->findData(static_cast<int>(game.id)));
    Controls& c = ctx_.controls;
    // Numbers of its own (a Glückszahl, two stars): the cells after the game's numbers, set apart from them,
    // the labels moved beside them, the chart of their counts. A cell the game has no number for is hidden
    // and no stop on the way through the row with the tab key.
    const int own = game.tipExtraCount();
    const bool ownExtra = own > 0;
    const bool worth = ctx_.state.popularity && ctx_.state.popularity();
    QString hitHint = QStringLiteral("Treffer gegen die angezeigte Ziehung");
    for (const Drum& d : game.extras)
        hitHint += d.hitMark.isEmpty()
                       ? QStringLiteral("; + 1, + 2: so viele %1 getroffen").arg(d.plural)
                       : QStringLiteral("; + %1: %2 %3 getroffen").arg(d.hitMark, d.article, d.oneName);
    const auto show = [&](const QString& name, bool shown) {
        c.setVisible(name, shown);
        binding_->widget(name)->setFocusPolicy(shown ? Qt::StrongFocus : Qt::NoFocus);
    };
    for (int r = 0; r < TipGrid::Rows; ++r) {
        binding_->widget(TipGrid::hitLabelName(r))->setToolTip(hitHint);
        for (int col = 0; col < TipGrid::Columns; ++col)
            show(TipGrid::cellName(r, col), col < game.numbers.drawn);
        for (int place = 0; place < TipGrid::ExtraColumns; ++place) {
            const QString name = TipGrid::extraCellName(r, place);
            show(name, place < own);
            if (place >= std::max(own, 1)) continue;
            const Drum& drum = own > 0 ? game.tipExtraDrumAt(place) : game.extra();
            QWidget* cell = binding_->widget(name);
            cell->setToolTip(drum.oneName + QStringLiteral(" dieses Tipps"));
            cell->setAccessibleName(
                own > 1 ? QStringLiteral("%1. Tipp, %2. %3").arg(r + 1).arg(place + 1).arg(drum.oneName)
                        : QStringLiteral("%1. Tipp, %2").arg(r + 1).arg(drum.oneName));
            static_cast<QLineEdit*>(cell)->setMaxLength(int(QString::number(drum.highest()).size()));
        }
        // The share factor, where it is known, between the hits and a narrower digit sum.
        const int y = 52 + r * 22;
        binding_->widget(TipGrid::hitLabelName(r))
            ->setGeometry(own == 0 ? 254 : 254 + 28 * own, y, own == 0 ? 78 : 122 - 28 * own, 17);
        auto* sum = static_cast<QLabel*>(binding_->widget(TipGrid::sumLabelName(r)));
        sum->setGeometry(worth ? 354 : ownExtra ? 346 : 302, y, worth ? 24 : 30, 17);
        sum->setAlignment(worth ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        c.setVisible(TipGrid::worthLabelName(r), worth);
        binding_->widget(TipGrid::worthLabelName(r))->raise();
    }
    if (worth) showTipWorth();
    // Only where the players' choices are known can the search avoid them.
    c.setEnabled(QStringLiteral("CheckBox30"), worth);
    binding_->widget(QStringLiteral("CheckBox30"))
        ->setToolTip(worth ? QStringLiteral("Zahlen und Glückszahlen, die wenige andere spielen, bevorzugen; "
                                            "Tipps mit Mustern, die viele spielen, verwerfen")
                     : !game.popularityModel.isEmpty()
                         ? QStringLiteral("Nicht verfügbar: die Datei %1 fehlt neben dem Programm oder ist "
                                          "beschädigt.")
                               .arg(game.popularityModel)
                         : QStringLiteral("Für %1 nicht verfügbar: wie oft die Spieler welche Zahlen "
                                          "spielen, ist nur aus den Quoten von „6 aus 42“ bekannt.")
                               .arg(game.name));
    // The days the game is drawn on name the filter's two boxes; the digit sums the filter offers are the
    // game's.
    for (std::size_t d = 0; d < 2 && d < game.drawDays.size(); ++d)
        c.setText(DrawFilter::dayBoxName(int(d)), game.drawDays[d].name + QStringLiteral(" Ziehungen"));
    for (const char* name : {"UpDown1", "UpDown2"})
        static_cast<QSpinBox*>(binding_->widget(QLatin1String(name)))
            ->setRange(game.digitSumLowest, game.digitSumHighest);
    if (ownExtra) {
        const Drum& drum = game.tipExtraDrumAt(0);
        c.setText(QStringLiteral("SpeedButton15"), drum.captionMark);
        binding_->widget(QStringLiteral("SpeedButton15"))
            ->setToolTip(QStringLiteral("Häufigkeit der ") + drum.plural);
    }
    c.setVisible(QStringLiteral("SpeedButton15"), ownExtra);
    // What has no source for the game is greyed and says why; the results of the latest draws of
    // "6 aus 45" stand beside rows 1 .. 6 only for a game with those pages.
    const QString noSource =
        QStringLiteral("Für %1 nicht verfügbar: neue Ziehungen mit „Import aus Text“ oder "
                       "„Eingeben“ übernehmen.")
            .arg(game.name);
    const QString noSlip = QStringLiteral("Für %1 ist kein Wettschein hinterlegt.").arg(game.name);
    const QString fromList =
        QStringLiteral("Neue Ziehungen von %1 aus der Ziehungsliste übernehmen, deren Adresse "
                       "auf der Seite „Internet-Optionen“ steht")
            .arg(game.name);
    const bool update = game.webPages || !game.drawListEdit.isEmpty();
    const QString updateHint = update ? (game.webPages ? QString() : fromList) : noSource;
    const struct {
        const char* name;
        bool available;
        QString hint; // empty: the designed one
    } sources[] = {{"BitBtn1", update, updateHint},
                   {"SpeedButton10", update, updateHint},
                   {"BitBtn2", game.webPages, game.webPages ? QString() : noSource},
                   {"Button1", game.webPages, game.webPages ? QString() : noSource},
                   {"SpeedButton12", game.slip, game.slip ? QString() : noSlip},
                   {"BitBtn22", systemplay::playsSystems(game),
                    systemplay::playsSystems(game)
                        ? QString()
                        : QStringLiteral("Für %1 sind keine Systeme vorgesehen.").arg(game.name)}};
    for (const auto& source : sources) {
        QWidget* w = binding_->widget(QLatin1String(source.name));
        if (!designedHints_.contains(w)) designedHints_.insert(w, w->toolTip());
        c.setEnabled(QLatin1String(source.name), source.available);
        w->setToolTip(source.hint.isEmpty() ? designedHints_.value(w) : source.hint);
    }
    for (int n = 15; n <= 20; ++n) c.setVisible(QStringLiteral("Label%1").arg(n), game.webPages);
    // The page of the latest draws reads the operator's page of "6 aus 45" only.
    for (QWidget* w : pages_->findChild<QWidget*>(QStringLiteral("TabSheet2"))->findChildren<QWidget*>())
        if (binding_->binds(w->objectName())) c.setEnabled(w->objectName(), game.webPages);
    c.setEnabled(QStringLiteral("Label60"), true);
    c.setVisible(QStringLiteral("Label60"), !game.webPages);
    c.setText(QStringLiteral("Label60"),
              game.webPages
                  ? QString()
                  : QStringLiteral("Diese Seite zeigt die letzten Ziehungen von der Seite des Betreibers "
                                   "für 6 aus 45; für %1 gibt es sie nicht.")
                        .arg(game.name));
}

void MainWindow::startUp() {
    AppState& s = ctx_.state;
    // The game of the last run first: what follows is its own.
    gamechoice::makeCurrent(session_, readGame(ctx_));
    applyGameToWindow(*s.game);
    // Before anything else: a first start may take the record of the real draws that ships along.
    const int taken = offerShippedRecord();
    s.hitSoundFile = QStringLiteral("yippee.wav");
    s.maxCalcRuns = 100000;
    s.readyFlag = false;
    // A wrong-typed stored value is named in the error box; it alone keeps its default, and start-up
    // goes on, so that the seed, the draw on display and the user's other values are all there.
    for (const QString& failure : restoreSettings(ctx_)) error(failure);
    // Size and position of the last run; anything unreadable leaves the window at its own size.
    if (!restoreGeometry(readFormGeometry(ctx_))) resize(firstSize());
    ctx_.random.seedFromClock();
    s.referenceDate = dates::toDayNumber(ctx_.controls.date(QStringLiteral("DateTimePicker2")));
    showCurrentGame(taken);
    // A store of slips that cannot be read is told now, once; it stays as it is.
    runOperation([this] { ctx_.slips->verify(); });
    sayNews();
}

QSize MainWindow::firstSize() const {
    // The tabs of all pages in one row, with a little room to spare, or the designed width.
    const int tabs = pages_->tabBar()->sizeHint().width() + 8;
    return {std::max(DesignedSize.width(), tabs), DesignedSize.height()};
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The answer to the window's own request is taken as it comes: a window manager that keeps the window
    // smaller (a tiling one) is asked once per resize the user makes, not again and again.
    if (std::exchange(leastSizeAsked_, false)) return;
    // Without a window manager nothing holds the X server to the least size: a window made smaller than
    // the pages are laid out for would cut them off, so it takes that size again.
    const QSize least = size().expandedTo(minimumSize());
    if (least == size()) return;
    QTimer::singleShot(0, this, [this] {
        const QSize now = size().expandedTo(minimumSize());
        if (now == size()) return;
        leastSizeAsked_ = true;
        resize(now);
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveSettings(ctx_, saveGeometry());
    event->accept();
}

// ---- Ui ----------------------------------------------------------------------------------------------

void MainWindow::setStatus(int panel, const QString& text) {
    if (panel < 0 || panel > 1) return;
    statusTexts_[panel] = text;
    // The label itself is updated at most once per event-loop turn or repaint: the tip search sets a text
    // for every candidate.
    if (!statusFlushPending_) {
        statusFlushPending_ = true;
        QTimer::singleShot(0, this, [this] { flushStatus(); });
    }
}

void MainWindow::flushStatus() {
    statusFlushPending_ = false;
    for (int i = 0; i < 2; ++i)
        if (statusPanels_[i]->text() != statusTexts_[i]) statusPanels_[i]->setText(statusTexts_[i]);
    // The first panel is 150 pixels wide, and as wide as a longer text needs, which is never cut short.
    QLabel* first = statusPanels_[0];
    const int needed = first->fontMetrics().horizontalAdvance(first->text()) + 2 * first->frameWidth() + 8;
    first->setFixedWidth(std::max(150, needed));
}

QString MainWindow::status(int panel) const {
    return panel >= 0 && panel <= 1 ? statusTexts_[panel] : QString();
}

void MainWindow::repaintStatus() {
    if (statusRepaintClock_.elapsed() < repaintIntervalMs) return;
    statusRepaintClock_.restart();
    flushStatus();
    statusBar()->repaint();
}

void MainWindow::repaintWindow() {
    if (windowRepaintClock_.elapsed() < repaintIntervalMs) return;
    windowRepaintClock_.restart();
    flushStatus();
    repaint();
}

void MainWindow::showPage(const QString& pageName) {
    for (int i = 0; i < pages_->count(); ++i)
        if (pages_->widget(i)->objectName() == pageName) pages_->setCurrentIndex(i);
}

void MainWindow::message(const QString& text, const QString& caption, const QString& details) {
    ctx_.dialogs->message(this, caption.isEmpty() ? appTitle() : caption, text, details);
}

bool MainWindow::messageOrStop(const QString& text, const QString& caption) {
    return ctx_.dialogs->messageOrStop(this, caption.isEmpty() ? appTitle() : caption, text);
}

void MainWindow::error(const QString& text) {
    ctx_.dialogs->error(this, appTitle(), text);
}

std::optional<QString> MainWindow::inputBox(const QString& caption, const QString& prompt,
                                            const QString& preset) {
    return ctx_.dialogs->input(this, caption.isEmpty() ? appTitle() : caption, prompt, preset);
}

bool MainWindow::question(const QString& text, const QString& caption, Preset preset) {
    return ctx_.dialogs->question(this, caption.isEmpty() ? appTitle() : caption, text,
                                  preset == Preset::Yes);
}

void MainWindow::beginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MainWindow::endBusy() {
    QApplication::restoreOverrideCursor();
}

void MainWindow::offerCancel(bool offered) {
    cancelRequested_ = false;
    cancelButton_->setVisible(offered);
    if (offered) flushStatus();
}

#pragma once

#include "evaluation/Evaluation.h"
#include "evaluation/HitBalance.h"
#include "gui/SystemDialog.h"
#include "import/ArchiveExport.h"
#include "import/DrawEntry.h"
#include "import/TextImport.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "slips/SlipBook.h"
#include "state/Session.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <functional>
#include <map>
#include <memory>

class AppContext;
class ChartView;
class ControlBinding;
class PrintSettingsDialog;
class ReportPreview;
class SlipPrinter;
class StatisticsBrowserWindow;
class StatisticsBrowser;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class SlipsView;

// The main window TForm1: its pages, the status bar, and the wiring of every control to its operation.
// It is also the Ui port of the logic, and it binds each named widget to its entry in Controls both ways.
class MainWindow : public QMainWindow, public Ui {
    Q_OBJECT
public:
    // The size the pages are laid out for, and the least the window takes.
    static constexpr QSize DesignedSize{519, 451};
    // The size of a first start: as wide as the tabs of all pages need.
    QSize firstSize() const;

    explicit MainWindow(AppContext& context);
    ~MainWindow() override;

    // The start-up sequence; main() calls it once the window exists.
    void startUp();

    Session& session() { return session_; }
    Services& services() { return services_; }

    // Runs one operation the way a control's event does: an AppError or any other failure ends it and is
    // shown in the standard error message box.
    void runOperation(const std::function<void()>& operation);

    // Ui
    void setStatus(int panel, const QString& text) override;
    QString status(int panel) const override;
    void repaintStatus() override;
    void repaintWindow() override;
    void showPage(const QString& pageName) override;
    void message(const QString& text, const QString& caption = QString(),
                 const QString& details = QString()) override;
    bool messageOrStop(const QString& text, const QString& caption = QString()) override;
    void error(const QString& text) override;
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& preset) override;
    bool question(const QString& text, const QString& caption, Preset preset = Preset::Yes) override;
    void beginBusy() override;
    void endBusy() override;
    void offerCancel(bool offered) override;
    bool cancelRequested() const override { return cancelRequested_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireOperations();
    void flushStatus();
    void saveChartPicture();
    DrawPrompt drawPrompt();
    ExportFileChooser exportChooser();
    ImportFileChooser importChooser();
    void showNewestDraw();
    void showTipHitBalance();
    PrizesOfDraws prizesOfDraws();
    // ComboBox1: the game becomes the current one, and the window shows it as start-up does.
    void chooseGame(const Game& game);
    // Title, box, the cells and labels of the tip page, and what the game has no source for.
    void applyGameToWindow(const Game& game);
    // The first start of the current game: its record, when its archive holds no draw. Returns the draws
    // taken.
    int offerShippedRecord();
    // What start-up shows of the current game: the draw for today, the frequencies, where the archive is.
    // `taken`: the draws of the record just taken, which the status bar says instead of the count.
    void showCurrentGame(int taken);
    // "1354 Ziehungen": the current game's stored draws, as the first status panel shows them.
    QString drawCountText() const;
    // After an operation that may have changed the draws: the count, what the slips newly reached and what
    // the archive lacks (or that it is current), after what the operation said (a status other than before).
    void drawsChanged(const QString& statusBefore);
    void sayWithArchive(const QString& said, const QString& news);
    // For a game played today with draws: what is missing since the newest, or that it is current.
    QString archiveStateText() const;
    // "Neueste Ziehung: 31.12.2025 – seither 97 Ziehungen nicht gespeichert; …" for a game played today whose
    // newest stored draw lies before its last draw day before today; empty otherwise.
    QString missingDrawsText() const;
    // The quotas of the game's draws that ship with the program, taken where none are stored: what they tell.
    QString takeShippedQuotas();
    // The share factor beside each row of the grid, where the game's popularity is known.
    void showTipWorth();
    // "System" (BitBtn22): the dialog of the systems, its tips into the grid, a slip, a text, a balance.
    void showSystems();
    // The switch "Zufall": line, band and verdict of chance on the chart, on or off.
    void showChance(bool on);
    // Page "Meine Scheine": the slips of the current game, the hits of the one selected, the totals.
    void refreshSlips();
    // The slips checked against the draws as they are now: what they newly reached, or why they could not be
    // read.
    QString slipNews();
    void sayNews();
    slips::SlipPrompt slipPrompt();
    ExportFileChooser backupChooser();
    // Refuses a file the user chose to print into when it is one of the draws' files (AppError).
    std::function<void(const QString&)> refuseDrawFile() const;

    AppContext& ctx_;
    Services services_;
    Session session_;
    SessionDrawSteps steps_;
    QTabWidget* pages_ = nullptr;
    ChartView* chartView_ = nullptr;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    QPushButton* cancelButton_ = nullptr; // "Abbrechen" of a download, in the status bar
    bool cancelRequested_ = false;
    bool leastSizeAsked_ = false;    // the next resize answers the window's own request for its least size
    SlipsView* slipsView_ = nullptr; // page "Meine Scheine", a child of it
    bool slipsChecked_ = false;      // the operation under way checked the slips itself
    bool worthDue_ = false;          // a tip cell changed since the factors were shown
    std::map<int, std::shared_ptr<const share::Model>> popularity_; // by game, read at its first use
    QString statusTexts_[2];
    bool statusFlushPending_ = false;
    QElapsedTimer statusRepaintClock_;
    QElapsedTimer windowRepaintClock_;
    ControlBinding* binding_ = nullptr; // a child of the pages
    QHash<QObject*, std::function<void()>> clicks_;
    QHash<QWidget*, QString> designedHints_; // of the controls a game may grey
    QSet<int> offered_;                      // the games whose record was offered in this run

    // The dialog windows that live for the whole run.
    std::unique_ptr<PrintSettingsDialog> printSettings_;
    std::unique_ptr<ReportPreview> ownPreview_;
    std::unique_ptr<SlipPrinter> slipPrinter_;
    std::unique_ptr<StatisticsBrowserWindow> statisticsBrowser_;
    StatisticsBrowser& browser();
};

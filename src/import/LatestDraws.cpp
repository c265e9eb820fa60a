#include "import/LatestDraws.h"

#include "evaluation/Evaluation.h"
#include "import/DrawPage.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dates.h"
#include "platform/FileErrors.h"
#include "platform/HttpClient.h"
#include "platform/Ui.h"
#include "state/Session.h"
#include "state/TipGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <optional>

namespace {

struct DayLabels {
    const char* date;
    const char* numbers;
    const char* extra;
    const char* superNumber;
    const char* firstResult; // result labels of tips 1 .. 6 are numbered on from this one
    int firstResultNumber;
};

constexpr DayLabels WednesdayLabels{"Label3", "Label1", "Label6", "Label7", "Label", 22};
constexpr DayLabels SaturdayLabels{"Label5", "Label2", "Label9", "Label8", "Label", 15};

QString name(const char* text) {
    return QString::fromLatin1(text);
}

void showDraw(Session& session, const DayLabels& labels, const QDate& date) {
    Controls& controls = session.services.controls;
    const Draw& draw = session.state.currentDraw;
    QStringList numbers;
    for (const int n : draw.numbers) numbers << QString::number(n);
    controls.setText(name(labels.date), dates::formatShortDate(date));
    controls.setText(name(labels.numbers), numbers.join(QLatin1String("  ")));
    controls.setText(name(labels.extra),
                     QStringLiteral("ZZ: ") + QString::number(draw.extras.empty() ? 0 : draw.extras[0]));
    controls.setText(name(labels.superNumber), QStringLiteral("SZ: ") + QString::number(draw.superNumber));
    // The page has result labels beside the first six tips.
    for (int row = 0; row < 6; ++row) {
        const TipCheck check = zettelcheck(session.state.currentDraw, session.grid.tip(row), session.game());
        session.state.lastCheck = check;
        showHits(controls, name(labels.firstResult) + QString::number(labels.firstResultNumber + row), check,
                 session.game());
    }
}

// Enables the button again however the transfer ends.
class EnableAgain {
public:
    EnableAgain(Controls& controls, QString name) : controls_(controls), name_(std::move(name)) {
        controls_.setEnabled(name_, false);
    }
    ~EnableAgain() { controls_.setEnabled(name_, true); }
    EnableAgain(const EnableAgain&) = delete;
    EnableAgain& operator=(const EnableAgain&) = delete;

private:
    Controls& controls_;
    QString name_;
};

} // namespace

void applyDrawPageLine(Session& session, const DrawPageLine& line) {
    if (line.kind == DrawPageLine::Kind::Ignored) return;
    Draw& draw = session.state.currentDraw;
    if (line.date.isValid()) draw.date = dates::toDayNumber(line.date);
    // The slots of the operator's page of "6 aus 45": the six numbers, ZZ, SZ.
    constexpr int PageNumbers = 6;
    if (draw.numbers.size() != PageNumbers) draw.numbers = Numbers::zeros(PageNumbers);
    if (draw.extras.size() != 1) draw.extras = Numbers::zeros(1);
    for (int i = 0; i < line.filled; ++i) {
        const int value = line.values[static_cast<std::size_t>(i)];
        if (i < PageNumbers)
            draw.numbers[static_cast<std::size_t>(i)] = Numbers::Value(value);
        else if (i == PageNumbers)
            draw.extras[0] = Numbers::Value(value);
        else
            draw.superNumber = value;
    }
    if (line.kind == DrawPageLine::Kind::Invalid) throw AppError(line.error);
    if (line.kind != DrawPageLine::Kind::Draw) return;
    // The page has a panel for each of the two draw days of "6 aus 45".
    const int weekday = dates::weekday(line.date);
    if (weekday == dates::Wednesday)
        showDraw(session, WednesdayLabels, line.date);
    else if (weekday == dates::Saturday)
        showDraw(session, SaturdayLabels, line.date);
}

void parseDrawPageFile(Session& session, const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw fileerrors::error(file, fileerrors::Access::Read);
    const int currentYear = session.services.clock.today().year();
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
        applyDrawPageLine(session, parseDrawPageLine(QString::fromLatin1(bytes), currentYear));
    }
}

HttpRequest requestThroughProxy(const Controls& controls, const QString& url) {
    HttpRequest request;
    request.url = url;
    request.proxyHost = controls.text(QStringLiteral("ProxyHostEdit"));
    request.proxyPort = controls.text(QStringLiteral("ProxyPortEdit"));
    return request;
}

void loadLatestDraws(Session& session, HttpClient& http) {
    Controls& controls = session.services.controls;
    Ui& ui = session.services.ui;
    const HttpRequest request = requestThroughProxy(controls, controls.text(QStringLiteral("URLEdit")));
    const QString fileName = controls.text(QStringLiteral("FileNameEdit"));

    std::optional<AppError> failure;
    {
        QFile file(fileName);
        if (fileName.trimmed().isEmpty())
            throw AppError(QStringLiteral("Es ist keine Temp-Datei für den Internetabruf angegeben."));
        DrawArchive::refuseAsTarget(session.state.programDir, fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw fileerrors::error(file, fileerrors::Access::Write);
        EnableAgain button(controls, QStringLiteral("Button1"));
        ui.setStatus(0, QStringLiteral("Loading"));
        ui.repaintStatus();
        try {
            http.get(request, file);
            file.flush();
            ui.setStatus(0, QStringLiteral("Received %1 bytes").arg(file.size()));
        } catch (const HttpError& e) {
            ui.setStatus(0, QStringLiteral("Failed : %1 %2").arg(e.statusCode()).arg(e.reasonPhrase()));
        } catch (const AppError& e) {
            failure = e;
        }
        ui.repaintStatus();
    }

    session.state.currentDraw.date = 0;
    if (QFileInfo(fileName).isFile()) {
        try {
            parseDrawPageFile(session, fileName);
        } catch (const AppError&) {
            // Both go to the user: the transfer's failure first, then the parse's.
            if (failure) ui.error(failure->message());
            throw;
        }
    }
    if (failure) throw *failure;
}

#include "import/DrawList.h"

#include "import/LatestDraws.h"
#include "import/TextImport.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/HttpClient.h"
#include "platform/TextLines.h"
#include "platform/Ui.h"
#include "state/Session.h"

#include <QIODevice>
#include <QRegularExpression>
#include <set>

namespace drawlist {

namespace {

// Keeps what arrives, up to the import's limit, and tells how much there is.
class ListBuffer : public QIODevice {
public:
    explicit ListBuffer(std::function<void(qint64)> progress) : progress_(std::move(progress)) {
        open(QIODevice::WriteOnly);
    }
    const QByteArray& bytes() const { return bytes_; }
    bool tooLarge() const { return tooLarge_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (bytes_.size() + size > importlimits::MaxBytes) {
            tooLarge_ = true;
            return -1;
        }
        bytes_.append(data, size);
        progress_(bytes_.size());
        return size;
    }

private:
    std::function<void(qint64)> progress_;
    QByteArray bytes_;
    bool tooLarge_ = false;
};

// An error page sent as a success starts with the marks of HTML.
bool isWebPage(const QString& text) {
    static const QRegularExpression html(QStringLiteral("^\\s*<(!doctype\\s+html|html|head|body)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    return html.match(text).hasMatch();
}

// The list's text; the status bar says how far it is while it loads and is emptied however that ends, and
// "Abbrechen" ends it (HttpCancelled).
QString download(Session& session, HttpClient& http, const QString& address) {
    Ui& ui = session.services.ui;
    BusyCursor busy(ui);
    const StatusWhile loading(ui, 1, QStringLiteral("Die Ziehungsliste wird geladen …"));
    const CancelOffer cancel(ui);
    ui.repaintStatus();
    ListBuffer list([&ui](qint64 bytes) {
        ui.setStatus(1, QStringLiteral("Ziehungsliste: %1 KB geladen").arg((bytes + 1023) / 1024));
        ui.repaintStatus();
    });
    HttpRequest request = requestThroughProxy(session.services.controls, address);
    request.cancelled = [&cancel] { return cancel.requested(); };
    try {
        http.get(request, list);
    } catch (const HttpCancelled&) {
        throw;
    } catch (const HttpError& e) {
        throw AppError(
            QStringLiteral("Die Ziehungsliste \"%1\" konnte nicht geladen werden: Der Server meldet den "
                           "Fehler %2.")
                .arg(address)
                .arg(e.statusCode()));
    } catch (const AppError&) {
        if (list.tooLarge()) throw AppError(importlimits::tooLargeText(address));
        throw;
    }
    return textlines::decode(list.bytes());
}

// The list of the quotas of a game that has one, read with the draws: its text goes along for its quotas, and
// those of its draws that neither the archive nor the list of draws holds go through the import like any
// draw. A list that cannot be had is said in the report; the draws come all the same.
void takeQuotaList(Session& session, HttpClient& http, ImportedDraws& draws, const ReadOptions& options) {
    const Game& game = session.game();
    const QString address = game.quotaListEdit.isEmpty()
                                ? QString()
                                : session.services.controls.text(game.quotaListEdit).trimmed();
    if (address.isEmpty()) return;
    QString text;
    try {
        text = download(session, http, address);
    } catch (const HttpCancelled&) {
        draws.notes << QStringLiteral("Das Laden der Quotenliste wurde abgebrochen.");
        return;
    } catch (const AppError& e) {
        draws.notes << QStringLiteral("Quotenliste: ") + e.message();
        return;
    }
    ImportedDraws listed;
    readDrawText(listed, text, address, address, game, options);
    const DrawArchive archive = session.archive();
    std::set<double> known;
    if (!archive.holdsNoDraw())
        for (const Draw& d : archive.scan()) known.insert(d.date);
    for (const auto& [date, line] : listed.byDate)
        if (!known.count(date) && !draws.byDate.count(date)) {
            ImportedDraws::Line taken = line;
            taken.file = int(draws.fileNames.size());
            draws.byDate.emplace(date, taken);
        }
    draws.fileNames << address;
    draws.texts << text;
}

} // namespace

void update(Session& session, HttpClient& http, const std::function<void()>& showNewest) {
    const ArchiveLease lease = session.state.archiveGate.take();
    const QString address = session.services.controls.text(session.game().drawListEdit).trimmed();
    if (address.isEmpty()) {
        session.services.ui.message(
            QStringLiteral("Bitte tragen Sie auf der Seite „Internet-Optionen“ die Adresse "
                           "einer Ziehungsliste von %1 ein.")
                .arg(session.game().name));
        return;
    }
    QString text;
    try {
        text = download(session, http, address);
    } catch (const HttpCancelled&) {
        session.services.ui.setStatus(1, QStringLiteral("Das Laden der Ziehungsliste wurde abgebrochen."));
        return;
    }
    // Nothing of a page that is no list reaches the import, which would report its every line.
    if (text.trimmed().isEmpty())
        throw AppError(
            QStringLiteral("Unter der Adresse \"%1\" steht eine leere Seite, keine Ziehungsliste. Es "
                           "wurde nichts übernommen.")
                .arg(address));
    if (isWebPage(text))
        throw AppError(
            QStringLiteral("Unter der Adresse \"%1\" steht eine Webseite, keine Ziehungsliste. Es wurde "
                           "nichts übernommen.")
                .arg(address));
    ImportedDraws draws;
    const ReadOptions options{session.services.clock.today(), askDateOrder(session.services.ui), {}};
    {
        BusyCursor busy(session.services.ui);
        readDrawText(draws, text, address, address, session.game(), options);
    }
    takeQuotaList(session, http, draws, options);
    takeDraws(session, lease, draws, showNewest, QStringLiteral("Keine neuen Ziehungen."));
}

} // namespace drawlist

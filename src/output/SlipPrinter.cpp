#include "output/SlipPrinter.h"

#include "output/SlipReport.h"
#include "output/SlipSettings.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "report/ReportPreview.h"
#include "state/AppState.h"

#include <QDir>
#include <QImage>

SlipPrinter::SlipPrinter(SlipSettingsPrompt& settings, ReportPreview& preview, QString pictureDir)
    : settings_(settings), preview_(preview), pictureDir_(std::move(pictureDir)),
      report_(slip::createReport()) {}

bool SlipPrinter::printSlip(AppState& state, const TipGrid& grid, const Clock& clock) {
    settings_.setOffsets(state.tippTop, state.tippLeft);
    // The paper slip of "6 aus 45", its two days: Thursday to Saturday the next draw is Saturday's, Sunday to
    // Wednesday it is Wednesday's.
    const bool saturday = dates::weekday(clock.today()) > dates::Wednesday;
    settings_.setDays(saturday, !saturday);
    const int count = slip::presentTipCount(grid);
    settings_.setSlipTipCount(count);
    settings_.setPriceText(formatPrice(slipPrice(count, settings_.choice())));
    settings_.setSlipPicture(QDir::toNativeSeparators(pictureDir_), !picturePath().isEmpty());
    if (!settings_.runModal()) return false;

    const SlipChoice choice = settings_.choice();
    state.tippTop = choice.top;
    state.tippLeft = choice.left;
    slip::placeGameMarks(report_, choice);
    loadPicture(choice.showSlip);
    slip::layOutTips(report_, grid, state.tippTop, state.tippLeft);
    preview_.show(report_);
    return true;
}

QString SlipPrinter::picturePath() const {
    const QDir dir(pictureDir_);
    const QString wanted = QLatin1String(slip::PictureFile);
    // The name is matched without regard to case; an exact match wins over other spellings.
    QStringList found;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Readable, QDir::Name))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) found << name;
    if (found.isEmpty()) return {};
    return dir.filePath(found.contains(wanted) ? wanted : found.first());
}

void SlipPrinter::loadPicture(bool showSlip) {
    ReportElement& picture = report_.element(QLatin1String(slip::PictureName));
    picture.enabled = showSlip;
    if (!showSlip) return;
    const QString path = picturePath();
    if (path.isEmpty()) return;
    // A picture that cannot be read leaves the one loaded before; the marks print alone.
    QImage image(path);
    if (!image.isNull()) picture.picture = image;
}

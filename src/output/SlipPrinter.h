#pragma once

#include "report/Report.h"

#include <QString>

class Clock;
class ReportPreview;
class SlipSettingsPrompt;
class TipGrid;
struct AppState;

// Prints the tips onto a paper lottery slip: the settings dialog first, then the slip report in the
// preview, from which the user prints. The report lives as long as this object (the whole run), so marks
// of empty cells and a loaded slip picture stay from one print to the next.
class SlipPrinter {
public:
    // pictureDir: where "Schein.jpg" is looked for, the folder of the program's other files.
    SlipPrinter(SlipSettingsPrompt& settings, ReportPreview& preview, QString pictureDir);

    // Returns false when the dialog was not confirmed; then nothing has changed.
    bool printSlip(AppState& state, const TipGrid& grid, const Clock& clock);

    const Report& report() const { return report_; }

private:
    // The picture of the slip in its folder, or empty when there is none.
    QString picturePath() const;
    void loadPicture(bool showSlip);

    SlipSettingsPrompt& settings_;
    ReportPreview& preview_;
    QString pictureDir_;
    Report report_;
};

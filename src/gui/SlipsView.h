#pragma once

#include "slips/SlipBook.h"

#include <QObject>

class Controls;
class QTableWidget;
class QWidget;

// Page "Meine Scheine" (TabSheet7) as the player sees it: the slips (ScheinGrid) with what each was paid, the
// one he selects, its hits draw by draw (TreffGrid) and the totals (Label90). Only the paid amount is his
// to type.
class SlipsView : public QObject {
    Q_OBJECT
public:
    SlipsView(QWidget* page, Controls& controls);

    // Shows the page, the slip selected before selected again (else the first).
    void show(const slips::Page& page);
    // The slip of the selected row, or nullptr.
    const Slip* selected() const;

signals:
    // The player typed what he was paid for a slip; the page shows what is stored until it is shown anew.
    void paidEdited(const Slip& slip, const QString& typed);

private:
    void showHits();

    Controls& controls_;
    QTableWidget* slips_;
    QTableWidget* hits_;
    slips::Page page_;
    bool filling_ = false; // the table is being filled, not edited
};

#include "gui/PrintPreview.h"

#include "report/Report.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

std::unique_ptr<QPrintPreviewDialog> PrintPreview::createDialog(const Report& report, QPrinter& printer,
                                                                QWidget* parent) {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    dialog->setWindowTitle(report.title());
    // The preview and every print from it draw the page the same way; the printer keeps what the user
    // chose in the print dialog.
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&report](QPrinter* target) { report.paint(*target, target->fullPage()); });
    return dialog;
}

void PrintPreview::show(const Report& report) {
    QPrinter printer(QPrinter::HighResolution);
    report.applyPageSetup(printer);
    // The report places its marks from the sheet's corner.
    printer.setFullPage(true);
    printer.setDocName(report.title());
    printer.setCopyCount(1);
    auto dialog = createDialog(report, printer, parent_);
    dialog->exec();
}

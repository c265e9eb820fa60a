#include "gui/PrintPreview.h"

#include "platform/AppError.h"
#include "platform/Ui.h"
#include "report/Report.h"

#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

std::unique_ptr<QPrintPreviewDialog> PrintPreview::createDialog(const Report& report, QPrinter& printer,
                                                                QWidget* parent, const TargetCheck& check) {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    dialog->setWindowTitle(report.title());
    QWidget* box = dialog.get();
    // The preview and every print from it draw the page the same way; the printer keeps what the user
    // chose in the print dialog. "Drucken in Datei (PDF)" names a file: checked before it is opened.
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&report, check, box](QPrinter* target) {
                         if (check && target->outputFormat() == QPrinter::PdfFormat) {
                             try {
                                 check(target->outputFileName());
                             } catch (const AppError& e) {
                                 target->setOutputFileName(QString()); // the preview goes on without the file
                                 QMessageBox::critical(box, QString::fromLatin1(AppTitle), e.message());
                                 return;
                             }
                         }
                         report.paint(*target, target->fullPage());
                     });
    return dialog;
}

void PrintPreview::show(const Report& report) {
    QPrinter printer(QPrinter::HighResolution);
    report.applyPageSetup(printer);
    // The report places its marks from the sheet's corner.
    printer.setFullPage(true);
    printer.setDocName(report.title());
    printer.setCopyCount(1);
    auto dialog = createDialog(report, printer, parent_, check_);
    dialog->exec();
}

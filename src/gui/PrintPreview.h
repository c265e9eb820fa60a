#pragma once

#include "report/ReportPreview.h"

#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

// The preview window of the print support: zoom, page setup, printer choice and printing.
class PrintPreview : public ReportPreview {
public:
    explicit PrintPreview(QWidget* parent = nullptr) : parent_(parent) {}
    void show(const Report& report) override;

    // The preview dialog for a printer already given the report's page setup (also used to take pictures
    // of the preview). The report must outlive the dialog.
    static std::unique_ptr<QPrintPreviewDialog> createDialog(const Report& report, QPrinter& printer,
                                                             QWidget* parent);

private:
    QWidget* parent_;
};

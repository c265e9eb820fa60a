#pragma once

#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;
class Report;

// Shows a report in a modal preview from which the user prints it; returns when the preview is closed.
// Tests hand in a fake that only records the report.
class ReportPreview {
public:
    virtual ~ReportPreview() = default;
    virtual void show(const Report& report) = 0;
};

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

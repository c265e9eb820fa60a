#pragma once

#include "report/ReportPreview.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

// The preview window of the print support: zoom, page setup, printer choice and printing.
class PrintPreview : public ReportPreview {
public:
    // A file the user chose to print into is checked by this first; it throws AppError to refuse it.
    using TargetCheck = std::function<void(const QString& file)>;

    explicit PrintPreview(QWidget* parent = nullptr, TargetCheck check = {})
        : parent_(parent), check_(std::move(check)) {}
    void show(const Report& report) override;

    // The preview dialog for a printer already given the report's page setup (also used to take pictures
    // of the preview). The report must outlive the dialog. A file refused by the check is not printed
    // into: the error box says why.
    static std::unique_ptr<QPrintPreviewDialog> createDialog(const Report& report, QPrinter& printer,
                                                             QWidget* parent, const TargetCheck& check = {});

private:
    QWidget* parent_;
    TargetCheck check_;
};

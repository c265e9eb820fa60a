#pragma once

class Report;

// Shows a report in a modal preview from which the user prints it; returns when the preview is closed.
// Tests hand in a fake that only records the report.
class ReportPreview {
public:
    virtual ~ReportPreview() = default;
    virtual void show(const Report& report) = 0;
};

#include "archive/ArchiveGate.h"

#include "archive/ArchiveFiles.h"
#include "platform/AppError.h"

const QString ArchiveGate::BusyText =
    QStringLiteral("Es läuft bereits ein Vorgang an der Datenbank. Bitte warten Sie, bis er beendet ist.");

ArchiveGate::ArchiveGate() : files_(&ArchiveFiles::system()) {}

ArchiveGate::Lease ArchiveGate::take() {
    if (busy_) throw AppError(BusyText);
    busy_ = true;
    return Lease(*this);
}

ArchiveGate::Lease::Lease(Lease&& other) noexcept : gate_(other.gate_) {
    other.gate_ = nullptr;
}

ArchiveGate::Lease::~Lease() {
    if (gate_) gate_->busy_ = false;
}

ArchiveFiles& ArchiveGate::Lease::files() const {
    return *gate_->files_;
}

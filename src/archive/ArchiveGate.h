#pragma once

#include <QString>

class ArchiveFiles;

// One operation on the archive at a time. Every operation that writes the archive (update, rebuild,
// import, entry, deletion, the first-start copy) takes it here for its whole run, and the archive's
// writing calls need the lease it gets: an operation started while another holds the archive - a
// click while a web run waits for a page - is refused before it changes anything.
class ArchiveGate {
public:
    static const QString BusyText;

    class Lease {
    public:
        Lease(Lease&& other) noexcept;
        Lease& operator=(Lease&&) = delete;
        Lease(const Lease&) = delete;
        ~Lease();
        // The file calls the archive is written through.
        ArchiveFiles& files() const;

    private:
        friend class ArchiveGate;
        explicit Lease(ArchiveGate& gate) : gate_(&gate) {}
        ArchiveGate* gate_;
    };

    ArchiveGate();
    ArchiveGate(const ArchiveGate&) = delete;
    ArchiveGate& operator=(const ArchiveGate&) = delete;

    // Throws AppError with BusyText while another operation holds the archive.
    Lease take();
    bool busy() const { return busy_; }

    // Tests put a file system of their own behind the archive.
    void setFiles(ArchiveFiles& files) { files_ = &files; }

private:
    ArchiveFiles* files_;
    bool busy_ = false;
};

using ArchiveLease = ArchiveGate::Lease;

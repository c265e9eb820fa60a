#pragma once

#include <QString>

// Opens a web address or a file with the program the desktop associates with it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& addressOrPath) = 0;
};

// Throws AppError when the desktop opens nothing (no program for it, no xdg-open on a minimal system).
class DesktopShell : public Shell {
public:
    void open(const QString& addressOrPath) override;
};

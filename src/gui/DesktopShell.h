#pragma once

#include "platform/Shell.h"

// Throws AppError when the desktop opens nothing (no program for it, no xdg-open on a minimal system).
class DesktopShell : public Shell {
public:
    void open(const QString& addressOrPath) override;
};

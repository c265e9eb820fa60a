#pragma once

#include <QString>

// Opens a web address or a file with the program the desktop associates with it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& addressOrPath) = 0;
};

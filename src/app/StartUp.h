#pragma once

#include <QString>

class AppContext;

// Restores options, tips and the Internet settings from the settings store, in the program's order;
// a wrong-typed value throws AppError and the rest is skipped.
void restoreSettings(AppContext& context);
// Writes every value back; any error is ignored.
void saveSettings(AppContext& context) noexcept;

QString checkBoxValueName(int n);

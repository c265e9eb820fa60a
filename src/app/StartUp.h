#pragma once

#include <QString>
#include <QStringList>

class AppContext;

// Restores options, tips and the Internet settings from the settings store, in the program's order. A
// value of the wrong type leaves its control at the default; its German message is returned, the other
// values are restored all the same.
QStringList restoreSettings(AppContext& context);
// Writes every value back; any error is ignored.
void saveSettings(AppContext& context) noexcept;

QString checkBoxValueName(int n);

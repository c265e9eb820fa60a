#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class AppContext;
struct Game;

// Restores options, tips and the Internet settings from the settings store, in the program's order. A
// value of the wrong type leaves its control at the default; its German message is returned, the other
// values are restored all the same.
QStringList restoreSettings(AppContext& context);
// Writes every value back, the window's geometry too; any error is ignored.
void saveSettings(AppContext& context, const QByteArray& formGeometry = QByteArray()) noexcept;
// The game of the last run ("Spiel": 45 or 42); an unknown value, or a store without it (of the version
// before the choice), means "6 aus 45"; a store without any value (a new user's) "6 aus 42".
const Game& readGame(AppContext& context);
// The window's size and position as saved at the last close ("FormGeometry"); empty when there is none
// or it is no binary value.
QByteArray readFormGeometry(AppContext& context);

QString checkBoxValueName(int n);

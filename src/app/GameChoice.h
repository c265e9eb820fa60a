#pragma once

struct Game;
struct Session;

// The game the program serves, chosen with ComboBox1 on page "Lottotipp".
namespace gamechoice {

// Makes the game current: taken like any operation on the archive (refused while one runs), its archive
// from now on, the tip cells under its rules, and nothing of the other game's draw left on display
// (CurrentDraw, Label35, Label29, Label13). The caller then shows the new game as start-up does.
void makeCurrent(Session& session, const Game& game);

} // namespace gamechoice

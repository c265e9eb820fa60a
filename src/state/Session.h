#pragma once

#include "platform/Services.h"
#include "state/AppState.h"

class GeneratorOptions;
class TipGrid;

// Everything an operation works on: the platform, the shared values with the current game, the tips and
// the options.
struct Session {
    Services& services;
    AppState& state;
    TipGrid& grid;
    GeneratorOptions& options;

    const Game& game() const { return *state.game; }
    DrawArchive archive() const { return state.archive(); }
};

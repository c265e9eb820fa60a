#pragma once

#include "archive/AppState.h"
#include "generator/GeneratorOptions.h"
#include "generator/TipGrid.h"
#include "platform/Services.h"

// Everything an operation of the tip generator, the evaluation, the import or the output works on.
struct Session {
    Services& services;
    AppState& state;
    TipGrid& grid;
    GeneratorOptions& options;
};

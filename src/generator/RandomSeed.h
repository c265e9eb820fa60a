#pragma once

class DrawSteps;
struct Session;

// SpeedButton13: asks for the seed of the random generator (the "Startzahl" on screen, nothing to do
// with the extra number of a game), seeds the generator with it and offers to calculate
// the tips at once. Nothing fails loudly: a reply that is no number, or any failure of the calculation,
// leaves the generator seeded from the clock instead.
void chooseRandomSeed(Session& session, DrawSteps& steps);

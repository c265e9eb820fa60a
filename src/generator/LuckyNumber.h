#pragma once

class DrawSteps;
struct Session;

// SpeedButton13: asks for a lucky number, seeds the random generator with it and offers to calculate
// the tips at once. Nothing fails loudly: a reply that is no number, or any failure of the calculation,
// leaves the generator seeded from the clock instead.
void chooseLuckyNumber(Session& session, DrawSteps& steps);

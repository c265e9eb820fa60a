#pragma once

class Ui;
class Controls;
class ChartModel;
class Clock;
class Random;
class Sound;
class Shell;

// The platform pieces every operation may use, handed in by the app (or by a test).
struct Services {
    Ui& ui;
    Controls& controls;
    ChartModel& chart;
    Clock& clock;
    Random& random;
    Sound& sound;
    Shell& shell;
};

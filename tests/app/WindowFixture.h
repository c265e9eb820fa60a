#pragma once

#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "support/TestDir.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

// Stands in for the user at the window's message and input boxes.
class ScriptedDialogs : public Dialogs {
public:
    void message(QWidget*, const QString& caption, const QString& text, const QString& details) override;
    void error(QWidget*, const QString& caption, const QString& text) override;
    bool messageOrStop(QWidget* parent, const QString& caption, const QString& text) override {
        message(parent, caption, text, QString());
        return true;
    }
    std::optional<QString> input(QWidget*, const QString& caption, const QString& prompt,
                                 const QString& preset) override;
    bool question(QWidget*, const QString& caption, const QString& text, bool yesFirst) override;

    QStringList messages;
    QStringList errors;
    QStringList captions; // caption of every box, in order
    QStringList inputs;
    QStringList questions;
    std::vector<bool> yesFirst;                      // of every question
    QStringList details;                             // of every message
    std::deque<std::optional<QString>> inputAnswers; // empty: the preset; nothing: cancelled
    std::deque<bool> questionAnswers;                // empty: no
    std::function<void(const QString&)> onMessage;
};

class RecordingShell : public Shell {
public:
    void open(const QString& addressOrPath) override { opened << addressOrPath; }
    QStringList opened;
};

class CountingSound : public Sound {
public:
    void play(const QString& file) override { played << file; }
    QStringList played;
};

// A window on a program directory and settings file of the test's own.
class WindowFixture {
public:
    WindowFixture();
    // Builds the context and the window; start-up runs when startUp is true.
    MainWindow& open(bool startUp = true);
    // No settings at all, as at a new user's first start (the fixture otherwise keeps "6 aus 45").
    void newUser();
    void reopen(bool startUp = true); // closes (saving) and builds a fresh window on the same store
    // The next start plays `game`, its archive holding `draws`.
    void playing(const Game& game, const std::vector<Draw>& draws);

    TestDir dir;
    QString settingsFile;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    ScriptedDialogs* dialogs = nullptr;
    RecordingShell* shell = nullptr;
    CountingSound* sound = nullptr;
    QDate today{2002, 10, 10};
    QStringList dataFolders; // where the program looks for its shipped files; empty: beside the tests

    // The window's own controls first: its dialogs have controls of the same names.
    template <typename W> W* find(const QString& name) const {
        if (W* w = window->centralWidget()->findChild<W*>(name)) return w;
        return window->findChild<W*>(name);
    }
    void click(const QString& buttonName);
};

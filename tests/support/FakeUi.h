#pragma once

#include "platform/Ui.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Stands in for the window: records what the logic shows and answers its questions from a script.
class FakeUi : public Ui {
public:
    void setStatus(int panel, const QString& text) override;
    QString status(int panel) const override;
    void repaintStatus() override { ++statusRepaints; }
    void repaintWindow() override { ++windowRepaints; }
    void showPage(const QString& pageName) override { pages << pageName; }
    void message(const QString& text, const QString& caption = QString(),
                 const QString& details = QString()) override;
    bool messageOrStop(const QString& text, const QString& caption = QString()) override;
    void error(const QString& text) override { errors << text; }
    std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                    const QString& preset) override;
    bool question(const QString& text, const QString& caption, Preset preset = Preset::Yes) override;
    void beginBusy() override;
    void endBusy() override;
    void offerCancel(bool offered) override { cancelOffered = offered; }
    bool cancelRequested() const override { return cancelWhen && cancelWhen(); }

    QString statusTexts[2];
    QStringList statusHistory[2];
    bool keepHistory = true; // off for long runs that write millions of status texts
    QStringList pages;
    QStringList messages;
    QStringList errors;
    QStringList inputs; // "caption|prompt|preset" of every input box
    QStringList questions;
    std::vector<Preset> presets;                     // the button each question offered first
    QStringList details;                             // of every message, empty when it had none
    int busyAtBoxes = 0;                             // the deepest hourglass while a box waited for the user
    std::deque<std::optional<QString>> inputAnswers; // empty: answer with the preset; nothing: cancelled
    std::deque<bool> questionAnswers;                // empty: answer no
    int stopAtMessage = 0; // the box of messageOrStop whose "Abbrechen" is clicked, from 1; 0: none
    std::function<void(const QString&)> onMessage;
    int statusRepaints = 0;
    int windowRepaints = 0;
    bool cancelOffered = false;
    std::function<bool()> cancelWhen; // "Abbrechen" is clicked once it says so
    int busyDepth = 0;
    int busyMaxDepth = 0;
};

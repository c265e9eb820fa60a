#pragma once

#include <QString>
#include <optional>

class QWidget;

// The modal boxes of the window. The real ones are Qt's message and input boxes; tests script answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(QWidget* parent, const QString& caption, const QString& text,
                         const QString& details) = 0;
    virtual void error(QWidget* parent, const QString& caption, const QString& text) = 0;
    // OK or "Abbrechen"; false for the second.
    virtual bool messageOrStop(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Nothing when cancelled.
    virtual std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                                         const QString& preset) = 0;
    virtual bool question(QWidget* parent, const QString& caption, const QString& text, bool yesFirst) = 0;
};

class QtDialogs : public Dialogs {
public:
    void message(QWidget* parent, const QString& caption, const QString& text,
                 const QString& details) override;
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    bool messageOrStop(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<QString> input(QWidget* parent, const QString& caption, const QString& prompt,
                                 const QString& preset) override;
    bool question(QWidget* parent, const QString& caption, const QString& text, bool yesFirst) override;
};

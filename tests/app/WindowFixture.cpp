#include "WindowFixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <stdexcept>

void ScriptedDialogs::message(QWidget*, const QString& caption, const QString& text, const QString& detail) {
    captions << caption;
    messages << text;
    details << detail;
    if (onMessage) onMessage(text);
}

void ScriptedDialogs::error(QWidget*, const QString& caption, const QString& text) {
    captions << caption;
    errors << text;
}

std::optional<QString> ScriptedDialogs::input(QWidget*, const QString& caption, const QString& prompt,
                                              const QString& preset) {
    captions << caption;
    inputs << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
    if (inputAnswers.empty()) return preset;
    std::optional<QString> a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

bool ScriptedDialogs::question(QWidget*, const QString& caption, const QString& text, bool yes) {
    captions << caption;
    questions << text;
    yesFirst.push_back(yes);
    if (questionAnswers.empty()) return false;
    const bool a = questionAnswers.front();
    questionAnswers.pop_front();
    return a;
}

WindowFixture::WindowFixture() : settingsFile(dir.file(QStringLiteral("settings.ini"))) {
    // The game the tests start with unless they say otherwise; a new user's store is empty (newUser()).
    QSettings(settingsFile, QSettings::IniFormat).setValue(QStringLiteral("Spiel"), 45);
}

void WindowFixture::playing(const Game& game, const std::vector<Draw>& draws) {
    dir.writeArchive(draws, game.archiveFile);
    QSettings(settingsFile, QSettings::IniFormat)
        .setValue(QStringLiteral("Spiel"), static_cast<int>(game.id));
}

void WindowFixture::newUser() {
    QFile::remove(settingsFile);
}

MainWindow& WindowFixture::open(bool startUp) {
    window.reset();
    context = std::make_unique<AppContext>(dir.path(), settingsFile);
    auto d = std::make_unique<ScriptedDialogs>();
    dialogs = d.get();
    context->dialogs = std::move(d);
    auto s = std::make_unique<RecordingShell>();
    shell = s.get();
    context->shell = std::move(s);
    auto snd = std::make_unique<CountingSound>();
    sound = snd.get();
    context->sound = std::move(snd);
    context->clock.setToday(today);
    if (!dataFolders.isEmpty()) context->dataFolders = dataFolders;
    window = std::make_unique<MainWindow>(*context);
    if (startUp) window->startUp();
    return *window;
}

void WindowFixture::reopen(bool startUp) {
    window->close();
    open(startUp);
}

void WindowFixture::click(const QString& buttonName) {
    auto* b = find<QAbstractButton>(buttonName);
    if (!b) throw std::runtime_error("no button " + buttonName.toStdString());
    b->click();
}

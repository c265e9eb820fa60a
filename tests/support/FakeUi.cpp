#include "support/FakeUi.h"

#include <algorithm>

void FakeUi::setStatus(int panel, const QString& text) {
    statusTexts[panel] = text;
    if (keepHistory) statusHistory[panel] << text;
}

QString FakeUi::status(int panel) const {
    return statusTexts[panel];
}

void FakeUi::message(const QString& text, const QString&, const QString& detail) {
    messages << text;
    details << detail;
    busyAtBoxes = std::max(busyAtBoxes, busyDepth);
    if (onMessage) onMessage(text);
}

bool FakeUi::messageOrStop(const QString& text, const QString& caption) {
    message(text, caption);
    return static_cast<int>(messages.size()) != stopAtMessage;
}

std::optional<QString> FakeUi::inputBox(const QString& caption, const QString& prompt,
                                        const QString& preset) {
    inputs << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
    if (inputAnswers.empty()) return preset;
    std::optional<QString> answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

bool FakeUi::question(const QString& text, const QString&, Preset preset) {
    questions << text;
    presets.push_back(preset);
    busyAtBoxes = std::max(busyAtBoxes, busyDepth);
    if (questionAnswers.empty()) return false;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

void FakeUi::beginBusy() {
    ++busyDepth;
    if (busyDepth > busyMaxDepth) busyMaxDepth = busyDepth;
}

void FakeUi::endBusy() {
    --busyDepth;
}

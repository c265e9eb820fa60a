#include "support/FakeUi.h"

void FakeUi::setStatus(int panel, const QString& text) {
    statusTexts[panel] = text;
    if (keepHistory) statusHistory[panel] << text;
}

QString FakeUi::status(int panel) const {
    return statusTexts[panel];
}

void FakeUi::message(const QString& text, const QString&) {
    messages << text;
    if (onMessage) onMessage(text);
}

QString FakeUi::inputBox(const QString& caption, const QString& prompt, const QString& preset) {
    inputs << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + preset;
    if (inputAnswers.empty()) return preset;
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

bool FakeUi::question(const QString& text, const QString&) {
    questions << text;
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

#include "platform/Sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::play(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile()) return;
    // Created on first use so that start-up does not wait for the audio system.
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    effect_->stop();
    if (effect_->source() != url) effect_->setSource(url);
    effect_->play();
}

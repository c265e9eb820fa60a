#include "platform/SettingsStore.h"

#include "platform/AppError.h"

#include <QSettings>
#include <QtEndian>
#include <cstring>

namespace {

AppError wrongType(const QString& name) {
    return AppError(QStringLiteral("Ungültiger Datentyp für den Wert \"%1\" in den Einstellungen").arg(name));
}

} // namespace

SettingsStore::SettingsStore() {
#ifdef Q_OS_WIN
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Tolbrand"), QStringLiteral("Ziehbox"));
#else
    settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Tolbrand"), QStringLiteral("Ziehbox"));
#endif
}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::isEmpty() const {
    return settings_->allKeys().isEmpty();
}

bool SettingsStore::exists(const QString& name) const {
    return settings_->contains(name);
}

int SettingsStore::readInteger(const QString& name) const {
    const QVariant v = settings_->value(name);
    if (v.typeId() == QMetaType::QByteArray) throw wrongType(name);
    bool ok = false;
    const int value = v.toString().toInt(&ok);
    if (!ok) throw wrongType(name);
    return value;
}

bool SettingsStore::readBool(const QString& name) const {
    return readInteger(name) != 0;
}

QString SettingsStore::readString(const QString& name) const {
    const QVariant v = settings_->value(name);
    if (v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QStringList) throw wrongType(name);
    return v.toString();
}

double SettingsStore::readDate(const QString& name) const {
    const QVariant v = settings_->value(name);
    if (v.typeId() != QMetaType::QByteArray) throw wrongType(name);
    const QByteArray bytes = v.toByteArray();
    if (bytes.size() != 8) throw wrongType(name);
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double day = 0;
    std::memcpy(&day, &bits, sizeof day);
    return day;
}

QByteArray SettingsStore::readBinary(const QString& name) const {
    const QVariant v = settings_->value(name);
    if (v.typeId() != QMetaType::QByteArray) throw wrongType(name);
    return v.toByteArray();
}

void SettingsStore::writeBinary(const QString& name, const QByteArray& bytes) {
    settings_->setValue(name, bytes);
}

void SettingsStore::writeBool(const QString& name, bool value) {
    settings_->setValue(name, value ? 1 : 0);
}

void SettingsStore::writeInteger(const QString& name, int value) {
    settings_->setValue(name, value);
}

void SettingsStore::writeString(const QString& name, const QString& value) {
    settings_->setValue(name, value);
}

void SettingsStore::writeDate(const QString& name, double dayNumber) {
    quint64 bits = 0;
    std::memcpy(&bits, &dayNumber, sizeof bits);
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint64>(bits, bytes.data());
    settings_->setValue(name, bytes);
}

void SettingsStore::close() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw AppError(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden"));
}

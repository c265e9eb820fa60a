#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <memory>

class QSettings;

// The per-user key "\SOFTWARE\Tolbrand\Ziehbox" with typed values. On Windows it is the registry key
// under HKEY_CURRENT_USER; elsewhere QSettings' per-user INI file for the same organisation and
// application. A value of the wrong type makes its read throw an AppError.
class SettingsStore {
public:
    // The user's own store.
    SettingsStore();
    // A store in the given INI file (tests never touch the user's settings).
    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();

    bool exists(const QString& name) const;
    // No value at all: the store of a user who never ran the program.
    bool isEmpty() const;

    bool readBool(const QString& name) const;
    int readInteger(const QString& name) const;
    QString readString(const QString& name) const;
    // The day number stored as 8 bytes of a little-endian double.
    double readDate(const QString& name) const;
    // Binary data as it was written.
    QByteArray readBinary(const QString& name) const;

    void writeBool(const QString& name, bool value);
    void writeInteger(const QString& name, int value);
    void writeString(const QString& name, const QString& value);
    void writeDate(const QString& name, double dayNumber);
    void writeBinary(const QString& name, const QByteArray& bytes);

    // Writes everything to its backing store; reports a failure as an AppError.
    void close();

private:
    std::unique_ptr<QSettings> settings_;
};

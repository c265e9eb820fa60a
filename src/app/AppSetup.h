#pragma once

#include <QString>
#include <memory>

class ArchiveLock;
class Dialogs;
class QApplication;

// What the program sets on its application object before the first window: organisation and name (the
// settings store's key), the desktop entry it belongs to, the window icon, and Qt's texts in German.
void setUpApplication(QApplication& app);

// One program per data folder: takes the lock beside the archives in programDir, or tells the user why it
// cannot (another window holds it, the lock file cannot be written) and gives nothing, having touched
// nothing; a lock that cannot be judged is lifted only when the user says so. Once held, the work files a
// killed run left behind are removed (ArchiveLock::take).
std::unique_ptr<ArchiveLock> claimArchive(const QString& programDir, Dialogs& dialogs);

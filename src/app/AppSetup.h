#pragma once

#include <QString>
#include <memory>

class ArchiveLock;
class Dialogs;
class QApplication;

// What the program sets on its application object before the first window: organisation and name (the
// settings store's key), the desktop entry it belongs to, the window icon, and Qt's texts in German.
void setUpApplication(QApplication& app);

// One program per archive: takes the lock beside the archive in programDir, or tells the user that another
// window holds it and gives nothing, having touched nothing. Once held, the work files a killed run left
// behind are removed.
std::unique_ptr<ArchiveLock> claimArchive(const QString& programDir, Dialogs& dialogs);

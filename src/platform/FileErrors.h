#pragma once

#include "platform/AppError.h"

#include <QFileDevice>
#include <QString>

// The German text of a failed file operation, one for each kind of failure, always naming the file. The
// system's own words (errorString, strerror) never reach the user; the kind is told from the file
// system and from Qt's error code.
namespace fileerrors {

enum class Access { Read, Write };

QString text(const QString& path, Access access,
             QFileDevice::FileError error = QFileDevice::UnspecifiedError);
// The same for a failed system call, told by its errno.
QString textForErrno(const QString& path, Access access, int systemError);
// The same for a file that has just failed.
AppError error(const QFileDevice& file, Access access);

} // namespace fileerrors

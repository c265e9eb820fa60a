#pragma once

#include <chrono>
#include <functional>

class QString;
class QWidget;

// Acts on the next modal widget that `matches` once it is up. The wait is bounded in time, not in polls,
// so a loaded machine still gets there; past the bound the test fails and whatever modal widget is up is
// rejected, so that the test ends instead of hanging.
void whenModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> action,
               std::chrono::milliseconds bound = std::chrono::seconds(60));
// The same for a modal widget of that object name or class.
void whenModalNamed(const char* objectName, std::function<void(QWidget*)> action);
void whenModalOf(const char* className, std::function<void(QWidget*)> action);

// Types the path into a file dialog's name field and accepts it, as a user would. (selectFile leaves the
// field alone once it has the focus, which the window may or may not have yet.)
void acceptFileDialog(QWidget* fileDialog, const QString& path);

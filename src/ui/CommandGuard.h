#pragma once

#include <QString>
#include <functional>

class QWidget;

// Runs one user command; a KelvoraError (or any other exception) ends it with the standard error
// box showing its text. Returns false when the command was ended that way.
bool RunGuarded(QWidget* parent, const std::function<void()>& command);

// The standard error box (one OK button).
void ShowErrorBox(QWidget* parent, const QString& text);
// A plain information message box with one OK button.
void ShowMessage(QWidget* parent, const QString& text);
// The same with the warning icon: a command that could not do what was asked, nothing was changed.
void ShowWarning(QWidget* parent, const QString& text);

// The title of every message box (the main window's caption); the application name until it is set.
void SetMessageBoxTitle(const QString& title);
QString MessageBoxTitle();

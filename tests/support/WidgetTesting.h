#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <functional>
#include <ostream>

// Test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Driving the program's real dialogs from a test: modal windows run their own event loop, so
// the test hands over what to do before the code under test opens them.

// Runs action on the next modal window that opens (other than the one open at the time of
// the call), from inside that window's event loop: a message box, a file dialog, a dialog of
// the program. Fails the test if none opens while the test waits.
void WhenModal(std::function<void(QWidget*)> action);

// Answers the next message box with button; its text goes to *text when given.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);

// Cancels the actions still waiting for a dialog, failing the test for each: the dialog the
// test expected never opened. Call it before the windows of a test go away.
void CancelPendingModalActions();

// Processes events until done() holds (or fails the test after a generous number of rounds).
bool ProcessEventsUntil(const std::function<bool()>& done);

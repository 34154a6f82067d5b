#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs of Open and Save As. Each starts with the remembered filter index (1-based)
// and folder and stores the user's choice back, also when cancelled.
struct CFileDialogMemory {
    int m_nOpenFilterIndex = 1;
    int m_nSaveFilterIndex = 1;
    QString m_strFolder;
};

// The pictures to open, several allowed; empty when cancelled.
QStringList RunOpenDialog(QWidget* parent, CFileDialogMemory& memory);
// The path to save to: when the typed name has no extension, the one of the chosen type is
// appended. An existing file is replaced only when the user agrees (else the dialog comes
// back). Empty when cancelled.
QString RunSaveAsDialog(QWidget* parent, const QString& proposedName, CFileDialogMemory& memory);

// The question asked before an existing file is replaced.
QString ReplaceQuestion(const QString& path);

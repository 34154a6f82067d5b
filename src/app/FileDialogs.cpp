#include "app/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "files/FileFormats.h"

namespace {
void SelectFilter(QFileDialog& dialog, const QStringList& filters, int index) {
    dialog.setNameFilters(filters);
    if (index >= 1 && index <= filters.size()) {
        dialog.selectNameFilter(filters[index - 1]);
    }
}

int ChosenFilter(const QFileDialog& dialog, const QStringList& filters, int previous) {
    const qsizetype i = filters.indexOf(dialog.selectedNameFilter());
    return i < 0 ? previous : int(i) + 1;
}
}  // namespace

QStringList RunOpenDialog(QWidget* parent, CFileDialogMemory& memory) {
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    const QStringList filters = QtFilters(kOpenFilter);
    SelectFilter(dialog, filters, memory.m_nOpenFilterIndex);
    if (!memory.m_strFolder.isEmpty()) {
        dialog.setDirectory(memory.m_strFolder);
    }
    const bool accepted = dialog.exec() == QDialog::Accepted;
    memory.m_nOpenFilterIndex = ChosenFilter(dialog, filters, memory.m_nOpenFilterIndex);
    memory.m_strFolder = dialog.directory().absolutePath();
    return accepted ? dialog.selectedFiles() : QStringList();
}

QString RunSaveAsDialog(QWidget* parent, const QString& proposedName, CFileDialogMemory& memory) {
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The extension is appended after the dialog, so the question about replacing a file is
    // asked then, about the name that is really written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = QtFilters(kSaveAsFilter);
    SelectFilter(dialog, filters, memory.m_nSaveFilterIndex);
    const QFileInfo proposed(proposedName);
    if (proposed.isAbsolute()) {
        dialog.setDirectory(proposed.absolutePath());
    } else if (!memory.m_strFolder.isEmpty()) {
        dialog.setDirectory(memory.m_strFolder);
    }
    dialog.selectFile(proposed.fileName());

    for (;;) {
        const bool accepted = dialog.exec() == QDialog::Accepted;
        memory.m_nSaveFilterIndex = ChosenFilter(dialog, filters, memory.m_nSaveFilterIndex);
        memory.m_strFolder = dialog.directory().absolutePath();
        const QStringList files = dialog.selectedFiles();
        if (!accepted || files.isEmpty()) {
            return {};
        }
        const QString path = AppendSaveExtension(files.first(), memory.m_nSaveFilterIndex);
        if (QFileInfo::exists(path) &&
            QMessageBox::question(parent, QStringLiteral("Save As"), ReplaceQuestion(path),
                                  QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes) {
            dialog.selectFile(QFileInfo(path).fileName());
            continue;
        }
        return path;
    }
}

QString ReplaceQuestion(const QString& path) {
    return QStringLiteral("%1 already exists.\nDo you want to replace it?")
        .arg(QDir::toNativeSeparators(QFileInfo(path).fileName()));
}

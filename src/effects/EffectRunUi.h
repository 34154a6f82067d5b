#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

#include "effects/EffectFrame.h"

class CEffectDlg;
class QLabel;
class QProgressBar;
class QPushButton;

// The small modal dialog of a long run that has no effect dialog open (a direct effect, or
// the run of OK after its dialog closed): the effect's name, the progress and Cancel.
class CEffectProgressDlg : public QDialog {
    Q_OBJECT
public:
    CEffectProgressDlg(const QString& effectName, QWidget* parent);

    QProgressBar* ProgressBar() const { return m_pBar; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    QProgressBar* m_pBar;
    QPushButton* m_pCancel;
};

// Runs an effect session's pixel work (an EffectRunner) on the program's thread pool while
// the windows go on painting. For the first half second only the windows' own events are
// handled (the user's input waits for the end of the run); a longer run shows its progress
// and a Cancel button, in the effect's dialog while it is shown, else in a CEffectProgressDlg
// over parent. Cancel, or closing the dialog, cancels the run, which stops within a row or
// so; the session then puts the untouched pixels back.
class CEffectRunUi {
public:
    static constexpr int kShowAfterMs = 500;

    CEffectRunUi(const EffectInfo& effect, QWidget* parent);

    // The dialog that shows the progress while it is visible (null: none).
    void SetDialog(CEffectDlg* dialog) { m_pDialog = dialog; }
    // What CEffectSession::SetRunner takes.
    EffectRunner Runner();

    void Run(CProgress& progress, const std::function<void()>& work);

private:
    const EffectInfo& m_effect;
    QPointer<QWidget> m_pParent;
    QPointer<CEffectDlg> m_pDialog;
};

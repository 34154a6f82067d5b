#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "effects/EffectRegistry.h"

class QCheckBox;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QSlider;

// The frame of every effect dialog: the caption, the program's icon, the OK and Cancel
// buttons (and Preview for a preview dialog) and the values of the effect's parameters, in
// the registry's order. A dialog only edits the values: every change is handed to the change
// handler (the effect session previews or runs the effect in the document window), and what
// OK or Cancel does to the picture is the caller's business.
class CEffectDlg : public QDialog {
    Q_OBJECT
public:
    using ChangeHandler = std::function<void(const std::vector<int>&)>;

    CEffectDlg(const EffectInfo& effect, std::vector<int> values, QWidget* parent = nullptr);

    const EffectInfo& Effect() const { return m_effect; }
    const std::vector<int>& Values() const { return m_values; }
    // Called with the values after each change of a control; in a preview dialog only by the
    // Preview button.
    void SetChangeHandler(ChangeHandler handler) { m_handler = std::move(handler); }

    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    // Null unless the effect's flow is a preview dialog.
    QPushButton* PreviewButton() const { return m_pPreview; }

    // While a run of the effect takes long (CEffectRunUi): the progress bar and its own
    // Cancel button show under the controls, and the controls, OK and Preview wait.
    void ShowRunProgress(bool shown);
    void SetRunProgress(int percent);
    QProgressBar* RunProgressBar() const { return m_pRunProgress; }
    QPushButton* RunCancelButton() const { return m_pRunCancel; }

signals:
    // The run's Cancel button was pressed.
    void runCancelRequested();

protected:
    // The controls above the buttons.
    void SetContent(QLayout* content);
    void SetValue(size_t index, int value) { m_values[index] = value; }
    int Value(size_t index) const { return m_values[index]; }
    // The values changed: the handler hears of it, except in a preview dialog.
    void NotifyChanged();

private:
    const EffectInfo& m_effect;
    std::vector<int> m_values;
    ChangeHandler m_handler;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QPushButton* m_pPreview = nullptr;
    QWidget* m_pContent = nullptr;
    QWidget* m_pRunRow = nullptr;
    QProgressBar* m_pRunProgress = nullptr;
    QPushButton* m_pRunCancel = nullptr;
};

// A dialog made from the effect's parameters: a slider with its value label for each numeric
// parameter, a check box for each on/off one (range 0..1), and the "Lock" box when the
// effect's three sliders may be tied together. Slider positions are the values for the live
// dialogs ("%d%%" labels); a setting dialog's slider counts its values from 1 (blur: 1..4 for
// sizes 3..9) and its label shows the value itself ("%d"), and it runs the effect when the
// slider is let go rather than at every step of a drag.
class CSliderEffectDlg : public CEffectDlg {
    Q_OBJECT
public:
    CSliderEffectDlg(const EffectInfo& effect, std::vector<int> values, QWidget* parent = nullptr);

    // The controls of parameter index (null when it has the other kind).
    QSlider* Slider(size_t index) const { return m_rows[index].slider; }
    QLabel* ValueLabel(size_t index) const { return m_rows[index].label; }
    QCheckBox* CheckBox(size_t index) const { return m_rows[index].check; }
    QCheckBox* LockBox() const { return m_pLock; }

    // The slider position that shows value of parameter p, and back.
    int PositionOf(const EffectParameter& p, int value) const;
    int ValueAt(const EffectParameter& p, int position) const;

private:
    struct Row {
        QSlider* slider = nullptr;
        QLabel* label = nullptr;
        QCheckBox* check = nullptr;
    };
    void OnSliderMoved(size_t index, int position);
    void OnSliderChanged(size_t index, int position);
    void OnLockClicked(bool checked);
    void ShowPosition(size_t index, int position);
    // Puts slider index at position without it telling anyone, and takes its value.
    void MoveSlider(size_t index, int position);

    std::vector<Row> m_rows;
    QCheckBox* m_pLock = nullptr;
    bool m_bLock = false;
};

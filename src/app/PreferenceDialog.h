#pragma once

#include <QDialog>
#include <QSpinBox>

class QLineEdit;

// The up-down box of "History states:": any number may be typed, and a number outside
// 1 .. 1000 is replaced by the nearest limit as soon as it is typed.
class CHistoryStatesBox : public QSpinBox {
    Q_OBJECT
public:
    explicit CHistoryStatesBox(QWidget* parent = nullptr);
    QLineEdit* Editor() const { return lineEdit(); }

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;

private:
    void OnTextEdited(const QString& text);
};

// "Preferences": the number of undo entries kept per layer, 1 .. 1000.
class CPreferenceDialog : public QDialog {
    Q_OBJECT
public:
    CPreferenceDialog(int historyStates, QWidget* parent = nullptr);

    // The value shown now, within 1 .. 1000.
    int HistoryStates() const;
    CHistoryStatesBox* HistoryStatesBox() const { return m_pHistoryStates; }

private:
    CHistoryStatesBox* m_pHistoryStates;
};

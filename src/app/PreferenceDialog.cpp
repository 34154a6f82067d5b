#include "app/PreferenceDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppSettings.h"

namespace {
// The value of typed digits within the limits; a number too long for any integer is above
// the upper limit.
int ClampedValue(const QString& text) {
    bool ok = false;
    const qulonglong v = text.toULongLong(&ok);
    if (!ok) {
        return text.isEmpty() ? CAppSettings::kMinHistoryStates : CAppSettings::kMaxHistoryStates;
    }
    return int(std::clamp<qulonglong>(v, CAppSettings::kMinHistoryStates,
                                      CAppSettings::kMaxHistoryStates));
}

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
}  // namespace

CHistoryStatesBox::CHistoryStatesBox(QWidget* parent) : QSpinBox(parent) {
    setRange(CAppSettings::kMinHistoryStates, CAppSettings::kMaxHistoryStates);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CHistoryStatesBox::OnTextEdited);
}

QValidator::State CHistoryStatesBox::validate(QString& text, int&) const {
    if (text.isEmpty()) {
        return QValidator::Intermediate;
    }
    return AllDigits(text) ? QValidator::Acceptable : QValidator::Invalid;
}

int CHistoryStatesBox::valueFromText(const QString& text) const {
    return ClampedValue(text);
}

void CHistoryStatesBox::OnTextEdited(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const QString clamped = QString::number(ClampedValue(text));
    if (clamped != text) {
        lineEdit()->setText(clamped);
    }
}

CPreferenceDialog::CPreferenceDialog(int historyStates, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preferences"));
    setWindowIcon(QApplication::windowIcon());
    m_pHistoryStates = new CHistoryStatesBox(this);
    m_pHistoryStates->setObjectName(QStringLiteral("HistoryStates"));
    m_pHistoryStates->setValue(historyStates);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("History states:"), m_pHistoryStates);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int CPreferenceDialog::HistoryStates() const {
    return ClampedValue(m_pHistoryStates->Editor()->text());
}

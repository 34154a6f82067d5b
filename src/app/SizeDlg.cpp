#include "app/SizeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
// Nine digits always fit an int; the document refuses sides that large with a message.
constexpr int kMaxDigits = 9;

int ParseSide(const QLineEdit* edit) {
    return edit->text().isEmpty() ? 0 : edit->text().toInt();
}
}  // namespace

CSizeDlg::CSizeDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("New Image"));
    auto* digits = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxDigits)), this);
    m_pWidth = new QLineEdit(this);
    m_pWidth->setObjectName(QStringLiteral("width"));
    m_pHeight = new QLineEdit(this);
    m_pHeight->setObjectName(QStringLiteral("height"));
    for (QLineEdit* edit : {m_pWidth, m_pHeight}) {
        edit->setValidator(digits);
        edit->setMaxLength(kMaxDigits);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSizeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSizeDlg::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Width:"), m_pWidth);
    form->addRow(QStringLiteral("Height:"), m_pHeight);
    form->addRow(buttons);
    SetSize({200, 200});
}

QSize CSizeDlg::ProposedSize(const QImage& clipboardImage) {
    const int w = clipboardImage.width() > 0 ? clipboardImage.width() : 100;
    const int h = clipboardImage.height() > 0 ? clipboardImage.height() : 100;
    return {w, h};
}

void CSizeDlg::SetSize(QSize size) {
    m_pWidth->setText(QString::number(size.width()));
    m_pHeight->setText(QString::number(size.height()));
    m_pWidth->selectAll();
    m_pWidth->setFocus();
}

int CSizeDlg::EnteredWidth() const {
    return ParseSide(m_pWidth);
}

int CSizeDlg::EnteredHeight() const {
    return ParseSide(m_pHeight);
}

void CSizeDlg::accept() {
    if (m_check && !m_check(EnteredWidth(), EnteredHeight())) {
        m_pWidth->setFocus();
        m_pWidth->selectAll();
        return;
    }
    QDialog::accept();
}

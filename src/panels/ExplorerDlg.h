#pragma once

#include <QStringList>
#include <QTextBrowser>

class QTimer;

// The colour bar's browser panel: short tips for using the editor, bundled with the program,
// one page at a time. It opens on the first page and turns to the next every 60 seconds,
// after the last back to the first. It never takes the keyboard focus, so that the editor's
// shortcuts keep working while the mouse reads the tips.
class CExplorerDlg : public QTextBrowser {
    Q_OBJECT
public:
    static constexpr int kPageMilliseconds = 60000;

    explicit CExplorerDlg(QWidget* parent = nullptr);

    // The pages in the order shown (qrc: addresses).
    static QStringList Pages();
    int PageIndex() const { return m_nPage; }
    // The timer that turns the pages.
    QTimer* PageTimer() const { return m_pTimer; }
    // Turns to the next page (what each tick of the timer does).
    void ShowNextPage();

private:
    int m_nPage = 0;
    QTimer* m_pTimer;
};

#include "support/WidgetTesting.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {
// Rounds of 5 ms before a missing dialog fails the test.
constexpr int kPatience = 2000;
}  // namespace

namespace {
const char kPendingName[] = "pictorra-test-waits-for-dialog";
}  // namespace

void WhenModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QString::fromLatin1(kPendingName));
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto rounds = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, before, rounds, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before.data() && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            // As for a user: the dialog is the active window and its fields take the keys.
            modal->activateWindow();
            if (!QTest::qWaitForWindowActive(modal)) {
                ADD_FAILURE() << "the dialog did not become the active window";
            }
            action(modal);
            return;
        }
        if (++*rounds > kPatience) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no dialog opened";
        }
    });
    timer->start(5);
}

void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text) {
    WhenModal([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            ADD_FAILURE() << "expected a message box, got " << modal->metaObject()->className();
            modal->close();
            return;
        }
        if (text) {
            *text = box->text();
        }
        QAbstractButton* b = box->button(button);
        if (!b) {
            ADD_FAILURE() << "the message box has no such button: " << box->text().toStdString();
            box->close();
            return;
        }
        b->click();
    });
}

void CancelPendingModalActions() {
    for (QTimer* timer : qApp->findChildren<QTimer*>(QString::fromLatin1(kPendingName))) {
        if (timer->isActive()) {
            ADD_FAILURE() << "a dialog the test waited for never opened";
        }
        timer->stop();
        delete timer;
    }
}

bool ProcessEventsUntil(const std::function<bool()>& done) {
    for (int i = 0; i < kPatience; ++i) {
        if (done()) {
            return true;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        // Windows closed outside an event loop are deleted here.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return done();
}

#pragma once

// Working a modal dialog from a test: the test arranges what to do with the
// dialog, then runs the command that opens it; the action runs inside the
// dialog's own event loop once the dialog is the active modal window.

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tonvela::test {

// Runs act on the next modal dialog of type T. A dialog that never comes is
// reported, and whatever modal window stands in its way is closed so the test
// cannot hang.
template <typename T> void whenModal(std::function<void(T*)> act) {
    // Owned by the application, so a timer left over never leaks.
    auto* timer = new QTimer(QCoreApplication::instance());
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
            return;
        }
        if (++*tries > 2000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " came up";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
        }
    });
    timer->start(1);
}

// The control of a dialog with this id.
template <typename W = QWidget> W* control(QWidget* dialog, int id) {
    W* found = dialog->findChild<W*>(QString::number(id));
    EXPECT_NE(found, nullptr) << "control " << id;
    return found;
}

inline QString editText(QWidget* dialog, int id) {
    QLineEdit* edit = control<QLineEdit>(dialog, id);
    return edit ? edit->text() : QString();
}

} // namespace tonvela::test

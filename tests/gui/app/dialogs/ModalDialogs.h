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
#include <string>
#include <vector>

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

// The ids of the controls the Tab key reaches, in order, from the first one
// (Qt's inner parts, labels and disabled controls left out).
inline std::vector<std::string> focusOrder(QWidget* dialog, int firstId) {
    std::vector<std::string> order;
    QWidget* start = dialog->findChild<QWidget*>(QString::number(firstId));
    if (!start)
        return order;
    QWidget* at = start;
    do {
        bool isId = false;
        at->objectName().toInt(&isId);
        if (isId && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus))
            order.push_back(at->objectName().toStdString());
        at = at->nextInFocusChain();
    } while (at != start && order.size() < 200);
    return order;
}

inline QString editText(QWidget* dialog, int id) {
    QLineEdit* edit = control<QLineEdit>(dialog, id);
    return edit ? edit->text() : QString();
}

} // namespace tonvela::test

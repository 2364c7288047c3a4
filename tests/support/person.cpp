#include "support/person.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

namespace lumivane::testing {

Person::Person() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start(10);
}

void Person::will_choose(const QString& text) {
    will([this, text](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        seen.push_back(dialog->windowTitle());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(text);
        static_cast<QDialog*>(dialog)->accept();  // as its own button does
    });
}

void Person::will_press(QMessageBox::StandardButton button) {
    will([this, button](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        seen.push_back(box->windowTitle() + QStringLiteral(": ") + box->text());
        ASSERT_NE(box->button(button), nullptr);
        box->button(button)->click();
    });
}

void Person::look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == handled_) return;
    handled_ = modal;
    if (actions_.empty()) {
        ADD_FAILURE() << "unexpected window: " << modal->windowTitle().toStdString();
        modal->close();
        return;
    }
    // Out of the timer's own call, so that a window the action opens in turn (a
    // question of the dialog itself) is answered too.
    QTimer::singleShot(0, modal, [action = std::move(actions_.front()), modal] { action(*modal); });
    actions_.pop_front();
}

}  // namespace lumivane::testing

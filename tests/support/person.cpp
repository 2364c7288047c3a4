#include "support/person.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

namespace lumivane::testing {

Person::Person(std::deque<Answer> answers) : answers_(std::move(answers)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start(10);
}

void Person::look() {
    QWidget* modal = QApplication::activeModalWidget();
    // A dialog is active again once the question it asked is answered.
    if (!modal || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected window: " << modal->windowTitle().toStdString();
        return void(modal->close());
    }
    // Outside the timer's call, so that a window the answer opens is answered too.
    QTimer::singleShot(0, modal, [this, modal, answer = answers_.front()] {
        if (const auto* act = std::get_if<Act>(&answer)) {
            seen.push_back(modal->windowTitle());
            return (*act)(*modal);
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.push_back(box->windowTitle() + ": " + box->text());
            return box->button(std::get<QMessageBox::StandardButton>(answer))->click();
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        seen.push_back(dialog->windowTitle());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(std::get<QString>(answer));
        static_cast<QDialog*>(dialog)->accept();  // as its own button does
    });
    answers_.pop_front();
}

PrivateHome::PrivateHome(const std::string& home) {
    for (const auto& [name, folder] : {std::pair{"HOME", ""},
                                       {"XDG_DATA_HOME", "/data"},
                                       {"XDG_CONFIG_HOME", "/config"},
                                       {"XDG_STATE_HOME", "/state"}}) {
        kept_.emplace_back(name, qgetenv(name));
        qputenv(name, QByteArray::fromStdString(home + folder));
    }
}

PrivateHome::~PrivateHome() {
    for (const auto& [name, value] : kept_) value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

}  // namespace lumivane::testing

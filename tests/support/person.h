#pragma once
// A person at the screen for tests of the real windows: answers the modal windows as
// they come, in order, and keeps the user's folders private to the test.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace lumivane::testing {

// Each answer is a text typed into a file dialog, a button of a message box, or what
// to do with any other dialog. It notes what each window said. A window nobody
// expected fails the test and is closed, so that nothing waits for ever.
class Person {
public:
    using Act = std::function<void(QWidget&)>;
    using Answer = std::variant<QString, QMessageBox::StandardButton, Act>;
    explicit Person(std::deque<Answer> answers);
    std::vector<QString> seen;
    bool done() const { return answers_.empty(); }

private:
    void look();
    std::deque<Answer> answers_;
    QTimer timer_;
};

// The dialog's control of that object name; a missing one fails the test at once.
template <typename T>
T& control(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        ADD_FAILURE() << "no control " << name;
        std::abort();
    }
    return *found;
}

// HOME and the XDG data, configuration and state folders under home while it lives.
class PrivateHome {
public:
    explicit PrivateHome(const std::string& home);
    ~PrivateHome();

private:
    std::vector<std::pair<const char*, QByteArray>> kept_;
};

}  // namespace lumivane::testing

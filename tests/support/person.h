#pragma once
// A person at the screen for GUI tests: answers the modal windows as they come, one
// action each, in order, and notes what each said. A window nobody expected is closed
// and fails the test, so that a test never waits for ever.

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace lumivane::testing {

class Person {
public:
    Person();
    void will(std::function<void(QWidget&)> action) { actions_.push_back(std::move(action)); }
    // Whether every action has been taken.
    bool done() const { return actions_.empty(); }
    // The next file or folder dialog gets text typed as its file name and is confirmed.
    void will_choose(const QString& text);
    void will_press(QMessageBox::StandardButton button);

    // Dialog titles, and boxes as "title: text".
    std::vector<QString> seen;

private:
    void look();

    QTimer timer_;
    std::deque<std::function<void(QWidget&)>> actions_;
    QPointer<QWidget> handled_;
};

}  // namespace lumivane::testing

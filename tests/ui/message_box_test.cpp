#include <gtest/gtest.h>

#include "support/person.h"
#include "ui/qt_user_interface.h"

namespace lumivane {
namespace {

// The answer is the button pressed, whatever buttons the box has.
TEST(MessageBoxes, AnswerWithTheButtonPressed) {
    struct Case {
        BoxButtons buttons;
        QMessageBox::StandardButton pressed;
        BoxAnswer answer;
    };
    const Case cases[] = {
        {BoxButtons::Ok, QMessageBox::Ok, BoxAnswer::Ok},
        {BoxButtons::OkCancel, QMessageBox::Ok, BoxAnswer::Ok},
        {BoxButtons::OkCancel, QMessageBox::Cancel, BoxAnswer::Cancel},
        {BoxButtons::YesNo, QMessageBox::No, BoxAnswer::No},
        {BoxButtons::YesNoCancel, QMessageBox::Yes, BoxAnswer::Yes},
        {BoxButtons::YesNoCancel, QMessageBox::Cancel, BoxAnswer::Cancel},
    };
    QtUserInterface ui;
    for (const Case& c : cases) {
        testing::Person person;
        person.will_press(c.pressed);
        EXPECT_EQ(ui.message_box(u"Alert", u"Go on?", c.buttons, BoxOwner::None), c.answer) << int(c.pressed);
        EXPECT_EQ(person.seen, std::vector<QString>{"Alert: Go on?"});
    }
}

}  // namespace
}  // namespace lumivane

#pragma once
// The small "Status" window that shows one line over the main window while a long
// operation runs on the user interface thread. Shows nest: a show while it is shown
// only counts (the text stays), and the hide that balances the first show closes it.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "ui/captions.h"

namespace lumivane {

class StatusWindow {
    Q_DECLARE_TR_FUNCTIONS(StatusWindow)

public:
    StatusWindow() = default;
    StatusWindow(const StatusWindow&) = delete;
    StatusWindow& operator=(const StatusWindow&) = delete;
    ~StatusWindow();

    // Opens the window over main_window (or the screen's centre without one).
    void show(const QString& text, QWidget* main_window);
    // Changes the text, sizes the window to it, centres it again and paints it at once,
    // unless it was painted a moment ago.
    void set_text(const QString& text);
    void hide();

    bool visible() const { return window_ != nullptr; }
    QString text() const;
    QWidget* window() const { return window_; }

private:
    void fit_to_text();

    QPointer<QWidget> window_;
    QPointer<QLineEdit> line_;
    QPointer<QWidget> main_window_;
    InterfaceFont font_;
    int nesting_ = 0;
    QElapsedTimer painted_;  // since the text was last painted
};

}  // namespace lumivane

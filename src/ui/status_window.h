#pragma once
// The small "Status" window that shows one line while a long operation runs on the
// user interface thread. Shows nest: only the hide that balances the first show closes it.

#include <QLabel>
#include <QWidget>

#include <memory>

namespace lumivane {

class StatusWindow {
public:
    void show(const QString& text);
    void set_text(const QString& text);
    void hide();
    bool visible() const { return window_ != nullptr; }
    QString text() const;

private:
    std::unique_ptr<QWidget> window_;
    QLabel* label_ = nullptr;
    int nesting_ = 0;
};

}  // namespace lumivane

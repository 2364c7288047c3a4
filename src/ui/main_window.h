#pragma once
// The main window: the menu bar, the keyboard, dropped files and closing. What each
// of them does is in main_window_commands; this class only hands its events over.

#include <QMainWindow>

#include <vector>

namespace lumivane {

struct AppContext;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(AppContext& context);

    // The menu entry of a command, or none (the recent-files entries come and go).
    QAction* command_action(int id) const;

    // Recent-files entries and greying, as when a menu opens.
    void prepare_menu(QMenu* menu);

    // The paths of the local files among dropped URLs, in order.
    static std::vector<std::u16string> dropped_paths(const QList<QUrl>& urls);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Right click: the menu of the current slide (insert, remove, edit, restart).
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void shut_down();

    AppContext& context_;
    QMenu* file_menu_ = nullptr;
    std::vector<QAction*> recent_actions_;
    bool closed_ = false;
};

}  // namespace lumivane

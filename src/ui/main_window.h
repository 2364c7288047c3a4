#pragma once
// The main window: the menu bar, the tool buttons and the thumbnail grid, the keyboard,
// dropped files and closing. What each of them does is in main_window_commands and
// grid_gestures; this class only hands its events over.

#include <QMainWindow>

#include <vector>

namespace lumivane {

struct AppContext;
class ShellInterface;
class ThumbnailGrid;

class MainWindow : public QMainWindow {
public:
    MainWindow(AppContext& context, ShellInterface& shell);

    // The menu entry of a command, or none (the recent-files entries come and go).
    QAction* command_action(int id) const;

    ThumbnailGrid* grid() const { return grid_; }
    // The grid and the tool buttons show the show as it is now.
    void update_layout();

    // Recent-files entries and greying, as when a menu opens.
    void prepare_menu(QMenu* menu);

    // The paths of the local files among dropped URLs, in order.
    static std::vector<std::u16string> dropped_paths(const QList<QUrl>& urls);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void shut_down();

    AppContext& context_;
    ShellInterface& shell_;
    ThumbnailGrid* grid_ = nullptr;
    QMenu* file_menu_ = nullptr;
    std::vector<QAction*> recent_actions_;
    bool closed_ = false;
};

}  // namespace lumivane

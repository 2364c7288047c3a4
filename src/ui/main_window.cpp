#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include "app/app_context.h"
#include "app/show_saving.h"
#include "document/show_index.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "playback/playback_window.h"
#include "playback/timeline.h"
#include "ui/music_player.h"
#include "ui/playback_keys.h"
#include "ui/qt_text.h"
#include "ui/shell/main_window_commands.h"
#include "ui/shell/session_state.h"
#include "ui/thumbnail_grid.h"
#include "ui/window_placement.h"

namespace lumivane {

namespace {

// Menus take "&" for a mnemonic; a path shows its own.
QString literal_menu_text(const std::u16string& text) { return qt(text).replace(u'&', QStringLiteral("&&")); }

}  // namespace

MainWindow::MainWindow(AppContext& context, ShellInterface& shell) : context_(context), shell_(shell) {
    setObjectName(QStringLiteral("Lumivane"));
    setFocusPolicy(Qt::StrongFocus);
    grid_ = new ThumbnailGrid(context_, shell_, this);
    setCentralWidget(grid_);
    setFocusProxy(grid_);  // the keys go to the grid first, which passes on what it leaves
    new MusicPlayer(context_, this);

    for (const MenuDefinition& definition : main_menus()) {
        QMenu* menu = menuBar()->addMenu(qt(Core::translated(definition.title)));
        if (!file_menu_) file_menu_ = menu;
        for (const std::int32_t id : definition.ids) {
            if (id == menu_separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(qt(Core::translated(find_command(id)->text)));
            action->setData(id);
            connect(action, &QAction::triggered, this, [this, id] { run_command(context_, shell_, id); });
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { prepare_menu(menu); });
    }
    // The menu texts name Ctrl-S and Ctrl-Q; the keys do what they say.
    for (const auto& [key, id] : {std::pair{Qt::CTRL | Qt::Key_S, command_save_show}, std::pair{Qt::CTRL | Qt::Key_Q, command_exit}}) {
        const std::int32_t command = id;
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this, command] {
            if (command_enabled(context_, command)) run_command(context_, shell_, command);
        });
    }
    // F1 opens the help, as the Help menu's first entry does.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { run_command(context_, shell_, command_help); });
    setAcceptDrops(true);
}

void MainWindow::update_layout() {
    grid_->update_layout();
}

QAction* MainWindow::command_action(int id) const {
    for (QAction* action : findChildren<QAction*>()) {
        if (action->data().toInt() == id && !action->isSeparator()) return action;
    }
    return nullptr;
}

void MainWindow::prepare_menu(QMenu* menu) {
    if (menu == file_menu_) {
        for (QAction* action : recent_actions_) {
            menu->removeAction(action);
            action->deleteLater();
        }
        recent_actions_.clear();
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(recent_files_count); ++i) {
            const std::u16string& path = context_.recent_files[static_cast<std::size_t>(i)];
            if (path.empty()) continue;
            const std::int32_t id = command_recent_first + i;
            QAction* action = menu->addAction(literal_menu_text(recent_label(i, path)));
            action->setData(id);
            connect(action, &QAction::triggered, this, [this, id] { run_command(context_, shell_, id); });
            recent_actions_.push_back(action);
        }
    }
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) action->setEnabled(command_enabled(context_, action->data().toInt()));
    }
}

std::vector<std::u16string> MainWindow::dropped_paths(const QList<QUrl>& urls) {
    std::vector<std::u16string> paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        // The path's bytes as the file system has them: toLocalFile() would replace the
        // bytes of a name that is no valid UTF-8 (an old camera's Latin-1).
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        paths.push_back(utf8_to_utf16(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    }
    return paths;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const PlaybackKey key = playback_key(event->key());
    main_window_key_down(context_, key);
    if (event->key() == Qt::Key_Escape) {
        main_window_character(context_, shell_, u'\x1b');
    } else {
        for (QChar c : event->text()) main_window_character(context_, shell_, c.unicode());
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    stop_show(context_.player, false);
    if (!closed_ && offer_save(context_)) {
        event->ignore();
        return;
    }
    event->accept();
    if (!closed_) shut_down();
}

void MainWindow::shut_down() {
    closed_ = true;
    stop_show(context_.player, false);
    if (context_.playback.window) context_.playback.window->close_window();
    context_.placement = placement_of(*this, context_.placement);
    static_cast<void>(write_session_state(context_));  // not reported: the program ends all the same
    release_all_slides(context_.show);
    context_.show.slides.clear();
    context_.clipboard = SlideClipboard{};
    QApplication::quit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    drop_files(context_, dropped_paths(event->mimeData()->urls()));
    event->acceptProposedAction();
}

}  // namespace lumivane

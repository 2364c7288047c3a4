// Makes the pictures of the help pages from the program's own windows, drawn off
// screen: scripts/screenshots runs it as
//   screenshots OUTPUT_FOLDER SHOW_INDEX_FILE
// and again with QT_SCALE_FACTOR=2 on a virtual display (QT_QPA_PLATFORM=xcb; offscreen
// otherwise) for the pictures of screens with two device pixels to a pixel
// (name@2x.png beside name.png). Pictures with photographs in them are JPEG
// files, the others PNG; none is wider than 800 pixels, its sharp one twice that.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "app/app_context.h"
#include "app/command_line.h"
#include "app/motion_setting.h"
#include "app/show_folder.h"
#include "imaging/memory_bitmap.h"
#include "playback/timeline.h"
#include "ui/about_dialog.h"
#include "ui/export_dialog.h"
#include "ui/main_window.h"
#include "ui/playback_widget.h"
#include "ui/preferences_dialog.h"
#include "ui/qt_user_interface.h"
#include "ui/shell/update_check.h"
#include "ui/show_properties_dialog.h"
#include "ui/slide_properties_dialog.h"

using namespace lumivane;

namespace {

QString output;
qreal ratio = 1.0;  // device pixels to a pixel

// The picture in its 256 most frequent colours, every other colour replaced by the
// nearest of them: windows have few colours, so the PNG files stay small and look the same.
QImage in_few_colours(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    std::unordered_map<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) ++counts[row[x]];
    }
    std::vector<std::pair<int, QRgb>> ranked;
    for (const auto& [colour, count] : counts) ranked.emplace_back(count, colour);
    std::sort(ranked.begin(), ranked.end(), std::greater<>());
    QList<QRgb> palette;
    for (std::size_t i = 0; i < ranked.size() && i < 256; ++i) palette.push_back(ranked[i].second);
    std::unordered_map<QRgb, int> nearest;
    const auto index_of = [&](QRgb colour) {
        const auto known = nearest.find(colour);
        if (known != nearest.end()) return known->second;
        int best = 0;
        int best_distance = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const int dr = qRed(colour) - qRed(palette[i]), dg = qGreen(colour) - qGreen(palette[i]),
                      db = qBlue(colour) - qBlue(palette[i]);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < best_distance) best = i, best_distance = distance;
        }
        return nearest[colour] = best;
    };
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) out[x] = static_cast<uchar>(index_of(row[x]));
    }
    return indexed;
}

// At ratio 2 the picture becomes exactly twice the size of the one made at ratio 1, so
// that the help window shows both at the same size.
void save(QImage picture, const QString& name) {
    QString path = QDir(output).filePath(name);
    if (ratio == 1.0) {
        if (picture.width() > 800) picture = picture.scaledToWidth(800, Qt::SmoothTransformation);
    } else {
        const QSize plain = QImageReader(path).size();
        if (!plain.isValid()) {
            std::fprintf(stderr, "make %s at scale 1 first\n", qPrintable(path));
            return;
        }
        const QFileInfo file(path);
        path = QDir(output).filePath(file.completeBaseName() + QStringLiteral("@2x.") + file.suffix());
        if (picture.size() != plain * 2) picture = picture.scaled(plain * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const bool photo = name.endsWith(QStringLiteral(".jpg"));
    if (!photo) picture = in_few_colours(picture);
    if (!picture.save(path, nullptr, photo ? 80 : 0)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The main window with one of its menus open below its title in the menu bar.
QImage with_menu(MainWindow& window, int index) {
    QAction* title = window.menuBar()->actions()[index];
    QMenu* menu = title->menu();
    window.prepare_menu(menu);
    window.menuBar()->setActiveAction(title);
    QImage picture = window.grab().toImage();
    menu->adjustSize();
    const QImage opened = menu->grab().toImage();
    QPainter painter(&picture);
    const QPoint corner = window.menuBar()->mapTo(&window, window.menuBar()->actionGeometry(title).bottomLeft());
    painter.drawImage(corner, opened);
    painter.end();
    window.menuBar()->setActiveAction(nullptr);
    // The menu with a little of the window around it; the copy counts device pixels.
    const QSize opened_size = opened.deviceIndependentSize().toSize();
    const QSize part(std::max(corner.x() + opened_size.width() + 40, 280), corner.y() + opened_size.height() + 16);
    return picture.copy(QRect(QPoint(0, 0), part * picture.devicePixelRatio()));
}

// A dialog as it opens, without waiting for an answer.
QImage dialog_picture(QDialog&& dialog) {
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().toImage();
}

QImage box(const std::u16string& title, const std::u16string& text, BoxButtons buttons) {
    const std::unique_ptr<QMessageBox> shown = make_message_box(title, text, buttons, nullptr);
    shown->show();
    QApplication::processEvents();
    return shown->grab().toImage();
}

// The same frame in exact and in smooth motion, as a small window shows a photograph
// reduced about four times; a part of it magnified four times, so that its pixels show.
void save_motion_pictures(AppContext& context, std::int32_t slide, QRect part) {
    const std::pair<Motion, QString> motions[] = {{Motion::Exact, QStringLiteral("motion_exact.jpg")},
                                                  {Motion::Smooth, QStringLiteral("motion_smooth.jpg")}};
    for (const auto& [motion, name] : motions) {
        set_motion(context, motion);
        QImage frame(480, 270, QImage::Format_RGB32);
        MemoryBitmap bitmap{frame.bits(), frame.width(), frame.height(), frame.bytesPerLine()};
        static_cast<void>(render_slide_picture(context.show, slide, 0, 0.0, motion, bitmap));
        save(frame.copy(part).scaled(part.size() * 4 * ratio), name);
    }
    set_motion(context, Motion::Exact);
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: screenshots OUTPUT_FOLDER SHOW_INDEX_FILE [FOLDER_OF_MIXED_FORMATS]\n");
        return 2;
    }
    output = QString::fromLocal8Bit(argv[1]);
    ratio = application.devicePixelRatio();
    if (ratio != 1.0 && ratio != 2.0) {
        std::fprintf(stderr, "screenshots: QT_SCALE_FACTOR 1 or 2, not %g\n", ratio);
        return 2;
    }
    QDir().mkpath(output);
    const QTemporaryDir settings;

    QtUserInterface ui;
    AppContext context(ui);
    ui.attach(context);
    context.settings_folder = context.session_folder = settings.path().toStdU16String();
    reset_to_untitled(context);
    apply_default_settings(context.show, context.default_settings);
    MainWindow window(context, ui);
    ui.set_main_window(&window);
    window.resize(900, 600);
    window.show();

    ui.show_status(u"Loading image files");
    save(ui.status_window().window()->grab().toImage(), QStringLiteral("status_window.png"));
    ui.hide_status();

    context.show.settings.autorun = AutorunMode::Manual;
    if (open_command_line_show(context, QString::fromLocal8Bit(argv[2]).toStdU16String()) != CommandLineOpen::Opened) {
        std::fprintf(stderr, "cannot open %s\n", argv[2]);
        return 1;
    }
    update_window_title(context);
    // The recent shows of a photographer rather than of the machine that makes the pictures.
    context.recent_files = RecentFiles{};
    for (const char16_t* path : {u"/home/ann/Pictures/Venice 2026/index.ssi", u"/home/ann/Pictures/Garden/index.ssi"}) {
        recent_add(context.recent_files, path);
    }
    // The grid with the first slide shown (white) and the last one selected (light grey).
    go_to_slide(context.player, 0, true);
    if (!context.show.slides.empty()) context.show.slides.back().selected = true;
    window.update_layout();
    save(window.grab().toImage(), QStringLiteral("main_window.jpg"));
    if (!context.show.slides.empty()) context.show.slides.back().selected = false;

    save(with_menu(window, 0), QStringLiteral("file_menu.png"));
    save(with_menu(window, 1), QStringLiteral("edit_menu.png"));
    save(with_menu(window, 2), QStringLiteral("help_menu.png"));
    // The properties with music of their own, which the show itself keeps out of the other
    // pictures (nothing plays here).
    context.show.music = {{u"Summer.mp3", u"../Evening Song.flac"}, 80, 3.0};
    ShowPropertiesDialog properties(context, &window);
    context.show.music = {};
    save(dialog_picture(std::move(properties)), QStringLiteral("show_properties.png"));
    save(dialog_picture(PreferencesDialog(context, &window)), QStringLiteral("preferences.png"));
    save(dialog_picture(AboutDialog(&window)), QStringLiteral("about.png"));

    // The playback window as on a 1920 x 1080 screen, at a slide with a caption.
    auto* playback = new PlaybackWidget(context, ui.caption_fonts(), QRect(0, 0, 1920, 1080));
    go_to_slide(context.player, 1, true);
    save(playback->picture(), QStringLiteral("playback_window.jpg"));
    save_motion_pictures(context, 1, QRect(290, 105, 150, 90));

    // The slide properties dialog on the path of the second slide, at its second key frame.
    {
        SlidePropertiesDialog dialog(context, &window);
        if (!dialog.failed()) {
            dialog.resize(900, 640);
            dialog.bar_pressed(bar_next_frame, 0);
            dialog.show();
            QApplication::processEvents();
            save(dialog.grab().toImage(), QStringLiteral("slide_properties.jpg"));
        }
    }

    // The export dialog as it first opens for the show, its video named in a photographer's folder.
    ExportOptions export_options;
    export_options.output = u"/home/ann/Videos/Nature.mp4";
    ExportDialog export_dialog(&window, ui, context.show.settings,
                               resolved_export_options(context.show.settings, export_options));
    export_dialog.show();
    QApplication::processEvents();
    save(export_dialog.grab().toImage(), QStringLiteral("export_dialog.png"));
    export_dialog.hide();

    save(box(update_title, u"Lumivane is up to date", BoxButtons::Ok), QStringLiteral("update_up_to_date.png"));
    save(box(update_title,
             u"Another version available.\n\nCurrent version -- Lumivane 1.0.15\n\nLatest downloadable version -- "
             u"Lumivane 1.0.16\n\nLaunch Download Page?",
             BoxButtons::YesNo),
         QStringLiteral("update_available.png"));

    ui.show_help_page(u"index.html");
    if (HelpWindow* help = ui.help_window()) {
        help->resize(820, 620);
        QApplication::processEvents();
        save(help->grab().toImage(), QStringLiteral("help_window.png"));
    }
    delete playback;

    // A new show of a folder of pictures in every format the program reads.
    if (argc == 4) {
        if (open_command_line_show(context, QString::fromLocal8Bit(argv[3]).toStdU16String()) !=
            CommandLineOpen::Opened) {
            std::fprintf(stderr, "cannot open %s\n", argv[3]);
            return 1;
        }
        update_window_title(context);
        go_to_slide(context.player, 0, true);
        window.update_layout();
        save(window.grab().toImage(), QStringLiteral("formats_show.jpg"));
    }
    return 0;
}

#include "ui/slide_properties_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>

#include "app/app_context.h"
#include "imaging/memory_bitmap.h"
#include "imaging/resample.h"
#include "platform/translation.h"
#include "platform/value_formatter.h"
#include "playback/playback_window.h"
#include "ui/image_bar.h"
#include "ui/image_drawing.h"
#include "ui/interface_drawing.h"
#include "ui/qt_text.h"

namespace lumivane {

namespace {

// The picture's surround: a neutral grey, whatever the desktop's colours, so that the
// photograph is judged against neither light nor dark.
const QColor control_grey(128, 128, 128);
constexpr int play_period_milliseconds = 15;
constexpr std::int32_t bar_identifiers[] = {bar_previous_frame, bar_next_frame, bar_frame_tools, bar_speed};

// Places the widget at (x, y) with its own width and height L; returns x past it and the gap.
int put(QWidget* widget, int x, int y, int width, const DialogMetrics& m) {
    widget->setGeometry(x, y, width, m.line_height);
    return x + width + m.margin;
}

}  // namespace

SlidePropertiesDialog::SlidePropertiesDialog(AppContext& context, QWidget* owner)
    : QDialog(owner), context_(context) {
    setWindowTitle(tr("Slide Properties"));
    setModal(true);
    setSizeGripEnabled(true);
    setMouseTracking(true);
    failed_ = open_slide_editor(context_, editor_);
    if (failed_) return;

    ok_ = new QPushButton(tr("OK"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    delay_label_ = new QLabel(tr("Delay: "), this);
    delay_ = new QLineEdit(this);
    seconds_label_ = new QLabel(tr("sec"), this);
    frame_label_ = new QLabel(this);
    style_label_ = new QLabel(tr("Style: "), this);
    style_list_ = new QComboBox(this);
    caption_label_ = new QLabel(tr("Caption: "), this);
    caption_ = new QLineEdit(this);
    preview_button_ = new QPushButton(tr("Preview"), this);
    ok_->setDefault(true);
    caption_->setMaxLength(static_cast<int>(max_caption_length));
    delay_->setMaxLength(254);
    for (QObject* child : children()) child->installEventFilter(this);
    connect(ok_, &QPushButton::clicked, this, &SlidePropertiesDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &SlidePropertiesDialog::reject);
    connect(preview_button_, &QPushButton::clicked, this, [this] { start_playing(); });

    for (const QString& style : {tr("Default"), tr("Fit"), tr("Crop"), tr("Path")}) {
        style_list_->addItem(style, style_list_->count());
    }
    style_list_->setMaxVisibleItems(8);
    connect(style_list_, qOverload<int>(&QComboBox::activated), this, &SlidePropertiesDialog::style_chosen);
    caption_->setText(qt(editor_.slide().caption));
    show_style();

    play_timer_.setTimerType(Qt::PreciseTimer);
    connect(&play_timer_, &QTimer::timeout, this, [this] { play_step(); });

    make_controls();
    const QRect screen = (owner ? owner->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    resize(screen.width() * 3 / 5, screen.height() * 7 / 10);
    show_frame();
}

SlidePropertiesDialog::~SlidePropertiesDialog() { release_interface_font(font_); }

ImageBar* SlidePropertiesDialog::bar(std::int32_t identifier) const {
    for (ImageBar* b : bars_) {
        if (b && b->identifier() == identifier) return b;
    }
    return nullptr;
}

void SlidePropertiesDialog::make_controls() {
    release_interface_font(font_);
    make_interface_font(this, font_, caption_fonts_);
    metrics_ = {font_.line_height, font_.margin};
    const QFont face = font_.font;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->setFont(face);

    const std::vector<std::u16string> bitmaps[] = {
        {u"Left.bmp"},
        {u"Right.bmp"},
        {u"Insert Before.bmp", u"Insert After.bmp", u"Trash.bmp", u"Expand Crop Box.bmp", u"Reflect Horizontal.bmp",
         u"Reflect Vertical.bmp"},
        {u"Linear.bmp", u"Spline.bmp"},
    };
    const std::vector<std::u16string> popups[] = {
        {tr("Previous Frame").toStdU16String()},
        {tr("Next Frame").toStdU16String()},
        {tr("Insert new frame before current frame").toStdU16String(),
         tr("Insert new frame after current frame").toStdU16String(), tr("Delete current frame").toStdU16String(),
         tr("Set crop box as large as possible").toStdU16String(), tr("Center crop box horizontally").toStdU16String(),
         tr("Center crop box vertically").toStdU16String()},
        {tr("Constant Pan/Zoom Speed").toStdU16String(), tr("Nonlinear Pan/Zoom Speed").toStdU16String()},
    };
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        delete bars_[i];
        ImageBarParameters parameters;
        parameters.mode = bar_identifiers[i] == bar_speed ? image_bar_radio : image_bar_plain;
        parameters.button_size = metrics_.line_height;
        parameters.columns = static_cast<std::int32_t>(bitmaps[i].size());
        parameters.rows = 1;
        parameters.bitmaps = bitmaps[i];
        parameters.popups = popups[i];
        parameters.parent = this;
        parameters.identifier = bar_identifiers[i];
        parameters.notify = [this](std::int32_t id, std::int32_t index) { bar_pressed(id, index); };
        bars_[i] = new ImageBar(0, 0, parameters, context_.ui, context_.settings_folder);
        bars_[i]->installEventFilter(this);
    }
    bar(bar_speed)->set_radio_checked(editor_.slide().interpolation == Interpolation::Nonlinear ? 1 : 0);
    update_buttons();
    lay_out();
    image_free(preview_);
    update();
}

void SlidePropertiesDialog::lay_out() {
    const DialogMetrics& m = metrics_;
    const int l = m.line_height;
    const auto text = [this](QWidget* w, const QString& s) { return text_width(s, w, font_) + font_.margin; };
    int x = m.margin;
    int y = m.margin;
    x = put(ok_, x, y, 3 * l, m);
    x = put(cancel_, x, y, 3 * l, m);
    x = put(delay_label_, x, y, text(delay_label_, delay_label_->text()), m);
    x = put(delay_, x, y, 4 * l, m);
    x = put(seconds_label_, x, y, text(seconds_label_, seconds_label_->text()), m);
    x += m.margin;  // a gap of 2 M before the frame buttons
    const auto bar_at = [&](std::int32_t id) {
        ImageBar* b = bar(id);
        b->move(x, y);
        x += b->width() + m.margin;
    };
    bar_at(bar_previous_frame);
    x = put(frame_label_, x, y, text(frame_label_, qt(formatted(Core::tr("Frame %d"), 88888))), m);
    bar_at(bar_next_frame);
    bar_at(bar_frame_tools);
    bar_at(bar_speed);
    put(preview_button_, x, y, text(preview_button_, preview_button_->text()) + l, m);

    x = m.margin;
    y = 2 * m.margin + l;
    x = put(style_label_, x, y, text(style_label_, style_label_->text()), m);
    x = put(style_list_, x, y, 5 * l, m);
    x = put(caption_label_, x, y, text(caption_label_, caption_label_->text()), m);
    put(caption_, x, y, std::max(width() - m.margin - x, 8 * l), m);
    setMinimumSize(preview_button_->geometry().right() + m.margin, image_area_top(m) + 4 * l);
}

void SlidePropertiesDialog::build_preview() {
    const ImageBuffer& image = editor_.slide().image;
    place_ = preview_place(width(), height(), metrics_, image.width, image.height);
    image_free(preview_);
    if (place_.width <= 0 || place_.height <= 0) return;
    // Made with as many pixels as the preview covers on this screen, so it stays sharp.
    preview_ratio_ = devicePixelRatioF();
    const auto w = static_cast<std::int32_t>(std::lround(place_.width * preview_ratio_));
    const auto h = static_cast<std::int32_t>(std::lround(place_.height * preview_ratio_));
    if (image_resample(image, preview_, w, h, image.resolution, ResampleFilter::Nearest)) image_free(preview_);
}

void SlidePropertiesDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The controls on the desktop's colours, the picture below them on grey.
    const int top = image_area_top(metrics_);
    fill_rectangle(painter, QRect(0, 0, width(), top), palette().color(QPalette::Window));
    fill_rectangle(painter, QRect(0, top, width(), height() - top), control_grey);
    if (playing()) {
        painter.drawImage(played_rect_.topLeft(), played_);
        draw_caption(painter, played_rect_, editor_.slide().caption, context_.show.settings.show_captions,
                     caption_fonts_);
        return;
    }
    if (preview_.empty()) build_preview();
    if (preview_.kind == PixelFormat::Grey8) {
        image_draw_grey8(painter, preview_, place_.x, place_.y, preview_ratio_);
    } else {
        image_draw_colour8(painter, preview_, place_.x, place_.y, preview_ratio_);
    }
    if (box_shown(editor_) && place_.width > 0) draw_box(painter);
}

void SlidePropertiesDialog::draw_box(QPainter& painter) const {
    const DialogMetrics& m = metrics_;
    painter.setClipRect(QRect(QPoint(m.margin, image_area_top(m)), QPoint(width() - m.margin, height() - m.margin)));
    // Inverting the picture's upper bits keeps the box visible on light and dark parts alike.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const PreviewBox b = preview_box(editor_.box(), place_);
    const int x0 = std::min(b.x0, b.x1);
    const int x1 = std::max(b.x0, b.x1);
    const int y0 = std::min(b.y0, b.y1);
    const int y1 = std::max(b.y0, b.y1);
    // Each edge leaves out its last pixel, which the next edge draws, so that no pixel is
    // inverted twice.
    painter.fillRect(x0, y0, 1, std::max(y1 - y0, 1), control_grey);
    if (x1 > x0) painter.fillRect(x0, y1, x1 - x0, 1, control_grey);
    if (y1 > y0) painter.fillRect(x1, y0 + 1, 1, y1 - y0, control_grey);
    if (x1 > x0 + 1) painter.fillRect(x0 + 1, y0, x1 - x0 - 1, 1, control_grey);
    painter.setPen(QPen(control_grey, 0));
    painter.setBrush(Qt::NoBrush);
    for (const QPoint& p : {QPoint(x0, y0), QPoint(x1, y0), QPoint(x1, y1), QPoint(x0, y1),
                            QPoint((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2)}) {
        painter.drawEllipse(QRect(p.x() - 3, p.y() - 3, 7, 7));
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void SlidePropertiesDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (failed_) return;
    lay_out();
    image_free(preview_);
    place_ = {};
    if (playing()) stop_playing();
    update();
}

void SlidePropertiesDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // On a screen of another resolution the fonts, buttons and preview are made again.
    if (windowHandle() && !watching_screen_) {
        watching_screen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { make_controls(); });
    }
}

void SlidePropertiesDialog::set_cursor_for(std::int32_t kind) {
    if (kind == drag_move) {
        setCursor(Qt::OpenHandCursor);
    } else if (kind >= drag_top_left && kind <= drag_bottom_left) {
        setCursor(Qt::CrossCursor);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void SlidePropertiesDialog::mousePressEvent(QMouseEvent* event) {
    if (playing()) {
        stop_playing();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (place_.width <= 0) build_preview();
    const QPoint p = event->position().toPoint();
    set_cursor_for(begin_box_drag(editor_, drag_, place_, p.x(), p.y(), metrics_.margin));
}

void SlidePropertiesDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (drag_.kind != drag_none) {
        set_cursor_for(drag_.kind);
        drag_box(context_, editor_, drag_, place_, p.x(), p.y());
        update();
    } else if (editor_.slide().style == SlideStyle::Fit || place_.width <= 0) {
        set_cursor_for(drag_none);
    } else {
        set_cursor_for(box_hit(preview_box(editor_.box(), place_), p.x(), p.y(), metrics_.margin));
    }
}

void SlidePropertiesDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) drag_ = BoxDrag{};
}

void SlidePropertiesDialog::wheelEvent(QWheelEvent* event) {
    if (playing()) stop_playing();
    wheel_box(context_, editor_, event->angleDelta().y());
    update();
}

void SlidePropertiesDialog::keyPressEvent(QKeyEvent* event) {
    if (playing()) {
        stop_playing();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SlidePropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    // While the preview plays, a press anywhere stops it and does nothing else.
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress;
    if (press && playing()) {
        stop_playing();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SlidePropertiesDialog::bar_pressed(std::int32_t identifier, std::int32_t index) {
    if (read_delay(context_, editor_, delay_->text().toStdU16String())) return;
    switch (identifier) {
    case bar_previous_frame: previous_frame(editor_); break;
    case bar_next_frame: next_frame(editor_); break;
    case bar_frame_tools:
        switch (index) {
        case tool_insert_before:
        case tool_insert_after: insert_frame(context_, editor_, index == tool_insert_after); break;
        case tool_delete: delete_frame(context_, editor_); break;
        case tool_largest_box: {
            const PlaybackWindow* window = context_.playback.window;
            largest_box(editor_, context_.ui.shift_held(), window ? window->client_width() : 0,
                        window ? window->client_height() : 0);
            break;
        }
        case tool_centre_horizontally: centre_horizontally(editor_); break;
        case tool_centre_vertically: centre_vertically(editor_); break;
        default: break;
        }
        show_style();
        break;
    case bar_speed:
        editor_.slide().interpolation = index == 1 ? Interpolation::Nonlinear : Interpolation::Constant;
        return;
    default: return;
    }
    show_frame();
}

void SlidePropertiesDialog::show_frame() {
    frame_label_->setText(qt(lumivane::frame_label(editor_)));
    delay_->setText(qt(delay_text(editor_.box())));
    update_buttons();
    update();
}

void SlidePropertiesDialog::update_buttons() {
    const SlideButtonStates states = slide_button_states(editor_);
    bar(bar_previous_frame)->set_disabled(0, !states.previous);
    bar(bar_next_frame)->set_disabled(0, !states.next);
    ImageBar* tools = bar(bar_frame_tools);
    tools->set_disabled(tool_delete, !states.remove);
    for (const std::int32_t t : {tool_largest_box, tool_centre_horizontally, tool_centre_vertically}) {
        tools->set_disabled(t, !states.box_tools);
    }
    for (std::int32_t i = 0; i < 2; ++i) bar(bar_speed)->set_disabled(i, !states.speed);
}

void SlidePropertiesDialog::show_style() {
    const QSignalBlocker blocker(style_list_);
    style_list_->setCurrentIndex(std::clamp(static_cast<int>(editor_.slide().style), 0, 3));
}

void SlidePropertiesDialog::style_chosen(int index) {
    if (change_style(context_, editor_, static_cast<SlideStyle>(index))) {
        show_style();
        return;
    }
    show_frame();
}

void SlidePropertiesDialog::accept() {
    if (playing()) stop_playing();
    editor_.slide().caption = caption_->text().toStdU16String().substr(0, max_caption_length);
    editor_.slide().style = static_cast<SlideStyle>(style_list_->currentIndex());
    if (read_delay(context_, editor_, delay_->text().toStdU16String())) return;
    save_slide_edits(context_, editor_);
    QDialog::accept();
}

void SlidePropertiesDialog::start_playing() {
    if (read_delay(context_, editor_, delay_->text().toStdU16String())) return;
    // The played picture takes the output frame's proportions inside the picture area.
    const PlaybackWindow* window = context_.playback.window;
    const Proportions p = show_proportions(context_.show.settings);
    const bool sized = window && window->client_width() > 0 && window->client_height() > 0;
    const std::int64_t fw = sized ? window->client_width() : p.width;
    const std::int64_t fh = sized ? window->client_height() : p.height;
    const QRect area(QPoint(metrics_.margin, image_area_top(metrics_)),
                     QPoint(width() - metrics_.margin - 1, height() - metrics_.margin - 1));
    if (area.width() <= 0 || area.height() <= 0) return;
    std::int64_t w = area.width();
    std::int64_t h = w * fh / fw;
    if (h > area.height()) {
        h = area.height();
        w = h * fw / fh;
    }
    if (w <= 0 || h <= 0) return;
    played_rect_ = QRect(area.x() + static_cast<int>(area.width() - w) / 2,
                         area.y() + static_cast<int>(area.height() - h) / 2, static_cast<int>(w), static_cast<int>(h));
    const qreal ratio = devicePixelRatioF();
    played_ = QImage(static_cast<int>(std::lround(static_cast<double>(w) * ratio)),
                     static_cast<int>(std::lround(static_cast<double>(h) * ratio)), QImage::Format_RGB32);
    if (played_.isNull()) return;
    played_.setDevicePixelRatio(ratio);
    play_first_ = editor_.frame;
    play_start_ = context_.ui.now_milliseconds();
    play_timer_.start(play_period_milliseconds);
    play_step();
}

void SlidePropertiesDialog::stop_playing() {
    play_timer_.stop();
    played_ = QImage();
    update();
}

void SlidePropertiesDialog::play_step() {
    const double seconds = static_cast<double>(context_.ui.now_milliseconds() - play_start_) / 1000.0;
    const PreviewMoment moment = preview_moment(editor_, play_first_, seconds);
    if (moment.ended) {
        stop_playing();
        return;
    }
    MemoryBitmap picture{played_.bits(), played_.width(), played_.height(), played_.bytesPerLine()};
    if (render_slide_picture(editor_.work, 0, moment.key_frame, moment.progress, context_.motion, picture)) {
        stop_playing();
        return;
    }
    update();
}

}  // namespace lumivane

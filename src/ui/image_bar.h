#pragma once
// The image bar: a grid of square picture buttons with popup help, telling its owner
// which enabled button was pressed. Plain buttons only report presses; in a radio group
// exactly one button is checked and a press checks it.

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/image_buffer.h"
#include "ui/captions.h"
#include "ui/shell/image_bar_geometry.h"

namespace lumivane {

class UserInterface;

enum ImageBarMode : std::int32_t { image_bar_plain = 0, image_bar_radio = 1 };

// The timers of the hover rules: the pointer has rested on a button, and its popup
// help has been shown long enough.
inline constexpr int image_bar_rest_timer = 100;
inline constexpr int image_bar_popup_timer = 101;
inline constexpr int image_bar_rest_milliseconds = 1000;
inline constexpr int image_bar_popup_milliseconds = 5000;

struct ImageBarParameters {
    std::int32_t mode = image_bar_plain;
    std::int32_t button_size = 0;
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::vector<std::u16string> bitmaps;  // file names ("Run.bmp"), row by row
    std::vector<std::u16string> popups;   // help texts, in the same order
    QWidget* parent = nullptr;
    std::int32_t identifier = 0;
    // Called with the identifier and the button's index when an enabled button is
    // pressed with the left button.
    std::function<void(std::int32_t identifier, std::int32_t index)> notify;
};

class ImageBar : public QWidget {
public:
    // A visible bar at (x, y) in the parent. The pictures are read from the settings
    // folder's "Bitmaps" or the shipped ones, made for the parent's screen; a picture
    // that cannot be read is reported through ui and leaves its button blank.
    ImageBar(int x, int y, const ImageBarParameters& parameters, UserInterface& ui,
             const std::u16string& settings_folder);
    ~ImageBar() override;

    const ImageBarGrid& grid() const { return grid_; }
    std::int32_t identifier() const { return identifier_; }
    std::int32_t mode() const { return mode_; }
    std::int32_t button_count() const { return static_cast<std::int32_t>(buttons_.size()); }

    // A radio group's choice: checks the button alone, unless it is checked already.
    void set_radio_checked(std::int32_t index);
    bool is_checked(std::int32_t index) const;
    // What a left click on button index does: nothing on a disabled one.
    void press_button(std::int32_t index);
    QString popup_text(std::int32_t index) const;
    // The button's square in the bar.
    QRect button_rect(std::int32_t index) const;
    bool is_disabled(std::int32_t index) const;
    // Repaints only when the flag changes.
    void set_disabled(std::int32_t index, bool value);

    std::int32_t pressed_index() const { return pressed_; }
    std::int32_t hover_index() const { return hover_; }
    bool timer_running(int timer) const;
    // What happens when timer image_bar_rest_timer or image_bar_popup_timer goes off.
    void timer_elapsed(int timer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Button {
        ImageBuffer picture;
        ImageBuffer dimmed;
        QString popup;
        bool checked = false;
        bool disabled = false;
    };

    std::int32_t button_at(QPoint position) const;
    void hover_over(std::int32_t index);
    void reset_hover();

    ImageBarGrid grid_;
    std::int32_t mode_ = image_bar_plain;
    std::int32_t identifier_ = 0;
    std::function<void(std::int32_t, std::int32_t)> notify_;
    std::vector<Button> buttons_;
    qreal picture_ratio_ = 1.0;  // device pixels per pixel the pictures were made for
    std::int32_t pressed_ = -1;
    std::int32_t hover_ = -1;
    QTimer rest_timer_;
    QTimer popup_timer_;
    InterfaceFont popup_font_;
};

}  // namespace lumivane

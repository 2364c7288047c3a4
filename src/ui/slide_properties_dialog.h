#pragma once
// The "Slide Properties" dialog: the current slide's caption, style, speed choice and
// key frames, with the crop box of the key frame being edited drawn over a preview of
// the picture, moved and sized with the mouse and the wheel. Edits go to a working copy
// that OK writes back. "Preview" plays the slide in the picture's place as the show
// will, until anything is pressed. What the dialog computes is in slide_properties.

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <array>

#include "imaging/image_buffer.h"
#include "ui/captions.h"
#include "ui/shell/slide_properties.h"

namespace lumivane {

class ImageBar;

// The image bars' identifiers.
enum SlideDialogBar : std::int32_t {
    bar_previous_frame = 1007,
    bar_next_frame = 1009,
    bar_frame_tools = 1011,
    bar_speed = 1012,
};
// The buttons of bar_frame_tools.
enum FrameTool : std::int32_t {
    tool_insert_before = 0,
    tool_insert_after = 1,
    tool_delete = 2,
    tool_largest_box = 3,
    tool_centre_horizontally = 4,
    tool_centre_vertically = 5,
};

class SlidePropertiesDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(SlidePropertiesDialog)

public:
    // Works on the context's current slide. failed() tells when it could not be copied
    // (reported); such a dialog is not to be shown.
    SlidePropertiesDialog(AppContext& context, QWidget* owner);
    ~SlidePropertiesDialog() override;

    bool failed() const { return failed_; }
    const SlideEditor& editor() const { return editor_; }
    const DialogMetrics& metrics() const { return metrics_; }
    const PreviewPlace& place() const { return place_; }
    const ImageBuffer& preview() const { return preview_; }
    ImageBar* bar(std::int32_t identifier) const;
    QLineEdit* caption_edit() const { return caption_; }
    QLineEdit* delay_edit() const { return delay_; }
    QComboBox* style_list() const { return style_list_; }
    QLabel* frame_label() const { return frame_label_; }
    QPushButton* preview_button() const { return preview_button_; }
    bool playing() const { return play_timer_.isActive(); }

    // A press of a button of an image bar, as the bar reports it.
    void bar_pressed(std::int32_t identifier, std::int32_t index);
    // OK: reads the caption, style and delay into the working copy, writes it back when
    // it differs from the slide and closes; an illegal delay keeps the dialog open.
    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The metrics, the image bars and the layout for the dialog's screen; made again
    // when the dialog moves to a screen of another resolution, keeping the edits.
    void make_controls();
    void lay_out();
    void build_preview();
    void draw_box(QPainter& painter) const;
    void show_frame();
    void update_buttons();
    void show_style();
    void style_chosen(int index);
    void set_cursor_for(std::int32_t kind);

    void start_playing();
    void stop_playing();
    void play_step();

    AppContext& context_;
    SlideEditor editor_;
    bool failed_ = false;
    InterfaceFont font_;
    CaptionFonts caption_fonts_;
    DialogMetrics metrics_;
    PreviewPlace place_;
    ImageBuffer preview_;
    qreal preview_ratio_ = 1.0;
    BoxDrag drag_;
    bool watching_screen_ = false;

    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* caption_label_ = nullptr;
    QLineEdit* caption_ = nullptr;
    QLabel* delay_label_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QLabel* seconds_label_ = nullptr;
    QLabel* style_label_ = nullptr;
    QComboBox* style_list_ = nullptr;
    QLabel* frame_label_ = nullptr;
    QPushButton* preview_button_ = nullptr;
    std::array<ImageBar*, 4> bars_{};

    // The played preview: the first key frame, when it began, and the picture shown.
    QTimer play_timer_;
    std::int32_t play_first_ = 0;
    std::int64_t play_start_ = 0;
    QImage played_;
    QRect played_rect_;
};

}  // namespace lumivane

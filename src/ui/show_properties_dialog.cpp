#include "ui/show_properties_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/app_context.h"
#include "ui/music_section.h"
#include "ui/qt_text.h"

namespace lumivane {

namespace {

QLineEdit* make_edit(QWidget* parent, const char* name, const std::u16string& text, int characters) {
    auto* edit = new QLineEdit(qt(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(properties_text_limit);
    if (characters > 0) edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(characters, u'0')) + 16);
    return edit;
}

QComboBox* make_list(QWidget* parent, const char* name, const QStringList& entries, std::int32_t row) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(entries);
    list->setCurrentIndex(row);
    return list;
}

std::int32_t row_of(const QComboBox* list) { return list->currentIndex(); }

}  // namespace

ShowPropertiesDialog::ShowPropertiesDialog(AppContext& context, QWidget* owner)
    : QDialog(owner), context_(context), at_opening_(begin_show_properties(context)) {
    setWindowTitle(tr("Slide Show Properties"));
    const ShowPropertiesForm f = show_properties_form(at_opening_.settings);

    name_ = make_edit(this, "name", f.name, 0);
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QString(32, u'x')));
    proportions_width_ = make_edit(this, "proportions_width", f.proportions_width, 6);
    proportions_height_ = make_edit(this, "proportions_height", f.proportions_height, 6);
    // Crop boxes are made for the show's shape: it changes only while every slide fits.
    const bool fitted = !any_slide_not_fitted(context.show);
    proportions_width_->setEnabled(fitted);
    proportions_height_->setEnabled(fitted);
    loop_ = new QCheckBox(tr("Loop"), this);
    loop_->setObjectName(QStringLiteral("loop"));
    loop_->setChecked(f.loop);
    autorun_ = make_list(this, "autorun",
                         {tr("Auto - Run on startup"), tr("Auto - Don't run on startup"), tr("Manual")}, f.autorun);
    speed_ = make_list(this, "speed", {"0.25 X", "0.5 X", "1 X", "2 X", "4 X"}, f.speed);
    size_ =
        make_list(this, "size", {tr("Full Screen"), "90%", "80%", "70%", "60%", "50%", "40%", "30%", "20%"}, f.size);
    show_captions_ = make_list(this, "show_captions", {tr("None", "captions"), tr("Small"), tr("Medium"), tr("Large")},
                               f.show_captions);
    default_style_ = make_list(this, "default_style", {tr("Fit"), tr("Crop")}, f.default_style);
    default_delay_ = make_edit(this, "default_delay", f.default_delay, 10);
    transition_ =
        make_list(this, "transition", {tr("None", "transition"), tr("Fade to black"), tr("Crossfade"), tr("Curtain")},
                  f.transition);
    transition_time_ = make_edit(this, "transition_time", f.transition_time, 10);

    auto* grid = new QGridLayout;
    int row = 0;
    // Lists take the column's width; the number edits keep theirs, with their unit beside them.
    const auto add_row = [&](const QString& label, QWidget* control, const QString& unit = {}) {
        grid->addWidget(new QLabel(label, this), row, 0, Qt::AlignRight);
        if (!unit.isEmpty()) {
            auto* with_unit = new QHBoxLayout;
            with_unit->addWidget(control);
            with_unit->addWidget(new QLabel(unit, this));
            with_unit->addStretch(1);
            grid->addLayout(with_unit, row, 1);
        } else {
            grid->addWidget(control, row, 1);
        }
        ++row;
    };
    add_row(tr("Name: "), name_);
    auto* proportions = new QHBoxLayout;
    proportions->addWidget(proportions_width_);
    proportions->addWidget(new QLabel(QStringLiteral(":"), this));
    proportions->addWidget(proportions_height_);
    proportions->addStretch(1);
    grid->addWidget(new QLabel(tr("Proportions: "), this), row, 0, Qt::AlignRight);
    grid->addLayout(proportions, row++, 1);
    add_row({}, loop_);
    add_row(tr("Mode: "), autorun_);
    add_row(tr("Speed: "), speed_);
    add_row(tr("Window Size: "), size_);
    add_row(tr("Captions: "), show_captions_);
    add_row(tr("Default Style: "), default_style_);
    add_row(tr("Default Delay: "), default_delay_, tr("sec"));
    add_row(tr("Transition: "), transition_);
    add_row(tr("Transition Time: "), transition_time_, tr("sec"));
    grid->setColumnStretch(1, 1);

    auto* save_default = new QPushButton(tr("Save as Default"), this);
    save_default->setObjectName(QStringLiteral("save_as_default"));
    save_default->setAutoDefault(false);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(save_default, &QPushButton::clicked, this, [this] { save_as_default(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_default);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    music_ = new MusicSection(context, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(music_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ShowPropertiesForm ShowPropertiesDialog::form() const {
    ShowPropertiesForm f;
    f.name = name_->text().toStdU16String();
    f.proportions_width = proportions_width_->text().toStdU16String();
    f.proportions_height = proportions_height_->text().toStdU16String();
    f.loop = loop_->isChecked();
    f.autorun = row_of(autorun_);
    f.speed = row_of(speed_);
    f.size = row_of(size_);
    f.show_captions = row_of(show_captions_);
    f.default_style = row_of(default_style_);
    f.default_delay = default_delay_->text().toStdU16String();
    f.transition = row_of(transition_);
    f.transition_time = transition_time_->text().toStdU16String();
    return f;
}

void ShowPropertiesDialog::accept() {
    if (accept_show_properties(context_, form(), at_opening_)) return;
    music_->take();
    QDialog::accept();
}

void ShowPropertiesDialog::reject() {
    music_->restore();
    cancel_show_properties(context_, at_opening_);
    QDialog::reject();
}

// A wrong field has been reported; the dialog stays open either way.
void ShowPropertiesDialog::save_as_default() {
    static_cast<void>(save_show_properties_as_default(context_, form(), at_opening_));
}

}  // namespace lumivane

#pragma once
// The "Slide Show Properties" dialog: the open show's settings, and "Save as Default"
// to make them the settings for new shows. What it does with them is in show_properties.

#include <QCoreApplication>
#include <QDialog>

#include "document/slide_show.h"
#include "ui/shell/show_properties.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace lumivane {

struct AppContext;
class MusicSection;

class ShowPropertiesDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(ShowPropertiesDialog)

public:
    // Stops the show and shows its settings.
    ShowPropertiesDialog(AppContext& context, QWidget* owner);

    ShowPropertiesForm form() const;

    // OK: closes only when every field is acceptable.
    void accept() override;
    // Cancel and the close box: every setting as it was at opening.
    void reject() override;

private:
    void save_as_default();

    AppContext& context_;
    ShowPropertiesOpening at_opening_;
    QLineEdit* name_;
    QLineEdit* proportions_width_;
    QLineEdit* proportions_height_;
    QCheckBox* loop_;
    QComboBox* autorun_;
    QComboBox* speed_;
    QComboBox* size_;
    QComboBox* show_captions_;
    QComboBox* default_style_;
    QLineEdit* default_delay_;
    QComboBox* transition_;
    QLineEdit* transition_time_;
    MusicSection* music_;
};

}  // namespace lumivane

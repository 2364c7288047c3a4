#pragma once
// The "Preferences" dialog: the monitor profile, the frame rate, the motion and the
// caption of new slides, program settings kept in the session state file. OK stores
// them: the profile applies to pictures read afterwards, the rate to playback started
// afterwards, a new motion at once, the caption to slides made afterwards.

#include <QCoreApplication>
#include <QDialog>

class QComboBox;

namespace lumivane {

struct AppContext;

class PreferencesDialog : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(PreferencesDialog)

public:
    // Stops the show and shows the preferences.
    PreferencesDialog(AppContext& context, QWidget* owner);

    void accept() override;

private:
    AppContext& context_;
    QComboBox* monitor_profile_;
    QComboBox* frame_rate_;
    QComboBox* motion_;
    QComboBox* caption_;
};

}  // namespace lumivane

#pragma once
// The "Preferences" dialog: the monitor profile, the frame rate, the motion and the
// caption of new slides, program settings kept in the session state file. The monitor
// profile may be the display's own or a profile file, chosen with a file dialog as the
// list's entry is picked. OK stores them: the profile applies to pictures read
// afterwards, the rate to playback started afterwards, a new motion at once, the caption
// to slides made afterwards.

#include <QCoreApplication>
#include <QDialog>

#include <string>

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
    // Asks for a profile file; one that cannot be used is named and the list goes back
    // to the choice before.
    void choose_profile_file();
    void show_profile_file();

    AppContext& context_;
    std::u16string profile_file_;
    int profile_row_;
    QComboBox* monitor_profile_;
    QComboBox* frame_rate_;
    QComboBox* motion_;
    QComboBox* caption_;
};

}  // namespace lumivane

#pragma once
// The help window: the program's help pages in a browser that follows their links and
// goes back and forward through the pages seen.

#include <QCoreApplication>
#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>

namespace lumivane {

// The file of a help picture for a screen of ratio device pixels to a pixel: above 1
// the picture drawn at twice the size beside it ("main_window@2x.jpg" for
// "main_window.jpg") where there is one, else the picture itself.
QString help_picture_file(const QString& file, qreal ratio);

class HelpWindow : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(HelpWindow)

public:
    // Pages come from folder; the window belongs to parent and closes with it.
    HelpWindow(const QString& folder, QWidget* parent);

    // Opens a page of the folder ("playback.html", "main_window.html#updates") and
    // brings the window to the front.
    void show_page(const QString& page);

    QTextBrowser* browser() const { return browser_; }

private:
    QString folder_;
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
};

}  // namespace lumivane

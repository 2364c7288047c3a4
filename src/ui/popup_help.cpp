#include "ui/popup_help.h"

#include <QCursor>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

#include "ui/interface_drawing.h"

namespace lumivane {

namespace {

class PopupHelp : public QWidget {
public:
    PopupHelp(QWidget* parent, const QString& text, const InterfaceFont& font)
        : QWidget(parent), text_(text), font_(font) {
        setObjectName(QStringLiteral("Popup Help"));
        setCursor(Qt::ArrowCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        // The desktop's tool tip colours, light or dark.
        const QPalette colours = QToolTip::palette();
        fill_rectangle(painter, rect(), colours.color(QPalette::ToolTipBase));
        painter.setFont(font_.font);
        painter.setPen(colours.color(QPalette::ToolTipText));
        // Drawn as it stands: an "&" is an ordinary character here.
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
    }

private:
    QString text_;
    InterfaceFont font_;
};

QPointer<PopupHelp> shown;

}  // namespace

QRect popup_help_rect(QPoint pointer, int client_width, int client_height, int text_width, const InterfaceFont& font) {
    const int h = font.text_height;
    const int width = text_width + 2 * font.margin;
    const int height = h + 2 * font.margin;
    int x = pointer.x();
    int y = pointer.y();
    if (client_width < x + width) x = client_width - width - 4;
    if (y + 2 * h + height > client_height) y = client_height - height - 2 * h - 4;
    return QRect(x, y + 2 * h, width, height);
}

void show_popup_help(const QString& text, QWidget* parent, const InterfaceFont& font) {
    if (!parent || text.isEmpty() || text.size() > popup_help_longest) return;
    remove_popup_help();
    shown = new PopupHelp(parent, text, font);
    shown->setGeometry(popup_help_rect(parent->mapFromGlobal(QCursor::pos()), parent->width(), parent->height(),
                                       text_width(text, parent, font), font));
    shown->show();
    shown->raise();
}

void remove_popup_help() {
    if (!shown) return;
    // Qt may be delivering an event to the popup right now (the pointer moving onto it
    // leaves the button that removes it): hidden at once, deleted once that is done.
    shown->hide();
    shown->deleteLater();
    shown = nullptr;
}

QWidget* popup_help_window() { return shown.data(); }

}  // namespace lumivane

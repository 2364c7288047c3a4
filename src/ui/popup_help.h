#pragma once
// Popup help: a button's one-line help text in a small light yellow window just below
// the pointer. At most one is shown in the whole program; showing another replaces it,
// and it goes with its parent.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/captions.h"

namespace lumivane {

// The longest help text a popup shows.
inline constexpr int popup_help_longest = 100;

// Where the popup goes in its parent's client area (client_width by client_height)
// for the pointer at pointer (client coordinates): text width plus two margins wide,
// the text height plus two margins high, two text heights below the pointer; moved 4
// pixels inside the right and bottom edges where it would pass them.
QRect popup_help_rect(QPoint pointer, int client_width, int client_height, int text_width, const InterfaceFont& font);

// Shows text for parent at the pointer, drawn in the record's font; an empty text or
// one longer than popup_help_longest shows nothing (and leaves any popup as it is).
void show_popup_help(const QString& text, QWidget* parent, const InterfaceFont& font);
// Hides the popup at once; it is deleted when the event loop next has the chance.
void remove_popup_help();
// The popup shown now, or none.
QWidget* popup_help_window();

}  // namespace lumivane

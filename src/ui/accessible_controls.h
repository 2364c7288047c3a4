#pragma once
// What the custom-drawn controls tell assistive tools (screen readers, magnifiers):
// each button of an image bar and each cell of the thumbnail grid with its name, role,
// place and states, through Qt's accessibility interfaces.

#include <cstdint>

namespace lumivane {

class ThumbnailGrid;

// Makes Qt ask this program for the interfaces of its image bars and thumbnail grids;
// before the first window.
void install_accessible_controls();

// The grid's accessible child that stands for slide index's cell.
int accessible_cell_child(ThumbnailGrid& grid, std::int32_t index);

}  // namespace lumivane

#include "ui/accessible_controls.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>

#include <map>

#include "app/app_context.h"
#include "ui/captions.h"
#include "ui/image_bar.h"
#include "ui/thumbnail_grid.h"

namespace lumivane {

namespace {

// A part of a control drawn by the control itself: it has no object of its own, so its
// interface is kept by the control's and named by its index there. Each part has actions.
class PartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PartAccessible(QWidget* control, int index) : control_(control), index_(index) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return control_ ? control_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(control_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    void* interface_cast(QAccessible::InterfaceType kind) override {
        return kind == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    int index() const { return index_; }

protected:
    // The part's rectangle in the control, on the screen.
    QRect on_screen(const QRect& part) const {
        return control_ ? QRect(control_->mapToGlobal(part.topLeft()), part.size()) : QRect();
    }

    QPointer<QWidget> control_;
    int index_;
};

// The children a control makes for its parts, made when first asked for and deleted
// with the control's interface.
class Parts {
public:
    ~Parts() {
        for (const auto& [index, id] : ids_) QAccessible::deleteAccessibleInterface(id);
    }
    template <typename Part>
    QAccessibleInterface* get(QWidget* control, int index) {
        const auto found = ids_.find(index);
        if (found != ids_.end()) return QAccessible::accessibleInterface(found->second);
        auto* part = new Part(control, index);
        ids_[index] = QAccessible::registerAccessibleInterface(part);
        return part;
    }

private:
    std::map<int, QAccessible::Id> ids_;
};

class ImageBarButtonAccessible : public PartAccessible {
public:
    using PartAccessible::PartAccessible;

    bool isValid() const override { return bar() && index_ < bar()->button_count(); }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name && bar() ? bar()->popup_text(index_) : QString();
    }
    QRect rect() const override { return bar() ? on_screen(bar()->button_rect(index_)) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!bar()) return state;
        state.disabled = bar()->is_disabled(index_);
        // A radio group's chosen button stays pressed in.
        state.checkable = bar()->mode() == image_bar_radio;
        state.checked = state.pressed = bar()->is_checked(index_);
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && bar()) bar()->press_button(index_);
    }

private:
    ImageBar* bar() const { return static_cast<ImageBar*>(control_.data()); }
};

class ImageBarAccessible : public QAccessibleWidget {
public:
    explicit ImageBarAccessible(ImageBar* bar) : QAccessibleWidget(bar, QAccessible::ToolBar) {}

    int childCount() const override { return bar()->button_count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return parts_.get<ImageBarButtonAccessible>(bar(), index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* button = dynamic_cast<const ImageBarButtonAccessible*>(child);
        return button && button->parent() == this ? button->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = bar()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i) {
            if (bar()->button_rect(i).contains(at)) return child(i);
        }
        return nullptr;
    }

private:
    ImageBar* bar() const { return static_cast<ImageBar*>(widget()); }
    mutable Parts parts_;
};

class GridCellAccessible : public PartAccessible {
public:
    using PartAccessible::PartAccessible;

    bool isValid() const override { return grid() && index_ < grid()->context().show.slide_count(); }
    QString text(QAccessible::Text kind) const override {
        if (!isValid()) return QString();
        const AppContext& context = grid()->context();
        if (kind == QAccessible::Name) {
            // The caption as the playback shows it, its lines read as one.
            const Slide& slide = context.show.slides[static_cast<std::size_t>(index_)];
            const QString caption = slide.caption.empty()
                                        ? QString::fromStdU16String(slide.file)
                                        : caption_display_text(QString::fromStdU16String(slide.caption)).simplified();
            return QCoreApplication::translate("ThumbnailGrid", "Slide %1: %2").arg(index_ + 1).arg(caption);
        }
        if (kind == QAccessible::Description && index_ == context.current_slide) {
            return QCoreApplication::translate("ThumbnailGrid", "Current slide");
        }
        return QString();
    }
    QRect rect() const override {
        const std::optional<QRect> cell = grid() ? grid()->cell_rect(index_) : std::nullopt;
        return cell ? on_screen(*cell) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) return state;
        const AppContext& context = grid()->context();
        state.focusable = state.selectable = true;
        state.selected = context.show.slides[static_cast<std::size_t>(index_)].selected;
        state.focused = grid()->hasFocus() && grid()->focus_cell() == index_;
        state.active = index_ == context.current_slide;  // the current slide
        state.invisible = state.offscreen = !grid()->cell_rect(index_);
        return state;
    }
    // Press: a click (the slide becomes current); toggle: a Ctrl-click; the slide's menu.
    QStringList actionNames() const override { return {pressAction(), toggleAction(), showMenuAction()}; }
    void doAction(const QString& name) override {
        if (!isValid()) return;
        if (name == pressAction()) grid()->key_at_cell(index_, {GridKey::Space});
        if (name == toggleAction()) grid()->key_at_cell(index_, {GridKey::Space, GridMove::Left, true});
        if (name == showMenuAction()) grid()->key_at_cell(index_, {GridKey::Menu});
    }

private:
    ThumbnailGrid* grid() const { return static_cast<ThumbnailGrid*>(control_.data()); }
};

// The grid's children: its child widgets (the tool bar, the scroll bar), then one cell
// for each slide.
class ThumbnailGridAccessible : public QAccessibleWidget {
public:
    explicit ThumbnailGridAccessible(ThumbnailGrid* grid) : QAccessibleWidget(grid, QAccessible::List) {}

    int widgets() const { return QAccessibleWidget::childCount(); }
    int childCount() const override { return widgets() + grid()->context().show.slide_count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < widgets()) return QAccessibleWidget::child(index);
        if (index >= childCount()) return nullptr;
        return parts_.get<GridCellAccessible>(grid(), index - widgets());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = dynamic_cast<const GridCellAccessible*>(child);
        if (!cell) return QAccessibleWidget::indexOfChild(child);
        return cell->parent() == this && cell->isValid() ? widgets() + cell->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* widget = QAccessibleWidget::childAt(x, y)) return widget;
        const QPoint at = grid()->mapFromGlobal(QPoint(x, y));
        const std::int32_t slide = grid_hit_test(grid()->area(), grid()->scroll().position,
                                                 grid()->context().show.slide_count(), at.x(), at.y());
        return slide >= 0 ? child(widgets() + slide) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return grid()->hasFocus() ? child(widgets() + grid()->focus_cell()) : nullptr;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? QCoreApplication::translate("ThumbnailGrid", "Slides")
                                         : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiSelectable = true;
        return state;
    }

private:
    ThumbnailGrid* grid() const { return static_cast<ThumbnailGrid*>(widget()); }
    mutable Parts parts_;
};

QAccessibleInterface* make_accessible(const QString&, QObject* object) {
    if (auto* bar = dynamic_cast<ImageBar*>(object)) return new ImageBarAccessible(bar);
    if (auto* grid = dynamic_cast<ThumbnailGrid*>(object)) return new ThumbnailGridAccessible(grid);
    return nullptr;
}

}  // namespace

void install_accessible_controls() { QAccessible::installFactory(make_accessible); }

int accessible_cell_child(ThumbnailGrid& grid, std::int32_t index) {
    const auto* list = dynamic_cast<ThumbnailGridAccessible*>(QAccessible::queryAccessibleInterface(&grid));
    return list ? list->widgets() + index : -1;
}

}  // namespace lumivane

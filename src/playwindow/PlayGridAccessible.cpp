#include "PlayGridAccessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QWindow>
#include <unordered_map>

#include "PlayGrid.h"

namespace sopaly {

int playGridChildIndex(const PlayGrid& grid, CellPos cell) {
    return (cell.row - 1) * grid.game().puzzle().cols() + (cell.col - 1);
}

namespace {

QString cellName(const PlayGrid& grid, CellPos cell) {
    const PlayGame& game = grid.game();
    const QString letter = game.puzzle().letter(cell);
    QString name = letter.isEmpty() ? QCoreApplication::translate("PlayGrid", "vacía") : letter;
    name += QCoreApplication::translate("PlayGrid", ", fila %1, columna %2")
                .arg(cell.row)
                .arg(cell.col);
    for (int i = 0; i < game.wordCount(); ++i) {
        if (game.isFound(i) && game.puzzle().places[static_cast<std::size_t>(i)].holds(cell)) {
            return name + QCoreApplication::translate("PlayGrid", ", encontrada");
        }
    }
    return name;
}

class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    CellAccessible(PlayGrid* grid, QAccessibleInterface* table, CellPos cell)
        : grid_(grid), table_(table), cell_(cell) {}

    bool isValid() const override { return !grid_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return table_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!grid_ || t != QAccessible::Name) return {};
        return cellName(*grid_, cell_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!grid_) return {};
        const QRect box = grid_->cellRect(cell_).toAlignedRect();
        return QRect(grid_->mapToGlobal(box.topLeft()), box.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.focused = grid_ && grid_->hasFocus() && grid_->cursorCell() == cell_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return cell_.col - 1; }
    int rowIndex() const override { return cell_.row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return table_; }

  private:
    QPointer<PlayGrid> grid_;
    QAccessibleInterface* table_;
    CellPos cell_;
};

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit GridAccessible(PlayGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~GridAccessible() override {
        for (const auto& [index, id] : cells_) QAccessible::deleteAccessibleInterface(id);
    }

    PlayGrid* grid() const { return static_cast<PlayGrid*>(widget()); }
    int rows() const { return grid()->game().puzzle().rows(); }
    int cols() const { return grid()->game().puzzle().cols(); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return QCoreApplication::translate("PlayGrid",
                                               "Sopa de letras de %1 filas y %2 columnas")
                .arg(rows())
                .arg(cols());
        }
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return rows() * cols(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return cellAt(index / cols(), index % cols());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell ? cell->rowIndex() * cols() + cell->columnIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto cell = grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y)));
        return cell ? cellAt(cell->row - 1, cell->col - 1) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        if (!grid()->hasFocus()) return nullptr;
        return child(playGridChildIndex(*grid(), grid()->cursorCell()));
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rows() || column < 0 || column >= cols()) return nullptr;
        const int index = row * cols() + column;
        const auto kept = cells_.find(index);
        if (kept != cells_.end()) return QAccessible::accessibleInterface(kept->second);
        auto* cell =
            new CellAccessible(grid(), const_cast<GridAccessible*>(this), {row + 1, column + 1});
        cells_[index] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return QCoreApplication::translate("PlayGrid", "columna %1").arg(column + 1);
    }
    QString rowDescription(int row) const override {
        return QCoreApplication::translate("PlayGrid", "fila %1").arg(row + 1);
    }
    int columnCount() const override { return cols(); }
    int rowCount() const override { return rows(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    mutable std::unordered_map<int, QAccessible::Id> cells_;
};

QAccessibleInterface* playGridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("sopaly::PlayGrid") && object && object->isWidgetType()) {
        return new GridAccessible(static_cast<PlayGrid*>(object));
    }
    return nullptr;
}

}  // namespace

void installPlayGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(playGridFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace sopaly

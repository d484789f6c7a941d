#include "platform/qt/grid_model.h"

#include <QBrush>
#include <QColor>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace fenmark::platform::qt {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A general cell is right-aligned when it shows a number (amounts with
// thousands separators included) and left-aligned otherwise.
bool looksNumeric(const std::string& text) {
    std::size_t i = 0;
    const std::size_t end =
        text.find_last_not_of(' ') == std::string::npos ? 0 : text.find_last_not_of(' ') + 1;
    while (i < end && text[i] == ' ') ++i;
    if (i < end && (text[i] == '-' || text[i] == '+')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == ',' && !point && digits) {
            continue;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return Qt::AlignLeft;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::General:
            break;
    }
    return {};
}

bool sameShown(const Grid& a, const Grid& b) {
    if (a.rows() != b.rows() || a.cols() != b.cols() || a.fixedRows() != b.fixedRows() ||
        a.fixedCols() != b.fixedCols()) {
        return false;
    }
    for (int c = 0; c < a.cols(); ++c) {
        if (a.colAlignment(c) != b.colAlignment(c) || a.colWidthText(c) != b.colWidthText(c)) {
            return false;
        }
    }
    for (int r = 0; r < a.rows(); ++r) {
        for (int c = 0; c < a.cols(); ++c) {
            if (a.text(r, c) != b.text(r, c) || a.backColor(r, c) != b.backColor(r, c) ||
                a.cellAlignment(r, c) != b.cellAlignment(r, c)) {
                return false;
            }
        }
    }
    return true;
}

// Frozen cells look like headings, as they do not scroll; a colour the
// grid gives a cell still wins.
class FrozenCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->backgroundBrush.style() == Qt::NoBrush) {
            option->backgroundBrush = option->palette.brush(QPalette::Window);
        }
    }
};

// The program lays out headings and cells with blanks ("     *31年"), which
// only line up in a font whose blanks are as wide as its other half-width
// characters.
QFont gridFont(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

GridTableModel::GridTableModel(const Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shown_(grid) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return std::max(shown_.rows() - 1, 0);
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return shown_.cols();
}

Qt::Alignment GridTableModel::alignment(int gridRow, int col) const {
    Qt::Alignment horizontal = qtAlignment(shown_.cellAlignment(gridRow, col));
    if (horizontal == Qt::Alignment{}) horizontal = qtAlignment(shown_.colAlignment(col));
    if (horizontal == Qt::Alignment{}) {
        horizontal = looksNumeric(shown_.text(gridRow, col)) ? Qt::AlignRight : Qt::AlignLeft;
    }
    return horizontal | Qt::AlignVCenter;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const int row = gridRow(index.row());
    const int col = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return fromUtf8(shown_.text(row, col));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignment(row, col));
        case Qt::BackgroundRole:
            if (const auto rgb = shown_.backColor(row, col)) {
                return QBrush(QColor(QRgb(*rgb)));
            }
            return {};
        default:
            return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= shown_.cols() || shown_.rows() == 0) return {};
    switch (role) {
        case Qt::DisplayRole:
            return fromUtf8(shown_.text(0, section));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
        default:
            return {};
    }
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool GridTableModel::refresh() {
    if (sameShown(shown_, grid_)) return false;
    beginResetModel();
    shown_ = grid_;
    endResetModel();
    return true;
}

std::vector<std::string> GridTableModel::widthTexts() const {
    std::vector<std::string> texts;
    for (int c = 0; c < shown_.cols(); ++c) texts.push_back(shown_.colWidthText(c));
    return texts;
}

GridTableView::GridTableView(QWidget* parent) : QTableView(parent), frozen_(new QTableView(this)) {
    setFont(gridFont(font()));
    verticalHeader()->hide();
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setWordWrap(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    horizontalHeader()->setHighlightSections(false);

    frozen_->setObjectName(QStringLiteral("frozenColumns"));
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setHighlightSections(false);
    frozen_->setEditTriggers(NoEditTriggers);
    frozen_->setSelectionMode(SingleSelection);
    frozen_->setWordWrap(false);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setItemDelegate(new FrozenCellDelegate(frozen_));
    applyRowHeight();
    viewport()->stackUnder(frozen_);
    frozen_->hide();

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) {
                if (logical < frozenCount_) {
                    frozen_->setColumnWidth(logical, size);
                    updateFrozenGeometry();
                }
            });
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) {
                if (logical < frozenCount_) setColumnWidth(logical, size);
            });
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this,
            &GridTableView::updateFrozenGeometry);
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) { frozen_->setRowHeight(logical, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

void GridTableView::setModel(QAbstractItemModel* model) {
    if (QAbstractItemModel* old = this->model()) disconnect(old, nullptr, this, nullptr);
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    appliedWidthTexts_.clear();
    if (model != nullptr) {
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
            columnWidths_.clear();
            for (int col = 0; col < this->model()->columnCount(); ++col) {
                columnWidths_.push_back(columnWidth(col));
            }
        });
        connect(model, &QAbstractItemModel::modelReset, this, &GridTableView::applyShape);
    }
    applyShape();
}

void GridTableView::applyRowHeight() {
    const int height = QFontMetrics(font()).height() + 8;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
    frozen_->verticalHeader()->setMinimumSectionSize(height);
    frozen_->verticalHeader()->setDefaultSectionSize(height);
}

void GridTableView::applyShape() {
    const auto* grid = qobject_cast<const GridTableModel*>(model());
    const int cols = model() != nullptr ? model()->columnCount() : 0;
    frozenCount_ = grid != nullptr ? std::min(grid->frozenColumns(), cols) : 0;
    // A reset gives every column the default width again: the heading
    // format decides the widths when it changed, the user's widths stay
    // when it did not.
    if (grid != nullptr && grid->widthTexts() != appliedWidthTexts_) {
        applyInitialWidths();
    } else {
        for (int c = 0; c < cols && c < static_cast<int>(columnWidths_.size()); ++c) {
            setColumnWidth(c, columnWidths_[static_cast<std::size_t>(c)]);
        }
    }
    for (int c = 0; c < cols; ++c) {
        frozen_->setColumnHidden(c, c >= frozenCount_);
        if (c < frozenCount_) frozen_->setColumnWidth(c, columnWidth(c));
    }
    frozen_->setVisible(frozenCount_ > 0);
    updateFrozenGeometry();
}

void GridTableView::applyInitialWidths() {
    const auto* grid = qobject_cast<const GridTableModel*>(model());
    if (grid == nullptr) return;
    appliedWidthTexts_ = grid->widthTexts();
    const QFontMetrics metrics(font());
    // The cell's own margins come on top of the heading text, and a little
    // air so that a cell as long as its heading is not cut short.
    const int padding = metrics.horizontalAdvance(QStringLiteral("  ")) + 8;
    for (int c = 0; c < static_cast<int>(appliedWidthTexts_.size()); ++c) {
        const QString text = fromUtf8(appliedWidthTexts_[static_cast<std::size_t>(c)]);
        setColumnWidth(c, metrics.horizontalAdvance(text) + padding);
    }
}

int GridTableView::frozenWidth() const {
    int width = 0;
    for (int c = 0; c < frozenCount_; ++c) width += columnWidth(c);
    return width;
}

void GridTableView::updateFrozenGeometry() {
    if (frozenCount_ == 0) return;
    const int left = (verticalHeader()->isVisible() ? verticalHeader()->width() : 0) + frameWidth();
    // Headings of several lines elsewhere make the heading row taller than
    // the frozen columns' own: the rows must still line up.
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    frozen_->setGeometry(left, frameWidth(), frozenWidth(),
                         viewport()->height() + horizontalHeader()->height());
}

void GridTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void GridTableView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    // The initial widths follow the font the headings are measured in.
    if (event->type() == QEvent::FontChange) {
        applyRowHeight();
        appliedWidthTexts_.clear();
        applyShape();
    }
}

QModelIndex GridTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // A cell moved to from the right must not end up under the frozen columns.
    if (current.isValid() && current.column() >= frozenCount_) {
        const int hiddenBy = frozenWidth() - visualRect(current).left();
        if (hiddenBy > 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hiddenBy);
    }
    return current;
}

void GridTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid() || index.column() >= frozenCount_) {
        QTableView::scrollTo(index, hint);
        // Qt brings a cell to the view's left edge, which the frozen
        // columns cover.
        if (index.isValid() && frozenCount_ > 0) {
            const int hiddenBy = frozenWidth() - visualRect(index).left();
            if (hiddenBy > 0)
                horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hiddenBy);
        }
        return;
    }
    // A frozen cell is always in view across; only its row may need scrolling.
    const int across = columnAt(frozenWidth());
    if (across >= 0) QTableView::scrollTo(index.siblingAtColumn(across), hint);
}

}  // namespace fenmark::platform::qt

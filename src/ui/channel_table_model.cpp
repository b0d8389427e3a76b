#include "ui/channel_table_model.h"

#include <QBrush>
#include <QColor>

#include "document/radio_document.h"
#include "texts/validity_texts.h"

namespace {

// Frequency columns read best left-aligned; the short tokens of the other columns and the numbers are
// centred at the top, as the grid has always shown them.
Qt::Alignment columnAlignment(const ChannelColumn& column) {
    if (column.editor == CellEditor::RxFrequency || column.editor == CellEditor::TxFrequency)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return Qt::AlignHCenter | Qt::AlignTop;
}

QColor markColour(int mark) {
    switch (mark) {
    case ChannelTableModel::FrequencyMark:
        return QColor(0, 0, 160);
    case ChannelTableModel::ListMark:
        return QColor(0, 110, 0);
    default:
        return {};
    }
}

} // namespace

ChannelTableModel::ChannelTableModel(RadioDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
    connect(&document_, &RadioDocument::tableAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&document_, &RadioDocument::tableReset, this, [this] {
        // Laying out or replacing the table clears every mark.
        marks_.clear();
        endResetModel();
    });
    connect(&document_, &RadioDocument::cellChanged, this, &ChannelTableModel::cellChanged);
    // A new band or range can mark or clear any cell.
    connect(&document_, &RadioDocument::validityChanged, this, [this] {
        if (rowCount() > 0 && columnCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                               {Qt::ForegroundRole, Qt::ToolTipRole});
    });
}

const ChannelTable& ChannelTableModel::table() const {
    return document_.table();
}

void ChannelTableModel::setCell(int row, int column, const QString& text) {
    document_.setCell(row, column, text);
}

void ChannelTableModel::setCellMark(int row, int column, int mark) {
    if (row < 1 || row >= table().rowCount() || column < 0 || column >= table().columnCount())
        return;
    if (cellMark(row, column) == mark)
        return;
    if (mark == NoMark)
        marks_.remove(markKey(row, column));
    else
        marks_.insert(markKey(row, column), mark);
    cellChanged(row, column);
}

void ChannelTableModel::cellChanged(int row, int column) {
    if (row == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    const QModelIndex i = indexOf(row, column);
    Q_EMIT dataChanged(i, i);
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table().channelCount();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table().columnCount();
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.model() != this)
        return {};
    const int row = tableRow(index);
    switch (role) {
    case Qt::DisplayRole:
        return table().cell(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() >= table().columnCount())
            return {};
        return static_cast<int>(columnAlignment(table().columns().at(index.column())));
    case Qt::ForegroundRole: {
        // A value the editors would not take shows in red, whoever wrote it last.
        if (document_.cellProblem(row, index.column()) != CellRules::Problem::None)
            return QBrush(QColor(200, 0, 0));
        const QColor c = markColour(cellMark(row, index.column()));
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case Qt::ToolTipRole: {
        const CellRules::Problem problem = document_.cellProblem(row, index.column());
        if (problem == CellRules::Problem::None)
            return {};
        return ValidityText::problem(problem, document_.frequencyLimits());
    }
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return table().cell(0, section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
    // Never editable through the view: the cell editors do all the typing.
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

#include "controls/CycleTableModel.h"

#include "analysis/CycleCsv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace kurvon {
namespace {

double ValueOf(const CycleFigures& c, int column) {
    switch (column) {
    case 0:
        return c.number;
    case 1:
        return c.firstRecord;
    case 2:
        return c.lastRecord;
    case 3:
        return c.durationS;
    case 4:
        return c.chargeAh;
    case 5:
        return c.dischargeAh;
    case 6:
        return c.coulombicEfficiencyPct;
    case 7:
        return c.chargeWh;
    case 8:
        return c.dischargeWh;
    case 9:
        return c.energyEfficiencyPct;
    case 10:
        return c.endOfChargeV;
    case 11:
        return c.endOfDischargeV;
    case 12:
        return c.minV;
    case 13:
        return c.maxV;
    default:
        return static_cast<double>(c.skippedPairs);
    }
}

bool IsCount(int column) {
    return column <= 2 || column == 14;
}

} // namespace

void CycleTableModel::SetTable(CycleTable table) {
    beginResetModel();
    m_table = std::move(table);
    m_order.resize(m_table.cycles.size());
    std::iota(m_order.begin(), m_order.end(), std::size_t(0));
    endResetModel();
    if (m_sortColumn >= 0)
        sort(m_sortColumn, m_sortOrder);
}

int CycleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int CycleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QString CycleTableModel::Heading(int column) {
    static const std::array<const char*, kColumns> kHeadings{
        "循环",          "首记录",        "末记录",       "时长(s)",      "充电容量(Ah)",
        "放电容量(Ah)",  "库仑效率(%)",   "充电能量(Wh)", "放电能量(Wh)", "能量效率(%)",
        "充电末电压(V)", "放电末电压(V)", "最低电压(V)",  "最高电压(V)",  "跳过记录对"};
    return column >= 0 && column < kColumns ? QString::fromUtf8(kHeadings[column]) : QString();
}

QString CycleTableModel::Text(int row, int column) const {
    const CycleFigures& c = m_table.cycles[CycleAt(row)];
    const double value = ValueOf(c, column);
    if (IsCount(column))
        return QString::number(static_cast<qulonglong>(value));
    return QString::fromStdString(FigureText(value));
}

QVariant CycleTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CycleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal)
        return Heading(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CycleTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumns)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> cyclesBefore;
    for (const QModelIndex& index : before)
        cyclesBefore.push_back(CycleAt(index.row()));
    const auto& cycles = m_table.cycles;
    std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
        const double x = ValueOf(cycles[a], column);
        const double y = ValueOf(cycles[b], column);
        if (std::isnan(x) || std::isnan(y))
            return !std::isnan(x) && std::isnan(y); // empty last either way
        return order == Qt::AscendingOrder ? x < y : y < x;
    });
    std::vector<int> rowOf(m_order.size());
    for (std::size_t row = 0; row < m_order.size(); ++row)
        rowOf[m_order[row]] = static_cast<int>(row);
    QModelIndexList after;
    for (std::size_t i = 0; i < cyclesBefore.size(); ++i)
        after.append(index(rowOf[cyclesBefore[i]], before[static_cast<qsizetype>(i)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

int CycleTableModel::RowOfCycle(std::size_t cycle) const {
    const auto at = std::find(m_order.begin(), m_order.end(), cycle);
    return at == m_order.end() ? -1 : static_cast<int>(at - m_order.begin());
}

QString CycleTableModel::TabSeparated(const std::vector<int>& rows) const {
    QStringList lines;
    QStringList fields;
    for (int column = 0; column < kColumns; ++column)
        fields.append(Heading(column));
    lines.append(fields.join(QLatin1Char('\t')));
    for (int row : rows) {
        fields.clear();
        for (int column = 0; column < kColumns; ++column)
            fields.append(Text(row, column));
        lines.append(fields.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace kurvon

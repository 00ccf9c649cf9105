#include "PointTableExport.h"

#include "PointTableModel.h"
#include "NumberText.h"

#include <QStringList>

namespace {

enum class PairState
{
    Empty,
    XRead,
    Complete
};

void appendPoints(const QList<float>& xs, const QList<float>& ys, TablePointList& out)
{
    if (xs.size() >= 2) {
        for (float x : xs)
            out.append(TablePoint{x, ys.first()});
    } else {
        for (float y : ys)
            out.append(TablePoint{xs.first(), y});
    }
}

} // namespace

TablePointList PointTableExport::points(const PointTableModel& table)
{
    TablePointList out;
    for (int row = 1; row < table.gridRowCount(); ++row) {
        PairState state = PairState::Empty;
        QList<float> xs, ys;
        for (int column = PointTableModel::FixedColumns; column < table.gridColumnCount();
             ++column) {
            const QStringList parts = table.text(row, column).split(QLatin1Char(';'));
            if (column % 2 == 0 && state == PairState::Empty) {
                xs.clear();
                ys.clear();
                for (const QString& part : parts) {
                    if (const std::optional<float> x = NumberText::tableFloat(part)) {
                        xs.append(*x);
                        state = PairState::XRead;
                    }
                }
            } else if (column % 2 == 1 && state == PairState::XRead) {
                for (const QString& part : parts) {
                    if (const std::optional<float> y = NumberText::tableFloat(part)) {
                        ys.append(*y);
                        state = PairState::Complete;
                    } else {
                        state = PairState::Empty;
                    }
                }
            }
            if (state == PairState::Complete) {
                appendPoints(xs, ys, out);
                state = PairState::Empty;
            }
        }
    }
    return out;
}

QByteArray PointTableExport::text(const PointTableModel& table)
{
    QString out;
    for (int row = 0; row < table.gridRowCount(); ++row) {
        for (int column = 0; column < table.gridColumnCount(); ++column) {
            out += table.text(row, column);
            out += QLatin1Char('\t');
        }
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

#include "planning/ui/PathRows.h"

#include <QGridLayout>
#include <QLabel>

#include "planning/ui/PlanningIds.h"
#include "planning/ui/RangedEdit.h"

namespace zavo::planning {

QString PathRows::head(const char* what, const Range& r) {
  // The rotation head sets its range one blank in, as it always has.
  const bool rotation = QLatin1String(what).startsWith(QLatin1String("Rotation"));
  return QStringLiteral("%1\n%2[ %3~%4 ]")
      .arg(QLatin1String(what), rotation ? QStringLiteral(" ") : QString())
      .arg(r.min)
      .arg(r.max);
}

PathRows::PathRows(const PositionRanges& ranges, int first, QWidget* parent, QGridLayout* grid,
                   const Register& registerEdit)
    : first_(first) {
  grid->addWidget(new QLabel(head("Rotation Number(REV)", ranges.rotation), parent), 0, 1, Qt::AlignCenter);
  grid->addWidget(new QLabel(head("Pulse Number(PULSE)", ranges.pulse), parent), 0, 2, Qt::AlignCenter);
  grid->addWidget(new QLabel(head("Move Speed(RPM)", ranges.speed), parent), 0, 3, Qt::AlignCenter);
  for (int r = 0; r < kPathsPerPage; ++r) {
    grid->addWidget(new QLabel(QStringLiteral("Position %1").arg(first + r + 1), parent), r + 1, 0);
    Row& row = rows_[static_cast<std::size_t>(r)];
    row.rotation = new RangedEdit(ranges.rotation, parent);
    row.pulse = new RangedEdit(ranges.pulse, parent);
    row.speed = new RangedEdit(ranges.speed, parent);
    const std::pair<RangedEdit*, int> edits[] = {
        {row.rotation, kIdcFirstRotation}, {row.pulse, kIdcFirstPulse}, {row.speed, kIdcFirstSpeed}};
    int column = 1;
    for (const auto& [edit, firstId] : edits) {
      registerEdit(firstId + r, edit);
      grid->addWidget(edit->withArrows(parent), r + 1, column++);
    }
  }
}

void PathRows::load(const PositionTable& table) {
  for (int r = 0; r < kPathsPerPage; ++r) {
    const auto p = static_cast<std::size_t>(first_ + r);
    if (p >= table.paths.size()) return;
    const Row& row = rows_[static_cast<std::size_t>(r)];
    row.rotation->setValue(table.paths[p].rotation);
    row.pulse->setValue(table.paths[p].pulse);
    row.speed->setValue(table.paths[p].speed);
  }
}

void PathRows::store(PositionTable& table) const {
  for (int r = 0; r < kPathsPerPage; ++r) {
    const auto p = static_cast<std::size_t>(first_ + r);
    if (p >= table.paths.size()) return;
    const Row& row = rows_[static_cast<std::size_t>(r)];
    table.paths[p] = {row.rotation->range().clamp(row.rotation->value()), row.pulse->range().clamp(row.pulse->value()),
                      row.speed->range().clamp(row.speed->value())};
  }
}

}  // namespace zavo::planning

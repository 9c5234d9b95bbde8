// Not built yet: the database fills.
#include "control/ColumnPick.h"

namespace cp {

void ColumnPick::FillComboBoxMultiColumn(Database&, const std::string&) {}
void ColumnPick::FillComboBoxMultiColumnRecordset(const Variant&) {}
}  // namespace cp

// MatchMode, SearchColumns and FilterList: what typing looks for, and whether the open list
// shows only what it found. A change while the list is open shows every row again, on the
// current row, so that no row found under the old settings stays on show. A list on a database
// server refuses a search that the server has no index for (error 3251), and keeps its settings.
#include "control/ColumnPick.h"
#include "runtime/RuntimeError.h"

namespace cp {

std::int16_t ColumnPick::MatchMode() const {
    return static_cast<std::int16_t>(search.rule.mode);
}

void ColumnPick::MatchMode(std::int16_t value) {
    if (value < 0 || value > static_cast<std::int16_t>(kLastMatchMode)) {
        Raise(vberr::InvalidPropertyValue);
    }
    SearchRule rule = search.rule;
    rule.mode = static_cast<cp::MatchMode>(value);
    // A list on a database server searches only where the server has an index for it.
    CheckServerSearch(server.Source().get(), rule);
    search.rule = std::move(rule);
    ShowAllRows();
    ScheduleFoldSteps();
    UserControl.PropertyChanged("MatchMode");
}

std::string ColumnPick::SearchColumns() const {
    return SearchColumnsText(search.rule.columns);
}

void ColumnPick::SearchColumns(const std::string& value) {
    auto columns = ParseSearchColumns(value, settings.intColumnCount);
    if (!columns) Raise(vberr::InvalidPropertyValue);
    SearchRule rule = search.rule;
    rule.columns = std::move(*columns);
    CheckServerSearch(server.Source().get(), rule);
    search.rule = std::move(rule);
    ShowAllRows();
    ScheduleFoldSteps();
    UserControl.PropertyChanged("SearchColumns");
}

bool ColumnPick::FilterList() const {
    return search.blnFilterList;
}

void ColumnPick::FilterList(bool value) {
    search.blnFilterList = value;
    ShowAllRows();
    UserControl.PropertyChanged("FilterList");
}

}  // namespace cp

// The title and the message of every error report that the control shows, in one table: a
// procedure with an error trap names its entry.
//
// The control's subs all report alike: "ColumnPick - <sub>" over "Unable to execute the sub
// <sub>!", composed from the sub's name by TrappedSub (reports/ErrorReport.h). Every other trap
// has an entry below.
#pragma once

#include <string_view>

namespace cp {

struct ReportTitle {
    std::string_view title;
    std::string_view message;
};

namespace titles {

// The two halves of a sub's report, around the sub's name.
inline constexpr std::string_view kSubTitle = "ColumnPick - ";
inline constexpr std::string_view kSubMessage = "Unable to execute the sub ";

// A property and a function of the control, whose messages name their kind.
inline constexpr ReportTitle kColumn{"ColumnPick - Column",
                                     "Unable to execute the property Column!"};
inline constexpr ReportTitle kColumnWidths{"ColumnPick - ColumnWidths",
                                           "Unable to execute the property ColumnWidths!"};
inline constexpr ReportTitle kServerRows{"ColumnPick - ConnectComboBoxMultiColumn",
                                         "Unable to read the rows from the database server!"};
inline constexpr ReportTitle kFindItemInArray{"ColumnPick - FindItemInArray",
                                              "Unable to execute the function FindItemInArray!"};

// The two database fills share the title of the query fill; the recordset fill's message calls
// it a function.
inline constexpr ReportTitle kQueryFill{"ColumnPick - FillComboBoxMultiColumn",
                                        "Unable to execute the sub FillComboBoxMultiColumn!"};
inline constexpr ReportTitle kRecordsetFill{
    "ColumnPick - FillComboBoxMultiColumn",
    "Unable to execute the Function FillComboBoxMultiColumnRecordset!"};

// The window plumbing reports under the numbers of its module's functions: the drawing
// subclass's window procedure (2) and its look-up of the control (3), a control's request for
// the creation hook (4), the hook (5) and the list box's procedure while it is created (6).
inline constexpr ReportTitle kDrawingSubclass{"basfile - function2",
                                              "Unable to execute function2!"};
inline constexpr ReportTitle kSubclassLookup{"basfile - function3", "Unable to execute function3!"};
inline constexpr ReportTitle kCreationRequest{"basfile - function4",
                                              "Unable to execute function4!"};
inline constexpr ReportTitle kCreationHook{"basfile - function5", "Unable to execute function5!"};
inline constexpr ReportTitle kListCreation{"basfile - function6", "Unable to execute function6!"};

// The report's own failure: a box with this title and the failure's description alone.
inline constexpr std::string_view kOwnFailure = "Attention!";

}  // namespace titles
}  // namespace cp

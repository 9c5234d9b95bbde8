// ColumnPick: a drop-down selection control whose list shows several columns per row.
//
// One instance owns its state record (control/StateRecord.h), its item table (table/ItemTable.h)
// and its child objects. The members are defined in the folder of the subsystem they belong to:
// control/ (state, the item table's and selection's published members, properties, persistence,
// the database fills), frame/, listview/, editing/ (with the seam of selection and commit),
// dropdown/ and shell/. The window plumbing (hosting/) reaches the control only as a
// DropDownOwner and a RowPainter.
//
// Naming key. Names that the published interface, the stored properties and the control's
// long-standing design fix carry a prefix for their type: str String (UTF-8), int 16-bit
// Integer, lng 32-bit Long (also colours, window handles and procedures), bln Boolean, byte
// Byte, var Variant or table of values, rct rectangle, pic picture. g marks state kept once per
// user-interface thread; txt, lst and lin mark the host's child objects (edit field, list,
// frame line); enumerations are typ... with members lb.... Host notifications are named
// object_Notification (txtTextBox_Change). Everything the control added beyond those names has
// a plain name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "control/AccessibleRows.h"
#include "control/ColumnPickEvents.h"
#include "control/Enumerations.h"
#include "control/ServerFilter.h"
#include "control/ServerQueries.h"
#include "control/ServerRows.h"
#include "control/ShownRows.h"
#include "control/StateRecord.h"
#include "hosting/MVirtualList.h"
#include "hosting/basHookListBox.h"
#include "platform/AccessibleControl.h"
#include "platform/Host.h"
#include "platform/basApi.h"
#include "runtime/Variant.h"
#include "table/ItemTable.h"

namespace cp {

class Database;

// Where the focus goes when the list closes.
enum class AfterHide {
    FocusEditField,  // the edit field takes the focus
    LeaveFocus,      // the focus stays where it is (it is leaving the control, for instance)
};

// Whether a commit tells the host with AfterUpdate.
enum class AfterCommit {
    RaiseAfterUpdate,  // a commit of the user's: a click in the list, Enter, the focus leaving
    Quiet,             // the host's own put of Value
};

// The face of the drop-down button that a drawing is for.
enum class ButtonFace { Raised, Pressed };

class ColumnPick final : public HostedControl,
                         public AccessibleControl,
                         public DropDownOwner,
                         public RowPainter {
public:
    explicit ColumnPick(const ControlSite& site);
    ~ColumnPick() override;
    ColumnPick(const ColumnPick&) = delete;
    ColumnPick& operator=(const ColumnPick&) = delete;

    // The host's handler of the control's events (WithEvents); nullptr for none.
    void SetEventSink(ColumnPickEvents* events) { eventSink = events; }

    // --- The published interface `_ColumnPick`, in its published order ---------------------

    void About();
    void AddItem(const std::string& strItem);
    void AddList(const std::string& strItem);
    typAppearance Appearance() const;
    void Appearance(typAppearance value);
    Variant ArrayWithItems() const;
    OLE_COLOR BackColorNormal() const;
    void BackColorNormal(OLE_COLOR value);
    OLE_COLOR BackColorSelected() const;
    void BackColorSelected(OLE_COLOR value);
    std::int16_t BoundColumn() const;
    void BoundColumn(const std::int16_t& value);
    void Clear();
    Variant Column(std::int16_t intColumn);
    std::int16_t ColumnCount() const;
    void ColumnCount(const std::int16_t& value);
    void ColumnLineForeColor(OLE_COLOR value);
    void ColumnWidths(const std::string& value);
    bool ComboBoxIsOpen() const;
    bool Enabled() const;
    void Enabled(const bool& value);
    void FillComboBoxMultiColumn(Database& dbDatabase, const std::string& strSelectQuery);
    void FillComboBoxMultiColumnRecordset(const Variant& rec);
    OLE_COLOR ForeColorNormal() const;
    void ForeColorNormal(OLE_COLOR value);
    OLE_COLOR ForeColorSelected() const;
    void ForeColorSelected(OLE_COLOR value);
    std::int32_t ListCount();
    std::int32_t ListIndex();
    void ListIndex(std::int32_t value);
    std::int16_t ListWidth() const;
    void ListWidth(const std::int16_t& value);
    std::int16_t ListRows() const;
    void ListRows(const std::int16_t& value);
    bool Locked() const;
    void Locked(bool value);
    void RemoveItem(const std::int32_t& lngIndex);
    void SelectAllTextInTextBox();
    void ShowDropDown();
    void Text(const std::string& value);
    std::string Text() const;
    // The default member.
    Variant Value();
    void Value(const Variant& value);

    // --- Searching any part of a row (published after the members above) ------------------
    std::int16_t MatchMode() const;
    void MatchMode(std::int16_t value);
    std::string SearchColumns() const;
    void SearchColumns(const std::string& value);
    bool FilterList() const;
    void FilterList(bool value);
    // --- Added to `_ColumnPick` later, at its end ---------------------------------------------

    // The open list shows a header row with each visible column's caption.
    bool ColumnHeads() const;
    void ColumnHeads(bool value);
    // "Name;Code;...": the header's captions, one per column.
    std::string ColumnCaptions() const;
    void ColumnCaptions(const std::string& value);
    // "0;1;2" or "L;R;C": left, right or centred text per column; anything else is error 380.
    std::string ColumnAlignments() const;
    void ColumnAlignments(const std::string& value);
    // Widens or narrows every visible column to its widest text and returns the widths as
    // ColumnWidths takes them, in twips.
    std::string FitColumnWidths();
    // Server mode: the list shows the rows of a table (its name) or a SELECT that stay on the
    // database server, read a page at a time (control/ServerRows.h); strKeyField names their
    // unique key ("" for a table's own). A fill, AddList or Clear ends it; AddItem, RemoveItem
    // and ArrayWithItems refuse with error 5 while it lasts.
    void ConnectComboBoxMultiColumn(Database& dbDatabase, const std::string& strSource,
                                    const std::string& strKeyField);

    // --- Assistive technology (not published) -------------------------------------------------

    AccessibleControl* Accessibility() override { return this; }
    // The name the host gives the control for assistive technology; empty: its label's.
    void AccessibleName(const std::string& name) { accessibility.name = name; }

    // AccessibleControl
    std::int32_t RowCount() override;
    std::optional<std::string> RowName(std::int32_t row) override;
    std::optional<RowReading> RowStates(std::int32_t row) override;
    std::optional<RECT> RowRect(std::int32_t row) override;
    std::optional<std::int32_t> RowAt(POINT client) override;
    std::int32_t CurrentRow() override;
    bool PickRow(std::int32_t row) override;
    bool SelectRow(std::int32_t row) override;
    std::vector<ColumnHeading> ColumnHeadings() override;
    std::string ControlName() override { return accessibility.name; }
    std::string ControlValue() override;
    bool ListOpen() override { return dropDown.blnComboBoxIsOpen; }
    void ToggleList() override;

    // --- Called by the host object (not published) -------------------------------------------

    // The container switched between its designer and run time: the control follows at once.
    void UserModeChanged();

    // --- Closing the open list (not published) ------------------------------------------------

    void HideListBox(AfterHide focus);

private:
    // Lets the tests read and drive the state record.
    friend class ColumnPickProbe;

    // --- Host notifications (HostedControl) ---------------------------------------------------
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& PropBag) override;
    void UserControl_WriteProperties(PropertyBag& PropBag) override;
    void UserControl_Terminate() override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_ExitFocus() override;
    void txtTextBox_Change() override;
    void txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void txtTextBox_KeyPress(std::int16_t& KeyAscii) override;
    void txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void txtTextBox_DblClick() override;
    void lstListBox_Click() override;
    void lstListBox_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void lstListBox_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void lstListBox_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    bool lstListBox_Scrolling(int request, int position) override;

    // --- The window plumbing's view of the control (hosting/) --------------------------------
    // The form watcher closes the open list (dropdown/).
    void CloseDropDown() override;
    // The drawing subclass has the list's rows painted (listview/).
    bool PaintRow(const DRAWITEMSTRUCT& dis) override;
    // The list's window system has the header band painted (listview/).
    void lstListBox_PaintHeader(HDC hdc, int width, int height) override;

    // --- State and lifecycle (control/) -------------------------------------------------------
    void DetermineDesignMode();
    void SubclassControlOnce();
    void RaiseIfDesignMode() const;
    void ReadColumnHeads(PropertyBag& PropBag);
    // Takes an alignment string; false, and nothing changed, when it does not parse.
    bool SetAlignments(const std::string& value);

    // --- Item table and selection (control/) --------------------------------------------------
    void RemoveRow(std::int32_t lngIndex);
    std::int32_t FindItemInArray(const std::string& strText);
    // The first row whose bound column holds value; -1 for none.
    std::int32_t FindBoundValue(const Variant& value);
    // Gives the list window as many rows as the table counts, when it counts any other number;
    // returns the number of rows that the window then has.
    std::int32_t MatchListWindowCount();
    // The end of a database fill: the list window counts the new rows, the hourglass goes.
    void ShowFilledRows();

    // --- The rows the list shows (control/ShownRows.h) -----------------------------------------
    // The first row that the text matches as the settings say; -1 for none.
    std::int32_t FindTypedRow(const std::string& text);
    // With FilterList the list shows the rows that text matches (all rows for an empty text);
    // without, all rows. The list window's count follows.
    void ShowRowsFor(const std::string& text);
    // Every row again: the current row keeps its place among them, selected, unless the caller
    // selects a row of its own next.
    enum class NextSelection { Current, Callers };
    void ShowAllRows(NextSelection next = NextSelection::Current);
    // A filtered list found a stretch at a time (control/ShownSteps.cpp): the steps between
    // the thread's messages, and the rest found at once for whatever needs every row.
    void ScheduleListSteps();
    void ContinueListSteps();
    // A large table searched inside its texts has its rows made ready for the searches in idle
    // steps after a fill or a change of the search (control/FoldSteps.cpp).
    void ScheduleFoldSteps();
    void ContinueFoldSteps();
    void FinishShownRows();
    // Takes what a stretch of the search found: the list grows, and settles when it is whole.
    void GrowShownRows(const std::vector<std::int32_t>& more, AnswerProgress progress);
    // The rows are drawn with the matches of text marked, where the settings search any part
    // of them or filter the list.
    void MarkMatches(const std::string& text);
    std::int32_t ListRowOf(std::int32_t tableRow) const {
        return server.Active() ? ServerListRowOf(tableRow) : shown.ListRow(rows, tableRow);
    }
    // The cells of a table row: in the item table, or in server mode in the page that holds it.
    RowCellsAt CellsOf(std::int32_t tableRow) const;

    // --- Server mode (control/ServerMode.cpp) ----------------------------------------------------
    // Ends server mode before the item table takes rows again.
    void LeaveServerMode();
    // Refuses a change of single rows, which the server's table does not take from the list.
    void RefuseInServerMode(std::string_view member) const;
    // The list window counts the rows the server counted last.
    void FollowServerCount();
    std::int32_t TableRowOf(std::int32_t listRow) const {
        return server.Active() ? ServerSlotOf(listRow) : shown.TableRow(rows, listRow);
    }
    // The row a key moves to at listRow from the list's row from (-1 for none), the key's whole
    // step being reach. On the server the key steps from the row it starts on, whatever reading
    // the rows finds of the places an estimate gave: an estimate that put the row near the
    // list's ends stops no step short, and the table's true ends do.
    std::int32_t KeyTargetRow(std::int32_t from, std::int32_t listRow, std::int32_t reach);
    // The list's first row is read, and the table's first rows are read where it was not.
    void ReadServerTop();
    // The marks as server mode names them, and back after it renamed them.
    ServerMarks MarksOnServer() const;
    void KeepMarksOnServer(const ServerMarks& marks);
    // The row that the list is to show: in server mode a mark kept by itself comes back into
    // the list, and its new number is the result; otherwise row itself.
    std::int32_t BringServerRow(std::int32_t row);
    // True when the list is to draw listRow far from the server's rows read (a thumb dragged
    // far), or the row a filtered list counts past its rows read while their count is unknown
    // (its end): the row is drawn empty, and the rows the list shows are read by themselves
    // once the scrolling has stopped (ReachShownServerRows), not read up to.
    bool FarServerRow(std::int32_t listRow);
    // A row read for drawing may place an estimated list exactly (reading down to the
    // estimated end counts the table): the rows on show then stand at other places, and the
    // list's top row and selection follow them once the paint is over.
    void FollowServerMoveAfterPaint();
    void ReachShownServerRows();
    // A reader's row far from the server's rows read is read by itself, as a far scroll
    // reads the rows it shows, not read up to.
    void ReachServerRowForReader(std::int32_t listRow);
    // The keys move from the current row: in server mode, one kept by itself while the list
    // shows rows far from it comes back into the list first.
    void BringCurrentServerRow();
    // ListIndex as a host reads and writes it in server mode: places, exact when read.
    std::int32_t ServerListIndex();
    std::int32_t ServerSlotAt(std::int32_t place);
    // Typing in server mode (control/ServerModeTyping.cpp): asks the query thread for the
    // first row of text (the table's first rows for the empty text); false outside server mode.
    bool AskServer(const std::string& text, Completion completion);
    // The list is to show its first rows, which have not been read: the query thread is asked
    // for them (ShowServerTop shows them). False when the list can show them at once.
    bool AskServerTop();
    // The query thread answered: the answer to the newest text is applied, and rows read ahead
    // are kept.
    void TakeServerAnswer();
    // The open list shows rows within a page of the end (or start) of the rows read: the query
    // thread reads the next page ahead, so that scrolling on finds it read.
    void ReadServerAhead();
    void KeepServerRowsAhead(const ServerQueries::AheadAnswer& ahead);
    // Waits (bounded) for the answer to the newest text and applies it, before anything that
    // acts on the row the text found.
    void SettleServerAnswer();
    // Waits (bounded) for the count of a filtered list's rows that the query thread makes,
    // and applies it.
    void SettleServerCount();
    void ApplyServerAnswer(const ServerQueries::Answer& answer);
    // The list opens on slot, a row kept by itself whose rows around it have not been read: the
    // query thread is asked for them (ShowServerKeptRow shows them). False when the list can
    // show it at once.
    bool AskServerKeptRow(std::int32_t slot);
    // The rows around the row kept by itself, which is still current: the open list shows it
    // among them, selected.
    void ShowServerKeptRow(const ServerQueries::Answer& answer);
    // The table's first rows, for a text that stands for no row: the list shows them, every
    // row again for the emptied text.
    void ShowServerTop(const ServerQueries::Answer& answer);
    // The row first found for a text, read with the rows around it, becomes current.
    void FindServerRowOf(const LocatedRow& first);
    // The search of a word start or any part that the server is asked for; none for the prefix.
    std::optional<FieldSearch> ServerSearch() const { return ServerSearchOf(search.rule); }
    static std::optional<FieldSearch> ServerSearchOf(const SearchRule& rule);
    // Raises error 3251 when source (none: not connected) cannot serve the rule's search
    // through an index.
    static void CheckServerSearch(KeyedRows* source, const SearchRule& rule);
    // The first row that the server finds for text under the search settings; -1 for none.
    std::int32_t FindServerMatch(const std::string& text);

    // --- A filtered list in server mode (control/ServerFiltering.cpp) --------------------------
    // The list's row of a slot, and the slot at a list's row, with the filter or without.
    std::int32_t ServerListRowOf(std::int32_t slot) const;
    std::int32_t ServerSlotOf(std::int32_t listRow) const;
    // The marks on filtered rows are kept by themselves before the list shows other rows.
    void SetFilteredMarksAside();
    // The list shows every row of the server again; the open list selects the current row, and
    // the closed one too unless the caller selects a row of its own next.
    void EndServerFilter(NextSelection next = NextSelection::Callers);
    // The list shows the rows of an answer that brings them.
    void ShowServerMatches(const ServerQueries::Answer& answer);
    // Opening on a text that the control wrote: its rows are asked for and waited for.
    void FilterServerRowsNow(const std::string& text);
    // A key that may move past the filtered rows read reads on first.
    void FinishServerRowsBelow(std::int16_t KeyCode);
    // The open filtered list shows its end before the rows are counted: it goes to the true
    // last rows once they are.
    void ReachFilteredEnd();

    // --- Drop-down (dropdown/) ----------------------------------------------------------------
    void ShowListBox();
    // The open list's height, in twips, for count rows (ListRows at most) and its header.
    float ListHeightFor(std::int32_t count);
    // The open list takes the height of the rows it shows now.
    void FitOpenListToRows();
    void ShowListWindow();
    void SelectTrackedRow(std::int32_t listRow);

    // --- Editing, navigation and the commits of the edit field (editing/) ---------------------
    void SelectTextToEnd(std::int16_t intStart);
    void FindItemAndSelectItemInListBox();
    void SelectNextPreviousItemInListBox(std::int16_t& KeyCode);
    void FinishRowsBelow(std::int16_t KeyCode);
    void CommitOnEnter(std::int16_t& KeyAscii);
    void ReportTextNotInList();
    void RestoreCommittedRow();

    // --- Selection and commit (editing/SelectionCommit.h) -------------------------------------
    // The list's selection moves to row (-1: none) as the control's own change: the list's
    // report of it is no pick. The current row follows.
    void SelectQuietly(std::int32_t row);
    // As SelectQuietly, but a row of the server's kept by itself (the list moved far from it)
    // becomes current as it is, its cells at hand, without reading the rows around it: Escape
    // closes the list, and the opening list has them read on the query thread.
    void SelectKeptRowQuietly(std::int32_t row);
    // The list's selection shows the current row again, quietly, after its rows moved under it.
    void ReselectCurrentRow();
    // The row that the text matched: selected quietly, scrolled to the top and announced.
    void SelectRowInListBox(std::int32_t row);
    // The text matches no row: the list shows none, and no row is current or committed.
    void ClearListSelection();
    // No row is selected; the list keeps its top row.
    void ForgetListSelection();
    // No row is current, as after a put of ListIndex -1, and the text that stood for one goes.
    void SelectNoRow();
    // The user moved the current row (a navigation key, a reader's selection): selected
    // quietly, edited, tracked from by the mouse, announced.
    void MoveCurrentRow(std::int32_t row);
    void UpdateTextFromRow(bool& Cancel);
    // The current row's text as the control's own write; with no current row NotInList is
    // raised instead, and the result is the Cancel that its handler gave back.
    bool ShowCurrentRowText();
    // A text of the control's own choosing, written without a matching pass.
    void WriteOwnText(const std::string& strText);
    // The current row becomes the committed row and the edit is over; the host hears
    // AfterUpdate unless after says otherwise.
    void CommitCurrentRow(AfterCommit after);
    // The text stands for the committed row again: neither changed nor edited since.
    void EndEdit();

    // --- List rendering (listview/) and the drawing subclass (control/) ----------------------
    void DrawListRow(DRAWITEMSTRUCT dis);
    // The header band's height in pixels: 0 without ColumnHeads.
    int HeaderPixels() const;
    ColumnAlignment AlignmentOf(int column) const;
    std::string CaptionOf(int column) const;
    void SubclassControl();
    void UnsubclassControl();

    // --- Frame (frame/) -----------------------------------------------------------------------
    void SetButtonRect();
    void ClearButton();
    void DrawButton();
    void DrawPressedButton();
    void DrawArrow(ButtonFace face);
    ButtonFace CurrentFace() const;
    void RedrawButton(ButtonFace face);
    bool IsOnButton(float X, float Y) const;

    // --- Assistive technology (control/) -------------------------------------------------------
    AccessibleRows ListRowsForReader() const;
    void AnnounceCurrentRow(std::int32_t row);
    void ForgetAnnouncedRow();
    void AnnounceValueChange();
    void AnnounceList(DWORD event);

    // --- Events raised to the host ------------------------------------------------------------
    void RaiseAfterUpdate();
    void RaiseKeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
    void RaiseKeyPress(std::int16_t& KeyAscii);
    void RaiseKeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
    void RaiseChange();
    void RaiseNotInList(bool& Cancel);

    // --- Child objects supplied by the host --------------------------------------------------
    UserControlHost& UserControl;
    TextBox& txtTextBox;
    ListBox& lstListBox;
    LineObject& linOuterTop;
    LineObject& linOuterLeft;
    LineObject& linOuterRight;
    LineObject& linOuterBottom;
    LineObject& linInnerTop;
    LineObject& linInnerLeft;
    LineObject& linInnerRight;
    LineObject& linInnerBottom;
    ColumnPickEvents* eventSink = nullptr;  // the host's handler of the events; none: nullptr

    // --- The state record ---------------------------------------------------------------------
    Settings settings;                    // the settings behind the properties
    ItemTable rows;                       // the item table and the rows the control stands on
    SearchSettings search;                // what typing looks for
    ShownRows shown;                      // the rows the list shows
    std::unique_ptr<IdleStep> listSteps;  // finds the rest of a growing filtered list
    std::unique_ptr<IdleStep> foldSteps;  // makes a large table's rows ready for the searches
    ServerRows server;                    // in server mode, the rows on the database server
    ServerFilter serverFilter{server};    // in server mode with FilterList, the rows shown
    ServerQueries queries;              // in server mode, typing's queries off the window's thread
    ColumnState columns;                // the widths of the list's columns
    EditingFlags editing;               // typing, navigation and commits
    DropDownState dropDown;             // the open list and the mouse in it
    ButtonState button;                 // the drop-down button
    HostingState hosting;               // design mode and the drawing subclass
    AccessibilityState accessibility;   // what assistive technology reads and has heard
    std::unique_ptr<Picture> picArrow;  // the drop-down arrow glyph (bitmap resource 10)
    // In server mode, asks for the rows at the place of a far scroll.
    std::unique_ptr<ThreadPost> farRows;
};

}  // namespace cp

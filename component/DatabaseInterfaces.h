// The published surface of the component's own database objects, as data: the members of the
// `_Database` and `_Recordset` dispatch interfaces with their dispatch identifiers, kinds and
// arguments. Their IDispatch reaches the members through these tables, and the tests compare
// them with the type library member by member.
#pragma once

#include <cstdint>
#include <span>

#include "control/PublicInterface.h"

namespace ocx::dbiface {

using cp::iface::Kind;
using cp::iface::Member;
using cp::iface::Param;
using cp::iface::Passing;

inline constexpr const char* kDatabaseProgId = "ColumnPick.Database";
inline constexpr const char* kDatabaseClass = "{E99C921C-83A6-4BC3-A70B-A6EDD116C963}";
inline constexpr const char* kDatabaseInterface = "{CFB9D401-7FD7-4013-BB77-86AAE73BCE93}";
inline constexpr const char* kRecordsetInterface = "{A74C1BA7-F900-4041-82B7-C996007CE838}";

namespace dispid {
inline constexpr std::int32_t OpenFile = 1;
inline constexpr std::int32_t OpenConnection = 2;
inline constexpr std::int32_t OpenRecordset = 3;
inline constexpr std::int32_t Name = 4;
inline constexpr std::int32_t Close = 5;

inline constexpr std::int32_t RecordCount = 1;
inline constexpr std::int32_t Eof = 2;
inline constexpr std::int32_t MoveFirst = 3;
inline constexpr std::int32_t MoveLast = 4;
inline constexpr std::int32_t GetRows = 5;
inline constexpr std::int32_t RecordsetClose = 6;
}  // namespace dispid

inline constexpr Param kPath[] = {{"strPath", "String", Passing::ByValue}};
inline constexpr Param kConnect[] = {{"strConnect", "String", Passing::ByValue}};
inline constexpr Param kOpenRecordset[] = {{"Name", "String", Passing::ByValue},
                                           {"Type", "Long", Passing::ByValue}};
inline constexpr Param kNumRows[] = {{"NumRows", "Long", Passing::ByValue}};

inline constexpr Member kDatabaseMembers[] = {
    {"OpenFile", Kind::Method, dispid::OpenFile, "", kPath, "Opens an SQLite database file."},
    {"OpenConnection", Kind::Method, dispid::OpenConnection, "", kConnect,
     "Opens a database through an ODBC connection string."},
    {"OpenRecordset", Kind::Method, dispid::OpenRecordset, "Object", kOpenRecordset,
     "Runs a query, or reads a table, into a new recordset."},
    {"Name",
     Kind::PropertyGet,
     dispid::Name,
     "String",
     {},
     "The database's file, or its connection string without the password."},
    {"Close", Kind::Method, dispid::Close, "", {}, "Closes the database."},
};

inline constexpr Member kRecordsetMembers[] = {
    {"RecordCount",
     Kind::PropertyGet,
     dispid::RecordCount,
     "Long",
     {},
     "The number of rows, or -1 while it is not known yet."},
    {"EOF",
     Kind::PropertyGet,
     dispid::Eof,
     "Boolean",
     {},
     "True when the recordset has no current row."},
    {"MoveFirst", Kind::Method, dispid::MoveFirst, "", {}, "Moves to the first row."},
    {"MoveLast", Kind::Method, dispid::MoveLast, "", {}, "Moves to the last row."},
    {"GetRows", Kind::Method, dispid::GetRows, "Variant", kNumRows,
     "Up to NumRows rows from the current one on, as an array (field, row)."},
    {"Close", Kind::Method, dispid::RecordsetClose, "", {}, "Closes the recordset."},
};

}  // namespace ocx::dbiface

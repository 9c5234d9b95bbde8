// The database objects that the host passes to the fills: the database classes of this project
// as they are, and any other object through the names of its members.
#pragma once

#include <memory>

#include "data/Database.h"
#include "runtime/Variant.h"

namespace cp {

// The recordset that a Variant refers to: error 424 when it holds no object, 91 for an object
// reference that is not set, 438 when the object can answer no recordset's member.
std::shared_ptr<Recordset> RecordsetOf(const Variant& rec);

// The database that a Variant refers to: error 424 when it holds no object or an unset one, 13
// when the object is of a kind that is no database.
std::shared_ptr<Database> DatabaseOf(const Variant& dbDatabase);

}  // namespace cp

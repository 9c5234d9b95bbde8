#include "data/HostObjects.h"

#include "data/LateBoundDatabase.h"
#include "data/LateBoundRecordset.h"
#include "runtime/RuntimeError.h"

namespace cp {

std::shared_ptr<Recordset> RecordsetOf(const Variant& rec) {
    if (!rec.IsObject()) Raise(vberr::ObjectRequired);
    const std::shared_ptr<Object>& object = rec.ObjectRef();
    if (!object) Raise(vberr::ObjectNotSet);
    if (auto rs = std::dynamic_pointer_cast<Recordset>(object)) return rs;
    // Whether a late-bound object has the members shows when they are called.
    if (auto late = std::dynamic_pointer_cast<LateBound>(object)) {
        return std::make_shared<LateBoundRecordset>(std::move(late));
    }
    Raise(vberr::NoSuchMember);
}

std::shared_ptr<Database> DatabaseOf(const Variant& dbDatabase) {
    if (!dbDatabase.IsObject() || !dbDatabase.ObjectRef()) Raise(vberr::ObjectRequired);
    const std::shared_ptr<Object>& object = dbDatabase.ObjectRef();
    if (auto db = std::dynamic_pointer_cast<Database>(object)) return db;
    if (auto late = std::dynamic_pointer_cast<LateBound>(object)) {
        return std::make_shared<LateBoundDatabase>(std::move(late));
    }
    Raise(vberr::TypeMismatch);
}

}  // namespace cp

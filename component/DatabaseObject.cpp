#include "component/DatabaseObject.h"

#include "component/AutomationObject.h"
#include "component/ComError.h"
#include "component/ComPtr.h"
#include "component/DatabaseInterfaces.h"
#include "component/RecordsetObject.h"
#include "component/SqliteFile.h"
#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"

namespace ocx {
namespace {

Variant Done() {
    return {};
}

}  // namespace

HRESULT DatabaseObject::Create(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return Boundary(IID_IUnknown, [&] {
        auto* object = new DatabaseObject();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    });
}

DatabaseObject::DatabaseObject()
    : DispatchObject(DIID__Database, {dbiface::kDatabaseMembers, dbiface::kDatabaseProgId}) {}

Variant DatabaseObject::CallMember(std::int32_t dispid, iface::Kind, std::vector<Variant>& args) {
    namespace id = dbiface::dispid;
    switch (dispid) {
        case id::OpenFile:
            database_ = OpenSqliteFile(CStr(args.at(0)));
            return Done();
        case id::OpenConnection:
            database_ = cp::odbc::OdbcDatabase::Open(CStr(args.at(0)));
            return Done();
        case id::OpenRecordset:
            return OpenRecordset(CStr(args.at(0)), CLng(args.at(1)));
        case id::Name:
            return database_ ? Variant(database_->Name()) : Variant("");
        case id::Close:
            database_.reset();
            return Done();
        default:
            Raise(vberr::NoSuchMember);
    }
}

cp::Database& DatabaseObject::Open() {
    if (!database_) cp::rows::RaiseClosed();
    return *database_;
}

Variant DatabaseObject::OpenRecordset(const std::string& name, std::int32_t type) {
    const auto recordset =
        ComPtr<IDispatch>::Adopt(RecordsetObject::Create(Open().OpenRecordset(name, type)));
    return Variant(std::shared_ptr<Object>(std::make_shared<AutomationObject>(recordset.Get())));
}

}  // namespace ocx

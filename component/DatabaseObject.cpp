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

// It opens the files and connections that its caller names: no option for untrusted callers
// or data is ever turned on.
const SafeInterface kDatabaseSafety[] = {{&IID_IDispatch, 0}, {&DIID__Database, 0}};

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
    : DispatchObject(DIID__Database, {dbiface::kDatabaseMembers, dbiface::kDatabaseProgId}),
      safety_(*static_cast<IDispatch*>(this), kDatabaseSafety) {}

HRESULT DatabaseObject::QueryInterface(REFIID iid, void** out) {
    if (out != nullptr && iid == IID_IObjectSafety) {
        *out = static_cast<IObjectSafety*>(&safety_);
        AddRef();
        return S_OK;
    }
    return DispatchObject::QueryInterface(iid, out);
}

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

namespace {

class ClosedDatabase final : public cp::Database {
public:
    std::shared_ptr<cp::Recordset> OpenRecordset(const std::string&, std::int32_t) override {
        cp::rows::RaiseClosed();
    }
    std::string Name() override { cp::rows::RaiseClosed(); }
    std::shared_ptr<cp::KeyedRows> OpenKeyedRows(const std::string&, const std::string&) override {
        cp::rows::RaiseClosed();
    }
};

}  // namespace

std::shared_ptr<Object> DatabaseObject::Native() {
    if (database_) return database_;
    static const auto closed = std::make_shared<ClosedDatabase>();
    return closed;
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
